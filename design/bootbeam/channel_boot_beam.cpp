// The channel boot-beam base: two boot beams closed by a top plate over the two tension bolts on
// each side, with ribs beside the bolts and a diaphragm across the channel.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "design/common/check_list.h"
#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/boot_beam_remedies.h"
#include "design/bootbeam/boot_beam_report.h"
#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/numbers.h"
#include "design/common/plate_panel.h"
#include "design/common/result_text.h"
#include "design/common/rigid_base.h"
#include "design/common/shear_key.h"
#include "design/common/standard_controls.h"
#include "design/common/stiffener_welds.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

void panels(Held& h);
void plateThickness(const Materials& m, Held& h);
Next ribsAndDiaphragm(const Materials& m, Held& h, RoundLimit& rounds);
void panelTags(const Held& h, const TagEmitter& sink);
void ownTags(const Held& h, const TagEmitter& sink);

const HeldField<Held> ownFields[] = {
    {"b31", &Held::b31},     {"a31", &Held::a31},     {"r21", &Held::r21},     {"beta1", &Held::beta1},
    {"b32", &Held::b32},     {"a32", &Held::a32},     {"r22", &Held::r22},     {"beta2", &Held::beta2},
    {"Msh1", &Held::Msh1},   {"tp", &Held::tp},       {"hcb", &Held::hcb},     {"tcb", &Held::tcb},
    {"q", &Held::q},         {"hf6", &Held::hf6},     {"hf7", &Held::hf7},     {"fcb", &Held::fcb},
    {"fvcb", &Held::fvcb},   {"ylfcb", &Held::ylfcb}, {"ylvcb", &Held::ylvcb},
};

using Tag = HeldTag<Held>;
using enum ValueFormat;

// "<#ylc>" twice: where the T-shaped report has "<#ylmax>", this one repeats the bearing stress
// (the template's first occurrence takes it).
const Tag pressureTags[] = {
    {"<#ylc>", &Held::ylc, Cut2}, {"<#ylmin>", &Held::ylmin, Cut2}, {"<#ylc>", &Held::ylc, Cut2}};

const Tag plateTags[] = {
    {"<#b31>", &Held::b31, Cut2},     {"<#a31>", &Held::a31, Cut2},     {"<#r21>", &Held::r21, Cut2},
    {"<#M222>", &Held::M222, KN2},    {"<#b32>", &Held::b32, Cut2},     {"<#a32>", &Held::a32, Cut2},
    {"<#r22>", &Held::r22, Cut2},     {"<#M223>", &Held::M223, KN2},    {"<#M2>", &Held::M2, KN2},        {"<#tpbc>", &Held::tpbc, Cut2},
    {"<#tpb>", &Held::tpb, Cut2},
};

const Tag momentTags[] = {
    {"<#Msh1>", &Held::Msh1, KNm3}, {"<#Msh2>", &Held::Msh2, KNm3}, {"<#Mshmax>", &Held::Mshmax, KNm3}};

const Tag diaphragmTags[] = {
    {"<#hcb>", &Held::hcb, Plain},    {"<#tcb>", &Held::tcb, Plain},   {"<#fcb>", &Held::fcb, Plain},
    {"<#fvcb>", &Held::fvcb, Plain},  {"<#q>", &Held::q, Cut3},        {"<#ylvcb>", &Held::ylvcb, Cut3},
    {"<#ylfcb>", &Held::ylfcb, Cut3}, {"<#hf6>", &Held::hf6, Plain},   {"<#hf7>", &Held::hf7, Plain},
};

const Tag topPlateTags[] = {{"<#tp>", &Held::tp, Plain}};

using rigidbase::channelGeometry;

const BootBeamType channel{
    .geometry = &channelGeometry,
    .panels = panels,
    .plateThickness = plateThickness,
    .withinBoltRowFormula = "σc = 2N/(L/2 − e)/3/B，xn = L − lt，Ta = 0",
    .plateWeldLegRounding = roundToEvenPastHalf,
    .holdsFlangeStrength = false,
    .beyondBootBeams = ribsAndDiaphragm,
    .stiffenerName = "肋板",
    .panel1Pressure = "q0",
    .ownFields = ownFields,
    .pressureTags = pressureTags,
    .panelTags = panelTags,
    .momentTags = momentTags,
    .partTags = diaphragmTags,
    .ownTags = ownTags,
    .cantileverMomentTags = {"<#Msh1values>", {}},
};

