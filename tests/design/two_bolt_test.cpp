#include "design/pinned/two_bolt.h"

#include <gtest/gtest.h>

#include <tuple>

#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"

namespace pedivo::pinned {
namespace {

std::map<std::string, double> valuesOf(const DesignSession& session) {
  std::map<std::string, double> out;
  for (const auto& v : session.values())
    if (const double* x = std::get_if<double>(&v.value)) out[std::string(v.name)] = *x;
  return out;
}

std::string tagText(const DesignSession& session, const std::string& tag) {
  for (const auto& t : session.report())
    if (t.tag == tag) return t.text;
  return "<missing>";
}

std::string fieldText(const DesignSession& session, const std::string& field) {
  for (const auto& f : session.results().fields)
    if (f.field == field) return f.text;
  return "<missing>";
}

DesignSession calculated(std::vector<std::pair<std::string, std::string>> texts, bool cbsize = true) {
  DesignSession session(twoBoltModule());
  for (const auto& [control, text] : texts) session.setText(control, text);
  session.setCbsize(cbsize);
  const Outcome outcome = session.calculate();
  EXPECT_EQ(outcome.messages, std::vector<std::string>{doneMessage});
  return session;
}

TEST(TwoBoltBase, DefaultEntries) {
  const DesignSession s = calculated({});
  auto v = valuesOf(s);
  EXPECT_EQ(v["a"], 60);
  EXPECT_EQ(v["bt"], 52);
  EXPECT_EQ(v["L"], 490);
  EXPECT_EQ(v["B"], 240);
  EXPECT_NEAR(v["ylc"], 80000.0 / 240 / 490, 1e-12);
  EXPECT_EQ(v["Vfb"], 32000);
  EXPECT_EQ(v["b2"], 115.5);
  EXPECT_EQ(v["a2"], 422);
  EXPECT_EQ(v["alf"], 0.133);
  EXPECT_NEAR(v["M2"], 0.5 * v["ylc"] * 115.5 * 115.5, 1e-9);  // cantilever, r1 < 0.3
  EXPECT_NEAR(v["tpbc"], 11.524, 1e-3);
  EXPECT_EQ(v["tpb"], 20);
  EXPECT_EQ(v["hf11"], 8);
  EXPECT_NEAR(v["Aeww"], 4547.2, 1e-9);
  EXPECT_NEAR(v["ylfs"], 10.915, 1e-3);
  EXPECT_EQ(v["f"], 215);

  const std::vector<FieldText> expected{
      {"EdtL", "490"},    {"EdtB", "240"},        {"Edttpb", "20"},
      {"edthf11", "8"},   {"edtshear", "需要"}, {"edtkey", "HW100×100×6×8，埋深 100 mm"}};
  const auto fields = s.results().fields;
  ASSERT_EQ(fields.size(), expected.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].field, expected[i].field);
    EXPECT_EQ(fields[i].text, expected[i].text);
  }
  EXPECT_EQ(tagText(s, "<#ylc>"), "0.68");
  EXPECT_EQ(tagText(s, "<#M2>"), "4.53");
  EXPECT_EQ(tagText(s, "<#Vfb>"), "32");
  EXPECT_EQ(tagText(s, "<#shear>"), "V>0.4N 需要设置抗剪键");
  EXPECT_EQ(tagText(s, "<#ylnc>"), "7.883");
  EXPECT_EQ(tagText(s, "<#r1>"), "0.27");
  // The Part's 30 tags come first; what the checker needs and the verdicts follow.
  EXPECT_EQ(s.report()[29].tag, "<#ffw>");
  EXPECT_EQ(tagText(s, "<#Bflange>"), "240");
  EXPECT_EQ(tagText(s, "<#Bbolts>"), "233");
  EXPECT_EQ(tagText(s, "<#fpb>"), "205");
  EXPECT_EQ(tagText(s, "<#M2formula>"), "M2 = 0.5·σc·b2²（b2/a2 < 0.3，按悬臂板）");
  // V = 40 kN > 0.4N = 32 kN: the lightest key takes the whole shear, and with it every check passes.
  EXPECT_EQ(tagText(s, "<#key>"), "HW100×100×6×8，埋深 100 mm");
  EXPECT_EQ(tagText(s, "<#summary>"), "各项验算均满足要求。");
  for (const auto& check : s.checks()) EXPECT_TRUE(check.ok()) << check.name;
}

