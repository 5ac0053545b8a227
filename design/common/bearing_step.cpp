#include "design/common/bearing_step.h"

namespace pedivo::rigidbase {

void holdPlatePlan(ExposedRigidHeld& h, const PlatePlan& plan) {
  h.L0 = plan.L0, h.B0 = plan.B0, h.L = plan.L, h.B = plan.B;
  h.a = plan.a, h.c = plan.c, h.lt = plan.lt, h.bt = plan.bt;
}

BearingLoads bearingLoads(const tables::Concrete& concrete, const ExposedRigidHeld& h) {
  return {h.N, h.M, h.M / h.N, concrete.fc, concrete.Ec, h.n, h.Aems, h.dms, h.zones};
}

bool BearingStep::metBeyondBoltRow() const {
  return beyondBoltRow || pressure.eccentricity == Eccentricity::BeyondBoltRow;
}

std::optional<Bearing> bearingRound(const PressurePolicy& policy, const BearingLoads& loads, BearingStep& step,
                                    RoundLimit& rounds) {
  const PlatePlan& p = step.plan;
  step.write3 = p.L / 6 + p.lt / 3;
  step.pressure = pressureUnderPlate(
      policy, {loads.N, loads.M, loads.e, p.L, p.B, p.lt, step.write3, loads.Ec, loads.n, loads.Aems, loads.dms, loads.zones},
      rounds);
  if (step.pressure.eccentricity == Eccentricity::TensionInside) return Bearing::AxialTension;
  if (!(step.pressure.ylc > loads.fc)) return Bearing::Holds;
  return std::nullopt;
}

void keepRound(BearingStep& step) {
  if (step.pressure.eccentricity == Eccentricity::BeyondBoltRow) step.beyondBoltRow = step.pressure;
}

PlateLayout widenedLayout(const PlatePlan& plan, double Aems) {
  return {Aems, plan.a + bearingGrowthOfA, plan.c + bearingGrowthOfC, plan.lt, plan.bt};
}

BearingStep lengthenedBearingStep(const PressurePolicy& policy, const BearingLoads& loads, const PlatePlan& first,
                                  RoundLimit& rounds) {
  return bearingStep(policy, loads, first,
                     [](PlatePlan plan) {
                       plan.L += bearingGrowthOfL;
                       return plan;
                     },
                     rounds);
}

void holdBearing(ExposedRigidHeld& h, const BearingStep& step) {
  h.e = step.e;
  h.fc = step.fc, h.Ec = step.Ec;
  h.write3 = step.write3;
  // Each round wrote what its case reached over what the rounds before had written: the rounds
  // that still show are written again in their order, the last one last.
  if (step.beyondBoltRow) holdPressure(*step.beyondBoltRow, h);
  holdPressure(step.pressure, h);
}

}  // namespace pedivo::rigidbase
