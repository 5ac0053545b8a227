// The plan and the bearing under the rigid exposed plates: the rounds the plate grows and the plan
// it stops at, worked by hand on the eight-bolt, T-shaped and channel bases; the values held when
// the last round's case differs from an earlier round's; a loop that ends in axial tension; and
// the round limit reached at the same count as growing the plate round by round.

#include "design/common/bearing_step.h"

#include <gtest/gtest.h>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/calculation.h"
#include "design/common/rigid_geometry.h"
#include "design/common/tables.h"
#include "design/rigid/plate_steps.h"

namespace pedivo::rigidbase {
namespace {

constexpr double fcC30 = 14.3;  // N/mm², the concrete of every case here
constexpr double EcC30 = 3.0e4;

// Loads with no moment: the whole plate bears N/(L·B) in either operand order.
BearingLoads concentric(double N) { return {N, 0, 0, fcC30, EcC30, 6, 353, 24}; }
BearingLoads eccentric(double N, double M, double dms = 24) { return {N, M, M / N, fcC30, EcC30, 6, 353, dms}; }

void expectPlan(const PlatePlan& p, double L, double B, double a, double c, double lt, double bt) {
  EXPECT_EQ(p.L, L);
  EXPECT_EQ(p.B, B);
  EXPECT_EQ(p.a, a);
  EXPECT_EQ(p.c, c);
  EXPECT_EQ(p.lt, lt);
  EXPECT_EQ(p.bt, bt);
}

// The eight-bolt base on a = 70, c = 60, lt = bt = 50 round a column 200 deep, stiffeners 10
// thick: 440 × 360 first; each round a + 5, c + 2 plans 10 longer and 10 wider (c back to 60 on
// its fives, bt + 5), so the pressure N/(L·B) runs over 158400, 166500, 174800, 183300 mm².
BearingStep eightBoltBearing(const BearingLoads& loads, RoundLimit& rounds) {
  const auto planOf = [](const PlateLayout& layout) {
    return rigid::platePlan(eightBoltGeometry, layout, 200, 10);
  };
  return widenedBearingStep(eightBoltGeometry.pressure, loads, {353, 70, 60, 50, 50}, planOf, rounds);
}

TEST(BearingStep, EightBoltGrowsUntilTheConcreteHoldsAsWorkedByHand) {
  struct Case {
    const char* name;
    double N;
    long growths;
    double L, B, a, bt;
  };
  const Case cases[] = {
      {"holds on the first plan", 2.0e6, 0, 440, 360, 70, 50},
      {"two rounds: 15.35 and 14.60 above fc, 13.91 within", 2.431e6, 2, 460, 380, 80, 60},
      {"14.302 on the third plan is still above fc", 2.5e6, 3, 470, 390, 85, 65},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RoundLimit rounds;
    const BearingStep step = eightBoltBearing(concentric(c.N), rounds);
    EXPECT_EQ(step.end, Bearing::Holds);
    EXPECT_EQ(step.growths, c.growths);
    EXPECT_EQ(rounds.used(), c.growths);  // no bisection: each growth is one round
    expectPlan(step.plan, c.L, c.B, c.a, 60, 50, c.bt);
    EXPECT_EQ(step.pressure.ylc, c.N / (c.L * c.B));
    EXPECT_EQ(step.write3, c.L / 6 + 50.0 / 3);
    EXPECT_FALSE(step.beyondBoltRow.has_value());  // no moment: never beyond the bolt row
  }
}

// The T-shaped base on a = c = 60, lt = bt = 50, hb = 300, bf = 200, tsh = 10: 520 × 440; each
// round a + 5 and c + 2 makes B0 444, 454, ... up to 450, 460, ..., c taking the growth to 65, 70.
TEST(BearingStep, TShapedGrowsUntilTheConcreteHoldsAsWorkedByHand) {
  const auto planOf = [](const PlateLayout& layout) { return bootbeam::tShapedPlatePlan(layout, 300, 200, 10); };
  RoundLimit rounds;
  // N/(L·B): 15.30 on 520 × 440, 14.68 on 530 × 450, 14.09 on 540 × 460.
  const BearingStep step =
      widenedBearingStep(tShapedGeometry.pressure, concentric(3.5e6), {353, 60, 60, 50, 50}, planOf, rounds);
  EXPECT_EQ(step.end, Bearing::Holds);
  EXPECT_EQ(step.growths, 2);
  EXPECT_EQ(rounds.used(), 2);
  expectPlan(step.plan, 540, 460, 70, 70, 50, 50);
  EXPECT_EQ(step.plan.L0, 540);
  EXPECT_EQ(step.plan.B0, 454);
}

// L0 = 2(a + lt) + hb goes up to whole tens and a takes half the growth, brought down to 5 mm:
// a = 72, lt = 50, hb = 200 make L0 = 444 and L = 450, a = 72 + 3 = 75; a = 71 makes L0 = 442,
// L = 450 and a = 71 + 4 = 75 brought down to 75, and a = 70 stays 70 (L0 = 440).
TEST(BearingStep, TheTShapedPlanGivesHalfItsLengthsGrowthToA) {
  const struct {
    double a, L0, L, aPlanned;
  } cases[] = {{72, 444, 450, 75}, {71, 442, 450, 75}, {73, 446, 450, 75}, {70, 440, 440, 70}};
  for (const auto& c : cases) {
    const PlatePlan plan = bootbeam::tShapedPlatePlan({353, c.a, 60, 50, 50}, 200, 200, 10);
    EXPECT_EQ(plan.L0, c.L0) << c.a;
    EXPECT_EQ(plan.L, c.L) << c.a;
    EXPECT_EQ(plan.a, c.aPlanned) << c.a;
  }
}

// The T-shaped plan adds the flange before the edges, the eight-bolt plan the edges first: on
// sides where the two orders part in the last bit, each plan keeps its own.
TEST(BearingStep, EachPlanKeepsTheOrderItsBaseWasWrittenIn) {
  const double c = 60.1, bt = 50.1, bf = 199.7, tsh = 10.1;
  const double flangeFirst = 2 * c + bf + 2 * bt + 2 * tsh;
  ASSERT_NE(flangeFirst, 2 * c + 2 * bt + bf + 2 * tsh);  // the orders part on these sides
  EXPECT_EQ(bootbeam::tShapedPlatePlan({353, 60, c, 50, bt}, 300, bf, tsh).B0, flangeFirst);

  const double tjjl = 10.1;
  const double stiffenersLast = 4 * c + 2 * bt + 2 * tjjl;
  EXPECT_EQ(rigid::platePlan(eightBoltGeometry, {353, 60, c, 50, bt}, 300, tjjl).B0, stiffenersLast);
}

// The channel base on a = 80, lt = 60, hb = 300: B = 12·2 + 200 + 40 = 264 up to 270, L = 580;
// only L grows, by 10 a round, lt and the width staying.
TEST(BearingStep, ChannelLengthensTheSamePlateAsWorkedByHand) {
  const PlatePlan first = bootbeam::channelPlatePlan({353, 80, 0, 60, 60}, 300, 200, 12);
  expectPlan(first, 580, 270, 80, 0, 60, 60);
  RoundLimit rounds;
  // N/L/B: 14.88, 14.63, 14.38 above fc on 580, 590, 600; 14.15 on 610.
  const BearingStep step = lengthenedBearingStep(channelGeometry.pressure, concentric(2.33e6), first, rounds);
  EXPECT_EQ(step.end, Bearing::Holds);
  EXPECT_EQ(step.growths, 3);
  EXPECT_EQ(rounds.used(), 3);
  expectPlan(step.plan, 610, 270, 80, 0, 60, 60);
  EXPECT_EQ(step.write3, 610.0 / 6 + 60.0 / 3);
}

// The round limit falls where growing the plate one round at a time would reach it: a loop of
// two growths passes one round short of the limit and stops a round later.
TEST(BearingStep, TheRoundLimitStopsAtTheSameCount) {
  constexpr long limit = 1'000'000;
  RoundLimit twoLeft;
  twoLeft.advance(limit - 2);
  EXPECT_EQ(eightBoltBearing(concentric(2.431e6), twoLeft).growths, 2);
  RoundLimit oneLeft;
  oneLeft.advance(limit - 1);
  try {
    eightBoltBearing(concentric(2.431e6), oneLeft);
    ADD_FAILURE() << "two growths within one round";
  } catch (const CalculationStop& stop) {
    EXPECT_EQ(stop.reason, Stop::NotConverging);
  }
}

// Held values the rounds never wrote, to tell them from what the rounds wrote.
ExposedRigidHeld heldBefore() {
  ExposedRigidHeld h;
  h.ta = -1, h.ylc = -2, h.xn = -3, h.ylmax = -4, h.ylmin = -5, h.dx = -6, h.Fx = -7;
  h.zone = CompressedZoneMethod::Equilibrium;
  return h;
}

// e = 91 on the eight-bolt plans: beyond the bolt row on 440 × 360 (write3 = 90), where σmax 15.56
// is above fc; within it on 450 × 370 (write3 = 91.67), where σc = 2N/(3(L/2 − e)B) = 14.79 is
// still above fc, and on 460 × 380, where 13.88 holds. The last two rounds found no linear
// pressure, so σmax and σmin stay those of the first, shortest plate.
TEST(BearingStep, AValueTheLastRoundsDidNotReachStaysTheEarlierPlates) {
  const double N = 1.1e6, M = 91 * N;
  RoundLimit rounds;
  const BearingStep step = eightBoltBearing(eccentric(N, M), rounds);
  ASSERT_EQ(step.end, Bearing::Holds);
  ASSERT_EQ(step.growths, 2);
  ExposedRigidHeld h = heldBefore();
  holdBearing(h, step);
  EXPECT_EQ(h.eccentricity, Eccentricity::WithinBoltRow);
  EXPECT_EQ(h.ylc, 2 * N / (3 * (460.0 / 2 - 91) * 380));
  EXPECT_EQ(h.xn, 3 * (460.0 / 2 - 91));
  EXPECT_EQ(h.ta, 0);
  const LinearPressure first = linearPressure(N, M, 360, 440, 50);
  EXPECT_EQ(h.ylmax, first.ylmax);
  EXPECT_EQ(h.ylmin, first.ylmin);
  EXPECT_GT(h.ylmax, fcC30);
  EXPECT_EQ(h.zone, CompressedZoneMethod::Linear);
  EXPECT_EQ(h.dx, -6);  // no bisection below 60 mm bolts
  EXPECT_EQ(h.Fx, -7);
  EXPECT_EQ(h.e, 91);
  EXPECT_EQ(h.write3, 460.0 / 6 + 50.0 / 3);
  EXPECT_EQ(h.fc, fcC30);
  EXPECT_EQ(h.Ec, EcC30);
}

// The same with 64 mm bolts: the first plate's zone was bisected, and its last step and residual
// stay held under the last round's pressure within the bolt row.
TEST(BearingStep, AnEarlierBisectionStaysHeld) {
  const double N = 1.1e6, M = 91 * N;
  RoundLimit rounds;
  const BearingStep step = eightBoltBearing(eccentric(N, M, 64), rounds);
  ASSERT_TRUE(step.beyondBoltRow.has_value());
  ASSERT_TRUE(step.beyondBoltRow->bisection.has_value());
  ASSERT_EQ(step.pressure.eccentricity, Eccentricity::WithinBoltRow);
  ASSERT_EQ(step.growths, 2);
  ExposedRigidHeld h = heldBefore();
  holdBearing(h, step);
  EXPECT_EQ(h.dx, step.beyondBoltRow->bisection->dx);
  EXPECT_EQ(h.Fx, step.beyondBoltRow->bisection->Fx);
  EXPECT_NE(h.Fx, 0);
  EXPECT_EQ(h.zone, CompressedZoneMethod::Equilibrium);
  EXPECT_EQ(h.xn, 3 * (step.plan.L / 2 - 91));  // the last round's zone, not the bisected one
}

// N = −10 MN with e = −91: beyond the bolt row on the first plate, σmax 15.21 above fc; on the
// wider plate |e| ≤ write3 = 91.67 puts the tension between the bolt rows, where the loop ends.
// The bolt tension, the zone and the pressure stay those of the first plate.
TEST(BearingStep, ALoopEndingInAxialTensionKeepsTheRoundBefore) {
  const double N = -1.0e7, M = -91 * N;
  RoundLimit rounds;
  const BearingStep step = eightBoltBearing(eccentric(N, M), rounds);
  EXPECT_EQ(step.end, Bearing::AxialTension);
  EXPECT_EQ(step.growths, 1);
  expectPlan(step.plan, 450, 370, 75, 60, 50, 55);
  ExposedRigidHeld h = heldBefore();
  holdBearing(h, step);
  EXPECT_EQ(h.eccentricity, Eccentricity::TensionInside);
  const LinearPressure first = linearPressure(N, M, 360, 440, 50);
  EXPECT_EQ(h.ylc, first.ylmax);
  EXPECT_EQ(h.xn, first.xn);
  EXPECT_EQ(h.ta, first.ta);
  EXPECT_EQ(h.ylmax, first.ylmax);
  EXPECT_EQ(h.e, -91);
  EXPECT_EQ(h.write3, 450.0 / 6 + 50.0 / 3);
}

// Axial tension on the first plate: nothing of the pressure was found, and the held values stay.
TEST(BearingStep, AxialTensionOnTheFirstPlateLeavesThePressureHeld) {
  RoundLimit rounds;
  const BearingStep step = eightBoltBearing(eccentric(-1.0e6, 1.0e7), rounds);
  EXPECT_EQ(step.end, Bearing::AxialTension);
  EXPECT_EQ(step.growths, 0);
  ExposedRigidHeld h = heldBefore();
  holdBearing(h, step);
  EXPECT_EQ(h.eccentricity, Eccentricity::TensionInside);
  EXPECT_EQ(h.ta, -1);
  EXPECT_EQ(h.ylc, -2);
  EXPECT_EQ(h.xn, -3);
  EXPECT_EQ(h.ylmax, -4);
}

// The boot-beam bases hold the steel's modulus only once a round fell beyond the bolt row, even
// when the last did not.
TEST(BearingStep, TheBootBeamsHoldTheSteelModulusOnlyBeyondTheBoltRow) {
  RoundLimit rounds;
  bootbeam::Held within;
  bootbeam::holdBootBeamBearing(within, eightBoltBearing(concentric(2.431e6), rounds));
  EXPECT_EQ(within.Es, 0);
  bootbeam::Held earlier;
  bootbeam::holdBootBeamBearing(earlier, eightBoltBearing(eccentric(1.04e6, 91 * 1.04e6), rounds));
  EXPECT_EQ(earlier.Es, tables::Es);
}

}  // namespace
}  // namespace pedivo::rigidbase