// ---- plate plan and bearing ------------------------------------------------------------------

// The bearing found for a plate, and the rounds it spent finding it.
struct FoundBearing {
  // What the plate length depends on within one calculation (forces and materials are fixed).
  struct Plate {
    double B, L, lt, dms, Aems;
    bool operator==(const Plate&) const = default;
  };
  Plate plate;
  double L, e, write3, ta, ylc, xn, Es, ylmax, ylmin, dx, Fx;
  rigidbase::Eccentricity eccentricity;
  rigidbase::CompressedZoneMethod zone;
  long rounds;
};

// The width is fixed by the boot beams; too much bearing lengthens the plate only.
Bearing lengthenForBearing(Held& h, RoundLimit& rounds) {
  while (true) {
    h.e = h.M / h.N;
    h.write3 = h.L / 6 + h.lt / 3;
    if (!pressureUnderPlate(channel, h, rounds)) return Bearing::AxialTension;
    if (!(h.ylc > h.fc)) return Bearing::Holds;
    rounds.next();
    h.L += 10;
  }
}

// The plate is the flange width with the boot beams and 20 mm beyond each, in whole tens.
// A pass that only thickened the boot beams within the same rounded plate width lengthens the same
// plate again: the last bearing found is taken over with the rounds it spent, so the plate, the
// stresses and the round count are those of lengthening it once more.
Bearing planAndBearing(const Materials& m, Held& h, RoundLimit& rounds, std::optional<FoundBearing>& last) {
  h.B = 2 * h.tsh + h.bf + 40;
  h.B = roundToTenPastOne(h.B);
  concreteAndLimit(m, h);
  h.L = 2 * (h.a + h.lt) + h.hb;
  h.L = roundToTenPastOne(h.L);
  const FoundBearing::Plate plate{h.B, h.L, h.lt, h.dms, h.Aems};
  if (last && last->plate == plate) {
    rounds.advance(last->rounds);
    h.L = last->L, h.e = last->e, h.write3 = last->write3, h.ta = last->ta, h.ylc = last->ylc, h.xn = last->xn;
    h.Es = last->Es, h.ylmax = last->ylmax, h.ylmin = last->ylmin, h.dx = last->dx, h.Fx = last->Fx;
    h.eccentricity = last->eccentricity;
    h.zone = last->zone;
    return Bearing::Holds;
  }
  const long before = rounds.used();
  if (lengthenForBearing(h, rounds) == Bearing::AxialTension) return Bearing::AxialTension;
  last = FoundBearing{plate, h.L,     h.e,     h.write3, h.ta, h.ylc, h.xn,
                      h.Es,  h.ylmax, h.ylmin, h.dx,     h.Fx, h.eccentricity, h.zone, rounds.used() - before};
  return Bearing::Holds;
}

// ---- base plate ------------------------------------------------------------------------------

void panels(Held& h) {
  const auto p1 = threeSidePanel(h.lt, h.bf, h.ylc);
  h.b21 = p1.b, h.a21 = p1.a, h.r11 = p1.r, h.alf1 = p1.k, h.M221 = p1.M, h.cantilever1 = p1.cantilever;
  // Inside the channel between the diaphragm and the bolt line, and between the flanges.
  const auto p2 = fourSidePanel(h.bf, (h.L - h.hb) / 2 - h.lt, pressureAt(h, h.lt));
  h.b31 = p2.b, h.a31 = p2.a, h.r21 = p2.r, h.beta1 = p2.k, h.M222 = p2.M;
  const auto p3 = fourSidePanel(h.hb - 2 * h.tf, (h.bf - h.tw) / 2, pressureAt(h, h.L / 2));
  h.b32 = p3.b, h.a32 = p3.a, h.r22 = p3.r, h.beta2 = p3.k, h.M223 = p3.M;
  h.M2 = 0;
  for (const double moment : {h.M221, h.M222, h.M223}) h.M2 = std::max(h.M2, moment);
}

void plateThickness(const Materials& m, Held& h) {
  panelPlateThickness(m, h);
  h.tpb = std::max(tables::thinnestBasePlate, roundUpToWholePastHundredth(h.tpbc));
}

// ---- ribs ------------------------------------------------------------------------------------

// A rib may grow in height while it stays clear of the top plate.
bool roomBelowTopPlate(const Held& h) { return ribClearOfTopPlate(h.hsh, h.tp, h.hjjl); }

