#include "design/bootbeam/boot_beam.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "design/bootbeam/boot_beam_values.h"
#include "design/bootbeam/boot_beam_remedies.h"
#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/plate_layout.h"
#include "design/common/result_text.h"
#include "design/common/rigid_base.h"
#include "design/common/standard_controls.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

using Held = BootBeamHeld;
using rigidbase::Eccentricity;
using rigidbase::PassEnd;

enum class Variant { TShaped, Channel };

// Where a step sends the design next.
enum class Next {
  Continue,  // to the following step (after the last one: designed)
  Sizes,     // back to the plate sizes: a thicker boot beam or stiffener widens the plate
  BootBeam,  // back to the boot-beam section with a higher boot beam
};


// The linear pressure under the plate at distance x from the compressed edge.
double pressureAt(const Held& h, double x) { return h.ylc * (h.xn - x) / h.xn; }

// ---- forces, section and plate sizes ---------------------------------------------------------

void readSectionAndForces(const Entries& e, Held& h) {
  h.N = rigidbase::readAxialForce(e);
  h.M = readNumber(e, "EdtM") * 1000000;
  h.V = readNumber(e, "EdtV") * 1000;
  h.bf = readNumber(e, "Edtbf");
  h.hb = readNumber(e, "Edthc");
  h.tw = readNumber(e, "Edttw");
  h.tf = readNumber(e, "Edttf");
}

void plateSizes(Variant variant, const Entries& e, Held& h) {
  const PlateLayout layout = plateLayout(e, static_cast<int>(h.dms));  // lt = bt = 2·(dms + 2)
  h.Aems = layout.Aems, h.a = layout.a, h.c = layout.c, h.lt = layout.lt, h.bt = layout.bt;
  // The channel's plate is the flange width with the boot beams and 20 mm beyond each.
  if (variant == Variant::Channel) h.B = 2 * h.tsh + h.bf + 40;
}

// ---- plan, eccentricity, pressure and bearing -----------------------------------------------

// The pressure under the plate and the bolt tension; false for axial tension within
// the bolt rows, which the method does not cover.
bool pressureUnderPlate(Variant variant, Held& h, RoundLimit& rounds) {
  const Eccentricity eccentricity = rigidbase::eccentricityCase(h.e, h.L, h.write3);
  switch (eccentricity) {
    case Eccentricity::WithinKern:
      h.ta = 0;
      h.ylc = (6 * h.e / h.L + 1) * h.N / h.L / h.B;
      h.xn = h.L;
      h.judge = variant == Variant::Channel ? "e<=L/6" : rigidbase::judgeText(eccentricity);
      return true;
    case Eccentricity::WithinBoltRow:
      h.ta = 0;
      h.ylc = 2 * h.N / (h.L / 2 - h.e) / 3 / h.B;
      h.xn = variant == Variant::Channel ? h.L - h.lt : 3 * (h.L / 2 - h.e);
      h.judge = rigidbase::judgeText(eccentricity);
      return true;
    case Eccentricity::TensionInside:
      return false;
    case Eccentricity::BeyondBoltRow:
      break;
  }
  h.judge = rigidbase::judgeText(eccentricity);
  h.Es = tables::Es;
  const auto linear = rigidbase::linearPressure(h.N, h.M, h.B, h.L, h.lt);
  h.ylmax = linear.ylmax;
  h.ylmin = linear.ylmin;
  h.xn = linear.xn;  // ylmax·L/(ylmax − ylmin): the same product either way round
  h.ylc = h.ylmax;
  h.ta = linear.ta;
  if (h.dms >= 60) {
    // Large bolts: the compressed zone from the equilibrium with the bolt row.
    const double tolerance = variant == Variant::Channel ? 5e-6 : 1e-6;
    const auto zone =
        rigidbase::bisectCompressedZone({h.e, h.L, h.lt, h.B, h.Es, h.Ec, h.n, h.Aems, tolerance}, rounds);
    h.xn = zone.xn;
    h.dx = zone.dx;
    h.Fx = zone.Fx;
    h.ta = (h.e - h.L / 2 + h.xn / 3) * h.N / (h.L - h.lt - h.xn / 3);
    h.ylc = 2 * h.N * (h.L / 2 + h.e - h.lt) / h.B / h.xn / (h.L - h.lt - h.xn / 3);
  }
  return true;
}

void concreteAndLimit(const Materials& m, Held& h) {
  h.fc = m.concrete.fc;
  h.Ec = m.concrete.Ec;
}

// T-shaped: the plate from its layout, brought to whole tens; a and c absorb the growth in
// steps of 5. Too much bearing widens a and c and the plan is made again.
bool tPlanAndBearing(const Materials& m, Held& h, RoundLimit& rounds) {
  while (true) {  // again with a plate grown for bearing
    h.L = 2 * (h.a + h.lt) + h.hb;
    h.B = 2 * h.c + h.bf + 2 * h.bt + 2 * h.tsh;
    h.L0 = h.L;
    h.B0 = h.B;
    h.L = trunc((h.L + 9) / 10) * 10;
    h.B = trunc((h.B + 9) / 10) * 10;
    h.a = trunc(((h.L - h.L0) / 2 + h.a + 0.4) / 5) * 5;
    h.c = trunc(((h.B - h.B0) / 2 + h.c + 0.4) / 5) * 5;
    h.lt = (h.L - h.hb) / 2 - h.a;
    h.bt = (h.B - h.bf - 2 * h.tsh - 2 * h.c) / 2;
    h.e = h.M / h.N;
    concreteAndLimit(m, h);
    h.write3 = h.L / 6 + h.lt / 3;
    if (!pressureUnderPlate(Variant::TShaped, h, rounds)) return false;
    if (!(h.ylc > h.fc)) return true;
    rounds.next();
    h.a += 5;
    h.c += 2;
  }
}

// The channel's bearing: what it found for a plate, and the rounds it spent finding it.
struct ChannelBearing {
  // What the plate length depends on within one calculation (forces and materials are fixed).
  struct Plate {
    double B, L, lt, dms, Aems;
    bool operator==(const Plate&) const = default;
  };
  Plate plate;
  double L, e, write3, ta, ylc, xn, Es, ylmax, ylmin, dx, Fx;
  std::string judge;
  long rounds;
};

// Channel: the width is fixed by the boot beams; too much bearing lengthens the plate only.
bool lengthenChannelForBearing(Held& h, RoundLimit& rounds) {
  while (true) {
    h.e = h.M / h.N;
    h.write3 = h.L / 6 + h.lt / 3;
    if (!pressureUnderPlate(Variant::Channel, h, rounds)) return false;
    if (!(h.ylc > h.fc)) return true;
    rounds.next();
    h.L += 10;
  }
}

// A pass that only thickened the boot beams within the same rounded plate width lengthens the same
// plate again: the last bearing found is taken over with the rounds it spent, so the plate, the
// stresses and the round count are those of lengthening it once more.
bool channelPlanAndBearing(const Materials& m, Held& h, RoundLimit& rounds, std::optional<ChannelBearing>& last) {
  h.B = trunc((h.B + 9) / 10) * 10;
  concreteAndLimit(m, h);
  h.L = 2 * (h.a + h.lt) + h.hb;
  h.L = trunc((h.L + 9) / 10) * 10;
  const ChannelBearing::Plate plate{h.B, h.L, h.lt, h.dms, h.Aems};
  if (last && last->plate == plate) {
    rounds.advance(last->rounds);
    h.L = last->L, h.e = last->e, h.write3 = last->write3, h.ta = last->ta, h.ylc = last->ylc, h.xn = last->xn;
    h.Es = last->Es, h.ylmax = last->ylmax, h.ylmin = last->ylmin, h.dx = last->dx, h.Fx = last->Fx;
    h.judge = last->judge;
    return true;
  }
  const long before = rounds.used();
  if (!lengthenChannelForBearing(h, rounds)) return false;
  last = ChannelBearing{plate, h.L,     h.e,     h.write3, h.ta, h.ylc, h.xn,
                        h.Es,  h.ylmax, h.ylmin, h.dx,     h.Fx, h.judge, rounds.used() - before};
  return true;
}

