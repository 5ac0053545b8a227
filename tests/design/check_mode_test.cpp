// Checking given sizes: the sizes of a design given back give the design's own checks; sizes one
// step smaller fail the check that sized them; fuzzed sizes end in a verdict or a message.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
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
    int withKey = 0;  // designs whose shear key came back as given sizes
    for (int round = 0; round < 300; ++round) {
      DesignSession design(*module);
      randomColumn(rng, design, round % 4 != 0);
      // One in three with a shear that friction cannot carry: the design has a shear key.
      if (round % 3 == 1 && module->id != "gc") {
        design.setText("EdtN", number(rng, 50, 500, true));
        design.setText("EdtV", number(rng, 150, 400, true));
      }
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
      // Each check and rule once: a rule listed by two of the type's rule sets would be counted twice.
      std::set<std::string> ids;
      for (const DesignCheck& c : check.checks()) EXPECT_TRUE(ids.insert(c.id.str()).second) << where << " " << c.id;
      EXPECT_EQ(check.sizes(), design.sizes()) << where;
      ++compared;
      if (design.sizes().contains("keyh") && design.sizes().at("keyh") > 0) ++withKey;
    }
    EXPECT_GT(compared, 50) << module->id;
    if (module->id != "gc") {
      EXPECT_GT(withKey, 30) << module->id;
    }
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
      // The key's sizes as a group: none, as designed, or each fuzzed like the others.
      const int keyKind = std::uniform_int_distribution<int>(0, 3)(rng);
      for (auto& [name, value] : sizes) {
        const bool ofKey = std::any_of(module->sizes.begin(), module->sizes.end(),
                                       [&](const SizeName& size) { return size.name == name && size.ofShearKey; });
        if (ofKey && keyKind == 0) value = 0;
        if (ofKey && keyKind == 1) value = std::uniform_real_distribution<double>(6, 300)(rng);
        if (ofKey && keyKind != 2) continue;
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

namespace pedivo {
namespace {

const DesignCheck* findCheck(const std::vector<DesignCheck>& checks, std::string_view id) {
  for (const DesignCheck& check : checks)
    if (check.id == id) return &check;
  return nullptr;
}

// A session with the entries of `design`, checking `sizes`.
Outcome checkLike(const DesignSession& design, const Sizes& sizes, DesignSession& check) {
  for (const auto& [control, text] : design.entries().texts) check.setText(control, text);
  check.setCbsize(design.entries().cbsize);
  return check.check(sizes);
}

// A plate one millimetre thinner than a design that the plate's own demand sized fails that check.
TEST(CheckMode, APlateOneMillimetreThinnerFailsThePlateCheck) {
  std::mt19937 rng(11);
  for (const ModuleDescriptor* module : allModules()) {
    if (module->id == "gc") continue;
    int thinner = 0;
    for (int round = 0; round < 200 && thinner < 20; ++round) {
      DesignSession design(*module);
      randomColumn(rng, design, true);
      if (design.calculate().ending != Ending::Completed) continue;
      const DesignCheck* plate = findCheck(design.checks(), "plate");
      ASSERT_NE(plate, nullptr) << module->id;
      // Sized by its demand: the plate is the demand rounded up to the next millimetre.
      const double tpb = design.sizes().at("tpb");
      if (!(tpb > 20) || !(plate->demand > tpb - 0.9)) continue;
      Sizes sizes = design.sizes();
      sizes["tpb"] = tpb - 1;
      DesignSession check(*module);
      ASSERT_EQ(checkLike(design, sizes, check).ending, Ending::Completed) << module->id;
      EXPECT_FALSE(findCheck(check.checks(), "plate")->ok()) << module->id << " t = " << tpb - 1;
      ++thinner;
    }
    EXPECT_GT(thinner, 0) << module->id;
  }
}

// A stiffener (rib) thicker than its strength table is taken at the strength of the table's last
// band, which a stiffener grown past it keeps; never at what the window held before it (nothing in
// a new window, a limit of nought; another steel's strength after another design).
TEST(CheckMode, AStiffenerPastItsTableTakesItsLastBandsStrength) {
  const auto f1Of = [](const DesignSession& s) {
    for (const auto& v : s.values())
      if (v.name == "f1") return std::get<double>(v.value);
    ADD_FAILURE() << "no f1";
    return 0.0;
  };
  for (const char* id : {"j2", "g11", "g12", "g2", "g3"}) {
    DesignSession design(*findModule(id));
    ASSERT_EQ(design.calculate().ending, Ending::Completed) << id;
    Sizes sizes = design.sizes();
    sizes["tjjl"] = 50;
    DesignSession fresh(*findModule(id));
    ASSERT_EQ(checkLike(design, sizes, fresh).ending, Ending::Completed) << id;
    DesignSession used(*findModule(id));
    used.setText("CBf", "Q390");
    ASSERT_EQ(used.calculate().ending, Ending::Completed) << id;
    ASSERT_EQ(checkLike(design, sizes, used).ending, Ending::Completed) << id;
    EXPECT_EQ(f1Of(fresh), 205) << id;  // Q235 of 16 to 40 mm
    EXPECT_EQ(f1Of(used), 205) << id;
  }
}

// A check's numbers are those of its sizes alone: a window that designed another column in another
// steel before lists, reports and judges the same as a new one. Sizes that leave welds no length
// keep none of the earlier design's weld numbers.
TEST(CheckMode, ACheckIsTheSameWhateverTheWindowDidBefore) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession design(*module);
    ASSERT_EQ(design.calculate().ending, Ending::Completed) << module->id;
    Sizes sizes = design.sizes();
    if (sizes.count("hf11")) sizes["hf11"] = 400;  // no weld length left
    if (sizes.count("hf5")) sizes["hf5"] = 400;
    DesignSession fresh(*module);
    const Outcome first = checkLike(design, sizes, fresh);
    DesignSession used(*module);
    used.setText("CBf", "Q390");
    used.setText("EdtN", "2500");
    ASSERT_EQ(used.calculate().ending, Ending::Completed) << module->id;
    const Outcome second = checkLike(design, sizes, used);
    ASSERT_EQ(first.ending, second.ending) << module->id;
    ASSERT_EQ(fresh.values().size(), used.values().size()) << module->id;
    for (std::size_t i = 0; i < fresh.values().size(); ++i)
      EXPECT_EQ(fresh.values()[i].value, used.values()[i].value) << module->id << " " << fresh.values()[i].name;
    ASSERT_EQ(fresh.report().size(), used.report().size()) << module->id;
    for (std::size_t i = 0; i < fresh.report().size(); ++i)
      EXPECT_EQ(fresh.report()[i].text, used.report()[i].text) << module->id << " " << fresh.report()[i].tag;
  }
}

TEST(CheckMode, AShallowerEmbeddedDepthFailsTheMoment) {
  DesignSession design(*findModule("gc"));
  design.setText("EdtM", "800");
  design.setText("EdtN", "300");
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  const double depth = design.sizes().at("H2");
  DesignSession check(*findModule("gc"));
  checkLike(design, {{"H2", depth - 10}}, check);
  EXPECT_FALSE(findCheck(check.checks(), "moment")->ok());
  EXPECT_TRUE(findCheck(check.checks(), "depthMin")->ok());
  EXPECT_EQ(check.sizes().at("H2"), depth - 10) << "a given size is never changed";
}

// A stiffener too low for its welds: the welds cannot be evaluated, so their checks fail and say
// why; the other checks are evaluated as usual.
TEST(CheckMode, AWeldWithNoLengthLeftFailsWithItsReason) {
  DesignSession design(*findModule("g11"));
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  Sizes sizes = design.sizes();
  sizes["hjjl"] = 40;
  sizes["hf3"] = 14;
  DesignSession check(*findModule("g11"));
  ASSERT_EQ(checkLike(design, sizes, check).ending, Ending::Completed);
  const DesignCheck* upstand = findCheck(check.checks(), "stiffenerUpstandWeld");
  EXPECT_FALSE(upstand->ok());
  EXPECT_EQ(utilisationText(upstand->ratio()), "—");
  EXPECT_NE(upstand->remedy.find("hs − 2hf − 15 ≤ 0"), std::string::npos) << upstand->remedy;
  EXPECT_TRUE(findCheck(check.checks(), "bearing")->ok());
  const auto message = check.shownMessages(checkLike(design, sizes, check));
  EXPECT_NE(message.back().find("加劲肋竖向焊缝折算应力"), std::string::npos);
  EXPECT_NE(check.checksWithValues()[0].values, "");
}

// A channel rib with no section left clear of its corner cuts cannot have its stresses checked,
// but its outstand over its thickness still is.
TEST(CheckMode, ARibWithNoSectionLeftStillChecksItsSlenderness) {
  DesignSession design(*findModule("g3"));
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  Sizes sizes = design.sizes();
  sizes["hjjl"] = 30;  // both corner cuts of 15 mm
  DesignSession check(*findModule("g3"));
  ASSERT_EQ(checkLike(design, sizes, check).ending, Ending::Completed);
  EXPECT_NE(findCheck(check.checks(), "stiffener")->remedy.find("≤ 0"), std::string::npos);
  EXPECT_DOUBLE_EQ(findCheck(check.checks(), "slenderness")->demand, (sizes["a"] + sizes["lt"]) / sizes["tjjl"]);
}

// The weld of column and boot beams to the plate is as short as its length beyond the column,
// (L − hb)/2 − 2hf: with none left both its checks fail with that reason, on both boot-beam bases,
// and the calculation goes on; half a millimetre left is checked.
TEST(CheckMode, ABootBeamPlateWeldWithNoLengthBeyondTheColumnFailsWithItsReason) {
  for (const char* id : {"g2", "g3"}) {
    DesignSession design(*findModule(id));
    ASSERT_EQ(design.calculate().ending, Ending::Completed) << id;
    const double hb = std::stod(design.entries().texts.at("Edthc"));
    for (const double left : {0.0, 0.5}) {
      Sizes sizes = design.sizes();
      sizes["hf5"] = ((sizes.at("L") - hb) / 2 - left) / 2;
      DesignSession check(*findModule(id));
      const Outcome outcome = checkLike(design, sizes, check);
      ASSERT_EQ(outcome.ending, Ending::Completed) << id << " " << left;
      // No number stands where none could be worked out: not in the list of failed checks either.
      for (const std::string& message : outcome.messages) EXPECT_EQ(message.find("NAN"), std::string::npos) << message;
      for (const char* weld : {"plateWeld", "plateWeldCombined"}) {
        const DesignCheck* found = findCheck(check.checks(), weld);
        ASSERT_NE(found, nullptr) << id << " " << weld;
        const bool unevaluated = found->remedy.find("(L − hb)/2 − 2hf ≤ 0") != std::string::npos;
        EXPECT_EQ(unevaluated, left == 0) << id << " " << weld << " " << left << ": " << found->remedy;
        if (left == 0) {
          EXPECT_FALSE(found->ok()) << id << " " << weld;
          EXPECT_EQ(checkNumbers(*found).demand, "—") << id << " " << weld;
          EXPECT_EQ(checkNumbers(*found).limit, formatValue(found->format, found->limit) + " " + found->unit);
        }
      }
    }
  }
}

// The report's summary and its closing list name checks by their names alone: no two checks of a
// check of given sizes, rules included, may share one, or a passing row would seem to contradict a
// failing one.
TEST(CheckMode, EveryCheckOfGivenSizesHasANameOfItsOwn) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession design(*module);
    ASSERT_EQ(design.calculate().ending, Ending::Completed) << module->id;
    DesignSession check(*module);
    ASSERT_EQ(checkLike(design, design.sizes(), check).ending, Ending::Completed) << module->id;
    std::set<std::string_view> names;
    for (const DesignCheck& c : check.checks())
      EXPECT_TRUE(names.insert(c.name).second) << module->id << ": " << c.name;
  }
}

