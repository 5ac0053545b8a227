// The boot beam's quick searches against the step-by-step growth they stand for: a boot beam that
// grows in height for its section, or for the leg of its weld to the column, must end where
// growing it 10 mm at a time would.

#include "design/bootbeam/boot_beam_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/rib_record.h"
#include "design/common/tables.h"

namespace pedivo::bootbeam {
namespace {

// The channel's moments: the cantilever's pressure moment, and the larger with the span's.
BootBeamType pressureOnlyType() {
  BootBeamType type{};
  type.geometry = channelGeometry;
  return type;
}

// A plate under full compression (xn = L), boot beams 20 mm thick on a 30 mm plate.
Held sectionCase(double N, double ylc) {
  Held h;
  h.N = N, h.M = 0, h.ta = 0, h.hb = 400;
  h.L = 900, h.B = 500, h.xn = 900, h.ylc = ylc;
  h.tsh = 20, h.tpb = 30, h.hsh = 100;
  return h;
}

struct SectionCase {
  const char* name;
  double N, ylc;
  bool bendingGoverns;  // at the lowest height that holds, bending rather than shear was short below it
};

// The section worked out at each height in full and by its height terms alone gives one verdict,
// both where bending and where shear sets the height.
TEST(BootBeamSteps, SectionAtHeightGivesTheFullSectionsVerdict) {
  const Materials m = readMaterials(tBootBeamModule().defaultEntries());
  const BootBeamType type = pressureOnlyType();
  for (const SectionCase& c : {SectionCase{"bending", 1e6, 10, true}, SectionCase{"shear", 2e6, 1, false}}) {
    const Held h = sectionCase(c.N, c.ylc);
    // The moments, the shear and the strengths of this thickness.
    const SectionAtHeight section(h, bootBeamSectionAt(type, m, h));
    double firstHolding = 0;
    BootBeamSection below{};
    for (double hsh = 100; hsh <= 900; hsh += 0.5) {
      Held full = h;
      full.hsh = hsh;
      const BootBeamSection at = bootBeamSectionAt(type, m, full);
      ASSERT_EQ(section.holds(hsh), at.holds()) << c.name << " at hsh = " << hsh;
      if (at.holds() && firstHolding == 0) firstHolding = hsh;
      if (!at.holds()) below = at;
    }
    ASSERT_GT(firstHolding, 150) << c.name;  // the verdict turns within the heights tried
    EXPECT_EQ(below.ylm > below.strength.f, c.bendingGoverns) << c.name;
    EXPECT_EQ(below.ylvx > below.strength.fv, !c.bendingGoverns) << c.name;
  }
}

// The leg the flange force asks of the two welds along hsh − 20 − 15, at least minimumLeg, in
// even millimetres; written out here as the step-by-step growth checks it.
bool weldLegFits(double Vshmax, double ffw, double hsh, double minimumLeg) {
  const double leg = std::max(minimumLeg, Vshmax / (2 * 0.7 * (hsh - 20 - 15) * ffw));
  return 2 * std::trunc((leg + 1.9) / 2) <= 16;
}

TEST(BootBeamSteps, RaisingForTheWeldLegStopsOneStepShortOfTheFirstHeightThatFits) {
  struct Case {
    double Vshmax, ffw, hsh, minimumLeg;
  };
  for (const Case& c : {Case{2e6, 160, 200, 6}, Case{2e6, 160, 580, 6}, Case{9e5, 200, 250, 14}, Case{3e6, 240, 300, 8}}) {
    Held h;
    h.Vshmax = c.Vshmax, h.ffw = c.ffw, h.hsh = c.hsh;
    long steps = 1;
    while (!weldLegFits(c.Vshmax, c.ffw, c.hsh + 10 * static_cast<double>(steps), c.minimumLeg)) ++steps;
    RoundLimit rounds;
    raiseBootBeamForWeldLeg(h, c.minimumLeg, rounds);
    EXPECT_DOUBLE_EQ(h.hsh, c.hsh + 10 * static_cast<double>(steps - 1)) << c.Vshmax << " from " << c.hsh;
    EXPECT_EQ(rounds.used(), steps - 1) << c.Vshmax << " from " << c.hsh;
  }
}

// A rise of some 690 000 steps is more than half the round limit of 1 000 000 and still within it:
// growing 10 mm at a time would get there, so the quick search must too. Only the steps the height
// takes count against the limit, not a bound on them such as the next power of two (2^20).
TEST(BootBeamSteps, ARiseWithinTheRoundLimitIsMadeInFullHoweverLong) {
  // The leg fits once 2·0.7·(hsh − 35)·160·16.1 passes 2.5e10 N: hsh − 35 > 6 932 121 mm.
  const double Vshmax = 2.5e10, ffw = 160, start = 250, minimumLeg = 6;
  long steps = 1;
  while (!weldLegFits(Vshmax, ffw, start + 10 * static_cast<double>(steps), minimumLeg)) ++steps;
  ASSERT_GT(steps, 1L << 19);
  ASSERT_LT(steps, 1'000'000);
  Held h;
  h.Vshmax = Vshmax, h.ffw = ffw, h.hsh = start;
  RoundLimit rounds;
  EXPECT_NO_THROW(raiseBootBeamForWeldLeg(h, minimumLeg, rounds));
  EXPECT_EQ(h.hsh, start + 10 * static_cast<double>(steps - 1));
  EXPECT_EQ(rounds.used(), steps - 1);
}

// A weld exactly 60 legs long (58 counted and one at each end) keeps its leg; a hair longer grows
// it one 2 mm step, one round; a long weld as many steps as it takes.
TEST(BootBeamSteps, AWeldCountsOverAtMostSixtyLegs) {
  struct Case {
    double hf, lf, leg;
    long rounds;
  };
  for (const Case& c : {Case{8, 58 * 8, 8, 0}, Case{8, 58 * 8 + 0.01, 10, 1}, Case{6, 58 * 14, 14, 4},
                        Case{6, 58 * 14 + 1, 16, 5}}) {
    RoundLimit rounds;
    EXPECT_EQ(legForWeldLength(c.hf, c.lf, rounds), c.leg) << c.lf;
    EXPECT_EQ(rounds.used(), c.rounds) << c.lf;
  }
}

}  // namespace
}  // namespace pedivo::bootbeam

