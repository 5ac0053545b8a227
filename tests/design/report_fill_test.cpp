// Filling tags in one reading of each paragraph, checked against tag-by-tag filling on generated
// paragraphs; and the template reader fed damaged templates from a seeded generator.
// PEDIVO_FUZZ_SECONDS=60 runs the generated cases for longer.

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <random>

#include "design/common/report_writer.h"
#include "package_part.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

std::chrono::steady_clock::duration fuzzTime(double seconds) {
  if (const char* asked = std::getenv("PEDIVO_FUZZ_SECONDS")) seconds = std::atof(asked);
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
  return out;
}

std::string document(const std::vector<std::vector<std::string>>& paragraphs) {
  std::string xml = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)";
  for (const auto& runs : paragraphs) {
    xml += "<w:p>";
    for (const auto& run : runs) xml += "<w:r><w:rPr><w:b/></w:rPr><w:t>" + escaped(run) + "</w:t></w:r>";
    xml += "</w:p>";
  }
  return xml + "</w:body></w:document>";
}

// The runs' texts of each paragraph after filling.
std::vector<std::vector<std::string>> runsOf(const std::string& xml) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata));
  std::vector<std::vector<std::string>> paragraphs;
  for (pugi::xml_node p : doc.child("w:document").child("w:body").children("w:p")) {
    paragraphs.emplace_back();
    for (pugi::xml_node r : p.children("w:r")) paragraphs.back().push_back(r.child("w:t").text().get());
  }
  return paragraphs;
}

// Tag by tag, as the writer used to fill: every whole-word place of one tag, then the next tag.
bool isWordCharacter(char c) {
  return static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c));
}
std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
void fillTagByTag(std::vector<std::string>& runs, const std::vector<TagText>& tags) {
  for (const TagText& tag : tags) {
    std::string joined;
    for (const auto& run : runs) joined += run;
    const std::string text = lower(joined), needle = lower(tag.tag);
    std::vector<std::size_t> found;
    for (std::size_t from = 0; (from = text.find(needle, from)) != std::string::npos;) {
      const std::size_t end = from + needle.size();
      const bool clean = (!isWordCharacter(needle.front()) || from == 0 || !isWordCharacter(text[from - 1])) &&
                         (!isWordCharacter(needle.back()) || end == text.size() || !isWordCharacter(text[end]));
      if (clean) found.push_back(from);
      from = clean ? end : from + 1;
    }
    for (auto m = found.rbegin(); m != found.rend(); ++m) {
      std::size_t start = 0, first = 0, firstAt = 0, last = 0, lastAt = 0;
      for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::size_t end = start + runs[i].size();
        if (*m >= start && *m < end) first = i, firstAt = *m - start;
        if (*m + needle.size() - 1 >= start && *m + needle.size() - 1 < end)
          last = i, lastAt = *m + needle.size() - 1 - start;
        start = end;
      }
      if (first == last) {
        runs[first] = runs[first].substr(0, firstAt) + tag.text + runs[first].substr(lastAt + 1);
      } else {
        runs[first] = runs[first].substr(0, firstAt) + tag.text;
        for (std::size_t i = first + 1; i < last; ++i) runs[i].clear();
        runs[last] = runs[last].substr(lastAt + 1);
      }
    }
  }
}

// Generated paragraphs of tags (in any letter case, split anywhere over runs) and text around
// them: one reading of each paragraph fills exactly what tag-by-tag filling fills. The inserted
// texts begin and end with a character that is not a letter, so that no tag's whole-word test
// depends on which tag was filled first.
TEST(ReportFill, OneReadingOfAParagraphFillsWhatTagByTagFillingFills) {
  const std::vector<TagText> tags{{"<#hb>", "[450]"}, {"<#HB2>", "(二)"}, {"<#b>", "[b]"},     {"ab", "{ab}"},
                                  {"abc", "{abc}"},   {"<#柱>", "[柱]"},  {"<#hb>", "[never]"}};
  const std::vector<std::string> pieces{"<#hb>", "<#Hb>", "<#hb2>", "<#b>", "ab", "ABC", "abc", "<#柱>", "x",
                                        " ",     "<#",    ">",      "#",    "1",  "柱",  "<",   "a",     "b"};
  std::mt19937 random(20261209);
  const auto until = std::chrono::steady_clock::now() + fuzzTime(0.7);
  int cases = 0;
  while (std::chrono::steady_clock::now() < until || cases < 200) {
    ++cases;
    std::vector<std::vector<std::string>> paragraphs(1 + random() % 4);
    for (auto& runs : paragraphs) {
      std::string text;
      for (std::size_t n = random() % 12; n > 0; --n) text += pieces[random() % pieces.size()];
      // Cut into runs at byte boundaries between characters.
      std::vector<std::size_t> cuts{0, text.size()};
      for (std::size_t n = random() % 5; n > 0 && !text.empty(); --n) {
        std::size_t at = random() % text.size();
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
        cuts.push_back(at);
      }
      std::sort(cuts.begin(), cuts.end());
      for (std::size_t i = 0; i + 1 < cuts.size(); ++i) runs.push_back(text.substr(cuts[i], cuts[i + 1] - cuts[i]));
    }
    const auto filled = fillPartXml(document(paragraphs), tags, "word/document.xml");
    ASSERT_TRUE(std::holds_alternative<std::string>(filled));
    auto expected = paragraphs;
    for (auto& runs : expected) fillTagByTag(runs, tags);
    ASSERT_EQ(runsOf(std::get<std::string>(filled)), expected) << "case " << cases << ": " << document(paragraphs);
  }
}