// False when the tension bolts are overstressed.
bool anchorBoltsHold(const Materials& m, Held& h) {
  const auto bolts = rigidbase::tensionBolts(m.fta, h.ta, h.n, h.Aems);
  h.fta = bolts.fta;
  h.write4 = bolts.write4;
  return bolts.holds();
}

// ---- base plate ------------------------------------------------------------------------------

using rigidbase::fourSidePanel;
using rigidbase::threeSidePanel;

void tPanels(Held& h) {
  const double q0 = h.ylc;
  const double qMid = pressureAt(h, h.L / 2);
  const auto p1 = threeSidePanel(h.bt + h.c, h.hb - 2 * h.tjjl, qMid);
  h.b21 = p1.b, h.a21 = p1.a, h.r11 = p1.r, h.alf1 = p1.k, h.M221 = p1.M;
  const auto p2 = threeSidePanel(h.a + h.lt, h.bf, q0);
  h.b22 = p2.b, h.a22 = p2.a, h.r12 = p2.r, h.alf2 = p2.k, h.M222 = p2.M;
  // The corner outside the boot beam, supported on two adjacent sides, taken on its diagonal.
  const double diagonal = std::sqrt(square(h.a + h.lt) + square(h.c + h.bt));
  const auto p3 = threeSidePanel((h.a + h.lt) * (h.c + h.bt) / diagonal, diagonal, q0);
  h.b23 = p3.b, h.a23 = p3.a, h.r13 = p3.r, h.alf3 = p3.k, h.M223 = p3.M;
  const auto p4 = fourSidePanel(h.hb - 2 * h.tf, (h.bf - h.tw) / 2, qMid);
  h.b3 = p4.b, h.a3 = p4.a, h.r2 = p4.r, h.beta = p4.k, h.M224 = p4.M;
  h.M2 = 0;
  for (const double moment : {h.M221, h.M222, h.M223, h.M224}) h.M2 = std::max(h.M2, moment);
}

void channelPanels(Held& h) {
  const auto p1 = threeSidePanel(h.lt, h.bf, h.ylc);
  h.b21 = p1.b, h.a21 = p1.a, h.r11 = p1.r, h.alf1 = p1.k, h.M221 = p1.M;
  // Inside the channel between the diaphragm and the bolt line, and between the flanges.
  const auto p2 = fourSidePanel(h.bf, (h.L - h.hb) / 2 - h.lt, pressureAt(h, h.lt));
  h.b31 = p2.b, h.a31 = p2.a, h.r21 = p2.r, h.beta1 = p2.k, h.M222 = p2.M;
  const auto p3 = fourSidePanel(h.hb - 2 * h.tf, (h.bf - h.tw) / 2, pressureAt(h, h.L / 2));
  h.b32 = p3.b, h.a32 = p3.a, h.r22 = p3.r, h.beta2 = p3.k, h.M223 = p3.M;
  h.M2 = 0;
  for (const double moment : {h.M221, h.M222, h.M223}) h.M2 = std::max(h.M2, moment);
}

void plateThickness(Variant variant, const Materials& m, Held& h) {
  const auto panels = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * h.M2 / f); });
  h.tpbc = panels.t;
  h.f = h.fpb = panels.f;
  h.tgrp = tables::plateThicknessGroup(*m.steel, h.tpbc);
  if (variant == Variant::Channel) {
    h.tpb = std::max(20.0, trunc(h.tpbc + 0.99));
    return;
  }
  // The plate round a tension bolt, between the boot beam and a stiffener, and across the
  // flange width; each thickness group recomputes both layouts.
  h.Ntal = 2 * h.ta / h.n;
  const auto atBolts = tables::plateThicknessByGroup(*m.steel, [&](double f) {
    h.lx1 = std::min(h.a * (3.5 - 1.5 * h.a / (h.a + h.lt)), h.c + h.bt);
    h.ly1 = std::min(h.c * (3.5 - 1.5 * h.c / (h.c + h.bt)), h.a + h.lt);
    const double d1 = h.c * h.c * h.c * h.lx1 + h.a * h.a * h.a * h.ly1;
    h.tpbt1 = h.c > h.a ? std::sqrt(6 * h.Ntal * h.a * h.c * h.c * h.c / d1 / f)
                        : std::sqrt(6 * h.Ntal * h.c * h.a * h.a * h.a / d1 / f);
    h.lx2 = std::min(h.a * (3.5 - 1.5 * h.a / (h.a + h.lt)), h.bf);
    h.ly2 = std::min(2.75 * h.c, h.a + h.lt);
    const double half = h.bf / 2;
    const double d2 = 8 * h.a * h.a * h.a * h.ly2 + half * half * half * h.lx2;
    h.tpbt2 = h.bf * h.bf < 8 * h.a * h.a ? std::sqrt(6 * h.Ntal * h.bf * h.a * h.a * h.a / d2 / f)
                                          : std::sqrt(6 * h.Ntal * h.a * half * half * half / d2 / f);
    h.tpbt = std::max(h.tpbt1, h.tpbt2);
    return h.tpbt;
  });
  h.f = h.fpbt = atBolts.f;
  h.tgrp = tables::plateThicknessGroup(*m.steel, h.tpbt);
  h.tpb = std::max(20.0, roundUpToWhole(std::max(h.tpbt, h.tpbc)));
}

// ---- boot beams ------------------------------------------------------------------------------

// Shear stress in the welds of a boot beam to the column; none before a weld is sized.
double bootBeamWeldStress(const Held& h) { return h.hf2 * h.lf > 0 ? h.Vshmax / (1.4 * h.hf2 * h.lf) : 0; }

void bootBeamShear(Held& h) {
  h.Vsh1 = h.M / h.hb + h.N / 2;  // the flange force of the column
  h.Vsh2 = h.ta;
  h.Vshmax = std::max(h.Vsh1, h.Vsh2);
}

// The two boot-beam plates with the base plate as their flange, as a cantilever beyond
// the column and as a span between its flanges. A boot beam that fails becomes thicker while it
// stays within the flange thickness, otherwise higher.
Next bootBeamSection(Variant variant, const Materials& m, Held& h, RoundLimit& rounds) {
  while (true) {
    h.ax = h.tpb * h.B * (h.hsh + h.tpb) / 2 / (2 * h.tsh * h.hsh + h.tpb * h.B);
    const double plateArm = (h.hsh + h.tpb) / 2 - h.ax;
    h.Ix = 2 * (h.tsh * h.hsh * h.hsh * h.hsh / 12 + h.tsh * h.hsh * h.ax * h.ax) + h.B * h.tpb * h.tpb * h.tpb / 12 +
           h.B * h.tpb * plateArm * plateArm;
    bootBeamShear(h);
    const double outstand = h.L - h.hb;
    const double cantilever = pressureAt(h, outstand / 4) * outstand * outstand * h.B / 8;
    h.Msh2 = pressureAt(h, h.L / 2) * h.hb * h.hb / 8 * h.B;
    if (variant == Variant::TShaped) {
      h.Msh11 = cantilever;
      h.Msh12 = h.ta * h.a;  // the bolt row pulling the cantilever
      h.Msh1max = std::max(h.Msh11, h.Msh12);
      h.Mshmax = std::max(h.Msh1max, h.Msh2);
    } else {
      h.Msh1 = cantilever;
      h.Mshmax = std::max(h.Msh1, h.Msh2);
    }
    h.ylm = (h.hsh / 2 + h.ax) * h.Mshmax / h.Ix;
    h.ylvx = 1.5 * h.Vshmax / h.hsh / h.tsh / 2;
    const auto strength = tables::bendingShearStrength(*m.steel, h.tsh);
    h.f = strength.f;
    h.fv = strength.fv;
    h.fy = strength.fy;
    if (!(h.ylm > h.f || h.ylvx > h.fv)) break;
    h.tsh += 2;
    if (h.tsh <= h.tf) return Next::Sizes;
    h.tsh -= 2;
    h.hsh += 10;
    rounds.next();
  }
  h.fsh = h.f;
  h.fvsh = h.fv;
  return Next::Continue;
}

