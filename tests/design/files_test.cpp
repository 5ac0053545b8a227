#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "design/common/design_session.h"
#include "design/files/batch.h"
#include "design/files/csv_table.h"
#include "design/files/design_file.h"
#include "design/files/xlsx_table.h"
#include "package_part.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

class DesignFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pedivo-files-test-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

// Every base type's entries, changed from the defaults, come back exactly as they were saved.
TEST_F(DesignFiles, RoundTripForEveryBaseType) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    session.setText("Edthc", "500");
    session.setText("EdtV", " 55.5 ");
    session.setText("CBfc", "C40");
    session.setCbsize(false);
    const fs::path path = folder_ / (module->id + designFileExtension);
    ASSERT_EQ(writeDesignFile(path, *module, session.entries()), std::nullopt);
    const auto read = readDesignFile(path);
    ASSERT_TRUE(std::holds_alternative<DesignFile>(read)) << std::get<std::string>(read);
    const DesignFile& file = std::get<DesignFile>(read);
    EXPECT_EQ(file.module, module);
    EXPECT_EQ(file.entries.texts, session.entries().texts) << module->id;
    EXPECT_EQ(file.entries.cbsize, session.entries().cbsize) << module->id;
  }
}

TEST_F(DesignFiles, APedivoCalcCaseOpensAsADesign) {
  const auto opened = parseDesignFile(R"({"module": "g11", "entries": {"EdtM": "300"}, "cbsize": false})");
  ASSERT_TRUE(std::holds_alternative<DesignFile>(opened));
  EXPECT_EQ(std::get<DesignFile>(opened).entries.texts.at("EdtM"), "300");
  EXPECT_EQ(std::get<DesignFile>(opened).entries.texts.at("Edthc"), "450");  // not given: the default
  EXPECT_FALSE(std::get<DesignFile>(opened).entries.cbsize);
  // A case in steps leaves the entries of its last step.
  const auto stepped =
      parseDesignFile(R"({"module": "j1", "steps": [{"entries": {"EdtN": "1"}}, {"entries": {"EdtV": "2"}}]})");
  ASSERT_TRUE(std::holds_alternative<DesignFile>(stepped));
  EXPECT_EQ(std::get<DesignFile>(stepped).entries.texts.at("EdtN"), "1");
  EXPECT_EQ(std::get<DesignFile>(stepped).entries.texts.at("EdtV"), "2");
}

// A check of given sizes is saved with its mode and sizes and opens as one; a design file stays a design.
TEST_F(DesignFiles, AGivenBaseKeepsItsSizes) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    session.calculate();
    const Sizes sizes = session.sizes();
    const auto opened = parseDesignFile(designFileText(*module, session.entries(), {}, sizes));
    ASSERT_TRUE(std::holds_alternative<DesignFile>(opened)) << std::get<std::string>(opened);
    EXPECT_EQ(std::get<DesignFile>(opened).sizes, sizes) << module->id;
    const auto design = parseDesignFile(designFileText(*module, session.entries()));
    EXPECT_EQ(std::get<DesignFile>(design).sizes, std::nullopt) << module->id;
    EXPECT_EQ(designFileText(*module, session.entries()).find("sizes"), std::string::npos);
  }
  const auto missing = parseDesignFile(R"({"module": "gc", "mode": "check", "sizes": {}})");
  ASSERT_TRUE(std::holds_alternative<std::string>(missing));
  EXPECT_NE(std::get<std::string>(missing).find("H2"), std::string::npos);
  EXPECT_TRUE(std::holds_alternative<std::string>(parseDesignFile(R"({"module": "gc", "mode": "verify"})")));
}

std::string stepsOf(int count) {
  std::string steps;
  for (int i = 0; i < count; ++i) steps += i == 0 ? "{}" : ",{}";
  return steps;
}

