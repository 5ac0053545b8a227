#include "design/bootbeam/channel_diaphragm_step.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "design/common/check_list.h"
#include "design/common/numbers.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

std::string n(double x) { return operand(x); }
std::string cut2(double x) { return operand(ValueFormat::Cut2, x); }
std::string cut3(double x) { return operand(ValueFormat::Cut3, x); }

// The weld of the diaphragm to each boot beam stops 20 mm below the top and loses 15 at the plate.
double weldLength(const Held& h) { return h.hcb - tables::weldStopBelowTop - tables::stiffenerCornerCut; }

// The leg to the plate: the load on a front weld (its throat at βf), at least 1.5·√tpb, to even.
double plateWeldLeg(double q, double ffw, double tpb) {
  return roundToEvenPastHalf(std::max(q / (tables::filletThroat * tables::betaF * ffw), tables::smallestFilletLeg(tpb)));
}

// The leg to the boot beams: the diaphragm's end shear q·bf/2 over the weld's length, at least
// 1.5·√tsh, to even. The design then gives it at least 6 mm.
double bootBeamWeldLeg(double q, double bf, double length, double ffw, double tsh) {
  return roundToEvenPastHalf(
      std::max((q * bf / 2) / (tables::filletThroat * length * ffw), tables::smallestFilletLeg(tsh)));
}

constexpr double smallestBootBeamWeldLeg = 6;

