// The project block of a report (through design files, batch tables and report tags) and the
// messages a user reads: captions, never the program's own names; file errors in Chinese.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "design/common/design_session.h"
#include "design/common/project.h"
#include "design/files/batch.h"
#include "design/files/design_file.h"
#include "design/files/file_text.h"
#include "design/files/replace_file.h"
#include "design/files/xlsx_table.h"
#include "package_part.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

Project sampleProject() {
  return Project{"某厂房，一期 \"A\"", "GC-2026-07", "KZ-1", "张工", "李工", "王工", "2026-12-09"};
}

std::string tagText(const std::vector<TagText>& tags, const std::string& tag) {
  const auto found = std::find_if(tags.begin(), tags.end(), [&](const TagText& t) { return t.tag == tag; });
  return found == tags.end() ? "<missing>" : found->text;
}

class ProjectBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pedivo-project-test-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(ProjectBlock, RoundTripThroughADesignFile) {
  const ModuleDescriptor& module = *findModule("g2");
  DesignSession session(module);
  session.setText("EdtM", "300");
  const fs::path path = folder_ / "kz1.pedivo";
  ASSERT_EQ(writeDesignFile(path, module, session.entries(), sampleProject()), std::nullopt);
  const auto read = readDesignFile(path);
  ASSERT_TRUE(std::holds_alternative<DesignFile>(read)) << std::get<std::string>(read);
  EXPECT_EQ(std::get<DesignFile>(read).project, sampleProject());
  EXPECT_EQ(std::get<DesignFile>(read).entries.texts, session.entries().texts);

  // Half a block: the blank items stay blank and are not written.
  Project partial;
  partial.member = "KZ-2";
  const std::string text = designFileText(module, session.entries(), partial);
  EXPECT_NE(text.find(R"("project": {)"), std::string::npos);
  EXPECT_EQ(text.find(R"("designer")"), std::string::npos);
  EXPECT_EQ(std::get<DesignFile>(parseDesignFile(text)).project, partial);
}

// A file saved before the block existed opens with an empty block, and a design without one is
// saved as such files were.
TEST_F(ProjectBlock, FilesWithoutABlockOpenAndAreWrittenAsBefore) {
  const auto old = parseDesignFile(R"({"module": "j1", "entries": {"EdtN": "90"}})");
  ASSERT_TRUE(std::holds_alternative<DesignFile>(old));
  EXPECT_TRUE(std::get<DesignFile>(old).project.empty());
  const ModuleDescriptor& module = *findModule("j1");
  EXPECT_EQ(designFileText(module, module.defaultEntries(), Project{}).find("project"), std::string::npos);
}

TEST_F(ProjectBlock, ABlockThatIsNotOneIsRefusedByItsCaption) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {R"({"module": "j1", "project": {"name": 5}})", "项目信息“工程名称”应写成带引号的文字"},
      {R"({"module": "j1", "project": {"owner": "x"}})", "项目信息中没有“owner”一项"},
      {R"({"module": "j1", "project": "KZ-1"})", "项目信息应写作"},
      {R"({"module": "j1", "project": {"date": ")" + std::string(201, 'x') + R"("}})",
       "项目信息“日期”过长（最多 200 个字符）"},
  };
  for (const auto& [text, reason] : cases) {
    const auto parsed = parseDesignFile(text);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << text;
    EXPECT_NE(std::get<std::string>(parsed).find(reason), std::string::npos) << std::get<std::string>(parsed);
  }
  // Two hundred Chinese characters are two hundred characters, not six hundred bytes.
  std::string chinese;
  for (int i = 0; i < 200; ++i) chinese += "柱";
  Project project;
  EXPECT_EQ(setProjectText(project, "name", chinese), std::nullopt);
  EXPECT_NE(setProjectText(project, "name", chinese + "柱"), std::nullopt);
}

