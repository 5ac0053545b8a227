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
  h.n = type.n;
}

void startPass(const BootBeamType& type, const Entries& e, Held& h) {
  readForcesAndSection(type, e, h);
  h.dms = type.startingBolt;
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
      type.pressure, {h.N, h.M, h.e, h.L, h.B, h.lt, h.write3, h.Ec, h.n, h.Aems, h.dms, h.zones}, rounds);
  if (pressure.eccentricity == Eccentricity::BeyondBoltRow) h.Es = tables::Es;
  return rigidbase::holdPressure(pressure, h);
}

void panelPlateThickness(const Materials& m, Held& h) {
  const auto panels = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * h.M2 / f); });
  h.tpbc = panels.t;
  h.f = h.fpb = panels.f;
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

namespace {

void bootBeamShear(Held& h) {
  h.Vsh1 = h.M / h.hb + h.N / 2;  // the flange force of the column
  h.Vsh2 = h.ta;
  h.Vshmax = std::max(h.Vsh1, h.Vsh2);
}

}  // namespace

bool bootBeamSectionHolds(const BootBeamType& type, const Materials& m, Held& h) {
  h.ax = h.tpb * h.B * (h.hsh + h.tpb) / 2 / (2 * h.tsh * h.hsh + h.tpb * h.B);
  const double plateArm = (h.hsh + h.tpb) / 2 - h.ax;
  h.Ix = 2 * (h.tsh * h.hsh * h.hsh * h.hsh / 12 + h.tsh * h.hsh * h.ax * h.ax) + h.B * h.tpb * h.tpb * h.tpb / 12 +
         h.B * h.tpb * plateArm * plateArm;
  bootBeamShear(h);
  const double outstand = h.L - h.hb;
  const double cantilever = pressureAt(h, outstand / 4) * outstand * outstand * h.B / 8;
  h.Msh2 = pressureAt(h, h.L / 2) * h.hb * h.hb / 8 * h.B;
  type.cantileverMoments(h, cantilever);
  h.ylm = (h.hsh / 2 + h.ax) * h.Mshmax / h.Ix;
  h.ylvx = 1.5 * h.Vshmax / h.hsh / h.tsh / 2;
  const auto strength = tables::bendingShearStrength(*m.steel, h.tsh);
  h.f = strength.f;
  h.fv = strength.fv;
  h.fy = strength.fy;
  return !(h.ylm > h.f || h.ylvx > h.fv);
}

SectionAtHeight::SectionAtHeight(const Held& h)
    : tsh_(h.tsh),
      tpb_(h.tpb),
      plateWidthArea_(h.tpb * h.B),
      plateSecondMoment_(h.B * h.tpb * h.tpb * h.tpb / 12),
      plateArea_(h.B * h.tpb),
      doubleThickness_(2 * h.tsh),
      Mshmax_(h.Mshmax),
      shearNumerator_(1.5 * h.Vshmax),
      f_(h.f),
      fv_(h.fv) {}

// Each product in the order bootBeamSectionHolds writes it, so a height gives the same verdict
// either way.
bool SectionAtHeight::holds(double hsh) const {
  const double ax = plateWidthArea_ * (hsh + tpb_) / 2 / (doubleThickness_ * hsh + plateWidthArea_);
  const double plateArm = (hsh + tpb_) / 2 - ax;
  const double Ix = 2 * (tsh_ * hsh * hsh * hsh / 12 + tsh_ * hsh * ax * ax) + plateSecondMoment_ +
                    plateArea_ * plateArm * plateArm;
  const double ylm = (hsh / 2 + ax) * Mshmax_ / Ix;
  const double ylvx = shearNumerator_ / hsh / tsh_ / 2;
  return !(ylm > f_ || ylvx > fv_);
}

