#include "design/common/report_writer.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <pugixml.hpp>

#include "design/common/design_session.h"
#include "design/files/software_version.h"
#include "package_part.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

const std::string contentTypes =
    R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)";

std::string wordPart(const std::string& root, const std::string& inner) {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><)" + root +
         R"( xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006">)" +
         inner + "</" + root + ">";
}

std::string body(const std::string& paragraphs) { return wordPart("w:document", "<w:body>" + paragraphs + "</w:body>"); }

std::string para(const std::string& text) { return "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>"; }

using Parts = std::vector<std::pair<std::string, std::string>>;

void writeZip(const fs::path& path, const Parts& parts) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, data] : parts) {
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

using testing::packagePart;

// The text of each paragraph of a part, as a reader sees it.
std::vector<std::string> paragraphTexts(const std::string& xml) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata));
  std::vector<std::string> texts;
  for (pugi::xpath_node p : doc.select_nodes("//w:p")) {
    std::string text;
    for (pugi::xpath_node t : p.node().select_nodes(".//w:t"))
      if (t.node().select_nodes("ancestor::w:p").size() == p.node().select_nodes("ancestor::w:p").size() + 1)
        text += t.node().text().get();
    texts.push_back(text);
  }
  return texts;
}

// The cells of each table of a part, row by row, as a reader sees them.
using TableCells = std::vector<std::vector<std::string>>;
std::vector<TableCells> tablesOf(const std::string& xml) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata));
  std::vector<TableCells> tables;
  for (pugi::xpath_node table : doc.select_nodes("//w:tbl")) {
    TableCells rows;
    for (pugi::xml_node row : table.node().children("w:tr")) {
      std::vector<std::string>& cells = rows.emplace_back();
      for (pugi::xml_node cell : row.children("w:tc")) {
        std::string text;
        for (pugi::xpath_node t : cell.select_nodes(".//w:t")) text += t.node().text().get();
        cells.push_back(text);
      }
    }
    tables.push_back(std::move(rows));
  }
  return tables;
}

class ReportWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pedivo-report-test-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Fills a template whose document body holds the given paragraphs; returns the filled body's
  // paragraph texts.
  std::vector<std::string> fill(const std::string& paragraphs, const std::vector<TagText>& tags) {
    const fs::path tpl = folder_ / "t.docx";
    writeZip(tpl, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", body(paragraphs)}});
    const fs::path out = folder_ / "out.docx";
    const auto result = fillTemplate(tpl, tags, out, DocumentKind::Document);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result));
    return paragraphTexts(packagePart(out, "word/document.xml").value_or(""));
  }

  fs::path folder_;
};

TEST_F(ReportWriter, ReplacesEveryOccurrenceWithoutRegardToCaseAndBesideText) {
  const auto texts = fill(para("L=&lt;#L&gt;mm，长度&lt;#L&gt;") + para("&lt;#l&gt; and &lt;#N&gt;"),
                          {{"<#L>", "490"}, {"<#N>", "80"}});
  EXPECT_EQ(texts, (std::vector<std::string>{"L=490mm，长度490", "490 and 80"}));
}

TEST_F(ReportWriter, ATagIsNotFoundInsideALongerTag) {
  const auto texts = fill(para("&lt;#Ntal&gt; &lt;#N&gt;"), {{"<#N>", "80"}, {"<#Ntal>", "12.5"}});
  EXPECT_EQ(texts, (std::vector<std::string>{"12.5 80"}));
}

TEST_F(ReportWriter, WholeWordRuleForTagsThatBeginWithALetter) {
  EXPECT_EQ(fill(para("ab abc xab ab"), {{"ab", "Z"}}), (std::vector<std::string>{"Z abc xab Z"}));
}

