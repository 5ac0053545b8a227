// Timings of a calculation and of filling a report, for spotting slow changes.
// Run from the folder with the templates: build/bin/pedivo_bench

#include <benchmark/benchmark.h>

#include <filesystem>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"

namespace {

void TwoBoltCalculation(benchmark::State& state) {
  pedivo::DesignSession session(*pedivo::findModule("j1"));
  session.setText("EdtN", "2000");
  for (auto _ : state) benchmark::DoNotOptimize(session.calculate());
}
BENCHMARK(TwoBoltCalculation);

void EmbeddedDeepMoment(benchmark::State& state) {
  pedivo::DesignSession session(*pedivo::findModule("gc"));
  session.setText("EdtM", "100000");  // a few thousand 10 mm steps
  for (auto _ : state) benchmark::DoNotOptimize(session.calculate());
}
BENCHMARK(EmbeddedDeepMoment);

void FillTwoBoltReport(benchmark::State& state) {
  pedivo::DesignSession session(*pedivo::findModule("j1"));
  session.calculate();
  const auto tags = session.report();
  const auto output = std::filesystem::temp_directory_path() / "pedivo-bench.docx";
  for (auto _ : state)
    benchmark::DoNotOptimize(pedivo::fillTemplate("j1.docx", tags, output, pedivo::DocumentKind::Document));
  std::filesystem::remove(output);
}
BENCHMARK(FillTwoBoltReport);

}  // namespace
