#include "design/bootbeam/boot_beam_steps.h"

#include <algorithm>
#include <cmath>

#include "design/common/column_section.h"
#include "design/common/numbers.h"
#include "design/common/plate_layout.h"
#include "design/common/stepped_growth.h"
#include "design/common/tables.h"

namespace pedivo::bootbeam {

using rigidbase::Eccentricity;


double diaphragmSpan(const Held& h) { return (h.L - h.hb) / 2 + h.lt; }

double pressureAt(const Held& h, double x) { return h.ylc * (h.xn - x) / h.xn; }

// ---- forces, section and plate sizes ---------------------------------------------------------

void readForcesAndSection(const BootBeamType& type, const Entries& e, Held& h) {
  h.N = rigidbase::readAxialForce(e);
  h.M = readMoment(e);
  h.V = readShear(e);
  holdSection(readColumnSection(e), h);
  startShearKey(e, h.key);
  h.n = type.geometry->n;
}

void startPass(const BootBeamType& type, const Entries& e, Held& h) {
  readForcesAndSection(type, e, h);
  h.dms = type.geometry->startingBolt;
  h.tsh = tables::startingBootBeamThickness;
  h.tjjl = tables::startingStiffenerThickness;
}

void plateLayoutSizes(const TypedPlateSizes& typed, Held& h) {
  const PlateLayout layout = plateLayout(typed, static_cast<int>(h.dms));  // lt = bt = 2·(dms + 2)
  h.Aems = layout.Aems, h.a = layout.a, h.c = layout.c, h.lt = layout.lt, h.bt = layout.bt;
}

void concreteAndLimit(const Materials& m, Held& h) {
  h.fc = m.concrete.fc;
  h.Ec = m.concrete.Ec;
}

// ---- pressure, bolts and plate ---------------------------------------------------------------

bool pressureUnderPlate(const BootBeamType& type, Held& h, RoundLimit& rounds) {
  const rigidbase::PlatePressure pressure = rigidbase::pressureUnderPlate(
      type.geometry->pressure, {h.N, h.M, h.e, h.L, h.B, h.lt, h.write3, h.Ec, h.n, h.Aems, h.dms, h.zones}, rounds);
  if (pressure.eccentricity == Eccentricity::BeyondBoltRow) h.Es = tables::Es;
  return rigidbase::holdPressure(pressure, h);
}

PlatePlan tShapedPlatePlan(const PlateLayout& layout, double hb, double bf, double tsh) {
  const double cSpacings = rigidbase::tShapedGeometry.cSpacings;  // c either side of the flange width
  PlatePlan p{};
  p.L0 = 2 * (layout.a + layout.lt) + hb;
  // The spacings, the flange, the edges, then the boot beams: the order this base was written in,
  // kept on purpose (the eight- and ten-bolt bases add theirs in an order of their own).
  p.B0 = cSpacings * layout.c + bf + 2 * layout.bt + 2 * tsh;
  p.L = roundToTenPastOne(p.L0);
  p.B = roundToTenPastOne(p.B0);
  p.a = roundDownToFive((p.L - p.L0) / 2 + layout.a);
  p.c = roundDownToFive((p.B - p.B0) / cSpacings + layout.c);
  p.lt = (p.L - hb) / 2 - p.a;
  p.bt = (p.B - bf - 2 * tsh - cSpacings * p.c) / 2;
  return p;
}

PlatePlan channelPlatePlan(const PlateLayout& layout, double hb, double bf, double tsh) {
  PlatePlan p{};
  p.B0 = 2 * tsh + bf + 40;
  p.L0 = 2 * (layout.a + layout.lt) + hb;
  p.B = roundToTenPastOne(p.B0);
  p.L = roundToTenPastOne(p.L0);
  p.a = layout.a, p.c = layout.c, p.lt = layout.lt, p.bt = layout.bt;
  return p;
}

void holdBootBeamBearing(Held& h, const rigidbase::BearingStep& step) {
  rigidbase::holdBearing(h, step);
  if (step.metBeyondBoltRow()) h.Es = tables::Es;
}

void panelPlateThickness(const Materials& m, Held& h) {
  const auto panels = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * h.M2 / f); });
  h.tpbc = panels.t;
  h.fpb = panels.f;
  h.f = h.fpb;  // the shared f shows the plate's by its panels until a later step sets its own
  h.tgrp = tables::plateThicknessGroup(*m.steel, h.tpbc);
}

