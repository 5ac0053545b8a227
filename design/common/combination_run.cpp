#include "design/common/combination_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "design/common/calculation.h"
#include "design/common/input_checks.h"
#include "design/common/numbers.h"
#include "design/common/shear_key.h"
#include "design/common/text_block.h"

namespace pedivo {
namespace {

bool takesMoment(const ModuleDescriptor& module) { return module.findControl("EdtM") != nullptr; }

// The forces of a combination as the entries hold them: written once, put in for its design and
// again for its check.
struct ForceTexts {
  std::string N, V, M;
};

ForceTexts forceTexts(const LoadCombination& load) {
  return {formatGeneral(load.N), formatGeneral(std::fabs(load.V)), formatGeneral(std::fabs(load.M))};
}

std::vector<ForceTexts> forceTexts(std::span<const LoadCombination> loads) {
  std::vector<ForceTexts> texts;
  texts.reserve(loads.size());
  for (const LoadCombination& load : loads) texts.push_back(forceTexts(load));
  return texts;
}

void putForces(Entries& entries, const ForceTexts& forces) {
  entries.texts["EdtN"] = forces.N;
  entries.texts["EdtV"] = forces.V;
  if (const auto M = entries.texts.find(std::string_view("EdtM")); M != entries.texts.end()) M->second = forces.M;
}

// A force as the report writes it: "−120" with the minus sign of print.
std::string forceText(double x) {
  const std::string text = formatGeneral(std::fabs(x));
  return x < 0 ? "−" + text : text;
}

bool focusIsForce(const std::optional<std::string>& focus) { return focus && isForceControl(*focus); }

// An outcome of one combination told as the whole design's: its first message names it.
Outcome namedOutcome(Outcome outcome, std::string_view name) {
  if (!outcome.messages.empty()) outcome.messages.front() = combinationMessage(name, outcome.messages.front());
  return outcome;
}

// A combination without a moment on a base whose design needs one: the base the other
// combinations give is checked under it, but it designs nothing itself.
bool checkedOnly(const ModuleDescriptor& module, const LoadCombination& load) {
  return module.designNeedsMoment && load.M == 0;
}

// The first combination whose entries the input checks refuse; a force is named by its
// combination, any other entry as with one set of forces. The entries other than the forces are
// the same in every combination: checked with the first, only the forces of the others are. A
// moment of 0 is a combination's own (gravity alone); only where every combination has none is the
// moment refused, as one set of forces without a moment is.
std::optional<Outcome> refusedCombination(const ModuleDescriptor& module, const Entries& entries,
                                          std::span<const LoadCombination> loads,
                                          std::span<const ForceTexts> forces, bool given) {
  Entries read = entries;
  if (given) read.cbsize = true;  // the plate layout comes with the sizes
  for (std::size_t i = 0; i < loads.size(); ++i) {
    putForces(read, forces[i]);
    const auto failure = i == 0 ? validateCombinationInput(module, read) : validateCombinationForces(module, read);
    if (failure) {
      const std::string message =
          focusIsForce(failure->focus) ? combinationMessage(loads[i].name, failure->message) : failure->message;
      return stoppedOutcome(CalculationStop{Stop::EntryRefused, failure->focus, message});
    }
  }
  const bool noMoment =
      std::all_of(loads.begin(), loads.end(), [](const LoadCombination& load) { return load.M == 0; });
  if (takesMoment(module) && noMoment)
    return stoppedOutcome(
        CalculationStop{Stop::EntryRefused, std::string("EdtM"), everyMomentZeroMessage(loads.size())});
  return std::nullopt;
}

// The largest of each size so far. Every design of a type lists the same names in the same order,
// so each size is matched by its place, and by its name only where the places differ.
void widenNamed(std::vector<NamedSize>& widest, const std::vector<NamedSize>& sizes) {
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const auto& [name, size] = sizes[i];
    auto at = i < widest.size() && widest[i].first == name ? widest.begin() + static_cast<std::ptrdiff_t>(i)
                                                            : std::find_if(widest.begin(), widest.end(),
                                                                           [&](const NamedSize& w) { return w.first == name; });
    if (at == widest.end()) {
      widest.emplace_back(name, size);
    } else {
      at->second = std::max(at->second, size);
    }
  }
}

// What the designs of the combinations add up to, taken in as each completes: the envelope of
// their sizes, the texts they write back (the last design's where several write one box) and how
// they closed.
struct DesignedCombinations {
  std::vector<NamedSize> widest;  // the envelope while the designs come in
  Sizes envelope;                 // the envelope once they all have
  std::map<std::string, std::string> entryChanges;
  std::optional<bool> cbsize;
  Closing closing = Closing::Designed;

