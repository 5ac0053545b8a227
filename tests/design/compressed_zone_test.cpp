#include "design/common/compressed_zone.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "design/bootbeam/boot_beam.h"
#include "design/common/calculation.h"
#include "design/common/rigid_base.h"
#include "design/common/tables.h"
#include "design/common/zone_head_start.h"
#include "design/rigid/rigid_plate.h"
#include "design_probe.h"

namespace pedivo::rigidbase {
namespace {

TEST(CompressedZone, BisectionStopsWhenItsStepNoLongerMovesTheZone) {
  RoundLimit rounds;
  // A residual that cannot reach the tolerance: the search ends on its own bound.
  const auto zone = rigidbase::bisectCompressedZone({1e9, 800, 80, 500, tables::Es, 28000, 6, 2362, 0}, rounds);
  EXPECT_TRUE(std::isfinite(zone.xn));
  EXPECT_EQ(zone.xn + zone.dx, zone.xn);
}

// The compressed zone halved one step at a time, as the equation is written: the reference the
// bisection, which works several halvings out together, must match point for point.
struct SteppedZone {
  rigidbase::CompressedZone zone;
  long rounds = 0;
};
SteppedZone bisectStepByStep(const rigidbase::CompressedZoneInput& in) {
  const auto residual = [&](double x) {
    return x * x * x + 3 * (in.e - in.L / 2) * x * x -
           6 * (in.Es / in.Ec) * (in.n / 2) * (in.Aems / in.B) * (in.e + in.L / 2 - in.lt) * (in.L - in.lt - x);
  };
  SteppedZone stepped{{in.L, 0.5 * in.L, residual(in.L)}, 0};
  auto& [xn, dx, Fx] = stepped.zone;
  while (!(std::fabs(Fx) < in.tolerance) && stepped.rounds != 2000) {
    const double candidate = Fx > 0 ? xn - dx : xn + dx;
    if (candidate == xn) break;
    xn = candidate;
    dx = dx / 2;
    Fx = residual(xn);
    ++stepped.rounds;
  }
  return stepped;
}

TEST(CompressedZone, BisectionFindsThePointsAndRoundsOfHalvingOneStepAtATime) {
  std::vector<rigidbase::CompressedZoneInput> inputs;
  for (const double e : {350.0, 900.0, 4000.0, 1e6})
    for (const double L : {600.0, 870.0, 1430.0})
      for (const double tolerance : {1e-6, 1.0, 0.0})
        inputs.push_back({e, L, 90, 500, tables::Es, 31500, 8, 1120, tolerance});
  for (const auto& in : inputs) {
    SCOPED_TRACE(std::to_string(in.e) + " " + std::to_string(in.L) + " " + std::to_string(in.tolerance));
    const SteppedZone expected = bisectStepByStep(in);
    RoundLimit rounds;
    const auto zone = rigidbase::bisectCompressedZone(in, rounds);
    EXPECT_EQ(zone.xn, expected.zone.xn);
    EXPECT_EQ(zone.dx, expected.zone.dx);
    EXPECT_EQ(zone.Fx, expected.zone.Fx);
    EXPECT_EQ(rounds.used(), expected.rounds);
    // Near the round limit the bisection stops exactly when halving step by step would.
    for (const long left : {expected.rounds, expected.rounds - 1}) {
      if (left < 0) continue;
      RoundLimit nearlySpent;
      nearlySpent.advance(1'000'000 - left);
      if (left >= expected.rounds) {
        EXPECT_NO_THROW(rigidbase::bisectCompressedZone(in, nearlySpent));
      } else {
        EXPECT_THROW(rigidbase::bisectCompressedZone(in, nearlySpent), CalculationStop);
      }
    }
  }
}

// Equations drawn over every scale a design meets and far beyond: plates of 0.3 to 100 m,
// eccentricities from inside the plate to kilometres, bolts of every size, four tolerances.
CompressedZoneInput drawnZone(std::mt19937_64& random) {
  const auto between = [&](double low, double high) {
    return low * std::pow(high / low, std::uniform_real_distribution<double>(0, 1)(random));
  };
  const double L = std::round(between(300, 1e5) / 10) * 10;
  const double lt = std::round(between(30, 0.3 * L));
  const double tolerances[] = {1e-6, 1e-3, 0, 1};
  return {between(L / 6, 1e6), L,  lt, std::round(between(200, 5000)), tables::Es, between(2.2e4, 3.8e4),
          static_cast<double>(2 + 2 * (random() % 3)), between(100, 6000), tolerances[random() % 4]};
}

// A zone equation whose root is put on a point the bisection passes through, L·j/2^k: the
// halvings worked out at once must stop short of it.
CompressedZoneInput zoneRootedOnAHalving(std::mt19937_64& random) {
  CompressedZoneInput in = drawnZone(random);
  const int k = 1 + static_cast<int>(random() % 45);
  const double root = std::ldexp(in.L * static_cast<double>(1 + 2 * (random() % (std::uint64_t{1} << std::min(k - 1, 40)))), -k);
  if (!(root < in.L)) return in;
  // Chosen so that the bolts' arm L − lt puts the root where it is wanted: the residual at the
  // root is nought to rounding.
  const ZoneEquation eq = zoneEquation(in);
  const double arm = root + (root * root * root + eq.squareFactor * root * root) / eq.boltFactor;
  in.lt = in.L - arm;
  return in;
}

TEST(CompressedZone, HalvingsWorkedOutAtOnceLandWhereHalvingStepByStepDoes) {
  std::mt19937_64 random(20261211);
  long headStarts = 0, cases = 0, afterADip = 0, certain = 0, halvings = 0;
  for (int i = 0; i < 200'000; ++i) {
    const CompressedZoneInput in = i % 4 == 3 ? zoneRootedOnAHalving(random) : drawnZone(random);
    const SteppedZone expected = bisectStepByStep(in);
    RoundLimit rounds;
    const CompressedZone zone = bisectCompressedZone(in, rounds);
    ++cases;
    halvings += expected.rounds;
    const ZoneEquation eq = zoneEquation(in);
    const auto start = certainHalvings(eq);
    if (start) certain += start->halvings;
    if (start && start->halvings >= 20) {
      ++headStarts;
      // A residual that first rises, falls and rises again to its root.
      if (eq.squareFactor < 0 && eq.squareFactor * eq.squareFactor > 3 * eq.boltFactor) ++afterADip;
    }
    if (std::bit_cast<std::uint64_t>(zone.xn) != std::bit_cast<std::uint64_t>(expected.zone.xn) ||
        std::bit_cast<std::uint64_t>(zone.dx) != std::bit_cast<std::uint64_t>(expected.zone.dx) ||
        std::bit_cast<std::uint64_t>(zone.Fx) != std::bit_cast<std::uint64_t>(expected.zone.Fx) ||
        rounds.used() != expected.rounds) {
      ADD_FAILURE() << "e " << in.e << " L " << in.L << " lt " << in.lt << " B " << in.B << " Ec " << in.Ec << " n "
                    << in.n << " Aems " << in.Aems << " tolerance " << in.tolerance << ": xn " << zone.xn << " vs "
                    << expected.zone.xn << ", rounds " << rounds.used() << " vs " << expected.rounds;
      return;
    }
    // Near the round limit it stops at the halving where halving step by step would.
    if (i % 1000 == 0 && expected.rounds > 0) {
      RoundLimit justEnough, oneShort;
      justEnough.advance(1'000'000 - expected.rounds);
      oneShort.advance(1'000'000 - expected.rounds + 1);
      EXPECT_NO_THROW(bisectCompressedZone(in, justEnough));
      EXPECT_THROW(bisectCompressedZone(in, oneShort), CalculationStop);
    }
  }
  // Most of the equations with a rising residual start twenty halvings or more down.
  EXPECT_GT(headStarts, cases / 4);
  // Nearly four in five of all the halvings are taken at once (79.4 %): a change that takes fewer
  // makes every rigid design slower, and must lower this on purpose.
  EXPECT_GT(certain * 1000, halvings * 790) << certain << " of " << halvings;
  EXPECT_GT(afterADip, cases / 100);
}

// Equations at the edges of what the head start takes on, and far past them: it raises no
// floating-point flag of its own that a design would stop on.
TEST(CompressedZone, HalvingsWorkedOutAtOnceRaiseNoFaultOnHostileEquations) {
  const double lengths[] = {1, 870, 1e7, 2e7, 1e100};
  const double squares[] = {-1e200, -1e30, -1e10, -3, 0, 1e-300, 1e-30, 1, 1e30, 2e30, 1e200};
  const double bolts[] = {1e-300, 1e-30, 1, 1e12, 1e30, 1e300};
  const double arms[] = {1e-300, 1e-6, 1, 1e7};
  for (const double L : lengths)
    for (const double a : squares)
      for (const double b : bolts)
        for (const double c : arms)
          for (const double tolerance : {0.0, 1e-6, 1e30}) {
            const ZoneEquation eq{L, a, b, c, tolerance};
            std::feclearexcept(FE_ALL_EXCEPT);
            const auto start = certainHalvings(eq);
            EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0)
                << "L " << L << " a " << a << " b " << b << " c " << c << " tolerance " << tolerance;
            if (start) {
              EXPECT_TRUE(std::isfinite(start->xn) && start->xn > 0 && start->xn < 2 * L);
            }
          }
  std::feclearexcept(FE_ALL_EXCEPT);
}

std::vector<CompressedZoneInput> spreadOfZones() {
  std::vector<CompressedZoneInput> inputs;
  for (const double e : {350.0, 900.0, 4000.0, 1e6})
    for (const double L : {600.0, 870.0, 1430.0})
      for (const double lt : {90.0, 130.0})
        for (const double B : {500.0, 520.0}) inputs.push_back({e, L, lt, B, tables::Es, 31500, 8, 1120, 1e-6});
  return inputs;
}

// A design long enough to keep its bisections.
RoundLimit longDesign() {
  RoundLimit rounds;
  rounds.advance(memoFromRound);
  return rounds;
}

TEST(CompressedZoneMemo, AKeptBisectionGivesTheDigitsAndTheRoundsOfANewOne) {
  // A design bisects with the floating-point flags cleared; a flag left standing by whatever ran
  // before in this thread (a report's unevaluated check compares a NaN) would keep nothing.
  std::feclearexcept(FE_ALL_EXCEPT);
  ZoneMemo memo;
  const auto inputs = spreadOfZones();
  for (int pass = 0; pass < 2; ++pass)
    for (const auto& in : inputs) {
      SCOPED_TRACE(std::to_string(pass) + " " + std::to_string(in.e) + " " + std::to_string(in.L));
      RoundLimit fresh = longDesign(), remembered = longDesign();
      const CompressedZone expected = bisectCompressedZone(in, fresh);
      const CompressedZone zone = bisectCompressedZone(in, remembered, &memo);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(zone.xn), std::bit_cast<std::uint64_t>(expected.xn));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(zone.dx), std::bit_cast<std::uint64_t>(expected.dx));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(zone.Fx), std::bit_cast<std::uint64_t>(expected.Fx));
      EXPECT_EQ(remembered.used(), fresh.used());
      // Near the round limit the halvings are counted one by one, kept or not.
      const long halvings = fresh.used() - memoFromRound;
      RoundLimit nearlySpent, nearlySpentAlone;
      nearlySpent.advance(1'000'000 - halvings + 1);
      nearlySpentAlone.advance(1'000'000 - halvings + 1);
      EXPECT_THROW(bisectCompressedZone(in, nearlySpent, &memo), CalculationStop);
      EXPECT_THROW(bisectCompressedZone(in, nearlySpentAlone), CalculationStop);
    }
  // Every equation differs (lt moves the bolt arm alone, B the bolts' factor alone); some share a
  // place, no more are kept.
  EXPECT_LE(memo.size(), inputs.size());
  EXPECT_GT(memo.size(), inputs.size() / 2);
  // A short design neither looks nor keeps.
  ZoneMemo untouched;
  RoundLimit shortDesign;
  bisectCompressedZone(inputs.front(), shortDesign, &untouched);
  EXPECT_EQ(untouched.size(), 0u);
}