// The column's welds to the plate are limited by the flange's strength, by the flange's
// thickness, not by the plate's: a 14 mm flange of Q235 keeps 215 N/mm² under a 65 mm plate of
// 190. Past the rolled bands (100 mm) the flange is taken at the plate's strength.
TEST(TwoBoltBase, TheColumnWeldsTakeTheFlangesStrength) {
  for (const auto& [tf, flange, plate] : {std::tuple{"14", 215.0, 190.0}, std::tuple{"110", 200.0, 200.0}}) {
    const DesignSession s = calculated(
        {{"Edthc", "600"}, {"Edtbf", "400"}, {"Edttw", "20"}, {"Edttf", tf}, {"EdtN", "3000"}});
    auto v = valuesOf(s);
    EXPECT_EQ(v["f"], flange) << tf;
    EXPECT_EQ(v["fpb"], plate) << tf;
    EXPECT_EQ(tagText(s, "<#f>"), formatGeneral(flange)) << tf;
    for (const auto& check : s.checks()) {
      if (check.id == "flange") {
        EXPECT_EQ(check.limit, flange) << tf;
      }
    }
  }
}

TEST(TwoBoltBase, LargeAxialForceGrowsThePlateAndMovesItsThicknessGroup) {
  const DesignSession s = calculated({{"EdtN", "2000"}, {"EdtV", "100"}});
  auto v = valuesOf(s);
  EXPECT_EQ(v["L"], 560);
  EXPECT_EQ(v["B"], 310);
  EXPECT_LE(v["ylc"], 11.9);
  EXPECT_NEAR(v["ylc"], 11.52, 1e-2);
  EXPECT_NEAR(v["r1"], 0.3566, 1e-4);
  EXPECT_NEAR(v["alf"], 0.0371, 1e-4);
  EXPECT_NEAR(v["M2"], 76038, 1);
  EXPECT_NEAR(v["tpbc"], 47.76, 1e-2);  // computed again with group 2, f = 200
  EXPECT_EQ(v["tpb"], 48);
  EXPECT_EQ(v["hf11"], 12);
  EXPECT_EQ(fieldText(s, "edtshear"), "不需要");
}

// Bearing exactly at the concrete's strength holds: 1,399.44 kN on the 490 × 240 plate is
// σc = 11.9 = fc for C25, and the plate keeps its size.
TEST(TwoBoltBase, BearingAtTheConcreteStrengthKeepsThePlate) {
  auto v = valuesOf(calculated({{"EdtN", "1399.44"}, {"EdtV", "40"}}));
  EXPECT_EQ(v["ylc"], v["fc"]);
  EXPECT_EQ(v["L"], 490);
  EXPECT_EQ(v["B"], 240);
}

// A panel of side ratio exactly 0.3 is still a three-side panel (α = 0.027); only below 0.3 is it
// taken as a cantilever. hb 413: b2 = (240 − 9)/2 = 115.5, a2 = 413 − 28 = 385.
TEST(TwoBoltBase, PanelAtTheCantileverLimitIsAThreeSidePanel) {
  const DesignSession s = calculated({{"Edthc", "413"}});
  double r1 = 0, M2 = 0, ylc = 0;
  for (const auto& v : s.values()) {
    if (v.name == "r1") r1 = std::get<double>(v.value);
    if (v.name == "M2") M2 = std::get<double>(v.value);
    if (v.name == "ylc") ylc = std::get<double>(v.value);
  }
  EXPECT_EQ(r1, 0.3);
  EXPECT_EQ(M2, 0.027 * ylc * 385 * 385);
}

TEST(TwoBoltBase, FrictionEqualToShearNeedsNoShearKey) {
  const DesignSession s = calculated({{"EdtN", "100"}, {"EdtV", "40"}});
  EXPECT_EQ(fieldText(s, "edtshear"), "不需要");
  EXPECT_EQ(tagText(s, "<#shear>"), "V<0.4N 不需设置抗剪键");
}

TEST(TwoBoltBase, UserPlateSizesSetTheWidth) {
  const DesignSession s = calculated({{"Edtsizea", "100"}, {"Edtsizebt", "80"}}, false);
  auto v = valuesOf(s);
  EXPECT_EQ(v["a"], 100);
  EXPECT_EQ(v["c"], 60);
  EXPECT_EQ(v["Aems"], 353);
  EXPECT_EQ(v["B"], 370);  // 2·(100 + 80) + 9 = 369, up to 370
}

// A report printed after entries changed gives the entries its numbers were calculated from, and
// names the changes in its banner.
TEST(TwoBoltBase, ReportShowsTheEntriesAndHeldValuesOfTheLastCalculation) {
  DesignSession s = calculated({});
  s.setText("EdtN", " 95.0 ");
  s.setText("CBfc", "C40");
  EXPECT_EQ(tagText(s, "<#N>"), "80");
  EXPECT_EQ(tagText(s, "<#concrete>"), "C25");
  EXPECT_NE(tagText(s, "<#state>").find("C25 → C40"), std::string::npos);
  EXPECT_EQ(tagText(s, "<#fc>"), "11.9");
  EXPECT_EQ(tagText(s, "<#L>"), "490");
}