TEST_F(ReportWriter, TagSplitOverThreeRunsWithAProofingMarkBetween) {
  const std::string split =
      "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>厚度 &lt;#t</w:t></w:r><w:proofErr w:type=\"spellStart\"/>"
      "<w:r><w:rPr><w:i/></w:rPr><w:t>p</w:t></w:r><w:bookmarkStart w:id=\"0\" w:name=\"x\"/>"
      "<w:r><w:t>b&gt; mm</w:t></w:r><w:proofErr w:type=\"spellEnd\"/></w:p>";
  const fs::path tpl = folder_ / "split.docx";
  writeZip(tpl, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", body(split)}});
  const fs::path out = folder_ / "split-out.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(fillTemplate(tpl, {{"<#tpb>", "20"}}, out, DocumentKind::Document)));
  const std::string xml = packagePart(out, "word/document.xml").value();
  EXPECT_EQ(paragraphTexts(xml), (std::vector<std::string>{"厚度 20 mm"}));
  // The value sits in the bold run where the tag began, with its spaces kept.
  pugi::xml_document doc;
  doc.load_string(xml.c_str());
  const pugi::xml_node firstRun = doc.select_node("//w:r").node();
  EXPECT_TRUE(firstRun.child("w:rPr").child("w:b"));
  EXPECT_STREQ(firstRun.child("w:t").text().get(), "厚度 20");
  EXPECT_STREQ(firstRun.child("w:t").attribute("xml:space").value(), "preserve");
  EXPECT_TRUE(doc.select_node("//w:proofErr"));
  EXPECT_TRUE(doc.select_node("//w:bookmarkStart"));
}

TEST_F(ReportWriter, EscapesXmlSpecialsAndDropsCharactersXmlCannotHold) {
  const auto texts = fill(para("&lt;#shear&gt;|&lt;#N&gt;"),
                          {{"<#shear>", "V<0.4N 不需设置抗剪键"}, {"<#N>", std::string("a&b\"c'\x01\x7f") + "\xff d"}});
  EXPECT_EQ(texts, (std::vector<std::string>{"V<0.4N 不需设置抗剪键|a&b\"c'\x7f d"}));
}

TEST_F(ReportWriter, MissingTagChangesNothingAndUntouchedPartsAreCopiedAsTheyWere) {
  const std::string document = body(para("没有标签"));
  const std::string styles = "<w:styles xmlns:w=\"x\">  <!-- kept --> </w:styles>";
  const fs::path tpl = folder_ / "plain.docx";
  writeZip(tpl, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", document}, {"word/styles.xml", styles},
                 {"word/media/image1.png", std::string("\x89PNG\0\x01", 6)}});
  const fs::path out = folder_ / "plain-out.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(fillTemplate(tpl, {{"<#hb>", "450"}}, out, DocumentKind::Document)));
  EXPECT_EQ(packagePart(out, "word/document.xml"), document);
  EXPECT_EQ(packagePart(out, "word/styles.xml"), styles);
  EXPECT_EQ(packagePart(out, "word/media/image1.png"), std::string("\x89PNG\0\x01", 6));
}

TEST_F(ReportWriter, FillsHeadersFootnotesAndBothCopiesOfATextBox) {
  const std::string textBox =
      "<w:p><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><w:txbxContent>" + para("甲&lt;#hb&gt;") +
      "</w:txbxContent></w:drawing></mc:Choice><mc:Fallback><w:pict><w:txbxContent>" + para("乙&lt;#hb&gt;") +
      "</w:txbxContent></w:pict></mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>外&lt;#hb&gt;</w:t></w:r></w:p>";
  const fs::path tpl = folder_ / "parts.docx";
  writeZip(tpl, {{"[Content_Types].xml", contentTypes},
                 {"word/document.xml", body(textBox)},
                 {"word/header1.xml", wordPart("w:hdr", para("页眉&lt;#HB&gt;"))},
                 {"word/footnotes.xml", wordPart("w:footnotes", "<w:footnote>" + para("注&lt;#hb&gt;") + "</w:footnote>")}});
  const fs::path out = folder_ / "parts-out.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(fillTemplate(tpl, {{"<#hb>", "450"}}, out, DocumentKind::Template)));
  EXPECT_EQ(paragraphTexts(packagePart(out, "word/document.xml").value()),
            (std::vector<std::string>{"外450", "甲450", "乙450"}));
  EXPECT_EQ(paragraphTexts(packagePart(out, "word/header1.xml").value()), (std::vector<std::string>{"页眉450"}));
  EXPECT_EQ(paragraphTexts(packagePart(out, "word/footnotes.xml").value()), (std::vector<std::string>{"注450"}));
  // Written as a Word template, so the word processor opens a new untitled document from it.
  EXPECT_NE(packagePart(out, "[Content_Types].xml")->find("wordprocessingml.template.main+xml"), std::string::npos);
}