namespace pedivo::bootbeam {
namespace {

using HeldNumber = double Held::*;

// The ribs' inputs at one boot-beam height, with the ribs kept from an earlier height.
Held ribsDesignedAt(double hsh, const RibRecord& kept = {}) {
  Held h;
  h.ribRecord = kept;
  h.tsh = 20, h.ta = 4e5, h.n = 4, h.tpb = 30, h.a = 90, h.lt = 60, h.tjjl = 12, h.f1 = 215;
  h.hsh = hsh;
  return h;
}

// Ribs 300 mm high under a top plate 20 mm thick.
void designRibs(Held& h) {
  h.tp = h.tsh, h.Ntal = 2e5, h.Vimax = 1e5, h.hf3 = 8, h.hjjl = 300, h.tjjl = 14, h.ffw = 200;
  h.ylnf = 50, h.ylvf = 120, h.fy = 345, h.f1 = 295, h.ylvR = 30, h.ylfR = 150, h.ylequ = 160, h.write1 = 10.7;
  h.write2 = 12.4;
}

const tables::SteelGrade* const steel = tables::steelGrade(tables::CodeEdition::Gb2017, "Q345");
const tables::SteelGrade* const otherSteel = tables::steelGrade(tables::CodeEdition::Gb2017, "Q235");

// The ribs of a higher boot beam are taken over with their rounds only from the same inputs, and
// only while the tallest rib tried stays clear of the top plate.
TEST(ChannelRibRecord, TakenOverOnlyFromTheSameInputsBelowTheTopPlate) {
  Held h = ribsDesignedAt(400);
  const RibRecord inputs = ribInputs(steel, h);
  designRibs(h);
  keepRibs(inputs, h, 27);
  const Held designed = h;
  const RibRecord& kept = designed.ribRecord;

  Held higher = ribsDesignedAt(410, kept);
  ASSERT_TRUE(takeKeptRibs(steel, higher));
  EXPECT_EQ(higher.ribRecord.rounds, 27);
  const std::initializer_list<HeldNumber> written{
      &Held::tp, &Held::Ntal, &Held::Vimax, &Held::hf3, &Held::hjjl, &Held::tjjl, &Held::ffw, &Held::ylnf,
      &Held::ylvf, &Held::fy, &Held::f1, &Held::ylvR, &Held::ylfR, &Held::ylequ, &Held::write1, &Held::write2};
  for (const HeldNumber field : written)
    EXPECT_EQ(higher.*field, designed.*field);

  // A top plate reached by the tallest rib: 300 + 20 + 20 mm is not clear of it.
  Held level = ribsDesignedAt(340, kept);
  EXPECT_FALSE(takeKeptRibs(steel, level));
  EXPECT_EQ(level.hjjl, 0);
  EXPECT_TRUE(takeKeptRibs(steel, (level = ribsDesignedAt(340.5, kept))));

  const std::initializer_list<HeldNumber> read{&Held::tsh, &Held::ta, &Held::n,    &Held::tpb,
                                               &Held::a,   &Held::lt, &Held::tjjl, &Held::f1};
  for (const HeldNumber input : read) {
    Held other = ribsDesignedAt(410, kept);
    other.*input += 1;
    EXPECT_FALSE(takeKeptRibs(steel, other));
  }
  Held sameInputs = ribsDesignedAt(410, kept);
  EXPECT_FALSE(takeKeptRibs(otherSteel, sameInputs));
}

// Ribs that met the top plate grew thicker rather than higher: a higher boot beam may give other
// ribs, so they are not kept.
TEST(ChannelRibRecord, RibsThatMetTheTopPlateAreNotKept) {
  Held h = ribsDesignedAt(330);
  const RibRecord inputs = ribInputs(steel, h);
  designRibs(h);
  keepRibs(inputs, h, 5);
  Held higher = ribsDesignedAt(2000, h.ribRecord);
  EXPECT_FALSE(takeKeptRibs(steel, higher));
}

}  // namespace
}  // namespace pedivo::bootbeam
