// The channel base's rib and diaphragm steps and the boot beam's weld to the column: the records
// against what a design holds and prints, the branch each step takes, and a check of given sizes
// against the design that gave them.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/boot_beam_steps.h"
#include "design/bootbeam/channel_diaphragm_step.h"
#include "design/bootbeam/channel_rib_step.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/tables.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::bootbeam {
namespace {

using testing::Design;
using testing::design;
using testing::PrintedArithmetic;
using testing::Texts;

// A light default base, and one under a large moment with a thick column flange.
const Texts lightBase{};
const Texts heavyBase{{"EdtM", "600"}, {"Edttf", "28"}};

// The arithmetic after the last " = " of a printed line, powers of ten put in as numbers.
double printedValue(std::string text) {
  for (const auto& [power, number] : {std::pair{"10⁶", "1000000"}, std::pair{"10³", "1000"}})
    for (std::size_t at = text.find(power); at != std::string::npos; at = text.find(power))
      text.replace(at, std::string(power).size(), number);
  return PrintedArithmetic::valueOf(text);
}

// The demand a check's values print before its comparison, redone from its printed arithmetic.
double printedDemand(const DesignCheck& check) {
  std::string text = check.values.substr(0, std::min(check.values.find(" ≤ "), check.values.find(" > ")));
  return printedValue(text.substr(0, text.rfind(" = ")));
}

void expectClose(double printed, double held, double relative, const std::string& what) {
  EXPECT_NEAR(printed, held, relative * std::abs(held)) << what;
}

// Each rib, diaphragm and weld line of the report, redone from the numbers it prints, gives the
// value held. Forces print in kN to three places and the pressure to two, hence the tolerances.
TEST(ChannelSteps, PrintedRibDiaphragmAndWeldFormulasRedoTheHeldValues) {
  for (const Texts& texts : {lightBase, heavyBase}) {
    const Design d = design(channelBootBeamModule(), texts);
    ASSERT_EQ(d.outcome.ending, Ending::Completed);
    SCOPED_TRACE("hsh = " + std::to_string(d["hsh"]));
    expectClose(printedValue(d.tag("<#ylvRvalues>")), d["ylvR"], 1e-4, d.tag("<#ylvRvalues>"));
    expectClose(printedValue(d.tag("<#ylfRvalues>")), d["ylfR"], 1e-4, d.tag("<#ylfRvalues>"));
    expectClose(printedValue(d.tag("<#qvalues>")), d["q"], 5e-3, d.tag("<#qvalues>"));
    for (const auto& [id, held] : {std::pair{"diaphragmBending", "ylfcb"}, std::pair{"diaphragmShear", "ylvcb"}}) {
      const DesignCheck check = *d.check(id);
      expectClose(printedDemand(check), d[held], 1e-4, check.values);
    }
    const DesignCheck weld = *d.check("bootBeamWeld");
    expectClose(printedDemand(weld), weld.demand, 1e-4, weld.values);
  }
}

// A designed base's held values are the records its steps give again at its final sizes: each step
// holds what it found, and the design stopped where each holds.
TEST(ChannelSteps, TheRecordsAtTheDesignedSizesAreTheHeldValues) {
  const Entries entries = channelBootBeamModule().defaultEntries();
  const Materials m = readMaterials(entries);
  for (const Texts& texts : {lightBase, heavyBase}) {
    Entries e = entries;
    for (const auto& [control, text] : texts) e.texts[control] = text;
    Held h;
    ASSERT_EQ(calculateChannelBootBeam(e, h).ending, Ending::Completed);
    SCOPED_TRACE("hsh = " + std::to_string(h.hsh));

    const RibStresses rib = ribStressesAt(m, h);
    EXPECT_EQ(rib.outcome, RibOutcome::Holds);
    EXPECT_EQ(rib.Vimax, h.Vimax);
    EXPECT_EQ(rib.ylvR, h.ylvR);
    EXPECT_EQ(rib.ylfR, h.ylfR);
    EXPECT_EQ(rib.ylequ, h.ylequ);
    EXPECT_EQ(rib.f1, h.f1);
    EXPECT_EQ(rib.write1, h.write1);

    const Diaphragm diaphragm = diaphragmAt(m, h);
    EXPECT_EQ(diaphragm.outcome, DiaphragmOutcome::Holds);
    EXPECT_EQ(diaphragm.q, h.q);
    EXPECT_EQ(diaphragm.hf6, h.hf6);
    EXPECT_EQ(diaphragm.hf7, h.hf7);
    EXPECT_EQ(diaphragm.tcb, h.tcb);
    ASSERT_TRUE(diaphragm.stresses);
    EXPECT_EQ(diaphragm.stresses->ylfcb, h.ylfcb);
    EXPECT_EQ(diaphragm.stresses->ylvcb, h.ylvcb);
    EXPECT_EQ(diaphragm.stresses->strength.f, h.fcb);

    RoundLimit rounds;
    const BootBeamColumnWeld weld = bootBeamColumnWeldAt(m, h, rounds);
    EXPECT_EQ(weld.end, ColumnWeldEnd::Holds);
    EXPECT_EQ(weld.lf, h.lf);
    EXPECT_EQ(weld.hf2, h.hf2);
    EXPECT_EQ(weld.ffw, h.ffw);
  }
}

// A check of the sizes a design gave works out the rib, its welds, the diaphragm and the weld to
// the column as the design did.
TEST(ChannelSteps, ACheckOfDesignedSizesHoldsWhatTheDesignHeld) {
  for (const Texts& texts : {lightBase, heavyBase}) {
    const Design designed = design(channelBootBeamModule(), texts);
    ASSERT_EQ(designed.outcome.ending, Ending::Completed);
    const Design check = testing::checkOf(channelBootBeamModule(), designed, designed.session.sizes());
    ASSERT_EQ(check.outcome.ending, Ending::Completed);
    for (const char* name : {"Vimax", "ylvR", "ylfR", "ylequ", "f1", "write1", "write2", "ylnf", "ylvf", "q", "fcb",
                             "fvcb", "ylfcb", "ylvcb", "lf", "hf2", "ffw"})
      EXPECT_EQ(check[name], designed[name]) << name;
  }
}

// A rib of height hjjl, 12 mm thick and 150 mm long, under a top plate 20 mm thick on a boot beam
// hsh high, its welds at leg 8 carrying `load`.
Held ribCase(double hsh, double load) {
  Held h;
  h.hsh = hsh, h.tsh = 20, h.tp = 20, h.tpb = 20;
  h.a = 90, h.lt = 60, h.n = 4;
  h.ta = load * h.n, h.Ntal = 2 * h.ta / h.n, h.Vimax = h.Ntal / 2;
  h.hjjl = 150, h.tjjl = 12, h.hf3 = 8, h.f1 = 0;
  return h;
}

// The load that stresses the upstand weld of the starting rib at leg 8 to `ratio` of ffw.
double upstandLoad(const Materials& m, double ratio) {
  const Held unit = ribCase(1000, 1);
  return ratio * m.steel->ffw / stiffenerWeldStresses(ribWeldInputs(m, unit), 8).ylvf;
}

// An overstressed upstand weld grows the rib while it stays clear of the top plate (hsh − tp − 20
// above the rib), else its leg, and at the rib's thickness the rib; a plate weld the leg cannot
// relieve always thickens the rib.
TEST(ChannelSteps, AnOverstressedRibWeldGrowsTheRibBelowTheTopPlateElseItsLeg) {
  const Materials m = readMaterials(channelBootBeamModule().defaultEntries());
  const double load = upstandLoad(m, 1.15);
  struct Case {
    double hsh, tjjl;
    RibWeldEnd end;
  };
  for (const Case& c : {Case{190.5, 12, RibWeldEnd::HigherRib}, Case{190, 12, RibWeldEnd::LargerLeg},
                        Case{190, 8, RibWeldEnd::ThickerRib}}) {
    Held h = ribCase(c.hsh, load);
    h.tjjl = c.tjjl;
    RoundLimit rounds;
    const RibWelds welds = ribWeldsAt(m, h, rounds);
    EXPECT_EQ(welds.end, c.end) << "hsh = " << c.hsh << ", tjjl = " << c.tjjl;
    EXPECT_GT(welds.welds.ylvf, m.steel->ffw);
    EXPECT_EQ(welds.welds.hf, 8);
  }
  // The plate weld along 150 − 2·hf − 15 mm at eight times the load, beside an upstand weld long
  // enough to hold it: no leg within the rib's 12 mm holds the plate weld.
  Held h = ribCase(3000, 8 * load);
  h.hjjl = 2000;
  RoundLimit rounds;
  EXPECT_EQ(ribWeldsAt(m, h, rounds).end, RibWeldEnd::ThickerRib);
}

// Designed from the start, a rib that may not grow past the top plate ends with a larger weld leg
// at its starting height; one with room above it grows higher on the starting leg.
TEST(ChannelSteps, ARibUnderTheTopPlateEndsWithALargerLegNotAHigherRib) {
  const Materials m = readMaterials(channelBootBeamModule().defaultEntries());
  const double load = upstandLoad(m, 1.15);
  Held low = ribCase(190, load);
  RoundLimit lowRounds;
  ribs(m, low, lowRounds);
  EXPECT_EQ(low.hjjl, 150);
  EXPECT_GT(low.hf3, 8);
  EXPECT_LE(low.ylvf, m.steel->ffw);

  Held high = ribCase(1000, load);
  RoundLimit highRounds;
  ribs(m, high, highRounds);
  EXPECT_GT(high.hjjl, 150);
  EXPECT_EQ(high.hf3, 8);
  EXPECT_LE(high.ylvf, m.steel->ffw);
}

// A diaphragm that may grow no higher than the boot beam thickens a millimetre a round: it ends at
// the first thickness that holds at the last height within the boot beam, not an even size past it.
TEST(ChannelSteps, ADiaphragmAtTheBootBeamsHeightThickensAMillimetreARound) {
  const Materials m = readMaterials(channelBootBeamModule().defaultEntries());
  int atOddThickness = 0;
  for (double ylc = 6; ylc <= 14; ylc += 0.5) {
    Held h;
    h.L = 900, h.hb = 400, h.lt = 60, h.xn = 900, h.ylc = ylc, h.bf = 400, h.tsh = 16, h.tpb = 24, h.hsh = 200;
    RoundLimit rounds;
    if (diaphragm(m, h, rounds) != Next::Continue || h.hcb + tables::heightStep <= h.hsh || h.tcb <= 10) continue;
    EXPECT_EQ(diaphragmAt(m, h).outcome, DiaphragmOutcome::Holds) << ylc;
    Held thinner = h;
    thinner.tcb = h.tcb - 1;
    EXPECT_EQ(diaphragmAt(m, thinner).outcome, DiaphragmOutcome::Overstressed) << ylc << " tcb " << h.tcb;
    atOddThickness += static_cast<int>(h.tcb) % 2;
  }
  EXPECT_GT(atOddThickness, 0);
}

// A diaphragm whose weld to the boot beams has no length stops the calculation, holding its load
// and leg to the plate but not a leg to the boot beams it never worked out.
TEST(ChannelSteps, ADiaphragmWeldWithNoLengthHoldsNoLegToTheBootBeams) {
  const Materials m = readMaterials(channelBootBeamModule().defaultEntries());
  Held h;
  h.L = 900, h.hb = 400, h.lt = 60, h.xn = 900, h.ylc = 5, h.bf = 200, h.tsh = 12, h.tpb = 24;
  h.hcb = 35, h.tcb = 10, h.hf7 = 99;
  const Diaphragm d = diaphragmAt(m, h);
  EXPECT_EQ(d.outcome, DiaphragmOutcome::NoWeldLength);
  EXPECT_FALSE(d.stresses);
  holdDiaphragm(h, d);
  EXPECT_EQ(h.hf7, 99);
  EXPECT_EQ(h.q, diaphragmLoad(h));
  EXPECT_GE(h.tcb, h.hf6);

  h.hcb = 36;  // a millimetre of weld: the leg it asks is far beyond 16
  EXPECT_EQ(diaphragmAt(m, h).outcome, DiaphragmOutcome::WeldLegTooLarge);
  h.hcb = 300;
  const Diaphragm tall = diaphragmAt(m, h);
  ASSERT_TRUE(tall.stresses);
  EXPECT_EQ(tall.outcome == DiaphragmOutcome::Holds, tall.stresses->holds());
  EXPECT_GE(tall.hf7, 6);

  // On a diaphragm 20 mm thick the largest leg, 16 mm, is a leg the weld may have.
  h.tcb = 20;
  bool atLargest = false;
  for (h.hcb = 36; h.hcb <= 300 && !atLargest; h.hcb += 1) {
    const Diaphragm d = diaphragmAt(m, h);
    if (d.hf7 != 16) continue;
    atLargest = true;
    EXPECT_NE(d.outcome, DiaphragmOutcome::WeldLegTooLarge) << h.hcb;
    EXPECT_TRUE(d.stresses.has_value()) << h.hcb;
  }
  EXPECT_TRUE(atLargest);
}

// The boot beam's weld to the column: no length below 35 mm of boot beam, a leg beyond 16 mm for
// a higher boot beam, and a leg beyond the thinner part thickening a boot beam thinner than the
// flange, else raising it.
TEST(ChannelSteps, TheWeldToTheColumnTakesTheBranchOfItsLeg) {
  const Materials m = readMaterials(channelBootBeamModule().defaultEntries());
  Held h;
  h.tsh = 10, h.tf = 14, h.hf2 = 99, h.Vshmax = 1e5;
  h.hsh = 35;
  RoundLimit rounds;
  const BootBeamColumnWeld none = bootBeamColumnWeldAt(m, h, rounds);
  EXPECT_EQ(none.end, ColumnWeldEnd::NoLength);
  holdBootBeamColumnWeld(h, none);
  EXPECT_EQ(h.lf, 0);
  EXPECT_EQ(h.ffw, m.steel->ffw);
  EXPECT_EQ(h.hf2, 99);

  h.hsh = 300;
  EXPECT_EQ(bootBeamColumnWeldAt(m, h, rounds).end, ColumnWeldEnd::Holds);
  h.Vshmax = 2 * tables::filletThroat * 265 * m.steel->ffw * 17;  // asks a leg of 17 mm
  const BootBeamColumnWeld large = bootBeamColumnWeldAt(m, h, rounds);
  EXPECT_EQ(large.end, ColumnWeldEnd::BeyondLargestLeg);
  EXPECT_GT(large.hf2, tables::largestFilletLeg);
  h.Vshmax = 2 * tables::filletThroat * 265 * m.steel->ffw * 11;  // 12 mm: beyond a 10 mm boot beam
  EXPECT_EQ(bootBeamColumnWeldAt(m, h, rounds).end, ColumnWeldEnd::ThickerBootBeam);
  h.tsh = 14;  // as thick as the flange: the 12 mm leg fits
  EXPECT_EQ(bootBeamColumnWeldAt(m, h, rounds).end, ColumnWeldEnd::Holds);
  h.tf = 10;
  EXPECT_EQ(bootBeamColumnWeldAt(m, h, rounds).end, ColumnWeldEnd::HigherBootBeam);
}

}  // namespace
}  // namespace pedivo::bootbeam