TEST_F(ReportWriter, RefusesBrokenTemplatesWithAMessageNamingTheFile) {
  const fs::path notZip = folder_ / "not-zip.docx";
  std::ofstream(notZip) << "plain text";
  const fs::path corrupt = folder_ / "corrupt.docx";
  writeZip(corrupt, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", "<w:document><w:body>"}});
  const fs::path noDocument = folder_ / "no-document.docx";
  writeZip(noDocument, {{"[Content_Types].xml", contentTypes}});
  const std::vector<std::pair<fs::path, std::string>> cases{{folder_ / "missing.docx", "找不到计算书模板文件"},
                                                            {notZip, "不是有效的Word文档"},
                                                            {corrupt, "“word/document.xml”已损坏"},
                                                            {noDocument, "不是有效的Word文档"}};
  for (const auto& [path, problem] : cases) {
    const auto result = writeReport(path, {{"<#hb>", "450"}}, folder_ / "out");
    ASSERT_TRUE(std::holds_alternative<ReportError>(result)) << path;
    const std::string message = std::get<ReportError>(result).message;
    EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    EXPECT_NE(message.find(problem), std::string::npos) << message;
  }
}

TEST_F(ReportWriter, EachReportIsANewFileAndFailuresLeaveNothingBehind) {
  const fs::path tpl = folder_ / "j1.docx";
  writeZip(tpl, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", body(para("&lt;#hb&gt;"))}});
  const fs::path out = folder_ / "out";
  fs::create_directories(out);
  const auto first = writeReport(tpl, {{"<#hb>", "450"}}, out);
  const auto second = writeReport(tpl, {{"<#hb>", "300"}}, out);
  ASSERT_TRUE(std::holds_alternative<fs::path>(first));
  ASSERT_TRUE(std::holds_alternative<fs::path>(second));
  const fs::path a = std::get<fs::path>(first), b = std::get<fs::path>(second);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.extension(), ".dotx");
  EXPECT_EQ(a.filename().string().rfind("j1-", 0), 0u);
  EXPECT_EQ(paragraphTexts(packagePart(a, "word/document.xml").value()), (std::vector<std::string>{"450"}));
  EXPECT_EQ(paragraphTexts(packagePart(b, "word/document.xml").value()), (std::vector<std::string>{"300"}));

  const fs::path broken = folder_ / "broken.docx";
  std::ofstream(broken) << "x";
  ASSERT_TRUE(std::holds_alternative<ReportError>(writeReport(broken, {}, out)));
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);

  const auto unwritable = writeReport(tpl, {}, folder_ / "no-such-folder");
  ASSERT_TRUE(std::holds_alternative<ReportError>(unwritable));
  EXPECT_NE(std::get<ReportError>(unwritable).message.find("no-such-folder"), std::string::npos);
}

// A zip whose one stored part claims the given size in both of its headers.
std::string zipClaimingSize(const std::string& name, const std::string& data, std::uint32_t claimed) {
  const auto u16 = [](std::string& out, std::uint16_t v) { out.append({char(v & 0xFF), char(v >> 8)}); };
  const auto u32 = [&](std::string& out, std::uint32_t v) {
    u16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    u16(out, static_cast<std::uint16_t>(v >> 16));
  };
  const auto common = [&](std::string& out) {
    u16(out, 20), u16(out, 0), u16(out, 8), u16(out, 0), u16(out, 0);  // version, flags, deflate, time, date
    u32(out, 0), u32(out, static_cast<std::uint32_t>(data.size())), u32(out, claimed);
    u16(out, static_cast<std::uint16_t>(name.size()));
    u16(out, 0);
  };
  std::string zip;
  u32(zip, 0x04034b50);
  common(zip);
  zip += name + data;
  const auto directoryAt = static_cast<std::uint32_t>(zip.size());
  std::string directory;
  u32(directory, 0x02014b50);
  u16(directory, 20);
  common(directory);
  u16(directory, 0), u16(directory, 0), u16(directory, 0), u32(directory, 0), u32(directory, 0);
  directory += name;
  zip += directory;
  u32(zip, 0x06054b50);
  u16(zip, 0), u16(zip, 0), u16(zip, 1), u16(zip, 1);
  u32(zip, static_cast<std::uint32_t>(directory.size())), u32(zip, directoryAt);
  u16(zip, 0);
  return zip;
}

