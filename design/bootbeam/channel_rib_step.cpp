#include "design/bootbeam/channel_rib_step.h"

#include <cmath>
#include <string>

#include "design/bootbeam/rib_record.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/rigid_geometry.h"
#include "design/common/tables.h"

namespace pedivo::bootbeam {
namespace {

const rigidbase::RigidGeometry& geometry = rigidbase::channelGeometry;

std::string n(double x) { return operand(x); }

// What a rib that failed its stresses grows: higher while overstressed below the top plate, else
// thicker.
void growRib(BootBeamHeld& h, RibOutcome outcome) {
  if (outcome == RibOutcome::Overstressed && roomBelowTopPlate(h)) {
    h.hjjl += tables::heightStep;
  } else {
    h.tjjl += tables::thicknessStep;
  }
}

// What the rib welds called for.
void growForRibWelds(BootBeamHeld& h, RibWeldEnd end) {
  switch (end) {
    case RibWeldEnd::Hold: break;
    case RibWeldEnd::HigherRib: h.hjjl += tables::heightStep; break;
    case RibWeldEnd::LargerLeg: h.hf3 += tables::legStep; break;
    case RibWeldEnd::ThickerRib: h.tjjl += tables::thicknessStep; break;
  }
}

// What the rib weld leg came to.
enum class RibWeldLegEnd {
  WeldsHold,
  BeyondLargestLeg,  // the leg the plate asks for, 1.5·√tpb, is beyond 16 mm
};

// The rib weld leg, at least 1.5·√tpb in even millimetres, and the welds with it.
RibWeldLegEnd ribWeldLeg(const Materials& m, BootBeamHeld& h, RoundLimit& rounds) {
  while (true) {
    if (tables::smallestFilletLeg(h.tpb) > h.hf3) h.hf3 = tables::smallestFilletLeg(h.tpb);
    h.hf3 = roundToEvenPastHalf(h.hf3);
    if (h.hf3 > tables::largestFilletLeg) return RibWeldLegEnd::BeyondLargestLeg;
    const RibWelds welds = ribWeldsAt(m, h, rounds);
    holdRibWelds(h, welds);
    if (welds.end == RibWeldEnd::Hold) return RibWeldLegEnd::WeldsHold;
    growForRibWelds(h, welds.end);
    rounds.next();
  }
}

}  // namespace

bool roomBelowTopPlate(const BootBeamHeld& h) { return ribClearOfTopPlate(h.hsh, h.tp, h.hjjl); }

RibStresses ribStressesAt(const Materials& m, const BootBeamHeld& h) {
  RibStresses s{};
  s.Vimax = h.Ntal / 2;
  const double arm = geometry.stiffenerArm.of(h);
  const double height = h.hjjl - geometry.stiffenerCornerCut;  // the section clear of both corner cuts
  s.ylvR = s.Vimax / height / h.tjjl;
  s.ylfR = (arm * s.Vimax / 2) / (height * height * h.tjjl / 6);
  s.fy = m.steel->fy;
  s.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
  s.ylequ = std::sqrt(s.ylfR * s.ylfR + 3 * s.ylvR * s.ylvR);
  s.write1 = arm / h.tjjl;
  s.write2 = tables::outstandLimit(s.fy);
  if (s.ylequ > tables::equivalentStressFactor * s.f1) {
    s.outcome = RibOutcome::Overstressed;
  } else if (s.write1 > s.write2) {
    s.outcome = RibOutcome::TooSlender;
  } else {
    s.outcome = RibOutcome::Holds;
  }
  return s;
}

void holdRibStresses(BootBeamHeld& h, const RibStresses& s) {
  h.Vimax = s.Vimax;
  h.ylvR = s.ylvR, h.ylfR = s.ylfR;
  h.fy = s.fy, h.f1 = s.f1;
  h.ylequ = s.ylequ;
  h.write1 = s.write1, h.write2 = s.write2;
}

StiffenerWeldInputs ribWeldInputs(const Materials& m, const BootBeamHeld& h) {
  return {.load = h.Vimax, .outstand = geometry.stiffenerArm.of(h), .height = h.hjjl, .thickness = h.tjjl,
          .ffw = m.steel->ffw, .upstandEnds = geometry.stiffenerCornerCut, .largestLeg = tables::largestFilletLeg,
          .upstandGrowsLeg = false};
}

RibWelds ribWeldsAt(const Materials& m, const BootBeamHeld& h, RoundLimit& rounds) {
  const StiffenerWelds welds = stiffenerWelds(ribWeldInputs(m, h), h.hf3, rounds);
  RibWelds w{m.steel->ffw, welds, RibWeldEnd::ThickerRib};
  switch (welds.end) {
    case StiffenerWeldEnd::Designed: w.end = RibWeldEnd::Hold; break;
    case StiffenerWeldEnd::Thicker: break;
    case StiffenerWeldEnd::Taller:
    case StiffenerWeldEnd::UpstandOverstressed:
      if (roomBelowTopPlate(h)) {
        w.end = RibWeldEnd::HigherRib;
      } else if (welds.hf < h.tjjl) {
        w.end = RibWeldEnd::LargerLeg;
      }
      break;
  }
  return w;
}

void holdRibWelds(BootBeamHeld& h, const RibWelds& w) {
  h.ffw = w.ffw;
  h.hf3 = w.welds.hf, h.ylnf = w.welds.ylnf, h.ylvf = w.welds.ylvf;
}

void ribs(const Materials& m, BootBeamHeld& h, RoundLimit& rounds) {
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
  while (true) {
    const RibStresses rib = ribStressesAt(m, h);
    holdRibStresses(h, rib);
    if (rib.outcome == RibOutcome::Holds) break;
    growRib(h, rib.outcome);
    rounds.next();
  }
  // A rib raised for its own stress after its welds were sized carries longer upstand welds: the
  // weld stresses are those of the final rib. They only fall as the rib grows, so nothing is resized.
  const StiffenerWelds welds = stiffenerWeldStresses(ribWeldInputs(m, h), h.hf3);
  h.ylnf = welds.ylnf, h.ylvf = welds.ylvf;
  keepRibs(inputs, h, rounds.used() - roundsBefore);
}

void emitRibValues(const BootBeamHeld& h, const TagEmitter& sink) {
  const std::string cut = n(geometry.stiffenerCornerCut);
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string height = "(" + n(h.hjjl) + " − " + cut + ")";
  sink("<#ylvRvalues>", "Vimax/((hs − " + cut + ")·ts) = " + Vimax + "/(" + height + "×" + n(h.tjjl) + ")");
  const std::string Ws = "(" + height + "²×" + n(h.tjjl) + "/6)";
  sink("<#ylfRvalues>", "(a + lt)·Vimax/2/Ws = (" + n(h.a) + " + " + n(h.lt) + ")×" + Vimax + "/2/" + Ws);
}

}  // namespace pedivo::bootbeam