// ---- boot beams ------------------------------------------------------------------------------

double bootBeamWeldStress(const Held& h) {
  return h.hf2 * h.lf > 0 ? h.Vshmax / (2 * tables::filletThroat * h.hf2 * h.lf) : 0;
}

namespace {

// The leg the flange force asks of the two welds of length lf.
double weldLegFor(double Vshmax, double lf, double ffw) { return Vshmax / (2 * tables::filletThroat * lf * ffw); }

}  // namespace

double bootBeamWeldLegNeeded(const Held& h) { return weldLegFor(h.Vshmax, h.lf, h.ffw); }

BootBeamShear bootBeamShear(const Held& h) {
  const double Vsh1 = h.M / h.hb + h.N / 2;  // the flange force of the column
  return {Vsh1, h.ta, std::max(Vsh1, h.ta)};
}

SectionTerms sectionTerms(const Held& h, double Mshmax, double Vshmax) {
  return {.tsh = h.tsh,
          .tpb = h.tpb,
          .plateArea = h.tpb * h.B,
          .plateSecondMoment = h.B * h.tpb * h.tpb * h.tpb / 12,
          .doubleThickness = 2 * h.tsh,
          .Mshmax = Mshmax,
          .shearNumerator = 1.5 * Vshmax};
}

// The products are grouped as the written formulas are evaluated from the left: t·B·(hsh + t) is
// (t·B)·(hsh + t), B·t·arm² is ((B·t)·arm)·arm and 1.5·Vmax/hsh is (1.5·Vmax)/hsh, so taking the
// height's terms apart from the rest leaves every result bit for bit as written out in full.
SectionStresses sectionStresses(const SectionTerms& t, double hsh) {
  const double ax = t.plateArea * (hsh + t.tpb) / 2 / (t.doubleThickness * hsh + t.plateArea);
  const double plateArm = (hsh + t.tpb) / 2 - ax;
  const double Ix = 2 * (t.tsh * hsh * hsh * hsh / 12 + t.tsh * hsh * ax * ax) + t.plateSecondMoment +
                    t.plateArea * plateArm * plateArm;
  const double ylm = (hsh / 2 + ax) * t.Mshmax / Ix;
  const double ylvx = t.shearNumerator / hsh / t.tsh / 2;
  return {ax, Ix, ylm, ylvx};
}

namespace {

// The cantilever beyond the column under the pressure's moment, and the bolt row's pull where the
// bolts stand on it.
CantileverMoments cantileverMoments(const BootBeamType& type, const Held& h, double pressureMoment) {
  if (!type.geometry->boltRowOnCantilever) return {pressureMoment, 0, pressureMoment};
  const double boltRow = h.ta * h.a;
  return {pressureMoment, boltRow, std::max(pressureMoment, boltRow)};
}

}  // namespace

BootBeamSection bootBeamSectionAt(const BootBeamType& type, const Materials& m, const Held& h) {
  const BootBeamShear shear = bootBeamShear(h);
  const double outstand = h.L - h.hb;
  const double pressureMoment = pressureAt(h, outstand / 4) * outstand * outstand * h.B / 8;
  const double Msh2 = pressureAt(h, h.L / 2) * h.hb * h.hb / 8 * h.B;
  const CantileverMoments cantilever = cantileverMoments(type, h, pressureMoment);
  const double Mshmax = std::max(cantilever.largest, Msh2);
  const SectionStresses stresses = sectionStresses(sectionTerms(h, Mshmax, shear.Vshmax), h.hsh);
  return {.ax = stresses.ax,
          .Ix = stresses.Ix,
          .shear = shear,
          .Msh2 = Msh2,
          .cantilever = cantilever,
          .Mshmax = Mshmax,
          .ylm = stresses.ylm,
          .ylvx = stresses.ylvx,
          .strength = tables::bendingShearStrength(*m.steel, h.tsh)};
}

