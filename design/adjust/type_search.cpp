#include "design/adjust/type_search.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "design/adjust/beyond_reach.h"
#include "design/common/calculation.h"
#include "design/common/combination_run.h"
#include "design/common/design_check.h"
#include "design/common/input_checks.h"
#include "design/common/numbers.h"
#include "design/common/tables.h"

namespace pedivo::adjust {
namespace {

constexpr std::array<const char*, 4> sizeControls{"Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"};
constexpr std::array<const char*, 4> heldSizeNames{"a", "c", "lt", "bt"};
constexpr double sizeStep = 5;            // mm
constexpr double mostTimesDetailing = 3;  // the largest size, in detailing values
constexpr std::array<double, 6> startFactors{1, 1.25, 1.5, 2, 2.5, 3};
// Which sizes a start scales: all together, the lengthwise pair a and lt, the crosswise pair c
// and bt, or one alone. A stop of one part (a stiffener weld too short along c + bt) is often
// cured by one pair while the other would grow some other part out of range.
constexpr std::array<std::array<bool, 4>, 7> startMasks{{{true, true, true, true},
                                                        {true, false, true, false},
                                                        {false, true, false, true},
                                                        {true, false, false, false},
                                                        {false, true, false, false},
                                                        {false, false, true, false},
                                                        {false, false, false, true}}};
constexpr std::array<double, 5> gridFactors{1, 1.5, 2, 2.5, 3};  // when nothing passes near the starts
constexpr std::array<int, 4> walkSteps{8, 4, 2, 1};              // in 5 mm steps
constexpr int descentStarts = 4;                                 // the best starts walked from

using Sizes = std::array<double, 4>;

// The diameter a rigid base starts from when it has no design to tell its own.
int startingBolt(const ModuleDescriptor& module) { return module.id == "g2" ? 20 : 24; }

// A candidate: the bolt from the window's list, and each size as a count of 5 mm steps above its
// detailing value.
struct Point {
  int bolt = 0;
  std::array<int, 4> steps{};
  auto operator<=>(const Point&) const = default;
  // Every size at least that of `other`, with the same bolt.
  bool covers(const Point& other) const {
    if (bolt != other.bolt) return false;
    for (int i = 0; i < 4; ++i)
      if (steps[i] < other.steps[i]) return false;
    return true;
  }
};

struct Score {
  Rank rank = Rank::None;
  double measure = 0;  // weight when passing, how far from passing otherwise
  double weight = 0;
  bool operator<(const Score& other) const {
    return rank != other.rank ? rank < other.rank : measure < other.measure;
  }
};

// How far a completed design is from passing: each failing check's excess utilisation.
double shortfall(const std::vector<DesignCheck>& checks) {
  double sum = 0;
  for (const auto& check : checks) {
    if (check.ok()) continue;
    const double excess = check.demand / check.limit - 1;
    sum += std::isfinite(excess) ? std::clamp(excess, 0.001, 100.0) : 100.0;
  }
  return sum;
}

// Held numbers read from every candidate, found by name in the first list and then at the same
// place in the next ones: a base type lists its values in one fixed order.
class HeldPlaces {
 public:
  double number(const std::vector<NamedValue>& values, std::size_t which) {
    const std::string_view name = which == 0 ? std::string_view("dms") : heldSizeNames[which - 1];
    std::size_t& place = places_[which];
    if (place >= values.size() || values[place].name != name) {
      place = values.size();
      for (std::size_t i = 0; i < values.size() && place == values.size(); ++i)
        if (values[i].name == name && std::holds_alternative<double>(values[i].value)) place = i;
    }
    if (place < values.size())
      if (const double* x = std::get_if<double>(&values[place].value)) return *x;
    return heldNumber(values, name);
  }

 private:
  std::array<std::size_t, 5> places_{};  // of dms, a, c, lt and bt
};

// One candidate designed as "计算" designs it: with one set of forces the base type's own
// calculation; with several load combinations each designed, the largest of every size taken and
// that base checked under each combination, every check as under its governing one.
class CandidateDesign {
 public:
  CandidateDesign(const ModuleDescriptor& module, std::span<const LoadCombination> loads)
      : module_(module), loads_(loads.begin(), loads.end()), state_(module.newState()) {}

