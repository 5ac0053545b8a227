#pragma once
// One input window without the window: its entries, its held values and its three commands.
// The Qt input window and the headless calculator both drive this class.

#include <memory>
#include <optional>
#include <string>

#include "design/common/design_check.h"
#include "design/common/module.h"

namespace pedivo {

class DesignSession {
 public:
  explicit DesignSession(const ModuleDescriptor& module);

  const ModuleDescriptor& module() const { return *module_; }
  const Entries& entries() const { return entries_; }

  // Sets a control's text. Unknown controls and texts that a pick-only list does not offer are
  // refused with a reason.
  std::optional<std::string> setText(const std::string& control, const std::string& text);
  void setCbsize(bool ticked) { entries_.cbsize = ticked; }
  // The window as just opened: default entries, nothing held. Keeps the room of the entries, so
  // a session designing one case after another does not build its entries anew each time.
  void reset();

  // "计算": checks, then the calculation. Texts the calculation writes back are applied here.
  Outcome calculate();
  // "查看结果"
  ResultView results() const { return state_->results(); }
  // "打印计算书": tag texts, with entry texts as they stand now.
  std::vector<TagText> report() const { return state_->report(entries_); }
  // The same tags, handed over one at a time.
  void report(const TagEmitter& sink) const { state_->report(entries_, sink); }
  std::vector<NamedValue> values() const { return state_->values(); }
  // The held values are a completed design.
  bool designed() const { return state_->designed(); }
  // The checks of the last completed design; empty before one exists.
  const std::vector<DesignCheck>& checks() const {
    static const std::vector<DesignCheck> none;
    return state_->designed() ? state_->checks() : none;
  }

 private:
  const ModuleDescriptor* module_;
  Entries defaults_;
  Entries entries_;
  std::unique_ptr<DesignState> state_;
};

}  // namespace pedivo
