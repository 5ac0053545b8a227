#include "design/rigid/stiffener_step.h"

#include <algorithm>
#include <cmath>

#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/tables.h"
#include "design/common/rigid_geometry.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {
namespace {

// The pressure beside a bolt or the bolt's tension governs the stiffener; the pressure across the
// outstand governs only when it is strictly the largest of the three.
StiffenerBending bendingOf(double Vi1, double Vi2, double Vi12, double Ntal) {
  return Vi1 > Vi2 || Ntal > Vi12 ? StiffenerBending::AlongLength : StiffenerBending::AcrossWidth;
}

bool alongLength(const RigidPlateHeld& h) { return h.stiffenerBending == StiffenerBending::AlongLength; }

std::string n(double x) { return operand(x); }

}  // namespace

// The products and quotients are evaluated left to right as written: regrouping them would change
// the last bit of the loads and stresses.
StiffenerStresses stiffenerStresses(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h) {
  const double q = h.ylc;
  StiffenerStresses s{};
  s.Vi1 = geometry.stiffenerLoad(h, q);
  s.Vi2 = (h.a + h.lt + h.hb / 2) * (h.B - h.bf) / 4 * q * (h.xn - h.L / 4) / h.xn;
  s.Vi12 = std::max(s.Vi1, s.Vi2);
  s.Vimax = std::max(s.Vi12, h.Ntal);
  const double effectiveHeight = h.hjjl - geometry.stiffenerCornerCut;  // hs − 15, below the corner cut
  s.ylvR = s.Vimax / (effectiveHeight * h.tjjl);
  s.Ws = square(effectiveHeight) * h.tjjl / 6;
  s.bending = bendingOf(s.Vi1, s.Vi2, s.Vi12, h.Ntal);
  s.ylfR = s.bending == StiffenerBending::AlongLength ? (h.a + h.lt) * s.Vimax / 2 / s.Ws
                                                      : (h.B - h.bf) * s.Vimax / 4 / s.Ws;
  s.fy = m.steel->fy;
  s.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
  s.ylequ = std::sqrt(s.ylfR * s.ylfR + 3 * s.ylvR * s.ylvR);
  return s;
}

void holdStiffenerStresses(RigidPlateHeld& h, const StiffenerStresses& s) {
  h.Vi1 = s.Vi1, h.Vi2 = s.Vi2, h.Vi12 = s.Vi12, h.Vimax = s.Vimax;
  h.ylvR = s.ylvR, h.Ws = s.Ws, h.ylfR = s.ylfR;
  h.fy = s.fy, h.f1 = s.f1;
  h.ylequ = s.ylequ;
  h.stiffenerBending = s.bending;
}

StiffenerWeldInputs stiffenerWeldInputs(const Materials& m, const RigidPlateHeld& h) {
  const double lw = alongLength(h) ? h.geometry->stiffenerArm.of(h) : h.B / 2 - h.bf / 2;
  return {.load = h.Vimax, .outstand = lw, .height = h.hjjl, .thickness = h.tjjl, .ffw = m.steel->ffw,
          .upstandEnds = h.geometry->stiffenerCornerCut, .largestLeg = tables::largestFilletLeg, .upstandGrowsLeg = true};
}

void holdStiffenerWelds(RigidPlateHeld& h, const StiffenerWeldStep& step) {
  h.ffw = step.in.ffw;
  h.lw = step.in.outstand;
  if (const auto& w = step.welds) h.hf3 = w->hf, h.ylnf = w->ylnf, h.Wf = w->Wf, h.ylvf = w->ylvf;
}

std::string stiffenerBendingValues(const RigidPlateHeld& h) {
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string Ws = n(trunc(h.Ws));
  if (alongLength(h)) return "(a + lt)·Vimax/2/Ws = (" + n(h.a) + " + " + n(h.lt) + ")×" + Vimax + "/2/" + Ws;
  return "(B − bf)·Vimax/4/Ws = (" + n(h.B) + " − " + n(h.bf) + ")×" + Vimax + "/4/" + Ws;
}

std::string stiffenerWeldOutstandValues(const RigidPlateHeld& h) {
  if (alongLength(h)) return "a + lt = " + n(h.a) + " + " + n(h.lt);
  return "B/2 − bf/2 = " + n(h.B) + "/2 − " + n(h.bf) + "/2";
}

}  // namespace pedivo::rigid
