// The boot-beam bases' plate panels: each panel under the pressure where it lies, a three-side
// panel short against its free edge taken as a cantilever, M2 the largest moment and never below
// 0; the report's coefficients and moment formulas in the way each moment was taken, redoing the
// held moments; and the T-shaped plate round a corner bolt printed with the arm the step cubed.

#include "design/bootbeam/boot_beam_panels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "design/bootbeam/boot_beam.h"
#include "design/common/design_session.h"
#include "design/common/plate_panel.h"
#include "design/common/tables.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::bootbeam {
namespace {

using testing::Design;
using testing::Texts;

// A plate 1000 long whose pressure σc = 4 falls to 0 at its far end: 2 at mid-length, 3 at 250.
BootBeamHeld heldUnder(double ylc, double xn) {
  BootBeamHeld h;
  h.L = 1000, h.ylc = ylc, h.xn = xn;
  h.hb = 400, h.bf = 300, h.tw = 10, h.tf = 20, h.tjjl = 10;
  return h;
}

// Panel 1 between the stiffeners lies at mid-length, panels 2 and 3 outside under σc: a short
// panel 1 is a cantilever under the mid-length pressure, a deep panel 2 takes α under σc.
TEST(BootBeamPanels, TShapedPanelsTakeThePressureWhereTheyLie) {
  BootBeamHeld h = heldUnder(4, 1000);
  h.a = 60, h.lt = 40, h.c = 30, h.bt = 20;  // panel 1: 50 deep on a 380 free edge; panel 2: 100 on 300
  const TShapedPanels p = tShapedPanels(h);
  EXPECT_EQ(p.qMid, 2);
  EXPECT_EQ(p.betweenStiffeners.moment, PanelMoment::Cantilever);
  EXPECT_DOUBLE_EQ(p.betweenStiffeners.M, 0.5 * 2 * 50 * 50);
  EXPECT_EQ(p.beyondBolts.moment, PanelMoment::Coefficient);
  EXPECT_DOUBLE_EQ(p.beyondBolts.M, tables::alf(100.0 / 300) * 4 * 300 * 300);
  // The corner on its diagonal: 100 by 50, 111.8 along the diagonal, 44.7 deep, by its α.
  EXPECT_EQ(p.corner.moment, PanelMoment::Coefficient);
  EXPECT_NEAR(p.corner.a, 111.803, 1e-3);
  EXPECT_NEAR(p.corner.b, 44.721, 1e-3);
  EXPECT_DOUBLE_EQ(p.betweenFlanges.M, tables::beta(360.0 / 145) * 2 * 145 * 145);
  EXPECT_EQ(p.M2, std::max({p.betweenStiffeners.M, p.beyondBolts.M, p.corner.M, p.betweenFlanges.M}));

  // Panel 1 as deep as wide takes its α; the corner long against its width becomes a cantilever.
  h.c = 5, h.bt = 5, h.a = 250, h.lt = 150;
  h.tjjl = 190;  // panel 1: 10 deep on a 20 edge
  const TShapedPanels q = tShapedPanels(h);
  EXPECT_EQ(q.betweenStiffeners.moment, PanelMoment::Coefficient);
  EXPECT_DOUBLE_EQ(q.betweenStiffeners.M, tables::alf(0.5) * 2 * 20 * 20);
  EXPECT_EQ(q.corner.moment, PanelMoment::Cantilever);
  EXPECT_DOUBLE_EQ(q.corner.M, 0.5 * 4 * q.corner.b * q.corner.b);
}

// The channel: panel 1 beyond the bolts under σc, the panel inside the channel under the pressure
// at the bolt line, the one between the flanges under that at mid-length.
TEST(BootBeamPanels, ChannelPanelsTakeThePressureWhereTheyLie) {
  BootBeamHeld h = heldUnder(4, 1000);
  h.lt = 250;  // panel 1: 250 on 300; inside the channel 300 by 50
  const ChannelPanels p = channelPanels(h);
  EXPECT_EQ(p.qInside, 3);
  EXPECT_EQ(p.qMid, 2);
  EXPECT_EQ(p.beyondBolts.moment, PanelMoment::Coefficient);
  EXPECT_DOUBLE_EQ(p.beyondBolts.M, tables::alf(250.0 / 300) * 4 * 300 * 300);
  EXPECT_DOUBLE_EQ(p.insideChannel.M, tables::beta(300.0 / 50) * 3 * 50 * 50);
  EXPECT_DOUBLE_EQ(p.betweenFlanges.M, tables::beta(360.0 / 145) * 2 * 145 * 145);
  EXPECT_EQ(p.M2, std::max({p.beyondBolts.M, p.insideChannel.M, p.betweenFlanges.M}));

  h.lt = 60;  // 60 on 300: a cantilever
  const ChannelPanels q = channelPanels(h);
  EXPECT_EQ(q.beyondBolts.moment, PanelMoment::Cantilever);
  EXPECT_DOUBLE_EQ(q.beyondBolts.M, 0.5 * 4 * 60 * 60);
}

// The compressed zone short of mid-length pulls the inner panels' pressure below 0: M2 is the
// largest of the others, and with no pressure at all it stays 0.
TEST(BootBeamPanels, M2IsTheLargestMomentAndNotBelowZero) {
  BootBeamHeld h = heldUnder(4, 400);
  h.a = 60, h.lt = 40, h.c = 30, h.bt = 20, h.tjjl = 10;
  const TShapedPanels t = tShapedPanels(h);
  ASSERT_LT(t.betweenStiffeners.M, 0);
  ASSERT_LT(t.betweenFlanges.M, 0);
  EXPECT_EQ(t.M2, std::max(t.beyondBolts.M, t.corner.M));
  h.lt = 250;
  const ChannelPanels c = channelPanels(h);
  ASSERT_LT(c.betweenFlanges.M, 0);
  EXPECT_EQ(c.M2, std::max(c.beyondBolts.M, c.insideChannel.M));

  const BootBeamHeld none = heldUnder(0, 1000);
  EXPECT_EQ(tShapedPanels(none).M2, 0);
  EXPECT_EQ(channelPanels(none).M2, 0);
}

// ---- the report ----------------------------------------------------------------------------

using testing::checkOf;

// A given T-shaped base with the layout a, c, lt, bt and the plate closed around it.
Design tWithLayout(const Design& designed, double a, double c, double lt, double bt) {
  Sizes sizes = designed.session.sizes();
  sizes.at("a") = a, sizes.at("c") = c, sizes.at("lt") = lt, sizes.at("bt") = bt;
  sizes.at("L") = 2 * (a + lt) + designed["hb"];
  sizes.at("B") = 2 * c + designed["bf"] + 2 * bt + 2 * sizes.at("tsh");
  return checkOf(tBootBeamModule(), designed, sizes);
}

// The printed form of a three-side panel is the one its held ratio asks for, its coefficient is
// "—（悬臂）" exactly for a cantilever, and the form redoes the held moment from the held numbers
// under the pressure it names: q0 = σc, q(L/2) = σc·(xn − L/2)/xn.
void expectPanelFormula(const Design& d, int panel, bool& cantileverSeen, bool& coefficientSeen) {
  const std::string n = std::to_string(panel);
  SCOPED_TRACE("panel " + n);
  const std::string formula = d.tag("<#M22" + n + "formula>");
  const bool cantilever = d["r1" + n] < cantileverRatio;
  (cantilever ? cantileverSeen : coefficientSeen) = true;
  EXPECT_EQ(formula.find("（悬臂）") != std::string::npos, cantilever) << formula;
  EXPECT_EQ(d.tag("<#alf" + n + ">") == "—（悬臂）", cantilever) << d.tag("<#alf" + n + ">");
  const bool atMid = formula.find("q(L/2)") != std::string::npos;
  ASSERT_TRUE(atMid || formula.find("·q0·") != std::string::npos) << formula;
  const double q = atMid ? d["ylc"] * (d["xn"] - d["L"] / 2) / d["xn"] : d["ylc"];
  const double side = d[(cantilever ? "b2" : "a2") + n];
  const double k = cantilever ? 0.5 : d["alf" + n];
  EXPECT_NEAR(d["M22" + n], k * q * side * side, 1e-9 * std::fabs(d["M22" + n])) << formula;
}

// Designs and given layouts that take each three-side panel both ways.
TEST(BootBeamPanelReport, ThePrintedFormulasRedoTheHeldMomentsEitherWay) {
  bool cantilever[3] = {}, coefficient[3] = {};
  const Design deep = testing::design(tBootBeamModule(), {{"EdtN", "2834"}, {"EdtV", "333"}});
  const Design shortPanel1 = testing::design(tBootBeamModule(), {{"EdtN", "1243"}, {"EdtV", "280"}});
  const Design shortPanel2 = testing::design(
      tBootBeamModule(), Texts{{"Edthc", "223"}, {"Edtbf", "405"}, {"Edttw", "9"}, {"Edttf", "25.4"},
                               {"EdtM", "22.772"}, {"EdtN", "265"}, {"EdtV", "89"}});
  const Design longCorner = tWithLayout(deep, 200, 40, 100, 40);
  for (const Design* d : {&deep, &shortPanel1, &shortPanel2, &longCorner}) {
    ASSERT_EQ(d->outcome.ending, Ending::Completed);
    EXPECT_NE(d->tag("<#M221formula>").find("q(L/2)"), std::string::npos);
    for (int panel = 1; panel <= 3; ++panel)
      expectPanelFormula(*d, panel, cantilever[panel - 1], coefficient[panel - 1]);
  }
  for (int panel = 0; panel < 3; ++panel) {
    EXPECT_TRUE(cantilever[panel]) << "T-shaped panel " << panel + 1 << " as a cantilever";
    EXPECT_TRUE(coefficient[panel]) << "T-shaped panel " << panel + 1 << " by its coefficient";
  }

  bool channelCantilever = false, channelCoefficient = false;
  for (const Texts& texts : {Texts{{"EdtN", "293"}, {"EdtV", "120"}, {"CBf", "Q390"}}, Texts{{"EdtN", "2280"}, {"EdtV", "26"}}}) {
    const Design d = testing::design(channelBootBeamModule(), texts);
    ASSERT_EQ(d.outcome.ending, Ending::Completed);
    EXPECT_NE(d.tag("<#M221formula>").find("q0"), std::string::npos);
    expectPanelFormula(d, 1, channelCantilever, channelCoefficient);
  }
  EXPECT_TRUE(channelCantilever);
  EXPECT_TRUE(channelCoefficient);
}

// The plate round a corner bolt is written with the longer arm cubed, a on a tie, as the step
// took it, and its numbers give back tpbt1.
TEST(BootBeamPanelReport, ThePrintedCornerBoltPlateTakesTheArmOfTheStep) {
  const Design designed = testing::design(tBootBeamModule(), {});
  testing::expectCornerBoltPlateInTheStepsForm(
      [&](double a, double c) { return tWithLayout(designed, a, c, 60, 60); });
}

}  // namespace
}  // namespace pedivo::bootbeam