  bool combined() const { return loads_.size() > 1; }
  Outcome calculate(const Entries& entries) {
    if (!combined()) return state_->calculate(entries);
    run_ = designForCombinations(module_, entries, loads_);
    return run_.outcome;
  }
  // Of the last calculation, where it completed.
  const std::vector<DesignCheck>& checks() const { return run_.run ? run_.run->checks() : state_->bareChecks(); }
  // Of the last calculation that kept its values (a combination that stopped part way: its own).
  const std::vector<NamedValue>& values() const {
    if (run_.run) return run_.run->body().values();
    return run_.partial ? run_.partial->values() : state_->values();
  }
  double weight() const { return run_.run ? run_.run->body().weight() : state_->weight(); }
  // Of a single design: held numbers by their places (DesignState::heldNumbersAt).
  void heldNumbersAt(std::span<const std::size_t> places, std::span<double> numbers) const {
    state_->heldNumbersAt(places, numbers);
  }

 private:
  const ModuleDescriptor& module_;
  std::vector<LoadCombination> loads_;
  std::unique_ptr<DesignState> state_;
  CombinedOutcome run_;
};

// The bolt a design ended with and the sizes a, c, lt and bt it used.
using HeldSizes = std::array<double, 5>;

// How far the sizes a design uses fall under the detailing values of the bolt it ends with, in
// tenths of a metre; nought when none does.
double belowDetailing(const HeldSizes& held) {
  const auto low = detailingSizes(static_cast<int>(held[0]));
  if (!low) return 0;
  double sum = 0;
  for (int i = 0; i < 4; ++i) {
    const double size = held[static_cast<std::size_t>(i) + 1];
    if (size < (*low)[i]) sum += ((*low)[i] - size) / 100 + 0.001;
  }
  return sum;
}

// Reads the bolt and sizes of every candidate. A single design's are picked by their places
// among its held numbers, found by name in its first list: a base type holds its numbers in one
// fixed order, and listing every value of every candidate costs more than the reading. A design
// under several combinations finds them in its list.
class HeldSizeReader {
 public:
  HeldSizes read(const CandidateDesign& design) {
    HeldSizes held{};
    if (!design.combined() && (places_ || locate(design.values()))) {
      std::array<double, 5> picked{};
      design.heldNumbersAt(*places_, picked);
      for (std::size_t k = 0; k < held.size(); ++k) held[order_[k]] = picked[k];
      return held;
    }
    for (std::size_t which = 0; which < held.size(); ++which) held[which] = byName_.number(design.values(), which);
    return held;
  }

 private:
  // The places of dms, a, c, lt and bt among the numbers of `values`, ascending, and which of the
  // five each is; false where one is missing.
  bool locate(const std::vector<NamedValue>& values) {
    std::array<std::pair<std::size_t, std::size_t>, 5> found{};
    for (std::size_t which = 0; which < found.size(); ++which) {
      const std::string_view name = which == 0 ? std::string_view("dms") : heldSizeNames[which - 1];
      std::size_t place = 0;
      bool seen = false;
      for (const auto& value : values) {
        if (!std::holds_alternative<double>(value.value)) continue;
        if (value.name == name) {
          seen = true;
          break;
        }
        ++place;
      }
      if (!seen) return false;
      found[which] = {place, which};
    }
    std::sort(found.begin(), found.end());
    places_.emplace();
    for (std::size_t k = 0; k < found.size(); ++k) {
      (*places_)[k] = found[k].first;
      order_[k] = found[k].second;
    }
    return true;
  }

  std::optional<std::array<std::size_t, 5>> places_;
  std::array<std::size_t, 5> order_{};
  HeldPlaces byName_;
};

class Search {
 public:
  Search(const ModuleDescriptor& module, const Entries& entries, std::span<const LoadCombination> loads,
         SearchBudget& budget)
      : module_(module), entries_(entries), budget_(budget), design_(module, loads) {
    if (const ControlSpec* list = boltDiameterControl(module)) {
      boltControl_ = list->name;
      for (const auto& item : list->items)
        if (const auto dms = parseNumber(item)) bolts_.push_back(static_cast<int>(*dms));
    }
    // A rigid base chooses its bolt: the sizes start from the detailing values of the bolt its
    // design ended with, or of the bolt it starts from.
    std::optional<Ending> ending;
    if (!refusedEntries(entries)) {
      ending = design_.calculate(entries).ending;
      if (ending != Ending::Stopped) ownBolt_ = static_cast<int>(heldNumber(design_.values(), "dms"));
    }
    if (ownBolt_ <= 0 || !detailingSizes(ownBolt_)) ownBolt_ = startingBolt(module);
    for (int b = 0; b < boltChoices(); ++b)
      lows_.push_back(detailingSizes(bolts_.empty() ? ownBolt_ : bolts_[b]).value_or(Sizes{}));
    if (ending && !design_.combined()) noneCanPass_ = beyondEverySize(*ending);
  }