// A diaphragm no higher than the 35 mm its weld to the boot beams loses leaves that weld no length:
// the leg the weld needs cannot be worked out, so that rule fails with its reason and no number,
// while the leg against the diaphragm's thickness (hf7 ≤ tcb), which needs no length, is checked.
TEST(CheckMode, ADiaphragmTooLowForItsWeldFailsTheWeldLegRuleWithItsReason) {
  DesignSession design(*findModule("g3"));
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  for (const double hcb : {35.0, 20.0, 35.5, 36.0}) {
    Sizes sizes = design.sizes();
    sizes["hcb"] = hcb;
    DesignSession check(*findModule("g3"));
    ASSERT_EQ(checkLike(design, sizes, check).ending, Ending::Completed) << hcb;
    const DesignCheck* rule = findCheck(check.checks(), "ruleHf7");
    const DesignCheck* leg = findCheck(check.checks(), "diaphragmWeldLeg");
    ASSERT_NE(rule, nullptr) << hcb;
    ASSERT_NE(leg, nullptr) << hcb;
    EXPECT_EQ(leg->ok(), sizes.at("hf7") <= sizes.at("tcb")) << hcb;
    EXPECT_EQ(leg->remedy.find("无法验算"), std::string::npos) << hcb << ": " << leg->remedy;
    // Half a millimetre of weld is a length: its leg is worked out, however large.
    if (hcb > 35) {
      EXPECT_TRUE(std::isfinite(rule->demand)) << hcb;
      EXPECT_EQ(rule->remedy.find("无法验算"), std::string::npos) << hcb << ": " << rule->remedy;
      continue;
    }
    EXPECT_EQ(rule->remedy, "无法验算：隔板与靴梁焊缝计算长度 hcb − 35 ≤ 0") << hcb;
    EXPECT_FALSE(rule->ok()) << hcb;
    EXPECT_EQ(checkNumbers(*rule).demand, "—") << hcb;
    EXPECT_EQ(check.checksWithValues().size(), check.checks().size());
    const DesignCheck* written = findCheck(check.checksWithValues(), "ruleHf7");
    EXPECT_NE(written->values.find("hcb − 35 ≤ 0，无法计算"), std::string::npos) << written->values;
  }
}