// Characters are code points everywhere: an emoji (four bytes, two UTF-16 units) is one, and so is
// each combining mark; at 200 a text is taken, at 201 refused, in a design file, a batch cell and
// the engine alike. A line break, a tab, another control character, a stray byte or U+FFFF is
// refused by the item's caption rather than dropped from the report.
TEST_F(ProjectBlock, TextsAreCountedInCodePointsAndKeptWhole) {
  std::string emoji, marked;
  for (int i = 0; i < 200; ++i) emoji += "😀";
  for (int i = 0; i < 100; ++i) marked += "e\u0301";
  for (const std::string& text : {emoji, marked}) {
    Project project;
    EXPECT_EQ(setProjectText(project, "name", text), std::nullopt);
    EXPECT_EQ(setProjectText(project, "name", text + "\u0301"), "项目信息“工程名称”过长（最多 200 个字符）");
    EXPECT_TRUE(std::holds_alternative<DesignFile>(parseDesignFile(R"({"module":"j1","project":{"name":")" + text + "\"}}")));
    EXPECT_FALSE(std::holds_alternative<DesignFile>(parseDesignFile(R"({"module":"j1","project":{"name":")" + text + "a\"}}")));
    const auto table = std::get<BatchTable>(readBatchTable("module,name\nj1," + text + "\nj1," + text + "a\n"));
    EXPECT_EQ(designRow(table, 0).error, std::nullopt);
    EXPECT_EQ(designRow(table, 1).error, "项目信息“工程名称”过长（最多 200 个字符）");
  }
  for (const char* text : {"KZ\n1", "KZ\r1", "KZ\t1", "KZ\x7F", "KZ\u0085"}) {
    Project project;
    EXPECT_EQ(setProjectText(project, "member", text), "项目信息“构件编号”含有换行或其他控制字符，只能是一行文字") << text;
  }
  for (const char* text : {"KZ\xFF", "KZ\xE6\x9F", "\uFFFF"}) {
    Project project;
    EXPECT_EQ(setProjectText(project, "member", text), "项目信息“构件编号”含有无法识别的字符（应为 UTF-8 文字）");
  }
  // A typed entry counts the same way: 64 characters of a number's width are the most.
  DesignSession session(*findModule("j1"));
  std::string digits;
  for (int i = 0; i < 64; ++i) digits += "１";  // full-width digits, three bytes each
  session.setText("EdtN", digits);
  const Outcome fits = session.calculate();
  EXPECT_EQ(fits.messages.front().find("过长"), std::string::npos) << fits.messages.front();
  session.setText("EdtN", digits + "１");
  EXPECT_NE(session.calculate().messages.front().find("的输入过长（最多 64 个字符）"), std::string::npos);
}

TEST_F(ProjectBlock, RoundTripThroughACsvRow) {
  const auto read = readBatchTable(
      "id,module,name,number,member,designer,checker,approver,date,EdtN\n"
      "1,j1,\"某厂房，一期 \"\"A\"\"\",GC-2026-07,KZ-1,张工,李工,王工,2026-12-09,90\n"
      "2,j1,,,KZ-2,,,,,\n");
  ASSERT_TRUE(std::holds_alternative<BatchTable>(read)) << std::get<std::string>(read);
  const BatchTable& table = std::get<BatchTable>(read);
  EXPECT_TRUE(hasProjectColumn(table.header));
  const BatchRow first = designRow(table, 0);
  const BatchRow second = designRow(table, 1);
  EXPECT_EQ(first.project, sampleProject());
  EXPECT_EQ(first.entries.texts.at("EdtN"), "90");
  EXPECT_EQ(second.project.member, "KZ-2");
  EXPECT_EQ(second.project.name, "");

  // Written out, the block stands after the base type under its captions, and reads back.
  const auto results = batchResultTable({first, second});
  const CsvRow& header = results.front();
  const auto at = std::find(header.begin(), header.end(), "工程名称") - header.begin();
  ASSERT_EQ(at, 3);
  for (std::size_t i = 0; i < projectFields.size(); ++i) {
    EXPECT_EQ(header[3 + i], projectFields[i].caption);
    EXPECT_EQ(results[1][3 + i], sampleProject().*projectFields[i].text);
  }
  const auto again = parseCsv(csvText(results));
  ASSERT_TRUE(std::holds_alternative<std::vector<CsvRow>>(again));
  EXPECT_EQ(std::get<std::vector<CsvRow>>(again)[1][3], sampleProject().name);
}