TEST_F(DesignFiles, WhatIsNotADesignIsRefusedWithItsReason) {
  EXPECT_TRUE(std::holds_alternative<DesignFile>(parseDesignFile(R"({"module": "j1", "steps": [)" + stepsOf(100) + "]}")));
  const std::vector<std::pair<std::string, std::string>> cases{
      {"plain text", "不是设计文件"},
      {R"({"entries": {}})", "不是设计文件（没有写明柱脚类型）"},
      {R"({"module": "x1"})", "柱脚类型“x1”未知"},
      {R"({"module": "j1", "entries": {"EdtM": "100"}})", "两锚栓铰接柱脚没有“柱底弯矩M”一项"},
      {R"({"module": "j1", "entries": {"CBfc": "C50"}})", "混凝土强度等级“C50”不在可选范围内（C25、C30、C35、C40）"},
      {R"({"module": "j1", "entries": {"EdtN": 80}})", "柱底轴力N的内容应写成带引号的文字"},
      {R"({"module": "gc", "cbsize": true})", "插入式刚接柱脚没有“底板尺寸按构造要求选取”一项"},
      {R"({"module": "j1", "colour": "red"})", "未知的键“colour”"},
      {R"({"module": "j1", "entries": )" + std::string(1000, '[') + std::string(1000, ']') + "}", "嵌套层数过多"},
      {R"({"module": "j1", "steps": [)" + stepsOf(101) + "]}", "步骤过多（最多 100 步）"},
  };
  for (const auto& [text, reason] : cases) {
    const auto parsed = parseDesignFile(text);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << text.substr(0, 60);
    EXPECT_NE(std::get<std::string>(parsed).find(reason), std::string::npos) << std::get<std::string>(parsed);
  }
  const auto missing = readDesignFile(folder_ / "missing.pedivo");
  ASSERT_TRUE(std::holds_alternative<std::string>(missing));
  EXPECT_NE(std::get<std::string>(missing).find("missing.pedivo"), std::string::npos);
  EXPECT_TRUE(std::holds_alternative<std::string>(readDesignFile(folder_)));
}

// A save that cannot be completed leaves the old file as it was and no temporary file behind.
TEST_F(DesignFiles, FailedSaveLeavesTheOldFileIntact) {
  const ModuleDescriptor& module = *findModule("j1");
  const fs::path path = folder_ / "old.pedivo";
  std::ofstream(path) << "old contents";
  const fs::path lockedFolder = folder_ / "locked";
  fs::create_directories(lockedFolder);
  const fs::path inLocked = lockedFolder / "old.pedivo";
  std::ofstream(inLocked) << "old contents";
  fs::permissions(lockedFolder, fs::perms::owner_read | fs::perms::owner_exec);
  const auto refused = writeDesignFile(inLocked, module, module.defaultEntries());
  fs::permissions(lockedFolder, fs::perms::owner_all);
  if (::geteuid() != 0) {  // root writes anywhere
    ASSERT_NE(refused, std::nullopt);
    EXPECT_NE(refused->find("old.pedivo"), std::string::npos);
  }
  std::ifstream in(inLocked);
  std::stringstream kept;
  kept << in.rdbuf();
  if (::geteuid() != 0) {
    EXPECT_EQ(kept.str(), "old contents");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(lockedFolder), fs::directory_iterator()), 1);

  // A save into a folder that does not exist fails and creates nothing.
  EXPECT_NE(writeDesignFile(folder_ / "no-folder" / "x.pedivo", module, module.defaultEntries()), std::nullopt);
  ASSERT_EQ(writeDesignFile(path, module, module.defaultEntries()), std::nullopt);
  EXPECT_TRUE(std::holds_alternative<DesignFile>(readDesignFile(path)));
}

TEST(CsvTables, QuotedCommasQuotesLineBreaksAndAByteOrderMark) {
  const auto rows = parseCsv("\xEF\xBB\xBFid,module\r\n\"a,b\",\"say \"\"hi\"\"\"\n\"two\nlines\",x\n\n");
  ASSERT_TRUE(std::holds_alternative<std::vector<CsvRow>>(rows));
  const auto& table = std::get<std::vector<CsvRow>>(rows);
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0], (CsvRow{"id", "module"}));
  EXPECT_EQ(table[1], (CsvRow{"a,b", "say \"hi\""}));
  EXPECT_EQ(table[2], (CsvRow{"two\nlines", "x"}));
  // What is written reads back as it was.
  const auto again = parseCsv(csvText(table));
  ASSERT_TRUE(std::holds_alternative<std::vector<CsvRow>>(again));
  EXPECT_EQ(std::get<std::vector<CsvRow>>(again), table);
  EXPECT_EQ(csvText(table).substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_TRUE(std::holds_alternative<std::string>(parseCsv("a,\"unclosed\n")));
}