  // Every candidate fails a check that no plate size or bolt can cure.
  bool noneCanPass() const { return noneCanPass_; }

 private:
  // Whether a check no plate size or bolt can cure fails, on the section and forces that no
  // candidate changes: read from the entries' own design where it completed, else from the entries
  // as the rigid bases read them (a design that stops holds none of them).
  bool beyondEverySize(Ending ending) const {
    // No candidate's c is under the least detailing value of its bolts.
    double leastC = lows_.front()[1];
    for (const Sizes& low : lows_) leastC = std::min(leastC, low[1]);
    if (ending == Ending::Completed) {
      const std::vector<NamedValue>& held = design_.values();
      return columnWeldsFailUnderAnyPlate(module_, entries_, held) || layoutFailsUnderAnyPlate(module_, leastC, held) ||
             shearKeyFailsUnderAnyPlate(module_, entries_, held);
    }
    const std::optional<std::vector<NamedValue>> read = rigidSectionAndForces(module_, entries_);
    return read && (columnWeldsFailUnderAnyPlate(module_, entries_, *read) || layoutFailsUnderAnyPlate(module_, leastC, *read));
  }

 public:
  int boltChoices() const { return bolts_.empty() ? 1 : static_cast<int>(bolts_.size()); }
  int boltOf(const Point& p) const { return bolts_.empty() ? ownBolt_ : bolts_[p.bolt]; }
  const Sizes& lower(const Point& p) const { return lows_[static_cast<std::size_t>(p.bolt)]; }
  int mostSteps(const Point& p, int i) const {
    return static_cast<int>(std::floor((mostTimesDetailing - 1) * lower(p)[i] / sizeStep + 1e-9));
  }
  bool exhausted() const { return budget_.spent(); }

  Point scaled(int bolt, double factor, const std::array<bool, 4>& mask) const {
    Point p{bolt, {}};
    const Sizes low = lower(p);
    for (int i = 0; i < 4; ++i)
      if (mask[i])
        p.steps[i] = std::clamp(static_cast<int>(std::lround((factor - 1) * low[i] / sizeStep)), 0, mostSteps(p, i));
    return p;
  }

  Entries entriesOf(const Point& p) const {
    Entries e = entries_;
    writeCandidate(p, e);
    return e;
  }

  // The entries of `p` in one set of entries kept for the search's calculations: only the sizes
  // (and the bolt) that differ from the candidate written last are written again.
  const Entries& candidateEntries(const Point& p) {
    if (!working_) {
      working_ = entries_;
      writeCandidate(p, *working_);
      for (int i = 0; i < 4; ++i) sizeTexts_[i] = &working_->texts.find(std::string_view(sizeControls[i]))->second;
    } else if (p.bolt != written_.bolt) {
      writeCandidate(p, *working_);
    } else {
      const Sizes& low = lower(p);
      for (int i = 0; i < 4; ++i)
        if (p.steps[i] != written_.steps[i]) *sizeTexts_[i] = formatGeneral(low[i] + sizeStep * p.steps[i]);
    }
    written_ = p;
    return *working_;
  }

  // A candidate covering a passing one (same bolt, no size smaller) cannot be lighter: it is not
  // calculated and counts as no candidate.
  const Score& score(const Point& p) {
    if (const auto found = cache_.find(p); found != cache_.end()) return found->second;
    Score s;
    const bool dominated = std::any_of(passing_.begin(), passing_.end(), [&](const Point& q) { return p.covers(q); });
    if (!dominated && !budget_.spent()) s = calculate(p);
    if (s.rank == Rank::Passes) passing_.push_back(p);
    return cache_.emplace(p, s).first->second;
  }

  // Whether the candidate fails only checks of parts the calculation sizes from the plate (boot
  // beams, stiffeners, welds to the plate): not the column itself (its flange stress, its welds)
  // nor a bolt layout wider than the flange, which no mix of sizes cures.
  bool partsMayGrow(const Point& p) {
    if (design_.calculate(candidateEntries(p)).ending != Ending::Completed) return false;
    for (const auto& check : design_.checks())
      if (!check.ok() && (check.id == "flange" || check.id == "weld" || check.id == "layout" || check.id == "webWeldLeg"))
        return false;
    return true;
  }

 private:
  void writeCandidate(const Point& p, Entries& e) const {
    const Sizes& low = lower(p);
    for (int i = 0; i < 4; ++i) e.texts[sizeControls[i]] = formatGeneral(low[i] + sizeStep * p.steps[i]);
    if (!boltControl_.empty()) e.texts[boltControl_] = std::to_string(boltOf(p));
    e.cbsize = false;
  }

