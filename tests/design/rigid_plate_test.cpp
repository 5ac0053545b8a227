#include "design/rigid/rigid_plate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "design/common/bolt_zone.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/remedy_text.h"
#include "design/common/rigid_base.h"
#include "design/common/tables.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::rigid {
namespace {

using testing::Design;
using testing::Texts;

Design run(const ModuleDescriptor& module, const Texts& texts, bool cbsize = true) {
  return testing::design(module, texts, cbsize);
}

// A moment of a thousandth of a kN·m on a compressed column: the least eccentricity is still the
// first case, the whole plate in compression.
// The plate's sides go to whole tens only from a whole millimetre past a ten; a fraction below it
// stays at the ten, and lt takes up the difference.
TEST(EightBoltBase, PlateLengthToTensFromAWholeMillimetrePastOne) {
  const auto plate = [](const char* hb) {
    return run(eightBoltModule(), {{"Edthc", hb}, {"Edtsizea", "70"}, {"Edtsizelt", "50"}, {"Edtsizec", "60"},
                                   {"Edtsizebt", "50"}, {"EdtM", "10"}, {"EdtN", "100"}},
               false);
  };
  const Design fraction = plate("200.5");  // 2(70 + 50) + 200.5 = 440.5
  EXPECT_EQ(fraction["L0"], 440.5);
  EXPECT_EQ(fraction["L"], 440);
  EXPECT_EQ(fraction["a"], 70);
  EXPECT_EQ(fraction["lt"], 49.75);
  const Design whole = plate("201");  // 441 → 450
  EXPECT_EQ(whole["L"], 450);
  EXPECT_EQ(whole["lt"], 54.5);
  EXPECT_EQ(whole["B0"], 356);  // 4·60 + 2·50 + 2·8 → 360
  EXPECT_EQ(whole["B"], 360);
}

TEST(EightBoltBase, TheSmallestEccentricityIsWithinTheKern) {
  const Design d = run(eightBoltModule(), {{"EdtM", "0.001"}, {"EdtN", "1000"}});
  EXPECT_EQ(d.judge(), "0 < e ≤ L/6");
  EXPECT_EQ(d["xn"], d["L"]);
}

// User sizes that leave the plate at whole tens: L = 2(60 + 60) + 450 = 690, L/6 = 115, lt/3 = 20.
const Texts userSizes{{"Edtsizea", "60"}, {"Edtsizelt", "60"}, {"Edtsizec", "60"}, {"Edtsizebt", "50"}};

Texts with(Texts texts, const Texts& more) {
  texts.insert(texts.end(), more.begin(), more.end());
  return texts;
}

TEST(EightBoltBase, DefaultsDesignInTwoPassesAsTheWorkedExampleSays) {
  const Design r = run(eightBoltModule(), {});
  EXPECT_EQ(r.outcome.messages.front(), doneMessage);
  EXPECT_EQ(r["dms"], 36);
  EXPECT_EQ(r["a"], 90);
  EXPECT_EQ(r["c"], 80);
  EXPECT_EQ(r["lt"], 80);
  EXPECT_EQ(r["bt"], 80);
  EXPECT_EQ(r["L"], 790);
  EXPECT_EQ(r["B"], 500);
  EXPECT_NEAR(r["xn"], 421.00, 5e-3);
  EXPECT_NEAR(r["ylc"], 3.279, 5e-4);
  EXPECT_NEAR(r["ta"], 245103, 1);
  EXPECT_NEAR(r["write4"], 120.0, 5e-3);
  EXPECT_NEAR(r["M2"], 10696, 1);
  EXPECT_EQ(r["M2"], r["M223"]);  // the corner panel governs
  EXPECT_NEAR(r["tpbc"], 17.69, 5e-3);
  EXPECT_NEAR(r["tpbt"], 26.03, 5e-3);
  EXPECT_EQ(r["tpb"], 26);
  EXPECT_EQ(r["hf11"], 8);
  EXPECT_EQ(r["hjjl"], 200);
  EXPECT_EQ(r["tjjl"], 10);  // (790 − 450)/2/8 = 21.25 > 18 in each pass
  EXPECT_EQ(r["hf3"], 8);
  EXPECT_EQ(r.text("judge"), "|e| > L/6 + lt/3，底板计算应对压区和拉区分别计算");
  EXPECT_EQ(r["rerun"], 1);

  // The first pass's sizes are written back as typed texts; the box is ticked again at the end.
  EXPECT_EQ(r.outcome.entryChanges.at("Edtsizea"), "90");
  EXPECT_EQ(r.outcome.entryChanges.at("Edtsizelt"), "80");
  EXPECT_EQ(r.outcome.cbsize, true);
  EXPECT_EQ(r.session.entries().texts.at("Edtsizec"), "80");
  EXPECT_TRUE(r.session.entries().cbsize);

  // tpb = Trunc(26.02 + 0.9) = 26 is 0.02 mm thinner than required, within the 0.1 mm that the
  // rounding allows: the plate check passes and says so.
  EXPECT_EQ(r.outcome.messages, std::vector<std::string>{doneMessage});
  EXPECT_TRUE(r.session.results().redCaptions.empty());
  EXPECT_EQ(r.tag("<#plate.check>"), "满足（利用率 1.00）");
  EXPECT_EQ(r.tag("<#plate.demand>"), "所需厚度 26.02 mm");
  EXPECT_EQ(r.tag("<#plate.limit>"), "板厚 26.1 mm（含板厚取整容差 0.1 mm）");
  EXPECT_EQ(r.tag("<#bolt.check>"), "满足（利用率 0.86）");
}

TEST(TenBoltBase, DefaultsEndWithTheLayoutFault) {
  const Design r = run(tenBoltModule(), {});
  EXPECT_EQ(r.outcome.messages.front(), rigidbase::layoutFaultMessage);
  EXPECT_EQ(r["dms"], 30);
  EXPECT_EQ(r["a"], 85);
  EXPECT_EQ(r["c"], 75);
  EXPECT_EQ(r["lt"], 70);
  EXPECT_EQ(r["bt"], 70);
  EXPECT_EQ(r["L"], 760);
  EXPECT_EQ(r["B"], 620);
  EXPECT_EQ(r["tpb"], 24);
  EXPECT_EQ(r["hf11"], 8);
  EXPECT_EQ(r["hjjl"], 200);
  EXPECT_EQ(r["tjjl"], 10);
  EXPECT_EQ(r["hf3"], 8);
  EXPECT_EQ(r.check("layout")->demand, 346);  // 4c + 3ts + 2hf
  EXPECT_FALSE(r.check("layout")->ok());
  EXPECT_EQ(r.outcome.messages.size(), 2u);
}

TEST(RigidPlateBases, TenBoltPlateIsTwoSpacingsAndAStiffenerWider) {
  const Texts light = with(userSizes, {{"EdtM", "20"}, {"EdtN", "80"}});
  const Design eight = run(eightBoltModule(), light, false);
  const Design ten = run(tenBoltModule(), light, false);
  ASSERT_EQ(eight["tjjl"], 8);
  ASSERT_EQ(ten["tjjl"], 8);
  EXPECT_EQ(ten["B0"] - eight["B0"], 2 * 60 + 8);
  EXPECT_EQ(eight["n"], 6);
  EXPECT_EQ(ten["n"], 8);
}

struct EccentricityCase {
  const char* name;
  const char* M;
  const char* judge;
};
class RigidPlateEccentricity : public ::testing::TestWithParam<EccentricityCase> {};

// N = 1000 kN on the 690 mm plate: e = M/N falls exactly on the limits of the cases.
TEST_P(RigidPlateEccentricity, LimitsBelongToTheSmallerCase) {
  const Design r = run(eightBoltModule(), with(userSizes, {{"EdtN", "1000"}, {"EdtM", GetParam().M}}), false);
  EXPECT_EQ(r["L"], 690);
  EXPECT_EQ(r.text("judge"), GetParam().judge);
  EXPECT_EQ(r["ta"], 0);
  EXPECT_EQ(r["Ntal"], 0);
  EXPECT_EQ(r["tpbt"], 0);  // no bolt tension: the panels alone set the thickness
  EXPECT_EQ(r["dms"], 24);
}
INSTANTIATE_TEST_SUITE_P(Cases, RigidPlateEccentricity,
                         ::testing::Values(EccentricityCase{"at_L_over_6", "115", "0 < e ≤ L/6"},
                                           EccentricityCase{"at_write3", "135", "L/6 < e ≤ L/6 + lt/3"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A pull without a moment is axial tension within the bolt rows, never a case of the plate in
// compression, whether M/N gives +0 or the −0 that 0 over a pull gives; so is a pull whose
// eccentricity reaches the bolt row exactly. Beyond it the plate is worked out in its two zones.
TEST(RigidPlateBases, APullWithinTheBoltRowsIsTensionInside) {
  const double N = -150e3;
  for (const double e : {0.0, 0.0 / N, -140.0})
    EXPECT_EQ(rigidbase::eccentricityCase(N, e, 690, 140), rigidbase::Eccentricity::TensionInside) << e;
  EXPECT_EQ(rigidbase::eccentricityCase(N, -140.5, 690, 140), rigidbase::Eccentricity::BeyondBoltRow);
}

TEST(RigidPlateBases, UserSizesGrowInTheDesignWhileTheBoxesStay) {
  const Design r = run(eightBoltModule(), with(userSizes, {{"EdtN", "3000"}, {"EdtM", "50"}}), false);
  EXPECT_GT(r["a"], 60);  // the bearing grew the plate
  EXPECT_TRUE(r.outcome.entryChanges.empty());
  EXPECT_EQ(r.outcome.cbsize, std::nullopt);
  EXPECT_EQ(r.session.entries().texts.at("Edtsizea"), "60");
  EXPECT_EQ(r["rerun"], 0);
}

TEST(RigidPlateBases, WholeTensAndTheGrowthOfTheLayout) {
  // L = 2(70 + 50) + 213 = 453 becomes 460; a takes half the growth in steps of 5, lt the rest.
  const Design r = run(eightBoltModule(),
                    {{"Edthc", "213"}, {"Edtsizea", "70"}, {"Edtsizelt", "50"}, {"EdtM", "10"}, {"EdtN", "80"}},
                    false);
  EXPECT_EQ(r["L0"], 453);
  EXPECT_EQ(r["L"], 460);
  EXPECT_EQ(r["a"], 70);
  EXPECT_EQ(r["lt"], 53.5);
}

TEST(RigidPlateBases, LinearCompressedZoneBelowBolt60AndEquilibriumFrom60) {
  const Design linear = run(eightBoltModule(), {{"EdtM", "600"}, {"EdtN", "500"}});
  ASSERT_EQ(linear["dms"], 56);
  EXPECT_EQ(linear["xn"], linear["L"] * linear["ylmax"] / (linear["ylmax"] - linear["ylmin"]));

  const Design bisected = run(eightBoltModule(), {{"EdtM", "600"}, {"EdtN", "80"}});
  ASSERT_EQ(bisected["dms"], 60);
  const double e = bisected["e"], L = bisected["L"], lt = bisected["lt"], xn = bisected["xn"];
  const double F = xn * xn * xn + 3 * (e - L / 2) * xn * xn -
                   6 * (bisected["Es"] / bisected["Ec"]) * 3 * (bisected["Aems"] / bisected["B"]) * (e + L / 2 - lt) *
                       (L - lt - xn);
  EXPECT_LT(std::fabs(F), 1e-6);
  EXPECT_EQ(bisected["Fx"], F);
  EXPECT_NE(xn, L * bisected["ylmax"] / (bisected["ylmax"] - bisected["ylmin"]));
  EXPECT_NE(bisected.tag("<#pressureFormula>").find("二分"), std::string::npos);
  EXPECT_EQ(linear.tag("<#pressureFormula>").find("二分"), std::string::npos);
}

TEST(RigidPlateBases, NegativeReducedPressureNeverGovernsThePlate) {
  const Design r = run(eightBoltModule(), {{"EdtM", "100"}, {"EdtN", "-80"}});
  ASSERT_LT(r["xn"], r["L"] / 2);
  EXPECT_LT(r["M221"], 0);
  EXPECT_LT(r["M224"], 0);
  EXPECT_EQ(r["M2"], std::max(r["M222"], r["M223"]));
}

TEST(RigidPlateBases, ShortPanelIsACantileverWithItsCoefficientKept) {
  const Design r = run(eightBoltModule(), {{"EdtM", "50"}, {"EdtN", "80"}});
  ASSERT_LT(r["r11"], 0.3);
  EXPECT_EQ(r["alf1"], 0.133);
  const double qr = r["ylc"] * (r["xn"] - r["L"] / 2) / r["xn"];
  EXPECT_EQ(r["M221"], 0.5 * qr * r["b21"] * r["b21"]);
  EXPECT_EQ(r.tag("<#M221formula>"), "M221 = 0.5·qr·b21²（悬臂）");
}

TEST(RigidPlateBases, AxialTensionInsideTheBoltRowsKeepsWhatWasComputed) {
  Design r = run(eightBoltModule(), {});
  const double ylmaxBefore = r["ylmax"];
  r.session.setText("EdtM", "50");
  r.session.setText("EdtN", "-500");
  const Outcome outcome = r.session.calculate();
  EXPECT_EQ(outcome.messages, std::vector<std::string>{rigidbase::axialTensionMessage});
  EXPECT_EQ(outcome.ending, Ending::Partial);
  EXPECT_EQ(r["N"], -500000);  // the values reached so far are kept
  EXPECT_EQ(r["ylmax"], ylmaxBefore);
  EXPECT_TRUE(r.session.checks().empty());  // no design to check
  EXPECT_TRUE(r.session.results().redCaptions.empty());
}

TEST(RigidPlateBases, LinearPressureExtremesKeepTheValuesOfTheLastLargeEccentricity) {
  Design r = run(eightBoltModule(), {});
  const double ylmax = r["ylmax"], ylmin = r["ylmin"];
  r.session.setText("EdtM", "10");
  r.session.setText("EdtN", "1000");
  r.session.calculate();
  EXPECT_EQ(r.text("judge"), "0 < e ≤ L/6");
  EXPECT_EQ(r["ylmax"], ylmax);
  EXPECT_EQ(r["ylmin"], ylmin);
}

TEST(TenBoltBase, WebWeldLegAboveTwelveTenthsOfTheWebTurnsItsCaptionRed) {
  const Design atLimit = run(tenBoltModule(), {{"EdtM", "1000"}, {"EdtN", "80"}, {"Edttw", "10"}});
  ASSERT_EQ(atLimit["hf11"], 12);
  EXPECT_EQ(atLimit["webWeldWarning"], 0);
  EXPECT_TRUE(atLimit.check("webWeldLeg")->ok());

  const Design above = run(tenBoltModule(), {{"EdtM", "1000"}, {"EdtN", "80"}, {"Edttw", "9"}});
  ASSERT_EQ(above["hf11"], 12);
  EXPECT_EQ(above["webWeldWarning"], 1);
  EXPECT_FALSE(above.check("webWeldLeg")->ok());
  const auto red = above.session.results().redCaptions;
  EXPECT_NE(std::find(red.begin(), red.end(), "edthf11"), red.end());

  // The eight-bolt base has no such rule, and a fresh window shows nothing red.
  EXPECT_EQ(run(eightBoltModule(), {{"Edttw", "9"}}).check("webWeldLeg"), std::nullopt);
  EXPECT_TRUE(DesignSession(tenBoltModule()).results().redCaptions.empty());
}

struct StopCase {
  const char* name;
  Texts texts;
  std::string message;
  std::optional<std::string> focus;
};
class RigidPlateStops : public ::testing::TestWithParam<StopCase> {};

// Each stop shows its message and leaves the window exactly as before the command.
TEST_P(RigidPlateStops, LeaveTheWindowAsItWas) {
  for (const ModuleDescriptor* module : {&eightBoltModule(), &tenBoltModule()}) {
    Design r = run(*module, {});
    const auto values = r.session.values();
    const auto entries = r.session.entries().texts;
    for (const auto& [control, text] : GetParam().texts) r.session.setText(control, text);
    const Outcome outcome = r.session.calculate();
    EXPECT_EQ(outcome.messages, std::vector<std::string>{GetParam().message}) << module->id;
    EXPECT_EQ(outcome.focus, GetParam().focus);
    EXPECT_TRUE(outcome.entryChanges.empty());
    EXPECT_EQ(outcome.cbsize, std::nullopt);
    EXPECT_TRUE(r.session.entries().cbsize);
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(r.session.values()[i].value, values[i].value);
    for (const auto& [control, text] : r.session.entries().texts)
      if (control.rfind("Edtsize", 0) == 0) {
        EXPECT_EQ(text, entries.at(control));
      }
  }
}
INSTANTIATE_TEST_SUITE_P(
    Cases, RigidPlateStops,
    ::testing::Values(StopCase{"zero_axial_force", {{"EdtN", "0"}}, "柱底轴力不能为0", "EdtN"},
                      StopCase{"axial_force_not_a_number", {{"EdtN", "八十"}}, "“八十”不是有效的数值", "EdtN"},
                      StopCase{"no_bolt_beyond_100", {{"EdtM", "5000"}}, rigidbase::boltTooLargeMessage, std::nullopt},
                      StopCase{"weld_length", {{"Edthc", "40"}}, weldTooShortMessage, std::nullopt},
                      StopCase{"implausible_moment", {{"EdtM", "1e300"}}, "柱底弯矩M绝对值不应超过 1000000 kN·m", "EdtM"},
                      StopCase{"implausible_force", {{"EdtN", "1e306"}}, "柱底轴力N绝对值不应超过 1000000 kN", "EdtN"}),
    [](const auto& info) { return std::string(info.param.name); });

// The stiffener's shear stress as the report writes it out, Vimax/((hs − 15)·ts), gives back the
// stress the check holds.
TEST(RigidPlate, PrintedStiffenerShearRecomputesToItsStress) {
  const std::regex written(R"(= ([0-9.]+)×10³/\(([0-9.]+)×([0-9.]+)\)$)");
  for (const char* id : {"g11", "g12"}) {
    const Design d = testing::design(*findModule(id), {});
    const std::string text = d.tag("<#ylvRvalues>");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, written)) << id << ": " << text;
    EXPECT_EQ(std::stod(m[2]), d["hjjl"] - 15) << text;
    const double stress = std::stod(m[1]) * 1000 / (std::stod(m[2]) * std::stod(m[3]));
    EXPECT_NEAR(stress, d["ylvR"], 1e-3 * d["ylvR"]) << text;
  }
}

// The plate round a corner bolt from hand numbers: la1 = min(90·(3.5 − 1.5·90/170), 80 + 80) = 160,
// lc1 = min(80·(3.5 − 1.5·80/160), 90 + 80) = 170, t = √(6·100000·80·90³/(80³·160 + 90³·170)/205) =
// 28.796. With a and c swapped the widths swap and the longer arm still takes the cube.
TEST(RigidBasePlate, CornerBoltZoneFromHandNumbers) {
  const rigidbase::CornerBoltZone zone = rigidbase::cornerBoltZone(90, 80, 80, 80, 100000, 205);
  EXPECT_EQ(zone.la1, 160);
  EXPECT_EQ(zone.lc1, 170);
  EXPECT_NEAR(zone.tpbt1, 28.796, 1e-3);
  const rigidbase::CornerBoltZone swapped = rigidbase::cornerBoltZone(80, 90, 80, 80, 100000, 205);
  EXPECT_EQ(swapped.la1, 170);
  EXPECT_EQ(swapped.lc1, 160);
  EXPECT_DOUBLE_EQ(swapped.tpbt1, zone.tpbt1);
}

// The plate between two stiffeners from hand numbers: la2 = min(90·(3.5 − 1.5·90/170), 2·80) = 160,
// lc2 = min(80·2.75, 90 + 80) = 170; c² = 6,400 < 2a² = 16,200, so along a:
// √(12·10⁵·80·90³/(8·90³·170 + 80³·160)/205) = 17.834.
TEST(RigidBasePlate, BoltZoneBetweenStiffenersFromHandNumbers) {
  const rigidbase::BoltZoneThickness zone = rigidbase::boltZoneBetweenStiffeners({90, 80, 80, 80, 1e5}, 205);
  EXPECT_EQ(zone.la2, 160);
  EXPECT_EQ(zone.lc2, 170);
  EXPECT_EQ(zone.span, rigidbase::SecondPanelSpan::AlongA);
  EXPECT_NEAR(zone.tpbt2, 17.834, 1e-3);
  const rigidbase::CornerBoltZone corner = rigidbase::cornerBoltZone(90, 80, 80, 80, 1e5, 205);
  EXPECT_EQ(zone.lc1, corner.lc1);
  EXPECT_EQ(zone.tpbt1, corner.tpbt1);
  EXPECT_EQ(zone.tpbt, std::max(zone.tpbt1, zone.tpbt2));  // 28.796, the corner governs
}

// At c² = 2a² both forms of the plate between stiffeners give the same thickness: a hair either
// side of it the span switches and the thickness does not jump.
TEST(RigidBasePlate, BoltZoneBetweenStiffenersIsContinuousWhereItsSpanSwitches) {
  const double a = 60, switchC = a * std::sqrt(2.0);
  const auto zone = [&](double c) { return rigidbase::boltZoneBetweenStiffeners({a, c, 60, 50, 1e5}, 205); };
  const rigidbase::BoltZoneThickness along = zone(switchC * (1 - 1e-9));
  const rigidbase::BoltZoneThickness between = zone(switchC * (1 + 1e-9));
  EXPECT_EQ(along.span, rigidbase::SecondPanelSpan::AlongA);
  EXPECT_EQ(between.span, rigidbase::SecondPanelSpan::AlongC);
  EXPECT_NEAR(along.tpbt2, between.tpbt2, 1e-7 * between.tpbt2);
}

// Both bases print tpbt2 in the form of the span their step took, along a for c = 60 (3,600 <
// 7,200) and along c for c = 90 (8,100), and the printed numbers give back the held tpbt2. A
// window with nothing worked out writes the form along c, and the form follows the held span
// whatever the sizes held beside it would give.
TEST(RigidPlateBases, PrintedPlateBetweenStiffenersFollowsTheHeldSpanAndRecomputes) {
  for (const ModuleDescriptor* module : {&eightBoltModule(), &tenBoltModule()}) {
    for (const char* c : {"60", "90"}) {
      const Design d = run(*module, with(userSizes, {{"Edtsizec", c}}), false);
      SCOPED_TRACE(module->id + std::string(" c = ") + c);
      ASSERT_EQ(d["a"], 60);
      ASSERT_EQ(d["c"], std::stod(c));
      const std::string printed = d.tag("<#tpbt2values>");
      EXPECT_EQ(printed.rfind(d["c"] == 60 ? "√(12·Nta·c·a³/" : "√(6·Nta·a·c³/", 0), 0u) << printed;
      EXPECT_NEAR(testing::PrintedArithmetic::valueOf(printed), d["tpbt2"], 1e-4 * d["tpbt2"]) << printed;
    }
  }
  RigidPlateHeld h;
  EXPECT_EQ(rigidbase::betweenStiffenersTpbt2Values(h).rfind("√(6·Nta·a·c³/", 0), 0u);
  h.a = 60, h.c = 90, h.Ntal = 1e5, h.la2 = 165, h.lc2 = 150, h.fpbt = 205;  // c² > 2a²: along c
  h.secondPanelSpan = rigidbase::SecondPanelSpan::AlongA;
  EXPECT_EQ(rigidbase::betweenStiffenersTpbt2Values(h).rfind("√(12·Nta·c·a³/", 0), 0u);
}

// Both layouts as a checker redoes them, on a flange too narrow for either: the printed layout
// line gives back the width the check compared, the remedy asks for that same width, and the
// printed numbers of the stiffener's load give back Vi1 (σc printed to two decimals).
TEST(RigidPlateBases, PrintedLayoutWidthAndStiffenerLoadRecompute) {
  for (const ModuleDescriptor* module : {&eightBoltModule(), &tenBoltModule()}) {
    SCOPED_TRACE(module->id);
    const Design d = run(*module, {{"Edtbf", "160"}});
    const std::optional<DesignCheck> layout = d.check("layout");
    ASSERT_TRUE(layout.has_value());
    ASSERT_FALSE(layout->ok());
    // "4c + 3ts + 2hf = 4×75 + 3×10 + 2×8 = 346 > bf = 160": the numbers before the demand.
    const std::string demand = layout->values.substr(0, layout->values.find(" > "));
    EXPECT_EQ(testing::PrintedArithmetic::valueOf(demand.substr(0, demand.rfind(" = "))), layout->demand)
        << layout->values;
    EXPECT_EQ(layout->formula.str(), demand.substr(0, demand.find(" = ")) + " ≤ bf");
    EXPECT_NE(layout->remedy.find("bf ≥ " + remedy::num(layout->demand) + " mm（"), std::string::npos) << layout->remedy;

    const std::string vi1 = d.tag("<#Vi1values>");
    const std::string inKN = "×10⁻³";
    ASSERT_TRUE(vi1.ends_with(inKN)) << vi1;
    const double newtons = testing::PrintedArithmetic::valueOf(vi1.substr(0, vi1.size() - inKN.size()));
    EXPECT_NEAR(newtons, d["Vi1"], 0.01 / d["ylc"] * d["Vi1"]) << vi1;
  }
}

// A ten-bolt base checked at given sizes prints the ten-bolt lines, as its design does, not the
// eight-bolt a3, Vi1 and layout lines beside the ten-bolt numbers.
TEST(TenBoltBase, ACheckOfGivenSizesPrintsTheTenBoltLines) {
  const Design designed = run(tenBoltModule(), {{"Edtbf", "500"}, {"EdtM", "100"}});
  ASSERT_EQ(designed.outcome.ending, Ending::Completed);
  Design checked{DesignSession(tenBoltModule()), {}};
  for (const auto& [control, text] : designed.session.entries().texts) checked.session.setText(control, text);
  checked.session.setCbsize(designed.session.entries().cbsize);
  checked.outcome = checked.session.check(designed.session.sizes());
  ASSERT_EQ(checked.outcome.ending, Ending::Completed);
  for (const Design* d : {&designed, static_cast<const Design*>(&checked)}) {
    EXPECT_EQ(d->tag("<#a3formula>"), "(4c + ts − tw)/2");
    EXPECT_EQ(d->tag("<#Vi1values>").rfind("(2c + ts)·(a + lt)·σc = ", 0), 0u) << d->tag("<#Vi1values>");
    EXPECT_EQ(d->check("layout")->values.rfind("4c + 3ts + 2hf = ", 0), 0u) << d->check("layout")->values;
  }
}

// The plate check names what sized the plate, as the plate step recorded it: the plate round the
// tension bolts under the defaults' large moment, the panels where the resultant stays in the kern
// and no bolt pulls.
TEST(RigidPlateBases, ThePlateCheckNamesWhatSizedThePlate) {
  for (const ModuleDescriptor* module : {&eightBoltModule(), &tenBoltModule()}) {
    const Design bolts = run(*module, {});
    ASSERT_GT(bolts["tpbt"], bolts["tpbc"]);
    ASSERT_TRUE(bolts.check("plate"));
    EXPECT_EQ(bolts.check("plate")->formula, "t ≥ tpbt（锚栓处底板，受锚栓拉力控制）");
    EXPECT_NE(bolts.check("plate")->values.find("所需厚度 tpbt = max(tpbt1, tpbt2)"), std::string::npos);
    const Design panels = run(*module, {{"EdtM", "0.001"}, {"EdtN", "1000"}});
    ASSERT_EQ(panels["tpbt"], 0);
    ASSERT_TRUE(panels.check("plate"));
    EXPECT_EQ(panels.check("plate")->formula, "t ≥ tpbc = √(6·M2/f)（底板区格弯矩控制）");
    EXPECT_NE(panels.check("plate")->values.find("所需厚度 tpbc = √(6·M2/f)"), std::string::npos);
  }
}

// The column flange's strength is the flange's own, by its thickness, whatever the plate's group.
TEST(RigidPlateBases, FlangeStrengthIsTheFlangesOwn) {
  const Design thin = run(eightBoltModule(), {});
  const Design thick = run(eightBoltModule(), {{"Edttf", "20"}});
  ASSERT_EQ(thin["tf"], 14);
  EXPECT_EQ(thin["f"], 215);   // Q235 up to 16 mm
  EXPECT_EQ(thick["f"], 205);  // Q235 over 16 mm
  ASSERT_TRUE(thin.check("flange"));
  EXPECT_EQ(thin.check("flange")->limit, thin["f"]);
}

}  // namespace
}  // namespace pedivo::rigid

