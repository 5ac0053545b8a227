// The plate steps of the eight- and ten-bolt bases: the plan brought to whole tens with the layout
// taking the growth, the panel that governs M2, the plate round the bolts at the strength the
// thickness ends in, and the report's panel and corner-bolt formulas written in the way each step
// went, recomputing to the held values from the printed numbers.

#include "design/rigid/plate_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "design/common/bolt_zone.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/plate_panel.h"
#include "design/common/rigid_geometry.h"
#include "design/common/tables.h"
#include "design/rigid/rigid_plate.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::rigid {
namespace {

using rigidbase::eightBoltGeometry;
using rigidbase::tenBoltGeometry;
using testing::Design;

struct PlanCase {
  const char* name;
  const rigidbase::RigidGeometry& geometry;
  PlateLayout layout;
  double hb, tjjl;
  PlatePlan plan;
};

// Hand-worked plans: L0 = 2(a + lt) + hb, B0 = spacings·c + 2bt + stiffeners·ts; a side goes up
// to the next ten from a whole millimetre past one, a fraction below stays or drops to the ten;
// a and c then take the growth down to a multiple of 5 and lt, bt close the plate.
TEST(RigidPlatePlan, SidesToWholeTensAndTheLayoutTakesTheGrowth) {
  const PlanCase cases[] = {
      {"already whole tens", eightBoltGeometry, {0, 70, 60, 50, 50}, 200, 10, {440, 360, 440, 360, 70, 60, 50, 50}},
      {"one past a ten: up to the next, lt takes it", eightBoltGeometry, {0, 70, 60, 50, 50}, 201, 10,
       {441, 360, 450, 360, 70, 60, 54.5, 50}},
      {"a fraction short of one past: down to the ten", eightBoltGeometry, {0, 70, 60, 50, 50}, 200.5, 10,
       {440.5, 360, 440, 360, 70, 60, 49.75, 50}},
      {"a grows to the next five", eightBoltGeometry, {0, 72, 58, 50, 50}, 200, 10,
       {444, 352, 450, 360, 75, 60, 50, 50}},
      {"a off the fives drops to one, lt the rest", eightBoltGeometry, {0, 72, 60, 50, 50}, 196, 10,
       {440, 360, 440, 360, 70, 60, 52, 50}},
      {"ten bolts: six spacings and three stiffeners", tenBoltGeometry, {0, 70, 60, 50, 50}, 200, 10,
       {440, 490, 440, 490, 70, 60, 50, 50}},
      {"ten bolts: c short of the next five, bt the rest", tenBoltGeometry, {0, 70, 60, 50, 50}, 200, 12,
       {440, 496, 440, 500, 70, 60, 50, 52}},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    const PlatePlan p = platePlan(c.geometry, c.layout, c.hb, c.tjjl);
    EXPECT_EQ(p.L0, c.plan.L0);
    EXPECT_EQ(p.B0, c.plan.B0);
    EXPECT_EQ(p.L, c.plan.L);
    EXPECT_EQ(p.B, c.plan.B);
    EXPECT_EQ(p.a, c.plan.a);
    EXPECT_EQ(p.c, c.plan.c);
    EXPECT_EQ(p.lt, c.plan.lt);
    EXPECT_EQ(p.bt, c.plan.bt);
  }
}

// Over a spread of layouts the rounded plan closes: whole tens, a and c on fives, and the sides
// are again the sums of the layout they were rounded to.
TEST(RigidPlatePlan, TheRoundedPlanIsTheSumOfItsLayout) {
  for (const rigidbase::RigidGeometry* geometry : {&eightBoltGeometry, &tenBoltGeometry})
    for (double a = 60; a <= 75; a += 1.5)
      for (double c = 55; c <= 70; c += 1.25)
        for (double hb = 200; hb <= 212; hb += 1) {
          const PlatePlan p = platePlan(*geometry, {0, a, c, 50, 45}, hb, 10);
          SCOPED_TRACE(::testing::Message() << "a " << a << " c " << c << " hb " << hb);
          EXPECT_EQ(std::fmod(p.L, 10), 0);
          EXPECT_EQ(std::fmod(p.B, 10), 0);
          EXPECT_EQ(std::fmod(p.a, 5), 0);
          EXPECT_EQ(std::fmod(p.c, 5), 0);
          EXPECT_LT(std::fabs(p.L - p.L0), 10);
          EXPECT_LT(std::fabs(p.B - p.B0), 10);
          EXPECT_NEAR(2 * (p.a + p.lt) + hb, p.L, 1e-9);
          EXPECT_NEAR(geometry->cSpacings * p.c + 2 * p.bt + geometry->stiffenersAcross * 10, p.B, 1e-9);
        }
}

double momentOf(const PlatePanels& p, PlatePanelName panel) {
  switch (panel) {
    case PlatePanelName::BetweenStiffeners: return p.betweenStiffeners.M;
    case PlatePanelName::BeyondBolts: return p.beyondBolts.M;
    case PlatePanelName::Corner: return p.corner.M;
    case PlatePanelName::BetweenFlanges: return p.betweenFlanges.M;
    case PlatePanelName::None: break;
  }
  return 0;
}

// A plate of the given layout under a pressure σc with the compressed zone xn.
RigidPlateHeld panelPlate(double a, double c, double lt, double bt, double hb, double xnOverL, double ylc) {
  RigidPlateHeld h;
  h.a = a, h.c = c, h.lt = lt, h.bt = bt, h.hb = hb, h.bf = 200, h.tw = 10, h.tf = 14, h.tjjl = 10;
  h.L = 2 * (a + lt) + hb, h.xn = xnOverL * h.L, h.ylc = ylc;
  return h;
}

// The governing panel is the first whose moment is M2; none when no moment is positive. Each of
// the four panels governs somewhere in the spread, so the name cannot be stuck on one.
TEST(RigidPlatePanels, TheGoverningPanelIsTheOneWhoseMomentIsM2) {
  int governed[5] = {};
  for (const rigidbase::RigidGeometry* geometry : {&eightBoltGeometry, &tenBoltGeometry})
    for (double c : {30.0, 60.0, 120.0, 200.0})
      for (double hb : {150.0, 300.0, 600.0, 1000.0})
        for (double xnOverL : {0.2, 0.7, 1.0})
          for (double ylc : {0.0, 4.0}) {
            const PlatePanels p = platePanels(*geometry, panelPlate(60, c, 50, 40, hb, xnOverL, ylc));
            SCOPED_TRACE(::testing::Message() << "c " << c << " hb " << hb << " xn/L " << xnOverL << " σc " << ylc);
            ++governed[static_cast<int>(p.governing)];
            const double moments[] = {p.betweenStiffeners.M, p.beyondBolts.M, p.corner.M, p.betweenFlanges.M};
            double largest = 0;
            for (const double M : moments) largest = std::max(largest, M);
            EXPECT_EQ(p.M2, largest);
            if (p.governing == PlatePanelName::None) {
              EXPECT_EQ(p.M2, 0);
              continue;
            }
            EXPECT_EQ(momentOf(p, p.governing), p.M2);
            for (int earlier = 1; earlier < static_cast<int>(p.governing); ++earlier)
              EXPECT_LT(moments[earlier - 1], p.M2) << "an earlier panel reaches M2 first";
          }
  for (int panel = 0; panel <= 4; ++panel) EXPECT_GT(governed[panel], 0) << "panel " << panel << " never governs";
}

// The thickness keeps the plate round the bolts of the group strength it ends in, not of the first
// group it tried: a pull that needs a plate past the thinnest group.
TEST(RigidPlateThickness, TheBoltZoneHeldIsTheOneAtTheFinalStrength) {
  const Materials m = readMaterials(eightBoltModule().defaultEntries());
  RigidPlateHeld h = panelPlate(90, 80, 80, 80, 450, 1, 3);
  h.n = 6, h.M2 = 5000;
  for (const double ta : {60e3, 600e3, 1800e3}) {
    SCOPED_TRACE(ta);
    h.ta = ta;
    const PlateThicknessStep s = plateThickness(eightBoltGeometry, m, h);
    EXPECT_EQ(s.Ntal, 2 * ta / 6);
    const rigidbase::BoltZoneThickness again =
        rigidbase::boltZoneBetweenStiffeners({h.a, h.c, h.lt, h.bt, s.Ntal}, s.fpbt);
    EXPECT_EQ(s.zone.tpbt, again.tpbt);
    EXPECT_EQ(s.zone.la2, again.la2);
    EXPECT_EQ(s.fpbt, tables::plateStrengthOfGroup(*m.steel, tables::plateThicknessGroup(*m.steel, s.zone.tpbt)));
    EXPECT_EQ(s.plateSizedBy, s.zone.tpbt > s.tpbc ? rigidbase::PlateSizedBy::Bolts : rigidbase::PlateSizedBy::Panels);
    EXPECT_GE(s.tpb, std::max({s.tpbc, s.zone.tpbt, tables::thinnestBasePlate}));
    EXPECT_LT(s.tpb, std::max({s.tpbc, s.zone.tpbt, tables::thinnestBasePlate}) + 1);
    if (ta == 1800e3) {
      EXPECT_LT(s.fpbt, tables::plateStrengthOfGroup(*m.steel, 1)) << "the thickness left the first group";
    }
  }
}

// A printed number, as the report cut it, and the last place it keeps.
struct Printed {
  double value, place;
};
Printed printed(const std::string& text) {
  const std::size_t dot = text.find('.');
  const double place = dot == std::string::npos ? 1 : std::pow(10.0, -static_cast<double>(text.size() - dot - 1));
  return {std::strtod(text.c_str(), nullptr), place};
}

// A three-side panel's moment from the printed formula and numbers, within what the cut digits
// leave open: 0.5·q·b² for a cantilever, α·q·a² otherwise.
void expectPanelRecomputes(const Design& d, int panel, const char* qTag) {
  const std::string n = std::to_string(panel);
  SCOPED_TRACE("panel " + n);
  const std::string formula = d.tag("<#M22" + n + "formula>");
  const bool cantilever = formula.find("（悬臂）") != std::string::npos;
  EXPECT_EQ(cantilever, d["r1" + n] < cantileverRatio) << formula;
  const Printed q = printed(d.tag(qTag));
  const Printed side = printed(d.tag(cantilever ? "<#b2" + n + ">" : "<#a2" + n + ">"));
  const Printed k = cantilever ? Printed{0.5, 0} : printed(d.tag("<#alf" + n + ">"));
  const double M = k.value * q.value * side.value * side.value;
  const double open = std::fabs(q.value * side.value * side.value) * k.place +
                      std::fabs(k.value * side.value * side.value) * q.place +
                      std::fabs(2 * k.value * q.value * side.value) * side.place;
  EXPECT_NEAR(d["M22" + n], M, 1.01 * open + 1e-9) << formula;
}

using testing::checkOf;

// Given a, c, lt, bt on the designed base, the plate closed around them.
Design checkWithLayout(const ModuleDescriptor& module, const Design& designed, double a, double c, double lt, double bt) {
  Sizes sizes = designed.session.sizes();
  sizes.at("a") = a, sizes.at("c") = c, sizes.at("lt") = lt, sizes.at("bt") = bt;
  sizes.at("L") = 2 * (a + lt) + designed["hb"];
  const rigidbase::RigidGeometry& geometry = &module == &eightBoltModule() ? eightBoltGeometry : tenBoltGeometry;
  sizes.at("B") = geometry.cSpacings * c + 2 * bt + geometry.stiffenersAcross * sizes.at("tjjl");
  return checkOf(module, designed, sizes);
}

// Both forms of each three-side panel: panel 1 by the design's forces, panels 2 and 3 by a given
// layout with the bolts far apart across against their length (a + lt short against 2c and c + bt).
TEST(RigidPlatePanels, ThePrintedPanelFormulaRecomputesTheHeldMoment) {
  bool seen[3][2] = {};  // each three-side panel, by coefficient and as a cantilever
  for (const ModuleDescriptor* module : {&eightBoltModule(), &tenBoltModule()}) {
    SCOPED_TRACE(module == &eightBoltModule() ? "eight bolts" : "ten bolts");
    const Design coefficient = testing::design(*module, {});
    const Design shortPanel1 = testing::design(*module, {{"EdtM", "50"}, {"EdtN", "80"}});
    ASSERT_EQ(shortPanel1.outcome.ending, Ending::Completed);
    const Design shortOuter = checkWithLayout(*module, coefficient, 40, 150, 40, 150);
    ASSERT_EQ(shortOuter.outcome.ending, Ending::Completed);
    ASSERT_LT(shortOuter["r12"], cantileverRatio);
    ASSERT_LT(shortOuter["r13"], cantileverRatio);
    ASSERT_LT(shortPanel1["r11"], cantileverRatio);
    ASSERT_GE(coefficient["r12"], cantileverRatio);
    for (const Design* d : {&coefficient, &shortPanel1, &shortOuter}) {
      expectPanelRecomputes(*d, 1, "<#qr>");
      expectPanelRecomputes(*d, 2, "<#ylc>");
      expectPanelRecomputes(*d, 3, "<#ylc>");
      for (int panel = 0; panel < 3; ++panel) seen[panel][(*d)["r1" + std::to_string(panel + 1)] < cantileverRatio] = true;
    }
  }
  for (int panel = 0; panel < 3; ++panel)
    for (int cantilever = 0; cantilever < 2; ++cantilever)
      EXPECT_TRUE(seen[panel][cantilever]) << "panel " << panel + 1 << (cantilever ? " as a cantilever" : " by its coefficient");
}

// The plate round a corner bolt is written with the longer arm cubed, a on a tie, as the step
// took it, and its numbers give back tpbt1.
TEST(RigidPlateThickness, ThePrintedCornerBoltPlateTakesTheArmOfTheStep) {
  const Design designed = testing::design(eightBoltModule(), {});
  testing::expectCornerBoltPlateInTheStepsForm(
      [&](double a, double c) { return checkWithLayout(eightBoltModule(), designed, a, c, 60, 60); });
}

}  // namespace
}  // namespace pedivo::rigid