// What the rib welds found; all but Hold have grown the rib or its weld leg.
enum class RibWeldEnd {
  Hold,
  HigherRib,   // the upstand weld overstressed: a longer weld on a higher rib
  LargerLeg,   // the upstand weld overstressed under the top plate: a larger leg
  ThickerRib,  // the leg at the rib's thickness: a thicker rib
};

// The rib welds at leg hf3, again with a larger leg while the plate weld is overstressed. An
// overstressed upstand weld grows the rib while it stays clear of the top plate, else its leg.
// The rib welds as they stand: the upstand weld loses 30 mm at its ends, 15 at the plate and 15
// under the top plate.
StiffenerWeldInputs ribWeldInputs(const Held& h) {
  const rigidbase::RigidGeometry& g = channelGeometry;
  return {.load = h.Vimax, .outstand = g.stiffenerArm.of(h), .height = h.hjjl, .thickness = h.tjjl, .ffw = h.ffw,
          .upstandEnds = g.stiffenerCornerCut, .largestLeg = tables::largestFilletLeg, .upstandGrowsLeg = false};
}

RibWeldEnd ribWelds(const Materials& m, Held& h, RoundLimit& rounds) {
  h.ffw = m.steel->ffw;
  const StiffenerWelds welds = stiffenerWelds(ribWeldInputs(h), h.hf3, rounds);
  h.hf3 = welds.hf, h.ylnf = welds.ylnf, h.ylvf = welds.ylvf;
  switch (welds.end) {
    case StiffenerWeldEnd::Designed: return RibWeldEnd::Hold;
    case StiffenerWeldEnd::Thicker: break;
    case StiffenerWeldEnd::Taller:
    case StiffenerWeldEnd::UpstandOverstressed:
      if (roomBelowTopPlate(h)) {
        h.hjjl += tables::heightStep;
        return RibWeldEnd::HigherRib;
      }
      if (h.hf3 < h.tjjl) {
        h.hf3 += tables::legStep;
        return RibWeldEnd::LargerLeg;
      }
      break;
  }
  h.tjjl += tables::thicknessStep;
  return RibWeldEnd::ThickerRib;
}

// What the rib weld leg came to.
enum class RibWeldLegEnd {
  WeldsHold,
  BeyondLargestLeg,  // the leg the plate asks for, 1.5·√tpb, is beyond 16 mm
};

// The rib weld leg, at least 1.5·√tpb in even millimetres, and the welds with it.
RibWeldLegEnd ribWeldLeg(const Materials& m, Held& h, RoundLimit& rounds) {
  while (true) {
    if (tables::smallestFilletLeg(h.tpb) > h.hf3) h.hf3 = tables::smallestFilletLeg(h.tpb);
    h.hf3 = roundToEvenPastHalf(h.hf3);
    if (h.hf3 > tables::largestFilletLeg) return RibWeldLegEnd::BeyondLargestLeg;
    if (ribWelds(m, h, rounds) == RibWeldEnd::Hold) return RibWeldLegEnd::WeldsHold;
    rounds.next();
  }
}

// What a rib of height hjjl and thickness tjjl found.
enum class RibEnd {
  Holds,
  Overstressed,  // its combined stress: higher while clear of the top plate, else thicker
  TooSlender,    // its outstand over its thickness: thicker
};

RibEnd ribTrial(const Materials& m, Held& h) {
  h.Vimax = h.Ntal / 2;
  const rigidbase::RigidGeometry& g = channelGeometry;
  const double height = h.hjjl - g.stiffenerCornerCut;  // the section clear of both corner cuts
  h.ylvR = h.Vimax / height / h.tjjl;
  h.ylfR = (g.stiffenerArm.of(h) * h.Vimax / 2) / (height * height * h.tjjl / 6);
  h.fy = m.steel->fy;
  h.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
  h.ylequ = std::sqrt(h.ylfR * h.ylfR + 3 * h.ylvR * h.ylvR);
  h.write1 = g.stiffenerArm.of(h) / h.tjjl;
  h.write2 = tables::outstandLimit(h.fy);
  if (h.ylequ > tables::equivalentStressFactor * h.f1) return RibEnd::Overstressed;
  if (h.write1 > h.write2) return RibEnd::TooSlender;
  return RibEnd::Holds;
}

