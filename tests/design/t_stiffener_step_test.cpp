// The T-shaped base's anchor-bolt stiffener: its printed load and stresses against what a design
// holds on either bending branch, the records at the designed sizes, a check of the designed sizes,
// the branch at equal loads, and the raise of an overstressed stiffener against stepping it.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/t_stiffener_step.h"
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
using Held = BootBeamHeld;

// A base whose stiffener is governed by the bolt's tension (it bends along a + lt), and one whose
// stiffener is governed by the pressure beside the boot beam (it bends across (B − bf)/4).
const Texts boltGoverns{{"Edthc", "612"},   {"Edtbf", "265"},  {"Edttw", "14"},    {"Edttf", "24.13"},
                        {"EdtM", "864.16"}, {"EdtN", "163.32"}, {"EdtV", "77.1"},  {"CBfc", "C35"}};
const Texts pressureGoverns{{"Edthc", "642.250"}, {"Edtbf", "182"},     {"Edttw", "9.9"},  {"Edttf", "23"},
                            {"EdtM", "455"},      {"EdtN", "899.635"}, {"EdtV", "231"},  {"CBfta", "Q345"},
                            {"CBfc", "C35"}};

struct BranchCase {
  const Texts* texts;
  StiffenerBending bending;
  const char* form;  // how the printed bending stress begins
};
const BranchCase branches[] = {{&boltGoverns, StiffenerBending::AlongLength, "(a + lt)·Vimax/2/Ws = "},
                               {&pressureGoverns, StiffenerBending::AcrossWidth, "(B − bf)·Vimax/4/Ws = "}};

// The arithmetic after the last " = " of a printed line, powers of ten put in as numbers.
double printedValue(std::string text) {
  for (const auto& [power, number] :
       {std::pair{"×10⁻³", ""}, std::pair{"10⁶", "1000000"}, std::pair{"10³", "1000"}})
    for (std::size_t at = text.find(power); at != std::string::npos; at = text.find(power))
      text.replace(at, std::string(power).size(), number);
  return PrintedArithmetic::valueOf(text);
}

void expectClose(double printed, double held, double relative, const std::string& what) {
  EXPECT_NEAR(printed, held, relative * std::abs(held)) << what;
}

Entries entriesWith(const Texts& texts) {
  Entries e = tBootBeamModule().defaultEntries();
  for (const auto& [control, text] : texts) e.texts[control] = text;
  return e;
}

// The stiffener's load and stresses, redone from the numbers the report prints, give the values
// held, in the form of the branch the design took. Forces print in kN to three places and the
// pressure to two, hence the tolerances.
TEST(TStiffenerStep, PrintedLoadAndStressesRedoTheHeldValuesOnEitherBranch) {
  for (const BranchCase& c : branches) {
    const Design d = design(tBootBeamModule(), *c.texts);
    ASSERT_EQ(d.outcome.ending, Ending::Completed);
    const bool alongLength = c.bending == StiffenerBending::AlongLength;
    ASSERT_EQ(alongLength, !(d["Vi"] > d["Ntal"])) << "the case no longer takes its branch";
    const std::string ylfR = d.tag("<#ylfRvalues>");
    EXPECT_TRUE(ylfR.starts_with(c.form)) << ylfR;
    expectClose(printedValue(ylfR), d["ylfR"], 1e-4, ylfR);
    expectClose(printedValue(d.tag("<#ylvRvalues>")), d["ylvR"], 1e-4, d.tag("<#ylvRvalues>"));
    expectClose(printedValue(d.tag("<#Vivalues>")), d["Vi"], 2e-3, d.tag("<#Vivalues>"));
    EXPECT_EQ(d["Vimax"], std::max(d["Vi"], d["Ntal"]));
  }
}

// A designed base's held stiffener is the record its step gives again at the final sizes: the
// design stopped where the stiffener holds, and nothing after it changes what it reads.
TEST(TStiffenerStep, TheTrialAtTheDesignedSizesIsWhatWasHeld) {
  for (const BranchCase& c : branches) {
    const Entries e = entriesWith(*c.texts);
    const Materials m = readMaterials(e);
    Held h;
    ASSERT_EQ(calculateTBootBeam(e, h).ending, Ending::Completed);
    EXPECT_EQ(h.stiffenerBending, c.bending);
    const StiffenerTrial trial = tStiffenerTrial(m, h);
    EXPECT_EQ(trial.end, StiffenerEnd::Holds);
    ASSERT_TRUE(trial.stresses && trial.slenderness);
    const TStiffenerStresses& s = *trial.stresses;
    EXPECT_EQ(s.bending, c.bending);
    EXPECT_EQ(s.Vi, h.Vi);
    EXPECT_EQ(s.Vimax, h.Vimax);
    EXPECT_EQ(s.ylvR, h.ylvR);
    EXPECT_EQ(s.ylfR, h.ylfR);
    EXPECT_EQ(s.f1, h.f1);
    EXPECT_EQ(s.ylequ, h.ylequ);
    EXPECT_EQ(trial.slenderness->write1, h.write1);
    EXPECT_EQ(trial.slenderness->write2, h.write2);
  }
}

