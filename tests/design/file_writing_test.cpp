// Writing files safely, spreadsheet cells, tables read as a stream, JSON checks and batch rows
// designed on the worker pool.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "design/common/report_writer.h"
#include "design/files/batch.h"
#include "design/files/batch_run.h"
#include "design/files/csv_table.h"
#include "design/files/design_file.h"
#include "design/files/json_text.h"
#include "design/files/replace_file.h"
#include "design/files/spreadsheet_cells.h"
#include "design/files/xlsx_table.h"
#include "package_part.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

class FileWriting : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pedivo-writing-test-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  static std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  fs::path folder_;
};

// Every writer refuses what is not a regular file, and a link whose file is missing, with a
// reason; nothing is created or left behind. Reports, design files, CSV and workbooks alike.
TEST_F(FileWriting, EveryWriterRefusesTargetsThatAreNotRegularFiles) {
  const fs::path dangling = folder_ / "dangling.csv";
  fs::create_symlink(folder_ / "missing-folder" / "x.csv", dangling);
  const fs::path subfolder = folder_ / "sub";
  fs::create_directories(subfolder);
  const std::vector<CsvRow> table{{"编号"}, {"1"}};
  const ModuleDescriptor& module = *findModule("j1");
  for (const fs::path& target : {fs::path("/dev/null"), subfolder, dangling}) {
    SCOPED_TRACE(target.string());
    const auto expected = target == dangling ? "符号链接指向的文件不存在" : "不是普通文件";
    EXPECT_EQ(replaceFile(target, "x"), std::optional<std::string>(expected));
    EXPECT_EQ(writeXlsxTable(target, table, {false}), std::optional<std::string>(expected));
    const auto design = writeDesignFile(target, module, module.defaultEntries());
    ASSERT_TRUE(design.has_value());
    EXPECT_NE(design->find(expected), std::string::npos);
    const auto report = fillTemplate(module.templateFile, {}, target, DocumentKind::Document);
    ASSERT_TRUE(std::holds_alternative<ReportError>(report));
    EXPECT_NE(std::get<ReportError>(report).message.find(expected), std::string::npos);
  }
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_FALSE(fs::exists(folder_ / "missing-folder"));
  EXPECT_EQ(filesInFolder(), 2u);  // the link and the folder: no temporary file left
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A link is written through and stays a link; the file keeps its permissions; a file the user
// may not write is left alone (seen only when not running as root).
TEST_F(FileWriting, LinksAreWrittenThroughAndPermissionsKept) {
  const fs::path real = folder_ / "real.csv";
  const fs::path link = folder_ / "link.csv";
  std::ofstream(real) << "old";
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, link);
  ASSERT_EQ(replaceFile(link, "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contents(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  ASSERT_EQ(writeXlsxTable(link, {{"编号"}, {"KZ-1"}}, {false}), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contents(real).substr(0, 2), "PK");
  EXPECT_EQ(filesInFolder(), 2u);

  const fs::path locked = folder_ / "locked.csv";
  std::ofstream(locked) << "keep";
  fs::permissions(locked, fs::perms::owner_read);
  if (::geteuid() != 0) {
    EXPECT_EQ(replaceFile(locked, "x"), std::optional<std::string>("没有写入权限"));
    EXPECT_EQ(contents(locked), "keep");
  }
  fs::permissions(locked, fs::perms::owner_all);
}

// A replacement dropped before commit leaves the target as it was and no temporary file.
TEST_F(FileWriting, AnUnfinishedReplacementChangesNothing) {
  const fs::path target = folder_ / "kept.csv";
  std::ofstream(target) << "before";
  {
    auto started = FileReplacement::begin(target);
    ASSERT_TRUE(std::holds_alternative<FileReplacement>(started));
    auto& file = std::get<FileReplacement>(started);
    EXPECT_EQ(file.temporary().parent_path(), target.parent_path());
    EXPECT_TRUE(file.write("half"));
  }
  EXPECT_EQ(contents(target), "before");
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST(SpreadsheetCells, TextThatASpreadsheetWouldRunIsGuardedNumbersAreNot) {
  std::string room;
  for (const char* text : {"=HYPERLINK(\"http://x\",\"y\")", "+A1", "-A1", "@SUM(A1)", "\tx", "\rx", "-", "=1+1"})
    EXPECT_EQ(csvGuarded(text, room), "'" + std::string(text)) << text;
  for (const char* text : {"-12.5", "+3", "-0", "KZ-1", "", "满足", "'quoted"})
    EXPECT_EQ(csvGuarded(text, room), text) << text;
  std::string line;
  appendCsvLine(line, {"=cmd", "-4.5", "a\"b"});
  EXPECT_EQ(line, "\"'=cmd\",\"-4.5\",\"a\"\"b\"\r\n");
}

TEST(SpreadsheetCells, BrokenUtf8IsReplacedAndLongCellsAreCutWithANote) {
  EXPECT_EQ(validUtf8("柱脚 KZ-1"), "柱脚 KZ-1");
  EXPECT_EQ(validUtf8("a\xFF"
                      "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(validUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // an overlong '/'
  EXPECT_EQ(validUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate
  EXPECT_EQ(validUtf8("\xE6\x9F"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // cut short at the end
  EXPECT_EQ(validUtf8("\xF4\x90\x80\x80").substr(0, 3), "\xEF\xBF\xBD");         // beyond U+10FFFF

  const CsvRow header{"编号", "柱脚类型", "计算提示", "错误"};
  CsvRow row{std::string(20000, 'x') + std::string(10000, '\xFF'), "j1", "计算完毕！", "柱"};
  for (int i = 0; i < 12000; ++i) row[3] += "柱";  // 36,003 bytes of Chinese
  fitRow(row, header, 2);
  for (const std::string& cell : row) {
    EXPECT_LE(cell.size(), maximumCellBytes);
    EXPECT_EQ(validUtf8(cell), cell);
  }
  EXPECT_TRUE(row[0].ends_with(cutMarker));
  EXPECT_TRUE(row[3].ends_with(cutMarker));
  EXPECT_EQ(row[2], "计算完毕！\n“编号”一栏超过 32767 字节，已截断\n“错误”一栏超过 32767 字节，已截断");
}

// A table read as a stream in blocks gives what the whole text gives, also where a quoted field
// with a line break spans two blocks; a NUL byte is refused.
TEST(CsvStream, ReadsWhatTheWholeTextGives) {
  std::string text = "\xEF\xBB\xBFmodule,id\n";
  for (int i = 0; i < 6000; ++i) text += "j1,\"KZ-" + std::to_string(i) + "\n第二行,\"\"引号\"\"\"\n";
  const auto whole = std::get<std::vector<CsvRow>>(parseCsv(text));
  std::vector<CsvRow> streamed;
  std::istringstream in(text);
  ASSERT_EQ(readCsvRows(in, [&](CsvRow&& row) { return streamed.push_back(std::move(row)), true; }), std::nullopt);
  EXPECT_EQ(streamed, whole);
  ASSERT_EQ(whole.size(), 6001u);
  EXPECT_EQ(whole[0][0], "module");
  EXPECT_EQ(whole[6000][1], "KZ-5999\n第二行,\"引号\"");

  EXPECT_EQ(std::get<std::string>(parseCsv(std::string("module\nj1\0x\n", 11))), "表格含有空字符（NUL），不是文本表格");
  EXPECT_NE(std::get<std::string>(parseCsv("module\n\"j1\n")).find("表格格式错误"), std::string::npos);
}

// Texts go into the workbook as texts, whatever they begin with; broken UTF-8 never makes the
// sheet ill-formed; a long cell is kept, cut.
TEST_F(FileWriting, WorkbookStoresTextAsTextAndStaysWellFormed) {
  CsvRow header{"编号", "柱脚类型", "计算提示", "底板长度L（mm）"};
  CsvRow row{"=HYPERLINK(\"http://x\")", "j1\xFF", std::string(40000, 'y'), "490"};
  fitRow(row, header, 2);
  const fs::path path = folder_ / "results.xlsx";
  ASSERT_EQ(writeXlsxTable(path, {header, row}, {true}), std::nullopt);
  const auto sheet = testing::packagePart(path, "xl/worksheets/sheet1.xml");
  ASSERT_TRUE(sheet.has_value());
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_buffer(sheet->data(), sheet->size()));
  EXPECT_EQ(sheet->find("<f>"), std::string::npos);  // no formula anywhere
  EXPECT_NE(sheet->find("=HYPERLINK"), std::string::npos);
  EXPECT_NE(sheet->find("<v>490</v>"), std::string::npos);
  EXPECT_NE(sheet->find("j1\xEF\xBF\xBD"), std::string::npos);
  EXPECT_NE(sheet->find("已截断"), std::string::npos);
}

TEST(JsonText, RepeatedKeysNulAndDepthAreRefused) {
  EXPECT_EQ(checkJsonText(R"({"module": "j1", "module": "gc"})", 32), "重复的键“module”");
  EXPECT_EQ(checkJsonText(R"({"entries": {"EdtN": "1", "EdtN": "2"}})", 32), "重复的键“EdtN”");
  EXPECT_EQ(checkJsonText(R"({"steps": [{"cbsize": true}, {"cbsize": true}]})", 32),
            std::nullopt);  // one key an object
  EXPECT_EQ(checkJsonText(R"({"entries": {"EdtN": "20\u0000junk"}})", 32), "含有空字符（NUL）");
  EXPECT_EQ(checkJsonText(std::string("{\"module\": \"j1\"}\0 trailing", 26), 32), "含有空字符（NUL）");
  EXPECT_EQ(checkJsonText("{\"module\": ", 32), std::nullopt);  // not JSON: the reader says where

  // The depth the reader's callback counted: the contents of the n-th nested container are at n.
  const auto nested = [](int n, const std::string& inner) {
    return std::string(static_cast<std::size_t>(n), '[') + inner + std::string(static_cast<std::size_t>(n), ']');
  };
  EXPECT_EQ(checkJsonText(nested(3, "1"), 3), std::nullopt);
  EXPECT_EQ(checkJsonText(nested(4, "1"), 3), "嵌套层数过多");
  EXPECT_EQ(checkJsonText(nested(4, ""), 3), std::nullopt);  // an empty container is opened at depth 3
  EXPECT_EQ(checkJsonText(nested(5, ""), 3), "嵌套层数过多");
}

// A design file of a megabyte of empty steps opens at once (reading arrays with a callback
// took a minute); a repeated key is refused.
TEST(JsonText, LongArraysReadInLinearTime) {
  std::string steps;
  while (steps.size() < (1u << 20) - 100) steps += "{},";
  const std::string text = R"({"module": "j1", "steps": [)" + steps + "{}]}";
  const auto start = std::chrono::steady_clock::now();
  const auto file = parseDesignFile(text);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  // Read whole in linear time, then refused: a design presses "计算" at most 100 times.
  EXPECT_EQ(std::get<std::string>(file), "步骤过多（最多 100 步）");
  EXPECT_EQ(std::get<std::string>(parseDesignFile(R"({"module": "j1", "module": "gc"})")), "重复的键“module”");
}

// On the pool, rows come back in the table's order, each as designing it alone gives it.
TEST(BatchRun, RowsOnThePoolComeBackInOrderAsDesignedAlone) {
  std::string csv = "module,id,EdtN,EdtM\n";
  const char* modules[] = {"j1", "g2", "gc", "zz", "g11", "j2", "g3", "g12"};
  for (int i = 0; i < 200; ++i)
    csv += std::string(modules[i % 8]) + "," + (i % 5 == 0 ? "" : "C" + std::to_string(i)) + "," +
           std::to_string(50 + i * 37 % 900) + "," + (i % 8 < 2 || i % 8 == 5 ? "" : std::to_string(i * 13 % 400)) +
           "\n";
  const auto table = std::get<BatchTable>(readBatchTable(csv));
  WorkerPool pool(2);
  OrderedRowDesigns designing(pool, table.header);
  std::vector<BatchRow> rows;
  for (const auto& cells : table.rows) {
    designing.add(cells);
    while (designing.batchesInFlight() > 3)
      designing.takeOldest([&](BatchRow&& row) { rows.push_back(std::move(row)); });
  }
  designing.submitPartial();
  while (designing.batchesInFlight() > 0) designing.takeOldest([&](BatchRow&& row) { rows.push_back(std::move(row)); });
  ASSERT_EQ(rows.size(), table.rows.size());
  std::vector<BatchRow> alone;
  for (std::size_t i = 0; i < table.rows.size(); ++i) alone.push_back(designRow(table, i));
  EXPECT_EQ(batchResultTable(rows), batchResultTable(alone));
  EXPECT_EQ(rows[0].id, "1");
  EXPECT_EQ(rows[1].id, "C1");
}

}  // namespace
}  // namespace pedivo