// A fillet weld counts over at most 60 legs: the leg grows by 2 mm until 60·hf ≥ 2·hf + lf.
// The count of 2 mm steps is found at once and then confirmed by the same comparison the
// step-by-step growth makes, so the leg and the rounds spent are those of growing it step by step.
double legForWeldLength(double hf, double lf, RoundLimit& rounds) {
  const auto tooShort = [lf](double leg) { return 60 * leg < 2 * leg + lf; };
  if (!tooShort(hf)) return hf;
  long steps = std::max(1L, static_cast<long>(std::ceil((lf / 58 - hf) / 2)));
  while (steps > 1 && !tooShort(hf + 2 * (steps - 1))) --steps;
  while (tooShort(hf + 2 * steps)) ++steps;
  rounds.advance(steps);
  return hf + 2 * steps;
}

// The weld of each boot beam to the column flange carries the flange force; its leg is
// at least 1.5·√t, at most 16 and no thicker than the thinner of the two parts.
Next bootBeamToColumnWeld(const Materials& m, Held& h, RoundLimit& rounds) {
  h.ffw = m.steel->ffw;
  bootBeamShear(h);
  h.lf = h.hsh - 20 - 15;
  requireWeldLength(h.lf);
  h.hf2 = h.Vshmax / (1.4 * h.lf * h.ffw);
  const double minimumLeg = 1.5 * std::sqrt(std::max(h.tsh, h.tf));
  if (minimumLeg > h.hf2) h.hf2 = minimumLeg;
  h.hf2 = roundUpToEven(h.hf2);
  if (h.hf2 > 16) {
    h.hsh += 10;
    return Next::BootBeam;
  }
  h.hf2 = legForWeldLength(h.hf2, h.lf, rounds);
  if (std::min(h.tsh, h.tf) < h.hf2) {
    if (h.tsh < h.tf) {
      h.tsh += 2;
      return Next::Sizes;
    }
    h.hsh += 10;
    return Next::BootBeam;
  }
  return Next::Continue;
}

// The boot beam's outstand beyond the column against its thickness.
Next bootBeamSlenderness(Variant variant, Held& h) {
  h.write5 = (h.a + h.lt) / h.tsh;
  h.write6 = 18 * std::sqrt(235 / h.fy);
  const double ratio = variant == Variant::Channel ? ((h.L - h.hb) / 2) / h.tsh : h.write5;
  if (!(ratio > h.write6)) return Next::Continue;
  h.tsh += 2;
  return Next::Sizes;
}

// Column and boot beams welded all round to the plate carry N, M and V.
Next plateWelds(Variant variant, const Materials& m, Held& h, RoundLimit& rounds) {
  h.hf5 = 8;
  if (1.5 * std::sqrt(h.tpb) > 8) h.hf5 = 1.5 * std::sqrt(h.tpb);
  h.hf5 = variant == Variant::Channel ? roundToEvenPastHalf(h.hf5) : roundUpToEven(h.hf5);
  while (true) {
    h.AF = h.bf * h.tf;
    const double alongBootBeam = h.L - 2 * h.hf5;
    const double outsideColumn = (h.L - h.hb) / 2 - 2 * h.hf5;
    requireWeldLength(alongBootBeam);
    requireWeldLength(outsideColumn);
    h.Aeww = 0.7 * h.hf5 * (alongBootBeam + 2 * outsideColumn) * 2;
    h.ylnc = h.N / (2 * h.AF + h.Aeww);
    const double flangeArm = (h.hb - h.tf) / 2;
    h.Iw = 0.7 * h.hf5 * alongBootBeam * alongBootBeam * alongBootBeam / 6 - 0.7 * h.hf5 * h.hb * h.hb * h.hb / 12 +
           h.bf * h.tf * h.tf * h.tf / 12 + h.bf * h.tf * flangeArm * flangeArm;
    h.ylmc = (h.M * h.L / 4) / h.Iw;
    h.ylv = h.V / h.Aeww;
    h.ylf = h.ylnc + h.ylmc;
    h.ylfs = std::sqrt(square((h.ylnc + h.ylmc) / tables::betaF) + square(h.ylv));
    h.ffw = m.steel->ffw;
    if (variant == Variant::TShaped) h.f = tables::rolledStrength(*m.steel, h.tf, h.f);
    if (tables::betaF * h.ffw >= h.ylf && h.ylfs <= h.ffw) {
      h.hf5 = roundUpToEven(h.hf5);
      return Next::Continue;
    }
    h.hf5 += 2;
    if (!(std::min(h.tsh, h.tpb) >= h.hf5)) {
      h.tsh += 2;
      return Next::Sizes;
    }
    rounds.next();
  }
}

// ---- T-shaped: anchor-bolt stiffeners ----------------------------------------------------------

double startingLeg(const Held& h) {
  return 1.5 * std::sqrt(h.tpb) > 8 ? 1.5 * std::sqrt(h.tpb) : 8;
}

// The stiffener beside a bolt outside the boot beam carries the pressure on the
// plate beyond the boot beam, or the bolt's tension; it may be no higher than the boot beam.
Next stiffeners(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hjjl = 200;
  while (true) {  // again with a higher stiffener
    if (h.hjjl > h.hsh) {
      h.hsh += 10;
      return Next::BootBeam;
    }
    h.Vi = (h.B - h.bf) * h.L / 4 * pressureAt(h, h.L / 4);
    h.Vimax = std::max(h.Vi, h.Ntal);
    h.ylvR = h.Vimax / (h.hjjl - 15) / h.tjjl;
    const double Ws = (h.hjjl - 15) * (h.hjjl - 15) * h.tjjl / 6;
    h.ylfR = h.Vi > h.Ntal ? ((h.B - h.bf) * h.Vimax / 4) / Ws : ((h.a + h.lt) * h.Vimax / 2) / Ws;
    h.fy = m.steel->fy;
    h.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
    h.ylequ = std::sqrt(h.ylfR * h.ylfR + 3 * h.ylvR * h.ylvR);
    if (h.ylequ > 1.1 * h.f1) {
      rounds.next();
      h.hjjl += 10;
      continue;
    }
    h.write1 = (h.c + h.bt) / h.tjjl;
    h.write2 = 18 * std::sqrt(235 / h.fy);
    if (h.write1 > h.write2) {
      h.tjjl += 2;
      h.hjjl = 200;
      return Next::Sizes;
    }
    h.hf3 = roundUpToEven(startingLeg(h));
    while (true) {  // the stiffener welds, again with a larger leg
      h.ffw = m.steel->ffw;
      const double s = h.hjjl - 2 * h.hf3 - 15;
      const double alongPlate = h.c + h.bt - 2 * h.hf3 - 15;
      requireWeldLength(s);
      requireWeldLength(alongPlate);
      h.ylnf = h.Vimax / (1.4 * h.hf3 * alongPlate);
      h.ylvf = std::sqrt(square(h.Vimax / (1.4 * h.hf3 * s)) +
                         square(((h.c + h.bt) * h.Vimax / 2 / tables::betaF) / (s * s * 0.7 * h.hf3 / 3)));
      if (h.ylvf > h.ffw) {
        if (!(h.hf3 < h.tjjl && h.hf3 < 16)) {
          h.hjjl += 10;
          break;
        }
        h.hf3 += 2;
      } else if (tables::betaF * h.ffw < h.ylnf) {
        h.hf3 += 2;
        if (h.hf3 > h.tjjl) {
          h.hf3 -= 2;
          h.tjjl += 2;
          break;
        }
      } else {
        return Next::Continue;
      }
      rounds.next();
    }
    rounds.next();
  }
}

// ---- channel: ribs and diaphragm ---------------------------------------------------------------

