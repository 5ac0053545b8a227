// Several load combinations: each designed, the largest of every size taken, that base checked
// under each; every check names the combination with its largest ratio.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "design/common/calculation.h"
#include "design/common/combination_run.h"
#include "design/common/design_session.h"
#include "design/common/text_block.h"
#include "design/common/numbers.h"
#include "design/common/rigid_base.h"
#include "design_probe.h"

namespace pedivo {
namespace {

using testing::Texts;

bool hasMoment(const ModuleDescriptor& module) { return module.findControl("EdtM") != nullptr; }

// A realistic column of the type with 2 to `most` combinations about one set of forces: gravity,
// wind from either side, uplift where the type takes tension.
std::vector<LoadCombination> randomColumn(std::mt19937& rng, DesignSession& session, int most) {
  const auto between = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
  const auto whole = [&](double low, double high) { return formatGeneral(std::round(between(low, high))); };
  session.setText("Edthc", whole(300, 800));
  session.setText("Edtbf", whole(200, 400));
  session.setText("Edttw", whole(8, 14));
  session.setText("Edttf", whole(12, 24));
  session.setText("CBf", std::uniform_int_distribution<int>(0, 1)(rng) == 0 ? "Q235" : "Q345");
  if (session.module().hasDetailingToggle) session.setCbsize(true);
  const int count = std::uniform_int_distribution<int>(2, most)(rng);
  const bool moment = hasMoment(session.module());
  std::vector<LoadCombination> loads;
  const double N = std::round(between(200, 2000)), V = std::round(between(20, 200)), M = std::round(between(50, 600));
  for (int i = 0; i < count; ++i) {
    const double sign = i % 2 == 0 ? 1 : -1;
    loads.push_back({"组合" + std::to_string(i + 1), std::round(N * between(0.3, 1.2)),
                     sign * std::round(V * between(0.3, 1.2)), moment ? sign * std::round(M * between(0.2, 1.2)) : 0});
  }
  return loads;
}

const DesignCheck* findCheck(const std::vector<DesignCheck>& checks, std::string_view id) {
  const auto found = std::find_if(checks.begin(), checks.end(), [&](const DesignCheck& c) { return c.id == id; });
  return found == checks.end() ? nullptr : &*found;
}

bool near(double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
  return std::fabs(x - y) <= 1e-9 * std::max(1.0, std::fabs(x));
}

// Over generated columns of every type: the envelope is no smaller than any one design, each
// combination's checks are those of check mode on the envelope, and the governing combination of
// each check is one with the largest ratio (the first of equals).
TEST(LoadCombinations, TheEnvelopeIsCheckedUnderEveryCombination) {
  std::mt19937 rng(20261210);
  for (const ModuleDescriptor* module : allModules()) {
    int designed = 0;
    for (int round = 0; round < 25 && designed < 8; ++round) {
      DesignSession session(*module);
      const auto loads = randomColumn(rng, session, 6);
      ASSERT_FALSE(session.setLoads(loads)) << module->id;
      if (session.calculate().ending != Ending::Completed) continue;
      ++designed;
      const Sizes envelope = session.sizes();
      const CombinationRun* run = session.combinationRun();
      ASSERT_NE(run, nullptr);
      ASSERT_EQ(run->size(), loads.size());
      ASSERT_EQ(session.combinations().size(), loads.size());
      for (std::size_t i = 0; i < loads.size(); ++i) {
        SCOPED_TRACE(module->id + " round " + std::to_string(round) + " " + loads[i].name);
        DesignSession one(*module);
        for (const auto& [control, text] : session.entries().texts) one.setText(control, text);
        one.setCbsize(session.entries().cbsize);
        ASSERT_FALSE(one.setLoads({loads[i]}));
        ASSERT_EQ(one.calculate().ending, Ending::Completed);
        for (const auto& [name, size] : one.sizes()) EXPECT_GE(envelope.at(name), size) << name;
        // Check mode of this combination alone on the enveloped sizes.
        ASSERT_EQ(one.check(envelope).ending, Ending::Completed);
        const auto& alone = one.checks();
        const auto& under = run->under(i).checks();
        ASSERT_EQ(alone.size(), under.size());
        for (std::size_t k = 0; k < alone.size(); ++k) {
          EXPECT_EQ(alone[k].id, under[k].id);
          EXPECT_TRUE(near(alone[k].demand, under[k].demand)) << alone[k].id;
          EXPECT_TRUE(near(alone[k].limit, under[k].limit)) << alone[k].id;
          EXPECT_EQ(alone[k].ok(), under[k].ok()) << alone[k].id;
        }
      }
      for (const DesignCheck& check : session.checks()) {
        ASSERT_TRUE(check.governing) << check.id;
        const std::size_t g = check.governing->index;
        EXPECT_EQ(check.governing->name, loads[g].name);
        for (std::size_t i = 0; i < run->size(); ++i) {
          const DesignCheck* other = findCheck(run->under(i).checks(), check.id);
          if (other == nullptr) continue;
          EXPECT_FALSE(governsOver(*other, check)) << check.id << " under " << loads[i].name;
          if (i < g) {
            EXPECT_TRUE(governsOver(check, *other)) << check.id << ": the first of equals governs";
          }
          if (!other->ok()) {
            EXPECT_FALSE(check.ok()) << check.id << " fails under " << loads[i].name;
          }
        }
        const auto& governs = session.combinations()[g].governs;
        EXPECT_NE(std::find(governs.begin(), governs.end(), check.id), governs.end()) << check.id;
      }
    }
    EXPECT_GE(designed, 3) << module->id;
  }
}

// The larger moment with more compression needs the thicker plate, the least compression pulls
// hardest on the bolts: two checks of one base governed by two combinations, against a hand
// calculation of each on the enveloped sizes (tests/design/hand/two_combinations.py).
TEST(LoadCombinations, TheMomentGovernsThePlateAndTheLeastCompressionTheBolts) {
  std::ifstream in(std::string(PEDIVO_HAND_CASES) + "/two_combinations_expected.json");
  const nlohmann::json hand = nlohmann::json::parse(in);
  DesignSession session(*findModule("g11"));
  for (const auto& [control, text] : hand.at("entries").items()) session.setText(control, text.get<std::string>());
  session.setCbsize(true);
  std::vector<LoadCombination> loads;
  for (const auto& load : hand.at("loads"))
    loads.push_back({load.at("name"), load.at("N"), load.at("V"), load.at("M")});
  ASSERT_FALSE(session.setLoads(loads));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  for (const auto& [name, size] : hand.at("sizes").items())
    EXPECT_EQ(session.sizes().at(name), size.get<double>()) << name;
  const CombinationRun* run = session.combinationRun();
  ASSERT_NE(run, nullptr);
  for (const auto& [id, expected] : hand.at("checks").items()) {
    SCOPED_TRACE(id);
    const DesignCheck* check = findCheck(session.checks(), id);
    ASSERT_NE(check, nullptr);
    for (std::size_t i = 0; i < loads.size(); ++i) {
      const double demand = expected.at("demands")[i];
      EXPECT_NEAR(findCheck(run->under(i).checks(), id)->demand, demand, 1e-9 * demand) << loads[i].name;
    }
    EXPECT_NEAR(check->limit, expected.at("limit").get<double>(), 1e-12);
    EXPECT_DOUBLE_EQ(check->ratio(), expected.at("ratio").get<double>());
    EXPECT_EQ(check->governing->name, expected.at("governing").get<std::string>());
    const auto& governs = session.combinations()[check->governing->index].governs;
    EXPECT_NE(std::find(governs.begin(), governs.end(), id), governs.end());
  }
  EXPECT_EQ(findCheck(session.checks(), "plate")->ratio(), 1.0);
  EXPECT_EQ(findCheck(session.checks(), "bolt")->ratio(), 0.84);
}

TEST(LoadCombinations, OneCombinationIsTheWindowsOwnForces) {
  for (const ModuleDescriptor* module : allModules()) {
    const bool moment = hasMoment(*module);
    DesignSession typed(*module);
    typed.setText("EdtN", "900");
    typed.setText("EdtV", "60");
    if (moment) typed.setText("EdtM", "150");
    DesignSession given(*module);
    ASSERT_FALSE(given.setLoads({{"1.2D+1.4L", 900, -60, moment ? -150.0 : 0.0}}));
    EXPECT_EQ(typed.calculate().messages, given.calculate().messages) << module->id;
    EXPECT_EQ(given.entries().texts, typed.entries().texts) << module->id;
    EXPECT_EQ(given.combinationRun(), nullptr);
    EXPECT_TRUE(given.combinations().empty());
    const auto a = typed.report(), b = given.report();
    ASSERT_EQ(a.size(), b.size()) << module->id;
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].tag, b[i].tag);
      if (a[i].tag != "<#time>") {
        EXPECT_EQ(a[i].text, b[i].text) << a[i].tag;
      }
    }
  }
}