  // The input checks of a candidate's entries. They read the plate sizes only as typed lengths
  // that must be positive and within 1 to 10000 mm, and every candidate size lies between the
  // detailing value of its bolt (44 mm at the least) and three times it: the sizes never change the
  // verdict, so it is found once for each bolt of the list.
  bool refused(const Point& p, const Entries& e) {
    if (refusedByBolt_.empty()) refusedByBolt_.assign(static_cast<std::size_t>(boltChoices()), std::nullopt);
    std::optional<bool>& verdict = refusedByBolt_[static_cast<std::size_t>(p.bolt)];
    if (!verdict) verdict = refusedEntries(e);
    return *verdict;
  }

  // Several combinations are checked one by one by their design, which refuses them as a whole.
  bool refusedEntries(const Entries& e) const { return !design_.combined() && validateInput(module_, e).has_value(); }

  Score calculate(const Point& p) {
    budget_.count();
    const Entries& e = candidateEntries(p);
    if (refused(p, e)) return {Rank::Stops, 0, 0};
    const Outcome outcome = design_.calculate(e);
    if (outcome.ending != Ending::Completed) return {Rank::Stops, 0, 0};
    double measure = shortfall(design_.checks());
    if (outcome.closing != Closing::Designed) measure += 1;
    const double weight = design_.weight();
    if (const double below = belowDetailing(heldSizes_.read(design_)); below > 0)
      return {Rank::BelowDetailing, measure + below, weight};
    if (measure == 0) return {Rank::Passes, weight, weight};
    return {Rank::FailsChecks, measure, weight};
  }

  const ModuleDescriptor& module_;
  Entries entries_;
  SearchBudget& budget_;
  CandidateDesign design_;
  std::string boltControl_;
  std::vector<int> bolts_;
  int ownBolt_ = 0;
  bool noneCanPass_ = false;
  std::optional<Entries> working_;  // the entries of the candidate calculated last
  Point written_;                   // that candidate
  std::array<std::string*, 4> sizeTexts_{};  // its texts of a, c, lt and bt
  std::vector<Sizes> lows_;         // the detailing sizes of each bolt of the list
  std::vector<std::optional<bool>> refusedByBolt_;  // whether the input checks refuse a bolt's candidates
  HeldSizeReader heldSizes_;
  std::map<Point, Score> cache_;
  std::vector<Point> passing_;
};

// The walk's position and its score; a move is kept only when it finds a better candidate.
struct Walk {
  Search& search;
  Point current;
  Score best;

