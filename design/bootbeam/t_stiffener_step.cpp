#include "design/bootbeam/t_stiffener_step.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/rigid_geometry.h"
#include "design/common/stepped_growth.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

const rigidbase::RigidGeometry& geometry = rigidbase::tShapedGeometry;

std::string n(double x) { return operand(x); }
std::string cut2(double x) { return operand(ValueFormat::Cut2, x); }

// The bolt's tension governs the stiffener unless the pressure beside the boot beam is strictly
// the larger load.
StiffenerBending bendingOf(double Vi, double Ntal) {
  return !(Vi > Ntal) ? StiffenerBending::AlongLength : StiffenerBending::AcrossWidth;
}

// A stiffener never worked out is written in the form along its length.
bool alongLength(const BootBeamHeld& h) { return h.stiffenerBending != StiffenerBending::AcrossWidth; }

}  // namespace

bool TStiffenerStresses::overstressed() const { return ylequ > tables::equivalentStressFactor * f1; }

// The products and quotients are evaluated left to right as written: regrouping them would change
// the last bit of the load and the stresses.
TStiffenerStresses tStiffenerStressesAt(const Materials& m, const BootBeamHeld& h, double hjjl) {
  TStiffenerStresses s{};
  s.Vi = (h.B - h.bf) * h.L / 4 * pressureAt(h, h.L / 4);
  s.Vimax = std::max(s.Vi, h.Ntal);
  const double height = hjjl - geometry.stiffenerCornerCut;  // the section clear of the corner cut
  s.ylvR = s.Vimax / height / h.tjjl;
  s.Ws = height * height * h.tjjl / 6;
  s.bending = bendingOf(s.Vi, h.Ntal);
  s.ylfR = s.bending == StiffenerBending::AlongLength ? ((h.a + h.lt) * s.Vimax / 2) / s.Ws
                                                      : ((h.B - h.bf) * s.Vimax / 4) / s.Ws;
  s.fy = m.steel->fy;
  s.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
  s.ylequ = std::sqrt(s.ylfR * s.ylfR + 3 * s.ylvR * s.ylvR);
  return s;
}

void holdStiffenerStresses(BootBeamHeld& h, const TStiffenerStresses& s) {
  h.Vi = s.Vi, h.Vimax = s.Vimax;
  h.ylvR = s.ylvR, h.ylfR = s.ylfR;
  h.fy = s.fy, h.f1 = s.f1;
  h.ylequ = s.ylequ;
  h.stiffenerBending = s.bending;
}

StiffenerSlenderness tStiffenerSlenderness(const Materials& m, const BootBeamHeld& h) {
  return {rigidbase::stiffenerOutstand(geometry, h) / h.tjjl, tables::outstandLimit(m.steel->fy)};
}

void holdStiffenerSlenderness(BootBeamHeld& h, const StiffenerSlenderness& s) { h.write1 = s.write1, h.write2 = s.write2; }

StiffenerTrial tStiffenerTrial(const Materials& m, const BootBeamHeld& h) {
  if (h.hjjl > h.hsh) return {StiffenerEnd::AboveBootBeam, std::nullopt, std::nullopt};
  const TStiffenerStresses stresses = tStiffenerStressesAt(m, h, h.hjjl);
  if (stresses.overstressed()) return {StiffenerEnd::Overstressed, stresses, std::nullopt};
  const StiffenerSlenderness slenderness = tStiffenerSlenderness(m, h);
  return {slenderness.holds() ? StiffenerEnd::Holds : StiffenerEnd::TooSlender, stresses, slenderness};
}

void holdStiffenerTrial(BootBeamHeld& h, const StiffenerTrial& t) {
  if (t.stresses) holdStiffenerStresses(h, *t.stresses);
  if (t.slenderness) holdStiffenerSlenderness(h, *t.slenderness);
}

// Its load stays and its stresses fall as it grows, so the count of steps is found at once; the
// heights are whole millimetres, so the height after k steps is the one the steps would add up to.
// The trial heights raise no floating-point flag the first height did not: their stresses are
// smaller, and the boot beam's share of the pressure does not change with them.
double tStiffenerStepsGuess(const BootBeamHeld& h, const TStiffenerStresses& atStart) {
  return stiffenerStepsEstimate(atStart.ylfR, atStart.ylvR, h.hjjl - geometry.stiffenerCornerCut,
                                tables::equivalentStressFactor * atStart.f1, tables::heightStep);
}

StiffenerRaise raisedTStiffener(const Materials& m, const BootBeamHeld& h, const TStiffenerStresses& atStart,
                                RoundLimit& rounds) {
  const double start = h.hjjl;
  const auto heightAfter = [start](long k) { return start + tables::heightStep * static_cast<double>(k); };
  const auto ends = [&](long k) {
    const double hjjl = heightAfter(k);
    return hjjl > h.hsh || !tStiffenerStressesAt(m, h, hjjl).overstressed();
  };
  const std::optional<long> steps = firstStepThatHolds(ends, tStiffenerStepsGuess(h, atStart), beyondAnyRoundLimit);
  if (!steps) rounds.exhaust();
  rounds.advance(*steps);
  return {*steps, heightAfter(*steps), tStiffenerStressesAt(m, h, heightAfter(*steps - 1))};
}

StiffenerWeldInputs tStiffenerWeldInputs(const Materials& m, const BootBeamHeld& h) {
  return {.load = h.Vimax, .outstand = geometry.stiffenerArm.of(h), .height = h.hjjl, .thickness = h.tjjl,
          .ffw = m.steel->ffw, .upstandEnds = geometry.stiffenerCornerCut, .largestLeg = tables::largestFilletLeg,
          .upstandGrowsLeg = true};
}

void emitTStiffenerValues(const BootBeamHeld& h, const TagEmitter& sink) {
  const std::string B = n(h.B);
  const std::string L = n(h.L);
  const std::string cut = n(geometry.stiffenerCornerCut);
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string height = "(" + n(h.hjjl) + " − " + cut + ")";
  const std::string qAtQuarter = cut2(h.ylc) + "×(" + cut2(h.xn) + " − " + L + "/4)/" + cut2(h.xn);
  sink("<#Vivalues>", "(B − bf)·L/4·q(L/4) = (" + B + " − " + n(h.bf) + ")×" + L + "/4×" + qAtQuarter + "×10⁻³");
  sink("<#ylvRvalues>", "Vimax/((hs − " + cut + ")·ts) = " + Vimax + "/(" + height + "×" + n(h.tjjl) + ")");
  const std::string Ws = "(" + height + "²×" + n(h.tjjl) + "/6)";
  sink("<#ylfRvalues>", alongLength(h) ? "(a + lt)·Vimax/2/Ws = (" + n(h.a) + " + " + n(h.lt) + ")×" + Vimax + "/2/" + Ws
                                       : "(B − bf)·Vimax/4/Ws = (" + B + " − " + n(h.bf) + ")×" + Vimax + "/4/" + Ws);
}

}  // namespace pedivo::bootbeam