// Hostile templates: a part that claims 4 GB, a part that inflates far beyond any report, and
// paragraphs nested a hundred thousand deep. Each is told as a broken template; none may exhaust
// the memory or the stack.
TEST_F(ReportWriter, HostileTemplatesAreRefusedOrFilledWithoutExhaustingTheMachine) {
  const fs::path claims = folder_ / "claims.docx";
  std::ofstream(claims, std::ios::binary) << zipClaimingSize("word/document.xml", "\x03\x00\x00\x00\x00", 0xFFFFFFF0u);
  const auto claimed = fillTemplate(claims, {}, folder_ / "out1.docx", DocumentKind::Document);
  ASSERT_TRUE(std::holds_alternative<ReportError>(claimed));
  EXPECT_NE(std::get<ReportError>(claimed).message.find("过大"), std::string::npos);

  const fs::path bomb = folder_ / "bomb.docx";
  writeZip(bomb, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", std::string(65u << 20, ' ')}});
  const auto inflated = fillTemplate(bomb, {}, folder_ / "out2.docx", DocumentKind::Document);
  ASSERT_TRUE(std::holds_alternative<ReportError>(inflated));
  EXPECT_NE(std::get<ReportError>(inflated).message.find("过大"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder_ / "out2.docx"));

  constexpr int depth = 100000;
  std::string nested;
  for (int i = 0; i < depth; ++i) nested += "<w:p>";
  nested += "<w:r><w:t>&lt;#hb&gt;</w:t></w:r>";
  for (int i = 0; i < depth; ++i) nested += "</w:p>";
  const fs::path deep = folder_ / "deep.docx";
  writeZip(deep, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", body(nested)}});
  const fs::path out = folder_ / "out3.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(fillTemplate(deep, {{"<#hb>", "450"}}, out, DocumentKind::Document)));
  EXPECT_NE(packagePart(out, "word/document.xml").value().find(">450<"), std::string::npos);
}

// The paragraph of the table of combinations goes when a design has one combination, leaving no
// blank line; among other words, as the one paragraph a table cell must keep, or carrying the
// section's page setup, it stays.
TEST_F(ReportWriter, AParagraphOfOneEmptyTagVanishes) {
  const std::string heading = para("二、设计资料"), next = para("三、材料强度设计值");
  EXPECT_EQ(fill(heading + para("&lt;#combinations&gt;") + next, {{"<#combinations>", ""}}),
            (std::vector<std::string>{"二、设计资料", "三、材料强度设计值"}));
  // Split over runs, with blanks around it and a proofing mark between.
  const std::string split =
      "<w:p><w:pPr><w:jc w:val=\"left\"/></w:pPr><w:r><w:t xml:space=\"preserve\"> &lt;#comb</w:t></w:r>"
      "<w:proofErr w:type=\"spellStart\"/><w:r><w:rPr><w:b/></w:rPr><w:t>inations&gt; </w:t></w:r></w:p>";
  EXPECT_EQ(fill(heading + split + next, {{"<#combinations>", ""}}),
            (std::vector<std::string>{"二、设计资料", "三、材料强度设计值"}));
  // The last paragraph of the body.
  EXPECT_EQ(fill(heading + para("&lt;#combinations&gt;"), {{"<#combinations>", ""}}),
            (std::vector<std::string>{"二、设计资料"}));
  // Any other tag keeps its paragraph, empty or not: a project item left blank is still its line.
  EXPECT_EQ(fill(heading + para("&lt;#project.name&gt;"), {{"<#project.name>", ""}}),
            (std::vector<std::string>{"二、设计资料", ""}));

  // What stays.
  EXPECT_EQ(fill(para("注：&lt;#combinations&gt;") + next, {{"<#combinations>", ""}}),
            (std::vector<std::string>{"注：", "三、材料强度设计值"}));
  const std::string cell = "<w:tbl><w:tr><w:tc>" + para("&lt;#combinations&gt;") + "</w:tc></w:tr></w:tbl>";
  const std::string section =
      "<w:p><w:pPr><w:sectPr/></w:pPr><w:r><w:t>&lt;#combinations&gt;</w:t></w:r></w:p>";
  const fs::path kept = folder_ / "kept.docx";
  writeZip(kept, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", body(cell + heading + section)}});
  const fs::path keptOut = folder_ / "kept-out.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(fillTemplate(kept, {{"<#combinations>", ""}}, keptOut, DocumentKind::Document)));
  const std::string keptXml = packagePart(keptOut, "word/document.xml").value();
  EXPECT_NE(keptXml.find("<w:tc><w:p>"), std::string::npos) << keptXml;
  EXPECT_NE(keptXml.find("<w:sectPr"), std::string::npos) << keptXml;
  EXPECT_EQ(paragraphTexts(keptXml).size(), 3u);
}

// Several combinations: their text (text_block.h) becomes a table in the place of the paragraph
// that held only its tag, between its caption and its note, as wide as the section's text area;
// the header row repeats on each page and a failing ratio stands in red bold.
TEST_F(ReportWriter, SeveralCombinationsAreAWordTable) {
  const std::string text = "荷载组合：\n组合\tN (kN)\t最大利用率\n1：A\t−120\t0.85\n2：B\t300\t1.25 不满足\n注：取组合 2";
  const std::string tagged = "<w:p><w:pPr><w:jc w:val=\"left\"/></w:pPr><w:r><w:rPr><w:sz w:val=\"24\"/></w:rPr>"
                             "<w:t>&lt;#combinations&gt;</w:t></w:r></w:p>";
  const std::string page = "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1304\" "
                           "w:bottom=\"1440\" w:left=\"1304\" w:gutter=\"0\"/></w:sectPr>";
  const fs::path tpl = folder_ / "table.docx";
  writeZip(tpl, {{"[Content_Types].xml", contentTypes},
                 {"word/document.xml", body(para("二、设计资料") + tagged + para("三、材料强度设计值") + page)}});
  const fs::path out = folder_ / "table-out.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(
      fillTemplate(tpl, {{"<#combinations>", text}}, out, DocumentKind::Document)));
  const std::string xml = packagePart(out, "word/document.xml").value();
  EXPECT_EQ(tablesOf(xml), (std::vector<TableCells>{
                               {{"组合", "N (kN)", "最大利用率"}, {"1：A", "−120", "0.85"}, {"2：B", "300", "1.25 不满足"}}}));

  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str()));
  const pugi::xml_node bodyNode = doc.child("w:document").child("w:body");
  std::vector<std::string> order;
  for (pugi::xml_node child : bodyNode.children()) order.push_back(child.name());
  EXPECT_EQ(order, (std::vector<std::string>{"w:p", "w:p", "w:tbl", "w:p", "w:p", "w:sectPr"}));
  EXPECT_EQ(paragraphTexts(xml).at(1), "荷载组合：");
  EXPECT_EQ(paragraphTexts(xml).at(11), "注：取组合 2");
  const pugi::xml_node caption = bodyNode.child("w:p").next_sibling("w:p");
  EXPECT_STREQ(caption.child("w:pPr").child("w:jc").attribute("w:val").value(), "left");
  EXPECT_TRUE(caption.child("w:pPr").child("w:keepNext")) << "the caption keeps with its table";

  const pugi::xml_node table = bodyNode.child("w:tbl");
  EXPECT_EQ(table.child("w:tblPr").child("w:tblW").attribute("w:w").as_int(), 9298);
  int grid = 0;
  for (pugi::xml_node column : table.child("w:tblGrid").children("w:gridCol")) grid += column.attribute("w:w").as_int();
  EXPECT_EQ(grid, 9298);
  int row = 0;
  for (pugi::xml_node tr : table.children("w:tr")) {
    EXPECT_EQ(static_cast<bool>(tr.child("w:trPr").child("w:tblHeader")), row == 0) << row;
    for (pugi::xpath_node run : tr.select_nodes(".//w:r")) {
      const pugi::xml_node properties = run.node().child("w:rPr");
      const bool failed = std::string(run.node().child("w:t").text().get()).find("不满足") != std::string::npos;
      EXPECT_STREQ(properties.child("w:sz").attribute("w:val").value(), "24") << "the tag's run lends its look";
      EXPECT_EQ(static_cast<bool>(properties.child("w:b")), row == 0 || failed) << row;
      EXPECT_EQ(std::string(properties.child("w:color").attribute("w:val").value()), failed ? "FF0000" : "") << row;
    }
    ++row;
  }
  EXPECT_EQ(row, 3);
}

