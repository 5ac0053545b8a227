// The four-bolt base's stiffener steps: the height its stresses ask for, the leg its welds start
// from, the printed weld up the web against what the welds held, and a stiffener made thicker that
// sends the design back to the plate.

#include "design/pinned/bolt_stiffener_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/tables.h"
#include "design/pinned/four_bolt.h"
#include "design_probe.h"

namespace pedivo::pinned {
namespace {

using testing::Design;
using testing::Texts;

// A 450 × 200 × 9 × 14 column on a plate 240 wide, an 8 mm stiffener at its starting height, under
// the bearing stress q.
FourBoltHeld stiffenerOn(double q) {
  FourBoltHeld h;
  h.hb = 450, h.tf = 14, h.tw = 9, h.B = 240, h.ylc = q;
  h.tjjl = tables::startingStiffenerThickness;
  h.hjjl = tables::startingStiffenerHeight;
  h.tpb = 20;
  return h;
}

Materials q235() { return readMaterials(fourBoltModule().defaultEntries()); }

bool holds(const BoltStiffenerStresses& s) { return !(s.ylequ > tables::equivalentStressFactor * s.f1); }

TEST(BoltStiffenerHeight, AStiffenerThatHoldsKeepsItsHeightAndSpendsNoRound) {
  const Materials m = q235();
  const FourBoltHeld h = stiffenerOn(0.68);
  RoundLimit rounds;
  const StiffenerHeight height = stiffenerHeight(m, h, rounds);
  EXPECT_EQ(height.set, StiffenerHeightSet::AsHeld);
  EXPECT_EQ(height.hjjl, 200);
  EXPECT_EQ(height.stresses.ylequ, stiffenerStressesAt(m, h, 200).ylequ);
  EXPECT_EQ(rounds.used(), 0);
}

// Under 10 N/mm² the 200 mm stiffener is far over 1.1·f (about 373 against 236.5): it grows to the
// first whole ten that holds, one round a step, and its stresses are those of that height.
TEST(BoltStiffenerHeight, AnOverstressedStiffenerGrowsToTheFirstTenThatHolds) {
  const Materials m = q235();
  const FourBoltHeld h = stiffenerOn(10);
  ASSERT_FALSE(holds(stiffenerStressesAt(m, h, 200)));
  RoundLimit rounds;
  const StiffenerHeight height = stiffenerHeight(m, h, rounds);
  EXPECT_EQ(height.set, StiffenerHeightSet::Raised);
  const double steps = (height.hjjl - 200) / tables::heightStep;
  EXPECT_EQ(steps, std::floor(steps)) << height.hjjl;
  EXPECT_TRUE(holds(stiffenerStressesAt(m, h, height.hjjl)));
  EXPECT_FALSE(holds(stiffenerStressesAt(m, h, height.hjjl - tables::heightStep)));
  EXPECT_EQ(rounds.used(), static_cast<long>(steps));
  // The stresses held are those of the height reached, not of a trial on the way.
  const BoltStiffenerStresses at = stiffenerStressesAt(m, h, height.hjjl);
  EXPECT_EQ(height.stresses.ylfR, at.ylfR);
  EXPECT_EQ(height.stresses.ylvR, at.ylvR);
  EXPECT_EQ(height.stresses.ylequ, at.ylequ);

  FourBoltHeld held = h;
  holdStiffenerHeight(held, height);
  EXPECT_EQ(held.hjjl, height.hjjl);
  EXPECT_EQ(held.ylequ, at.ylequ);
}

// The welds start from max(6, 1.5·√tpb) up to an even leg: 1.5·√12 = 5.2 gives 6, 1.5·√20 = 6.7
// gives 8, 1.5·√30 = 8.2 gives 10. A light load holds at once, and the weld up the web is held at
// that leg: 200 − 2hf − 15 long.
TEST(BoltStiffenerWelds, StartFromTheSmallestLegOnThePlate) {
  const Materials m = q235();
  for (const auto& [tpb, leg] : {std::pair{12.0, 6.0}, {20.0, 8.0}, {30.0, 10.0}}) {
    SCOPED_TRACE(tpb);
    FourBoltHeld h = stiffenerOn(0.68);
    h.tjjl = 12, h.tpb = tpb, h.Vimax = 1000;
    RoundLimit rounds;
    const BoltStiffenerWeldStep step = designedStiffenerWelds(m, h, rounds);
    ASSERT_TRUE(step.welds);
    EXPECT_EQ(step.welds->hf, leg);
    EXPECT_EQ(rounds.used(), 0);
    holdStiffenerWelds(h, step);
    EXPECT_EQ(h.hf3, leg);
    EXPECT_EQ(h.ffw, 160);
    EXPECT_EQ(h.webWeld.length, 200 - 2 * leg - tables::stiffenerCornerCut);
  }
}

// The numbers of the printed weld up the web: its length, σf and τf as the line gives them.
struct PrintedWebWeld {
  double lw, sigma, tau;
};

PrintedWebWeld printedWebWeld(const Design& d) {
  const auto check = d.check("stiffenerWebWeld");
  EXPECT_TRUE(check);
  if (!check) return {};
  static const std::regex numbers("lw = hs − 2hf − 15 = ([0-9.]+) mm，σf = [^，]* = ([0-9.]+) N/mm²，"
                                  "τf = [^，]* = ([0-9.]+) N/mm²");
  std::smatch match;
  const std::string values = check->values;
  EXPECT_TRUE(std::regex_search(values, match, numbers)) << values;
  if (match.empty()) return {};
  return {std::stod(match[1]), std::stod(match[2]), std::stod(match[3])};
}

// The printed weld redone from the held sizes and load: its length at the held leg, and its two
// stresses (cut to three decimals) from that length; together they give the checked stress.
void expectWebWeldRedone(const Design& d) {
  const PrintedWebWeld printed = printedWebWeld(d);
  const double hf = d["hf3"], Vimax = d["Vimax"];
  const double lw = d["hjjl"] - 2 * hf - 15;
  EXPECT_EQ(printed.lw, lw);
  const double sigma = ((d["B"] - d["tw"]) * Vimax / 4) / (0.7 * hf * lw * lw / 3);
  const double tau = Vimax / (1.4 * hf * lw);
  EXPECT_NEAR(printed.sigma, sigma, 1e-3);
  EXPECT_NEAR(printed.tau, tau, 1e-3);
  EXPECT_NEAR(std::sqrt(std::pow(printed.sigma / tables::betaF, 2) + printed.tau * printed.tau), d["ylvf"], 2e-3);
}

const Texts grownWelds{{"EdtN", "2000"}, {"EdtV", "900"}, {"Edthc", "300"},  {"Edtbf", "300"}, {"Edttw", "10"},
                       {"Edttf", "16"},  {"CBf", "Q345"}, {"CBfc", "C30"}, {"cbdms", "30"}};

// On a design whose leg grew past its start, and on checks of the design's sizes with a larger leg
// and with a taller stiffener: the printed weld is the one at the leg and height held.
TEST(BoltStiffenerWelds, ThePrintedWebWeldIsTheOneAtTheHeldLegAndHeight) {
  const Design d = testing::design(fourBoltModule(), grownWelds);
  ASSERT_GT(d["hf3"], 8);  // 1.5·√24 = 7.3 gives 8 to start from
  expectWebWeldRedone(d);
  Sizes largerLeg = d.session.sizes();
  largerLeg["hf3"] += 2;
  Sizes taller = d.session.sizes();
  taller["hjjl"] += 50;
  for (const Sizes* sizes : {&largerLeg, &taller}) {
    const Design check = testing::checkOf(fourBoltModule(), d, *sizes);
    ASSERT_EQ(check.outcome.ending, Ending::Completed);
    EXPECT_EQ(check["hf3"], sizes->at("hf3"));
    expectWebWeldRedone(check);
  }
}

// A stiffener too slender at 8 mm is made thicker 2 mm at a time, and each time the plate is
// designed again: the panel beside it is the one of the final thickness, and the thickness one step
// thinner was still too slender.
TEST(FourBoltRestart, AThickerStiffenerRedesignsThePlateBesideIt) {
  const Design d = testing::design(fourBoltModule(), grownWelds);
  const double tjjl = d["tjjl"];
  ASSERT_GT(tjjl, tables::startingStiffenerThickness);
  EXPECT_EQ(std::fmod(tjjl - tables::startingStiffenerThickness, tables::thicknessStep), 0);
  EXPECT_EQ(d["a2"], (d["hb"] - 2 * d["tf"] - tjjl) / 2);
  EXPECT_EQ(d["write1"], (d["B"] - d["tw"]) / 2 / tjjl);
  EXPECT_GT((d["B"] - d["tw"]) / 2 / (tjjl - tables::thicknessStep), d["write2"]);
  // The stiffener's load and stresses are those of the final plate and sizes.
  FourBoltHeld h;
  h.hb = d["hb"], h.tf = d["tf"], h.tw = d["tw"], h.B = d["B"], h.ylc = d["ylc"], h.tjjl = tjjl, h.f1 = d["f1"];
  const BoltStiffenerStresses at = stiffenerStressesAt(readMaterials(d.session.entries()), h, d["hjjl"]);
  EXPECT_EQ(at.Vimax, d["Vimax"]);
  EXPECT_EQ(at.ylequ, d["ylequ"]);
}

}  // namespace
}  // namespace pedivo::pinned