// The ribs beside each tension bolt under the top plate carry half a bolt's tension: first the weld
// leg, then the welds, then the rib itself.
void ribs(const Materials& m, Held& h, RoundLimit& rounds) {
  if (takeKeptRibs(m.steel, h)) {
    rounds.advance(h.ribRecord.rounds);
    return;
  }
  const RibRecord inputs = ribInputs(m.steel, h);
  const long roundsBefore = rounds.used();
  h.tp = h.tsh;
  h.Ntal = 2 * h.ta / h.n;
  h.Vimax = h.Ntal / 2;
  h.hf3 = 8;
  h.hjjl = 150;
  // The leg follows from the plate alone: a plate that needs more than 16 mm keeps needing it
  // however high the rib grows, and the rib can never be designed.
  if (ribWeldLeg(m, h, rounds) == RibWeldLegEnd::BeyondLargestLeg) rounds.exhaust();
  for (RibEnd end = ribTrial(m, h); end != RibEnd::Holds; end = ribTrial(m, h)) {
    if (end == RibEnd::Overstressed && roomBelowTopPlate(h)) {
      h.hjjl += tables::heightStep;
    } else {
      h.tjjl += tables::thicknessStep;
    }
    rounds.next();
  }
  // A rib raised for its own stress after its welds were sized carries longer upstand welds: the
  // weld stresses are those of the final rib. They only fall as the rib grows, so nothing is resized.
  const StiffenerWelds welds = stiffenerWeldStresses(ribWeldInputs(h), h.hf3);
  h.ylnf = welds.ylnf, h.ylvf = welds.ylvf;
  keepRibs(inputs, h, rounds.used() - roundsBefore);
}

// ---- diaphragm -------------------------------------------------------------------------------

// What a diaphragm of height hcb and thickness tcb found.
enum class DiaphragmEnd {
  Holds,
  WeldLegTooLarge,  // the leg to the boot beams beyond 16 mm or beyond its thickness: higher
  Overstressed,     // bending or shear: higher, or thicker at the boot beam's height
};

// The diaphragm carries the pressure beyond the column as a beam between the boot beams, welded
// to the plate (hf6) and to the boot beams (hf7).
DiaphragmEnd diaphragmTrial(const Materials& m, Held& h) {
  const double s = diaphragmSpan(h);
  h.q = h.ylc * (h.xn - s / 4) / h.xn * s / 2;
  h.ffw = m.steel->ffw;
  h.hf6 = h.q / (tables::filletThroat * tables::betaF * h.ffw);  // a front weld: its throat at βf
  if (tables::smallestFilletLeg(h.tpb) > h.hf6) h.hf6 = tables::smallestFilletLeg(h.tpb);
  h.hf6 = roundToEvenPastHalf(h.hf6);
  if (h.hf6 > h.tcb) h.tcb = h.hf6;
  const double weldLength = h.hcb - tables::weldStopBelowTop - tables::stiffenerCornerCut;
  requireWeldLength(weldLength);
  h.hf7 = (h.q * h.bf / 2) / (tables::filletThroat * weldLength * h.ffw);
  if (tables::smallestFilletLeg(h.tsh) > h.hf7) h.hf7 = tables::smallestFilletLeg(h.tsh);
  h.hf7 = roundToEvenPastHalf(h.hf7);
  if (h.hf7 > tables::largestFilletLeg) return DiaphragmEnd::WeldLegTooLarge;
  if (h.hf7 < 6) h.hf7 = 6;
  if (h.hf7 > h.tcb) return DiaphragmEnd::WeldLegTooLarge;
  const auto strength = tables::bendingShearStrength(*m.steel, h.tcb);
  h.fcb = strength.f;
  h.fvcb = strength.fv;
  h.ylfcb = 6 * h.q * h.bf * h.bf / 8 / (h.tcb * h.hcb * h.hcb);
  h.ylvcb = 1.5 * h.q * h.bf / 2 / (h.tcb * h.hcb);
  return !(h.ylfcb > h.fcb || h.ylvcb > h.fvcb) ? DiaphragmEnd::Holds : DiaphragmEnd::Overstressed;
}

// What the diaphragm came to at one starting thickness.
enum class DiaphragmHeightEnd {
  Holds,
  Higher,         // grown 10 mm higher: again from its starting thickness
  AboveBootBeam,  // higher than the boot beam: the boot beam grows
};