// A moment or a shear of either sign asks the same of a symmetric base.
TEST(LoadCombinations, MomentAndShearAreTakenByMagnitude) {
  const ModuleDescriptor& rigid = *findModule("g11");
  DesignSession plus(rigid), minus(rigid);
  ASSERT_FALSE(plus.setLoads({{"+W", 800, 50, 200}, {"D", 1200, 20, 60}}));
  ASSERT_FALSE(minus.setLoads({{"-W", 800, -50, -200}, {"D", 1200, 20, 60}}));
  ASSERT_EQ(plus.calculate().ending, Ending::Completed);
  ASSERT_EQ(minus.calculate().ending, Ending::Completed);
  EXPECT_EQ(plus.sizes(), minus.sizes());
  ASSERT_EQ(plus.checks().size(), minus.checks().size());
  for (std::size_t k = 0; k < plus.checks().size(); ++k) EXPECT_EQ(plus.checks()[k].demand, minus.checks()[k].demand);
}

TEST(LoadCombinations, APinnedBaseRefusesAMomentNamingTheCombination) {
  DesignSession pinned(*findModule("j1"));
  const auto fault = pinned.setLoads({{"D", 500, 20, 0}, {"D+W", 400, 30, 15}});
  ASSERT_TRUE(fault);
  EXPECT_NE(fault->find("第 2 组"), std::string::npos) << *fault;
  EXPECT_NE(fault->find("D+W"), std::string::npos) << *fault;
  EXPECT_TRUE(pinned.loads().empty());
  EXPECT_FALSE(pinned.setLoads({{"D", 500, 20, 0}, {"D+W", 400, 30, 0}}));
}

