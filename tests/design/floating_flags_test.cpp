#include "design/common/calculation.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>

namespace pedivo {
namespace {

struct Held {
  double x = 0;
};

Outcome completed() {
  Outcome outcome;
  outcome.ending = Ending::Completed;
  return outcome;
}

// The x87 unit keeps flags of its own: a long double overflow raises them there, not in MXCSR.
void raiseEveryKindOfFault() {
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  volatile long double big = LDBL_MAX;
  volatile long double x87 = big * big;
  volatile double zero = 0;
  volatile double sse = 1 / zero;
  (void)x87;
  (void)sse;
}

// A calculation is judged by the faults of its own run: one standing from earlier work does not
// stop it, one it raises does, keeping the held values as they were; and none stands after it.
TEST(GuardedCalculation, JudgesOnlyTheFaultsOfItsOwnRun) {
  Held held;
  raiseEveryKindOfFault();
  ASSERT_NE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0);
  const Outcome fine = guardedCalculation(held, [](Held& h) {
    h.x = 1;
    return completed();
  });
  EXPECT_EQ(fine.ending, Ending::Completed);
  EXPECT_EQ(held.x, 1);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);

  const Outcome faulty = guardedCalculation(held, [](Held& h) {
    // An overflow in the x87 unit alone, kept in its place by the volatile store.
    volatile long double big = LDBL_MAX;
    volatile long double product = big * big;
    h.x = static_cast<double>(product);
    return completed();
  });
  EXPECT_EQ(faulty.stop, Stop::InvalidNumber);
  EXPECT_EQ(held.x, 1);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

// Clearing the flags leaves the rounding as it was.
TEST(GuardedCalculation, ClearingTheFlagsKeepsTheRounding) {
  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  raiseEveryKindOfFault();
  clearFloatingFlags();
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
  std::fesetround(FE_TONEAREST);
}

}  // namespace
}  // namespace pedivo