// The trial at the held sizes, held; a weld with no length stops the calculation once the load and
// the leg to the plate are held.
Diaphragm diaphragmTrial(const Materials& m, Held& h) {
  const Diaphragm d = diaphragmAt(m, h);
  holdDiaphragm(h, d);
  if (d.outcome == DiaphragmOutcome::NoWeldLength) requireWeldLength(weldLength(h));
  return d;
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
    const DiaphragmOutcome outcome = diaphragmTrial(m, h).outcome;
    if (outcome == DiaphragmOutcome::Holds) return DiaphragmHeightEnd::Holds;
    h.hcb += tables::heightStep;
    if (outcome == DiaphragmOutcome::WeldLegTooLarge) {
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
  return leastLeg > tables::largestFilletLeg || std::max(leastLeg, smallestBootBeamWeldLeg) > h.tcb;
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

// The diaphragm's starting sizes: two thirds of the boot-beam height, and bf/50 but at least 10 mm.
double startingHeight(const Held& h) { return roundToTenPastTwo(2 * h.hsh / 3); }
double startingThickness(const Held& h) { return roundUpToEven(std::max(10.0, h.bf / 50)); }

}  // namespace

double diaphragmLoad(const Held& h) {
  const double s = diaphragmSpan(h);
  return h.ylc * (h.xn - s / 4) / h.xn * s / 2;
}

DiaphragmStresses diaphragmStresses(const Materials& m, double q, double bf, double tcb, double hcb) {
  return {.strength = tables::bendingShearStrength(*m.steel, tcb),
          .ylfcb = 6 * q * bf * bf / 8 / (tcb * hcb * hcb),
          .ylvcb = 1.5 * q * bf / 2 / (tcb * hcb)};
}

Diaphragm diaphragmAt(const Materials& m, const Held& h) {
  Diaphragm d{};
  d.q = diaphragmLoad(h);
  d.ffw = m.steel->ffw;
  d.hf6 = plateWeldLeg(d.q, d.ffw, h.tpb);
  d.tcb = std::max(h.tcb, d.hf6);  // at least as thick as the leg to the plate
  d.hf7 = h.hf7;
  const double length = weldLength(h);
  if (!(length > 0)) {
    d.outcome = DiaphragmOutcome::NoWeldLength;
    return d;
  }
  d.hf7 = bootBeamWeldLeg(d.q, h.bf, length, d.ffw, h.tsh);
  if (d.hf7 > tables::largestFilletLeg) {
    d.outcome = DiaphragmOutcome::WeldLegTooLarge;
    return d;
  }
  d.hf7 = std::max(d.hf7, smallestBootBeamWeldLeg);
  if (d.hf7 > d.tcb) {
    d.outcome = DiaphragmOutcome::WeldLegTooLarge;
    return d;
  }
  d.stresses = diaphragmStresses(m, d.q, h.bf, d.tcb, h.hcb);
  d.outcome = d.stresses->holds() ? DiaphragmOutcome::Holds : DiaphragmOutcome::Overstressed;
  return d;
}

void holdDiaphragm(Held& h, const Diaphragm& d) {
  h.q = d.q, h.ffw = d.ffw, h.hf6 = d.hf6, h.tcb = d.tcb;
  if (d.outcome != DiaphragmOutcome::NoWeldLength) h.hf7 = d.hf7;
  if (const auto& s = d.stresses) {
    h.fcb = s->strength.f, h.fvcb = s->strength.fv;
    h.ylfcb = s->ylfcb, h.ylvcb = s->ylvcb;
  }
}

Next diaphragm(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hcb = startingHeight(h);
  h.tcb = startingThickness(h);
  if (h.hcb <= h.hsh && diaphragmTrial(m, h).outcome == DiaphragmOutcome::WeldLegTooLarge &&
      diaphragmWeldNeverFits(h)) {
    diaphragmToBootBeamHeight(m, h, rounds);
    h.hcb += tables::heightStep;
    h.hsh += tables::heightStep;
    return Next::BootBeam;
  }
  h.hcb = startingHeight(h);
  while (true) {
    h.tcb = startingThickness(h);
    switch (diaphragmAtHeight(m, h, rounds)) {
      case DiaphragmHeightEnd::Holds: return Next::Continue;
      case DiaphragmHeightEnd::AboveBootBeam: h.hsh += tables::heightStep; return Next::BootBeam;
      case DiaphragmHeightEnd::Higher: break;
    }
    rounds.next();
  }
}

void givenDiaphragm(const Materials& m, Held& h, GivenSizeFindings& f) {
  h.q = diaphragmLoad(h);
  h.ffw = m.steel->ffw;
  f.rules.push_back(atLeastRule("ruleHf6", "隔板与底板焊脚尺寸", "hf6 ≥ q/(0.7·βf·ffw)，且 ≥ 1.5·√t", h.hf6,
                                plateWeldLeg(h.q, h.ffw, h.tpb), {"Edthf6"}));
  // With no weld length left the leg the weld needs cannot be worked out: its rule fails with no
  // number and says why.
  const double length = weldLength(h);
  const double least = length > 0 ? std::max(smallestBootBeamWeldLeg, bootBeamWeldLeg(h.q, h.bf, length, h.ffw, h.tsh))
                                  : std::numeric_limits<double>::quiet_NaN();
  f.rules.push_back(
      atLeastRule("ruleHf7", "隔板与靴梁焊脚最小尺寸", "hf7 ≥ (q·bf/2)/(0.7·lw·ffw)，且 ≥ 1.5·√tsh、6", h.hf7, least, {"Edthf7"}));
  if (!(length > 0)) f.unevaluated.push_back({"ruleHf7", "隔板与靴梁焊缝计算长度 hcb − 35 ≤ 0"});
  f.rules.push_back(atMostRule("ruleHf7Max", "隔板与靴梁焊脚最大尺寸", "hf7 ≤ 16", h.hf7, tables::largestFilletLeg, {"Edthf7"}));
  f.rules.push_back(atMostRule("ruleHcb", "隔板高度不大于靴梁高度", "hcb ≤ hsh", h.hcb, h.hsh, {"Edthgb"}));
  const DiaphragmStresses s = diaphragmStresses(m, h.q, h.bf, h.tcb, h.hcb);
  h.fcb = s.strength.f, h.fvcb = s.strength.fv;
  h.ylfcb = s.ylfcb, h.ylvcb = s.ylvcb;
}

std::vector<DesignCheck> diaphragmChecks(const Held& h) {
  return checkList(
      limitCheck("diaphragmBending", "隔板抗弯", "σ = 6·q·bf²/8/(tcb·hcb²) ≤ f", h.ylfcb, h.fcb, stressUnit,
                 ValueFormat::Cut3, {"Edthgb", "Edttgb"}),
      limitCheck("diaphragmShear", "隔板抗剪", "τ = 1.5·q·bf/2/(tcb·hcb) ≤ fv", h.ylvcb, h.fvcb, stressUnit,
                 ValueFormat::Cut3, {"Edthgb", "Edttgb"}),
      limitCheck("diaphragmWeldLeg", "隔板与靴梁焊脚尺寸", "hf7 ≤ tcb", h.hf7, h.tcb, lengthUnit, ValueFormat::Plain,
                 {"Edthf7"}));
}

bool writeDiaphragmValues(DesignCheck& check, const Held& h) {
  const std::string_view id = check.id;
  if (id == "diaphragmBending") {
    writeValues(check, "σ = 6·q·bf²/8/(tcb·hcb²) = 6×" + cut3(h.q) + "×" + n(h.bf) + "²/8/(" + n(h.tcb) + "×" +
                           n(h.hcb) + "²)",
                "f");
  } else if (id == "diaphragmShear") {
    writeValues(check, "τ = 1.5·q·bf/2/(tcb·hcb) = 1.5×" + cut3(h.q) + "×" + n(h.bf) + "/2/(" + n(h.tcb) + "×" +
                           n(h.hcb) + ")",
                "fv");
  } else if (id == "diaphragmWeldLeg") {
    writeValues(check, "hf7", "tcb");
  } else {
    return false;
  }
  return true;
}

void emitDiaphragmValues(const Held& h, const TagEmitter& sink) {
  const double s = diaphragmSpan(h);
  const std::string q = cut2(h.ylc) + "×(" + cut2(h.xn) + " − " + n(s) + "/4)/" + cut2(h.xn);
  sink("<#qvalues>", "σc·(xn − s/4)/xn·s/2（s = (L − hb)/2 + lt = " + n(s) + " mm） = " + q + "×" + n(s) + "/2");
}

}  // namespace pedivo::bootbeam
