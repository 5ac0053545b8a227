#pragma once
// "自动调整": from a design that fails a check or stops, the lightest passing design within reach
// of the entries a designer may change.
//
// What may change: the plate sizes a, c, lt, bt (user sizes, the detailing box unticked), each
// from the detailing value of the bolt diameter up to three times it in 5 mm steps; the bolt
// diameter where the window lists one; and the ten-bolt base may become the eight-bolt base with
// the same entries. Never the section, forces, grades, concrete or code edition. Every candidate
// is an ordinary calculation of the base type with those entries, so the proposal is exactly the
// design "计算" gives after "采用".
//
// The search ranks candidates by: passing before failing before stopped; then lighter (passing)
// or nearer to passing (failing). It starts from the sizes scaled uniformly (1 to 3 times the
// detailing values), then walks each size down and up in steps of 40, 20, 10 and 5 mm while a
// step finds a better candidate. Steel weight grows with every size, and a size that made a
// check pass keeps it passing when it grows, so the walk ends near the lightest passing design
// after a few hundred calculations instead of the tens of thousands of the full grid.

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "design/common/design_check.h"
#include "design/common/module.h"

namespace pedivo::adjust {

struct Proposal {
  const ModuleDescriptor* module = nullptr;  // the ten-bolt base may come back as the eight-bolt base
  Entries entries;                           // every control's text, detailing box as designed
  std::vector<std::string> messages;         // of the ordinary calculation
  std::vector<DesignCheck> checks;
  std::optional<std::string> stopRemedy;     // when the best candidate found stopped
  double weight = 0;                         // kg
  bool passes = false;                       // completed with every check passing
  std::vector<std::string> changed;          // control names whose text changed, "cbsize", "module"
};

struct SearchResult {
  // The lightest passing design, or where none passes the best candidate found; nothing when the
  // base type has nothing to change.
  std::optional<Proposal> best;
  int candidates = 0;  // ordinary calculations made
  bool cancelled = false;  // stopped by its caller: no proposal
};

// A search followed from another thread (a window's progress dialog) and stopped from there.
struct SearchProgress {
  std::atomic<int> candidates{0};
  std::atomic<bool> cancel{false};
};

// Whether a calculation's outcome and checks make a design that needs no adjusting.
bool passes(const Outcome& outcome, const std::vector<DesignCheck>& checks);

// The search from the entries as they stand (designed as the window designs them, detailing sizes
// written in). With `progress`, the count of calculations is kept there, and a cancel ends the
// search within one calculation.
SearchResult adjustDesign(const ModuleDescriptor& module, const Entries& entries, SearchProgress* progress = nullptr);

// The control that lists the bolt diameter, if the window has one ("CBdms", "cbdms").
const ControlSpec* boltDiameterControl(const ModuleDescriptor& module);

}  // namespace pedivo::adjust
