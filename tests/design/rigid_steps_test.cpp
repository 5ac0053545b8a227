// The stiffener and weld steps of the eight- and ten-bolt bases: the way the stiffener bends
// follows the load that governs it, its stresses and its weld follow that way, and the report
// writes the formulas of the way the step held, for a design and for a check of its sizes alike.

#include "design/rigid/stiffener_step.h"

#include <gtest/gtest.h>

#include <string>

#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/rigid_geometry.h"
#include "design/rigid/rigid_plate.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::rigid {
namespace {

using testing::Design;
using testing::PrintedArithmetic;
using testing::Texts;

constexpr const char* alongFormula = "(a + lt)·Vimax/2/Ws = ";
constexpr const char* acrossFormula = "(B − bf)·Vimax/4/Ws = ";

// The arm of the governing load, written out by hand: half the stiffener's length a + lt, or a
// quarter of the plate's outstand beyond the flanges across the width.
double armOf(StiffenerBending bending, double a, double lt, double B, double bf) {
  return bending == StiffenerBending::AlongLength ? (a + lt) / 2 : (B - bf) / 4;
}

// An eight-bolt plate under full compression (xn = L, so (xn − L/4)/xn = 3/4), 3 N/mm² under it:
// Vi1 = (3·80 + 2·10 + 80)·(90 + 80)/2·3 = 86,700 N beside a bolt; across the outstand
// Vi2 = (90 + 80 + 225)·(500 − bf)/4·3·3/4, 66,656.25 N on a 200 mm flange, 88,875 N on 100 mm.
RigidPlateHeld handPlate(double bf, double Ntal) {
  RigidPlateHeld h;
  h.a = 90, h.lt = 80, h.c = 80, h.bt = 80, h.tjjl = 10, h.hjjl = 200;
  h.hb = 450, h.bf = bf, h.B = 500, h.L = 790, h.xn = 790, h.ylc = 3;
  h.Ntal = Ntal;
  return h;
}

struct BendingCase {
  const char* name;
  double bf, Ntal;
  StiffenerBending bending;
  double Vimax;
};

// Each governing load on hand numbers, and the ties: a bolt pulling exactly the pressure across
// does not turn the stiffener along the length; the slightest more does.
TEST(RigidStiffenerStep, BendsOverTheArmOfTheGoverningLoad) {
  const Materials m = readMaterials(eightBoltModule().defaultEntries());
  const double Ws = 185.0 * 185.0 * 10 / 6;  // (200 − 15)²·10/6
  for (const BendingCase& c : {BendingCase{"pressure beside a bolt", 200, 0, StiffenerBending::AlongLength, 86700},
                               BendingCase{"pressure across", 100, 0, StiffenerBending::AcrossWidth, 88875},
                               BendingCase{"bolt", 100, 95000, StiffenerBending::AlongLength, 95000},
                               BendingCase{"bolt equal to the pressure across", 100, 88875,
                                           StiffenerBending::AcrossWidth, 88875},
                               BendingCase{"bolt just above it", 100, 88875.001, StiffenerBending::AlongLength,
                                           88875.001}}) {
    SCOPED_TRACE(c.name);
    RigidPlateHeld h = handPlate(c.bf, c.Ntal);
    const StiffenerStresses s = stiffenerStresses(rigidbase::eightBoltGeometry, m, h);
    EXPECT_EQ(s.bending, c.bending);
    EXPECT_NEAR(s.Vimax, c.Vimax, 1e-9 * c.Vimax);
    EXPECT_NEAR(s.Ws, Ws, 1e-9 * Ws);
    const double arm = armOf(c.bending, 90, 80, 500, c.bf);
    EXPECT_NEAR(s.ylfR, c.Vimax * arm / Ws, 1e-12 * s.ylfR);

    // The weld runs over the stiffener's length the load bends it along, twice the arm.
    holdStiffenerStresses(h, s);
    const StiffenerWeldInputs welds = stiffenerWeldInputs(m, h);
    EXPECT_EQ(welds.outstand, 2 * arm);
    EXPECT_EQ(welds.load, s.Vimax);

    // The report writes the way the step held, and its numbers give back the stress and the length.
    const std::string bending = stiffenerBendingValues(h);
    EXPECT_EQ(bending.rfind(c.bending == StiffenerBending::AlongLength ? alongFormula : acrossFormula, 0), 0u)
        << bending;
    EXPECT_NEAR(PrintedArithmetic::valueOf(bending), s.ylfR, 1e-4 * s.ylfR) << bending;
    EXPECT_EQ(PrintedArithmetic::valueOf(stiffenerWeldOutstandValues(h)), welds.outstand)
        << stiffenerWeldOutstandValues(h);
  }
  // A stiffener not yet worked out reads as across, as a blank window's report prints it.
  EXPECT_EQ(stiffenerBendingValues(RigidPlateHeld{}).rfind(acrossFormula, 0), 0u);
}

// The stiffener's bending stress and weld length of a design as a checker redoes them from the
// held loads and sizes, and the branch the printed formula names.
void expectBranch(const Design& d, StiffenerBending bending) {
  const std::string printed = d.tag("<#ylfRvalues>");
  EXPECT_EQ(printed.rfind(bending == StiffenerBending::AlongLength ? alongFormula : acrossFormula, 0), 0u)
      << printed;
  const double arm = armOf(bending, d["a"], d["lt"], d["B"], d["bf"]);
  EXPECT_NEAR(d["ylfR"], d["Vimax"] * arm / d["Ws"], 1e-12 * d["ylfR"]);
  EXPECT_EQ(d["lw"], 2 * arm);
  EXPECT_EQ(PrintedArithmetic::valueOf(d.tag("<#lwvalues>")), d["lw"]) << d.tag("<#lwvalues>");
}

using testing::checkOf;

struct DesignCase {
  const char* name;
  const ModuleDescriptor& module;
  Texts texts;
  StiffenerBending bending;
};

// Designs on each side of the branch in both layouts; the check of the design's own sizes takes
// the same branch, prints the same lines and finds the stiffener and the welds as the design did.
TEST(RigidStiffenerStep, DesignAndACheckOfItsSizesTakeOneBranch) {
  const DesignCase cases[] = {
      {"eight bolts, the bolts govern", eightBoltModule(), {}, StiffenerBending::AlongLength},
      {"eight bolts, pressure beside a bolt", eightBoltModule(), {{"EdtM", "0.001"}, {"EdtN", "3000"}},
       StiffenerBending::AlongLength},
      {"eight bolts, a deep column: pressure across", eightBoltModule(),
       {{"EdtM", "0.001"}, {"EdtN", "3000"}, {"Edthc", "900"}}, StiffenerBending::AcrossWidth},
      {"ten bolts, the bolts govern", tenBoltModule(), {{"Edtbf", "500"}, {"EdtM", "100"}},
       StiffenerBending::AlongLength},
      {"ten bolts, pressure across", tenBoltModule(), {{"EdtM", "0.001"}, {"EdtN", "1000"}},
       StiffenerBending::AcrossWidth},
  };
  for (const DesignCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Design designed = testing::design(c.module, c.texts);
    ASSERT_EQ(designed.outcome.ending, Ending::Completed);
    expectBranch(designed, c.bending);
    const Design checked = checkOf(c.module, designed, designed.session.sizes());
    ASSERT_EQ(checked.outcome.ending, Ending::Completed);
    expectBranch(checked, c.bending);
    for (const char* tag : {"<#ylfRvalues>", "<#lwvalues>", "<#Vi1values>", "<#Vi2values>", "<#Wcvalues>"})
      EXPECT_EQ(checked.tag(tag), designed.tag(tag)) << tag;
    for (const char* name : {"Vi1", "Vi2", "Vimax", "ylvR", "ylfR", "ylequ", "f1", "lw", "hf3", "ylnf", "Wf", "ylvf",
                             "ffw", "f", "hf11", "AF", "Aeww", "ylnc", "Wc", "ylf", "ylfs", "webWeldWarning"})
      EXPECT_EQ(checked[name], designed[name]) << name;
  }
}

// A given web weld leg that leaves the web welds no length: the flange and the weld cannot be
// checked, yet the web weld's leg is still held against the web and the flange keeps its strength.
TEST(RigidColumnWeldStep, AGivenLegWithNoWebWeldLeftStillChecksTheLegAgainstTheWeb) {
  const Design designed = testing::design(tenBoltModule(), {{"Edtbf", "500"}, {"EdtM", "100"}});
  ASSERT_EQ(designed.outcome.ending, Ending::Completed);
  Sizes sizes = designed.session.sizes();
  sizes.at("hf11") = (designed["hb"] - 2 * designed["tf"]) / 2;  // hb − 2tf − 2hf = 0
  const Design checked = checkOf(tenBoltModule(), designed, sizes);
  for (const char* id : {"flange", "weld"}) {
    ASSERT_TRUE(checked.check(id)) << id;
    EXPECT_FALSE(checked.check(id)->ok()) << id;
  }
  EXPECT_EQ(checked["webWeldWarning"], 1);
  ASSERT_TRUE(checked.check("webWeldLeg"));
  EXPECT_FALSE(checked.check("webWeldLeg")->ok());
  EXPECT_EQ(checked["f"], designed["f"]);
  EXPECT_EQ(checked["ffw"], designed["ffw"]);
}

}  // namespace
}  // namespace pedivo::rigid
