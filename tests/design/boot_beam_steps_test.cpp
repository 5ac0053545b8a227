// The boot beam's quick searches against the step-by-step growth they stand for: a boot beam that
// grows in height for its section, or for the leg of its weld to the column, must end where
// growing it 10 mm at a time would.

#include "design/bootbeam/boot_beam_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/rib_record.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::bootbeam {
namespace {

// The channel's moments: the cantilever's pressure moment, and the larger with the span's.
BootBeamType pressureOnlyType() {
  BootBeamType type{};
  type.geometry = &rigidbase::channelGeometry;
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

// The T-shaped moments: the bolt row's pull Ta·a on the cantilever beside the pressure's.
BootBeamType boltRowType() {
  BootBeamType type{};
  type.geometry = &rigidbase::tShapedGeometry;
  return type;
}

struct SectionCase {
  const char* name;
  double N, ylc, ta;
  bool bendingGoverns;  // at the lowest height that holds, bending rather than shear was short below it
  bool boltRow;         // the T-shaped moments, the bolt row's pull the largest
};

// The section worked out at each height in full and by its height terms alone gives one verdict,
// where bending and where shear sets the height, and where the bolt row's pull is the moment.
TEST(BootBeamSteps, SectionAtHeightGivesTheFullSectionsVerdict) {
  const Materials m = readMaterials(tBootBeamModule().defaultEntries());
  for (const SectionCase& c : {SectionCase{"bending", 1e6, 10, 0, true, false},
                               SectionCase{"shear", 2e6, 1, 0, false, false},
                               SectionCase{"bolt row", 2e5, 1, 4e5, true, true}}) {
    const BootBeamType type = c.boltRow ? boltRowType() : pressureOnlyType();
    Held h = sectionCase(c.N, c.ylc);
    h.ta = c.ta, h.a = 300;
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
    EXPECT_EQ(below.Mshmax == below.cantilever.boltRow, c.boltRow) << c.name;
  }
}

// The section's values are held where each base lists them: the T-shaped base's cantilever
// moments Msh11, Msh12 and Msh1max, the channel's Msh1, and the other base's left as they were.
TEST(BootBeamSteps, TheSectionsMomentsAreHeldUnderEachBasesNames) {
  const Materials m = readMaterials(tBootBeamModule().defaultEntries());
  Held t = sectionCase(2e5, 1);
  t.ta = 4e5, t.a = 90;
  holdBootBeamSection(boltRowType(), t, bootBeamSectionAt(boltRowType(), m, t));
  EXPECT_EQ(t.Msh12, 4e5 * 90);
  EXPECT_GT(t.Msh12, t.Msh11);
  EXPECT_EQ(t.Msh1max, t.Msh12);
  EXPECT_EQ(t.Mshmax, std::max(t.Msh1max, t.Msh2));
  EXPECT_EQ(t.Msh1, 0);
  EXPECT_EQ(t.ylm, (t.hsh / 2 + t.ax) * t.Mshmax / t.Ix);  // the stress of the moment held

  Held channel = sectionCase(2e5, 1);
  channel.ta = 4e5, channel.a = 90;  // a pull the channel's cantilever does not carry
  holdBootBeamSection(pressureOnlyType(), channel, bootBeamSectionAt(pressureOnlyType(), m, channel));
  EXPECT_EQ(channel.Msh1, t.Msh11);
  EXPECT_EQ(channel.Mshmax, std::max(channel.Msh1, channel.Msh2));
  EXPECT_EQ(channel.Msh11 + channel.Msh12 + channel.Msh1max, 0);
  EXPECT_EQ(channel.Vshmax, 4e5);  // the bolt row's tension still shears the boot beam
}

// Welds with no length beyond the column stop the calculation with that reason, however much
// length the welds along the boot beams still have.
TEST(BootBeamSteps, PlateWeldsWithNoLengthBeyondTheColumnStopForThatReason) {
  Held h = sectionCase(1e6, 1);
  h.bf = 200, h.tf = 14, h.hf5 = 8;
  for (const double hb : {h.L - 32, h.L - 20}) {  // none left, and less than none
    h.hb = hb;
    try {
      plateWeldsAt(h);
      ADD_FAILURE() << "hb = " << hb << ": welds with no length were worked out";
    } catch (const CalculationStop& stop) {
      EXPECT_EQ(stop.reason, Stop::WeldTooShort) << "hb = " << hb;
    }
  }
  h.hb = h.L - 33;  // half a millimetre each side beyond the column
  EXPECT_GT(plateWeldsAt(h).Aeww, 0);
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
    // The count starts where the steps land: the counted legs ask for lf/58.
    if (c.rounds > 0) {
      EXPECT_EQ(legStepsEstimate(c.hf, c.lf), c.rounds) << c.lf;
    }
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

namespace pedivo::bootbeam {
namespace {

using testing::Design;
using testing::design;
using testing::PrintedArithmetic;
using testing::Texts;

// The number a check's values print before its comparison, redone from the arithmetic printed
// before it; powers of ten written as superscripts are put in as numbers.
double printedDemand(const DesignCheck& check) {
  std::string text = check.values.substr(0, std::min(check.values.find(" ≤ "), check.values.find(" > ")));
  text = text.substr(0, text.rfind(" = "));
  for (const auto& [power, number] : {std::pair{"10⁶", "1000000"}, std::pair{"10³", "1000"}})
    for (std::size_t at = text.find(power); at != std::string::npos; at = text.find(power))
      text.replace(at, std::string(power).size(), number);
  return PrintedArithmetic::valueOf(text);
}

std::string plain(double x) { return formatValue(ValueFormat::Plain, x); }

// A column flange 48 mm thick on boot beams and a plate of at most 40 mm: three thickness bands of
// Q235, and so three strengths, the flange's 200, the boot beam's 215 and the plate's 205 N/mm².
const Texts thickFlange{{"Edttf", "48"}};

// Each check is limited by the strength of its own part, and the report prints each where that
// check stands: the boot beam's by tsh for its bending and shear, the plate's by its thickness
// group for the plate, and on the T-shaped base the column flange's by tf as the flange's f. The
// channel base lists the boot beam's as its f.
TEST(BootBeamStrengths, EachPartsCheckReadsTheStrengthOfItsOwnThickness) {
  for (const ModuleDescriptor* module : {&tBootBeamModule(), &channelBootBeamModule()}) {
    SCOPED_TRACE(module->id);
    const Design d = design(*module, thickFlange);
    ASSERT_EQ(d.outcome.ending, Ending::Completed);
    const tables::SteelGrade& steel = *readMaterials(d.session.entries()).steel;
    const tables::BendingShearStrength bootBeam = tables::bendingShearStrength(steel, d["tsh"]);
    const double flange = tables::rolledStrength(steel, d["tf"], 0);
    const double plate = tables::plateStrengthOfGroup(steel, tables::plateThicknessGroup(steel, d["tpbc"]));
    ASSERT_NE(bootBeam.f, flange);
    ASSERT_NE(bootBeam.f, plate);
    ASSERT_NE(flange, plate);

    EXPECT_EQ(d["fsh"], bootBeam.f);
    EXPECT_EQ(d["fvsh"], bootBeam.fv);
    EXPECT_EQ(d.check("bootBeamBending")->limit, bootBeam.f);
    EXPECT_EQ(d.check("bootBeamShear")->limit, bootBeam.fv);
    EXPECT_EQ(d.tag("<#fsh>"), plain(bootBeam.f));
    EXPECT_EQ(d.tag("<#fvsh>"), plain(bootBeam.fv));
    EXPECT_EQ(d["fpb"], plate);
    EXPECT_EQ(d.tag("<#fpb>"), plain(plate));
    const bool tShaped = module == &tBootBeamModule();
    EXPECT_EQ(d["f"], tShaped ? flange : bootBeam.f);
    EXPECT_EQ(d.tag("<#f>"), plain(d["f"]));

    // The bending printed with its numbers gives the stress checked against fsh.
    const DesignCheck bending = *d.check("bootBeamBending");
    EXPECT_NEAR(printedDemand(bending), bending.demand, 1e-3 * bending.demand) << bending.values;
  }
}

// The plate's strength where it sizes the plate: the channel's plate by its panels, and the
// T-shaped plate at the tension bolts, each printed thickness redone with the strength printed.
TEST(BootBeamStrengths, ThePrintedPlateThicknessIsRedoneWithThePlatesStrength) {
  const Design channel = design(channelBootBeamModule(), thickFlange);
  const DesignCheck plate = *channel.check("plate");
  ASSERT_NE(plate.values.find("/" + plain(channel["fpb"]) + ")"), std::string::npos) << plate.values;
  EXPECT_NEAR(printedDemand(plate), channel["tpbc"], 1e-3 * channel["tpbc"]) << plate.values;

  const Design t = design(tBootBeamModule(), thickFlange);
  ASSERT_GT(t["tpbt"], t["tpbc"]);  // the bolts size this plate
  EXPECT_EQ(t.tag("<#fpbt>"), plain(t["fpbt"]));
  EXPECT_NE(t.tag("<#tpbt1values>").find(plain(t["fpbt"])), std::string::npos) << t.tag("<#tpbt1values>");
}

// A given T-shaped base whose weld to the plate has no length beyond the column is not checked
// there, and lists the boot beam's strength as its f; with half a millimetre left the weld is
// checked and f is the column flange's.
TEST(BootBeamStrengths, AGivenBaseListsTheFlangesStrengthOnlyWhereItsPlateWeldIsChecked) {
  const Design designed = design(tBootBeamModule(), thickFlange);
  for (const double left : {0.0, 0.5}) {
    Sizes sizes = designed.session.sizes();
    sizes["hf5"] = ((sizes.at("L") - designed["hb"]) / 2 - left) / 2;
    DesignSession check(tBootBeamModule());
    for (const auto& [control, text] : designed.session.entries().texts) check.setText(control, text);
    check.setCbsize(designed.session.entries().cbsize);
    ASSERT_EQ(check.check(sizes).ending, Ending::Completed) << left;
    const auto held = [&check](std::string_view name) {
      for (const auto& v : check.values())
        if (v.name == name) return std::get<double>(v.value);
      return -1.0;
    };
    EXPECT_EQ(held("f"), left > 0 ? designed["f"] : designed["fsh"]) << left;
  }
}

// The welds of column and boot beams to the plate: the stresses printed with their numbers redo
// the checks, the flanges' area is theirs, and the combined stress is the one of the normal and
// shear stresses held.
TEST(BootBeamPlateWelds, PrintedNumbersRedoTheChecks) {
  for (const ModuleDescriptor* module : {&tBootBeamModule(), &channelBootBeamModule()}) {
    for (const Texts& texts : {Texts{}, thickFlange}) {
      const Design d = design(*module, texts);
      SCOPED_TRACE(module->id + " tf = " + formatGeneral(d["tf"]));
      EXPECT_EQ(d["AF"], d["bf"] * d["tf"]);
      const DesignCheck normal = *d.check("plateWeld");
      EXPECT_NEAR(printedDemand(normal), d["ylf"], 1e-6 * d["ylf"]) << normal.values;
      EXPECT_NEAR(d["ylnc"] + d["ylmc"], d["ylf"], 1e-12 * d["ylf"]);
      const DesignCheck combined = *d.check("plateWeldCombined");
      EXPECT_NEAR(std::hypot(d["ylf"] / tables::betaF, d["ylv"]), combined.demand, 1e-12 * combined.demand);
      EXPECT_NEAR(printedDemand(combined), combined.demand, 1e-3 * combined.demand) << combined.values;
      EXPECT_TRUE(normal.ok() && combined.ok());
    }
  }
}

}  // namespace
}  // namespace pedivo::bootbeam