// In a user's template: beside other words the paragraph keeps them and the table follows; in a
// table cell the table nests and the cell still ends with a paragraph; in the paragraph that
// closes a section the table comes before it; where no table may stand, the rows are lines.
TEST_F(ReportWriter, TheTableOfCombinationsFitsWhereverItsTagStands) {
  const std::string text = "荷载组合：\n组合\tN (kN)\n1：A\t10\n2：B\t20";
  const TableCells cells{{"组合", "N (kN)"}, {"1：A", "10"}, {"2：B", "20"}};
  int n = 0;
  const auto filled = [&](const std::string& paragraphs, std::vector<std::string>& order) {
    const fs::path tpl = folder_ / ("user" + std::to_string(++n) + ".docx");
    writeZip(tpl, {{"[Content_Types].xml", contentTypes}, {"word/document.xml", body(paragraphs)}});
    const fs::path out = folder_ / ("user-out" + std::to_string(n) + ".docx");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(
        fillTemplate(tpl, {{"<#combinations>", text}}, out, DocumentKind::Document)));
    const std::string xml = packagePart(out, "word/document.xml").value_or("");
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str()));
    order.clear();
    for (pugi::xml_node child : doc.child("w:document").child("w:body").children()) order.push_back(child.name());
    return xml;
  };
  std::vector<std::string> order;
  std::string xml = filled(para("见下表：&lt;#combinations&gt;") + para("后文"), order);
  EXPECT_EQ(tablesOf(xml), std::vector<TableCells>{cells});
  EXPECT_EQ(order, (std::vector<std::string>{"w:p", "w:p", "w:tbl", "w:p"}));
  EXPECT_EQ(paragraphTexts(xml).front(), "见下表：");
  EXPECT_EQ(paragraphTexts(xml).back(), "后文");

  xml = filled("<w:tbl><w:tr><w:tc>" + para("&lt;#combinations&gt;") + "</w:tc></w:tr></w:tbl>", order);
  ASSERT_EQ(tablesOf(xml).size(), 2u);
  EXPECT_EQ(tablesOf(xml)[1], cells);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str()));
  const pugi::xml_node cell = doc.select_node("//w:tc[w:tbl]").node();
  ASSERT_TRUE(cell);
  EXPECT_STREQ(cell.last_child().name(), "w:p");
  EXPECT_EQ(cell.child("w:tbl").child("w:tblPr").child("w:tblW").attribute("w:type").as_string(), std::string("pct"));

  xml = filled("<w:p><w:pPr><w:sectPr/></w:pPr><w:r><w:t>&lt;#combinations&gt;</w:t></w:r></w:p>" + para("后文"), order);
  EXPECT_EQ(tablesOf(xml), std::vector<TableCells>{cells});
  EXPECT_EQ(order, (std::vector<std::string>{"w:p", "w:tbl", "w:p", "w:p"}));
  EXPECT_NE(xml.find("<w:sectPr"), std::string::npos);

  xml = filled("<w:customXml>" + para("&lt;#combinations&gt;") + "</w:customXml>", order);
  EXPECT_TRUE(tablesOf(xml).empty());
  EXPECT_EQ(paragraphTexts(xml), (std::vector<std::string>{"荷载组合：组合　N (kN)1：A　102：B　20"}));
}