// A stiffener as high as the boot beam is still tried on its stresses; one higher has no boot
// beam to stand against and ends the trials without them.
TEST(TStiffenerStep, AStiffenerAsHighAsTheBootBeamIsStillTried) {
  const Entries e = entriesWith(*branches[0].texts);
  const Materials m = readMaterials(e);
  Held h;
  ASSERT_EQ(calculateTBootBeam(e, h).ending, Ending::Completed);
  h.hjjl = h.hsh;
  const StiffenerTrial level = tStiffenerTrial(m, h);
  EXPECT_NE(level.end, StiffenerEnd::AboveBootBeam);
  EXPECT_TRUE(level.stresses.has_value());
  h.hjjl = h.hsh + 10;
  const StiffenerTrial above = tStiffenerTrial(m, h);
  EXPECT_EQ(above.end, StiffenerEnd::AboveBootBeam);
  EXPECT_FALSE(above.stresses.has_value());
}

// A check of the sizes a design gave works out the stiffener as the design did, on the same branch.
TEST(TStiffenerStep, ACheckOfDesignedSizesHoldsWhatTheDesignHeld) {
  for (const BranchCase& c : branches) {
    const Design designed = design(tBootBeamModule(), *c.texts);
    ASSERT_EQ(designed.outcome.ending, Ending::Completed);
    const Design check = testing::checkOf(tBootBeamModule(), designed, designed.session.sizes());
    ASSERT_EQ(check.outcome.ending, Ending::Completed);
    for (const char* name : {"Vi", "Vimax", "ylvR", "ylfR", "ylequ", "f1", "write1", "write2", "ylnf", "ylvf", "ffw"})
      EXPECT_EQ(check[name], designed[name]) << name;
    int printed = 0;
    for (const auto& t : check.report()) {
      if (t.tag != "<#ylfRvalues>") continue;
      EXPECT_EQ(t.text, designed.tag("<#ylfRvalues>"));
      ++printed;
    }
    EXPECT_EQ(printed, 1);
  }
}

// A stiffener 200 mm high and 10 mm thick beside a bolt pulling `Ntal`, on a plate 600 × 500 under
// a pressure of 10 N/mm² over the whole plate, beside a column flange 200 wide.
Held stiffenerCase(double Ntal, double hsh) {
  Held h;
  h.L = 600, h.B = 500, h.bf = 200, h.xn = 600, h.ylc = 10;
  h.a = 90, h.lt = 60, h.c = 60, h.bt = 90;
  h.Ntal = Ntal, h.hsh = hsh, h.hjjl = 200, h.tjjl = 10, h.f1 = 0;
  return h;
}

// The bolt's tension governs the stiffener down to a load equal to the pressure beside the boot
// beam; only a strictly larger pressure bends it across the flange's outstand.
TEST(TStiffenerStep, EqualLoadsBendTheStiffenerAlongItsLength) {
  const Materials m = readMaterials(tBootBeamModule().defaultEntries());
  const double Vi = tStiffenerStressesAt(m, stiffenerCase(0, 1000), 200).Vi;
  ASSERT_GT(Vi, 0);
  const TStiffenerStresses equal = tStiffenerStressesAt(m, stiffenerCase(Vi, 1000), 200);
  EXPECT_EQ(equal.bending, StiffenerBending::AlongLength);
  EXPECT_EQ(equal.ylfR, (150 * Vi / 2) / equal.Ws);
  const TStiffenerStresses below = tStiffenerStressesAt(m, stiffenerCase(std::nextafter(Vi, 0.0), 1000), 200);
  EXPECT_EQ(below.bending, StiffenerBending::AcrossWidth);
  EXPECT_EQ(below.ylfR, (300 * Vi / 4) / below.Ws);
  EXPECT_EQ(below.Vimax, Vi);
}

// The raise of an overstressed stiffener lands where growing it 10 mm a round would: the first
// height that holds, or the first above the boot beam, with the stresses of the height one step
// short of it held and one round spent a step.
TEST(TStiffenerStep, TheRaiseLandsWhereTenMillimetreStepsWould) {
  const Materials m = readMaterials(tBootBeamModule().defaultEntries());
  bool heldBelowBootBeam = false, rose = false;
  for (const double Ntal : {4e5, 1.5e6}) {
    for (const double hsh : {1200.0, 455.0}) {
      const Held h = stiffenerCase(Ntal, hsh);
      const TStiffenerStresses atStart = tStiffenerStressesAt(m, h, h.hjjl);
      ASSERT_TRUE(atStart.overstressed()) << Ntal;
      double stepped = h.hjjl;
      long steps = 0;
      do {
        stepped += tables::heightStep;
        ++steps;
      } while (!(stepped > hsh) && tStiffenerStressesAt(m, h, stepped).overstressed());
      RoundLimit rounds;
      const StiffenerRaise raise = raisedTStiffener(m, h, atStart, rounds);
      SCOPED_TRACE("Ntal = " + std::to_string(Ntal) + ", hsh = " + std::to_string(hsh));
      EXPECT_EQ(raise.hjjl, stepped);
      EXPECT_EQ(raise.steps, steps);
      EXPECT_EQ(rounds.used(), steps);
      const TStiffenerStresses before = tStiffenerStressesAt(m, h, stepped - tables::heightStep);
      EXPECT_EQ(raise.before.ylequ, before.ylequ);
      EXPECT_EQ(raise.before.ylfR, before.ylfR);
      // Its load stays as it rises, so the stresses at the start tell the steps below the boot beam.
      if (!(stepped > hsh)) {
        EXPECT_EQ(std::ceil(tStiffenerStepsGuess(h, atStart)), steps);
      }
      (stepped > hsh ? rose : heldBelowBootBeam) = true;
    }
  }
  EXPECT_TRUE(heldBelowBootBeam && rose) << "the cases no longer land both below and above the boot beam";
}

}  // namespace
}  // namespace pedivo::bootbeam
