#include "design/common/input_checks.h"

#include <gtest/gtest.h>

#include "design/common/design_session.h"

namespace pedivo {
namespace {

struct CheckCase {
  const char* name;
  const char* module;
  std::vector<std::pair<const char*, const char*>> texts;
  bool cbsize;
  const char* message;                 // nullptr: all checks pass
  std::optional<std::string> focus;
};

class InputChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(InputChecks, FirstFailureInCheckingOrderGivesItsMessageAndFocus) {
  const CheckCase& c = GetParam();
  const ModuleDescriptor* module = findModule(c.module);
  ASSERT_NE(module, nullptr);
  Entries entries = module->defaultEntries();
  entries.cbsize = c.cbsize;
  for (const auto& [control, text] : c.texts) entries.texts[control] = text;
  const auto failure = validateInput(*module, entries);
  if (c.message == nullptr) {
    EXPECT_FALSE(failure) << failure->message;
    return;
  }
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->message, c.message);
  EXPECT_EQ(failure->focus, c.focus);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, InputChecks,
    ::testing::Values(
        CheckCase{"defaults_pass", "j1", {}, true, nullptr, {}},
        // A plate size is checked even while the detailing sizes are used; it cannot take focus then.
        CheckCase{"plate_size_ticked", "j1", {{"Edtsizea", "0"}}, true, "底板尺寸a必须大于0", std::nullopt},
        CheckCase{"plate_size_cleared", "j1", {{"Edtsizebt", "-1"}}, false, "底板尺寸bt必须大于0", "Edtsizebt"},
        CheckCase{"pinned_tension", "j1", {{"EdtN", "-10"}}, true, "铰接柱脚柱底轴力应为压力（正值）", "EdtN"},
        CheckCase{"rigid_accepts_tension", "g11", {{"EdtN", "-10"}}, true, nullptr, {}},
        CheckCase{"embedded_accepts_zero_n", "gc", {{"EdtN", "0"}}, false, nullptr, {}},
        CheckCase{"only_first_reported", "j2", {{"Edttw", "0"}, {"Edthc", "0"}, {"EdtV", "0"}}, true,
                  "柱截面高度必须大于0", "Edthc"},
        CheckCase{"moment_before_shear", "g2", {{"EdtV", "0"}, {"EdtM", "-5"}}, true, "柱底弯矩应输入正值", "EdtM"},
        CheckCase{"shear", "g3", {{"EdtV", "0"}}, true, "柱底剪力应输入正值", "EdtV"},
        CheckCase{"flange_thickness", "gc", {{"Edttf", "0"}}, false, "柱翼缘厚度必须大于0", "Edttf"},
        CheckCase{"embedded_has_no_plate_checks", "gc", {{"EdtM", "1"}, {"EdtV", "1"}}, false, nullptr, {}},
        // A text that is not a number stops the walk where it stands in the order.
        CheckCase{"not_a_number_first", "j1", {{"Edtbf", "abc"}, {"Edttw", "0"}}, true, "“abc”不是有效的数值",
                  "Edtbf"},
        CheckCase{"number_check_after_failure", "j1", {{"Edthc", "0"}, {"Edtbf", "abc"}}, true,
                  "柱截面高度必须大于0", "Edthc"},
        CheckCase{"empty_text", "g12", {{"Edtsizec", ""}}, false, "“”不是有效的数值", "Edtsizec"}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(DesignSessionEntries, RefusesUnknownControlsAndListTextsThatAreNotItems) {
  DesignSession session(*findModule("j1"));
  EXPECT_TRUE(session.setText("EdtM", "100"));  // the pinned bases have no moment
  EXPECT_TRUE(session.setText("CBfc", "C50"));
  EXPECT_TRUE(session.setText("CBdms", "20"));
  EXPECT_FALSE(session.setText("CBdms", "42"));
  EXPECT_EQ(session.entries().texts.at("CBdms"), "42");
  EXPECT_EQ(session.entries().texts.at("CBfc"), "C25");
}

TEST(ModuleDescriptors, EveryWindowHasItsNamesCaptionsAndDefaults) {
  const std::vector<std::pair<std::string, std::string>> forms{
      {"TForm2", "两锚栓铰接柱脚-输入设计参数"}, {"TForm3", "四锚栓铰接柱脚-输入设计参数"},
      {"TForm4", "八锚栓刚接柱脚-输入设计参数"}, {"TForm5", "十锚栓刚接柱脚-输入设计参数"},
      {"TForm6", "T型靴梁柱脚-输入设计参数"}, {"TForm7", "槽型靴梁柱脚-输入设计参数"},
      {"TForm8", "插入式柱脚-输入设计参数"}};
  ASSERT_EQ(allModules().size(), forms.size());
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const ModuleDescriptor& m = *allModules()[i];
    EXPECT_EQ(m.formName, forms[i].first);
    EXPECT_EQ(m.caption, forms[i].second);
    const Entries defaults = m.defaultEntries();
    EXPECT_EQ(defaults.texts.at("Edthc"), "450");
    EXPECT_EQ(defaults.texts.at("EdtV"), "40");
    EXPECT_EQ(defaults.cbsize, m.formName != "TForm8");
    EXPECT_EQ(defaults.texts.count("EdtM") == 1, m.formName >= "TForm4");
    EXPECT_EQ(defaults.texts.count("Edtsizea") == 1, m.formName != "TForm8");
  }
  EXPECT_EQ(findModule("j1")->findControl("CBdms")->items.size(), 7u);
  EXPECT_EQ(findModule("j2")->findControl("cbdms")->items, (std::vector<std::string>{"24", "27", "30"}));
  // Every window writes its moment unit alike.
  for (const ModuleDescriptor* m : allModules()) {
    if (const ControlSpec* moment = m->findControl("EdtM")) {
      EXPECT_EQ(moment->unit, "（kN·m）") << m->id;
    }
  }
  // Each window's result captions are its own words; sibling windows name the same thing alike.
  const auto resultLabel = [](const char* module, const std::string& field) {
    for (const auto& group : findModule(module)->resultGroups)
      for (const auto& result : group.fields)
        if (result.name == field) return result.label;
    return std::string();
  };
  EXPECT_EQ(resultLabel("g3", "Edthf5"), "靴梁板与底板焊脚高度");
  EXPECT_EQ(resultLabel("j2", "edtshear"), "抗剪键设置");
  EXPECT_EQ(resultLabel("j1", "edtshear"), "抗剪键设置");
}

}  // namespace
}  // namespace pedivo