// Given sizes may break what a design keeps by construction: those rules are checks of their own.
TEST(CheckMode, SizesBelowTheDetailingRulesFailTheirRules) {
  DesignSession design(*findModule("g12"));
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  for (const DesignCheck& check : design.checks()) EXPECT_FALSE(check.id.view().starts_with("rule")) << "a design has no rules";
  Sizes sizes = design.sizes();
  sizes["tpb"] = 16;
  sizes["a"] = 20;
  sizes["hf11"] = 4;
  sizes["hf3"] = sizes["tjjl"] + 2;
  DesignSession check(*findModule("g12"));
  checkLike(design, sizes, check);
  for (const char* id : {"ruleT", "ruleA", "ruleHf11", "ruleHf3Max"}) {
    const DesignCheck* rule = findCheck(check.checks(), id);
    ASSERT_NE(rule, nullptr) << id;
    EXPECT_FALSE(rule->ok()) << id;
    EXPECT_FALSE(rule->remedy.empty()) << id;
  }
  EXPECT_TRUE(findCheck(check.checks(), "ruleC")->ok());
  EXPECT_EQ(findCheck(check.checks(), "ruleT")->demand, 20);
}

TEST(CheckMode, AnAxialTensionBeyondTheMethodIsAMessageNotAVerdict) {
  DesignSession design(*findModule("g2"));
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  DesignSession check(*findModule("g2"));
  check.setText("EdtM", "1");
  check.setText("EdtN", "-500");
  const Outcome outcome = check.check(design.sizes());
  EXPECT_EQ(outcome.ending, Ending::Partial);
  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_NE(outcome.messages[0].find("轴向拉力"), std::string::npos);
  EXPECT_FALSE(check.designed());
}