// The report fills the block's tags; blank items leave blanks, with or without a project.
TEST_F(ProjectBlock, ReportTagsOfEveryItem) {
  DesignSession session(*findModule("gc"));
  session.calculate();
  const auto blank = session.report();
  for (const auto& field : projectFields) EXPECT_EQ(tagText(blank, std::string(field.tag)), "") << field.key;
  session.setProject(sampleProject());
  const auto filled = session.report();
  for (const auto& field : projectFields)
    EXPECT_EQ(tagText(filled, std::string(field.tag)), sampleProject().*field.text) << field.key;
  // Both ways of handing the tags over give the same.
  std::vector<TagText> streamed;
  session.report([&](std::string_view tag, std::string_view text) { streamed.push_back({std::string(tag), std::string(text)}); });
  EXPECT_EQ(streamed.size(), filled.size());
  EXPECT_EQ(tagText(streamed, "<#project.approver>"), "王工");
  // The block is no entry: setting it leaves a completed design completed.
  EXPECT_EQ(session.status(), DesignStatus::Completed);
  session.reset();
  EXPECT_TRUE(session.project().empty());
}

// The workbook: the message column wide and wrapped, the utilisation with two decimals.
TEST_F(ProjectBlock, WorkbookColumnsHaveWidthsWrapAndDecimals) {
  const BatchTable table = std::get<BatchTable>(readBatchTable("module,EdtN\nj1,90\nzz,1\n"));
  const BatchRow rows[] = {designRow(table, 0), designRow(table, 1)};
  const auto results = batchResultTable({rows[0], rows[1]});
  const auto styles = resultColumnStyles(results.front());
  ASSERT_EQ(styles.size(), results.front().size());
  EXPECT_TRUE(styles[resultMessageColumn].wrap);
  EXPECT_GE(styles[resultMessageColumn].width, 40);
  EXPECT_TRUE(styles.back().twoDecimals);  // 最大利用率
  EXPECT_FALSE(styles[0].wrap || styles[0].twoDecimals);

  const fs::path path = folder_ / "results.xlsx";
  ASSERT_EQ(writeXlsxTable(path, results, {false, true}, styles), std::nullopt);
  const auto sheet = testing::packagePart(path, "xl/worksheets/sheet1.xml");
  const auto formats = testing::packagePart(path, "xl/styles.xml");
  ASSERT_TRUE(sheet && formats);
  EXPECT_NE(sheet->find(R"(<col min="2" max="2" width="48)"), std::string::npos) << sheet->substr(0, 800);
  EXPECT_NE(formats->find(R"(formatCode="0.00")"), std::string::npos);
  EXPECT_NE(formats->find(R"(wrapText="1")"), std::string::npos);
}

// Everything the core can say about hostile input, gathered.
std::vector<std::string> hostileMessages(const fs::path& folder) {
  std::vector<std::string> said;
  const auto keep = [&](const auto& result) {
    if (const auto* text = std::get_if<std::string>(&result)) said.push_back(*text);
  };
  for (const char* text : {"", "plain text", "{", "[1, 2]", R"({"module": 7})", R"({"entries": {}})",
                           R"({"module": "q9"})", R"({"module": "j1", "entries": []})",
                           R"({"module": "j1", "entries": {"EdtM": "1"}})", R"({"module": "j1", "entries": {"Edtzz": "1"}})",
                           R"({"module": "j1", "entries": {"CBf": "Q500"}})", R"({"module": "j1", "entries": {"CBfta": "Q999"}})",
                           R"({"module": "j1", "entries": {"EdtN": null}})", R"({"module": "j1", "cbsize": true})",
                           R"({"module": "g11", "cbsize": "yes"})", R"({"module": "g11", "steps": 3})",
                           R"({"module": "g11", "steps": [3]})", R"({"module": "g11", "steps": [], "entries": {}})",
                           R"({"module": "g11", "steps": [{"colour": 1}]})", R"({"module": "j1", "entries": {"CBcode": "GB 1"}})",
                           R"({"module": "j1", "entries": {"CBf": "Q460"}})", R"({"module": "j1", "project": []})",
                           R"({"module": "j1", "module": "g2"})", "{\"module\": \"j1\", \"entries\": {\"EdtN\": \"\\u0000\"}}"})
    keep(parseDesignFile(text));
  keep(readDesignFile(folder / "missing.pedivo"));
  keep(readDesignFile(folder));
  std::ofstream(folder / "table.csv") << "module\nj1\n";
  keep(readDesignFile(folder / "table.csv"));
  for (const auto& problem : {writeDesignFile(folder / "none" / "x.pedivo", *findModule("j1"), {}),
                              replaceFile(folder, "x"), replaceFile("/proc/version", "x")})
    if (problem) said.push_back(*problem);
  const auto unread = readFileText(folder / "missing.csv", 100);
  said.push_back(std::get<FileProblem>(unread).reason);

  for (const char* csv : {"", "id\n1\n", "module,Edtzz\nj1,1\n", "module,\"a\nb"})
    keep(readBatchTable(csv));
  const auto table = std::get<BatchTable>(readBatchTable(
      "module,cbsize,EdtM,EdtN,CBf,CBfc,Edthc,name\n"
      "j1,1,,,,,,\nzz,,,,,,,\n,,,,,,,\ng11,maybe,,,,,,\nj1,,5,,,,,\nj1,,,x,,,,\ng11,,,,Q500,,,\n"
      "g2,,,,,C90,,\ngc,,,,,,-4,\ngc,,,,,,99999,\ng3,,1e9,,,,,\nj2,,,,,,," + std::string(300, 'x') + "\n"
      "g12,,,,,,,,extra\nj1,,,-50,,,,\n"));
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    const BatchRow row = designRow(table, i);
    if (row.error) said.push_back(*row.error);
    said.insert(said.end(), row.messages.begin(), row.messages.end());
  }
  return said;
}

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// `name` standing as a word of its own in `text`, not as part of a longer one.
bool containsWord(const std::string& text, const std::string& name) {
  for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
    const std::size_t after = at + name.size();
    if ((at == 0 || !isLetter(text[at - 1])) &&
        (after == text.size() || !(isLetter(text[after]) || isDigit(text[after]))))
      return true;
  }
  return false;
}