// The shipped templates: a design under one combination has nothing where the table of
// combinations would stand; under three, the table stands between the design data and the
// material strengths with a row a combination and its columns, M only where the base takes one.
TEST_F(ReportWriter, TheTableOfCombinationsIsThereOnlyForSeveral) {
  for (const ModuleDescriptor* module : allModules()) {
    const std::string id = module->id;
    const bool moment = module->findControl("EdtM") != nullptr;
    // The body's blocks after the design data up to the material strengths' heading, by kind and text.
    const auto between = [&](DesignSession& session, const std::string& name, std::vector<TableCells>& tables) {
      const fs::path out = folder_ / (name + ".docx");
      EXPECT_TRUE(std::holds_alternative<std::monostate>(
          fillTemplate(module->templateFile, session.report(), out, DocumentKind::Document)));
      const std::string xml = packagePart(out, "word/document.xml").value_or("");
      pugi::xml_document doc;
      EXPECT_TRUE(doc.load_string(xml.c_str()));
      std::vector<std::string> blocks;
      bool inside = false;
      for (pugi::xml_node child : doc.child("w:document").child("w:body").children()) {
        std::string text;
        for (pugi::xpath_node t : child.select_nodes(".//w:t")) text += t.node().text().get();
        if (text.find("三、材料强度设计值") != std::string::npos) break;
        if (inside) blocks.push_back(std::string(child.name()) + " " + (child.name() == std::string("w:tbl") ? "" : text));
        if (text.find("混凝土强度等级") != std::string::npos) inside = true;
      }
      tables = tablesOf(xml);
      return blocks;
    };
    std::vector<TableCells> tables;
    DesignSession one(*module);
    one.calculate();
    const auto gap = between(one, id + "-one", tables);
    const std::size_t tablesOfOne = tables.size();

    DesignSession three(*module);
    const std::vector<LoadCombination> loads{{"1.3D+1.5L", 300, 20, moment ? 40.0 : 0.0},
                                             {"1.0D+1.5W", 150, 35, moment ? 60.0 : 0.0},
                                             {"0.9D-1.5W", 90, 30, moment ? -50.0 : 0.0}};
    ASSERT_FALSE(three.setLoads(loads));
    three.calculate();
    const auto blocks = between(three, id + "-three", tables);
    // The caption, the table and the note, where the tag's paragraph stood; the rest as under one.
    ASSERT_EQ(blocks.size(), gap.size() + 3) << id;
    const auto caption = std::find_if(blocks.begin(), blocks.end(), [](const std::string& b) { return b.starts_with("w:p 荷载组合"); });
    ASSERT_LT(caption - blocks.begin() + 2, static_cast<std::ptrdiff_t>(blocks.size())) << id;
    EXPECT_EQ(*(caption + 1), "w:tbl ") << id;
    EXPECT_TRUE((caption + 2)->starts_with("w:p 设计资料所列内力")) << id << " " << *(caption + 2);
    auto rest = blocks;
    rest.erase(rest.begin() + (caption - blocks.begin()), rest.begin() + (caption - blocks.begin()) + 3);
    EXPECT_EQ(rest, gap) << id;

    ASSERT_EQ(tables.size(), tablesOfOne + 1) << id;
    const auto table = std::find_if(tables.begin(), tables.end(), [](const TableCells& t) {
      return !t.empty() && !t[0].empty() && t[0][0] == "组合";
    });
    ASSERT_NE(table, tables.end()) << id;
    std::vector<std::string> header{"组合", "N (kN)", "V (kN)"};
    if (moment) header.push_back("M (kN·m)");
    header.insert(header.end(), {"最大利用率", "控制验算"});
    ASSERT_EQ(table->size(), 4u) << id;
    EXPECT_EQ((*table)[0], header) << id;
    const auto& summaries = three.combinations();
    ASSERT_EQ(summaries.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      const std::vector<std::string>& row = (*table)[i + 1];
      ASSERT_EQ(row.size(), header.size()) << id;
      EXPECT_EQ(row[0], std::to_string(i + 1) + "：" + loads[i].name) << id;
      EXPECT_EQ(row[1], std::to_string(static_cast<int>(loads[i].N))) << id;
      EXPECT_EQ(row[2], std::to_string(static_cast<int>(loads[i].V))) << id;
      if (moment) {
        EXPECT_EQ(row[3], (loads[i].M < 0 ? "−" : "") + std::to_string(static_cast<int>(std::fabs(loads[i].M))));
      }
      EXPECT_TRUE(row[header.size() - 2].starts_with(utilisationText(summaries[i].ratio))) << id;
      const auto named = std::find_if(three.checks().begin(), three.checks().end(), [&](const DesignCheck& check) {
        return check.id == summaries[i].ratioCheck;
      });
      ASSERT_NE(named, three.checks().end()) << id;
      EXPECT_EQ(row.back(), named->name) << id;
    }
  }
}