// What a tag inserts is never read as a tag again (tag by tag, "<#a>" would end up "x" here).
TEST(ReportFill, InsertedTextIsNotFilledAgain) {
  const auto filled = fillPartXml(document({{"<#a> <#b>"}}), {{"<#a>", "<#b>"}, {"<#b>", "x"}}, "p");
  ASSERT_TRUE(std::holds_alternative<std::string>(filled));
  EXPECT_EQ(runsOf(std::get<std::string>(filled)), (std::vector<std::vector<std::string>>{{"<#b> x"}}));
}

// One tag two hundred thousand times in one run: each place costs the same (it grew with the
// places before it).
TEST(ReportFill, ATagRepeatedInOneRunFillsInLinearTime) {
  std::string run;
  for (int i = 0; i < 200000; ++i) run += "<#hb>";
  const auto start = std::chrono::steady_clock::now();
  const auto filled = fillPartXml(document({{run}}), {{"<#hb>", "450"}, {"<#tf>", "14"}}, "p");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  ASSERT_TRUE(std::holds_alternative<std::string>(filled));
  EXPECT_EQ(runsOf(std::get<std::string>(filled)).front().front().size(), 600000u);
}

void writeZip(const fs::path& path, const std::vector<std::pair<std::string, std::string>>& parts) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, data] : parts)
    zip_file_add(archive, name.c_str(), zip_source_buffer(archive, data.data(), data.size(), 0), ZIP_FL_ENC_UTF_8);
  ASSERT_EQ(zip_close(archive), 0);
}

// Damaged templates from a seeded generator: the shipped two-bolt template with its XML cut,
// doubled or scrambled and its package bytes flipped. Each one is filled or refused with a
// message; a filled one is a package whose text parts are well-formed.
TEST(ReportFill, DamagedTemplatesAreFilledOrRefusedNeverMore) {
  const fs::path shipped = "j1.docx";
  ASSERT_TRUE(fs::exists(shipped));
  const std::string types = testing::packagePart(shipped, "[Content_Types].xml").value();
  const std::string body = testing::packagePart(shipped, "word/document.xml").value();
  const fs::path folder = fs::temp_directory_path() / ("pedivo-template-fuzz-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path tpl = folder / "t.docx", out = folder / "out.docx";
  const std::vector<TagText> tags{{"<#hb>", "450"}, {"<#L>", "490 & <b>"}, {"<#B>", "\x01\xFF"}};
  const std::vector<std::string> inserts{"<w:p>", "</w:p>", "<w:t>", "&lt;#hb&gt;", "<",
                                         "&",     "]]>",    "\xFF",  "<?x?>",       "<w:r><w:t>&lt;#L&gt;</w:t></w:r>",
                                         "<!--",  "\"",     "<w:p/>"};
  std::mt19937 random(424242);
  const auto until = std::chrono::steady_clock::now() + fuzzTime(1.0);
  int filled = 0, refused = 0;
  while (std::chrono::steady_clock::now() < until || filled + refused < 50) {
    std::string xml = body;
    for (std::size_t n = 1 + random() % 4; n > 0; --n) {
      const std::size_t at = random() % (xml.size() + 1);
      switch (random() % 4) {
        case 0:
          xml.insert(at, inserts[random() % inserts.size()]);
          break;
        case 1:
          xml.erase(at, random() % 64);
          break;
        case 2:
          xml.insert(at, xml.substr(at, random() % 2048));
          break;
        default:
          if (at < xml.size()) xml[at] = static_cast<char>(random());
          break;
      }
    }
    writeZip(tpl, {{"[Content_Types].xml", types}, {"word/document.xml", xml}});
    if (random() % 4 == 0) {  // damage the package itself
      std::fstream file(tpl, std::ios::in | std::ios::out | std::ios::binary);
      const auto size = static_cast<std::streamoff>(fs::file_size(tpl));
      for (int k = 0; k < 3; ++k) {
        file.seekp(static_cast<std::streamoff>(random()) % size);
        file.put(static_cast<char>(random()));
      }
    }
    const auto result = fillTemplate(tpl, tags, out, DocumentKind::Document);
    if (const auto* error = std::get_if<ReportError>(&result)) {
      EXPECT_FALSE(error->message.empty());
      ++refused;
      continue;
    }
    ++filled;
    const auto part = testing::packagePart(out, "word/document.xml");
    ASSERT_TRUE(part.has_value());
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(part->data(), part->size())) << xml.substr(0, 200);
  }
  EXPECT_GT(filled, 0);
  EXPECT_GT(refused, 0);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace pedivo
