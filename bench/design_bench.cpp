// Timings of a calculation and of filling a report, for spotting slow changes.
// Run from the folder with the templates: build/bin/pedivo_bench

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "design/common/calculation.h"
#include "design/common/compressed_zone.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"
#include "design/common/report_writer.h"
#include "design/common/tables.h"
#include "design/files/batch.h"
#include "calc_case.h"
#include "case_pool.h"

namespace {

// Reading entries as numbers: what every calculation does first, and every 自动调整 candidate again.
void NumberReading(benchmark::State& state, std::vector<std::string> texts) {
  for (auto _ : state)
    for (const auto& text : texts) benchmark::DoNotOptimize(pedivo::parseNumber(text));
}
BENCHMARK_CAPTURE(NumberReading, TypedEntries, std::vector<std::string>{"450", "427.919", "12.34", "-200", "0.5", "75"});
BENCHMARK_CAPTURE(NumberReading, ExponentsAndLongDigits,
                  std::vector<std::string>{"1.566e+05", "2.5E-2", "12345678901234567", " 12 "});

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

// A window's defaults; the rigid bases run the detailing design twice.
void DefaultCalculation(benchmark::State& state, const char* module) {
  pedivo::DesignSession session(*pedivo::findModule(module));
  for (auto _ : state) benchmark::DoNotOptimize(session.calculate());
}
BENCHMARK_CAPTURE(DefaultCalculation, FourBolt, "j2");
BENCHMARK_CAPTURE(DefaultCalculation, EightBolt, "g11");
BENCHMARK_CAPTURE(DefaultCalculation, TenBolt, "g12");
BENCHMARK_CAPTURE(DefaultCalculation, TBootBeam, "g2");
BENCHMARK_CAPTURE(DefaultCalculation, ChannelBootBeam, "g3");

// A large moment walks the bolt table to 100 mm and the compressed zone is bisected.
void EightBoltLargeMoment(benchmark::State& state) {
  pedivo::DesignSession session(*pedivo::findModule("g11"));
  session.setText("EdtM", "3000");
  session.setText("EdtN", "1500");
  for (auto _ : state) benchmark::DoNotOptimize(session.calculate());
}
BENCHMARK(EightBoltLargeMoment);

// Boot-beam designs that never settle and end on the round limit: the T-shaped one climbs the
// boot-beam weld to 60 legs again and again, the channel one lengthens its plate for bearing and
// bisects the compressed zone at every length.
void BootBeamNotConverging(benchmark::State& state, const char* module, std::vector<std::pair<const char*, const char*>> texts) {
  pedivo::DesignSession session(*pedivo::findModule(module));
  for (const auto& [control, text] : texts) session.setText(control, text);
  for (auto _ : state) benchmark::DoNotOptimize(session.calculate());
}
BENCHMARK_CAPTURE(BootBeamNotConverging, TShaped, "g2", {{"EdtM", "900"}})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BootBeamNotConverging, Channel, "g3",
                  {{"Edthc", "200"}, {"Edtbf", "150"}, {"Edttw", "12"}, {"Edttf", "60"}, {"EdtN", "3000"},
                   {"EdtV", "200"}, {"CBf", "Q345"}, {"CBfc", "C35"}, {"EdtM", "4000"}})
    ->Unit(benchmark::kMillisecond);

// A channel boot beam on a column with 120 mm flanges: the smallest weld leg to the flange,
// 1.5·√120, is beyond the largest leg, so no boot-beam height brings the weld within it. Raised
// 10 mm at a time this took the whole round limit; counted at once it stops at the first pass.
BENCHMARK_CAPTURE(BootBeamNotConverging, ChannelWeldLeg, "g3",
                  {{"Edthc", "600"}, {"Edtbf", "300"}, {"Edttw", "16"}, {"Edttf", "120"}, {"EdtM", "300"},
                   {"EdtN", "1000"}, {"EdtV", "100"}})
    ->Unit(benchmark::kMillisecond);

void SlowestDesign(benchmark::State& state, const char* module, std::vector<std::pair<const char*, const char*>> texts) {
  BootBeamNotConverging(state, module, std::move(texts));
}