// A user's own template with only the tags of the base type's table is filled as it always was;
// the verdict tags that follow them find nothing to replace.
TEST_F(ReportWriter, AUsersTemplateWithOnlyTheTableTagsIsFilledAsBefore) {
  DesignSession session(*findModule("j1"));
  session.calculate();
  const std::string xml = para("L = &lt;#L&gt;, B = &lt;#B&gt;") + para("σc = &lt;#ylc&gt; ≤ &lt;#fc&gt;") +
                          para("&lt;#shear&gt;");
  EXPECT_EQ(fill(xml, session.report()),
            (std::vector<std::string>{"L = 490, B = 240", "σc = 0.68 ≤ 11.9", "V>0.4N 需要设置抗剪键"}));
}

// Every shipped template holds every tag of its base type's table, and filling it with a design
// leaves no tag behind (a misspelt tag in a template would).
TEST_F(ReportWriter, ShippedTemplatesHoldEveryTagOfTheirTablesAndLeaveNoneUnfilled) {
  const std::map<std::string, std::size_t> tableSizes{{"j1", 30}, {"j2", 43}, {"g11", 83}, {"g12", 83},
                                                      {"g2", 101}, {"g3", 101}, {"gc", 16}};
  for (const ModuleDescriptor* module : allModules()) {
    // The built templates sit beside the test programs, as beside the program.
    const fs::path tpl = module->templateFile;
    ASSERT_TRUE(fs::exists(tpl)) << tpl;
    std::string all;
    for (const auto& t : paragraphTexts(packagePart(tpl, "word/document.xml").value())) all += t + "\n";
    DesignSession session(*module);
    session.calculate();
    const auto tags = session.report();
    ASSERT_GE(tags.size(), tableSizes.at(module->id)) << module->id;
    for (std::size_t i = 0; i < tableSizes.at(module->id); ++i)
      EXPECT_NE(all.find(tags[i].tag), std::string::npos) << module->id << " " << tags[i].tag;

    // The version and the time of writing come from whoever writes the report.
    auto written = tags;
    for (const auto& stamp : writingTags(std::time(nullptr))) {
      EXPECT_NE(all.find(stamp.tag), std::string::npos) << module->id << " " << stamp.tag;
      written.push_back(stamp);
    }
    const fs::path out = folder_ / (module->id + ".docx");
    ASSERT_TRUE(std::holds_alternative<std::monostate>(fillTemplate(tpl, written, out, DocumentKind::Document)));
    std::string filled;
    for (const auto& t : paragraphTexts(packagePart(out, "word/document.xml").value())) filled += t + "\n";
    EXPECT_EQ(filled.find("<#"), std::string::npos) << module->id << ": " << filled.substr(filled.find("<#"), 40);
  }
}

}  // namespace
}  // namespace pedivo
