// pedivo-calc under a full disk and the longest names, entries typed after "计算", texts counted
// in characters, and the batch and JSON Lines forms of one case agreeing. CalcRun as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using CalcRun = pedivo::cli_testing::ShellRun;
using pedivo::cli_testing::shell;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CalcFiles : public pedivo::cli_testing::FolderTest {
 protected:
  // One JSON line through pedivo-calc with the given options.
  CalcRun calc(const std::string& line, const std::string& options, const std::string& environment = "") {
    return shell(environment + " " + PEDIVO_CALC + " " + options + " " + write("case.jsonl", line + "\n"));
  }
  std::size_t entriesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
};

// Each file pedivo-calc writes, and the options that write it.
struct Output {
  std::string name;
  std::string options;  // with NAME for the file
  bool table = false;   // the input is a CSV table
};
const std::vector<Output> outputs = {
    {"r.docx", "--report NAME"}, {"d.dxf", "--dxf NAME"}, {"w.xlsx", "--csv --xlsx NAME", true}};

std::string withName(std::string options, const std::string& path) {
  return options.replace(options.find("NAME"), 4, path);
}

// A full disk at any byte: exit status 2, the reason in Chinese on standard error, the old file
// byte for byte as it was and no temporary file left. Every format pedivo-calc writes.
TEST_F(CalcFiles, AFullDiskKeepsTheOldFileAndSaysSo) {
  const std::string preload = std::string("LD_PRELOAD=") + PEDIVO_SHORT_DISK;
  for (const Output& output : outputs) {
    SCOPED_TRACE(output.name);
    const fs::path target = folder_ / output.name;
    const std::string input =
        output.table ? write("t.csv", "module,EdtN\ng3,800\n") : write("c.jsonl", "{\"module\":\"g3\"}\n");
    ASSERT_EQ(
        shell(std::string(PEDIVO_CALC) + " " + withName(output.options, target.string()) + " " + input + " >/dev/null")
            .status,
        0);
    const std::string old = contents(target);
    const std::size_t before = entriesInFolder();
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{700}, old.size() / 2, old.size() - 1}) {
      SCOPED_TRACE(bytes);
      const CalcRun run = shell("PEDIVO_TEST_DISK_BYTES=" + std::to_string(bytes) + " " + preload + " " + PEDIVO_CALC +
                                " " + withName(output.options, target.string()) + " " + input + " >/dev/null");
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("无法写入"), std::string::npos) << run.err;
      EXPECT_EQ(contents(target), old);
      EXPECT_EQ(entriesInFolder(), before);
    }
  }
}