// The ribs beside each tension bolt under the top plate carry half a bolt's tension: first the weld
// leg, then the welds, then the rib itself. A rib grows in height while it
// stays clear of the top plate, otherwise in thickness.
void ribs(const Materials& m, Held& h, RoundLimit& rounds) {
  h.tp = h.tsh;
  h.Ntal = 2 * h.ta / h.n;
  h.Vimax = h.Ntal / 2;
  h.hf3 = 8;
  h.hjjl = 150;
  const auto roomBelowTopPlate = [&] { return h.hsh - h.tp - 20 > h.hjjl; };
  bool weldsHold = false;
  while (!weldsHold) {  // the rib weld leg
    if (1.5 * std::sqrt(h.tpb) > h.hf3) h.hf3 = 1.5 * std::sqrt(h.tpb);
    h.hf3 = roundToEvenPastHalf(h.hf3);
    // The leg follows from the plate alone: a plate that needs more than 16 mm keeps needing it
    // however high the rib grows, and the rib can never be designed.
    if (h.hf3 > 16) rounds.exhaust();
    while (true) {  // the rib welds, again with a larger leg
      h.ffw = m.steel->ffw;
      const double s = h.hjjl - 2 * h.hf3 - 30;
      const double alongPlate = h.a + h.lt - 2 * h.hf3 - 15;
      requireWeldLength(s);
      requireWeldLength(alongPlate);
      h.ylnf = h.Vimax / (1.4 * h.hf3 * alongPlate);
      h.ylvf = std::sqrt(square(h.Vimax / (1.4 * h.hf3 * s)) +
                         square(((h.a + h.lt) * h.Vimax / 2 / tables::betaF) / (s * s * 0.7 * h.hf3 / 3)));
      if (h.ylvf > h.ffw) {
        if (roomBelowTopPlate()) {
          h.hjjl += 10;
        } else if (h.hf3 < h.tjjl) {
          h.hf3 += 2;
        } else {
          h.tjjl += 2;
        }
        break;
      }
      if (tables::betaF * h.ffw < h.ylnf) {
        h.hf3 += 2;
        if (h.hf3 <= h.tjjl) {
          rounds.next();
          continue;
        }
        h.hf3 -= 2;
        h.tjjl += 2;
        break;
      }
      weldsHold = true;
      break;
    }
    if (!weldsHold) rounds.next();
  }
  while (true) {  // the rib, again higher or thicker
    h.Vimax = h.Ntal / 2;
    h.ylvR = h.Vimax / (h.hjjl - 30) / h.tjjl;
    h.ylfR = ((h.a + h.lt) * h.Vimax / 2) / ((h.hjjl - 30) * (h.hjjl - 30) * h.tjjl / 6);
    h.fy = m.steel->fy;
    h.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
    h.ylequ = std::sqrt(h.ylfR * h.ylfR + 3 * h.ylvR * h.ylvR);
    h.write1 = (h.a + h.lt) / h.tjjl;
    h.write2 = 18 * std::sqrt(235 / h.fy);
    if (h.ylequ > 1.1 * h.f1) {
      if (roomBelowTopPlate()) {
        h.hjjl += 10;
      } else {
        h.tjjl += 2;
      }
    } else if (h.write1 > h.write2) {
      h.tjjl += 2;
    } else {
      return;
    }
    rounds.next();
  }
}

// The diaphragm across the channel carries the pressure beyond the column as a beam between the
// boot beams. It grows in height up to the boot beam's; beyond, the boot beam grows.
Next diaphragm(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hcb = trunc((2 * h.hsh / 3 + 8) / 10) * 10;
  while (true) {  // the diaphragm, again thicker
    h.tcb = roundUpToEven(std::max(10.0, h.bf / 50));
    bool higher = false;
    while (!higher) {  // the diaphragm welds and stresses, until it must grow higher
      const double s = (h.L - h.hb) / 2 + h.lt;
      h.q = h.ylc * (h.xn - s / 4) / h.xn * s / 2;
      h.ffw = m.steel->ffw;
      h.hf6 = h.q / (0.854 * h.ffw);
      if (1.5 * std::sqrt(h.tpb) > h.hf6) h.hf6 = 1.5 * std::sqrt(h.tpb);
      h.hf6 = roundToEvenPastHalf(h.hf6);
      if (h.hf6 > h.tcb) h.tcb = h.hf6;
      const double weldLength = h.hcb - 20 - 15;
      requireWeldLength(weldLength);
      h.hf7 = (h.q * h.bf / 2) / (0.7 * weldLength * h.ffw);
      if (1.5 * std::sqrt(h.tsh) > h.hf7) h.hf7 = 1.5 * std::sqrt(h.tsh);
      h.hf7 = roundToEvenPastHalf(h.hf7);
      bool tooLargeLeg = h.hf7 > 16;
      if (!tooLargeLeg) {
        if (h.hf7 < 6) h.hf7 = 6;
        tooLargeLeg = h.hf7 > h.tcb;
      }
      if (tooLargeLeg) {
        h.hcb += 10;
        if (h.hcb > h.hsh) {
          h.hsh += 10;
          return Next::BootBeam;
        }
        higher = true;
        continue;
      }
      const auto strength = tables::bendingShearStrength(*m.steel, h.tcb);
      h.fcb = strength.f;
      h.fvcb = strength.fv;
      h.ylfcb = 6 * h.q * h.bf * h.bf / 8 / (h.tcb * h.hcb * h.hcb);
      h.ylvcb = 1.5 * h.q * h.bf / 2 / (h.tcb * h.hcb);
      if (!(h.ylfcb > h.fcb || h.ylvcb > h.fvcb)) return Next::Continue;
      h.hcb += 10;
      if (h.hcb <= h.hsh) {
        higher = true;
      } else {
        h.hcb -= 10;
        h.tcb += 1;
      }
      rounds.next();
    }
    rounds.next();
  }
}

// ---- one pass ---------------------------------------------------------------------------------

// Boot beams, welds and stiffeners (T) or ribs and diaphragm (channel), again
// from the boot-beam section whenever the boot beam grows higher.
Next bootBeamsAndBeyond(Variant variant, const Materials& m, Held& h, RoundLimit& rounds) {
  while (true) {
    Next next = bootBeamSection(variant, m, h, rounds);
    if (next == Next::Continue) next = bootBeamToColumnWeld(m, h, rounds);
    if (next == Next::Continue) next = bootBeamSlenderness(variant, h);
    if (next == Next::Continue) next = plateWelds(variant, m, h, rounds);
    if (next == Next::Continue) {
      if (variant == Variant::TShaped) {
        next = stiffeners(m, h, rounds);
      } else {
        ribs(m, h, rounds);
        next = diaphragm(m, h, rounds);
      }
    }
    if (next != Next::BootBeam) return next;
    rounds.next();
  }
}

PassEnd designPass(Variant variant, const Entries& e, const Materials& m, Held& h, RoundLimit& rounds) {
  readSectionAndForces(e, h);
  h.n = variant == Variant::Channel ? 4 : 6;
  h.dms = variant == Variant::Channel ? 24 : 20;
  h.tsh = 10;
  h.tjjl = 8;
  std::optional<ChannelBearing> lastBearing;
  while (true) {  // again with a larger bolt or a thicker plate part
    plateSizes(variant, e, h);
    const bool inRange =
        variant == Variant::Channel ? channelPlanAndBearing(m, h, rounds, lastBearing) : tPlanAndBearing(m, h, rounds);
    if (!inRange) return PassEnd::AxialTension;
    if (!anchorBoltsHold(m, h)) {
      rounds.next();
      h.dms = rigidbase::nextBoltOrStop(static_cast<int>(h.dms));
      continue;
    }
    h.Vfb = 0.4 * (h.N + h.ta);
    if (variant == Variant::Channel) {
      channelPanels(h);
    } else {
      tPanels(h);
    }
    plateThickness(variant, m, h);
    h.hsh = std::max(250.0, 0.4 * h.hb);
    if (bootBeamsAndBeyond(variant, m, h, rounds) == Next::Continue) return PassEnd::Designed;
    rounds.next();
  }
}

Outcome calculateBootBeam(Variant variant, const Entries& entries, Held& h) {
  RoundLimit rounds;
  const Materials materials = readMaterials(entries);
  return rigidbase::detailingRun(
      entries, h.rerun,
      [&](const Entries& working) {
        const PassEnd end = designPass(variant, working, materials, h, rounds);
        return std::pair{end, PlateLayout{h.Aems, h.a, h.c, h.lt, h.bt}};
      },
      [&] {
        // The stiffeners outside the boot beams must leave the bolt spacing within the flange width.
        return variant == Variant::TShaped && 2 * h.c > h.bf ? rigidbase::layoutFaultMessage : doneMessage;
      });
}

// ---- values, results, checks and report ---------------------------------------------------------

