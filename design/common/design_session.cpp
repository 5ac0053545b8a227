#include "design/common/design_session.h"

#include <algorithm>

#include "design/common/design_check.h"
#include "design/common/input_checks.h"

namespace pedivo {

DesignSession::DesignSession(const ModuleDescriptor& module)
    : module_(&module), defaults_(module.defaultEntries()), entries_(defaults_), state_(module.newState()) {}

void DesignSession::reset() {
  entries_ = defaults_;  // assigning over a map of the same keys reuses its nodes
  state_->reset();
}

std::optional<std::string> DesignSession::setText(const std::string& control, const std::string& text) {
  const ControlSpec* found = module_->findControl(control);
  if (found == nullptr) return "“" + control + "”不是" + module_->formName + "的输入控件";
  if (found->isList() && std::find(found->items.begin(), found->items.end(), text) == found->items.end())
    return "“" + text + "”不是" + control + "的可选项";
  entries_.texts[control] = text;
  return std::nullopt;
}

Outcome DesignSession::calculate() {
  if (const auto failure = validateInput(*module_, entries_))
    return Outcome{{failure->message}, failure->focus, {}, std::nullopt};
  Outcome outcome = state_->calculate(entries_);
  // A completed design that fails a check must never read as sound: one more message follows.
  if (outcome.ending == Ending::Completed)
    if (auto failed = failedChecksMessage(state_->checks())) outcome.messages.push_back(std::move(*failed));
  for (const auto& [control, text] : outcome.entryChanges) entries_.texts[control] = text;
  if (outcome.cbsize) entries_.cbsize = *outcome.cbsize;
  return outcome;
}

}  // namespace pedivo
