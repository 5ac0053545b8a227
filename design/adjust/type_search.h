#pragma once
// The search of 自动调整 within one base type: the plate sizes a, c, lt, bt from the detailing value
// of the bolt up to three times it in 5 mm steps, and the bolt diameter where the window lists one.
// Never the section, forces, grades, concrete or code edition. Every candidate is an ordinary
// calculation of the base type with those entries.
//
// Candidates rank by: passing before failing a check before a size below the detailing value of
// the bolt the design ends with before stopped; then lighter (passing) or nearer to passing. The
// search starts from the sizes scaled uniformly (1 to 3 times the detailing values), then walks
// each size down and up in steps of 40, 20, 10 and 5 mm while a step finds a better candidate.
// Steel weight grows with every size, so once a candidate passes, no candidate with every size at
// least as large can be lighter: those are never calculated.

#include <array>
#include <atomic>
#include <optional>
#include <span>

#include "design/common/load_combination.h"
#include "design/common/module.h"

namespace pedivo::adjust {

enum class Rank {
  Passes,          // completed, every check passing, every size at or above detailing
  FailsChecks,     // completed, some check failing
  BelowDetailing,  // completed, some size under the detailing value of its bolt
  Stops,           // refused or stopped
  None,            // not calculated: the search's budget was spent
};

// The best candidate a search found.
struct TypeBest {
  Entries entries;  // every control's text, the detailing box unticked
  Rank rank = Rank::None;
  double weight = 0;  // kg, of a completed design
};

// A search followed from another thread (a window's progress dialog) and stopped from there.
struct SearchProgress {
  std::atomic<int> candidates{0};
  std::atomic<bool> cancel{false};
};

// What a search may still spend, shared by the searches of one 自动调整.
struct SearchBudget {
  int calculations = 0;                // made so far
  int most = 0;                        // at most
  SearchProgress* progress = nullptr;  // where the count is shown and a cancel comes from
  bool cancelled() const { return progress != nullptr && progress->cancel.load(std::memory_order_relaxed); }
  bool spent() const { return calculations >= most || cancelled(); }
  void count() {
    ++calculations;
    if (progress != nullptr) progress->candidates.store(calculations, std::memory_order_relaxed);
  }
};

// What a search is for: the best candidate of its own base type, passing or not; or, for another
// type of the family, a passing design alone (a type none of whose candidates can pass is then
// not walked, and is told as failing its checks).
enum class Wanted { Best, Passing };

// The best design of `module` from `entries` (section, forces, grades and bolt as typed). With
// several load combinations a candidate is the base designed for all of them and checked under
// each, as "计算" designs it; one or none: the entries' own forces.
TypeBest searchType(const ModuleDescriptor& module, const Entries& entries, std::span<const LoadCombination> loads,
                    SearchBudget& budget, Wanted wanted = Wanted::Best);

// a, c, lt, bt as the detailing box would take them for the bolt; nothing for a bolt not in the table.
std::optional<std::array<double, 4>> detailingSizes(int dms);

// The control that lists the bolt diameter, if the window has one ("CBdms", "cbdms").
const ControlSpec* boltDiameterControl(const ModuleDescriptor& module);

}  // namespace pedivo::adjust