  void take(const Outcome& design, const std::vector<NamedSize>& sizes) {
    widenNamed(widest, sizes);
    for (const auto& [control, text] : design.entryChanges) entryChanges[control] = text;
    if (design.cbsize) cbsize = design.cbsize;
    // A design whose parts do not fit the column closes the whole design so.
    if (design.closing != Closing::Designed) closing = design.closing;
  }

  // The written back texts into the outcome of the checks, the envelope's plate layout in the size
  // boxes.
  void writeBack(Outcome& outcome) const {
    constexpr std::string_view box = "Edtsize";
    for (const auto& [control, text] : entryChanges) {
      const auto size = control.starts_with(box) ? envelope.find(control.substr(box.size())) : envelope.end();
      outcome.entryChanges[control] = size != envelope.end() ? formatGeneral(size->second) : text;
    }
    if (cbsize) outcome.cbsize = cbsize;
    if (closing != Closing::Designed) outcome.closing = closing;
    outcome.messages = {closingMessage(outcome.closing)};
  }
};

}  // namespace

std::string everyMomentZeroMessage(std::size_t count) {
  return "柱底弯矩应输入正值：全部 " + std::to_string(count) + " 组荷载组合的弯矩 M 均为 0";
}

void putForces(Entries& entries, const LoadCombination& load) { putForces(entries, forceTexts(load)); }

Entries combinationEntries(const Entries& entries, const LoadCombination& load) {
  Entries each = entries;
  putForces(each, load);
  return each;
}

std::string combinationMessage(std::string_view name, std::string_view message) {
  return "荷载组合“" + std::string(name) + "”：" + std::string(message);
}

std::optional<std::string> combinationsFaultFor(const ModuleDescriptor& module,
                                                std::span<const LoadCombination> loads) {
  if (auto fault = combinationsFault(loads)) return fault;
  if (takesMoment(module)) return std::nullopt;
  for (std::size_t i = 0; i < loads.size(); ++i)
    if (loads[i].M != 0)
      return "第 " + std::to_string(i + 1) + " 组荷载组合“" + loads[i].name + "”：" + module.title +
             "为铰接柱脚，不承受弯矩，M 应为 0";
  return std::nullopt;
}

bool governsOver(const DesignCheck& a, const DesignCheck& b) {
  if (a.ok() != b.ok()) return !a.ok();
  // demand / limit unrounded: two ratios that print alike are still told apart.
  const auto rank = [](const DesignCheck& check) {
    constexpr double none = -std::numeric_limits<double>::infinity();
    if (std::isnan(check.demand)) return -none;  // could not be evaluated: fails above all
    if (!check.decision && !check.governs()) return none;
    if (check.limit == 0) return check.demand == 0 ? 0.0 : -none;
    return check.demand / check.limit;
  };
  return rank(a) > rank(b);
}

std::string governingText(std::size_t index, const LoadCombination& load, bool withMoment) {
  std::string text = "控制组合 " + std::to_string(index + 1) + "：" + load.name + "，N = " + forceText(load.N) +
                     " kN，V = " + forceText(load.V) + " kN";
  if (withMoment) text += "，M = " + forceText(load.M) + " kN·m";
  return text;
}

