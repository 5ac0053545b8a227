#include "design/common/pending_state.h"

#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/result_text.h"

namespace pedivo {
namespace {

class PendingState final : public DesignState {
 public:
  explicit PendingState(std::vector<ResultGroupSpec> groups) : groups_(std::move(groups)) {}

  Outcome calculate(const Entries&) override { return {}; }

  ResultView results() const override {
    ResultView view;
    for (const auto& group : groups_)
      for (const auto& field : group.fields)
        view.fields.push_back({field.name, field.name == "edtshear" ? shearKeyField(0, 0) : "0"});
    return view;
  }

  std::vector<TagText> report(const Entries& e) const override {
    std::vector<TagText> tags{{"<#hb>", "0"}, {"<#bf>", "0"}, {"<#tw>", "0"}, {"<#tf>", "0"}};
    // The force entries as typed: "EdtM" fills "<#M>", and so on.
    for (const char* control : {"EdtM", "EdtN", "EdtV"})
      if (e.texts.count(control) != 0) tags.push_back({std::string("<#") + (control + 3) + ">", entryText(e, control)});
    tags.push_back({"<#concrete>", entryText(e, "CBfc")});
    tags.push_back({"<#steel>", entryText(e, "CBf")});
    tags.push_back({"<#ms>", entryText(e, "CBfta")});
    return tags;
  }

  std::vector<NamedValue> values() const override { return {}; }
  std::vector<DesignCheck> checks() const override { return {}; }
  bool designed() const override { return false; }

 private:
  std::vector<ResultGroupSpec> groups_;
};

}  // namespace

std::function<std::unique_ptr<DesignState>()> pendingStateFactory(std::vector<ResultGroupSpec> resultGroups) {
  return [resultGroups] { return std::make_unique<PendingState>(resultGroups); };
}

}  // namespace pedivo