void holdBootBeamSection(const BootBeamType& type, Held& h, const BootBeamSection& s) {
  h.ax = s.ax, h.Ix = s.Ix;
  h.Vsh1 = s.shear.Vsh1, h.Vsh2 = s.shear.Vsh2, h.Vshmax = s.shear.Vshmax;
  h.Msh2 = s.Msh2;
  // The T-shaped base's Msh11, Msh12 and Msh1max; the channel's Msh1.
  if (type.geometry->boltRowOnCantilever) {
    h.Msh11 = s.cantilever.pressure, h.Msh12 = s.cantilever.boltRow, h.Msh1max = s.cantilever.largest;
  } else {
    h.Msh1 = s.cantilever.pressure;
  }
  h.Mshmax = s.Mshmax;
  h.ylm = s.ylm, h.ylvx = s.ylvx;
  h.f = s.strength.f;
  h.fv = s.strength.fv;
  h.fy = s.strength.fy;
}

SectionAtHeight::SectionAtHeight(const Held& h, const BootBeamSection& at)
    : terms_(sectionTerms(h, at.Mshmax, at.shear.Vshmax)), f_(at.strength.f), fv_(at.strength.fv) {}

bool SectionAtHeight::holds(double hsh) const {
  const SectionStresses s = sectionStresses(terms_, hsh);
  return !(s.ylm > f_ || s.ylvx > fv_);
}

namespace {

// The boot beam's strengths of the section that holds (in a check, of the given section).
void keepBootBeamStrengths(Held& h, const tables::BendingShearStrength& strength) {
  h.fsh = strength.f;
  h.fvsh = strength.fv;
}

// A boot beam that fails becomes thicker while it stays within the flange thickness (a wider
// plate), otherwise higher, 10 mm and one round at a time. Only the height changes while it
// grows, and a section that holds holds the better higher up: the heights are tried on the
// section's height terms alone, the count of steps found at once, and the section is worked out
// in full once more at the height that holds.
Next bootBeamSection(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds) {
  BootBeamSection section = bootBeamSectionAt(type, m, h);
  holdBootBeamSection(type, h, section);
  if (!section.holds()) {
    h.tsh += tables::thicknessStep;
    if (h.tsh <= h.tf) return Next::Sizes;
    h.tsh -= tables::thicknessStep;  // a boot beam thicker than the column flange: higher instead
    const SectionAtHeight atHeight(h, section);
    const AddedUpSteps raised = addedUpStepsThatHold(
        h.hsh, tables::heightStep, [&atHeight](double hsh) { return atHeight.holds(hsh); }, rounds);
    rounds.advance(raised.steps);
    h.hsh = raised.before + tables::heightStep;
    section = bootBeamSectionAt(type, m, h);
    holdBootBeamSection(type, h, section);
  }
  keepBootBeamStrengths(h, section.strength);
  return Next::Continue;
}

// The leg of the boot-beam-to-column weld at the boot-beam height hsh, rounded up to even.
double bootBeamWeldLegAt(const Held& h, double hsh, double minimumLeg) {
  double leg = weldLegFor(h.Vshmax, hsh - tables::weldStopBelowTop - tables::stiffenerCornerCut, h.ffw);
  if (minimumLeg > leg) leg = minimumLeg;
  return roundUpToEven(leg);
}

}  // namespace

// The count of 2 mm steps is found at once and then confirmed by the same comparison the
// step-by-step growth makes, so the leg and the rounds spent are those of growing it step by step.
long legStepsEstimate(double hf, double lf) {
  constexpr double countedLegs = tables::longestWeldInLegs - tables::weldEndsInLegs;
  return std::max(1L, static_cast<long>(std::ceil((lf / countedLegs - hf) / tables::legStep)));
}

double legForWeldLength(double hf, double lf, RoundLimit& rounds) {
  using tables::legStep;
  const auto tooShort = [lf](double leg) { return tables::longestWeldInLegs * leg < tables::weldEndsInLegs * leg + lf; };
  if (!tooShort(hf)) return hf;
  long steps = legStepsEstimate(hf, lf);
  while (steps > 1 && !tooShort(hf + legStep * (steps - 1))) --steps;
  while (tooShort(hf + legStep * steps)) ++steps;
  rounds.advance(steps);
  return hf + legStep * steps;
}

