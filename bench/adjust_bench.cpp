// 自动调整 searches: each must feel instant in the window (well under 0.3 s on the two-core
// machine). Cases: failing designs of each kind, one with no passing design (the search's whole
// budget), and each type's default design.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "design/adjust/adjust.h"
#include "design/common/design_session.h"

namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

pedivo::Entries designedEntries(const char* module, const Texts& texts) {
  pedivo::DesignSession session(*pedivo::findModule(module));
  for (const auto& [control, text] : texts) session.setText(control, text);
  session.calculate();
  return session.entries();
}

void Adjust(benchmark::State& state, const char* module, Texts texts) {
  const pedivo::Entries entries = designedEntries(module, texts);
  int candidates = 0;
  for (auto _ : state) {
    const auto found = pedivo::adjust::adjustDesign(*pedivo::findModule(module), entries);
    candidates = found.candidates;
    benchmark::DoNotOptimize(found.best);
  }
  state.counters["candidates"] = candidates;
}

const Texts narrowColumn{{"Edthc", "294"}, {"Edtbf", "200"}, {"Edttw", "8"},  {"Edttf", "12"},  {"EdtN", "88"},
                         {"EdtV", "10"},   {"CBf", "Q345"},  {"CBfta", "Q345"}, {"CBfc", "C35"}, {"EdtM", "160"}};
const Texts tenBoltLayout{{"Edthc", "294"}, {"Edtbf", "200"}, {"Edttw", "8"},  {"Edttf", "12"},  {"EdtN", "563"},
                          {"EdtV", "78"},   {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C35"}, {"EdtM", "28"}};
const Texts tWeldStop{{"Edthc", "900"}, {"Edtbf", "300"}, {"Edttw", "16"},  {"Edttf", "28"},  {"EdtN", "3456"},
                      {"EdtV", "295"},  {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C25"}, {"EdtM", "393"}};
const Texts channelWeld{{"Edthc", "194"}, {"Edtbf", "150"}, {"Edttw", "6"},  {"Edttf", "9"},  {"EdtN", "368"},
                        {"EdtV", "16"},   {"CBf", "Q235"},  {"CBfta", "Q345"}, {"CBfc", "C25"}, {"EdtM", "21"}};
const Texts fourBoltWeldStop{{"Edthc", "600"}, {"Edtbf", "200"}, {"Edttw", "11"},  {"Edttf", "17"}, {"EdtN", "2250"},
                             {"EdtV", "192"},  {"CBf", "Q345"},  {"CBfta", "Q345"}, {"CBfc", "C35"}};
const Texts overstressedColumn{{"Edthc", "800"}, {"Edtbf", "300"}, {"Edttw", "14"},  {"Edttf", "26"},  {"EdtN", "214"},
                               {"EdtV", "30"},   {"CBf", "Q235"},  {"CBfta", "Q235"}, {"CBfc", "C35"}, {"EdtM", "1171"}};

BENCHMARK_CAPTURE(Adjust, EightBoltLayout, "g11", narrowColumn)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TenBoltLayout, "g12", tenBoltLayout)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TShapedWeldStop, "g2", tWeldStop)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ChannelBootBeamWeld, "g3", channelWeld)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, FourBoltWeldStop, "j2", fourBoltWeldStop)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, NothingPasses, "g12", overstressedColumn)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TwoBoltDefault, "j1", Texts{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TShapedDefault, "g2", Texts{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ChannelDefault, "g3", Texts{})->Unit(benchmark::kMillisecond);

}  // namespace
