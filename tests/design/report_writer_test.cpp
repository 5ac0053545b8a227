#include "design/common/report_writer.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
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

  // Several combinations: the paragraph holds their lines.
  const fs::path tpl = folder_ / "lines.docx";
  writeZip(tpl, {{"[Content_Types].xml", contentTypes},
                 {"word/document.xml", body(heading + para("&lt;#combinations&gt;") + next)}});
  const fs::path out = folder_ / "lines-out.docx";
  ASSERT_TRUE(std::holds_alternative<std::monostate>(
      fillTemplate(tpl, {{"<#combinations>", "荷载组合：\n1. A\n2. B"}}, out, DocumentKind::Document)));
  const std::string xml = packagePart(out, "word/document.xml").value();
  EXPECT_EQ(paragraphTexts(xml), (std::vector<std::string>{"二、设计资料", "荷载组合：1. A2. B", "三、材料强度设计值"}));
  EXPECT_NE(xml.find("荷载组合：</w:t><w:br/><w:t xml:space=\"preserve\">1. A</w:t><w:br/>"), std::string::npos);

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

// The shipped templates: a design under one combination has no line where the table of
// combinations would stand; under three the table stands between the design data and the
// material strengths.
TEST_F(ReportWriter, TheTableOfCombinationsIsThereOnlyForSeveral) {
  for (const char* id : {"j1", "g11", "gc"}) {
    const ModuleDescriptor& module = *findModule(id);
    const bool moment = module.findControl("EdtM") != nullptr;
    const auto filledTexts = [&](DesignSession& session, const std::string& name) {
      const fs::path out = folder_ / (name + ".docx");
      EXPECT_TRUE(std::holds_alternative<std::monostate>(
          fillTemplate(module.templateFile, session.report(), out, DocumentKind::Document)));
      return paragraphTexts(packagePart(out, "word/document.xml").value_or(""));
    };
    // The paragraph after the design data, up to the material strengths' heading.
    const auto between = [](const std::vector<std::string>& texts) {
      const auto data = std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find("混凝土强度等级") != std::string::npos; });
      const auto strengths = std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find("三、材料强度设计值") != std::string::npos; });
      return data < strengths ? std::vector<std::string>(data + 1, strengths) : std::vector<std::string>{"out of order"};
    };
    DesignSession one(module);
    one.calculate();
    const auto plain = filledTexts(one, std::string(id) + "-one");
    const auto gap = between(plain);

    DesignSession three(module);
    ASSERT_FALSE(three.setLoads({{"1.3D+1.5L", 300, 20, moment ? 40.0 : 0.0},
                                 {"1.0D+1.5W", 150, 35, moment ? 60.0 : 0.0},
                                 {"0.9D-1.5W", 90, 30, moment ? -50.0 : 0.0}}));
    three.calculate();
    const auto combined = filledTexts(three, std::string(id) + "-three");
    const auto table = between(combined);
    ASSERT_EQ(table.size(), gap.size() + 1) << id;
    const std::string joined = [&] { std::string all; for (const auto& t : table) all += t; return all; }();
    EXPECT_NE(joined.find("0.9D-1.5W"), std::string::npos) << id;
    // Under one, nothing stands in its place: the rest is the same paragraphs.
    auto without = table;
    without.erase(std::find_if(without.begin(), without.end(),
                               [](const std::string& t) { return t.find("荷载组合") != std::string::npos; }));
    EXPECT_EQ(without, gap) << id;
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