const HeldField<Held> commonFields[] = {
    {"N", &Held::N},         {"M", &Held::M},           {"V", &Held::V},         {"hb", &Held::hb},
    {"bf", &Held::bf},       {"tw", &Held::tw},         {"tf", &Held::tf},       {"n", &Held::n},
    {"dms", &Held::dms},     {"Aems", &Held::Aems},     {"a", &Held::a},         {"c", &Held::c},
    {"lt", &Held::lt},       {"bt", &Held::bt},         {"L", &Held::L},         {"B", &Held::B},
    {"tsh", &Held::tsh},     {"tjjl", &Held::tjjl},     {"e", &Held::e},         {"write3", &Held::write3},
    {"xn", &Held::xn},       {"Fx", &Held::Fx},         {"dx", &Held::dx},       {"ylmax", &Held::ylmax},
    {"ylmin", &Held::ylmin}, {"ylc", &Held::ylc},       {"fc", &Held::fc},       {"Ec", &Held::Ec},
    {"Es", &Held::Es},       {"fta", &Held::fta},       {"ta", &Held::ta},       {"write4", &Held::write4},
    {"Vfb", &Held::Vfb},     {"rerun", &Held::rerun},   {"b21", &Held::b21},     {"a21", &Held::a21},
    {"r11", &Held::r11},     {"alf1", &Held::alf1},     {"M221", &Held::M221},   {"M222", &Held::M222},
    {"M223", &Held::M223},   {"M2", &Held::M2},         {"f", &Held::f},         {"fpb", &Held::fpb},
    {"tgrp", &Held::tgrp},   {"tpbc", &Held::tpbc},     {"Ntal", &Held::Ntal},   {"tpb", &Held::tpb},
    {"hsh", &Held::hsh},     {"ax", &Held::ax},         {"Ix", &Held::Ix},       {"Vsh1", &Held::Vsh1},
    {"Vsh2", &Held::Vsh2},   {"Vshmax", &Held::Vshmax}, {"Msh2", &Held::Msh2},   {"Mshmax", &Held::Mshmax},
    {"ylm", &Held::ylm},     {"ylvx", &Held::ylvx},     {"fv", &Held::fv},       {"fy", &Held::fy},
    {"fsh", &Held::fsh},     {"fvsh", &Held::fvsh},     {"ffw", &Held::ffw},     {"lf", &Held::lf},
    {"hf2", &Held::hf2},     {"write5", &Held::write5}, {"write6", &Held::write6}, {"hf5", &Held::hf5},
    {"AF", &Held::AF},       {"Aeww", &Held::Aeww},     {"ylnc", &Held::ylnc},   {"ylmc", &Held::ylmc},
    {"ylv", &Held::ylv},     {"ylf", &Held::ylf},       {"ylfs", &Held::ylfs},   {"Iw", &Held::Iw},
    {"hjjl", &Held::hjjl},   {"Vimax", &Held::Vimax},   {"ylvR", &Held::ylvR},   {"ylfR", &Held::ylfR},
    {"ylequ", &Held::ylequ}, {"f1", &Held::f1},         {"write1", &Held::write1}, {"write2", &Held::write2},
    {"hf3", &Held::hf3},     {"ylnf", &Held::ylnf},     {"ylvf", &Held::ylvf},
};

const HeldField<Held> tShapedFields[] = {
    {"L0", &Held::L0},       {"B0", &Held::B0},       {"b22", &Held::b22},     {"a22", &Held::a22},
    {"r12", &Held::r12},     {"alf2", &Held::alf2},   {"b23", &Held::b23},     {"a23", &Held::a23},
    {"r13", &Held::r13},     {"alf3", &Held::alf3},   {"b3", &Held::b3},       {"a3", &Held::a3},
    {"r2", &Held::r2},       {"beta", &Held::beta},   {"M224", &Held::M224},   {"lx1", &Held::lx1},
    {"ly1", &Held::ly1},     {"lx2", &Held::lx2},     {"ly2", &Held::ly2},     {"tpbt1", &Held::tpbt1},
    {"tpbt2", &Held::tpbt2}, {"tpbt", &Held::tpbt},   {"Msh11", &Held::Msh11}, {"Msh12", &Held::Msh12},
    {"Msh1max", &Held::Msh1max}, {"Vi", &Held::Vi},     {"fpbt", &Held::fpbt},
};

const HeldField<Held> channelFields[] = {
    {"b31", &Held::b31},     {"a31", &Held::a31},     {"r21", &Held::r21},     {"beta1", &Held::beta1},
    {"b32", &Held::b32},     {"a32", &Held::a32},     {"r22", &Held::r22},     {"beta2", &Held::beta2},
    {"Msh1", &Held::Msh1},   {"tp", &Held::tp},       {"hcb", &Held::hcb},     {"tcb", &Held::tcb},
    {"q", &Held::q},         {"hf6", &Held::hf6},     {"hf7", &Held::hf7},     {"fcb", &Held::fcb},
    {"fvcb", &Held::fvcb},   {"ylfcb", &Held::ylfcb}, {"ylvcb", &Held::ylvcb},
};