TEST(CheckMode, ABoltOutsideTheTableIsRefused) {
  DesignSession design(*findModule("j1"));
  ASSERT_EQ(design.calculate().ending, Ending::Completed);
  Sizes sizes = design.sizes();
  sizes["dms"] = 25;
  DesignSession check(*findModule("j1"));
  const Outcome outcome = check.check(sizes);
  EXPECT_EQ(outcome.ending, Ending::Stopped);
  EXPECT_NE(outcome.messages.at(0).find("d = 25 mm"), std::string::npos) << outcome.messages[0];
}

// The smallest leg as a design gives it: 1.5·√29 = 8.08 stays 8, 1.5·√30 = 8.22 is 10.
TEST(CheckMode, TheSmallestLegIsTheDesignsEvenLeg) {
  EXPECT_TRUE(smallestLegRule("leg", "焊脚", 8, 29, 6, {}).ok());
  EXPECT_FALSE(smallestLegRule("leg", "焊脚", 8, 30, 6, {}).ok());
  EXPECT_EQ(smallestLegRule("leg", "焊脚", 8, 30, 6, {}).demand, 10);
  EXPECT_EQ(smallestLegRule("leg", "焊脚", 6, 9, 6, {}).demand, 6) << "the floor";
}

TEST(StockSizes, ThicknessesRoundUpToTheSeriesAndInTensBeyond) {
  const std::vector<double> series = defaultStockThicknesses();
  EXPECT_EQ(stockThickness(27, series), 28);
  EXPECT_EQ(stockThickness(25, series), 25);
  EXPECT_EQ(stockThickness(25.01, series), 28);
  EXPECT_EQ(stockThickness(3, series), 6);
  EXPECT_EQ(stockThickness(60, series), 60);
  EXPECT_EQ(stockThickness(61, series), 70);
  EXPECT_EQ(stockThickness(80, series), 80);
  EXPECT_EQ(stockThickness(80.5, series), 90);
  const Sizes rounded = roundedToStock({{"tpb", 27}, {"tjjl", 9}, {"hf3", 9}}, std::vector<std::string_view>{"tpb", "tjjl"}, series);
  EXPECT_EQ(rounded.at("tpb"), 28);
  EXPECT_EQ(rounded.at("tjjl"), 10);
  EXPECT_EQ(rounded.at("hf3"), 9) << "a weld leg is not a plate";
}

