#pragma once
// "自动调整": from a design that fails a check or stops, the lightest passing design within reach
// of the entries a designer may change.
//
// What may change: the plate sizes a, c, lt, bt (user sizes, the detailing box unticked) and the
// bolt diameter where the window lists one (type_search.h), and, where no passing design of the
// base type exists, the base type within its family: the exposed rigid bases (eight-bolt,
// ten-bolt, T-shaped and channel boot-beam bases) or the pinned bases (two-bolt, four-bolt). The
// other types are designed with the same section, forces, grades, concrete and code edition, and
// the lightest passing one is proposed. The embedded base has nothing to change. Every candidate
// is an ordinary calculation, and the proposal's entries carry the sizes its design uses, so the
// proposal is exactly the design "计算" gives after "采用".
//
// With several load combinations every candidate is designed as "计算" designs them: each
// combination designed, the base taking the largest of every size, that base checked under each
// combination. A candidate passes when every check holds under every combination.

#include <atomic>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "design/adjust/type_search.h"
#include "design/common/design_check.h"
#include "design/common/load_combination.h"
#include "design/common/module.h"

namespace pedivo::adjust {

struct Proposal {
  const ModuleDescriptor* module = nullptr;  // another type of the family where its own has no passing design
  Entries entries;                           // every control's text, detailing box as designed
  std::vector<std::string> messages;         // of the ordinary calculation
  std::vector<DesignCheck> checks;
  std::optional<std::string> stopRemedy;     // when the best candidate found stopped
  double weight = 0;                         // kg
  bool passes = false;                       // completed with every check passing
  std::vector<std::string> changed;          // control names whose text changed, "cbsize", "module"
  // Where the proposal is another base type: why, in the words the dialog, the report and the
  // command line give ("本类型在可调整范围内没有满足要求的设计，建议改用T型靴梁柱脚").
  std::optional<std::string> typeChange;
};

struct SearchResult {
  // The lightest passing design, or where none passes the best candidate found; nothing when the
  // base type has nothing to change or the entries are refused.
  std::optional<Proposal> best;
  int candidates = 0;  // ordinary calculations made
  // The input check that refused the entries: nothing is proposed for them.
  std::optional<std::string> refusal;
  bool cancelled = false;  // stopped by its caller: no proposal
};

// Whether a calculation's outcome and checks make a design that needs no adjusting.
bool passes(const Outcome& outcome, const std::vector<DesignCheck>& checks);

// The search from the entries as they stand (designed as the window designs them, detailing sizes
// written in). With `progress`, the count of calculations is kept there, and a cancel ends the
// search within one calculation.
SearchResult adjustDesign(const ModuleDescriptor& module, const Entries& entries, SearchProgress* progress = nullptr);
// The same for a design of several load combinations (the entries' N, V and M are the first): a
// candidate is the base designed for all of them and checked under each, and the proposal passes
// every check under every combination. One combination or none searches as above.
SearchResult adjustDesign(const ModuleDescriptor& module, const Entries& entries,
                          std::span<const LoadCombination> loads, SearchProgress* progress = nullptr);

// The other base types 自动调整 may turn a design into, in the order of the main window.
std::vector<const ModuleDescriptor*> familyOf(const ModuleDescriptor& module);

// "本类型在可调整范围内没有满足要求的设计，建议改用" and the proposed type's name.
std::string typeChangeText(const ModuleDescriptor& proposed);

}  // namespace pedivo::adjust
