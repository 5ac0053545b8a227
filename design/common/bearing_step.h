#pragma once
// The plate's plan and the bearing under it on the four rigid exposed bases as one step: the plate
// is planned, the pressure under it found, and while the concrete is overstressed the plate grows
// and the pressure is found again. The step returns the plan it stopped at, the pressure, how it
// ended and the rounds it took; the held values are written from that record in one place.

#include <optional>

#include "design/common/calculation.h"
#include "design/common/exposed_rigid_held.h"
#include "design/common/plate_layout.h"
#include "design/common/rigid_base.h"

namespace pedivo::rigidbase {

// The plate's plan: its sides before and after whole tens, and the layout that takes the growth.
struct PlatePlan {
  double L0, B0;        // 2(a + lt) + hb, and what lies across: spacings, edges, stiffeners, boot beams
  double L, B;          // the same to whole tens
  double a, c, lt, bt;  // a and c grown in steps of 5, lt and bt the rest
};
// The sides before and after whole tens and the layout, under their symbols.
void holdPlatePlan(ExposedRigidHeld& h, const PlatePlan& plan);

// Whether the plate carries the bearing, or the case is outside the method.
enum class Bearing { Holds, AxialTension };

// What a and c grow by a round while the concrete under the plate is overstressed, mm: the bolts
// move out from the column and the plate is planned again, longer and wider.
inline constexpr double bearingGrowthOfA = 5;
inline constexpr double bearingGrowthOfC = 2;
// What the channel base's plate grows by a round instead, mm: its width is closed by the boot
// beams, so it only lengthens, a whole ten at a time as its plan was rounded.
inline constexpr double bearingGrowthOfL = 10;

// What stays the same over the rounds: the forces, the concrete and the bolts.
struct BearingLoads {
  double N, M, e;       // e = M/N
  double fc, Ec;        // the concrete's strength and modulus
  double n, Aems, dms;  // the bolts in tension, one bolt's effective area, its size
  ZoneMemo* zones = nullptr;
};
// The held forces and bolts, with the given concrete.
BearingLoads bearingLoads(const tables::Concrete& concrete, const ExposedRigidHeld& h);

// What the rounds found. A round writes only what its case reached, so a held value the last
// round did not reach stays what an earlier round found: the linear pressure, the zone's method
// and its bisection of the last round beyond the bolt row; and under a last round in axial
// tension, the bolt tension, the zone and the pressure of the round before. That round too fell
// beyond the bolt row: tension between the bolt rows needs e ≤ 0, and with e ≤ 0 every other
// round is beyond them. The record keeps that round so that holding it gives exactly the values
// the rounds left.
struct BearingStep {
  PlatePlan plan;            // the plan of the last round
  double e, fc, Ec;          // as the rounds took them
  double write3 = 0;         // L/6 + lt/3 of the last plan
  PlatePressure pressure{};  // the pressure under the last plan
  std::optional<PlatePressure> beyondBoltRow{};  // the last round before the last beyond the bolt row
  Bearing end = Bearing::Holds;
  long growths = 0;  // the times the plate grew, each one round of the calculation
  // Whether any round fell beyond the bolt row.
  bool metBeyondBoltRow() const;
};

// One round on the record's plan: its limit write3 and the pressure under it. How the rounds end,
// or none while the concrete is overstressed.
std::optional<Bearing> bearingRound(const PressurePolicy& policy, const BearingLoads& loads, BearingStep& step,
                                    RoundLimit& rounds);
// The last round gives way to a grown plate: what it found beyond the bolt row is kept, where it
// may still show.
void keepRound(BearingStep& step);

// The rounds from the plan `first`; grown(plan) is the plate one round larger. The rounds spent on
// growing and on the bisections of the compressed zone stop the calculation where the limit falls.
template <class Grown>
BearingStep bearingStep(const PressurePolicy& policy, const BearingLoads& loads, const PlatePlan& first,
                        Grown&& grown, RoundLimit& rounds) {
  BearingStep step{.plan = first, .e = loads.e, .fc = loads.fc, .Ec = loads.Ec};
  while (true) {
    if (const std::optional<Bearing> end = bearingRound(policy, loads, step, rounds)) {
      step.end = *end;
      return step;
    }
    rounds.next();
    keepRound(step);
    ++step.growths;
    step.plan = grown(step.plan);
  }
}

// The layout one round wider: a and c grown, lt and bt as the plan left them.
PlateLayout widenedLayout(const PlatePlan& plan, double Aems);

// The eight-, ten-bolt and T-shaped bases: too much bearing widens a and c and the plate is
// planned again by planOf(layout).
template <class PlanOf>
BearingStep widenedBearingStep(const PressurePolicy& policy, const BearingLoads& loads, const PlateLayout& layout,
                               PlanOf&& planOf, RoundLimit& rounds) {
  return bearingStep(
      policy, loads, planOf(layout), [&](const PlatePlan& plan) { return planOf(widenedLayout(plan, loads.Aems)); },
      rounds);
}

// The channel base: too much bearing lengthens the plate alone.
BearingStep lengthenedBearingStep(const PressurePolicy& policy, const BearingLoads& loads, const PlatePlan& first,
                                  RoundLimit& rounds);

// The eccentricity, the concrete, the limit write3 and the pressure the rounds leave held, in the
// order the rounds wrote them. The plan and the steel's modulus are each base's own to hold.
void holdBearing(ExposedRigidHeld& h, const BearingStep& step);

}  // namespace pedivo::rigidbase