// Only the weld's length grows with the height (the flange force stays), and the section that held
// at the lower height holds the better at a higher one, so the count of steps is found at once and
// confirmed on the heights the step-by-step growth reaches. The boot beam is left one step short,
// for the caller's round and its whole pass at that height. A leg that the smallest leg alone keeps
// too large never fits: the round limit would be reached step by step.
void raiseBootBeamForWeldLeg(Held& h, double minimumLeg, RoundLimit& rounds) {
  if (roundUpToEven(minimumLeg) > tables::largestFilletLeg) rounds.exhaust();
  const auto fits = [&](double hsh) { return !(bootBeamWeldLegAt(h, hsh, minimumLeg) > tables::largestFilletLeg); };
  const AddedUpSteps raised = addedUpStepsThatHold(h.hsh, tables::heightStep, fits, rounds);
  rounds.advance(raised.steps - 1);
  h.hsh = raised.before;
}

namespace {

// Whether no boot beam of this height or higher can have a weld to the column within `thinnest`:
// a weld counts over at most 60 legs, so its leg is at least lf/58, and lf grows with the height
// while the leg the flange force asks for only falls. 1 mm covers the rounding of 2·leg + lf.
bool weldOutgrowsThinnerPart(double lf, double thinnest) {
  return lf > (tables::longestWeldInLegs - tables::weldEndsInLegs) * thinnest + 1;
}

// The weld of each boot beam to the column flange carries the flange force; its leg is
// at least 1.5·√t, at most 16 and no thicker than the thinner of the two parts.
Next bootBeamToColumnWeld(const Materials& m, Held& h, RoundLimit& rounds) {
  const BootBeamColumnWeld weld = bootBeamColumnWeldAt(m, h, rounds);
  holdBootBeamColumnWeld(h, weld);
  switch (weld.end) {
    case ColumnWeldEnd::Holds: break;
    case ColumnWeldEnd::NoLength: requireWeldLength(weld.lf); break;
    case ColumnWeldEnd::BeyondLargestLeg:
      raiseBootBeamForWeldLeg(h, weld.minimumLeg, rounds);
      h.hsh += tables::heightStep;
      return Next::BootBeam;
    case ColumnWeldEnd::ThickerBootBeam: h.tsh += tables::thicknessStep; return Next::Sizes;
    case ColumnWeldEnd::HigherBootBeam:
      // A boot beam at least as thick as the flange only grows higher from here, the section holding
      // the better: where the weld's length alone keeps its leg beyond the flange, it would grow
      // round by round until the round limit.
      if (weldOutgrowsThinnerPart(h.lf, std::min(h.tsh, h.tf))) rounds.exhaust();
      h.hsh += tables::heightStep;
      return Next::BootBeam;
  }
  return Next::Continue;
}

// The boot beam's outstand beyond the column against its thickness.
Next bootBeamSlenderness(const BootBeamType& type, Held& h) {
  h.write5 = (h.a + h.lt) / h.tsh;
  h.write6 = tables::outstandLimit(h.fy);
  if (!(outstandRatio(type.geometry->bootBeamOutstand, h) > h.write6)) return Next::Continue;
  h.tsh += tables::thicknessStep;
  return Next::Sizes;
}

}  // namespace

double columnWeldLength(const Held& h) { return h.hsh - tables::weldStopBelowTop - tables::stiffenerCornerCut; }

BootBeamColumnWeld bootBeamColumnWeldAt(const Materials& m, const Held& h, RoundLimit& rounds) {
  BootBeamColumnWeld w{.ffw = m.steel->ffw, .lf = columnWeldLength(h), .minimumLeg = 0, .hf2 = 0,
                       .end = ColumnWeldEnd::NoLength};
  if (!(w.lf > 0)) return w;
  w.minimumLeg = tables::smallestFilletLeg(std::max(h.tsh, h.tf));
  w.hf2 = roundUpToEven(std::max(weldLegFor(h.Vshmax, w.lf, w.ffw), w.minimumLeg));
  if (w.hf2 > tables::largestFilletLeg) {
    w.end = ColumnWeldEnd::BeyondLargestLeg;
    return w;
  }
  w.hf2 = legForWeldLength(w.hf2, w.lf, rounds);
  if (!(std::min(h.tsh, h.tf) < w.hf2)) {
    w.end = ColumnWeldEnd::Holds;
  } else {
    w.end = h.tsh < h.tf ? ColumnWeldEnd::ThickerBootBeam : ColumnWeldEnd::HigherBootBeam;
  }
  return w;
}