template <std::size_t Count>
std::vector<NamedValue> valuesWith(const HeldField<Held> (&own)[Count], const Held& h) {
  std::vector<NamedValue> list = listValues(commonFields, h);
  std::vector<NamedValue> more = listValues(own, h);
  list.insert(list.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  list.push_back({"judge", h.judge});
  return list;
}

std::vector<NamedValue> tValues(const Held& h) { return valuesWith(tShapedFields, h); }
std::vector<NamedValue> channelValues(const Held& h) { return valuesWith(channelFields, h); }

std::vector<FieldText> plateLayoutFields(const Held& h) {
  const auto plain = [](double x) { return formatGeneral(x); };
  return {{"Edta", plain(h.a)},   {"Edtc", plain(h.c)}, {"Edtlt", plain(h.lt)},    {"Edtbt", plain(h.bt)},
          {"EdtL", plain(h.L)},   {"EdtB", plain(h.B)}, {"Edttpb", plain(h.tpb)}};
}

ResultView tResults(const Held& h) {
  const auto plain = [](double x) { return formatGeneral(x); };
  std::vector<FieldText> fields = plateLayoutFields(h);
  const std::vector<FieldText> more{{"Edthxlb", plain(h.hsh)},  {"Edttxlb", plain(h.tsh)},
                                    {"Edthfxlb", plain(h.hf2)}, {"Edthf5", plain(h.hf5)},
                                    {"Edthjjl", plain(h.hjjl)}, {"Edttjjl", plain(h.tjjl)},
                                    {"Edthfjjl", plain(h.hf3)}, {"edtms", plain(h.dms)},
                                    {"edtshear", shearKeyField(h.Vfb, h.V)}};
  fields.insert(fields.end(), more.begin(), more.end());
  return {fields, {}, {"Edthfxlb", "Edthf5"}};
}

ResultView channelResults(const Held& h) {
  const auto plain = [](double x) { return formatGeneral(x); };
  std::vector<FieldText> fields = plateLayoutFields(h);
  const std::vector<FieldText> more{
      {"Edthxlb", plain(h.hsh)},  {"Edttxlb", plain(h.tsh)},  {"Edttd", plain(h.tp)},      {"Edthfxlb", plain(h.hf2)},
      {"Edthf5", plain(h.hf5)},   {"Edthjjl", plain(h.hjjl)}, {"Edttjjl", plain(h.tjjl)},  {"Edthfjjl", plain(h.hf3)},
      {"Edthgb", plain(h.hcb)},   {"Edttgb", plain(h.tcb)},   {"Edthf6", plain(h.hf6)},    {"Edthf7", plain(h.hf7)},
      {"edtms", plain(h.dms)},    {"edtshear", shearKeyField(h.Vfb, h.V)}};
  fields.insert(fields.end(), more.begin(), more.end());
  return {fields, {}, {"Edthfxlb", "Edthf5"}};
}

std::vector<DesignCheck> bootBeamChecks(Variant variant, const Held& h) {
  const bool tShaped = variant == Variant::TShaped;
  const double bootBeamRatio = tShaped ? h.write5 : ((h.L - h.hb) / 2) / h.tsh;
  const auto plateFormula = [&] {
    if (!tShaped) return "t ≥ tpbc = √(6·M2/f)";
    return h.tpbt > h.tpbc ? "t ≥ tpbt（锚栓处底板，受锚栓拉力控制）" : "t ≥ tpbc = √(6·M2/f)（底板区格弯矩控制）";
  };
  return {
      limitCheck("bearing", "底板下混凝土承压", "σc ≤ fc", h.ylc, h.fc, stressUnit, ValueFormat::Cut2,
                 {"EdtL", "EdtB"}),
      limitCheck("bolt", "锚栓抗拉", "σt = 1.2·Ta·2/n/Ae ≤ fta", h.write4, h.fta, stressUnit, ValueFormat::Cut3,
                 {"edtms"}),
      plateThicknessCheck(plateFormula(), tShaped ? std::max(h.tpbc, h.tpbt) : h.tpbc, h.tpb, {"Edttpb"}),
      limitCheck("bootBeamBending", "靴梁抗弯", "σ = (hsh/2 + ax)·Mmax/Ix ≤ f", h.ylm, h.fsh, stressUnit,
                 ValueFormat::Cut3, {"Edthxlb", "Edttxlb"}),
      limitCheck("bootBeamShear", "靴梁抗剪", "τ = 1.5·Vmax/(2·hsh·tsh) ≤ fv", h.ylvx, h.fvsh, stressUnit,
                 ValueFormat::Cut3, {"Edthxlb", "Edttxlb"}),
      limitCheck("bootBeamWeld", "靴梁与柱焊缝", "τf = Vmax/(1.4·hf·lf) ≤ ffw", bootBeamWeldStress(h), h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthfxlb"}),
      limitCheck("bootBeamWeldLeg", "靴梁与柱焊脚尺寸", "hf ≤ min(tsh, tf)", h.hf2, std::min(h.tsh, h.tf), lengthUnit,
                 ValueFormat::Plain, {"Edthfxlb"}),
      limitCheck("bootBeamSlenderness", "靴梁宽厚比",
                 tShaped ? "(a + lt)/tsh ≤ 18·√(235/fy)" : "((L − hb)/2)/tsh ≤ 18·√(235/fy)", bootBeamRatio, h.write6,
                 "", ValueFormat::Cut3, {"Edttxlb"}),
      limitCheck("plateWeld", "柱及靴梁与底板焊缝正应力", "σN + σM ≤ βf·ffw", h.ylf, tables::betaF * h.ffw, stressUnit,
                 ValueFormat::Cut3, {"Edthf5"}),
      limitCheck("plateWeldCombined", "柱及靴梁与底板焊缝折算应力", "√(((σN + σM)/βf)² + τV²) ≤ ffw", h.ylfs, h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthf5"}),
  };
}

std::vector<DesignCheck> stiffenerChecks(Variant variant, const Held& h) {
  const bool tShaped = variant == Variant::TShaped;
  const std::string part = tShaped ? "锚栓加劲肋" : "肋板";
  return {
      limitCheck("stiffener", part + "折算应力", "√(σ² + 3τ²) ≤ 1.1·f", h.ylequ, 1.1 * h.f1, stressUnit,
                 ValueFormat::Cut3, {"Edthjjl"}),
      limitCheck("slenderness", part + "宽厚比", tShaped ? "(c + bt)/ts ≤ 18·√(235/fy)" : "(a + lt)/ts ≤ 18·√(235/fy)",
                 h.write1, h.write2, "", ValueFormat::Cut3, {"Edttjjl"}),
      limitCheck("stiffenerPlateWeld", part + "与底板焊缝", "σf ≤ βf·ffw", h.ylnf, tables::betaF * h.ffw, stressUnit,
                 ValueFormat::Cut3, {"Edthfjjl"}),
      limitCheck("stiffenerUpstandWeld", part + "竖向焊缝折算应力", "√(τf² + (σf/βf)²) ≤ ffw", h.ylvf, h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthfjjl"}),
  };
}

std::vector<DesignCheck> tChecks(const Held& h) {
  std::vector<DesignCheck> list = bootBeamChecks(Variant::TShaped, h);
  const std::vector<DesignCheck> more = stiffenerChecks(Variant::TShaped, h);
  list.insert(list.end(), more.begin(), more.end());
  list.push_back(limitCheck("layout", "锚栓间距与翼缘宽度", "2c ≤ bf", 2 * h.c, h.bf, lengthUnit, ValueFormat::Plain,
                            {"Edtc"}));
  list.push_back(shearKeyCheck("V ≤ Vfb = 0.4(N + Ta) 时不需设置抗剪键", h.V, h.Vfb));
  writeCheckValues(list, h, true);
  return list;
}

std::vector<DesignCheck> channelChecks(const Held& h) {
  std::vector<DesignCheck> list = bootBeamChecks(Variant::Channel, h);
  const std::vector<DesignCheck> more = stiffenerChecks(Variant::Channel, h);
  list.insert(list.end(), more.begin(), more.end());
  const std::vector<DesignCheck> diaphragmChecks{
      limitCheck("diaphragmBending", "隔板抗弯", "σ = 6·q·bf²/8/(tcb·hcb²) ≤ f", h.ylfcb, h.fcb, stressUnit,
                 ValueFormat::Cut3, {"Edthgb", "Edttgb"}),
      limitCheck("diaphragmShear", "隔板抗剪", "τ = 1.5·q·bf/2/(tcb·hcb) ≤ fv", h.ylvcb, h.fvcb, stressUnit,
                 ValueFormat::Cut3, {"Edthgb", "Edttgb"}),
      limitCheck("diaphragmWeldLeg", "隔板与靴梁焊脚尺寸", "hf7 ≤ tcb", h.hf7, h.tcb, lengthUnit, ValueFormat::Plain,
                 {"Edthf7"}),
      shearKeyCheck("V ≤ Vfb = 0.4(N + Ta) 时不需设置抗剪键", h.V, h.Vfb),
  };
  list.insert(list.end(), diaphragmChecks.begin(), diaphragmChecks.end());
  writeCheckValues(list, h, false);
  return list;
}

// The report's tags of both variants up to the plate thickness, which differ only in the panels.
struct ReportFormats {
  static std::string plain(double x) { return formatGeneral(x); }
  static std::string cut2(double x) { return formatValue(ValueFormat::Cut2, x); }
  static std::string cut3(double x) { return formatValue(ValueFormat::Cut3, x); }
  static std::string kN2(double x) { return formatValue(ValueFormat::KN2, x); }
  static std::string kN3(double x) { return formatValue(ValueFormat::KN3, x); }
  static std::string kNm3(double x) { return formatValue(ValueFormat::KNm3, x); }
};

std::vector<TagText> inputTags(const Held& h, const Entries& e) {
  using F = ReportFormats;
  return {
      {"<#hb>", F::plain(h.hb)},         {"<#bf>", F::plain(h.bf)},         {"<#tw>", F::plain(h.tw)},
      {"<#tf>", F::plain(h.tf)},         {"<#M>", entryText(e, "EdtM")},    {"<#N>", entryText(e, "EdtN")},
      {"<#V>", entryText(e, "EdtV")},    {"<#concrete>", entryText(e, "CBfc")}, {"<#steel>", entryText(e, "CBf")},
      {"<#ms>", entryText(e, "CBfta")},  {"<#a>", F::plain(h.a)},           {"<#c>", F::plain(h.c)},
      {"<#bt>", F::plain(h.bt)},         {"<#lt>", F::plain(h.lt)},         {"<#L>", F::plain(h.L)},
      {"<#B>", F::plain(h.B)},           {"<#dms>", F::plain(h.dms)},       {"<#Aems>", F::plain(h.Aems)},
      {"<#shear>", shearKeyNeeded(h.Vfb, h.V) ? "V>0.4(N+Ta) 需要设置抗剪键" : "V<0.4(N+Ta) 不需设置抗剪键"},
      {"<#e>", F::cut2(h.e)},            {"<#judge>", h.judge},             {"<#xn>", F::cut2(h.xn)},
  };
}

std::vector<TagText> weldAndBootBeamTags(const Held& h) {
  using F = ReportFormats;
  return {
      {"<#AF>", F::plain(h.AF)},     {"<#Aeww>", F::plain(h.Aeww)}, {"<#ylnc>", F::cut3(h.ylnc)},
      {"<#ylmc>", F::cut3(h.ylmc)},  {"<#ylv>", F::cut3(h.ylv)},    {"<#ylf>", F::cut3(h.ylf)},
      {"<#ylfs>", F::cut3(h.ylfs)},  {"<#f>", F::plain(h.f)},       {"<#ffw>", F::plain(h.ffw)},
      {"<#hsh>", F::plain(h.hsh)},   {"<#tsh>", F::plain(h.tsh)},   {"<#ax>", F::cut2(h.ax)},
      {"<#Ix>", F::cut2(h.Ix)},      {"<#Vsh1>", F::kN3(h.Vsh1)},   {"<#Vsh2>", F::kN3(h.Vsh2)},
      {"<#Vshmax>", F::kN3(h.Vshmax)},
  };
}

std::vector<TagText> stiffenerTags(const Held& h, double Vi) {
  using F = ReportFormats;
  return {
      {"<#hjjl>", F::plain(h.hjjl)},   {"<#tjjl>", F::plain(h.tjjl)},     {"<#lf>", F::plain(h.lf)},
      {"<#hf2>", F::plain(h.hf2)},     {"<#hf3>", F::plain(h.hf3)},       {"<#hf5>", F::plain(h.hf5)},
      {"<#1.22ffw>", F::plain(tables::betaF * h.ffw)},                             {"<#Vi>", F::kN3(Vi)},
      {"<#Vimax>", F::kN3(h.Vimax)},   {"<#ylm>", F::cut3(h.ylm)},        {"<#ylvx>", F::cut3(h.ylvx)},
      {"<#ylfR>", F::cut3(h.ylfR)},    {"<#ylvR>", F::cut3(h.ylvR)},      {"<#ylnf>", F::cut3(h.ylnf)},
      {"<#ylvf>", F::cut3(h.ylvf)},    {"<#ylequ>", F::cut3(h.ylequ)},    {"<#1.1f1>", F::plain(1.1 * h.f1)},
      {"<#fsh>", F::plain(h.fsh)},     {"<#fvsh>", F::plain(h.fvsh)},
  };
}

std::vector<TagText> writeTags(const Held& h) {
  using F = ReportFormats;
  return {{"<#write1>", F::cut3(h.write1)}, {"<#write2>", F::cut3(h.write2)}, {"<#write3>", F::cut3(h.write3)},
          {"<#write4>", F::cut3(h.write4)}, {"<#write5>", F::cut3(h.write5)}, {"<#write6>", F::cut3(h.write6)}};
}

// What the checker needs beside the tags of the table: the formulas that applied.
std::vector<TagText> checkerTags(Variant variant, const Held& h) {
  using F = ReportFormats;
  const bool bisected = h.dms >= 60 && h.judge == rigidbase::judgeText(Eccentricity::BeyondBoltRow);
  const std::string kernJudge = variant == Variant::Channel ? "e<=L/6" : rigidbase::judgeText(Eccentricity::WithinKern);
  std::string pressure;
  if (h.judge == kernJudge) {
    pressure = "σc = (6e/L + 1)·N/L/B，xn = L，Ta = 0";
  } else if (h.judge == rigidbase::judgeText(Eccentricity::WithinBoltRow)) {
    pressure = variant == Variant::Channel ? "σc = 2N/(L/2 − e)/3/B，xn = L − lt，Ta = 0"
                                           : "σc = 2N/(L/2 − e)/3/B，xn = 3·(L/2 − e)，Ta = 0";
  } else if (bisected) {
    pressure = "xn 由平衡方程 xn³ + 3(e − L/2)·xn² − 6(Es/Ec)(n/2)(Ae/B)(e + L/2 − lt)(L − lt − xn) = 0 二分求解，"
               "Ta = (e − L/2 + xn/3)·N/(L − lt − xn/3)，σc = 2N·(L/2 + e − lt)/B/xn/(L − lt − xn/3)";
  } else {
    pressure = "σmax,min = N/(B·L) ± 6M/(B·L²)，xn = σmax·L/(σmax − σmin)，σc = σmax，"
               "Ta = [M − N·(L/2 − xn/3)]/(L − lt − xn/3)";
  }
  const auto panelFormula = [](const char* name, double r, const char* q, const char* b, const char* k, const char* a) {
    return r < 0.3 ? std::string(name) + " = 0.5·" + q + "·" + b + "²（悬臂）"
                   : std::string(name) + " = " + k + "·" + q + "·" + a + "²";
  };
  std::vector<TagText> tags{
      {"<#pressureFormula>", pressure},
      {"<#L/6>", F::cut3(h.L / 6)},
      {"<#tensionBolts>", F::plain(h.n / 2)},
      {"<#boltCount>", F::plain(h.n)},
      {"<#fpb>", F::plain(h.fpb)},
      {"<#Fx>", F::plain(h.Fx)},
      {"<#M221formula>", variant == Variant::Channel ? panelFormula("M221", h.r11, "q0", "b21", "α1", "a21")
                                                     : panelFormula("M221", h.r11, "q(L/2)", "b21", "α1", "a21")},
      {"<#fy>", F::plain(h.fy)},
      {"<#Iw>", F::plain(trunc(h.Iw))},
      {"<#bootBeamWeldStress>", F::cut3(bootBeamWeldStress(h))},
      {"<#bootBeamRatio>", F::cut3(variant == Variant::Channel ? ((h.L - h.hb) / 2) / h.tsh : h.write5)},
      {"<#minLeg>", F::plain(std::min(h.tsh, h.tf))},
  };
  if (variant == Variant::TShaped) {
    tags.push_back({"<#M222formula>", panelFormula("M222", h.r12, "q0", "b22", "α2", "a22")});
    tags.push_back({"<#M223formula>", panelFormula("M223", h.r13, "q0", "b23", "α3", "a23")});
    tags.push_back({"<#lx1>", F::cut2(h.lx1)});
    tags.push_back({"<#ly1>", F::cut2(h.ly1)});
    tags.push_back({"<#lx2>", F::cut2(h.lx2)});
    tags.push_back({"<#ly2>", F::cut2(h.ly2)});
    tags.push_back({"<#Msh1max>", F::kNm3(h.Msh1max)});
    tags.push_back({"<#2c>", F::plain(2 * h.c)});
  } else {
    tags.push_back({"<#tp>", F::plain(h.tp)});
    tags.push_back({"<#hcbWeld>", F::plain(h.hcb - 35)});
  }
  return tags;
}

std::vector<TagText> workingValues(const Held& h, bool tShaped) {
  std::vector<TagText> tags;
  emitWorkingValues(h, tShaped, [&tags](std::string_view tag, std::string_view text) {
    tags.push_back({std::string(tag), std::string(text)});
  });
  return tags;
}

template <class... Lists>
std::vector<TagText> joined(Lists&&... lists) {
  std::vector<TagText> all;
  (all.insert(all.end(), std::make_move_iterator(lists.begin()), std::make_move_iterator(lists.end())), ...);
  return all;
}

std::vector<TagText> tReport(const Held& h, const Entries& e) {
  using F = ReportFormats;
  std::vector<TagText> pressureAndPlate{
      {"<#ylmax>", F::cut2(h.ylmax)}, {"<#ylmin>", F::cut2(h.ylmin)}, {"<#ylc>", F::cut2(h.ylc)},
      {"<#fc>", F::plain(h.fc)},      {"<#Vfb>", F::kN2(h.Vfb)},      {"<#ta>", F::kN3(h.ta)},
      {"<#Ntal>", F::kN3(h.Ntal)},    {"<#fta>", F::plain(h.fta)},    {"<#b21>", F::cut2(h.b21)},
      {"<#a21>", F::cut2(h.a21)},     {"<#r11>", F::cut2(h.r11)},     {"<#alf1>", F::cut3(h.alf1)},
      {"<#M221>", F::kN2(h.M221)},    {"<#b22>", F::cut2(h.b22)},     {"<#a22>", F::cut2(h.a22)},
      {"<#r12>", F::cut2(h.r12)},     {"<#alf2>", F::cut3(h.alf2)},   {"<#M222>", F::kN2(h.M222)},
      {"<#b23>", F::cut2(h.b23)},     {"<#a23>", F::cut2(h.a23)},     {"<#r13>", F::cut2(h.r13)},
      {"<#alf3>", F::cut3(h.alf3)},   {"<#M223>", F::kN2(h.M223)},    {"<#b3>", F::cut2(h.b3)},
      {"<#a3>", F::cut2(h.a3)},       {"<#r2>", F::cut2(h.r2)},       {"<#beta>", F::cut3(h.beta)},
      {"<#M224>", F::kN2(h.M224)},    {"<#M2>", F::kN2(h.M2)},        {"<#tpbc>", F::cut2(h.tpbc)},
      {"<#tpbt1>", F::cut2(h.tpbt1)}, {"<#tpbt2>", F::cut2(h.tpbt2)}, {"<#tpbt>", F::cut2(h.tpbt)},
      {"<#tpb>", F::cut2(h.tpb)},
  };
  std::vector<TagText> moments{{"<#Msh11>", F::kNm3(h.Msh11)},
                               {"<#Msh12>", F::kNm3(h.Msh12)},
                               {"<#Msh2>", F::kNm3(h.Msh2)},
                               {"<#Mshmax>", F::kNm3(h.Mshmax)}};
  return joined(inputTags(h, e), std::move(pressureAndPlate), weldAndBootBeamTags(h), std::move(moments),
                stiffenerTags(h, h.Vi), writeTags(h), checkerTags(Variant::TShaped, h), workingValues(h, true));
}

std::vector<TagText> channelReport(const Held& h, const Entries& e) {
  using F = ReportFormats;
  // "<#ylc>" twice: where the T-shaped report has "<#ylmax>", this one repeats the bearing stress.
  std::vector<TagText> pressureAndPlate{
      {"<#ylc>", F::cut2(h.ylc)},     {"<#ylmin>", F::cut2(h.ylmin)}, {"<#ylc>", F::cut2(h.ylc)},
      {"<#fc>", F::plain(h.fc)},      {"<#Vfb>", F::kN2(h.Vfb)},      {"<#ta>", F::kN3(h.ta)},
      {"<#Ntal>", F::kN3(h.Ntal)},    {"<#fta>", F::plain(h.fta)},    {"<#b21>", F::cut2(h.b21)},
      {"<#a21>", F::cut2(h.a21)},     {"<#r11>", F::cut2(h.r11)},     {"<#alf1>", F::cut3(h.alf1)},
      {"<#M221>", F::kN2(h.M221)},    {"<#b31>", F::cut2(h.b31)},     {"<#a31>", F::cut2(h.a31)},
      {"<#r21>", F::cut2(h.r21)},     {"<#beta1>", F::cut3(h.beta1)}, {"<#M222>", F::kN2(h.M222)},
      {"<#b32>", F::cut2(h.b32)},     {"<#a32>", F::cut2(h.a32)},     {"<#r22>", F::cut2(h.r22)},
      {"<#beta2>", F::cut3(h.beta2)}, {"<#M223>", F::kN2(h.M223)},    {"<#M2>", F::kN2(h.M2)},
      {"<#tpbc>", F::cut2(h.tpbc)},   {"<#tpb>", F::cut2(h.tpb)},
  };
  std::vector<TagText> moments{
      {"<#Msh1>", F::kNm3(h.Msh1)}, {"<#Msh2>", F::kNm3(h.Msh2)}, {"<#Mshmax>", F::kNm3(h.Mshmax)}};
  std::vector<TagText> diaphragmTags{
      {"<#hcb>", F::plain(h.hcb)},   {"<#tcb>", F::plain(h.tcb)},     {"<#fcb>", F::plain(h.fcb)},
      {"<#fvcb>", F::plain(h.fvcb)}, {"<#q>", F::cut3(h.q)},          {"<#ylvcb>", F::cut3(h.ylvcb)},
      {"<#ylfcb>", F::cut3(h.ylfcb)}, {"<#hf6>", F::plain(h.hf6)},    {"<#hf7>", F::plain(h.hf7)},
  };
  return joined(inputTags(h, e), std::move(pressureAndPlate), weldAndBootBeamTags(h), std::move(moments),
                stiffenerTags(h, 0), std::move(diaphragmTags), writeTags(h), checkerTags(Variant::Channel, h),
                workingValues(h, false));
}

ModuleDescriptor commonDescriptor(const std::string& momentUnit) {
  ModuleDescriptor d;
  d.groups = {standard::sectionGroup(), standard::materialGroup({}), standard::forceGroup(true, momentUnit),
              standard::plateSizeGroup()};
  d.hasDetailingToggle = true;
  d.reportButton = "Button3";
  d.checks = standard::rigidChecks();
  return d;
}

ResultGroupSpec boltAndShearFields() {
  return {"", "", {{"edtms", "锚栓直径d", standard::mm}, {"edtshear", "抗剪键设置", ""}}};
}

ModuleDescriptor makeTShaped() {
  using standard::mm;
  ModuleDescriptor d = commonDescriptor(standard::kNm);
  d.id = "g2";
  d.title = "T型靴梁柱脚";
  d.formName = "TForm6";
  d.caption = "T型靴梁柱脚-输入设计参数";
  d.resultFormName = "TForm13";
  d.resultGroups = {standard::plateLayoutResults(),
                    {"GroupBox6",
                     "靴梁",
                     {{"Edthxlb", "靴梁板高度hsh", mm},
                      {"Edttxlb", "靴梁板厚度tsh", mm},
                      {"Edthfxlb", "靴梁板与柱焊脚高度", mm},
                      {"Edthf5", "靴梁板与底板焊脚高度", mm}}},
                    standard::boltStiffenerResults(),
                    boltAndShearFields()};
  d.templateFile = "g2.docx";
  d.diagramFile = "g2.bmp";
  d.newState = stateFactory(ModuleFunctions<Held>{calculateTBootBeam, tResults, handOverList<Held, tReport>,
                                                  tValues, tChecks, tBootBeamWeight, tBootBeamRemedies});
  d.stopRemedy = tBootBeamStopRemedy;
  return d;
}

ModuleDescriptor makeChannel() {
  using standard::mm;
  ModuleDescriptor d = commonDescriptor("（kN-m）");
  d.id = "g3";
  d.title = "槽型靴梁柱脚";
  d.formName = "TForm7";
  d.caption = "槽型靴梁柱脚-输入设计参数";
  d.resultFormName = "TForm14";
  d.resultGroups = {standard::plateLayoutResults(),
                    {"GroupBox6",
                     "靴梁",
                     {{"Edthxlb", "靴梁板高度hsh", mm},
                      {"Edttxlb", "靴梁板厚度tsh", mm},
                      {"Edttd", "靴梁顶板厚度tp", mm},
                      {"Edthfxlb", "靴梁板与柱焊脚高度", mm},
                      {"Edthf5", "靴梁板与底板焊脚高", mm}}},
                    {"GroupBox7",
                     "肋板",
                     {{"Edthjjl", "加劲肋高度hs", mm}, {"Edttjjl", "加劲肋厚度ts", mm}, {"Edthfjjl", "加劲肋焊脚高度", mm}}},
                    {"GroupBox8",
                     "隔板",
                     {{"Edthgb", "隔板高度hcb", mm},
                      {"Edttgb", "隔板厚度tcb", mm},
                      {"Edthf6", "隔板与底板焊脚高度", mm},
                      {"Edthf7", "隔板与靴梁焊脚高度", mm}}},
                    boltAndShearFields()};
  d.templateFile = "g3.docx";
  d.diagramFile = "g3.bmp";
  d.newState = stateFactory(
      ModuleFunctions<Held>{calculateChannelBootBeam, channelResults, handOverList<Held, channelReport>,
                            channelValues, channelChecks, channelBootBeamWeight, channelBootBeamRemedies});
  d.stopRemedy = channelBootBeamStopRemedy;
  return d;
}

}  // namespace

Outcome calculateTBootBeam(const Entries& entries, BootBeamHeld& held) {
  return calculateBootBeam(Variant::TShaped, entries, held);
}

Outcome calculateChannelBootBeam(const Entries& entries, BootBeamHeld& held) {
  return calculateBootBeam(Variant::Channel, entries, held);
}

const ModuleDescriptor& tBootBeamModule() {
  static const ModuleDescriptor descriptor = makeTShaped();
  return descriptor;
}

const ModuleDescriptor& channelBootBeamModule() {
  static const ModuleDescriptor descriptor = makeChannel();
  return descriptor;
}

}  // namespace pedivo::bootbeam