// The diaphragm, thicker by 1 mm at a time where it may grow no higher.
DiaphragmHeightEnd diaphragmAtHeight(const Materials& m, Held& h, RoundLimit& rounds) {
  while (true) {
    const DiaphragmEnd end = diaphragmTrial(m, h);
    if (end == DiaphragmEnd::Holds) return DiaphragmHeightEnd::Holds;
    h.hcb += tables::heightStep;
    if (end == DiaphragmEnd::WeldLegTooLarge) {
      return h.hcb > h.hsh ? DiaphragmHeightEnd::AboveBootBeam : DiaphragmHeightEnd::Higher;
    }
    if (h.hcb <= h.hsh) {
      rounds.next();
      return DiaphragmHeightEnd::Higher;
    }
    h.hcb -= tables::heightStep;
    h.tcb += 1;
    rounds.next();
  }
}

// Whether the diaphragm's weld to the boot beams, after a trial that found its leg too large, is
// too large at every height: the leg is never under 1.5·√tsh rounded to even, and the diaphragm's
// thickness (from its width and the leg to the plate) does not change with its height.
bool diaphragmWeldNeverFits(const Held& h) {
  const double leastLeg = roundToEvenPastHalf(tables::smallestFilletLeg(h.tsh));
  return leastLeg > tables::largestFilletLeg || std::max(leastLeg, 6.0) > h.tcb;
}

// A diaphragm whose weld to the boot beams never fits rises 10 mm a round to the boot beam's
// height: the heights are counted at once, the rounds spent together, and the trial made again at
// the last height, so the values are those of rising round by round.
void diaphragmToBootBeamHeight(const Materials& m, Held& h, RoundLimit& rounds) {
  const double first = h.hcb;
  // Beyond the round limit the count needs no more precision: the limit stops the design.
  const double most = std::min(std::floor((h.hsh - first) / tables::heightStep), 2e6);
  long steps = std::max(0L, static_cast<long>(most));
  while (steps > 0 && !(first + tables::heightStep * static_cast<double>(steps) <= h.hsh)) --steps;
  while (first + tables::heightStep * static_cast<double>(steps + 1) <= h.hsh) ++steps;
  rounds.advance(steps);
  h.hcb = first + tables::heightStep * static_cast<double>(steps);
  if (steps > 0) diaphragmTrial(m, h);
}

// The diaphragm from two thirds of the boot-beam height; beyond the boot beam's height the boot
// beam grows.
Next diaphragm(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hcb = roundToTenPastTwo(2 * h.hsh / 3);
  h.tcb = roundUpToEven(std::max(10.0, h.bf / 50));
  if (h.hcb <= h.hsh && diaphragmTrial(m, h) == DiaphragmEnd::WeldLegTooLarge && diaphragmWeldNeverFits(h)) {
    diaphragmToBootBeamHeight(m, h, rounds);
    h.hcb += tables::heightStep;
    h.hsh += tables::heightStep;
    return Next::BootBeam;
  }
  h.hcb = roundToTenPastTwo(2 * h.hsh / 3);
  while (true) {
    h.tcb = roundUpToEven(std::max(10.0, h.bf / 50));
    switch (diaphragmAtHeight(m, h, rounds)) {
      case DiaphragmHeightEnd::Holds: return Next::Continue;
      case DiaphragmHeightEnd::AboveBootBeam: h.hsh += tables::heightStep; return Next::BootBeam;
      case DiaphragmHeightEnd::Higher: break;
    }
    rounds.next();
  }
}

Next ribsAndDiaphragm(const Materials& m, Held& h, RoundLimit& rounds) {
  ribs(m, h, rounds);
  return diaphragm(m, h, rounds);
}

// ---- the design pass -------------------------------------------------------------------------

rigidbase::PassEnd designPass(const Entries& e, const Materials& m, Held& h, RoundLimit& rounds) {
  std::optional<FoundBearing> lastBearing;  // of this pass
  h.ribRecord = {};
  return bootBeamPass(channel, e, m, h, rounds, [&] { return planAndBearing(m, h, rounds, lastBearing); });
}

// ---- a given base ----------------------------------------------------------------------------

constexpr SizeField<Held> layoutSizes[] = {
    {"dms", &Held::dms, "锚栓直径d"}, {"a", &Held::a, "柱边至锚栓中心a"}, {"lt", &Held::lt, "锚栓中心至底板边lt"}};