CombinationRun::CombinationRun(const ModuleDescriptor& module, std::vector<LoadCombination> loads, bool given)
    : module_(&module), loads_(std::move(loads)), given_(given), withMoment_(takesMoment(module)) {
  states_.reserve(loads_.size());
  summaries_.reserve(loads_.size());
  slotsHeld_.reserve(loads_.size());
}

void CombinationRun::add(std::unique_ptr<DesignState> state) {
  states_.push_back(std::move(state));
  slotsHeld_.push_back(0);
  rankLast();
  summariseLast();
  // A combination that governs no check keeps no list of them: under many combinations the lists
  // of all would fill the memory the next ones are checked in.
  if (slotsHeld_.back() == 0) states_.back()->forgetChecks();
}

// A check now governed by another combination; the one that no longer governs any lets go of its list.
void CombinationRun::moveSlot(Slot& slot, Slot to) {
  const std::size_t from = slot.combination;
  slot = to;
  ++slotsHeld_[to.combination];
  if (--slotsHeld_[from] == 0 && from != to.combination) states_[from]->forgetChecks();
}

void CombinationRun::close(const Entries& entries) {
  merge();
  summarise();
  bodyEntries_ = combinationEntries(entries, loads_[body_]);
}

const DesignCheck& CombinationRun::slotCheck(const Slot& slot) const {
  return states_[slot.combination]->bareChecks()[slot.position];
}

// The slot of a check listed at `position`: the slot of that position where the lists agree (every
// combination lists the same checks in the same order, but where a part is needed under one and
// not another), else the slot of its id; none for an id no combination listed before.
std::optional<std::size_t> CombinationRun::slotOf(const DesignCheck& check, std::size_t position) const {
  if (position < slots_.size() && slotCheck(slots_[position]).id == check.id) return position;
  for (std::size_t s = 0; s < slots_.size(); ++s)
    if (slotCheck(slots_[s]).id == check.id) return s;
  return std::nullopt;
}

// Every check id once, in the order the combinations list them; each held by the combination that
// governs it so far. Ranked as each combination is added, while its checks were just listed.
void CombinationRun::rankLast() {
  const std::size_t i = states_.size() - 1;
  const auto& checks = states_[i]->bareChecks();
  for (std::size_t k = 0; k < checks.size(); ++k) {
    const auto slot = slotOf(checks[k], k);
    if (!slot) {
      slots_.push_back({i, k});
      ++slotsHeld_[i];
    } else if (governsOver(checks[k], slotCheck(slots_[*slot]))) {
      moveSlot(slots_[*slot], {i, k});
    }
  }
}

// The largest ratio under the combination just added, and its check.
void CombinationRun::summariseLast() {
  const std::size_t i = states_.size() - 1;
  CombinationSummary summary{loads_[i], std::numeric_limits<double>::quiet_NaN(), {}, {}};
  for (const DesignCheck& check : states_[i]->bareChecks()) {
    const double ratio = check.ratio();
    if (std::isfinite(ratio) && !(ratio <= summary.ratio)) {
      summary.ratio = ratio;
      summary.ratioCheck = check.id;
    }
  }
  summaries_.push_back(std::move(summary));
}

// Each governing check copied, with the words its own state writes (for that state alone).
void CombinationRun::merge() {
  merged_.reserve(slots_.size());
  for (const Slot& slot : slots_) {
    DesignCheck check = states_[slot.combination]->checks()[slot.position];
    check.governing = GoverningCombination{slot.combination, loads_[slot.combination].name};
    merged_.push_back(std::move(check));
  }
}

// The checks each combination governs, and the body: the combination that governs most.
void CombinationRun::summarise() {
  std::vector<std::size_t> governed(loads_.size(), 0);
  for (std::size_t m = 0; m < merged_.size(); ++m) {
    summaries_[slots_[m].combination].governs.push_back(merged_[m].id.str());
    ++governed[slots_[m].combination];
  }
  body_ = static_cast<std::size_t>(std::max_element(governed.begin(), governed.end()) - governed.begin());
}

