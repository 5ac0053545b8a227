#include "design/common/stepped_growth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "design/bootbeam/boot_beam.h"
#include "design/common/module.h"
#include "design/common/numbers.h"
#include "design/rigid/rigid_plate.h"
#include "design_probe.h"

namespace pedivo {
namespace {

// The first step that holds, from any estimate, is the one counting up one step at a time finds;
// none where no step within the bound holds.
TEST(SteppedGrowth, FindsTheFirstStepThatHoldsFromAnyEstimate) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (const long first : {1L, 2L, 3L, 7L, 64L, 65L, 1000L, 123457L}) {
    const auto holds = [first](long k) { return k >= first; };
    const double f = static_cast<double>(first);
    for (const double guess : {nan, inf, -inf, -5.0, 0.0, 0.2, 1.0, f - 1, f - 0.5, f, f + 1, 3 * f, 1e300}) {
      const std::optional<long> found = firstStepThatHolds(holds, guess, beyondAnyRoundLimit);
      ASSERT_TRUE(found.has_value()) << first << " from " << guess;
      EXPECT_EQ(*found, first) << "from " << guess;
    }
    EXPECT_EQ(firstStepThatHolds(holds, f, first - 1), std::nullopt);
    EXPECT_EQ(firstStepThatHolds(holds, 1e9, first), first);
  }
}

// A good estimate costs two looks (the step before does not hold, the step does); a poor one no
// more than a few dozen, never a look per step.
TEST(SteppedGrowth, AGoodEstimateCostsTwoLooksAndAPoorOneFew) {
  for (const long first : {2L, 40L, 999'999L}) {
    int looks = 0;
    const auto holds = [&looks, first](long k) {
      ++looks;
      return k >= first;
    };
    firstStepThatHolds(holds, static_cast<double>(first) - 0.3, beyondAnyRoundLimit);
    EXPECT_EQ(looks, 2) << first;
    looks = 0;
    firstStepThatHolds(holds, 1, beyondAnyRoundLimit);
    EXPECT_LE(looks, 45) << first;
  }
}

// Sizes that start from a fraction are added up step by step; the count found on start + k·step is
// confirmed on those sums, also where a threshold falls between the two by rounding.
TEST(SteppedGrowth, AddedUpStepsAreThoseOfGrowingStepByStep) {
  for (const double start : {276.8, 0.1, 1234.5678}) {
    for (const double step : {10.0, 0.1}) {
      std::vector<double> sums{start};
      for (int i = 0; i < 300; ++i) sums.push_back(sums.back() + step);
      for (const int k : {1, 2, 7, 64, 299}) {
        for (const double threshold :
             {sums[k], std::nextafter(sums[k], 0.0), std::nextafter(sums[k - 1], 1e9), start + step * k}) {
          const auto holds = [threshold](double size) { return size >= threshold; };
          long counted = 1;
          while (!holds(sums[counted])) ++counted;
          RoundLimit rounds;
          const AddedUpSteps found = addedUpStepsThatHold(start, step, holds, rounds);
          EXPECT_EQ(found.steps, counted) << start << " " << step << " " << threshold;
          EXPECT_EQ(found.before, sums[counted - 1]) << start << " " << step << " " << threshold;
        }
      }
    }
  }
}

// A size that never holds reaches the round limit at once, as growing it step by step would.
TEST(SteppedGrowth, ASizeThatNeverHoldsReachesTheRoundLimit) {
  RoundLimit rounds;
  EXPECT_THROW(addedUpStepsThatHold(276.8, 10, [](double) { return false; }, rounds), CalculationStop);
}

// √(σ² + 3τ²) with σ falling as 1/u² and τ as 1/u, counted step by step.
long stiffenerStepsOneByOne(double sigma, double tau, double u, double limit, double step) {
  long k = 0;
  for (double v = u; std::sqrt(square(sigma * u * u / (v * v)) + 3 * square(tau * u / v)) > limit; v += step) ++k;
  return k;
}

TEST(SteppedGrowth, TheStiffenerEstimateIsWithinAStepOfTheCount) {
  for (const double sigma : {0.0, 50.0, 400.0, 2500.0})
    for (const double tau : {0.0, 30.0, 300.0, 1800.0}) {
      if (sigma == 0 && tau == 0) continue;
      for (const double u : {185.0, 385.0}) {
        const long counted = stiffenerStepsOneByOne(sigma, tau, u, 236.5, 10);
        const double estimate = stiffenerStepsEstimate(sigma, tau, u, 236.5, 10);
        EXPECT_NEAR(std::max(0.0, std::ceil(estimate)), static_cast<double>(counted), 1) << sigma << " " << tau << " " << u;
      }
    }
}

// Stresses beyond any design, a limit of nought or a section with no height give an estimate of no
// steps without raising a floating-point flag, which would turn the design into an invalid number.
TEST(SteppedGrowth, TheEstimateRaisesNoFlagOnStressesBeyondAnyDesign) {
  const double inf = std::numeric_limits<double>::infinity();
  const double cases[][4] = {{1e300, 1e300, 185, 236.5}, {1e45, 1e45, 1e8, 1e-5}, {inf, 10, 185, 236.5},
                             {100, 100, 0, 236.5},        {100, 100, 185, 0},      {-1e49, 1e49, 9e8, 2e-6}};
  for (const auto& c : cases) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const double estimate = stiffenerStepsEstimate(c[0], c[1], c[2], c[3], 10);
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW)) << c[0] << " " << c[2] << " " << c[3];
    EXPECT_TRUE(std::isfinite(estimate));
  }
  std::feclearexcept(FE_ALL_EXCEPT);
}