TEST(CompressedZoneMemo, ABisectionThatRaisedAFaultRaisesItAgain) {
  ZoneMemo memo;
  // An eccentricity so large that the residual overflows.
  const CompressedZoneInput overflowing{1e306, 800, 80, 500, tables::Es, 28000, 6, 2362, 1e-6};
  for (int call = 0; call < 2; ++call) {
    std::feclearexcept(FE_ALL_EXCEPT);
    RoundLimit rounds = longDesign();
    bisectCompressedZone(overflowing, rounds, &memo);
    EXPECT_NE(std::fetestexcept(FE_OVERFLOW), 0) << call;
  }
  EXPECT_EQ(memo.size(), 0u);
  // A fault raised before the bisection cannot be told from one raised in it: nothing is kept.
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_DIVBYZERO);
  RoundLimit rounds = longDesign();
  bisectCompressedZone(spreadOfZones().front(), rounds, &memo);
  EXPECT_EQ(memo.size(), 0u);
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(CompressedZoneMemo, KeepsAtMostItsRoomAndFindsTheLastKept) {
  ZoneMemo memo;
  for (std::size_t i = 0; i < 3 * ZoneMemo::room; ++i) {
    const ZoneEquation equation{800 + static_cast<double>(i), 1, 2, 3, 1e-6};
    memo.keep(equation, {{400, 1e-13, static_cast<double>(i)}, 55});
    const ZoneBisection* kept = memo.find(equation);
    ASSERT_NE(kept, nullptr) << i;
    EXPECT_EQ(kept->zone.Fx, static_cast<double>(i));
    // An equation differing in its tolerance alone is another equation.
    EXPECT_EQ(memo.find({800 + static_cast<double>(i), 1, 2, 3, 1e-7}), nullptr);
  }
  EXPECT_LE(memo.size(), ZoneMemo::room);
  EXPECT_GT(memo.size(), ZoneMemo::room / 2);  // the places picked spread over the room
}

