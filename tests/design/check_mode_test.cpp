// Checking given sizes: the sizes of a design given back give the design's own checks; sizes one
// step smaller fail the check that sized them; fuzzed sizes end in a verdict or a message.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "design/common/check_mode.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"

namespace pedivo {
namespace {

std::string number(std::mt19937& rng, double low, double high, bool whole) {
  const double x = std::uniform_real_distribution<double>(low, high)(rng);
  return whole ? std::to_string(static_cast<int>(x)) : formatGeneral(std::round(x * 10) / 10);
}

// A realistic column of every type: sections, forces, grades; whole millimetres most of the time.
void randomColumn(std::mt19937& rng, DesignSession& session, bool wholeSection) {
  const ModuleDescriptor& module = session.module();
  const auto pick = [&](const char* control, std::vector<std::string> items) {
    session.setText(control, items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)]);
  };
  session.setText("Edthc", number(rng, 250, 900, wholeSection));
  session.setText("Edtbf", number(rng, 180, 450, wholeSection));
  session.setText("Edttw", number(rng, 6, 16, wholeSection));
  session.setText("Edttf", number(rng, 10, 28, wholeSection));
  session.setText("EdtN", number(rng, module.id == "gc" ? -200 : 50, 3000, true));
  session.setText("EdtV", number(rng, 0, 300, true));
  if (module.findControl("EdtM") != nullptr) session.setText("EdtM", number(rng, 0, 900, true));
  pick("CBf", {"Q235", "Q345", "Q390"});
  pick("CBfc", {"C25", "C30", "C35", "C40"});
  if (module.findControl("CBfta") != nullptr) pick("CBfta", {"Q235", "Q345"});
  if (module.hasDetailingToggle) session.setCbsize(true);
}

// Demand and limit alike to 1e-9 of their size, verdicts the same.
void expectSameChecks(const std::vector<DesignCheck>& designed, const std::vector<DesignCheck>& checked,
                      const std::string& where) {
  ASSERT_GE(checked.size(), designed.size()) << where;
  for (std::size_t i = 0; i < designed.size(); ++i) {
    const DesignCheck& a = designed[i];
    const DesignCheck& b = checked[i];
    ASSERT_EQ(a.id, b.id) << where;
    const auto near = [](double x, double y) { return std::fabs(x - y) <= 1e-9 * std::max(1.0, std::fabs(x)); };
    EXPECT_TRUE(near(a.demand, b.demand)) << where << " " << a.id << " demand " << a.demand << " vs " << b.demand;
    EXPECT_TRUE(near(a.limit, b.limit)) << where << " " << a.id << " limit " << a.limit << " vs " << b.limit;
    EXPECT_EQ(a.ok(), b.ok()) << where << " " << a.id;
    EXPECT_EQ(a.decision, b.decision) << where << " " << a.id;
  }
}

TEST(CheckMode, EveryTypeTakesTheSizesItsDesignsGive) {
  for (const ModuleDescriptor* module : allModules()) {
    ASSERT_FALSE(module->sizes.empty()) << module->id;
    DesignSession session(*module);
    session.calculate();
    ASSERT_TRUE(session.designed()) << module->id;
    const Sizes sizes = session.sizes();
    EXPECT_EQ(sizes.size(), module->sizes.size()) << module->id;
    for (const auto& size : module->sizes) EXPECT_TRUE(sizes.contains(size.name)) << module->id << " " << size.name;
  }
}

// The identity: checking the sizes that a completed design produced gives that design's checks.
TEST(CheckMode, TheSizesOfADesignGiveItsChecks) {
  std::mt19937 rng(20261209);
  for (const ModuleDescriptor* module : allModules()) {
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
      DesignSession design(*module);
      randomColumn(rng, design, round % 4 != 0);
      const Outcome designed = design.calculate();
      if (designed.ending != Ending::Completed) continue;
      DesignSession check(*module);
      for (const auto& [control, text] : design.entries().texts) check.setText(control, text);
      check.setCbsize(design.entries().cbsize);
      const Outcome checked = check.check(design.sizes());
      const std::string where = module->id + " round " + std::to_string(round);
      ASSERT_EQ(checked.ending, Ending::Completed)
          << where << " " << (checked.messages.empty() ? "" : checked.messages[0]);
      EXPECT_TRUE(check.checked()) << where;
      EXPECT_FALSE(design.checked()) << where;
      expectSameChecks(design.checks(), check.checks(), where);
      EXPECT_EQ(check.sizes(), design.sizes()) << where;
      ++compared;
    }
    EXPECT_GT(compared, 50) << module->id;
  }
}

TEST(CheckMode, AMissingOrNonPositiveSizeIsRefusedByName) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    session.calculate();
    Sizes sizes = session.sizes();
    const SizeName& last = module->sizes.back();
    sizes.erase(last.name);
    Outcome refused = session.check(sizes);
    ASSERT_EQ(refused.messages.size(), 1u) << module->id;
    EXPECT_NE(refused.messages[0].find(last.name), std::string::npos) << refused.messages[0];
    EXPECT_NE(refused.messages[0].find(last.caption), std::string::npos) << refused.messages[0];
    EXPECT_EQ(refused.ending, Ending::Stopped);
    EXPECT_FALSE(session.checked()) << "the design stands";
    sizes[last.name] = -5;
    refused = session.check(sizes);
    EXPECT_NE(refused.messages[0].find("大于 0"), std::string::npos) << refused.messages[0];
  }
}

// Fuzzed sizes end in checks or in a message, never in a loop or a crash, and never in a value
// that no format can write.
TEST(CheckMode, FuzzedSizesEndInAVerdictOrAMessage) {
  std::mt19937 rng(7);
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession base(*module);
    base.calculate();
    const Sizes designed = base.sizes();
    for (int round = 0; round < 400; ++round) {
      DesignSession session(*module);
      Sizes sizes = designed;
      for (auto& [name, value] : sizes) {
        const int kind = std::uniform_int_distribution<int>(0, 5)(rng);
        if (kind == 0) value = std::uniform_real_distribution<double>(0.01, 3)(rng);
        if (kind == 1) value *= std::uniform_real_distribution<double>(0.1, 3)(rng);
        if (kind == 2) value = std::uniform_real_distribution<double>(1, 5000)(rng);
      }
      const Outcome outcome = session.check(sizes);
      EXPECT_FALSE(outcome.messages.empty()) << module->id;
      if (outcome.ending == Ending::Completed) {
        for (const DesignCheck& check : session.checks())
          if (!check.decision) {
            EXPECT_TRUE(std::isfinite(check.limit)) << module->id << " " << check.id;
          }
        session.report();  // every number writes
      }
    }
  }
}

}  // namespace
}  // namespace pedivo
