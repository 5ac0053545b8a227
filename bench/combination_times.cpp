// A base for many load combinations against one design of the same column: each combination is
// designed, the envelope checked under every one. Prints the time of each and their ratio for
// every base type.
//   build/bin/pedivo_combination_times [combinations]   (50 when not given)

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "design/common/design_session.h"

namespace {

using Clock = std::chrono::steady_clock;

// Gravity, wind from either side and their mixes about one set of forces: every combination
// different, none stopping the design.
std::vector<pedivo::LoadCombination> combinations(int count, bool moment) {
  std::vector<pedivo::LoadCombination> loads;
  for (int i = 0; i < count; ++i) {
    const double share = 0.5 + 0.5 * std::fabs(std::sin(0.7 * i));
    const double sign = i % 2 == 0 ? 1 : -1;
    loads.push_back({"组合" + std::to_string(i + 1), std::round(900 * share), sign * std::round(60 * share),
                     moment ? sign * std::round(160 * (1.2 - share)) : 0});
  }
  return loads;
}

// Seconds a run of `calculate` takes, the least of several.
template <class Run>
double fastest(Run&& run, int repeats) {
  double best = 1e30;
  for (int r = 0; r < repeats; ++r) {
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 50;
  std::printf("%-5s %12s %12s %16s %8s\n", "type", "one (µs)", "check (µs)", "combined (µs)", "ratio");
  for (const pedivo::ModuleDescriptor* module : pedivo::allModules()) {
    const bool moment = module->findControl("EdtM") != nullptr;
    const auto loads = combinations(count, moment);
    pedivo::DesignSession one(*module), many(*module);
    if (module->hasDetailingToggle) {
      one.setCbsize(true);
      many.setCbsize(true);
    }
    one.setLoads({loads.front()});
    if (auto fault = many.setLoads(loads)) {
      std::printf("%-5s refused: %s\n", module->id.c_str(), fault->c_str());
      continue;
    }
    const double single = fastest([&] { one.calculate(); }, 200);
    // Check mode of the same design's sizes: what each combination adds to its own design.
    const pedivo::Sizes sizes = one.sizes();
    const double checked = fastest([&] { one.check(sizes); }, 200);
    pedivo::Outcome outcome;
    const double combined = fastest([&] { outcome = many.calculate(); }, 10);
    const char* ending = outcome.ending == pedivo::Ending::Completed ? "" : "  (not completed)";
    std::printf("%-5s %12.1f %12.1f %16.1f %8.1f%s\n", module->id.c_str(), single * 1e6, checked * 1e6, combined * 1e6,
                combined / single, ending);
  }
  return 0;
}
