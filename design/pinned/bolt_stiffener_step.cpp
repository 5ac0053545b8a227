#include "design/pinned/bolt_stiffener_step.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "design/common/numbers.h"
#include "design/common/stepped_growth.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"
#include "design/pinned/four_bolt.h"

namespace pedivo::pinned {

// The products and quotients are evaluated left to right as written: regrouping them would change
// the last bit of the load and the stresses.
BoltStiffenerStresses stiffenerStressesAt(const Materials& m, const FourBoltHeld& h, double hjjl) {
  BoltStiffenerStresses s{};
  s.Vimax = ((h.hb - 2 * h.tf) * h.ylc / 2) * (h.B - h.tw) / 2;
  s.ylvR = s.Vimax / hjjl / h.tjjl;
  s.ylfR = ((h.B - h.tw) * s.Vimax / 4) / (h.tjjl * hjjl * hjjl / 6);
  s.fy = m.steel->fy;
  s.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
  s.ylequ = std::sqrt(s.ylfR * s.ylfR + 3 * s.ylvR * s.ylvR);
  return s;
}

BoltStiffenerStresses stiffenerStresses(const Materials& m, const FourBoltHeld& h) {
  return stiffenerStressesAt(m, h, h.hjjl);
}

void holdStiffenerStresses(FourBoltHeld& h, const BoltStiffenerStresses& s) {
  h.Vimax = s.Vimax, h.ylvR = s.ylvR, h.ylfR = s.ylfR;
  h.fy = s.fy, h.f1 = s.f1;
  h.ylequ = s.ylequ;
}

// The stiffener's section is its full height: no corner cut is lost from it. Its strength f1 is
// the same at every height, being that of its thickness (or the held one past the table).
StiffenerHeight stiffenerHeight(const Materials& m, const FourBoltHeld& h, RoundLimit& rounds) {
  const BoltStiffenerStresses atHeld = stiffenerStressesAt(m, h, h.hjjl);
  const double limit = tables::equivalentStressFactor * atHeld.f1;
  if (!(atHeld.ylequ > limit)) return {h.hjjl, StiffenerHeightSet::AsHeld, atHeld};
  BoltStiffenerStresses reached = atHeld;
  const auto holdsAt = [&](double height) {
    reached = stiffenerStressesAt(m, h, height);
    return !(reached.ylequ > tables::equivalentStressFactor * reached.f1);
  };
  const FailedStiffener failed{.sigma = atHeld.ylfR, .tau = atHeld.ylvR, .limit = limit, .cornerCut = 0};
  const double hjjl = raisedStiffenerHeight(h.hjjl, failed, holdsAt, rounds);
  return {hjjl, StiffenerHeightSet::Raised, reached};
}

void holdStiffenerHeight(FourBoltHeld& h, const StiffenerHeight& s) {
  h.hjjl = s.hjjl;
  holdStiffenerStresses(h, s.stresses);
}

StiffenerSlenderness stiffenerSlenderness(const FourBoltHeld& h) {
  const double outstand = (h.B - h.tw) / 2;  // from the web to the plate edge
  return {outstand / h.tjjl, tables::outstandLimit(h.fy)};
}

void holdSlenderness(FourBoltHeld& h, const StiffenerSlenderness& s) { h.write1 = s.write1, h.write2 = s.write2; }

StiffenerWeldInputs boltStiffenerWeldInputs(const FourBoltHeld& h, double ffw) {
  return {.load = h.Vimax, .outstand = (h.B - h.tw) / 2, .height = h.hjjl, .thickness = h.tjjl, .ffw = ffw,
          .upstandEnds = tables::stiffenerCornerCut, .largestLeg = noLargestLeg, .upstandGrowsLeg = true};
}

BoltStiffenerWeldStep designedStiffenerWelds(const Materials& m, const FourBoltHeld& h, RoundLimit& rounds) {
  const StiffenerWeldInputs in = boltStiffenerWeldInputs(h, m.steel->ffw);
  const double firstLeg = roundUpToEven(std::max(tables::smallestPlateWeldLeg, tables::smallestFilletLeg(h.tpb)));
  return {in, stiffenerWelds(in, firstLeg, rounds)};
}

BoltStiffenerWeldStep givenStiffenerWeldStep(const Materials& m, const FourBoltHeld& h, GivenSizeFindings& findings) {
  const StiffenerWeldInputs in = boltStiffenerWeldInputs(h, m.steel->ffw);
  return {in, givenStiffenerWelds(in, h.hf3, "stiffenerPlateWeld", "stiffenerWebWeld", findings)};
}

void holdStiffenerWelds(FourBoltHeld& h, const BoltStiffenerWeldStep& step) {
  h.ffw = step.in.ffw;
  if (const auto& w = step.welds) h.hf3 = w->hf, h.ylnf = w->ylnf, h.ylvf = w->ylvf, h.webWeld = w->upstand;
}

void emitStiffenerValues(const FourBoltHeld& h, const TagEmitter& sink) {
  const std::string Vimax = kNOperand(h.Vimax);
  sink("<#Vimaxvalues>", "((" + operand(h.hb) + " − 2×" + operand(h.tf) + ")×" + operand(ValueFormat::Cut2, h.ylc) +
                             "/2)×(" + operand(h.B) + " − " + operand(h.tw) + ")/2×10⁻³");
  sink("<#ylvRvalues>", Vimax + "/(" + operand(h.hjjl) + "×" + operand(h.tjjl) + ")");
  sink("<#ylfRvalues>", "((" + operand(h.B) + " − " + operand(h.tw) + ")×" + Vimax + "/4)/(" + operand(h.tjjl) + "×" +
                            operand(h.hjjl) + "²/6)");
}

namespace {

// The weld up the web: its length, and σf and τf as the welds held them.
std::string webWeldValues(const FourBoltHeld& h, const std::string& outstand, const std::string& betaF) {
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string hf = operand(h.hf3);
  const std::string lw = operand(h.webWeld.length);
  const std::string sigma = operand(ValueFormat::Cut3, h.webWeld.sigma);
  const std::string tau = operand(ValueFormat::Cut3, h.webWeld.tau);
  return "lw = hs − 2hf − 15 = " + lw + " mm，σf = ((B − tw)·Vimax/4)/(0.7hf·lw²/3) = (" + outstand + "×" + Vimax +
         "/4)/(0.7×" + hf + "×" + lw + "²/3) = " + sigma + " N/mm²，τf = Vimax/(1.4hf·lw) = " + Vimax + "/(1.4×" + hf +
         "×" + lw + ") = " + tau + " N/mm²，√((σf/βf)² + τf²) = √((" + sigma + "/" + betaF + ")² + " + tau + "²)";
}

}  // namespace

void writeStiffenerValues(std::vector<DesignCheck>& checks, const FourBoltHeld& h) {
  const std::string betaF = operand(tables::betaF);
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string hf = operand(h.hf3);
  const std::string outstand = "(" + operand(h.B) + " − " + operand(h.tw) + ")";
  for (DesignCheck& check : checks) {
    if (check.id == "stiffener") {
      writeValues(check, "√(σ² + 3τ²) = √(" + operand(ValueFormat::Cut3, h.ylfR) + "² + 3×" +
                             operand(ValueFormat::Cut3, h.ylvR) + "²)",
                  "1.1f = 1.1×" + operand(h.f1));
    } else if (check.id == "slenderness") {
      writeValues(check, "(B − tw)/2/ts = " + outstand + "/2/" + operand(h.tjjl),
                  "18√(235/fy) = 18×√(235/" + operand(h.fy) + ")");
    } else if (check.id == "stiffenerPlateWeld") {
      writeValues(check, "σf = Vimax/(1.4hf·((B − tw)/2 − 2hf − 15)) = " + Vimax + "/(1.4×" + hf + "×(" + outstand +
                             "/2 − 2×" + hf + " − 15))",
                  "βf·ffw = " + betaF + "×" + operand(h.ffw));
    } else if (check.id == "stiffenerWebWeld") {
      writeValues(check, webWeldValues(h, outstand, betaF), "ffw");
    }
  }
}

}  // namespace pedivo::pinned
