// Filling reports: the shipped templates with a design's tags, and hostile templates at the
// template reader's limits (one tag repeated in a run, many paragraphs, large headers).
// Run from the folder with the templates: build/bin/pedivo_bench --benchmark_filter=Fill

#include <benchmark/benchmark.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"

namespace {

namespace fs = std::filesystem;

using Parts = std::vector<std::pair<std::string, std::string>>;

const std::string contentTypes =
    R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)";

std::string wordPart(const std::string& root, const std::string& inner) {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><)" + root +
         R"( xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)" + inner + "</" + root + ">";
}

fs::path writeTemplate(const std::string& name, const Parts& parts) {
  const fs::path path = fs::temp_directory_path() / ("pedivo-bench-" + name + ".docx");
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  for (const auto& [part, data] : parts)
    zip_file_add(archive, part.c_str(), zip_source_buffer(archive, data.data(), data.size(), 0), ZIP_FL_ENC_UTF_8);
  zip_close(archive);
  return path;
}

// A design's tags: a hostile template is filled with a real table.
std::vector<pedivo::TagText> tagsOf(const char* module) {
  pedivo::DesignSession session(*pedivo::findModule(module));
  session.calculate();
  return session.report();
}

void fill(benchmark::State& state, const fs::path& tpl, const std::vector<pedivo::TagText>& tags) {
  const fs::path output = fs::temp_directory_path() / ("pedivo-bench-out-" + tpl.filename().string());
  for (auto _ : state) {
    const auto result = pedivo::fillTemplate(tpl, tags, output, pedivo::DocumentKind::Document);
    if (!std::holds_alternative<std::monostate>(result))
      state.SkipWithError(std::get<pedivo::ReportError>(result).message.c_str());
  }
  fs::remove(output);
}

void FillShippedReport(benchmark::State& state, const char* module) {
  fill(state, std::string(module) + ".docx", tagsOf(module));
}
BENCHMARK_CAPTURE(FillShippedReport, TwoBolt, "j1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillShippedReport, EightBolt, "g11")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillShippedReport, TBootBeam, "g2")->Unit(benchmark::kMillisecond);

// One run holding a tag state.range(0) times.
void FillTagRepeatedInARun(benchmark::State& state) {
  std::string run;
  for (int i = 0; i < state.range(0); ++i) run += "&lt;#hb&gt;";
  const auto tpl = writeTemplate(
      "repeated",
      {{"[Content_Types].xml", contentTypes},
       {"word/document.xml", wordPart("w:document", "<w:body><w:p><w:r><w:t>" + run + "</w:t></w:r></w:p></w:body>")}});
  fill(state, tpl, tagsOf("g2"));
  fs::remove(tpl);
}
BENCHMARK(FillTagRepeatedInARun)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);

// state.range(0) paragraphs of one short run each, every tenth with a tag.
void FillManyParagraphs(benchmark::State& state) {
  std::string body = "<w:body>";
  for (int i = 0; i < state.range(0); ++i)
    body += i % 10 == 0 ? "<w:p><w:r><w:t>&lt;#hb&gt;</w:t></w:r></w:p>" : "<w:p><w:r><w:t>x</w:t></w:r></w:p>";
  body += "</w:body>";
  const auto tpl = writeTemplate(
      "paragraphs", {{"[Content_Types].xml", contentTypes}, {"word/document.xml", wordPart("w:document", body)}});
  fill(state, tpl, tagsOf("g2"));
  fs::remove(tpl);
}
// 99,000 paragraphs are about the most markup a template may hold; a million were accepted before.
BENCHMARK(FillManyParagraphs)->Arg(99000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Paragraphs that carry nothing but attributes, to the markup limit.
void FillDenseAttributes(benchmark::State& state) {
  std::string body = "<w:body>";
  for (int i = 0; i < state.range(0) / 20; ++i) {
    body += "<w:p";
    for (int a = 0; a < 19; ++a) body += " a" + std::to_string(a) + "=\"1\"";
    body += "/>";
  }
  body += "<w:p><w:r><w:t>&lt;#hb&gt;</w:t></w:r></w:p></w:body>";
  const auto tpl = writeTemplate(
      "attributes", {{"[Content_Types].xml", contentTypes}, {"word/document.xml", wordPart("w:document", body)}});
  fill(state, tpl, tagsOf("g2"));
  fs::remove(tpl);
}
BENCHMARK(FillDenseAttributes)->Arg(590000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Four headers of state.range(0) KB of text each, in paragraphs of 1 KB.
void FillLargeHeaders(benchmark::State& state) {
  std::string paragraphs;
  const std::string text(1000, 'x');
  while (paragraphs.size() < static_cast<std::size_t>(state.range(0)) << 10)
    paragraphs += "<w:p><w:r><w:t>&lt;#hb&gt;" + text + "</w:t></w:r></w:p>";
  Parts parts{{"[Content_Types].xml", contentTypes},
              {"word/document.xml", wordPart("w:document", "<w:body><w:p/></w:body>")}};
  for (int h = 1; h <= 4; ++h)
    parts.emplace_back("word/header" + std::to_string(h) + ".xml", wordPart("w:hdr", paragraphs));
  const auto tpl = writeTemplate("headers", parts);
  fill(state, tpl, tagsOf("g2"));
  fs::remove(tpl);
}
// Four headers of 3.9 MB are about the most text a template may hold; four of 60 MB were accepted before.
BENCHMARK(FillLargeHeaders)->Arg(3900)->Arg(60 << 10)->Unit(benchmark::kMillisecond)->Iterations(1);

// Two pictures of state.range(0) MB each that do not compress, copied through: about the largest
// package a template may be.
void FillLargePictures(benchmark::State& state) {
  std::string picture(static_cast<std::size_t>(state.range(0)) << 20, '\0');
  unsigned noise = 12345;
  for (char& c : picture) c = static_cast<char>((noise = noise * 1103515245u + 12345u) >> 24);
  const auto tpl = writeTemplate("picture", {{"[Content_Types].xml", contentTypes},
                                             {"word/document.xml", wordPart("w:document", "<w:body><w:p/></w:body>")},
                                             {"word/media/image1.png", picture},
                                             {"word/media/image2.png", picture}});
  fill(state, tpl, tagsOf("g2"));
  fs::remove(tpl);
}
BENCHMARK(FillLargePictures)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
