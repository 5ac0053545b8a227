#pragma once
// A base for several load combinations. Each combination is designed on its own, as with one set
// of forces; the base takes every size at the largest any of those designs gave it, and that one
// base is then checked under each combination. A check reports the combination with its largest
// ratio, the governing one. A given base (a check of given sizes) skips the designs.
//
// A combination with M = 0 (gravity alone) on an exposed rigid base, whose design finds the
// plate from the eccentricity M/N, designs nothing: the base of the other combinations is checked
// under it as under every combination. Only where no combination has a moment is the design
// refused. The embedded base designs its depth without a moment and takes every combination.
//
// Signs: the bases are symmetric about both axes of the column, so a moment or a shear of either
// sign asks the same of them; M and V are taken by their magnitude. N keeps its sign (compression
// positive): less compression means more bolt tension. A pinned base takes no moment at all: a
// combination with M other than 0 is refused, naming it.

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/design_check.h"
#include "design/common/load_combination.h"
#include "design/common/module.h"

namespace pedivo {

// The entries of one combination: the window's entries with its N, |V| and |M| written in the
// general number format.
Entries combinationEntries(const Entries& entries, const LoadCombination& load);
void putForces(Entries& entries, const LoadCombination& load);

// Every combination of a base that takes a moment has M = 0: refused as one set of forces without a
// moment is, saying that none of the combinations has one.
std::string everyMomentZeroMessage(std::size_t count);

// "荷载组合“1.0D+1.5W”：" followed by the message.
std::string combinationMessage(std::string_view name, std::string_view message);

// combinationsFault, and for a base type with no moment a combination whose M is not 0.
std::optional<std::string> combinationsFaultFor(const ModuleDescriptor& module, std::span<const LoadCombination> loads);

// Whether check a governs over b: a failing check over a passing one, then the larger ratio; a
// check that could not be evaluated fails with the largest ratio, one that asks nothing has none.
bool governsOver(const DesignCheck& a, const DesignCheck& b);

// "控制组合 2：1.0D+1.5W，N = −120 kN，V = 30 kN，M = 310 kN·m" (no M for a pinned base).
std::string governingText(std::size_t index, const LoadCombination& load, bool withMoment);

// One base checked under every combination: each state holds the check of the same sizes under
// one combination. The report's working values are those of the body: the combination that
// governs most checks (the first of equals). Each combination's checks are ranked by their numbers;
// only the check a combination governs is copied, and its words (remedy, values line) are those
// its own state writes, for that state alone.
class CombinationRun {
 public:
  CombinationRun(const ModuleDescriptor& module, std::vector<LoadCombination> loads, bool given);
  // The check of the next combination, in their order: its checks are ranked at once.
  void add(std::unique_ptr<DesignState> state);
  // Once every combination is added: the governing checks copied and the body chosen. `entries`
  // are the window's, whose forces each combination replaces.
  void close(const Entries& entries);

  const DesignState& body() const { return *states_[body_]; }
  const Entries& bodyEntries() const { return bodyEntries_; }
  // The sizes were given ("验算"), not designed.
  bool given() const { return given_; }
  // Each check as under its governing combination, with `governing` set.
  const std::vector<DesignCheck>& checks() const { return merged_; }
  const std::vector<DesignCheck>& checksWithValues() const;
  const std::vector<CombinationSummary>& summaries() const { return summaries_; }
  // The check of one combination, in the order of the combinations.
  const DesignState& under(std::size_t index) const { return *states_[index]; }
  std::size_t size() const { return states_.size(); }
  // The body's report with the checks as merged, each values line under its governing
  // combination's name and forces, and "<#combinations>" the table of the combinations.
  void report(const TagEmitter& sink) const;
  // "<#combinations>": a table (text_block.h) of a row a combination: its number and name, N, V
  // (and M), its largest ratio, "不满足" beside it where that check fails, and the check it belongs to.
  std::string combinationsTable() const;

 private:
  const ModuleDescriptor* module_;
  std::vector<LoadCombination> loads_;
  Entries bodyEntries_;
  std::vector<std::unique_ptr<DesignState>> states_;
  bool given_;
  bool withMoment_;
  std::size_t body_ = 0;
  struct Slot {
    std::size_t combination;
    std::size_t position;  // in that combination's list of checks
  };
  std::vector<Slot> slots_;  // one a merged check
  std::vector<std::size_t> slotsHeld_;  // by each combination
  const DesignCheck& slotCheck(const Slot& slot) const;
  std::optional<std::size_t> slotOf(const DesignCheck& check, std::size_t position) const;
  std::vector<DesignCheck> merged_;
  std::vector<CombinationSummary> summaries_;
  mutable std::optional<std::vector<DesignCheck>> withValues_;

  void rankLast();
  void moveSlot(Slot& slot, Slot to);
  void summariseLast();
  void merge();
  void summarise();
};

// What designing or checking for several combinations ended in: a run of the checks, or a
// combination that stopped (part way: with what it computed), or a refusal (the outcome alone).
struct CombinedOutcome {
  Outcome outcome;
  std::unique_ptr<CombinationRun> run;
  std::unique_ptr<DesignState> partial;
  std::optional<Entries> stoppedEntries;  // of the combination that stopped
};

// "计算" with several combinations: each designed, the envelope of their sizes checked under each.
CombinedOutcome designForCombinations(const ModuleDescriptor& module, const Entries& entries,
                                      std::span<const LoadCombination> loads);
// Why "计算" refuses these combinations on these entries: a fault of the combinations, or an entry
// the input checks refuse under one of them (a force named by its combination); none when it
// takes them.
std::optional<std::string> combinationsRefusal(const ModuleDescriptor& module, const Entries& entries,
                                               std::span<const LoadCombination> loads);
// "验算" with several combinations: the given sizes checked under each.
CombinedOutcome checkForCombinations(const ModuleDescriptor& module, const Entries& entries,
                                     std::span<const LoadCombination> loads, const Sizes& sizes);

}  // namespace pedivo