namespace pedivo {
namespace {

// The calculation itself, past the input checks: a typed plate size that is no number stops it
// with the focus on that size, read once though the design tries bolt after bolt; with the
// detailing box ticked the sizes are not read at all.
TEST(RigidBasesTypedSizes, ANonNumberStopsOnItsBoxOnlyWhenTheSizesAreTyped) {
  for (const char* id : {"g11", "g12", "g2", "g3"}) {
    const ModuleDescriptor& module = *findModule(id);
    Entries entries = module.defaultEntries();
    entries.texts["EdtM"] = "600";  // tension bolts that grow past the first size tried
    entries.texts["Edtsizelt"] = "5o";
    entries.cbsize = false;
    const Outcome stopped = module.newState()->calculate(entries);
    EXPECT_EQ(stopped.ending, Ending::Stopped) << id;
    EXPECT_EQ(stopped.stop, Stop::EntryRefused) << id;
    EXPECT_EQ(stopped.focus, std::optional<std::string>("Edtsizelt")) << id;
    ASSERT_EQ(stopped.messages.size(), 1U) << id;
    EXPECT_EQ(stopped.messages.front(), notANumberMessage("5o")) << id;
    entries.cbsize = true;
    EXPECT_EQ(module.newState()->calculate(entries).ending, Ending::Completed) << id;
  }
}

// Typed sizes hold for every bolt the design tries: the design with its own sizes typed back is
// the detailing design's second pass, whatever bolt it ends with.
TEST(RigidBasesTypedSizes, TheTypedSizesHoldForEveryBoltTried) {
  for (const char* id : {"g11", "g2", "g3"}) {
    const ModuleDescriptor& module = *findModule(id);
    Entries entries = module.defaultEntries();
    entries.texts["EdtM"] = "600";  // bolts of 60 mm and more, the compressed zone from equilibrium
    entries.cbsize = true;
    const auto detailing = module.newState();
    const Outcome designed = detailing->calculate(entries);
    for (const auto& [control, text] : designed.entryChanges) entries.texts[control] = text;
    entries.cbsize = false;
    const auto typed = module.newState();
    typed->calculate(entries);
    EXPECT_GT(heldNumber(detailing->values(), "dms"), 24) << id;
    for (const char* name : {"dms", "a", "c", "lt", "bt", "L", "B", "tpb"})
      EXPECT_EQ(heldNumber(typed->values(), name), heldNumber(detailing->values(), name)) << id << " " << name;
    // Sizes well above the table's stay the design's own at the bolt it ends with.
    entries.texts["Edtsizea"] = entries.texts["Edtsizec"] = "300";
    const auto wide = module.newState();
    ASSERT_EQ(wide->calculate(entries).ending, Ending::Completed) << id;
    EXPECT_GT(heldNumber(wide->values(), "dms"), 24) << id;
    EXPECT_GE(heldNumber(wide->values(), "a"), 300) << id;
  }
}

}  // namespace
}  // namespace pedivo