TEST(TwoBoltBase, FreshWindowShowsZerosAndNoShearKey) {
  const DesignSession s(twoBoltModule());
  for (const auto& f : s.results().fields)
    EXPECT_EQ(f.text, f.field == "edtshear" ? "不需要" : f.field == "edtkey" ? "不需设置" : "0") << f.field;
  // The report shows no numbers of an empty window, only what was typed.
  EXPECT_EQ(tagText(s, "<#ylc>"), "—");
  EXPECT_EQ(tagText(s, "<#b2>"), "—");
  EXPECT_EQ(tagText(s, "<#N>"), "80");
  EXPECT_EQ(tagText(s, "<#steel>"), "Q235");
  // No design yet: no verdict either way.
  EXPECT_TRUE(s.checks().empty());
  EXPECT_EQ(tagText(s, "<#bearing.check>"), "未计算");
  EXPECT_EQ(tagText(s, "<#summary>"), "尚未计算。");
}

struct StopCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> texts;
  std::string message;
  std::optional<std::string> focus;
};

class TwoBoltStops : public ::testing::TestWithParam<StopCase> {};

// A stopped or refused command shows its message and leaves the held values as they were.
TEST_P(TwoBoltStops, KeepTheHeldValues) {
  DesignSession s = calculated({});
  const auto before = valuesOf(s);
  for (const auto& [control, text] : GetParam().texts) s.setText(control, text);
  const Outcome outcome = s.calculate();
  EXPECT_EQ(outcome.messages, std::vector<std::string>{GetParam().message});
  EXPECT_EQ(outcome.focus, GetParam().focus);
  EXPECT_EQ(valuesOf(s), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwoBoltStops,
    ::testing::Values(
        StopCase{"check", {{"EdtV", "0"}}, "柱底剪力应输入正值", "EdtV"},
        StopCase{"not_a_number", {{"EdtN", "8O"}}, "“8O”不是有效的数值", "EdtN"},
        // The weld leg grows until nothing of the web weld is left.
        StopCase{"weld_length", {{"Edthc", "40"}}, weldTooShortMessage, std::nullopt},
        // A section with no web between the flanges, or a force no column carries, is refused
        // before designing.
        StopCase{"degenerate_section", {{"Edthc", "28"}}, "两个柱翼缘厚度之和2tf应小于柱截面高度hb", "Edttf"},
        StopCase{"implausible_force", {{"EdtN", "1e306"}}, "柱底轴力N绝对值不应超过 1000000 kN", "EdtN"}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// The weld loop ends when the flange stress alone exceeds f; the design is then reported as
// failing: a second message after the closing one, a red caption, 不满足 in the report.
TEST(TwoBoltBase, FlangeStressAboveStrengthIsReportedAsFailing) {
  DesignSession s(twoBoltModule());
  s.setText("EdtN", "3000");
  s.setText("EdtV", "100");
  const Outcome outcome = s.calculate();
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_EQ(outcome.messages[0], doneMessage);
  EXPECT_EQ(outcome.messages[1],
            "以下验算不满足要求：\n柱翼缘轴压应力：计算值 244.172 N/mm²，限值 215 N/mm²\n"
            "柱与底板焊缝折算应力：计算值 200.699 N/mm²，限值 160 N/mm²");
  EXPECT_EQ(s.results().redCaptions, std::vector<std::string>{"edthf11"});
  EXPECT_EQ(tagText(s, "<#flange.check>"), "不满足（利用率 1.14）");
  EXPECT_EQ(tagText(s, "<#weld.result>"), "不满足");
  EXPECT_EQ(tagText(s, "<#weld.ratio>"), "1.26");
  EXPECT_EQ(tagText(s, "<#bearing.check>"), "满足（利用率 0.97）");
  EXPECT_EQ(tagText(s, "<#shear.check>"), "不需设置抗剪键");
  EXPECT_EQ(tagText(s, "<#summary>"),
            "有 2 项验算不满足要求（柱翼缘轴压应力、柱与底板焊缝折算应力），本设计不能采用，请调整截面、材料或尺寸后重新计算。");
  EXPECT_EQ(tagText(s, "<#M2formula>"), "M2 = α·σc·a2²（三边支承板）");
  EXPECT_EQ(tagText(s, "<#f>"), "215");

  // A sound design afterwards clears the warning and the red caption.
  s.setText("EdtN", "80");
  s.setText("EdtV", "40");
  EXPECT_EQ(s.calculate().messages, std::vector<std::string>{doneMessage});
  EXPECT_TRUE(s.results().redCaptions.empty());
}

// A stop leaves the last design and its verdicts as they were.
TEST(TwoBoltBase, StopKeepsTheVerdictsOfTheLastDesign) {
  DesignSession s(twoBoltModule());
  s.setText("EdtN", "3000");
  s.setText("EdtV", "100");
  s.calculate();
  s.setText("EdtV", "0");
  EXPECT_EQ(s.calculate().messages, std::vector<std::string>{"柱底剪力应输入正值"});
  EXPECT_EQ(s.results().redCaptions, std::vector<std::string>{"edthf11"});
  EXPECT_EQ(s.checks().size(), 11u);  // the plate's five, "抗剪键" and the key's five
}

}  // namespace
}  // namespace pedivo::pinned