TEST(CompressedZoneMemo, StopsLookingWhereItSeldomFinds) {
  ZoneMemo memo;
  RoundLimit rounds = longDesign();
  // A plate that only ever grows: every equation new.
  for (long i = 0; i < ZoneMemo::trialLooks + 100; ++i)
    bisectCompressedZone({900, 870 + static_cast<double>(i), 90, 500, tables::Es, 31500, 8, 1120, 1e-6}, rounds, &memo);
  EXPECT_FALSE(memo.worthLooking());
  // Nothing more is looked up or kept.
  const std::size_t kept = memo.size();
  bisectCompressedZone({900, 600, 90, 500, tables::Es, 31500, 8, 1120, 1e-6}, rounds, &memo);
  EXPECT_EQ(memo.size(), kept);
}

// A quantity a design never reached is 0 or an empty text in a window just opened; a window that
// designed before keeps its earlier value there.
bool reached(const NamedValue& v) {
  if (const auto* x = std::get_if<double>(&v.value)) return *x != 0;
  return !std::get<std::string>(v.value).empty();
}

// Long designs: a plate widened for bearing hundreds of times over, started again for every bolt
// and every thicker stiffener; some stop at the round limit, some past the largest bolt.
struct LongDesign {
  const ModuleDescriptor* module;
  testing::Texts texts;
  bool cbsize = true;
};
testing::Texts column(const char* hc, const char* bf, const char* tw, const char* tf, const char* M, const char* N,
                      const char* V, const char* steel, const char* concrete) {
  return {{"Edthc", hc}, {"Edtbf", bf}, {"Edttw", tw}, {"Edttf", tf}, {"EdtM", M},
          {"EdtN", N},   {"EdtV", V},   {"CBf", steel}, {"CBfc", concrete}};
}