// The reproducer as a user meets it: a real file system of 20 KB, too small for the drawing.
// Needs the right to mount (as root); skipped elsewhere.
TEST_F(CalcFiles, ADrawingTooLargeForATinyFileSystemLeavesTheOldOne) {
  const fs::path disk = folder_ / "disk";
  fs::create_directories(disk);
  if (::geteuid() != 0 ||
      std::system(("mount -t tmpfs -o size=20k tmpfs " + disk.string() + " 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  std::ofstream(disk / "plan.dxf") << "the old plan\n";
  const CalcRun run =
      shell("cd " + disk.string() + " && echo '{\"module\":\"g3\"}' | " + PEDIVO_CALC + " --dxf plan.dxf >/dev/null");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("无法写入DXF文件“plan.dxf”"), std::string::npos) << run.err;
  EXPECT_EQ(contents(disk / "plan.dxf"), "the old plan\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 1);
  // The report, which fits or not, keeps to the same rule.
  std::ofstream(disk / "plan.docx") << "the old report\n";
  const CalcRun report = shell("cd " + disk.string() + " && echo '{\"module\":\"g3\"}' | " + PEDIVO_CALC +
                               " --report plan.docx >/dev/null");
  if (report.status != 0) {
    EXPECT_EQ(report.status, 2);
    EXPECT_EQ(contents(disk / "plan.docx"), "the old report\n");
  }
  std::system(("umount " + disk.string()).c_str());
}

// A name of 255 bytes (83 Chinese characters and the ending, the limit of the file system) is
// written, new and over an existing file.
TEST_F(CalcFiles, NamesAsLongAsTheFileSystemAllowsAreWritten) {
  for (const Output& output : outputs) {
    SCOPED_TRACE(output.name);
    const std::string ending = output.name.substr(output.name.find('.'));
    std::string name;
    while (name.size() + 3 + ending.size() <= 255) name += "柱";
    while (name.size() + ending.size() < 255) name += "x";
    name += ending;
    const std::string input = output.table ? write("t.csv", "module\nj1\n") : write("c.jsonl", "{\"module\":\"j1\"}\n");
    for (int time = 0; time < 2; ++time) {
      const CalcRun run = shell(std::string(PEDIVO_CALC) + " " + withName(output.options, (folder_ / name).string()) +
                                " " + input + " >/dev/null");
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(run.err, "");
    }
    EXPECT_GT(fs::file_size(folder_ / name), 0u);
  }
}

json lineOf(const CalcRun& run) { return json::parse(run.out); }

// "after" is what the window holds when the user types after "计算": the detailing box may be
// cleared, and another code edition carries Q345 over as Q355, as the window's list does.
TEST_F(CalcFiles, AfterMeansWhatTypingInTheWindowMeans) {
  const json ticked = lineOf(calc(R"({"module":"g11","cbsize":true,"after":{"cbsize":false,"EdtM":"999"}})", ""));
  EXPECT_EQ(ticked["state"], "输入已修改");
  EXPECT_EQ(ticked["cbsize"], false);
  EXPECT_EQ(ticked["entries"]["EdtM"], "999");

  const json moved =
      lineOf(calc(R"({"module":"g11","entries":{"CBf":"Q345"},"after":{"CBcode":"GB 50017-2017"}})", ""));
  ASSERT_FALSE(moved.contains("error")) << moved.dump();
  EXPECT_EQ(moved["entries"]["CBf"], "Q355");
  EXPECT_EQ(moved["state"], "输入已修改");
  // A grade given with the edition is the grade given: a wrong one is still refused.
  const json given = lineOf(calc(R"({"module":"g11","after":{"CBcode":"GB 50017-2017","CBf":"Q345"}})", ""));
  EXPECT_NE(given["error"].get<std::string>().find("Q345"), std::string::npos);
  // And so in steps: the edition chosen first, then the designs under it.
  // A drawing of the last calculation while the entries changed says so.
  const CalcRun drawn = calc(R"({"module":"j1","after":{"EdtN":"90"}})", "--dxf " + (folder_ / "p.dxf").string());
  EXPECT_EQ(drawn.status, 0);
  EXPECT_NE(drawn.err.find("输入在最后一次计算后已修改"), std::string::npos) << drawn.err;
  EXPECT_EQ(calc(R"({"module":"j1"})", "--dxf " + (folder_ / "p.dxf").string()).err, "");
  const json stepped = lineOf(
      calc(R"({"module":"j1","steps":[{"entries":{"CBf":"Q345"}},{"entries":{"CBcode":"GB 50017-2017"}}]})", ""));
  EXPECT_EQ(stepped["entries"]["CBf"], "Q355");
}

// 自动调整 of a case with entries typed after "计算" starts from those entries, designed, as the
// window's does: the same proposal as the case of those entries calculated.
TEST_F(CalcFiles, AdjustingAfterAnEditStartsFromWhatIsShown) {
  const std::string narrow =
      R"({"module":"g11","cbsize":true,"entries":{"Edthc":"294","Edtbf":"200","Edttw":"8","Edttf":"12","EdtV":"10",)"
      R"("CBf":"Q345","CBfta":"Q345","CBfc":"C35",)";
  const json edited =
      lineOf(calc(narrow + R"("EdtN":"88","EdtM":"160"},"after":{"EdtN":"95","EdtM":"170"}})", "--adjust"));
  const json direct = lineOf(calc(narrow + R"("EdtN":"95","EdtM":"170"}})", "--adjust"));
  const json before = lineOf(calc(narrow + R"("EdtN":"88","EdtM":"160"}})", "--adjust"));
  EXPECT_EQ(edited["state"], "输入已修改");
  ASSERT_TRUE(direct["adjusted"].is_object()) << direct.dump();
  EXPECT_EQ(edited["adjusted"], direct["adjusted"]);
  EXPECT_NE(edited["adjusted"], before["adjusted"]);
  // Entries that pass once designed (a wider flange) need nothing.
  const json passing = lineOf(calc(narrow + R"("EdtN":"88","EdtM":"160"},"after":{"Edtbf":"260"}})", "--adjust"));
  EXPECT_TRUE(passing["adjusted"].is_null()) << passing.dump();
}

// The same case as a JSON line and as a batch row: the same changed entries and the same weight
// text, also for rigid bases whose detailing box writes the sizes in.
TEST_F(CalcFiles, BatchAndJsonLinesProposeTheSame) {
  // A narrow column whose bases fail their layout: module, detailing box, N, M.
  const std::vector<std::vector<std::string>> cases = {{"g11", "1", "88", "160"},  {"g12", "1", "88", "160"},
                                                       {"g12", "0", "88", "160"},  {"g11", "1", "80", "170"},
                                                       {"g11", "1", "100", "170"}, {"g11", "0", "88", "160"}};
  const std::string narrow =
      R"("Edthc":"294","Edtbf":"200","Edttw":"8","Edttf":"12","EdtV":"10","CBf":"Q345","CBfta":"Q345","CBfc":"C35")";
  std::string table = "module,cbsize,Edthc,Edtbf,Edttw,Edttf,EdtV,CBf,CBfta,CBfc,EdtN,EdtM\n", lines;
  for (const auto& c : cases) {
    table += c[0] + "," + c[1] + ",294,200,8,12,10,Q345,Q345,C35," + c[2] + "," + c[3] + "\n";
    lines += R"({"module":")" + c[0] + R"(","cbsize":)" + (c[1] == "1" ? "true" : "false") + R"(,"entries":{)" +
             narrow + R"(,"EdtN":")" + c[2] + R"(","EdtM":")" + c[3] + "\"}}\n";
  }
  const CalcRun batch = shell(std::string(PEDIVO_CALC) + " --csv --adjust " + write("t.csv", table));
  const CalcRun jsonl = shell(std::string(PEDIVO_CALC) + " --adjust " + write("c.jsonl", lines));
  std::vector<std::string> rows;
  for (std::size_t start = 0, end; (end = batch.out.find("\r\n", start)) != std::string::npos; start = end + 2)
    rows.push_back(batch.out.substr(start, end - start));
  ASSERT_EQ(rows.size(), cases.size() + 1);
  std::size_t at = 0, proposals = 0;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::size_t end = jsonl.out.find('\n', at);
    const json line = json::parse(jsonl.out.substr(at, end - at));
    at = end + 1;
    // The last two cells of a row: the changes and the weight.
    const std::string& row = rows[i + 1];
    const std::size_t lastComma = row.rfind(','), changesComma = row.rfind(',', lastComma - 1);
    const auto cell = [](std::string text) {
      return text.size() >= 2 && text.front() == '"' ? text.substr(1, text.size() - 2) : text;
    };
    const std::string changes = cell(row.substr(changesComma + 1, lastComma - changesComma - 1));
    const std::string weight = cell(row.substr(lastComma + 1));
    SCOPED_TRACE(row);
    if (line["adjusted"].is_null()) {
      EXPECT_EQ(changes, "");
      EXPECT_EQ(weight, "");
      continue;
    }
    ++proposals;
    std::string expected;
    const json& adjusted = line["adjusted"];
    for (const auto& name : adjusted["changed"]) {
      const std::string key = name.get<std::string>();
      const std::string text = key == "module"   ? adjusted["module"].get<std::string>()
                               : key == "cbsize" ? std::string(adjusted["cbsize"].get<bool>() ? "1" : "0")
                                                 : adjusted["entries"][key].get<std::string>();
      expected += (expected.empty() ? "" : "；") + key + "=" + text;
    }
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(weight, adjusted["weight"].dump());
  }
  EXPECT_GE(proposals, 4u);
}

// Texts are counted in characters (code points): 200 emoji, or 100 letters with a combining mark
// each, are a project name; one more character is refused, by name, in JSON and in a table.
TEST_F(CalcFiles, ProjectTextsCountCharactersNotBytesOrUnits) {
  std::string emoji, marked;
  for (int i = 0; i < 200; ++i) emoji += "😀";
  for (int i = 0; i < 100; ++i) marked += "e\u0301";
  for (const std::string& text : {emoji, marked}) {
    const json fits = lineOf(calc(R"({"module":"j1","project":{"name":")" + text + "\"}}", ""));
    EXPECT_FALSE(fits.contains("error")) << fits.dump();
    const json over = lineOf(calc(R"({"module":"j1","project":{"name":")" + text + "x\"}}", ""));
    EXPECT_EQ(over["error"], "项目信息“工程名称”过长（最多 200 个字符）");
    const CalcRun table = shell(std::string(PEDIVO_CALC) + " --csv " +
                                write("t.csv", "module,name\nj1," + text + "\nj1," + text + "x\n"));
    EXPECT_EQ(table.status, 1);
    EXPECT_EQ(table.out.find("项目信息“工程名称”过长"), table.out.rfind("项目信息“工程名称”过长"));
    EXPECT_NE(table.out.find("项目信息“工程名称”过长"), std::string::npos);
  }
}

// A line break in a project text is refused with its reason, never written raw or dropped.
TEST_F(CalcFiles, ProjectTextsAreOneLine) {
  for (const std::string& text : {std::string("A\\nB"), std::string("A\\tB"), std::string("A\\u0007B")}) {
    const json line = lineOf(calc(R"({"module":"j1","project":{"member":")" + text + "\"}}", ""));
    EXPECT_EQ(line["error"], "项目信息“构件编号”含有换行或其他控制字符，只能是一行文字") << text;
  }
  const CalcRun table = shell(std::string(PEDIVO_CALC) + " --csv " + write("t.csv", "module,member\nj1,\"KZ\n1\"\n"));
  EXPECT_EQ(table.status, 1);
  EXPECT_NE(table.out.find("只能是一行文字"), std::string::npos) << table.out;
}

}  // namespace
