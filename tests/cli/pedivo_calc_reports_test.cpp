// pedivo-calc's reports with their drawing: --report and --report-dir run as a user runs them,
// with no display and Qt's platform variable pointing elsewhere; the folder's names and counts.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "../design/package_part.h"
#include "design/files/report_names.h"
#include "shell_run.h"

namespace {

namespace fs = std::filesystem;

using CalcRun = pedivo::cli_testing::ShellRun;

// Without a display, and with QT_QPA_PLATFORM naming a platform that needs one: the pictures are
// painted offscreen all the same.
CalcRun runCalc(const std::string& arguments) {
  return pedivo::cli_testing::shell(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ") + PEDIVO_CALC +
                                    " " + arguments);
}

class Reports : public pedivo::cli_testing::FolderTest {
 protected:
  std::string path(const std::string& name) const { return "'" + (folder_ / name).string() + "'"; }
  std::set<std::string> filesIn(const std::string& name) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_ / name)) names.insert(entry.path().filename().string());
    return names;
  }
  // The report holds the drawing as a PNG, placed where the tag stood, with its caption under it.
  void expectPicture(const fs::path& report, const std::string& caption) {
    const auto png = pedivo::testing::packagePart(report, "word/media/pedivo-drawing.png");
    ASSERT_TRUE(png.has_value()) << report;
    EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_GT(png->size(), 10000u);  // a drawing, not a blank
    const std::string document = *pedivo::testing::packagePart(report, "word/document.xml");
    const auto picture = document.find("<w:drawing>");
    ASSERT_NE(picture, std::string::npos);
    EXPECT_EQ(document.find("&lt;#drawing&gt;"), std::string::npos);
    const auto captionAt = document.find(caption);
    ASSERT_NE(captionAt, std::string::npos) << caption;
    EXPECT_GT(captionAt, picture);
  }
};

TEST_F(Reports, TheSingleReportHoldsTheWindowsPicture) {
  const std::string one = write("one.jsonl", "{\"module\": \"g3\"}\n");
  const CalcRun run = runCalc("--report " + path("g3.docx") + " " + one);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");  // no word from Qt
  expectPicture(folder_ / "g3.docx", "柱脚图：槽型靴梁柱脚（尺寸单位：mm）");
}

// One report a case that could be read, named by its id: a repeated id (in any letter case) gets
// a number, characters no file name holds become "_", a case without an id is named by its
// number among the cases. A case that cannot be read has its error line and no report.
TEST_F(Reports, EveryCaseOfJsonLinesGetsItsReportNamedByItsId) {
  const std::string cases = write("cases.jsonl",
                                  "{\"module\": \"j1\", \"id\": \"KZ-1\"}\n"
                                  "\n"
                                  "{\"module\": \"g11\", \"id\": \"kz-1\"}\n"
                                  "{\"module\": \"gc\", \"id\": \"B/3:柱\"}\n"
                                  "{\"module\": \"zz\", \"id\": \"lost\"}\n"
                                  "{\"module\": \"j2\"}\n"
                                  "{\"module\": \"g2\", \"id\": 7}\n"
                                  "{\"module\": \"j1\", \"id\": \"..\"}\n");
  const CalcRun run = runCalc("--report-dir " + path("out/new") + " " + cases);
  EXPECT_EQ(run.status, 1) << run.err;  // the unknown base type
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7);
  EXPECT_NE(run.out.find("{\"error\":\"未知的柱脚类型“zz”\"}"), std::string::npos);
  const std::set<std::string> expected{"KZ-1.docx", "kz-1 (2).docx", "B_3_柱.docx", "5.docx", "7.docx", "7 (2).docx"};
  EXPECT_EQ(filesIn("out/new"), expected);
  expectPicture(folder_ / "out/new/KZ-1.docx", "柱脚图：两锚栓铰接柱脚");
  expectPicture(folder_ / "out/new/kz-1 (2).docx", "柱脚图：八锚栓刚接柱脚");

  // Run again, the same names: each file replaced, none added.
  const CalcRun again = runCalc("--report-dir " + path("out/new") + " " + cases);
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(filesIn("out/new"), expected);
}

// A table row's report is named by its id cell, or by its row number when the cell is blank; a
// row that cannot be read has no report.
TEST_F(Reports, EveryTableRowGetsItsReport) {
  const std::string table = write("t.csv",
                                  "module,id,EdtN\n"
                                  "j1,C1,80\n"
                                  "g12,,900\n"
                                  "zz,C3,80\n"
                                  "j2,C1,120\n");
  const CalcRun run = runCalc("--csv " + path("t.csv") + " --report-dir " + path("table"));
  (void)table;
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(filesIn("table"), (std::set<std::string>{"C1.docx", "2.docx", "C1 (2).docx"}));
  expectPicture(folder_ / "table/2.docx", "柱脚图：十锚栓刚接柱脚");
}

TEST_F(Reports, AFolderThatCannotBeMadeStopsTheRunBeforeAnyDesign) {
  write("file", "x");
  const std::string one = write("one.jsonl", "{\"module\": \"j1\"}\n");
  const CalcRun run = runCalc("--report-dir " + path("file") + " " + one);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("不是文件夹"), std::string::npos) << run.err;
  const CalcRun table = runCalc("--csv " + one + " --report-dir " + path("file/below"));
  EXPECT_EQ(table.status, 2);
  EXPECT_NE(table.err.find("无法建立文件夹"), std::string::npos) << table.err;
}

TEST(ReportNames, SafeUniqueAndCaseBlind) {
  using pedivo::safeFileStem;
  EXPECT_EQ(safeFileStem(" KZ-1. "), "KZ-1");
  EXPECT_EQ(safeFileStem("a/b\\c:d*e?f\"g<h>i|j\tk"), "a_b_c_d_e_f_g_h_i_j_k");
  EXPECT_EQ(safeFileStem("..."), "");
  EXPECT_EQ(safeFileStem(".hidden"), "hidden");
  EXPECT_EQ(safeFileStem("con"), "_con");
  EXPECT_EQ(safeFileStem("Com1.txt"), "_Com1.txt");
  EXPECT_EQ(safeFileStem("console"), "console");
  // Cut at a character's start: 34 three-byte characters are 102 bytes.
  std::string long3;
  for (int i = 0; i < 34; ++i) long3 += "柱";
  EXPECT_EQ(safeFileStem(long3).size(), 99u);
  pedivo::ReportNames names;
  names.take("Old.docx");
  EXPECT_EQ(names.next("old", 1), "old (2).docx");
  EXPECT_EQ(names.next("", 2), "2.docx");
  EXPECT_EQ(names.next("2", 3), "2 (2).docx");
  EXPECT_EQ(names.next("2 (2)", 4), "2 (2) (2).docx");
}

}  // namespace