const std::vector<DesignCheck>& CombinationRun::checksWithValues() const {
  if (!withValues_) {
    withValues_ = merged_;
    for (std::size_t m = 0; m < slots_.size(); ++m)
      (*withValues_)[m].values = states_[slots_[m].combination]->checksWithValues()[slots_[m].position].values;
  }
  return *withValues_;
}

std::string CombinationRun::combinationsTable() const {
  TextBlock block;
  block.before.push_back(withMoment_ ? "荷载组合（压力为正；弯矩与剪力按绝对值计算）："
                                     : "荷载组合（压力为正；剪力按绝对值计算）：");
  std::vector<std::string> header{"组合", "N (kN)", "V (kN)"};
  if (withMoment_) header.push_back("M (kN·m)");
  header.insert(header.end(), {"最大利用率", "控制验算"});
  block.rows.push_back(std::move(header));
  for (std::size_t i = 0; i < summaries_.size(); ++i) {
    const CombinationSummary& summary = summaries_[i];
    std::vector<std::string> row{std::to_string(i + 1) + "：" + summary.load.name, forceText(summary.load.N),
                                 forceText(summary.load.V)};
    if (withMoment_) row.push_back(forceText(summary.load.M));
    std::string ratio = utilisationText(summary.ratio);
    std::string check = "—";
    std::string unrated;  // failing checks with no ratio: a decision, or one the sizes left unevaluated
    for (const DesignCheck& own : states_[i]->bareChecks()) {
      if (own.id == summary.ratioCheck) {
        check = own.name;
        if (!own.ok()) ratio += " 不满足";
      } else if (!own.ok() && !std::isfinite(own.ratio())) {
        unrated += "；" + own.name + " 不满足";
      }
    }
    // A combination whose largest ratio passes still fails where a check without a ratio does.
    if (!unrated.empty() && !ratio.ends_with(" 不满足")) ratio += " 不满足";
    check += unrated;
    row.push_back(std::move(ratio));
    row.push_back(std::move(check));
    block.rows.push_back(std::move(row));
  }
  block.after.push_back("设计资料所列内力及计算过程取组合 " + std::to_string(body_ + 1) + "“" + loads_[body_].name +
                        "”（控制验算项目最多）；各项验算按其控制组合（利用率最大者）的内力计算并注明。");
  return blockText(block);
}

void CombinationRun::report(const TagEmitter& sink) const {
  // The checks' tags as merged replace those of the body's own checks.
  std::vector<DesignCheck> printed = checksWithValues();
  for (DesignCheck& check : printed)
    if (check.governing)
      check.values =
          governingText(check.governing->index, loads_[check.governing->index], withMoment_) + "；" + check.values;
  std::map<std::string, std::string, std::less<>> merged;
  const TagEmitter keep = [&merged](std::string_view tag, std::string_view text) {
    merged.insert_or_assign(std::string(tag), std::string(text));
  };
  emitCheckTags(printed, true, keep);
  emitRemedyTags(printed, true, keep);
  merged["<#basis>"] = given_ ? "验算（按给定尺寸逐项验算，尺寸不作调整；各荷载组合逐一验算）"
                              : "设计（各荷载组合分别设计，各部尺寸取其最大值，再按各荷载组合逐一验算）";
  merged["<#combinations>"] = combinationsTable();
  std::map<std::string, bool, std::less<>> sent;
  body().report(bodyEntries(), [&](std::string_view tag, std::string_view text) {
    const auto found = merged.find(tag);
    if (found == merged.end()) return sink(tag, text);
    sink(tag, found->second);
    sent[found->first] = true;
  });
  for (const auto& [tag, text] : merged)
    if (!sent.contains(tag)) sink(tag, text);
}