// A window that designs one base after another keeps its bisections; every design is still the one
// a window just opened makes, to the last digit, and stops where it would.
TEST(CompressedZoneMemo, AWindowDesignsAsAFreshOneWhateverItDesignedBefore) {
  const LongDesign designs[] = {
      {&rigid::eightBoltModule(), column("1213", "331", "54", "247.9", "6.109e+04", "6.994e+04", "19.96", "Q235", "C40")},
      {&rigid::eightBoltModule(), column("838", "157", "37", "124.4", "2.746e+04", "1.992e+05", "1.364e+04", "Q420", "C25")},
      {&rigid::eightBoltModule(), column("605", "247", "56.46", "211.6", "1.566e+05", "9.592e+04", "25.65", "Q390", "C35")},
      {&rigid::tenBoltModule(), column("229", "433", "59.72", "36.8", "2.574e+04", "2.831e+04", "3.535", "Q420", "C30")},
      {&rigid::tenBoltModule(), column("1072", "334", "48", "183.2", "3.945e+04", "4.54e+04", "5.758", "Q345", "C35")},
      {&bootbeam::tBootBeamModule(), column("1193", "220", "22.2", "159.0", "1.829e+05", "21.73", "1761", "Q235", "C25"), false},
      {&bootbeam::tBootBeamModule(), column("792", "265", "44.36", "99.3", "1.886e+05", "122.3", "3.815e+04", "Q235", "C25")},
      {&bootbeam::channelBootBeamModule(), column("816", "322", "33", "273.2", "1.85e+05", "486.9", "7322", "Q235", "C25")},
      {&bootbeam::channelBootBeamModule(), column("445", "121", "28", "117.8", "1.736e+05", "6.336", "1877", "Q345", "C35"), false},
  };
  for (const ModuleDescriptor* module : {&rigid::eightBoltModule(), &rigid::tenBoltModule(),
                                         &bootbeam::tBootBeamModule(), &bootbeam::channelBootBeamModule()}) {
    DesignSession window(*module);
    int bisected = 0;
    for (int pass = 0; pass < 2; ++pass)
      for (const auto& design : designs) {
        if (design.module != module) continue;
        SCOPED_TRACE(module->id + " " + design.texts[0].second + " pass " + std::to_string(pass));
        for (const auto& [control, text] : design.texts) ASSERT_EQ(window.setText(control, text), std::nullopt);
        window.setCbsize(design.cbsize);
        const Outcome outcome = window.calculate();
        const testing::Design fresh = testing::design(*module, design.texts, design.cbsize);
        EXPECT_EQ(outcome.messages, fresh.outcome.messages);
        const auto& values = window.values();
        const auto& expected = fresh.session.values();
        if (outcome.stop == std::nullopt && fresh["dx"] != 0) {
          // The zone held is the one of this plate's own equation.
          const ZoneEquation eq = zoneEquation({fresh["e"], fresh["L"], fresh["lt"], fresh["B"], tables::Es, fresh["Ec"],
                                                fresh["n"], fresh["Aems"], 1e-6});
          const double x = fresh["xn"];
          EXPECT_EQ(x * x * x + eq.squareFactor * x * x - eq.boltFactor * (eq.boltArm - x), fresh["Fx"]);
          ++bisected;
        }
        ASSERT_EQ(values.size(), expected.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
          if (!reached(expected[i])) continue;
          const auto* x = std::get_if<double>(&values[i].value);
          if (x != nullptr) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*x), std::bit_cast<std::uint64_t>(std::get<double>(expected[i].value)))
                << values[i].name;
          } else {
            EXPECT_EQ(values[i].value, expected[i].value) << values[i].name;
          }
        }
      }
    if (module->id == "g11" || module->id == "g12") {
      EXPECT_GT(bisected, 0);
    }
  }
}

}  // namespace
}  // namespace pedivo::rigidbase