// A combination that stops the design stops all of it, and the message says which.
TEST(LoadCombinations, AStoppingCombinationIsNamed) {
  // A pinned base takes no tension: the input check refuses the uplift combination.
  DesignSession pinned(*findModule("j1"));
  ASSERT_FALSE(pinned.setLoads({{"1.2D+1.4L", 500, 20, 0}, {"1.0D+1.5W", -80, 30, 0}}));
  Outcome outcome = pinned.calculate();
  EXPECT_EQ(outcome.ending, Ending::Stopped);
  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_TRUE(outcome.messages.front().starts_with("荷载组合“1.0D+1.5W”：")) << outcome.messages.front();
  EXPECT_EQ(pinned.status(), DesignStatus::NotCalculated);

  // Axial tension within the bolt rows of a rigid base: what was found is kept, the design is
  // unfinished and says under which combination.
  DesignSession rigid(*findModule("g11"));
  ASSERT_FALSE(rigid.setLoads({{"D", 900, 40, 120}, {"uplift", -900, 40, 10}}));
  outcome = rigid.calculate();
  EXPECT_EQ(outcome.ending, Ending::Partial);
  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_TRUE(outcome.messages.front().starts_with("荷载组合“uplift”：")) << outcome.messages.front();
  EXPECT_EQ(rigid.status(), DesignStatus::Unfinished);
  EXPECT_FALSE(rigid.designed());
  EXPECT_TRUE(rigid.checks().empty());
  EXPECT_NE(rigid.statusLine().find("荷载组合“uplift”"), std::string::npos) << rigid.statusLine();
  // The report's forces are those of the combination that stopped.
  for (const auto& tag : rigid.report()) {
    if (tag.tag == "<#N>") {
      EXPECT_EQ(tag.text, "-900");
    }
  }
}