TEST(StockSizes, TheSeriesReadsAsTypedAndRefusesWhatIsNotOne) {
  EXPECT_EQ(parseStockSeries("6, 8，10；12 14"), (std::vector<double>{6, 8, 10, 12, 14}));
  EXPECT_EQ(stockSeriesText(defaultStockThicknesses()).substr(0, 12), "6, 8, 10, 12");
  EXPECT_EQ(parseStockSeries(stockSeriesText(defaultStockThicknesses())), defaultStockThicknesses());
  EXPECT_FALSE(parseStockSeries(""));
  EXPECT_FALSE(parseStockSeries("8, 6")) << "not increasing";
  EXPECT_FALSE(parseStockSeries("6, x"));
  EXPECT_FALSE(parseStockSeries("0, 6"));
}

// A design whose thicknesses are rounded up to stock plates keeps every check it passed: a
// thicker plate, stiffener or boot beam only relieves the parts it belongs to.
TEST(StockSizes, AStockDesignOfEveryTypePassesWhatItsDesignPassed) {
  std::mt19937 rng(5);
  for (const ModuleDescriptor* module : allModules()) {
    int compared = 0;
    for (int round = 0; round < 60; ++round) {
      DesignSession design(*module);
      randomColumn(rng, design, true);
      if (design.calculate().ending != Ending::Completed) continue;
      const Sizes stock = roundedToStock(design.sizes(), module->plateThicknesses, defaultStockThicknesses());
      DesignSession check(*module);
      ASSERT_EQ(checkLike(design, stock, check).ending, Ending::Completed);
      for (const DesignCheck& was : design.checks()) {
        const DesignCheck* now = findCheck(check.checks(), was.id);
        if (was.ok()) {
          EXPECT_TRUE(now->ok()) << module->id << " " << was.id << " " << now->demand << " > " << now->limit;
        }
      }
      ++compared;
    }
    EXPECT_GT(compared, 10) << module->id;
  }
}

}  // namespace
}  // namespace pedivo