namespace {

// The same sizes checked under each combination; a check that stops names its combination.
CombinedOutcome checkUnderEach(const ModuleDescriptor& module, std::span<const LoadCombination> loads,
                               std::span<const ForceTexts> forces, const Entries& entries, const Sizes& sizes,
                               bool given) {
  CombinedOutcome result;
  auto run = std::make_unique<CombinationRun>(module, std::vector<LoadCombination>(loads.begin(), loads.end()), given);
  Closing closing = Closing::Designed;
  Entries each = entries;
  for (std::size_t i = 0; i < loads.size(); ++i) {
    putForces(each, forces[i]);
    std::unique_ptr<DesignState> state = module.newState();
    Outcome outcome = state->check(each, sizes);
    if (outcome.ending != Ending::Completed) {
      result.outcome = namedOutcome(std::move(outcome), loads[i].name);
      result.stoppedEntries = std::move(each);
      if (result.outcome.ending == Ending::Partial) result.partial = std::move(state);
      return result;
    }
    if (outcome.closing != Closing::Designed) closing = outcome.closing;
    if (i == 0) result.outcome = std::move(outcome);
    run->add(std::move(state));
  }
  result.outcome.closing = closing;
  result.outcome.messages = {closingMessage(closing)};
  run->close(entries);
  result.run = std::move(run);
  return result;
}

}  // namespace

CombinedOutcome designForCombinations(const ModuleDescriptor& module, const Entries& entries,
                                      std::span<const LoadCombination> loads) {
  const std::vector<ForceTexts> forces = forceTexts(loads);
  if (auto refused = refusedCombination(module, entries, loads, forces, false))
    return {std::move(*refused), {}, {}, {}};
  DesignedCombinations designed;
  std::unique_ptr<DesignState> state = module.newState();
  Entries each = entries;
  for (std::size_t i = 0; i < loads.size(); ++i) {
    if (checkedOnly(module, loads[i])) continue;
    putForces(each, forces[i]);
    state->reset();  // each combination designed as in a window just opened
    Outcome outcome = state->calculate(each);
    if (outcome.ending != Ending::Completed) {
      CombinedOutcome stopped{namedOutcome(std::move(outcome), loads[i].name), {}, {}, std::move(each)};
      if (stopped.outcome.ending == Ending::Partial) stopped.partial = std::move(state);
      return stopped;
    }
    designed.take(outcome, state->namedSizes());
  }
  designed.envelope = mappedSizes(designed.widest);
  Sizes& envelope = designed.envelope;
  // No design needed a shear key: each combination's check finds under the enveloped plate whether
  // it needs one, as a design would; where one does, the largest of those keys is the base's and
  // every combination is checked again with it.
  const auto key = givenShearKey(envelope);
  const bool keyLeftOut = key && key->keyh == 0;
  if (keyLeftOut)
    for (const SizeName& size : shearKeySizeNames()) envelope.erase(size.name);
  CombinedOutcome result = checkUnderEach(module, loads, forces, entries, envelope, false);
  if (keyLeftOut && result.run) {
    std::vector<NamedSize> widest;
    for (std::size_t i = 0; i < result.run->size(); ++i) widenNamed(widest, result.run->under(i).namedSizes());
    envelope = mappedSizes(widest);
    if (envelope.at("keyh") > 0) result = checkUnderEach(module, loads, forces, entries, envelope, false);
  }
  if (result.run) designed.writeBack(result.outcome);
  return result;
}

std::optional<std::string> combinationsRefusal(const ModuleDescriptor& module, const Entries& entries,
                                               std::span<const LoadCombination> loads) {
  if (auto fault = combinationsFaultFor(module, loads)) return fault;
  if (const auto refused = refusedCombination(module, entries, loads, forceTexts(loads), false))
    return refused->messages.empty() ? std::string() : refused->messages.front();
  return std::nullopt;
}

CombinedOutcome checkForCombinations(const ModuleDescriptor& module, const Entries& entries,
                                     std::span<const LoadCombination> loads, const Sizes& sizes) {
  const std::vector<ForceTexts> forces = forceTexts(loads);
  if (auto refused = refusedCombination(module, entries, loads, forces, true)) return {std::move(*refused), {}, {}, {}};
  return checkUnderEach(module, loads, forces, entries, sizes, true);
}

}  // namespace pedivo