// The text with what stands in “quotes” (the user's own words, a file's name) left out.
std::string withoutQuoted(const std::string& text) {
  const std::string open = "“", close = "”";
  std::string out;
  std::size_t from = 0;
  for (auto at = text.find(open); at != std::string::npos; at = text.find(open, from)) {
    const auto end = text.find(close, at + open.size());
    if (end == std::string::npos) break;
    out += text.substr(from, at - from) + open + close;
    from = end + close.size();
  }
  return out + text.substr(from);
}

// Two English words of two letters or more in a row, separated by blanks or punctuation.
std::optional<std::string> twoEnglishWords(const std::string& text) {
  const auto wordAt = [&](std::size_t i) {
    std::size_t j = i;
    while (j < text.size() && isLetter(text[j])) ++j;
    return j - i;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isLetter(text[i]) || (i > 0 && isLetter(text[i - 1]))) continue;
    const std::size_t first = wordAt(i);
    if (first < 2) continue;
    std::size_t j = i + first;
    const std::size_t gap = j;
    while (j < text.size() && (text[j] == ' ' || text[j] == ',' || text[j] == '.' || text[j] == ':')) ++j;
    if (j > gap && wordAt(j) >= 2) return text.substr(i, j + wordAt(j) - i);
  }
  return std::nullopt;
}