constexpr SizeField<Held> ribAndDiaphragmSizes[] = {
    {"hjjl", &Held::hjjl, "肋板高度hs"},  {"tjjl", &Held::tjjl, "肋板厚度ts"},
    {"hf3", &Held::hf3, "肋板焊脚高度"},  {"hcb", &Held::hcb, "隔板高度hcb"},
    {"tcb", &Held::tcb, "隔板厚度tcb"},   {"hf6", &Held::hf6, "隔板与底板焊脚高度"},
    {"hf7", &Held::hf7, "隔板与靴梁焊脚高度"},
};
constexpr auto sizeFields = joinSizes<Held>(layoutSizes, plateSizeRows<Held>, bootBeamSizes, ribAndDiaphragmSizes);

// The diaphragm of given sizes: its stresses, and the legs its load asks of its welds as rules.
void givenDiaphragm(const Materials& m, Held& h, GivenSizeFindings& f) {
  const double s = diaphragmSpan(h);
  h.q = h.ylc * (h.xn - s / 4) / h.xn * s / 2;
  h.ffw = m.steel->ffw;
  const double hf6 = roundToEvenPastHalf(std::max(h.q / (tables::filletThroat * tables::betaF * h.ffw),
                                                  tables::smallestFilletLeg(h.tpb)));
  f.rules.push_back(atLeastRule("ruleHf6", "隔板与底板焊脚尺寸", "hf6 ≥ q/(0.7·βf·ffw)，且 ≥ 1.5·√t", h.hf6, hf6, {"Edthf6"}));
  const double weldLength = h.hcb - 20 - 15;
  if (weldLength > 0) {
    double hf7 = roundToEvenPastHalf(
        std::max((h.q * h.bf / 2) / (tables::filletThroat * weldLength * h.ffw), tables::smallestFilletLeg(h.tsh)));
    f.rules.push_back(atLeastRule("ruleHf7", "隔板与靴梁焊脚尺寸", "hf7 ≥ (q·bf/2)/(0.7·lw·ffw)，且 ≥ 1.5·√tsh、6",
                                  h.hf7, std::max(6.0, hf7), {"Edthf7"}));
  } else {
    f.unevaluated.push_back({"diaphragmWeldLeg", "隔板与靴梁焊缝计算长度 hcb − 35 ≤ 0"});
  }
  f.rules.push_back(atMostRule("ruleHf7Max", "隔板与靴梁焊脚最大尺寸", "hf7 ≤ 16", h.hf7, tables::largestFilletLeg, {"Edthf7"}));
  f.rules.push_back(atMostRule("ruleHcb", "隔板高度不大于靴梁高度", "hcb ≤ hsh", h.hcb, h.hsh, {"Edthgb"}));
  const auto strength = tables::bendingShearStrength(*m.steel, h.tcb);
  h.fcb = strength.f;
  h.fvcb = strength.fv;
  h.ylfcb = 6 * h.q * h.bf * h.bf / 8 / (h.tcb * h.hcb * h.hcb);
  h.ylvcb = 1.5 * h.q * h.bf / 2 / (h.tcb * h.hcb);
}

