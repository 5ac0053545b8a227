#include "design/pinned/four_bolt.h"

#include <gtest/gtest.h>

#include <set>

#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design_probe.h"

namespace pedivo::pinned {
namespace {

using testing::Design;
using testing::Texts;

Design design(const Texts& texts, bool cbsize = true) { return testing::design(fourBoltModule(), texts, cbsize); }

TEST(FourBoltBase, DefaultEntriesGiveTheWorkedExample) {
  const Design d = design({});
  EXPECT_EQ(d.outcome.messages, std::vector<std::string>{doneMessage});
  const std::vector<FieldText> expected{{"EdtL", "490"},    {"EdtB", "240"},    {"Edttpb", "20"},
                                        {"edthf11", "8"},   {"edtshear", "需要"}, {"edtkey", "HW100×100×6×8，埋深 100 mm"},
                                        {"Edthjjl", "200"}, {"Edttjjl", "8"},   {"Edthfjjl", "8"}};
  const auto fields = d.session.results().fields;
  ASSERT_EQ(fields.size(), expected.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].field, expected[i].field);
    EXPECT_EQ(fields[i].text, expected[i].text);
  }
  EXPECT_EQ(d["a2"], (450 - 28 - 8) / 2.0);  // the stiffener halves the panel between the flanges
  EXPECT_EQ(d.tag("<#ylc>"), "0.68");
  EXPECT_EQ(d.tag("<#r1>"), "0.55");
  EXPECT_EQ(d.tag("<#alf>"), "0.06911");  // five decimals, so that α·σc·a2² recomputes
  EXPECT_EQ(d.tag("<#M2>"), "2.01");
  EXPECT_EQ(d.tag("<#f>"), "215");
  EXPECT_EQ(d.tag("<#Vimax>"), "16.578");
  // The slenderness in the digits of the summary table (three decimals cut).
  EXPECT_EQ(d.tag("<#write1>"), "14.437");
  EXPECT_EQ(d.tag("<#slenderness.demand>"), "14.437");
  EXPECT_EQ(d.tag("<#write2>"), "18");
  EXPECT_EQ(d.tag("<#1.1f1>"), "236.5");
  EXPECT_EQ(d.session.report()[42].tag, "<#write2>");  // the 43 tags of the table come first
  EXPECT_EQ(d.tag("<#summary>"), "各项验算均满足要求。");  // the key takes V = 40 kN > 0.4N
}

TEST(FourBoltBase, SlenderStiffenerRestartsTheDesignThicker) {
  const Design d = design({{"EdtN", "2000"},
                           {"EdtV", "900"},
                           {"Edthc", "300"},
                           {"Edtbf", "300"},
                           {"Edttw", "10"},
                           {"Edttf", "16"},
                           {"CBf", "Q345"},
                           {"CBfc", "C30"},
                           {"cbdms", "30"}});
  EXPECT_EQ(d["L"], 380);  // grown from 340 by the bearing
  EXPECT_EQ(d["B"], 380);
  EXPECT_EQ(d["tjjl"], 14);  // 8 → 14 by restarts against 18·√(235/345)
  EXPECT_EQ(d["tpb"], 24);
  EXPECT_EQ(d["hf11"], 18);
  EXPECT_EQ(d["hjjl"], 260);
  EXPECT_EQ(d["hf3"], 14);
  EXPECT_EQ(d.field("edtshear"), "需要");
  EXPECT_LE(d["write1"], d["write2"]);
  // The plate needs 24.03 mm and gets Trunc(24.03 + 0.9) = 24, within its rounding tolerance; only the
  // shear key fails: 900 kN is more than the largest key of the list carries.
  EXPECT_EQ(d.outcome.messages.front(), doneMessage);
  const std::set<std::string> failing{"shear", "keyBearing", "keyWebShear", "keyWebWeld"};
  for (const auto& check : d.session.checks()) EXPECT_EQ(check.ok(), failing.count(check.id.str()) == 0) << check.id;
}

TEST(FourBoltBase, FrictionEqualToShearNeedsNoShearKey) {
  const Design d = design({{"EdtN", "100"}, {"EdtV", "40"}});
  EXPECT_EQ(d.field("edtshear"), "不需要");
  EXPECT_EQ(d.tag("<#shear>"), "V<0.4N 不需设置抗剪键");
}

TEST(FourBoltBase, UserSizesCAndLtChangeNothing) {
  const Design base = design({{"Edtsizea", "100"}, {"Edtsizebt", "80"}}, false);
  const Design other = design({{"Edtsizea", "100"}, {"Edtsizebt", "80"}, {"Edtsizec", "15"}, {"Edtsizelt", "999"}},
                              false);
  EXPECT_EQ(base["B"], 370);  // 2·(100 + 80) + 9 = 369, up to 370
  for (const char* name : {"L", "B", "tpb", "hf11", "hjjl", "tjjl", "hf3", "ylfs", "ylvf", "ylnf"})
    EXPECT_EQ(base[name], other[name]) << name;
}

TEST(FourBoltBase, ShortPanelIsACantileverWithItsCoefficientKeptButNotPrinted) {
  const Design d = design({{"Edthc", "1000"}});
  ASSERT_LT(d["r1"], 0.3);
  EXPECT_EQ(d["alf"], 0.133);
  EXPECT_EQ(d["M2"], 0.5 * d["ylc"] * d["b2"] * d["b2"]);
  EXPECT_EQ(d.tag("<#M2formula>"), "M2 = 0.5·σc·b2²（b2/a2 < 0.3，按悬臂板）");
  EXPECT_EQ(d.tag("<#alf>"), "—（悬臂）");  // the moment did not use it
}

// A report printed after an entry changed shows the entries the numbers were calculated from.
TEST(FourBoltBase, ReportShowsTheEntriesOfItsCalculation) {
  Design d = design({});
  d.session.setText("EdtN", "95");
  EXPECT_EQ(d.tag("<#N>"), "80");
  EXPECT_EQ(d.tag("<#Vfb>"), "32");  // the calculation's 0.4·80
  EXPECT_NE(d.tag("<#state>").find("80 → 95"), std::string::npos);
}

TEST(FourBoltBase, FreshWindowShowsZeros) {
  const DesignSession s(fourBoltModule());
  for (const auto& f : s.results().fields)
    EXPECT_EQ(f.text, f.field == "edtshear" ? "不需要" : f.field == "edtkey" ? "不需设置" : "0") << f.field;
}

struct StopCase {
  const char* name;
  Texts texts;
  std::string message;
};
class FourBoltStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(FourBoltStops, LeaveTheHeldValuesAsTheyWere) {
  Design d = design({});
  const auto before = d.session.values();
  for (const auto& [control, text] : GetParam().texts) d.session.setText(control, text);
  EXPECT_EQ(d.session.calculate().messages, std::vector<std::string>{GetParam().message});
  const auto after = d.session.values();
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i].value, before[i].value) << before[i].name;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, FourBoltStops,
    ::testing::Values(StopCase{"weld_length", {{"Edthc", "40"}}, weldTooShortMessage},
                      // No room between the flanges beside the stiffener: the panel has no free edge.
                      StopCase{"no_panel", {{"Edthc", "36"}}, invalidNumberMessage},
                      StopCase{"implausible_force", {{"EdtN", "1e306"}}, "柱底轴力N绝对值不应超过 1000000 kN"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pedivo::pinned