// What names the program's inside: object names of windows and controls, file formats, the
// detailing check box's name; and English the system wrote ("No such file or directory").
std::optional<std::string> internalWord(const std::string& message) {
  for (const char* word : {"JSON", "TForm", "cbsize", "GroupBox", "what()", "std::"})
    if (message.find(word) != std::string::npos) return word;
  for (const ModuleDescriptor* module : allModules())
    for (const auto& group : module->groups)
      for (const auto& control : group.controls)
        if (containsWord(message, control.name)) return control.name;
  // Two English words in a row: a system text. Grades (Q345), units (kN·m), code names (GB 50017)
  // and the format keys a user typed ("entries") are single words; what stands in “quotes” is the
  // user's own (a file's name).
  return twoEnglishWords(withoutQuoted(message));
}

// The sweep below must see what it looks for.
TEST(EngineerMessages, TheSweepTellsInternalWordsFromTheEngineersWords) {
  EXPECT_EQ(internalWord("无法打开：No such file or directory"), "No such");
  EXPECT_EQ(internalWord("无法打开“My Design.json”"), std::nullopt);  // the user's own file name, in quotes
  EXPECT_EQ(internalWord("EdtM 有误"), "EdtM");
  EXPECT_EQ(internalWord("EdtMx 与 xEdtM"), std::nullopt);
  EXPECT_EQ(internalWord("钢材牌号“Q500”不在可选范围内（Q235、Q345、Q390、Q420）"), std::nullopt);
  EXPECT_EQ(internalWord("柱底弯矩 M = 160 kN·m，GB 50017"), std::nullopt);
}

TEST(EngineerMessages, NoMessageNamesTheProgramsInside) {
  const fs::path folder = fs::temp_directory_path() / ("pedivo-messages-test-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const auto said = hostileMessages(folder);
  fs::remove_all(folder);
  EXPECT_GT(said.size(), 40u);
  for (const auto& message : said) {
    EXPECT_FALSE(message.empty());
    const auto word = internalWord(message);
    EXPECT_FALSE(word.has_value()) << message << "  ←  " << word.value_or("");
  }
}

TEST(EngineerMessages, ListsAndControlsAreNamedByTheirCaptions) {
  DesignSession session(*findModule("g11"));
  EXPECT_EQ(session.setText("CBf", "Q500"), "钢材牌号“Q500”不在可选范围内（Q235、Q345、Q390、Q420）");
  session.setText("CBcode", "GB 50017-2017");
  EXPECT_EQ(session.setText("CBfta", "Q500"), "锚栓牌号“Q500”不在可选范围内（Q235、Q355、Q390）");
  EXPECT_EQ(session.setText("Edtzz", "1"), "八锚栓刚接柱脚没有输入项“Edtzz”");
  DesignSession pinned(*findModule("j1"));
  EXPECT_EQ(pinned.setText("EdtM", "1"), "两锚栓铰接柱脚没有“柱底弯矩M”一项");
}

TEST(EngineerMessages, FileErrorsSayWhyInChinese) {
  const fs::path folder = fs::temp_directory_path() / ("pedivo-file-errors-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const auto reason = [](const auto& read) { return std::get<std::string>(read); };
  EXPECT_EQ(reason(readDesignFile(folder / "a.pedivo")), "无法打开设计文件“" + (folder / "a.pedivo").string() + "”：文件不存在");
  EXPECT_NE(reason(readDesignFile(folder)).find("这是一个文件夹"), std::string::npos);
  std::ofstream(folder / "notes.txt") << "柱脚 KZ-1";
  EXPECT_NE(reason(readDesignFile(folder / "notes.txt")).find("不是设计文件"), std::string::npos);
  EXPECT_EQ(replaceFile(folder / "none" / "x.pedivo", "x"), "文件夹不存在");
  if (::geteuid() != 0) {  // root reads and writes anywhere
    std::ofstream(folder / "locked.pedivo") << "{}";
    fs::permissions(folder / "locked.pedivo", fs::perms::none);
    EXPECT_NE(reason(readDesignFile(folder / "locked.pedivo")).find("没有读取权限"), std::string::npos);
    EXPECT_EQ(replaceFile(folder / "locked.pedivo", "x"), "没有写入权限");
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace pedivo