// Changing the combinations after a design puts the design out of date, as an entry does.
TEST(LoadCombinations, ChangedCombinationsMakeTheDesignOutOfDate) {
  DesignSession session(*findModule("g11"));
  ASSERT_FALSE(session.setLoads({{"A", 1200, 40, 200}, {"B", 500, 30, 150}}));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  EXPECT_EQ(session.status(), DesignStatus::Completed);
  ASSERT_FALSE(session.setLoads({{"A", 1200, 40, 200}, {"B", 500, 30, 160}}));
  EXPECT_EQ(session.status(), DesignStatus::EntriesChanged);
  EXPECT_NE(session.statusLine().find("荷载组合"), std::string::npos) << session.statusLine();
  ASSERT_FALSE(session.setLoads({{"A", 1200, 40, 200}, {"B", 500, 30, 150}}));
  EXPECT_EQ(session.status(), DesignStatus::Completed);
}

// The report: the basis says 设计 or 验算, each check's values line starts with its governing
// combination's name and forces, and the table lists every combination.
TEST(LoadCombinations, TheReportNamesTheGoverningCombinations) {
  DesignSession session(*findModule("g11"));
  ASSERT_FALSE(session.setLoads({{"1.2D+1.4L", 1500, 40, 100}, {"1.0D+1.5W", -120, 60, 310}, {"D", 900, 10, 20}}));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  std::map<std::string, std::string> tags;
  for (const auto& tag : session.report()) tags[tag.tag] = tag.text;
  EXPECT_TRUE(tags.at("<#basis>").starts_with("设计")) << tags.at("<#basis>");
  // The table: a row a combination under the header, every column in its place.
  const TextBlock table = readTextBlock(tags.at("<#combinations>"));
  ASSERT_EQ(table.rows.size(), 4u) << tags.at("<#combinations>");
  EXPECT_EQ(table.rows[0], (std::vector<std::string>{"组合", "N (kN)", "V (kN)", "M (kN·m)", "最大利用率", "控制验算"}));
  const std::vector<std::vector<std::string>> forces{
      {"1：1.2D+1.4L", "1500", "40", "100"}, {"2：1.0D+1.5W", "−120", "60", "310"}, {"3：D", "900", "10", "20"}};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::vector<std::string>& row = table.rows[i + 1];
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 4), forces[i]);
    const CombinationSummary& summary = session.combinations()[i];
    const auto check = std::find_if(session.checks().begin(), session.checks().end(),
                                    [&](const DesignCheck& c) { return c.id == summary.ratioCheck; });
    ASSERT_NE(check, session.checks().end());
    EXPECT_EQ(row[5], check->name);
    EXPECT_EQ(row[4], utilisationText(summary.ratio) + (summary.ratio > 1 ? " 不满足" : ""));
  }
  EXPECT_EQ(table.before.size(), 1u);
  ASSERT_EQ(table.after.size(), 1u);
  EXPECT_NE(table.after[0].find("取组合"), std::string::npos);
  for (const DesignCheck& check : session.checks()) {
    if (check.unnumbered || check.decision) continue;
    const std::string& values = tags.at("<#" + check.id + ".values>");
    EXPECT_TRUE(
        values.starts_with("控制组合 " + std::to_string(check.governing->index + 1) + "：" + check.governing->name))
        << values;
  }
  EXPECT_NE(tags.at("<#bolt.values>").find("控制组合 2：1.0D+1.5W，N = −120 kN，V = 60 kN，M = 310 kN·m；"),
            std::string::npos)
      << tags.at("<#bolt.values>");

  const Sizes sizes = session.sizes();
  ASSERT_EQ(session.check(sizes).ending, Ending::Completed);
  EXPECT_TRUE(session.checked());
  for (const auto& tag : session.report()) {
    if (tag.tag == "<#basis>") {
      EXPECT_TRUE(tag.text.starts_with("验算")) << tag.text;
    }
  }
}

// A decision with nothing to compare (no key needed: demand and limit 0) ranks as no use at all,
// below any check that carries a load, so it never takes the governing combination from one.
TEST(LoadCombinations, ADecisionWithNothingToCompareRanksBelowALoadedCheck) {
  DesignCheck decision;
  decision.decision = "不需设置抗剪键";
  DesignCheck loaded;
  loaded.demand = 50;
  loaded.limit = 100;
  EXPECT_TRUE(governsOver(loaded, decision));
  EXPECT_FALSE(governsOver(decision, loaded));
}