namespace {

// A boot beam that fails becomes thicker while it stays within the flange thickness (a wider
// plate), otherwise higher, 10 mm and one round at a time. Only the height changes while it
// grows, and a section that holds holds the better higher up: the heights are tried on the
// section's height terms alone, the count of steps found at once, and the section is worked out
// in full once more at the height that holds.
Next bootBeamSection(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds) {
  if (!bootBeamSectionHolds(type, m, h)) {
    h.tsh += tables::thicknessStep;
    if (h.tsh <= h.tf) return Next::Sizes;
    h.tsh -= tables::thicknessStep;  // a boot beam thicker than the column flange: higher instead
    const SectionAtHeight section(h);
    const AddedUpSteps raised =
        addedUpStepsThatHold(h.hsh, tables::heightStep, [&section](double hsh) { return section.holds(hsh); }, rounds);
    rounds.advance(raised.steps);
    h.hsh = raised.before + tables::heightStep;
    bootBeamSectionHolds(type, m, h);
  }
  h.fsh = h.f;
  h.fvsh = h.fv;
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
double legForWeldLength(double hf, double lf, RoundLimit& rounds) {
  using tables::legStep;
  const auto tooShort = [lf](double leg) { return tables::longestWeldInLegs * leg < tables::weldEndsInLegs * leg + lf; };
  if (!tooShort(hf)) return hf;
  constexpr double countedLegs = tables::longestWeldInLegs - tables::weldEndsInLegs;
  long steps = std::max(1L, static_cast<long>(std::ceil((lf / countedLegs - hf) / legStep)));
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
  h.ffw = m.steel->ffw;
  bootBeamShear(h);
  h.lf = h.hsh - tables::weldStopBelowTop - tables::stiffenerCornerCut;
  requireWeldLength(h.lf);
  h.hf2 = bootBeamWeldLegNeeded(h);
  const double minimumLeg = tables::smallestFilletLeg(std::max(h.tsh, h.tf));
  h.hf2 = std::max(h.hf2, minimumLeg);
  h.hf2 = roundUpToEven(h.hf2);
  if (h.hf2 > tables::largestFilletLeg) {  // beyond the largest leg: a higher boot beam gives a longer weld
    raiseBootBeamForWeldLeg(h, minimumLeg, rounds);
    h.hsh += tables::heightStep;
    return Next::BootBeam;
  }
  h.hf2 = legForWeldLength(h.hf2, h.lf, rounds);
  if (std::min(h.tsh, h.tf) < h.hf2) {
    if (h.tsh < h.tf) {
      h.tsh += tables::thicknessStep;
      return Next::Sizes;
    }
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
  if (!(outstandRatio(type.geometry.bootBeamOutstand, h) > h.write6)) return Next::Continue;
  h.tsh += tables::thicknessStep;
  return Next::Sizes;
}

// Column and boot beams welded all round to the plate carry N, M and V: true when the welds of
// leg hf5 hold.
bool plateWeldsHold(const BootBeamType& type, const Materials& m, Held& h) {
  h.AF = h.bf * h.tf;
  const double alongBootBeam = h.L - 2 * h.hf5;
  const double outsideColumn = (h.L - h.hb) / 2 - 2 * h.hf5;
  requireWeldLength(alongBootBeam);
  requireWeldLength(outsideColumn);
  h.Aeww = tables::filletThroat * h.hf5 * (alongBootBeam + 2 * outsideColumn) * 2;
  h.ylnc = h.N / (2 * h.AF + h.Aeww);
  const double flangeArm = (h.hb - h.tf) / 2;
  h.Iw = tables::filletThroat * h.hf5 * alongBootBeam * alongBootBeam * alongBootBeam / 6 - tables::filletThroat * h.hf5 * h.hb * h.hb * h.hb / 12 +
         h.bf * h.tf * h.tf * h.tf / 12 + h.bf * h.tf * flangeArm * flangeArm;
  h.ylmc = (h.M * h.L / 4) / h.Iw;
  h.ylv = h.V / h.Aeww;
  h.ylf = h.ylnc + h.ylmc;
  h.ylfs = std::sqrt(square((h.ylnc + h.ylmc) / tables::betaF) + square(h.ylv));
  h.ffw = m.steel->ffw;
  if (type.plateWeldRolledStrength) h.f = tables::rolledStrength(*m.steel, h.tf, h.f);
  return tables::betaF * h.ffw >= h.ylf && h.ylfs <= h.ffw;
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
  bootBeamSectionHolds(type, m, h);
  h.fsh = h.f;
  h.fvsh = h.fv;
  h.ffw = m.steel->ffw;
  bootBeamShear(h);
  h.lf = h.hsh - tables::weldStopBelowTop - tables::stiffenerCornerCut;
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
  rules.push_back(atLeastRule("ruleHf2", "靴梁与柱焊脚尺寸", "hf ≥ 1.5·√max(tsh, tf)，取偶数", h.hf2, hf2, {"Edthfxlb"}));
  rules.push_back(atMostRule("ruleHf2Max", "靴梁与柱焊脚最大尺寸", "hf ≤ 16", h.hf2, tables::largestFilletLeg, {"Edthfxlb"}));
  // A fillet weld counts over at most 60 legs.
  rules.push_back(atLeastRule("ruleHf2Length", "靴梁与柱焊缝长度不超过 60hf", "hf ≥ lf/58", h.hf2, h.lf / 58, {"Edthfxlb"}));
  rules.push_back(atLeastRule("ruleHf5", "柱及靴梁与底板焊脚尺寸", "hf ≥ max(8, 1.5·√t)，取偶数", h.hf5,
                              plateWeldStartingLeg(type, h.tpb), {"Edthf5"}));
  rules.push_back(atMostRule("ruleHf5Max", "柱及靴梁与底板焊脚不大于较薄件", "hf ≤ min(tsh, t)", h.hf5,
                             std::min(h.tsh, h.tpb), {"Edthf5"}));
}

}  // namespace pedivo::bootbeam