  bool tryMove(const Point& p) {
    if (p == current) return false;
    const Score& s = search.score(p);
    if (!(s < best)) return false;
    current = p;
    best = s;
    return true;
  }
};

// Each size alone and all sizes together, down and then up by `step`.
bool sizeMoves(Walk& walk, int step) {
  bool improved = false;
  for (const int direction : {-1, 1}) {
    for (int i = 0; i < 4; ++i) {
      Point p = walk.current;
      p.steps[i] = std::clamp(p.steps[i] + direction * step, 0, walk.search.mostSteps(p, i));
      improved = walk.tryMove(p) || improved;
    }
    Point all = walk.current;
    for (int i = 0; i < 4; ++i)
      all.steps[i] = std::clamp(all.steps[i] + direction * step, 0, walk.search.mostSteps(all, i));
    improved = walk.tryMove(all) || improved;
  }
  return improved;
}

// Two sizes at once, either way each: a passing design may lie across a ridge that neither size
// alone can cross (a shorter lt that only passes with a smaller a). Stops after the first pair
// that finds a better one.
bool pairMoves(Walk& walk, int step) {
  bool improved = false;
  for (int i = 0; i < 4 && !improved; ++i)
    for (int j = i + 1; j < 4 && !improved; ++j)
      for (const int di : {-1, 1})
        for (const int dj : {-1, 1}) {
          Point p = walk.current;
          p.steps[i] = std::clamp(p.steps[i] + di * step, 0, walk.search.mostSteps(p, i));
          p.steps[j] = std::clamp(p.steps[j] + dj * step, 0, walk.search.mostSteps(p, j));
          improved = walk.tryMove(p) || improved;
        }
  return improved;
}

// The next bolt either way, sizes kept within the new bolt's range.
bool boltMoves(Walk& walk) {
  bool improved = false;
  for (const int direction : {-1, 1}) {
    Point p = walk.current;
    p.bolt += direction;
    if (p.bolt < 0 || p.bolt >= walk.search.boltChoices()) continue;
    for (int i = 0; i < 4; ++i) p.steps[i] = std::min(p.steps[i], walk.search.mostSteps(p, i));
    improved = walk.tryMove(p) || improved;
  }
  return improved;
}

// Sizes that change nothing (c and lt of a pinned base) go back down: of two equal designs the
// one with the smaller entries is proposed.
void settleUnusedSizes(Walk& walk) {
  for (int i = 0; i < 4; ++i)
    for (const int target : {0, walk.current.steps[i] - 1}) {
      if (target < 0 || target >= walk.current.steps[i]) continue;
      Point p = walk.current;
      p.steps[i] = target;
      if (!(walk.best < walk.search.score(p))) {
        walk.current = p;
        walk.best = walk.search.score(p);
        break;
      }
    }
}

// Walks from `start` while a move finds a better candidate: each size down and up, all sizes
// together, pairs of sizes and the next bolt either way, with steps of 40 down to 5 mm.
Point descend(Search& search, Point start) {
  Walk walk{search, start, search.score(start)};
  for (const int step : walkSteps) {
    bool improved = true;
    while (improved && !search.exhausted()) {
      improved = sizeMoves(walk, step);
      if (!improved) improved = pairMoves(walk, step);
      if (step == 1) improved = boltMoves(walk) || improved;
    }
  }
  settleUnusedSizes(walk);
  return walk.current;
}

struct Candidate {
  Point point;
  Score score;
};

// Starts: every bolt with the sizes scaled, all together, in pairs or alone; the best few are
// walked down and the best end is kept.
Candidate bestOfStarts(Search& search) {
  std::vector<std::pair<Score, Point>> starts;
  for (int b = 0; b < search.boltChoices(); ++b)
    for (const auto& mask : startMasks)
      for (const double factor : startFactors) {
        const Point p = search.scaled(b, factor, mask);
        if (std::any_of(starts.begin(), starts.end(), [&](const auto& start) { return start.second == p; })) continue;
        starts.push_back({search.score(p), p});
      }
  std::stable_sort(starts.begin(), starts.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  Candidate best{starts.front().second, starts.front().first};
  for (std::size_t k = 0; k < starts.size() && k < descentStarts; ++k) {
    if (k > 0 && starts[k].first.rank >= Rank::Stops) break;
    const Point end = descend(search, starts[k].second);
    if (const Score& s = search.score(end); k == 0 || s < best.score) best = {end, s};
  }
  return best;
}

// Nothing passes near the starts: a part sized by the calculation (a higher boot beam) may come
// only with some mix of sizes. The grid of every size at 1 to 3 times its detailing value is
// tried for the best candidate's bolt, and walked from its best point.
Candidate fromTheGrid(Search& search, Candidate best) {
  if (best.score.rank != Rank::FailsChecks || search.exhausted() || !search.partsMayGrow(best.point)) return best;
  std::optional<std::pair<Score, Point>> gridBest;
  for (const double fa : gridFactors)
    for (const double fc : gridFactors)
      for (const double flt : gridFactors)
        for (const double fbt : gridFactors) {
          Point p = best.point;
          const std::array<double, 4> factors{fa, fc, flt, fbt};
          for (int i = 0; i < 4; ++i) p.steps[i] = search.scaled(p.bolt, factors[i], {true, true, true, true}).steps[i];
          const Score s = search.score(p);
          if (!gridBest || s < gridBest->first) gridBest = std::pair{s, p};
        }
  if (gridBest && gridBest->first < best.score) {
    const Point end = descend(search, gridBest->second);
    return {end, search.score(end)};
  }
  return best;
}

}  // namespace

std::optional<Sizes> detailingSizes(int dms) {
  const auto bolt = tables::anchorBolt(dms);
  if (!bolt) return std::nullopt;
  const double edge = tables::boltEdgeDistance(dms);
  return Sizes{bolt->a, bolt->c, edge, edge};
}

const ControlSpec* boltDiameterControl(const ModuleDescriptor& module) {
  for (const auto& group : module.groups)
    for (const auto& control : group.controls)
      if (control.isList() && (control.name == "CBdms" || control.name == "cbdms")) return &control;
  return nullptr;
}

TypeBest searchType(const ModuleDescriptor& module, const Entries& entries, std::span<const LoadCombination> loads,
                    SearchBudget& budget, Wanted wanted) {
  Search search(module, entries, loads, budget);
  if (wanted == Wanted::Passing && search.noneCanPass()) return {search.entriesOf(Point{}), Rank::FailsChecks, 0};
  const Candidate best = fromTheGrid(search, bestOfStarts(search));
  return {search.entriesOf(best.point), best.score.rank, best.score.weight};
}

}  // namespace pedivo::adjust