// The slowest design of each base type among 5,000 extreme cases (scripts/extreme_batch.py): the
// rigid and boot-beam ones end on the round limit or past the largest bolt after hundreds of
// thousands of halvings of the compressed zone.
BENCHMARK_CAPTURE(SlowestDesign, TwoBolt, "j1",
                  {{"Edthc", "436"}, {"Edtbf", "181"}, {"Edttw", "9.34"}, {"Edttf", "75.7"}, {"EdtN", "3.49"},
                   {"EdtV", "38.05"}, {"CBf", "Q390"}, {"CBfc", "C40"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SlowestDesign, FourBolt, "j2",
                  {{"Edthc", "1462"}, {"Edtbf", "194"}, {"Edttw", "48.9"}, {"Edttf", "124.6"}, {"EdtN", "1.693e+04"},
                   {"EdtV", "13.95"}, {"CBf", "Q235"}, {"CBfc", "C35"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SlowestDesign, EightBolt, "g11",
                  {{"Edthc", "605"}, {"Edtbf", "247"}, {"Edttw", "56.46"}, {"Edttf", "211.6"}, {"EdtM", "1.566e+05"},
                   {"EdtN", "9.592e+04"}, {"EdtV", "25.65"}, {"CBf", "Q390"}, {"CBfc", "C35"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SlowestDesign, TenBolt, "g12",
                  {{"Edthc", "204"}, {"Edtbf", "387"}, {"Edttw", "14.4"}, {"Edttf", "11.8"}, {"EdtM", "1.656e+05"},
                   {"EdtN", "1.637e+05"}, {"EdtV", "1.708e+04"}, {"CBf", "Q420"}, {"CBfc", "C35"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SlowestDesign, TBootBeam, "g2",
                  {{"Edthc", "792"}, {"Edtbf", "265"}, {"Edttw", "44.36"}, {"Edttf", "99.3"}, {"EdtM", "1.886e+05"},
                   {"EdtN", "122.3"}, {"EdtV", "3.815e+04"}, {"CBf", "Q235"}, {"CBfc", "C25"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SlowestDesign, ChannelBootBeam, "g3",
                  {{"Edthc", "445"}, {"Edtbf", "121"}, {"Edttw", "28"}, {"Edttf", "117.8"}, {"EdtM", "1.736e+05"},
                   {"EdtN", "6.336"}, {"EdtV", "1877"}, {"CBf", "Q345"}, {"CBfc", "C35"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SlowestDesign, Embedded, "gc",
                  {{"Edthc", "826"}, {"Edtbf", "113"}, {"Edttw", "22"}, {"Edttf", "78.6"}, {"EdtM", "679.3"},
                   {"EdtN", "1393"}, {"EdtV", "3.371e+04"}, {"CBf", "Q235"}, {"CBfc", "C25"}})
    ->Unit(benchmark::kMillisecond);

// One bisection of the compressed zone under a rigid plate with large bolts: an ordinary plate and
// one lengthened tens of metres by a design that cannot find its bearing.
void CompressedZoneBisection(benchmark::State& state, pedivo::rigidbase::CompressedZoneInput in) {
  for (auto _ : state) {
    pedivo::RoundLimit rounds;
    benchmark::DoNotOptimize(pedivo::rigidbase::bisectCompressedZone(in, rounds));
  }
}
BENCHMARK_CAPTURE(CompressedZoneBisection, OrdinaryPlate, {900, 870, 90, 500, pedivo::tables::Es, 31500, 8, 1120, 1e-6});
BENCHMARK_CAPTURE(CompressedZoneBisection, LengthenedPlate,
                  {32442, 20000, 50, 400, pedivo::tables::Es, 28000, 4, 5000, 1e-6});

// One line of the headless calculator: reading the case, the design, and the whole output line.
void CalculatorLine(benchmark::State& state, const char* line) {
  const std::string input = line;
  for (auto _ : state) benchmark::DoNotOptimize(pedivo::calc::runCase(input));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(CalculatorLine, TwoBolt, R"({"module": "j1", "entries": {"EdtN": "2000", "EdtV": "100"}})");
BENCHMARK_CAPTURE(CalculatorLine, EightBolt, R"({"module": "g11"})");
BENCHMARK_CAPTURE(CalculatorLine, EightBoltDetailed, R"({"module": "g11", "detail": true})");

// Two-bolt lines as a user feeds pedivo-calc, axial force and shear varying from line to line.
std::vector<std::string> twoBoltLines(int count) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    lines.push_back(R"({"module": "j1", "entries": {"EdtN": ")" + std::to_string(50 + i * 37 % 2950) +
                    R"(", "EdtV": ")" + std::to_string(i * 13 % 300) + R"("}})");
  return lines;
}

// A batch of 64 lines on one thread, as a worker of pedivo-calc runs it: read, design, write.
void CalculatorBatch(benchmark::State& state) {
  const auto lines = twoBoltLines(64);
  pedivo::calc::TextBuffer text;
  for (auto _ : state) {
    text = pedivo::calc::designCaseBatch(lines, std::move(text)).text;
    benchmark::DoNotOptimize(text.view().data());
  }
  state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(CalculatorBatch);

// pedivo-calc's whole pipeline without the files: 20,000 two-bolt lines handed to the worker
// threads as they are read, every output block taken back in order. Items per second here is
// the figure to hold against the 200,000 cases a second asked of the program.
void CalculatorPipeline(benchmark::State& state) {
  const auto lines = twoBoltLines(20000);
  const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
  std::size_t written = 0;
  for (auto _ : state) {
    pedivo::calc::CasePool pool(workers);
    pedivo::calc::OrderedCases cases(
        pool, 2 * workers, [&](std::string_view block) { return (written += block.size()) > 0; },
        [] { return true; });
    for (const auto& line : lines) {
      cases.add(line);
      cases.lineDone(true);
    }
    cases.drain();
  }
  benchmark::DoNotOptimize(written);
  state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(CalculatorPipeline)->Unit(benchmark::kMillisecond)->UseRealTime();

// A batch table of 700 designs, a hundred of each base type, from the CSV text to the result table.
void BatchTable(benchmark::State& state) {
  const char* rows[] = {"j1,,2000,100", "j2,,800,40", "g11,160,80,40", "g12,250,300,40",
                        "g2,160,80,40", "g3,120,500,40", "gc,300,80,40"};
  std::string csv = "module,EdtM,EdtN,EdtV\n";
  for (int i = 0; i < 100; ++i)
    for (const char* row : rows) csv.append(row).append("\n");
  for (auto _ : state) {
    const auto table = std::get<pedivo::BatchTable>(pedivo::readBatchTable(csv));
    std::vector<pedivo::BatchRow> results;
    for (std::size_t i = 0; i < table.rows.size(); ++i) results.push_back(pedivo::designRow(table, i));
    benchmark::DoNotOptimize(pedivo::csvText(pedivo::batchResultTable(results)));
  }
  state.SetItemsProcessed(state.iterations() * 700);
}
BENCHMARK(BatchTable)->Unit(benchmark::kMillisecond);

}  // namespace