// A given stiffener too low to carry its load leaves its checks unevaluated: they fail with no
// ratio, so the table must still say 不满足 for every combination and name them, however small
// the largest numbered ratio is.
TEST(LoadCombinations, TheTableNeverShowsAFailingCombinationAsPassing) {
  const std::vector<LoadCombination> loads{{"A", 1500, 40, 100}, {"B", 900, 30, 60}};
  DesignSession session(*findModule("g11"));
  ASSERT_FALSE(session.setLoads(loads));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  Sizes sizes = session.sizes();
  sizes["hjjl"] = 10;
  ASSERT_EQ(session.check(sizes).ending, Ending::Completed);
  std::map<std::string, std::string> tags;
  for (const auto& tag : session.report()) tags[tag.tag] = tag.text;
  const TextBlock table = readTextBlock(tags.at("<#combinations>"));
  ASSERT_EQ(table.rows.size(), 3u);
  for (std::size_t i = 0; i < loads.size(); ++i) {
    DesignSession alone(*findModule("g11"));
    ASSERT_FALSE(alone.setLoads({loads[i]}));
    ASSERT_EQ(alone.check(sizes).ending, Ending::Completed);
    const std::vector<std::string>& row = table.rows[i + 1];
    bool anyUnrated = false;
    for (const DesignCheck& check : alone.checks()) {
      if (check.ok() || std::isfinite(check.ratio())) continue;
      anyUnrated = true;
      EXPECT_NE(row[5].find(check.name + " 不满足"), std::string::npos) << row[5];
    }
    EXPECT_TRUE(anyUnrated) << "the low stiffener leaves no check unevaluated";
    EXPECT_TRUE(row[4].ends_with(" 不满足")) << row[4];
  }
}

// The 600×300 column of a three-combination rigid design with one gravity combination (M = 0):
// the gravity row designs nothing, yet its checks on the enveloped base are those of check mode
// under it, with the whole plate bearing N/(L·B) and no bolt tension.
TEST(LoadCombinations, AGravityCombinationIsCheckedOnTheEnvelope) {
  for (const char* id : {"g11", "g12", "g2", "g3"}) {
    SCOPED_TRACE(id);
    const ModuleDescriptor& module = *findModule(id);
    const std::vector<LoadCombination> loads{{"A", 2000, 100, 250}, {"B", 150, 50, 150}, {"G", 2600, 20, 0}};
    DesignSession session(module);
    for (const auto& [control, text] : Texts{{"Edthc", "588"}, {"Edtbf", "300"}, {"Edttw", "12"}, {"Edttf", "20"}})
      session.setText(control, text);
    // The T-shaped base's stiffener welds need room along c + bt that detailing does not give here.
    const bool detailing = std::string_view(id) != "g2";
    if (!detailing)
      for (const char* size : {"Edtsizec", "Edtsizebt"}) session.setText(size, "100");
    session.setCbsize(detailing);
    const Entries typed = session.entries();
    ASSERT_FALSE(session.setLoads(loads));
    ASSERT_EQ(session.calculate().ending, Ending::Completed);
    // The sizes are those of A and B alone: G designs nothing.
    DesignSession twoRows(module);
    for (const auto& [control, text] : typed.texts) twoRows.setText(control, text);
    twoRows.setCbsize(typed.cbsize);
    ASSERT_FALSE(twoRows.setLoads({loads[0], loads[1]}));
    ASSERT_EQ(twoRows.calculate().ending, Ending::Completed);
    EXPECT_EQ(session.sizes(), twoRows.sizes());

    const CombinationRun* run = session.combinationRun();
    ASSERT_NE(run, nullptr);
    const DesignState& gravity = run->under(2);
    DesignSession alone(module);
    for (const auto& [control, text] : session.entries().texts) alone.setText(control, text);
    ASSERT_FALSE(alone.setLoads({loads[0], loads[2]}));
    ASSERT_EQ(alone.check(session.sizes()).ending, Ending::Completed);
    const auto& expected = alone.combinationRun()->under(1).checks();
    ASSERT_EQ(expected.size(), gravity.checks().size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
      EXPECT_EQ(expected[k].id, gravity.checks()[k].id);
      EXPECT_TRUE(near(expected[k].demand, gravity.checks()[k].demand)) << expected[k].id;
      EXPECT_TRUE(near(expected[k].limit, gravity.checks()[k].limit)) << expected[k].id;
    }
    for (const DesignCheck& check : gravity.checks()) {
      EXPECT_TRUE(std::isfinite(check.limit)) << check.id;
      EXPECT_FALSE(std::isnan(check.demand)) << check.id;
    }
    // By hand: the whole plate bears N/(L·B); no tension reaches the bolts.
    const auto value = [&](const char* name) { return heldNumber(gravity.values(), name); };
    EXPECT_DOUBLE_EQ(value("ylc"), 2600e3 / (value("L") * value("B")));
    EXPECT_EQ(value("e"), 0);
    EXPECT_EQ(value("ta"), 0);
    EXPECT_TRUE(findCheck(gravity.checks(), "bolt")->ok());
    const auto judge = std::find_if(gravity.values().begin(), gravity.values().end(),
                                    [](const NamedValue& v) { return v.name == "judge"; });
    ASSERT_NE(judge, gravity.values().end());
    EXPECT_TRUE(std::get<std::string>(judge->value).starts_with("e = 0")) << std::get<std::string>(judge->value);
  }
}

