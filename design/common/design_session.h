#pragma once
// One input window without the window: its entries, its held values and its three commands.
// The Qt input window and the headless calculator both drive this class.

#include <memory>
#include <optional>
#include <string>

#include "design/common/combination_run.h"
#include "design/common/design_check.h"
#include "design/common/load_combination.h"
#include "design/common/module.h"
#include "design/common/project.h"

namespace pedivo {

// Where a window's design stands, as every output tells it.
enum class DesignStatus {
  NotCalculated,   // 未计算: nothing designed since the window opened
  Completed,       // 已完成: the held values are a design of the entries as they stand
  Unfinished,      // 未完成: the last calculation stopped and kept what it had computed
  EntriesChanged,  // 输入已修改: the entries differ from those the held values were designed for
};
std::string_view statusText(DesignStatus status);

// An entry changed after the last calculation: the text the design used and the text now.
struct ChangedEntry {
  std::string control;
  std::string used;
  std::string now;
};

class DesignSession {
 public:
  explicit DesignSession(const ModuleDescriptor& module);

  const ModuleDescriptor& module() const { return *module_; }
  const Entries& entries() const { return entries_; }

  // Sets a control's text. Unknown controls and texts that a pick-only list does not offer are
  // refused with a reason.
  std::optional<std::string> setText(const std::string& control, const std::string& text);
  void setCbsize(bool ticked) { entries_.cbsize = ticked; }
  // The project block of the report; not an entry, so changing it leaves the design as it stands.
  const Project& project() const { return project_; }
  void setProject(Project project) { project_ = std::move(project); }
  // The window as just opened: default entries, no project, nothing held. Keeps the room of the entries, so
  // a session designing one case after another does not build its entries anew each time.
  void reset();

  // The load combinations the next "计算" or "验算" takes. None (the default) or one: the entries'
  // N, V and M are the one combination, as a window with one row of 荷载组合. Several: each is
  // designed, the base takes the largest of every size, and that base is checked under each.
  // Refused with the reason (combinationsFault); the combinations stay as they were.
  std::optional<std::string> setLoads(std::vector<LoadCombination> loads);
  const std::vector<LoadCombination>& loads() const { return loads_; }
  // The combinations of the last calculation that kept its values, each with its largest ratio and
  // the checks it governs; empty after a calculation with one combination.
  const std::vector<CombinationSummary>& combinations() const { return combinations_; }

  // "计算": checks, then the calculation. Texts the calculation writes back are applied here.
  // A calculation that stops carries its remedy in the outcome.
  Outcome calculate();
  // "验算": the base of the given sizes under the entries' forces, every check evaluated once on
  // them. A size missing or not a length is refused, naming it.
  Outcome check(const Sizes& sizes);
  // The held values are a check of given sizes ("验算"), not a design ("设计").
  bool checked() const { return combined_ ? combined_->given() : state_->checked(); }
  // The sizes of the held values: what check() takes, so that a design can be given back.
  Sizes sizes() const { return held().sizes(); }
  // The outcome's messages as the window shows them: a stop with its remedy on a second line,
  // each failing check with its remedy under it.
  std::vector<std::string> shownMessages(const Outcome& outcome) const;
  // Steel of the designed parts, kg; none before a completed design.
  std::optional<double> weight() const;
  // "查看结果"
  ResultView results() const;
  // "打印计算书": tag texts, with the entry texts of the last calculation that kept its values (as
  // they stand now before any), "<#state>" the status line, "<#pageState>" the same for the page
  // header, and the project block ("<#project.name>" …).
  std::vector<TagText> report() const;
  // The same tags, handed over one at a time.
  void report(const TagEmitter& sink) const;
  const std::vector<NamedValue>& values() const { return held().values(); }
  // The held values are a completed design.
  bool designed() const { return held().designed(); }
  DesignStatus status() const;
  // The entries whose texts differ from those of the last calculation that kept its values.
  std::vector<ChangedEntry> changedEntries() const;
  // Why the last "计算" stopped before a design, as its message said it ("设计尺寸不收敛，超出程序
  // 计算范围"); none when it completed or no calculation ran since the window opened.
  const std::optional<std::string>& stopReason() const { return stopReason_; }
  // One line that says where the design stands, with the stop reason; empty for a completed
  // design of the entries.
  std::string statusLine() const;
  // The checks of the last completed design; empty before one exists.
  // Under several combinations each check is that of its governing combination.
  const std::vector<DesignCheck>& checks() const {
    static const std::vector<DesignCheck> none;
    if (combined_) return combined_->checks();
    return state_->designed() ? state_->checks() : none;
  }
  // The same checks, each with its numbers put into its formula (DesignCheck::values).
  const std::vector<DesignCheck>& checksWithValues() const {
    static const std::vector<DesignCheck> none;
    if (combined_) return combined_->checksWithValues();
    return state_->designed() ? state_->checksWithValues() : none;
  }
  // The base checked under every combination; none after a calculation with one combination.
  const CombinationRun* combinationRun() const { return combined_.get(); }

 private:
  const ModuleDescriptor* module_;
  Entries defaults_;
  Entries entries_;
  Project project_;
  std::unique_ptr<DesignState> state_;
  std::optional<Entries> designedEntries_;  // the entries of the last calculation that kept its values
  Ending lastEnding_ = Ending::Stopped;
  std::optional<std::string> stopReason_;
  std::vector<LoadCombination> loads_;
  std::vector<CombinationSummary> combinations_;
  std::vector<LoadCombination> designedLoads_;  // the combinations of the last calculation that kept its values
  std::unique_ptr<CombinationRun> combined_;     // several combinations: the base checked under each
  std::optional<Entries> heldEntries_;           // the entries the held values are of, where not designedEntries_

  // The held values the outputs read: under several combinations, those of the report's body.
  const DesignState& held() const { return combined_ ? combined_->body() : *state_; }
  // Takes what a run over several combinations ended in.
  Outcome settleCombined(CombinedOutcome result);

  // What follows a calculation or a check: the remedy of a stop (for the entries of the combination
  // that stopped, where one did), the failing checks, the written back texts and where the design
  // now stands.
  Outcome settle(Outcome outcome, const Entries* stopped = nullptr);
};

// A stop message as a reason within a sentence: "设计尺寸不收敛，超出程序计算范围" without the
// closing "，计算停止!".
std::string stopReasonText(std::string_view message);

}  // namespace pedivo