void holdBootBeamColumnWeld(Held& h, const BootBeamColumnWeld& w) {
  h.ffw = w.ffw, h.lf = w.lf;
  if (w.end != ColumnWeldEnd::NoLength) h.hf2 = w.hf2;
}

PlateWelds plateWeldsAt(const Held& h) {
  const double alongBootBeam = h.L - 2 * h.hf5;
  const double outsideColumn = (h.L - h.hb) / 2 - 2 * h.hf5;
  requireWeldLength(alongBootBeam);
  requireWeldLength(outsideColumn);
  PlateWelds w{};
  w.AF = h.bf * h.tf;
  w.Aeww = tables::filletThroat * h.hf5 * (alongBootBeam + 2 * outsideColumn) * 2;
  w.ylnc = h.N / (2 * w.AF + w.Aeww);
  const double flangeArm = (h.hb - h.tf) / 2;
  w.Iw = tables::filletThroat * h.hf5 * alongBootBeam * alongBootBeam * alongBootBeam / 6 -
         tables::filletThroat * h.hf5 * h.hb * h.hb * h.hb / 12 + h.bf * h.tf * h.tf * h.tf / 12 +
         h.bf * h.tf * flangeArm * flangeArm;
  w.ylmc = (h.M * h.L / 4) / w.Iw;
  w.ylv = h.V / w.Aeww;
  w.ylf = w.ylnc + w.ylmc;
  w.ylfs = std::sqrt(square((w.ylnc + w.ylmc) / tables::betaF) + square(w.ylv));
  return w;
}

bool PlateWelds::holds(double ffw) const { return tables::betaF * ffw >= ylf && ylfs <= ffw; }

namespace {

// The plate welds' values held. The T-shaped base holds the column flange's strength by tf with
// them, which its report lists as f; beyond the rolled bands the boot beam's strength fsh stands
// for it, as the section just kept it.
void holdPlateWelds(const BootBeamType& type, const Materials& m, Held& h, const PlateWelds& w) {
  h.AF = w.AF, h.Aeww = w.Aeww, h.ylnc = w.ylnc, h.Iw = w.Iw;
  h.ylmc = w.ylmc, h.ylv = w.ylv, h.ylf = w.ylf, h.ylfs = w.ylfs;
  h.ffw = m.steel->ffw;
  if (type.holdsFlangeStrength) {
    h.fFlange = tables::rolledStrength(*m.steel, h.tf, h.fsh);
    h.f = h.fFlange;
  }
}

// Column and boot beams welded all round to the plate carry N, M and V: true when the welds of
// leg hf5 hold.
bool plateWeldsHold(const BootBeamType& type, const Materials& m, Held& h) {
  const PlateWelds welds = plateWeldsAt(h);
  holdPlateWelds(type, m, h, welds);
  return welds.holds(h.ffw);
}

}  // namespace

double plateWeldStartingLeg(const BootBeamType& type, double tpb) {
  double hf = 8;
  if (tables::smallestFilletLeg(tpb) > 8) hf = tables::smallestFilletLeg(tpb);
  return type.plateWeldLegRounding(hf);
}

namespace {

// The plate welds grow by 2 mm up to the thinner of boot beam and plate; beyond, the boot beam
// grows thicker.
Next plateWelds(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds) {
  h.hf5 = plateWeldStartingLeg(type, h.tpb);
  while (!plateWeldsHold(type, m, h)) {
    h.hf5 += tables::legStep;
    if (!(std::min(h.tsh, h.tpb) >= h.hf5)) {
      h.tsh += tables::thicknessStep;
      return Next::Sizes;
    }
    rounds.next();
  }
  h.hf5 = roundUpToEven(h.hf5);
  return Next::Continue;
}

// One pass over the boot beams and what stands beyond them, at the current boot-beam height.
Next bootBeamsOnce(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds) {
  Next next = bootBeamSection(type, m, h, rounds);
  if (next == Next::Continue) next = bootBeamToColumnWeld(m, h, rounds);
  if (next == Next::Continue) next = bootBeamSlenderness(type, h);
  if (next == Next::Continue) next = plateWelds(type, m, h, rounds);
  if (next == Next::Continue) next = type.beyondBootBeams(m, h, rounds);
  return next;
}

}  // namespace