// Each step's formulas once on the given sizes; only a large bolt's compressed zone is still bisected.
Outcome checkGiven(const Entries& e, const Sizes& s, Held& h, GivenSizeFindings& f) {
  RoundLimit rounds;
  const Materials m = readMaterials(e);
  takeGivenBase(channel, e, sizeFields, s, h);
  h.f1 = tables::givenStiffenerStrength(*m.steel, h.tjjl);  // by its thickness alone, not by what the window held
  const auto bolt = tables::anchorBolt(static_cast<int>(h.dms));
  h.c = bolt->c, h.bt = tables::boltEdgeDistance(bolt->dms), h.tp = h.tsh;
  if (!givenPlateAndBootBeams(channel, m, h, rounds, f)) return givenAxialTension();
  h.Ntal = 2 * h.ta / h.n;
  h.ffw = m.steel->ffw;
  if (stiffenerHasHeight(h.hjjl, channelGeometry.stiffenerCornerCut,
                         {"stiffener", "stiffenerPlateWeld", "stiffenerUpstandWeld"}, f)) {
    ribTrial(m, h);
    if (const auto w = givenStiffenerWelds(ribWeldInputs(h), h.hf3, "stiffenerPlateWeld", "stiffenerUpstandWeld", f))
      h.ylnf = w->ylnf, h.ylvf = w->ylvf;
  } else {
    h.write1 = rigidbase::stiffenerOutstand(channelGeometry, h) / h.tjjl;
    h.write2 = tables::outstandLimit(m.steel->fy);
  }
  givenDiaphragm(m, h, f);
  bootBeamRules(channel, h, f);
  f.rules.push_back(atLeastRule("ruleHf3", "肋板焊脚尺寸", "hf ≥ max(8, 1.5·√t)，取偶数", h.hf3,
                                roundToEvenPastHalf(std::max(8.0, tables::smallestFilletLeg(h.tpb))), {"Edthfjjl"}));
  f.rules.push_back(atMostRule("ruleHf3Max", "肋板焊脚不大于肋厚及 16 mm", "hf ≤ min(ts, 16)", h.hf3,
                               std::min(h.tjjl, tables::largestFilletLeg), {"Edthfjjl"}));
  appendChecks(f.rules, boltDistanceRules({h.dms, h.a, h.c, h.lt, h.bt, false, true, false}));
  keyUnderGivenPlate(m, s, h, f);
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

// ---- results and checks ----------------------------------------------------------------------

ResultView results(const Held& h) {
  const auto plain = [](double x) { return formatGeneral(x); };
  return bootBeamResults(h, {{"Edttd", plain(h.tp)}},
                         {{"Edthgb", plain(h.hcb)}, {"Edttgb", plain(h.tcb)}, {"Edthf6", plain(h.hf6)},
                          {"Edthf7", plain(h.hf7)}});
}

std::vector<DesignCheck> checks(const Held& h) {
  std::vector<DesignCheck> diaphragmChecks = checkList(
      limitCheck("diaphragmBending", "隔板抗弯", "σ = 6·q·bf²/8/(tcb·hcb²) ≤ f", h.ylfcb, h.fcb, stressUnit,
                 ValueFormat::Cut3, {"Edthgb", "Edttgb"}),
      limitCheck("diaphragmShear", "隔板抗剪", "τ = 1.5·q·bf/2/(tcb·hcb) ≤ fv", h.ylvcb, h.fvcb, stressUnit,
                 ValueFormat::Cut3, {"Edthgb", "Edttgb"}),
      limitCheck("diaphragmWeldLeg", "隔板与靴梁焊脚尺寸", "hf7 ≤ tcb", h.hf7, h.tcb, lengthUnit, ValueFormat::Plain,
                 {"Edthf7"}));
  return baseChecks(channel, h, plateThicknessCheck("t ≥ tpbc = √(6·M2/f)", h.tpbc, h.tpb, {"Edttpb"}),
                    std::move(diaphragmChecks));
}

// ---- report ----------------------------------------------------------------------------------

// The panels beside the column and inside the channel.
void panelTags(const Held& h, const TagEmitter& sink) {
  emitTags(plateTags, h, sink);
  sink("<#beta1>", panelCoefficientText(false, h.beta1));
  sink("<#beta2>", panelCoefficientText(false, h.beta2));
}

// The top plate and the diaphragm weld's length.
void ownTags(const Held& h, const TagEmitter& sink) {
  emitTags(topPlateTags, h, sink);
  sink("<#hcbWeld>", formatValue(ValueFormat::Plain, h.hcb - 35));
}

}  // namespace

Outcome calculateChannelBootBeam(const Entries& entries, BootBeamHeld& h) {
  return detailedDesign(
      entries, h, designPass,
      [] { return Closing::Designed; });
}

const ModuleDescriptor& channelBootBeamModule() {
  using standard::mm;
  static const ModuleDescriptor descriptor = bootBeamModule<channel, sizeFields>(
      {{"g3", "槽型靴梁柱脚", "TForm7", "g3.bmp", "TForm14"},
       {{"GroupBox7",
         "肋板",
         {{"Edthjjl", "加劲肋高度hs", mm}, {"Edttjjl", "加劲肋厚度ts", mm}, {"Edthfjjl", "加劲肋焊脚高度", mm}}},
        {"GroupBox8",
         "隔板",
         {{"Edthgb", "隔板高度hcb", mm},
          {"Edttgb", "隔板厚度tcb", mm},
          {"Edthf6", "隔板与底板焊脚高度", mm},
          {"Edthf7", "隔板与靴梁焊脚高度", mm}}}},
       {"tpb", "tsh", "tjjl", "tcb"}},
      {.calculate = calculateChannelBootBeam, .results = results, .checks = checks, .check = checkGiven},
      channelBootBeamRemedies);
  return descriptor;
}

}  // namespace pedivo::bootbeam
