#include "design/common/design_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pedivo {
namespace {

void expectSameWindow(const DesignSession& a, const DesignSession& b, const std::string& module) {
  EXPECT_EQ(a.entries().texts, b.entries().texts) << module;
  EXPECT_EQ(a.entries().cbsize, b.entries().cbsize) << module;
  const auto va = a.values();
  const auto vb = b.values();
  ASSERT_EQ(va.size(), vb.size()) << module;
  for (std::size_t i = 0; i < va.size(); ++i) EXPECT_EQ(va[i].value, vb[i].value) << module << " " << va[i].name;
  const auto ra = a.report();
  const auto rb = b.report();
  ASSERT_EQ(ra.size(), rb.size()) << module;
  for (std::size_t i = 0; i < ra.size(); ++i) EXPECT_EQ(ra[i].text, rb[i].text) << module << " " << ra[i].tag;
  EXPECT_EQ(a.checks().size(), b.checks().size()) << module;
  EXPECT_EQ(a.results().redCaptions, b.results().redCaptions) << module;
}

// A window designed, then set back, is a window just opened: the same entries, nothing held,
// and the same design on the next "计算".
TEST(DesignSession, ResetGivesAWindowJustOpened) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession used(*module);
    if (module->hasDetailingToggle) used.setCbsize(false);
    used.setText("EdtN", "1234");
    used.calculate();
    used.reset();
    DesignSession fresh(*module);
    expectSameWindow(used, fresh, module->id);
    used.calculate();
    fresh.calculate();
    expectSameWindow(used, fresh, module->id);
  }
}

// The report handed over tag by tag is the report as a list, before and after a design, passing
// checks and failing ones.
TEST(DesignSession, ReportHandedOverTagByTagIsTheReportList) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    for (const char* axialForce : {"", "1500", "9000"}) {
      if (*axialForce != '\0') {
        session.setText("EdtN", axialForce);
        session.calculate();
      }
      std::vector<TagText> handed;
      session.report([&handed](std::string_view tag, std::string_view text) {
        handed.push_back({std::string(tag), std::string(text)});
      });
      const auto list = session.report();
      ASSERT_EQ(handed.size(), list.size()) << module->id;
      for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(handed[i].tag, list[i].tag) << module->id;
        EXPECT_EQ(handed[i].text, list[i].text) << module->id << " " << list[i].tag;
      }
    }
  }
}


// The held values listed by a window are always those of its last committed calculation: a
// fresh window calculated on the same entries lists the same values. Kept lists must follow a
// second design, stay through a stop and go with a reset.
class HeldValuesFollowTheWindow : public ::testing::TestWithParam<const char*> {};

void expectValuesOfAFreshWindow(const DesignSession& window, const std::vector<std::pair<std::string, std::string>>& texts,
                                const std::string& what) {
  DesignSession fresh(*findModule(window.module().id));
  for (const auto& [control, text] : texts) fresh.setText(control, text);
  fresh.setCbsize(window.entries().cbsize);
  fresh.calculate();
  const auto& expected = fresh.values();
  const auto& listed = window.values();
  ASSERT_EQ(listed.size(), expected.size()) << what;
  for (std::size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i].value, expected[i].value) << what << " " << listed[i].name;
}