// A moment of 0 is refused only where no combination has one, and one row without a moment stays
// refused as the M box is; a pinned base has no moment to ask for.
// Any compression without a moment is the concentric case, however small; a pull without a
// moment is not (it stops as axial tension).
TEST(LoadCombinations, NoMomentUnderTheLeastCompressionIsConcentric) {
  EXPECT_EQ(rigidbase::eccentricityCase(0.5, 0, 600, 150), rigidbase::Eccentricity::Concentric);
  EXPECT_EQ(rigidbase::eccentricityCase(2600e3, 0, 600, 150), rigidbase::Eccentricity::Concentric);
  EXPECT_NE(rigidbase::eccentricityCase(-0.5, 0, 600, 150), rigidbase::Eccentricity::Concentric);
  // No axial force presses the plate either.
  EXPECT_NE(rigidbase::eccentricityCase(0, 0, 600, 150), rigidbase::Eccentricity::Concentric);
}

TEST(LoadCombinations, NoMomentInAnyCombinationIsRefused) {
  DesignSession rigid(*findModule("g11"));
  ASSERT_FALSE(rigid.setLoads({{"G1", 1500, 20, 0}, {"G2", 900, 10, 0}}));
  Outcome outcome = rigid.calculate();
  EXPECT_EQ(outcome.ending, Ending::Stopped);
  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_EQ(outcome.messages.front(), "柱底弯矩应输入正值：全部 2 组荷载组合的弯矩 M 均为 0");
  EXPECT_EQ(outcome.focus, std::optional<std::string>("EdtM"));

  DesignSession one(*findModule("g11"));
  ASSERT_FALSE(one.setLoads({{"G", 1500, 20, 0}}));
  outcome = one.calculate();
  EXPECT_EQ(outcome.ending, Ending::Stopped);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{"柱底弯矩应输入正值"});

  // A negative moment among others is a moment: taken by its magnitude, not refused.
  DesignSession signs(*findModule("g11"));
  ASSERT_FALSE(signs.setLoads({{"G", 1500, 20, 0}, {"W", 900, 10, -120}}));
  EXPECT_EQ(signs.calculate().ending, Ending::Completed);
}

// The embedded base designs its depth without a moment: a gravity combination is designed too,
// so its depth for N is never left short.
TEST(LoadCombinations, TheEmbeddedBaseDesignsAGravityCombination) {
  DesignSession session(*findModule("gc"));
  ASSERT_FALSE(session.setLoads({{"W", 300, 50, 100}, {"G", 9000, 20, 0}}));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  for (const DesignCheck& check : session.checks()) EXPECT_TRUE(check.ok()) << check.id;
}

}  // namespace
}  // namespace pedivo
