#include "design/common/zone_head_start.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <limits>

#include "design/common/compressed_zone.h"

namespace pedivo::rigidbase {
namespace {

constexpr double unitRoundoff = std::numeric_limits<double>::epsilon() / 2;

// The residual at x ≥ 0 is worked out in six roundings, each of at most one unit roundoff of the
// terms it combines: about 4.1 units of the sum of the terms' sizes in all. Twice that is taken,
// and every bound below is taken twice over again; a bound too wide only costs halvings.
constexpr double residualRounding = 8 * unitRoundoff;
constexpr double boundRounding = 16 * unitRoundoff;

// Beyond these the bisection halves step by step: within them nothing worked out here overflows.
constexpr double largestLength = 1e7;  // mm: the plate and the bolt arm
constexpr double largestFactor = 1e30;
constexpr double smallestLength = 1;  // mm: the steps stay normal numbers
// Below these a quotient of the bounds could overflow: the residual is too flat, or the root too
// near nought, for a head start.
constexpr double leastSlope = 1e-200;
constexpr double smallestRoot = 1e-9;  // mm

constexpr int rootSteps = 40;
// The last halving whose point and step are exact for the plate's significant bits: a point is an
// odd multiple of L/2^k, below 2L.
constexpr int significantBits = std::numeric_limits<double>::digits;

// 2^k, exactly, for the exponents of normal numbers.
double powerOfTwo(int k) { return std::bit_cast<double>(static_cast<std::uint64_t>(1023 + k) << 52); }
// The exponent of a positive normal number: x lies in [2^k, 2^(k+1)).
int binaryExponent(double x) { return static_cast<int>(std::bit_cast<std::uint64_t>(x) >> 52) - 1023; }

// The whole part of a number in [0, 2^63).
double wholePart(double x) { return static_cast<double>(static_cast<std::int64_t>(x)); }

// x³ + a·x² − b·(c − x), written as the bisection writes it.
struct Residual {
  double a, b, c;
  double at(double x) const { return x * x * x + a * x * x - b * (c - x); }
  double slope(double x) const { return 3 * x * x + 2 * a * x + b; }
  double bend(double x) const { return 6 * x + 2 * a; }
  // The least slope over [lo, hi]: the slope is a parabola, lowest at −a/3.
  double leastSlope(double lo, double hi) const { return slope(std::clamp(-a / 3, lo, hi)) * (1 - boundRounding); }
  // How far the worked-out residual at x ≥ 0 may be from the exact one.
  double rounding(double x) const { return residualRounding * (x * x * x + std::fabs(a) * x * x + b * (c + x)); }
};

bool withinReach(const ZoneEquation& eq) {
  return eq.L >= smallestLength && eq.L <= largestLength && std::fabs(eq.squareFactor) <= largestFactor &&
         eq.boltFactor > 0 && eq.boltFactor <= largestFactor && eq.boltArm > 0 && eq.boltArm <= largestLength &&
         eq.tolerance >= 0 && eq.tolerance <= largestFactor;
}

// The root by Halley's method from above: x³, a·x² and b·x each reach b·c at or beyond the root,
// so the least of the points where they do is above it (the cube's taken to the next power of
// two). Any estimate will do; a close one makes more halvings certain.
double rootEstimate(const Residual& f, double top) {
  double x = f.a >= 0 ? std::min(top, f.c) : top;
  const double boltTerm = f.b * f.c;
  if (f.a >= 0) x = std::min(x, powerOfTwo(binaryExponent(boltTerm) / 3 + 1));
  if (f.a > 1) x = std::min(x, std::sqrt(boltTerm / f.a));
  for (int step = 0; step < rootSteps; ++step) {
    const double F = f.at(x), slope = f.slope(x);
    const double denominator = 2 * slope * slope - F * f.bend(x);
    if (!(slope > 0 && denominator > leastSlope)) break;
    const double move = 2 * F * slope / denominator;
    x -= move;
    if (!(x > 0 && x < top) || !(std::fabs(move) > x * boundRounding)) break;
  }
  return x;
}

// Where the residual falls after a first rise (a < 0 and a² > 3·b), the bottom of the dip, the
// second point of no slope; nought where it only rises.
double dipBottom(const Residual& f) {
  const double spread = f.a * f.a - 3 * f.b;
  return f.a < 0 && spread > 0 ? (-f.a + std::sqrt(spread)) / 3 : 0;
}

// The most the worked-out residual can be over [0, x], x past any dip: at x, or at the top of the
// first rise, where the slope is nought. That top is found to a few roundings of a and the root
// of the spread; the residual there is raised by the steepest slope over that miss.
double highestUpTo(const Residual& f, double x) {
  const double atX = f.at(x) + f.rounding(x);
  const double spread = f.a * f.a - 3 * f.b;
  if (!(f.a < 0 && spread > 0)) return atX;
  const double root = std::sqrt(spread);
  const double peak = (-f.a - root) / 3;
  if (!(peak < x)) return atX;
  const double peakMiss = boundRounding * (-f.a + root);
  const double steepest = std::max(f.b, f.slope(x));
  return std::max(atX, f.at(peak) + f.rounding(peak) + 2 * steepest * peakMiss);
}

// The most halvings, from L, whose points all lie at least `clearance` from the root estimate r:
// the points of the first K halvings and the ends of the cells they narrow to are multiples of
// L/2^(K−1), the cells they leave are decided, and the root lies in the cell of r.
int clearHalvings(double L, double r, double clearance) {
  const double widest = L / (2 * clearance);
  if (!(widest >= 1)) return 0;
  // A point L·m/2^K, m odd below 2^(K+1), is exact while the significant bits of L and K + 1 fit.
  const std::uint64_t significand = (std::bit_cast<std::uint64_t>(L) & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int exactUpTo = std::countr_zero(significand) - 1;
  // r in cells of width L: its rounding, about two units of r, is within the clearance.
  const double rInL = r / L;
  for (int K = std::min(binaryExponent(widest) + 1, exactUpTo); K >= 1; --K) {
    const double cells = rInL * powerOfTwo(K - 1);
    const double whole = wholePart(cells);
    if (std::min(cells - whole, whole + 1 - cells) * (L * powerOfTwo(1 - K)) >= clearance) return K;
  }
  return 0;
}

// Past the halvings whose points are exact multiples, the bisection goes on from `start` one
// halving at a time, its points rounded as the bisection rounds them (xn ∓ dx, then dx/2). While a
// point stands `clearance` or more from the root estimate r, its residual's sign is that of its
// side and above the tolerance: the halving it leads to is certain and is taken without working
// out the residual. It stops at the first point within the clearance, or where the step no longer
// moves the point (the bisection ends there).
ZoneHeadStart clearSteps(ZoneHeadStart start, double r, double clearance) {
  while (std::fabs(start.xn - r) >= clearance) {
    const double next = start.xn > r ? start.xn - start.dx : start.xn + start.dx;
    if (next == start.xn) break;
    start.xn = next;
    start.dx = start.dx / 2;
    ++start.halvings;
  }
  return start;
}

}  // namespace

std::optional<ZoneHeadStart> certainHalvings(const ZoneEquation& eq) {
  if (!withinReach(eq)) return std::nullopt;
  const Residual f{eq.squareFactor, eq.boltFactor, eq.boltArm};
  const double L = eq.L, top = 2 * L;
  const double r = rootEstimate(f, top);
  if (!(r > smallestRoot && r < top)) return std::nullopt;
  // Around the root the residual rises from below `low` to above `near`, one of them certainly
  // negative and the other certainly positive: the root lies between, and beyond them the
  // residual only moves further from nought.
  const double low = std::max(r / 2, (dipBottom(f) + r) / 2), near = std::min(2 * r, top);
  if (!(low < r) || !(f.leastSlope(low, top) > 0)) return std::nullopt;
  const double highestBelow = highestUpTo(f, low), lowestAbove = f.at(near) - f.rounding(near);
  if (!(highestBelow < 0 && lowestAbove > 0)) return std::nullopt;
  // Points below low and above near: their residuals are above the tolerance and their rounding.
  if (!(-highestBelow >= 2 * (eq.tolerance + f.rounding(low)))) return std::nullopt;
  if (near < top && !(lowestAbove >= 2 * (eq.tolerance + f.rounding(top)))) return std::nullopt;
  // Between them the residual rises at least at `rise`: |F(r)| ≥ rise·|r − root|, and points this
  // far from r have residuals above the tolerance and their rounding.
  const double rise = f.leastSlope(low, near);
  if (!(rise > leastSlope)) return std::nullopt;
  const double rootMiss = 2 * (std::fabs(f.at(r)) + f.rounding(r)) / rise;
  const double clearance = 2 * (rootMiss + (eq.tolerance + f.rounding(near)) / rise) + boundRounding * r;
  const int K = clearHalvings(L, r, clearance);
  if (K < 1) return std::nullopt;
  // The middle of the cell of width L/2^(K−1) that holds the root, and the step L/2^(K+1).
  const double cell = wholePart(r / L * powerOfTwo(K - 1));
  return clearSteps({(2 * cell + 1) * (L * powerOfTwo(-K)), L * powerOfTwo(-(K + 1)), K}, r, clearance);
}

}  // namespace pedivo::rigidbase