using testing::Design;

// A stiffener raised for its own stress stops at the first height that holds: its equivalent
// stress is within 1.1·f there, and one step lower (bending stress scaled by the section's
// modulus, shear by its area: the load is the same) it is not. Designs whose stiffeners grow ten to
// thirty steps; the four-bolt base's stiffener section is its full height.
TEST(SteppedGrowth, StressedStiffenersStopAtTheFirstHeightThatHolds) {
  struct Case {
    const ModuleDescriptor& module;
    testing::Texts texts;
    double cornerCut;
  };
  const std::vector<Case> cases{
      {rigid::eightBoltModule(),
       {{"Edthc", "474.0"}, {"Edtbf", "268"}, {"Edttw", "14.04"}, {"Edttf", "25"}, {"EdtM", "415"}, {"EdtN", "2081"},
        {"EdtV", "301"}, {"CBfta", "Q235"}},
       15},
      {rigid::tenBoltModule(),
       {{"Edthc", "539.5"}, {"Edtbf", "164.232"}, {"Edttw", "12"}, {"Edttf", "21"}, {"EdtM", "339"},
        {"EdtN", "2815.05"}, {"EdtV", "326"}, {"CBf", "Q235"}, {"CBfta", "Q235"}},
       15},
      {bootbeam::tBootBeamModule(),
       {{"Edthc", "667.4"}, {"Edtbf", "309"}, {"Edttw", "6.38"}, {"Edttf", "19.68"}, {"EdtM", "746.12"},
        {"EdtN", "528"}, {"EdtV", "318"}, {"CBfc", "C40"}},
       15},
      {*findModule("j2"),
       {{"Edthc", "568"}, {"Edtbf", "399"}, {"Edttw", "9"}, {"Edttf", "15"}, {"EdtN", "2502"}, {"EdtV", "384.979"},
        {"CBfta", "Q345"}, {"CBfc", "C40"}},
       0},
  };
  for (const Case& c : cases) {
    const Design d = testing::design(c.module, c.texts, c.module.id != "g12" && c.module.id != "j2");
    ASSERT_EQ(d.outcome.ending, Ending::Completed) << c.module.id;
    const double limit = 1.1 * d["f1"], u = d["hjjl"] - c.cornerCut;
    ASSERT_GT(d["hjjl"], 300) << c.module.id;
    EXPECT_LE(d["ylequ"], limit) << c.module.id;
    const double lower = u - 10;
    const double sigma = d["ylfR"] * square(u / lower), tau = d["ylvR"] * u / lower;
    EXPECT_GT(std::sqrt(sigma * sigma + 3 * tau * tau), limit) << c.module.id << " holds one step lower";
  }
}

// A pinned plate widened 10 mm each way for bearing stops at the first plan the concrete bears:
// there σc = N/(B·L) is within fc, and 10 mm smaller each way it is not. Forces that widen it by
// about a hundred steps.
TEST(SteppedGrowth, APinnedPlateWidenedForBearingStopsAtTheFirstPlanThatBears) {
  for (const auto& [id, N] : {std::pair{"j1", "30000"}, {"j2", "90000"}}) {
    const Design d = testing::design(*findModule(id), {{"EdtN", N}, {"EdtV", "10"}});
    ASSERT_EQ(d.outcome.ending, Ending::Completed) << id;
    const double L = d["L"], B = d["B"], fc = d["fc"], force = d["N"];
    ASSERT_GT(L, d["hb"] + 40 + 500) << id;
    EXPECT_LE(force / B / L, fc) << id;
    EXPECT_GT(force / (B - 10) / (L - 10), fc) << id;
    EXPECT_EQ(d["ylc"], force / B / L) << id;
  }
}

}  // namespace
}  // namespace pedivo
