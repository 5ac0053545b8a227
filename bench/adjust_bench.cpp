// 自动调整 searches: each must feel instant in the window (well under 0.3 s on the two-core
// machine). Cases: failing designs of each kind, one with no passing design (the search's whole
// budget), and each type's default design.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "design/adjust/adjust.h"
#include "design/common/design_session.h"
#include "tests/design/adjust_cases.h"

namespace {

using pedivo::adjustcases::Texts;

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

using namespace pedivo::adjustcases;

BENCHMARK_CAPTURE(Adjust, EightBoltLayout, "g11", narrowColumn)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TenBoltLayout, "g12", tenBoltLayout)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TShapedWeldStop, "g2", tWeldStop)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ChannelBootBeamWeld, "g3", channelWeld)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, FourBoltWeldStop, "j2", fourBoltWeldStop)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, NarrowFlangeTypeChange, "g11", narrowFlange)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, OverstressedColumnTypeChange, "g12", overstressedColumn)->Unit(benchmark::kMillisecond);
// The slowest searches of a seeded mixed batch (scripts/mixed_batch.py 10000): a ten-bolt base
// no size of which passes, searched across the family, where most candidates grow tall boot beams,
// and an eight-bolt base with a wide flange.
BENCHMARK_CAPTURE(Adjust, MixedTenBoltAcrossTheFamily, "g12",
                  Texts{{"EdtM", "805"}, {"EdtN", "887"}, {"EdtV", "288"}, {"CBf", "Q390"}, {"CBfc", "C30"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, MixedEightBoltWideFlange, "g11",
                  Texts{{"Edthc", "692"}, {"Edtbf", "427.919"}, {"Edttw", "12.34"}, {"Edttf", "21"}, {"EdtM", "669.5"},
                        {"EdtN", "2653"}, {"EdtV", "362.21"}, {"CBfta", "Q345"}, {"CBfc", "C35"}})
    ->Unit(benchmark::kMillisecond);
// The searches with the most candidates of the first 2000 lines of that batch: a T-shaped base on a
// thin-flanged column under shear alone, searched across the family, and a ten-bolt base on a
// thin web from the window's own plate sizes.
BENCHMARK_CAPTURE(Adjust, MixedTShapedAcrossTheFamily, "g2",
                  Texts{{"Edthc", "467.776"}, {"Edtbf", "424"}, {"Edttw", "9.8"}, {"Edttf", "8"}, {"EdtN", "725.7"},
                        {"EdtV", "389.452"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, MixedTenBoltThinWeb, "g12",
                  Texts{{"Edthc", "464"}, {"Edtbf", "295.621"}, {"Edttw", "7.838"}, {"Edttf", "21"}, {"EdtM", "419"},
                        {"EdtN", "221"}, {"EdtV", "346"}, {"CBfta", "Q345"}})
    ->Unit(benchmark::kMillisecond);
// The slowest searches of that batch once the family's types that no plate can help are left
// unwalked: a deep ten-bolt base under a large shear and a T-shaped boot beam, each searched
// across its family.
BENCHMARK_CAPTURE(Adjust, MixedDeepTenBoltLargeShear, "g12",
                  Texts{{"Edthc", "874.762"}, {"Edtbf", "315"}, {"Edttw", "10.2"}, {"Edttf", "25"}, {"EdtM", "762"},
                        {"EdtN", "261"}, {"EdtV", "378.29"}, {"CBfc", "C40"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, MixedTShapedLargeShear, "g2",
                  Texts{{"Edthc", "468"}, {"Edtbf", "396.8"}, {"Edttw", "15"}, {"Edttf", "20.4"}, {"EdtM", "346.08"},
                        {"EdtN", "384"}, {"EdtV", "344"}, {"CBfc", "C25"}})
    ->Unit(benchmark::kMillisecond);
// The slowest searches of a seeded extreme batch (scripts/extreme_batch.py 3000): thick-flanged
// channel and T-shaped bases whose candidates raise their boot beams to the round limit, a deep
// ten-bolt base and an eight-bolt base under large forces, whose compressed zones are bisected
// towards it.
BENCHMARK_CAPTURE(Adjust, ExtremeChannelThickFlange, "g3",
                  Texts{{"Edthc", "1252"}, {"Edtbf", "277"}, {"Edttw", "58.5"}, {"Edttf", "111.6"}, {"EdtM", "1581"},
                        {"EdtN", "1.743"}, {"EdtV", "3445"}, {"CBf", "Q420"}, {"CBfc", "C25"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ExtremeTShapedThickFlange, "g2",
                  Texts{{"Edthc", "1202"}, {"Edtbf", "152"}, {"Edttw", "50.96"}, {"Edttf", "114.7"}, {"EdtM", "953.9"},
                        {"EdtN", "12.84"}, {"EdtV", "1065"}, {"CBf", "Q420"}, {"CBfc", "C40"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ExtremeDeepTenBolt, "g12",
                  Texts{{"Edthc", "1458"}, {"Edtbf", "262"}, {"Edttw", "29.4"}, {"Edttf", "85.1"}, {"EdtM", "1622"},
                        {"EdtN", "3.98"}, {"EdtV", "962.3"}, {"CBf", "Q345"}, {"CBfc", "C30"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ExtremeEightBoltLargeForces, "g11",
                  Texts{{"Edthc", "327"}, {"Edtbf", "315"}, {"Edttw", "28"}, {"Edttf", "85.2"}, {"EdtM", "5.182e+04"},
                        {"EdtN", "5.103e+04"}, {"EdtV", "3.0"}, {"CBf", "Q390"}, {"CBfc", "C25"}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TwoBoltDefault, "j1", Texts{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, TShapedDefault, "g2", Texts{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Adjust, ChannelDefault, "g3", Texts{})->Unit(benchmark::kMillisecond);

}  // namespace
