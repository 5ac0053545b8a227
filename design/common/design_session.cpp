#include "design/common/design_session.h"

#include <algorithm>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/design_check.h"
#include "design/common/input_checks.h"
#include "design/common/tables.h"

namespace pedivo {

DesignSession::DesignSession(const ModuleDescriptor& module)
    : module_(&module), defaults_(module.defaultEntries()), entries_(defaults_), state_(module.newState()) {}

void DesignSession::reset() {
  entries_ = defaults_;  // assigning over a map of the same keys reuses its nodes
  project_ = Project{};
  state_->reset();
  designedEntries_.reset();
  lastEnding_ = Ending::Stopped;
  stopReason_.reset();
  loads_.clear();
  combinations_.clear();
  designedLoads_.clear();
  combined_.reset();
  heldEntries_.reset();
}

std::string stopReasonText(std::string_view message) {
  std::string text(message);
  for (const std::string_view ending : {"，计算停止!", "，计算停止！", "!", "！", "。"})
    if (text.ends_with(ending)) {
      text.erase(text.size() - ending.size());
      break;
    }
  return text;
}

std::string_view statusText(DesignStatus status) {
  switch (status) {
    case DesignStatus::NotCalculated: return "未计算";
    case DesignStatus::Completed: return "已完成";
    case DesignStatus::Unfinished: return "未完成";
    case DesignStatus::EntriesChanged: return "输入已修改";
  }
  return "";
}

std::vector<ChangedEntry> DesignSession::changedEntries() const {
  std::vector<ChangedEntry> changed;
  if (!designedEntries_) return changed;
  for (const auto& [control, text] : entries_.texts) {
    const auto used = designedEntries_->texts.find(control);
    const std::string& usedText = used == designedEntries_->texts.end() ? std::string() : used->second;
    if (usedText != text) changed.push_back({control, usedText, text});
  }
  if (module_->hasDetailingToggle && designedEntries_->cbsize != entries_.cbsize)
    changed.push_back({"cbsize", designedEntries_->cbsize ? "勾选" : "未勾选", entries_.cbsize ? "勾选" : "未勾选"});
  if (loads_.size() > 1 || designedLoads_.size() > 1) {
    const auto same = [](const LoadCombination& a, const LoadCombination& b) {
      return a.name == b.name && a.N == b.N && a.V == b.V && a.M == b.M;
    };
    if (!std::equal(loads_.begin(), loads_.end(), designedLoads_.begin(), designedLoads_.end(), same)) {
      const auto count = [](std::size_t n) { return std::to_string(n) + " 组"; };
      if (loads_.size() != designedLoads_.size()) {
        changed.push_back({"loads", count(designedLoads_.size()), count(loads_.size())});
      } else {
        changed.push_back({"loads", count(designedLoads_.size()), count(loads_.size()) + "（内力已修改）"});
      }
    }
  }
  return changed;
}

DesignStatus DesignSession::status() const {
  if (!designedEntries_) return DesignStatus::NotCalculated;
  if (lastEnding_ == Ending::Partial) return DesignStatus::Unfinished;
  if (!changedEntries().empty()) return DesignStatus::EntriesChanged;
  return DesignStatus::Completed;
}

std::string DesignSession::statusLine() const {
  const std::string stopped = stopReason_ ? "计算停止：" + stopReasonText(*stopReason_) + "。" : std::string();
  switch (status()) {
    case DesignStatus::Completed: return stopped;
    case DesignStatus::NotCalculated:
      return stopped.empty() ? "尚未计算，以下不是设计结果。" : stopped + "没有设计结果，以下各值均未计算。";
    case DesignStatus::Unfinished:
      return stopped + "计算未完成，以下只有停止前算得的值，本计算书不能作为设计依据。";
    case DesignStatus::EntriesChanged: break;
  }
  std::string line = stopped + "输入已于计算后修改，以下结果对应上次计算的输入（计算时 → 现在）：";
  bool first = true;
  for (const auto& change : changedEntries()) {
    const ControlSpec* described = module_->findControl(change.control);
    const std::string caption = described != nullptr      ? described->label
                                : change.control == "loads" ? std::string("荷载组合")
                                                            : std::string("底板尺寸按构造要求选取");
    line.append(first ? "" : "；").append(caption).append(" ").append(change.used).append(" → ").append(change.now);
    first = false;
  }
  return line + "。";
}

std::vector<TagText> DesignSession::report() const {
  std::vector<TagText> tags;
  tags.reserve(128);
  report([&tags](std::string_view tag, std::string_view text) { tags.push_back({std::string(tag), std::string(text)}); });
  return tags;
}

// An unfinished, stopped or out-of-date design says so again at the head of the summary, where a
// checker reads the verdict. The design data are the entries the held values were calculated
// from, not those typed since.
void DesignSession::report(const TagEmitter& sink) const {
  const std::string line = statusLine();
  const DesignStatus now = status();
  const Entries& used = heldEntries_ ? *heldEntries_ : designedEntries_ ? *designedEntries_ : entries_;
  const auto body = [&](const TagEmitter& to) {
    if (combined_) return combined_->report(to);
    state_->report(used, to);
    // One set of forces: no table of combinations.
    to("<#combinations>", "");
  };
  if (line.empty() || (now == DesignStatus::NotCalculated && !stopReason_)) {
    body(sink);
  } else {
    body([&](std::string_view tag, std::string_view text) {
      if (tag == "<#summary>") {
        sink(tag, line + std::string(text));
      } else {
        sink(tag, text);
      }
    });
  }
  sink("<#state>", line);
  // The same line in every page's header, after the report's name.
  sink("<#pageState>", line.empty() ? std::string() : "　" + line);
  for (const auto& field : projectFields) sink(field.tag, project_.*field.text);
}

std::optional<std::string> DesignSession::setText(const std::string& control, const std::string& text) {
  const ControlSpec* found = module_->findControl(control);
  if (found == nullptr) {
    // Named by its caption where another base type has the control; otherwise as it was written.
    for (const ModuleDescriptor* other : allModules())
      if (const ControlSpec* elsewhere = other->findControl(control))
        return module_->title + "没有“" + elsewhere->label + "”一项";
    return module_->title + "没有输入项“" + control + "”";
  }
  if (found->isList() && std::find(found->items.begin(), found->items.end(), text) == found->items.end()) {
    // A grade list offers the grades of the edition in force, as the window's list does.
    const auto code = entries_.texts.find(std::string_view("CBcode"));
    const auto edition = code == entries_.texts.end() ? std::nullopt : tables::codeEdition(code->second);
    const auto byEdition = editionItems(control, edition.value_or(tables::CodeEdition::Gb2003));
    std::string offered;
    if (byEdition) {
      for (const auto item : *byEdition) offered.append(offered.empty() ? "" : "、").append(item);
    } else {
      for (const auto& item : found->items) offered.append(offered.empty() ? "" : "、").append(item);
    }
    return found->label + "“" + text + "”不在可选范围内（" + offered + "）";
  }
  entries_.texts[control] = text;
  return std::nullopt;
}

std::optional<std::string> DesignSession::setLoads(std::vector<LoadCombination> loads) {
  if (!loads.empty())
    if (auto fault = combinationsFaultFor(*module_, loads)) return fault;
  loads_ = std::move(loads);
  return std::nullopt;
}

Outcome DesignSession::calculate() {
  // The first combination is the one in the boxes N, V and M.
  if (!loads_.empty()) putForces(entries_, loads_.front());
  if (loads_.size() > 1) return settleCombined(designForCombinations(*module_, entries_, loads_));
  if (const auto failure = validateInput(*module_, entries_))
    return stoppedOutcome(CalculationStop{Stop::EntryRefused, failure->focus, failure->message});
  return settleCombined({state_->calculate(entries_), {}, {}, {}});
}

Outcome DesignSession::check(const Sizes& sizes) {
  if (!loads_.empty()) putForces(entries_, loads_.front());
  // The plate's own layout sizes are given with the others: their boxes are not read.
  Entries read = entries_;
  read.cbsize = true;
  if (loads_.size() <= 1)
    if (const auto failure = validateInput(*module_, read))
      return stoppedOutcome(CalculationStop{Stop::EntryRefused, failure->focus, failure->message});
  if (const auto fault = sizesFault(module_->sizes, sizes))
    return stoppedOutcome(CalculationStop{Stop::EntryRefused, std::nullopt, *fault});
  if (loads_.size() > 1) return settleCombined(checkForCombinations(*module_, entries_, loads_, sizes));
  return settleCombined({state_->check(entries_, sizes), {}, {}, {}});
}

// With one set of forces the session's own state took the calculation; with several, a run of
// their checks or the combination that stopped part way takes the place of the held values.
Outcome DesignSession::settleCombined(CombinedOutcome result) {
  if (result.outcome.ending != Ending::Stopped) {
    designedLoads_ = loads_;
    heldEntries_.reset();
    if (result.partial) {
      state_ = std::move(result.partial);
      heldEntries_ = result.stoppedEntries;
    }
    combined_ = std::move(result.run);
    combinations_ = combined_ ? combined_->summaries() : std::vector<CombinationSummary>{};
    if (combined_) heldEntries_ = combined_->bodyEntries();
  }
  return settle(std::move(result.outcome), result.stoppedEntries ? &*result.stoppedEntries : nullptr);
}

ResultView DesignSession::results() const {
  ResultView view = held().results();
  if (combined_ && designed())
    for (const auto& field : failedFields(checks()))
      if (std::find(view.redCaptions.begin(), view.redCaptions.end(), field) == view.redCaptions.end())
        view.redCaptions.push_back(field);
  return view;
}

Outcome DesignSession::settle(Outcome outcome, const Entries* stopped) {
  if (outcome.ending != Ending::Completed && outcome.stop && module_->stopRemedy) {
    std::string remedy = module_->stopRemedy(stopped != nullptr ? *stopped : entries_, *outcome.stop);
    if (!remedy.empty()) outcome.remedy = std::move(remedy);
  }
  // A completed design that fails a check must never read as sound: one more message follows.
  if (outcome.ending == Ending::Completed)
    if (auto failed = failedChecksMessage(checks())) outcome.messages.push_back(std::move(*failed));
  for (const auto& [control, text] : outcome.entryChanges) entries_.texts[control] = text;
  if (outcome.cbsize) entries_.cbsize = *outcome.cbsize;
  // The held values changed: they are now a design (or an unfinished one) of these entries.
  if (outcome.ending != Ending::Stopped) {
    designedEntries_ = entries_;
    lastEnding_ = outcome.ending;
  }
  if (outcome.ending == Ending::Completed || outcome.messages.empty()) {
    stopReason_.reset();
  } else {
    stopReason_ = outcome.messages.front();
  }
  return outcome;
}

std::vector<std::string> DesignSession::shownMessages(const Outcome& outcome) const {
  std::vector<std::string> shown = outcome.messages;
  if (outcome.remedy && !shown.empty()) shown.front() += "\n" + *outcome.remedy;
  if (outcome.ending == Ending::Completed && designed())
    if (auto advice = failedChecksAdvice(checks()))
      for (auto& message : shown)
        if (message.starts_with(failedChecksHeading)) message = *advice;
  return shown;
}

std::optional<double> DesignSession::weight() const {
  if (!designed()) return std::nullopt;
  return held().weight();
}

}  // namespace pedivo