Trial bootBeamsAndBeyond(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds) {
  h.hsh = std::max(250.0, 0.4 * h.hb);
  Next next = bootBeamsOnce(type, m, h, rounds);
  while (next == Next::BootBeam) {  // again with the higher boot beam
    rounds.next();
    next = bootBeamsOnce(type, m, h, rounds);
  }
  return next == Next::Continue ? Trial::Designed : Trial::Again;
}

// ---- a given base ----------------------------------------------------------------------------

bool givenPressureAndBolts(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds) {
  h.L0 = h.L, h.B0 = h.B;
  h.e = h.M / h.N;
  concreteAndLimit(m, h);
  h.write3 = h.L / 6 + h.lt / 3;
  if (!pressureUnderPlate(type, h, rounds)) return false;
  // The given bolt is checked as it is; the friction stands whether it holds or not.
  rigidbase::anchorBoltsHold(m.fta, h);
  h.Vfb = tables::frictionResistance(h.N + h.ta);
  return true;
}

bool givenPlateAndBootBeams(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds,
                            GivenSizeFindings& findings) {
  if (!givenPressureAndBolts(type, m, h, rounds)) return false;
  type.panels(h);
  const double tpb = h.tpb;
  type.plateThickness(m, h);
  h.tpb = tpb;
  checkBootBeams(type, m, h, findings);
  return true;
}

void checkBootBeams(const BootBeamType& type, const Materials& m, Held& h, GivenSizeFindings& findings) {
  const BootBeamSection section = bootBeamSectionAt(type, m, h);
  holdBootBeamSection(type, h, section);
  keepBootBeamStrengths(h, section.strength);
  h.ffw = m.steel->ffw;
  h.lf = columnWeldLength(h);
  if (!(h.lf > 0)) findings.unevaluated.push_back({"bootBeamWeld", "靴梁与柱焊缝计算长度 hsh − 35 ≤ 0"});
  h.write5 = (h.a + h.lt) / h.tsh;
  h.write6 = tables::outstandLimit(h.fy);
  // The shorter weld along the plate, beyond the column, decides; the plate's whole length is longer.
  if ((h.L - h.hb) / 2 - 2 * h.hf5 > 0) {
    plateWeldsHold(type, m, h);
  } else {
    for (const char* id : {"plateWeld", "plateWeldCombined"})
      findings.unevaluated.push_back({id, "靴梁与底板焊缝计算长度 (L − hb)/2 − 2hf ≤ 0"});
  }
}

void bootBeamRules(const BootBeamType& type, const Held& h, GivenSizeFindings& findings) {
  auto& rules = findings.rules;
  rules.push_back(atLeastRule("ruleT", "底板最小厚度", "t ≥ 20", h.tpb, 20, {"Edttpb"}));
  const double hf2 = roundUpToEven(tables::smallestFilletLeg(std::max(h.tsh, h.tf)));
  rules.push_back(atLeastRule("ruleHf2", "靴梁与柱焊脚最小尺寸", "hf ≥ 1.5·√max(tsh, tf)，取偶数", h.hf2, hf2, {"Edthfxlb"}));
  rules.push_back(atMostRule("ruleHf2Max", "靴梁与柱焊脚最大尺寸", "hf ≤ 16", h.hf2, tables::largestFilletLeg, {"Edthfxlb"}));
  // A fillet weld counts over at most 60 legs.
  rules.push_back(atLeastRule("ruleHf2Length", "靴梁与柱焊缝长度不超过 60hf", "hf ≥ lf/58", h.hf2, h.lf / 58, {"Edthfxlb"}));
  rules.push_back(atLeastRule("ruleHf5", "柱及靴梁与底板焊脚尺寸", "hf ≥ max(8, 1.5·√t)，取偶数", h.hf5,
                              plateWeldStartingLeg(type, h.tpb), {"Edthf5"}));
  rules.push_back(atMostRule("ruleHf5Max", "柱及靴梁与底板焊脚不大于较薄件", "hf ≤ min(tsh, t)", h.hf5,
                             std::min(h.tsh, h.tpb), {"Edthf5"}));
}

}  // namespace pedivo::bootbeam
