#include "design/common/rigid_geometry.h"

#include <gtest/gtest.h>

#include <string>

#include "design/bootbeam/boot_beam.h"
#include "design/common/remedy_text.h"
#include "design/rigid/rigid_plate.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::rigidbase {
namespace {

using testing::Design;
using testing::PrintedArithmetic;

struct Base {
  const char* id;
  const ModuleDescriptor& (*module)();
  const RigidGeometry& geometry;
};

const Base bases[] = {
    {"g11", rigid::eightBoltModule, eightBoltGeometry},
    {"g12", rigid::tenBoltModule, tenBoltGeometry},
    {"g2", bootbeam::tBootBeamModule, tShapedGeometry},
    {"g3", bootbeam::channelBootBeamModule, channelGeometry},
};

// The plan sizes a design listed, as the record's functions read them.
ExposedRigidHeld planOf(const Design& d) {
  ExposedRigidHeld h;
  h.hb = d["hb"], h.bf = d["bf"], h.a = d["a"], h.c = d["c"], h.lt = d["lt"], h.bt = d["bt"];
  h.L = d["L"], h.B = d["B"], h.tjjl = d["tjjl"];
  return h;
}

// The part of a check's printed line before the comparison: "(c + bt)/ts = (90 + 60)/10 = 15.000".
std::string demandPart(const DesignCheck& check) {
  const std::string& v = check.values;
  const std::size_t within = v.find(" ≤ ");
  const std::size_t beyond = v.find(" > ");
  return v.substr(0, std::min(within, beyond));
}

// Each base designs with the bolts, the first bolt and the plate width of its own record: a light
// load keeps the first bolt, and the plate's width closes on the record's spacings and stiffeners
// (the boot-beam bases add the flange and the boot beams between their spacings).
TEST(RigidGeometry, EachBaseDesignsWithTheBoltsFirstBoltAndPlanOfItsRecord) {
  for (const Base& base : bases) {
    SCOPED_TRACE(base.id);
    const RigidGeometry& g = base.geometry;
    const Design d = testing::design(base.module(), {{"EdtM", "1"}, {"EdtN", "100"}});
    ASSERT_EQ(d.outcome.ending, Ending::Completed);
    EXPECT_EQ(d["n"], g.n);
    EXPECT_EQ(d["dms"], g.startingBolt);
    if (g.cSpacings == 0) continue;  // the channel's width follows its boot beams
    const double bootBeams = g.stiffenersAcross == 0 ? d["bf"] + 2 * d["tsh"] : 0;
    EXPECT_DOUBLE_EQ(d["B"], g.cSpacings * d["c"] + 2 * d["bt"] + g.stiffenersAcross * d["tjjl"] + bootBeams);
  }
}

// The stiffener's (rib's) slenderness as each base checks and prints it: the formula names the
// record's outstand, the ratio is that outstand of the listed plan over ts, and the printed numbers
// give the ratio back.
TEST(RigidGeometry, PrintedStiffenerSlendernessRecomputesToTheOutstandOfTheRecord) {
  for (const Base& base : bases) {
    SCOPED_TRACE(base.id);
    const RigidGeometry& g = base.geometry;
    const Design d = testing::design(base.module(), {});
    const std::optional<DesignCheck> check = d.check("slenderness");
    ASSERT_TRUE(check.has_value());
    EXPECT_EQ(check->formula.str(), stiffenerSlendernessFormula(g));
    const ExposedRigidHeld h = planOf(d);
    EXPECT_DOUBLE_EQ(check->demand, stiffenerOutstand(g, h) / h.tjjl);
    const std::string printed = demandPart(*check);
    const std::string numbers = printed.substr(0, printed.rfind(" = "));
    EXPECT_NEAR(PrintedArithmetic::valueOf(numbers), check->demand, 1e-9 * check->demand) << check->values;
  }
}

// The boot-beam bases' stiffener remedies name the arm the record gives, with its length now.
TEST(RigidGeometry, BootBeamStiffenerRemediesNameTheArmOfTheRecord) {
  for (const Base& base : {bases[2], bases[3]}) {
    SCOPED_TRACE(base.id);
    const LayoutOutstand& arm = base.geometry.stiffenerArm;
    const Design d = testing::design(base.module(), {});
    const std::optional<DesignCheck> check = d.check("slenderness");
    ASSERT_TRUE(check.has_value());
    const std::string named = arm.sizes() + "（";
    const std::string length = arm.formula() + " = " + remedy::num(arm.of(planOf(d))) + " mm）";
    EXPECT_NE(check->remedy.find(named), std::string::npos) << check->remedy;
    EXPECT_NE(check->remedy.find(length), std::string::npos) << check->remedy;
  }
}

// What must fit within the flange sums its terms left to right as the formula writes them, so
// the need is bit for bit the written sum; the printed numbers give it back, and a base with no
// spacing across its flange has nothing to fit.
TEST(RigidGeometry, FlangeFitIsTheWrittenSumAndItsPrintedNumbers) {
  ExposedRigidHeld h;
  h.c = 75.3, h.tjjl = 10.7, h.hf3 = 8.1;
  EXPECT_EQ(flangeFitNeed(eightBoltGeometry.flangeFit, h), 2 * 75.3 + 2 * 10.7 + 2 * 8.1);
  EXPECT_EQ(flangeFitNeed(tenBoltGeometry.flangeFit, h), 4 * 75.3 + 3 * 10.7 + 2 * 8.1);
  EXPECT_EQ(flangeFitNeed(tShapedGeometry.flangeFit, h), 2 * 75.3);
  EXPECT_EQ(flangeFitFormula(eightBoltGeometry.flangeFit), "2c + 2ts + 2hf");
  EXPECT_EQ(flangeFitFormula(tenBoltGeometry.flangeFit), "4c + 3ts + 2hf");
  EXPECT_EQ(flangeFitFormula(tShapedGeometry.flangeFit), "2c");
  EXPECT_FALSE(channelGeometry.flangeFit.checked());
  for (const RigidGeometry* g : {&eightBoltGeometry, &tenBoltGeometry, &tShapedGeometry}) {
    const std::string values = flangeFitValues(g->flangeFit, h);
    EXPECT_EQ(values.rfind(flangeFitFormula(g->flangeFit) + " = ", 0), 0u) << values;
    EXPECT_NEAR(PrintedArithmetic::valueOf(values), flangeFitNeed(g->flangeFit, h), 1e-9) << values;
  }
}

// The T-shaped base's layout check compares the record's need, 2c, with the flange width.
TEST(RigidGeometry, TShapedLayoutCheckIsTheFlangeFitOfItsRecord) {
  const Design d = testing::design(bootbeam::tBootBeamModule(), {{"Edtbf", "120"}});
  const std::optional<DesignCheck> layout = d.check("layout");
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->formula.str(), "2c ≤ bf");
  EXPECT_EQ(layout->demand, flangeFitNeed(tShapedGeometry.flangeFit, planOf(d)));
  EXPECT_FALSE(layout->ok());
}

}  // namespace
}  // namespace pedivo::rigidbase