TEST(BatchDesign, RowsDesignAsSingleRunsAndBadRowsCarryTheirError) {
  const auto read = readBatchTable(
      "id,module,EdtN,EdtV,EdtM,cbsize,Edthc\n"
      "C1,j1,2000,100,,,\n"
      "C2,g11,,,300,0,\n"
      "C3,j1,80,40,5,,\n"
      "C4,zz,,,,,\n"
      ",gc,,,,,500\n"
      "C6,j1,\"3,000\",,,,\n");
  ASSERT_TRUE(std::holds_alternative<BatchTable>(read));
  const BatchTable& table = std::get<BatchTable>(read);
  ASSERT_EQ(table.rows.size(), 6u);
  std::vector<BatchRow> rows;
  for (std::size_t i = 0; i < table.rows.size(); ++i) rows.push_back(designRow(table, i));

  DesignSession single(*findModule("j1"));
  single.setText("EdtN", "2000");
  single.setText("EdtV", "100");
  EXPECT_EQ(rows[0].messages, single.calculate().messages);
  EXPECT_EQ(rows[0].fields.size(), single.results().fields.size());
  for (std::size_t i = 0; i < rows[0].fields.size(); ++i) EXPECT_EQ(rows[0].fields[i].text, single.results().fields[i].text);

  DesignSession rigid(*findModule("g11"));
  rigid.setText("EdtM", "300");
  rigid.setCbsize(false);
  EXPECT_EQ(rows[1].messages, rigid.calculate().messages);
  EXPECT_FALSE(rows[1].entries.cbsize);

  EXPECT_EQ(rows[2].error, "两锚栓铰接柱脚没有“柱底弯矩M”一项");
  EXPECT_EQ(rows[3].error, "柱脚类型“zz”未知（应为 j1、j2、g11、g12、g2、g3、gc）");
  EXPECT_EQ(rows[4].id, "5");  // no id: the row's number
  EXPECT_EQ(rows[4].fields.front().text, "750");  // 1.5·hb for hb = 500
  EXPECT_EQ(rows[5].error, "“3,000”不是有效的数值");

  const auto results = batchResultTable(rows);
  ASSERT_EQ(results.size(), 7u);
  EXPECT_EQ(results[0][0], "编号");
  EXPECT_EQ(results[0][1], "提示");  // a row's message beside its number
  EXPECT_EQ(results[1][2], "j1 两锚栓铰接柱脚");
  EXPECT_EQ(results[1][1].rfind("计算完毕！", 0), 0u);
  EXPECT_EQ(results[3][1], "两锚栓铰接柱脚没有“柱底弯矩M”一项");
  EXPECT_EQ(results[3][results[0].size() - 2], "");  // no count of failing checks for a row not designed
  EXPECT_EQ(results[0].back(), "最大利用率");
  EXPECT_EQ(std::count(results[0].begin(), results[0].end(), "工程名称"), 0);  // no project columns asked for
}

// The workbook holds the table: numbers as numbers, texts as texts, in its first sheet.
TEST_F(DesignFiles, ResultsAsAnExcelWorkbook) {
  const std::vector<CsvRow> table{{"编号", "底板长度L（mm）", "错误"}, {"KZ-1", "490", ""}, {"KZ-2", "", "未知的柱脚类型"}};
  const fs::path path = folder_ / "results.xlsx";
  ASSERT_EQ(writeXlsxTable(path, table, {false, true}), std::nullopt);
  const auto sheet = testing::packagePart(path, "xl/worksheets/sheet1.xml");
  ASSERT_TRUE(sheet.has_value());
  EXPECT_NE(sheet->find("<v>490</v>"), std::string::npos);  // a number, not a text
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);  // no temporary left
  EXPECT_NE(writeXlsxTable(folder_ / "no-folder" / "x.xlsx", table, {}), std::nullopt);
}

TEST(BatchDesign, TablesThatCannotBeReadAreRefusedWhole) {
  EXPECT_EQ(std::get<std::string>(readBatchTable("id,EdtN\n1,80\n")), "表格缺少柱脚类型列“module”");
  EXPECT_EQ(std::get<std::string>(readBatchTable("module,EdtNN\nj1,80\n")), "未知的列“EdtNN”");
  EXPECT_EQ(std::get<std::string>(readBatchTable("")), "表格是空的");
}

}  // namespace
}  // namespace pedivo
