#pragma once
// A part that grows a fixed step at a time until a check holds, where a check that holds at one
// size holds at every larger one: the count of steps is found at once, and the rounds it spends
// and the size it reaches are those of growing it step by step.

#include <algorithm>
#include <cmath>
#include <optional>

#include "design/common/calculation.h"
#include "design/common/tables.h"

namespace pedivo {

// More steps than the round limit allows: a growth that has not held by then never ends within it.
inline constexpr long beyondAnyRoundLimit = 1L << 21;

// The least k in [1, most] with holds(k), for a holds() that is false at 0 and, once true, stays
// true as k grows; none when holds(most) is false. Starts from the estimate `guess` (any number;
// a good one costs two calls), gallops away from it and halves the gap left.
template <class Holds>
std::optional<long> firstStepThatHolds(Holds&& holds, double guess, long most) {
  const long start =
      std::isfinite(guess) ? static_cast<long>(std::clamp(std::ceil(guess), 1.0, static_cast<double>(most))) : 1;
  long low = 0, high = start;  // holds(low) is false, holds(high) true once found
  if (holds(start)) {
    for (long gap = 1; high - 1 > 0;) {  // down while the step before still holds
      const long below = std::max(0L, high - gap);
      if (below == 0 || !holds(below)) {
        low = below;
        break;
      }
      high = below;
      gap *= 2;
    }
  } else {
    low = start;
    for (long gap = 1;; gap *= 2) {
      if (low >= most) return std::nullopt;
      high = std::min(most, low + gap);
      if (holds(high)) break;
      low = high;
    }
  }
  while (high - low > 1) {
    const long middle = low + (high - low) / 2;
    (holds(middle) ? high : low) = middle;
  }
  return high;
}

// The steps a stiffener of clear height u must grow by `step` until its equivalent stress
// √(σ² + 3τ²) is within `limit`, estimated from the stresses at its present height: its load stays
// as it grows, so its bending stress falls as 1/u² and its shear stress as 1/u. Only an estimate to
// start the search from; the steps are confirmed on the stresses themselves. It raises no
// floating-point flag: stresses beyond any design, or a limit of nought, give no estimate (zero)
// rather than an overflow the steps themselves would not meet.
inline double stiffenerStepsEstimate(double sigma, double tau, double u, double limit, double step) {
  // Within these bounds no product below overflows and no quotient divides by nought.
  const bool stressesWithin = std::fabs(sigma) < 1e50 && std::fabs(tau) < 1e50;
  if (!(stressesWithin && u > 0 && u < 1e9 && limit > 1e-6 && limit < 1e6 && step > 0)) return 0;
  const double bending = sigma * u * u, shear = tau * u;  // the stresses times u² and u
  // σ = bending/u², τ = shear/u: limit²·w² − 3·shear²·w − bending² = 0 in w = u².
  const double w =
      (3 * shear * shear + std::sqrt(9 * shear * shear * shear * shear + 4 * limit * limit * bending * bending)) /
      (2 * limit * limit);
  return (std::sqrt(w) - u) / step;
}

// A size grown `step` at a time from a `start` that need not be a whole number: the sizes the
// steps reach are added up step by step and differ from start + k·step by rounding.
struct AddedUpSteps {
  long steps;     // the least count k ≥ 1 whose size holds
  double before;  // the size added up after k − 1 steps
};

// The least count of steps at which holds(size) is true, for a holds() false at `start` that, once
// true, stays true as the size grows. Found on the sizes start + k·step, then confirmed on the sizes
// the steps add up to, which differ by one step at most. A count the round limit would stop stops
// the calculation here, as the steps would; none at all is the round limit reached at once.
template <class Holds>
AddedUpSteps addedUpStepsThatHold(double start, double step, Holds&& holds, RoundLimit& rounds) {
  const auto found = firstStepThatHolds(
      [&](long k) { return holds(start + step * static_cast<double>(k)); }, 1.0, beyondAnyRoundLimit);
  if (!found || !rounds.allows(*found - 2)) rounds.exhaust();
  const auto sizeAfter = [start, step](long k) {
    double size = start;
    for (long i = 0; i < k; ++i) size += step;
    return size;
  };
  long steps = *found;
  double before = sizeAfter(steps - 1);
  while (steps > 1 && holds(before)) before = sizeAfter(--steps - 1);
  while (!holds(before + step)) {
    before += step;
    ++steps;
  }
  return {steps, before};
}

// The stresses a stiffener failed with at its first height, what they must come within, and what
// its section loses in height to corner cuts.
struct FailedStiffener {
  double sigma, tau;  // bending and shear stress
  double limit;       // 1.1·f
  double cornerCut;   // mm
};

// A stiffener that fails its equivalent stress at the height `start` grows 10 mm a round until it
// holds. Its load stays and both its stresses fall as it grows, so the count of steps is found at
// once and spent on `rounds` (the round limit stops it where the steps would). `stressesAt(height)`
// works out and holds the stresses at a height and tells whether they hold. Heights are whole
// millimetres, so the height after k steps is the one the steps would add up to; the stresses left
// held are those of the height reached, which is returned. The trial heights raise no
// floating-point flag the first height did not: their stresses are smaller.
template <class StressesAt>
double raisedStiffenerHeight(double start, const FailedStiffener& failed, StressesAt&& stressesAt,
                             RoundLimit& rounds) {
  const auto heightAfter = [start](long k) { return start + tables::heightStep * static_cast<double>(k); };
  const double guess =
      stiffenerStepsEstimate(failed.sigma, failed.tau, start - failed.cornerCut, failed.limit, tables::heightStep);
  const std::optional<long> steps =
      firstStepThatHolds([&](long k) { return stressesAt(heightAfter(k)); }, guess, beyondAnyRoundLimit);
  if (!steps) rounds.exhaust();
  rounds.advance(*steps);
  const double reached = heightAfter(*steps);
  stressesAt(reached);
  return reached;
}

}  // namespace pedivo