TEST_P(HeldValuesFollowTheWindow, ThroughASecondDesignAStopAndAReset) {
  const ModuleDescriptor& module = *findModule(GetParam());
  DesignSession window(module);
  const std::vector<std::pair<std::string, std::string>> first{{"EdtN", "1500"}, {"EdtV", "80"}};
  const std::vector<std::pair<std::string, std::string>> second{{"EdtN", "2600"}, {"EdtV", "150"}};
  for (const auto& [control, text] : first) window.setText(control, text);
  window.calculate();
  const auto firstValues = window.values();  // asked for once: the list is kept from here
  expectValuesOfAFreshWindow(window, first, "first design");

  for (const auto& [control, text] : second) window.setText(control, text);
  ASSERT_EQ(window.calculate().ending, Ending::Completed);
  expectValuesOfAFreshWindow(window, second, "second design");
  bool changed = false;
  for (std::size_t i = 0; i < firstValues.size(); ++i) changed = changed || window.values()[i].value != firstValues[i].value;
  EXPECT_TRUE(changed) << "a list kept from the first design";

  // A refused entry stops the calculation: the window holds the second design still.
  window.setText("EdtN", "12kN");
  EXPECT_EQ(window.calculate().ending, Ending::Stopped);
  expectValuesOfAFreshWindow(window, second, "after a stop");

  window.reset();
  const DesignSession opened(module);
  ASSERT_EQ(window.values().size(), opened.values().size());
  for (std::size_t i = 0; i < opened.values().size(); ++i)
    EXPECT_EQ(window.values()[i].value, opened.values()[i].value) << "after a reset " << opened.values()[i].name;
}

INSTANTIATE_TEST_SUITE_P(EveryBaseType, HeldValuesFollowTheWindow,
                         ::testing::Values("j1", "j2", "g11", "g12", "g2", "g3", "gc"));

// A search ranks designs by their bare checks: the same checks, numbers and verdicts as the
// window's, without the remedies; asking for the bare checks first leaves the window's checks,
// remedies and report lines whole.
TEST(DesignSession, BareChecksAreTheChecksWithoutTheirRemedies) {
  using Texts = std::vector<std::pair<std::string, std::string>>;
  // Designs that complete with failing checks, so that the checks carry remedies.
  const std::vector<std::pair<const char*, Texts>> failing{
      {"j1", {{"EdtN", "2719.75"}, {"EdtV", "195.7"}}},
      {"j2", {{"EdtN", "2525.9"}, {"EdtV", "375"}, {"CBfta", "Q235"}, {"CBfc", "C30"}}},
      {"g11", {{"Edthc", "771.48"}, {"Edtbf", "249"}, {"Edttw", "14"}, {"Edttf", "16.593"}, {"EdtM", "737"},
               {"EdtN", "277"}, {"EdtV", "155"}}},
      {"g2", {{"Edthc", "348"}, {"Edtbf", "207"}, {"Edttw", "13"}, {"Edttf", "17"}, {"EdtM", "570"}, {"EdtN", "2488"},
              {"EdtV", "181.1"}, {"CBf", "Q420"}, {"CBfta", "Q345"}, {"CBfc", "C35"}}},
  };
  for (const auto& [id, texts] : failing) {
    const ModuleDescriptor& module = *findModule(id);
    DesignSession window(module);
    for (const auto& [control, text] : texts) ASSERT_EQ(window.setText(control, text), std::nullopt) << id << control;
    window.calculate();
    ASSERT_TRUE(window.designed()) << id;
    const std::unique_ptr<DesignState> state = module.newState();
    state->calculate(window.entries());
    const std::vector<DesignCheck> bare = state->bareChecks();
    const std::vector<DesignCheck>& full = state->checksWithValues();
    const std::vector<DesignCheck>& expected = window.checksWithValues();
    ASSERT_EQ(bare.size(), expected.size()) << id;
    ASSERT_EQ(full.size(), expected.size()) << id;
    bool remedied = false;
    for (std::size_t i = 0; i < bare.size(); ++i) {
      const std::string what = std::string(id) + " " + expected[i].id;
      EXPECT_EQ(bare[i].id, expected[i].id) << what;
      EXPECT_EQ(bare[i].demand, expected[i].demand) << what;
      EXPECT_EQ(bare[i].limit, expected[i].limit) << what;
      EXPECT_EQ(bare[i].ok(), expected[i].ok()) << what;
      EXPECT_TRUE(bare[i].remedy.empty()) << what;
      EXPECT_EQ(full[i].remedy, expected[i].remedy) << what;
      EXPECT_EQ(full[i].values, expected[i].values) << what;
      remedied = remedied || !expected[i].remedy.empty();
    }
    EXPECT_TRUE(remedied) << id << ": no failing check to test the remedies with";
  }
}

}  // namespace
}  // namespace pedivo
