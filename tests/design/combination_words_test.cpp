// The words of the checks under several load combinations: ranked by their numbers alone, each
// governing check reads as its combination checked alone (remedy, formula, values line), and a
// later combination's forces are refused as the whole walk of the input checks would refuse them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "design/common/check_mode.h"
#include "design/common/combination_run.h"
#include "design/common/design_session.h"
#include "design/common/input_checks.h"
#include "design/common/numbers.h"
#include "design/common/shear_key.h"

namespace pedivo {
namespace {

// Equal, or both not a number (a check that could not be evaluated).
bool sameNumber(double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); }

bool hasMoment(const ModuleDescriptor& module) { return module.findControl("EdtM") != nullptr; }

const DesignCheck* findCheck(const std::vector<DesignCheck>& checks, std::string_view id) {
  const auto found = std::find_if(checks.begin(), checks.end(), [&](const DesignCheck& c) { return c.id == id; });
  return found == checks.end() ? nullptr : &*found;
}

// A column of the type under 2 to 8 combinations about one set of forces, every other one with the
// least compression.
std::vector<LoadCombination> someCombinations(std::mt19937& rng, const ModuleDescriptor& module) {
  const auto between = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
  const int count = std::uniform_int_distribution<int>(2, 8)(rng);
  const double N = std::round(between(300, 1800)), V = std::round(between(20, 150)), M = std::round(between(60, 500));
  std::vector<LoadCombination> loads;
  for (int i = 0; i < count; ++i) {
    const double sign = i % 2 == 0 ? 1 : -1;
    loads.push_back({"组合" + std::to_string(i + 1), std::round(N * between(0.3, 1.2)),
                     sign * std::round(V * between(0.3, 1.2)), hasMoment(module) ? sign * std::round(M * between(0.2, 1.2)) : 0});
  }
  return loads;
}

DesignSession sessionUnder(const ModuleDescriptor& module, const std::vector<LoadCombination>& loads) {
  DesignSession session(module);
  if (module.hasDetailingToggle) session.setCbsize(true);
  EXPECT_FALSE(session.setLoads(loads)) << module.id;
  return session;
}

// Each merged check against the same check of its governing combination checked alone on the
// same sizes: the same numbers and the same words.
void expectWordsOfTheGoverningCombination(const DesignSession& many, const std::vector<LoadCombination>& loads,
                                          const Sizes& sizes) {
  for (const DesignCheck& check : many.checksWithValues()) {
    SCOPED_TRACE(check.id);
    ASSERT_TRUE(check.governing);
    DesignSession alone = sessionUnder(many.module(), {loads[check.governing->index]});
    ASSERT_EQ(alone.check(sizes).ending, Ending::Completed);
    const DesignCheck* own = findCheck(alone.checksWithValues(), check.id);
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(sameNumber(check.demand, own->demand)) << check.demand << " " << own->demand;
    EXPECT_TRUE(sameNumber(check.limit, own->limit)) << check.limit << " " << own->limit;
    EXPECT_EQ(check.formula, own->formula);
    EXPECT_EQ(check.values, own->values);
    EXPECT_EQ(check.remedy, own->remedy);
    EXPECT_EQ(checkNumbers(check).demand, checkNumbers(*own).demand);
    EXPECT_EQ(checkNumbers(check).limit, checkNumbers(*own).limit);
  }
  // Only the shown texts of a failing check are its remedy: none may be missing.
  for (const DesignCheck& check : many.checks()) {
    if (check.ok() || check.decision) continue;
    EXPECT_FALSE(check.remedy.empty()) << check.id;
  }
}

// Given sizes of every type, some of them smaller than the envelope so that rules and checks
// fail, checked under several combinations.
TEST(CombinationWords, EachGoverningCheckReadsAsItsCombinationCheckedAlone) {
  std::mt19937 rng(31);
  for (const ModuleDescriptor* module : allModules()) {
    int compared = 0;
    for (int round = 0; round < 20 && compared < 3; ++round) {
      const auto loads = someCombinations(rng, *module);
      DesignSession design = sessionUnder(*module, loads);
      if (design.calculate().ending != Ending::Completed) continue;
      SCOPED_TRACE(module->id + " round " + std::to_string(round));
      expectWordsOfTheGoverningCombination(design, loads, design.sizes());
      Sizes smaller = design.sizes();
      // The shear key's sizes are given whole or not at all: they stay as designed.
      const auto keySizes = shearKeySizeNames();
      const auto isKeySize = [&keySizes](const std::string& name) {
        return std::any_of(keySizes.begin(), keySizes.end(), [&name](const SizeName& size) { return size.name == name; });
      };
      for (auto& [name, size] : smaller)
        if (!isKeySize(name) && std::uniform_int_distribution<int>(0, 2)(rng) == 0)
          size = std::max(1.0, std::round(size * 0.6));
      DesignSession checked = sessionUnder(*module, loads);
      if (checked.check(smaller).ending != Ending::Completed) continue;
      expectWordsOfTheGoverningCombination(checked, loads, smaller);
      ++compared;
    }
    EXPECT_GE(compared, 2) << module->id;
  }
}

// A rule on a given size is listed with its numbers; its remedy comes with the remedies, its values
// line with the values lines, each once.
TEST(CombinationWords, ARuleWritesItsWordsWhenAskedFor) {
  const ModuleDescriptor& module = *findModule("g11");
  DesignSession design(module);
  design.setCbsize(true);
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  Sizes sizes = design.sizes();
  sizes["tpb"] = 16;
  std::unique_ptr<DesignState> state = module.newState();
  Entries entries = design.entries();
  ASSERT_EQ(state->check(entries, sizes).ending, Ending::Completed);
  const DesignCheck* bare = findCheck(state->bareChecks(), "ruleT");
  ASSERT_NE(bare, nullptr);
  EXPECT_FALSE(bare->ok());
  EXPECT_EQ(bare->remedy, "");
  EXPECT_EQ(bare->values, "");
  const DesignCheck* advised = findCheck(state->checks(), "ruleT");
  EXPECT_EQ(advised->remedy, "加大该尺寸至不小于 20 mm");
  EXPECT_EQ(advised->values, "");
  const DesignCheck* written = findCheck(state->checksWithValues(), "ruleT");
  EXPECT_EQ(written->values, "最小值 = 20 mm > 给定尺寸 = 16 mm");
  EXPECT_EQ(written->remedy, "加大该尺寸至不小于 20 mm");
  const DesignCheck* legMax = findCheck(state->checksWithValues(), "ruleHf3Max");
  ASSERT_NE(legMax, nullptr);
  EXPECT_EQ(legMax->remedy.starts_with("减小该尺寸至不大于 "), true) << legMax->remedy;
}

// A force of a later combination that the input checks refuse: the message the whole walk of the
// checks gives for that combination's entries, named by it; an entry other than a force is refused
// as with one set of forces.
TEST(CombinationWords, ALaterCombinationsForcesAreRefusedAsTheWholeWalkRefusesThem) {
  for (const ModuleDescriptor* module : allModules()) {
    SCOPED_TRACE(module->id);
    const Entries entries = module->defaultEntries();
    const LoadCombination fine{"组合1", 800, 60, hasMoment(*module) ? 200.0 : 0};
    std::vector<LoadCombination> refused{{"超大轴力", 2e6, 60, fine.M}, {"超大剪力", 800, -3e6, fine.M}};
    if (hasMoment(*module)) refused.push_back({"超大弯矩", 800, 60, -5e6});
    for (const LoadCombination& bad : refused) {
      const std::vector<LoadCombination> loads{fine, bad};
      const auto whole = validateCombinationInput(*module, combinationEntries(entries, bad));
      ASSERT_TRUE(whole) << bad.name;
      EXPECT_EQ(combinationsRefusal(*module, entries, loads), combinationMessage(bad.name, whole->message));
    }
    Entries section = entries;
    section.texts["Edthc"] = "0";
    const auto message = combinationsRefusal(*module, section, std::vector<LoadCombination>{fine, refused.front()});
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, validateCombinationInput(*module, combinationEntries(section, fine))->message);
  }
}

}  // namespace
}  // namespace pedivo
