#include "design/common/compressed_zone.h"

#include <bit>
#include <cfenv>
#include <cmath>
#include <optional>

#include "design/common/calculation.h"
#include "design/common/zone_head_start.h"

namespace pedivo::rigidbase {
namespace {

constexpr int maximumHalvings = 2000;

// Halvings go in threes. The first of three goes to the point a step either way that the sign
// of the residual at xn picks; the residual there is worked out together with those at the two
// points the second halving may reach and the four the third may reach, before any of their
// signs is looked at, so the processor overlaps them and waits for one residual in three
// halvings. Seven residuals for three halvings, none worked out twice. The choices are indices,
// not jumps: their directions are as good as random. The points, the residuals and the order
// of the tests are those of halving one step at a time. A bisection that cannot reach the
// round limit counts its rounds once, at its end. The halvings far from the root, whose signs
// are certain (zone_head_start.h), are taken at once: about four in five of a rising residual's.
ZoneBisection bisect(const ZoneEquation& eq, RoundLimit& rounds) {
  const double squareFactor = eq.squareFactor, boltFactor = eq.boltFactor, boltArm = eq.boltArm;
  const double tolerance = eq.tolerance;
  const auto residual = [&](double x) { return x * x * x + squareFactor * x * x - boltFactor * (boltArm - x); };
  double xn = eq.L;
  double dx = 0.5 * eq.L;
  int halvings = 0;
  const bool roundsToSpare = rounds.allows(maximumHalvings);
  // The halvings far from the root, whose signs are certain, at once.
  if (const std::optional<ZoneHeadStart> start = certainHalvings(eq)) {
    if (!roundsToSpare) rounds.advance(start->halvings);
    xn = start->xn;
    dx = start->dx;
    halvings = start->halvings;
  }
  double Fx = residual(xn);
  const auto halve = [&](double candidate, double residualThere) {
    if (!roundsToSpare) rounds.next();
    xn = candidate;
    dx = dx / 2;
    Fx = residualThere;
    ++halvings;
  };
  const auto ends = [&] { return std::fabs(Fx) < tolerance || halvings == maximumHalvings; };
  const auto side = [&] { return Fx > 0 ? 0 : 1; };  // down while the residual is positive
  while (!ends()) {
    const double points[2] = {xn - dx, xn + dx};
    const double first = points[side()];
    if (first == xn) break;
    const double step2 = dx / 2, step3 = step2 / 2;
    const double second[2] = {first - step2, first + step2};
    const double third[2][2] = {{second[0] - step3, second[0] + step3}, {second[1] - step3, second[1] + step3}};
    const double firstResidual = residual(first);
    const double secondResiduals[2] = {residual(second[0]), residual(second[1])};
    const double thirdResiduals[2][2] = {{residual(third[0][0]), residual(third[0][1])},
                                         {residual(third[1][0]), residual(third[1][1])}};
    halve(first, firstResidual);
    if (ends()) break;
    const int up = side();
    if (second[up] == xn) break;
    halve(second[up], secondResiduals[up]);
    if (ends()) break;
    const int up3 = side();
    if (third[up][up3] == xn) break;
    halve(third[up][up3], thirdResiduals[up][up3]);
  }
  if (roundsToSpare) rounds.advance(halvings);
  return {{xn, dx, Fx}, halvings};
}

constexpr int floatingFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

}  // namespace

ZoneEquation zoneEquation(const CompressedZoneInput& in) {
  // The factors that do not depend on xn, each multiplied in the order the equation is written,
  // so every round gives the same digits as the whole expression would.
  return {in.L, 3 * (in.e - in.L / 2), 6 * (in.Es / in.Ec) * (in.n / 2) * (in.Aems / in.B) * (in.e + in.L / 2 - in.lt),
          in.L - in.lt, in.tolerance};
}

ZoneMemo::Bits ZoneMemo::bitsOf(const ZoneEquation& eq) {
  return {std::bit_cast<std::uint64_t>(eq.L), std::bit_cast<std::uint64_t>(eq.squareFactor),
          std::bit_cast<std::uint64_t>(eq.boltFactor), std::bit_cast<std::uint64_t>(eq.boltArm),
          std::bit_cast<std::uint64_t>(eq.tolerance)};
}

std::size_t ZoneMemo::hashOf(const Bits& bits) {
  std::uint64_t h = 0;
  for (const std::uint64_t word : bits) {
    h = (h ^ word) * 0x9e3779b97f4a7c15u;
    h ^= h >> 31;
  }
  // The final mix of MurmurHash3: every bit of the equations reaches the low bits that pick the place.
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdu;
  h ^= h >> 33;
  return static_cast<std::size_t>(h);
}

const ZoneBisection* ZoneMemo::find(const ZoneEquation& equation) {
  ++looks_;
  if (places_.empty()) return nullptr;
  const Bits bits = bitsOf(equation);
  const Place& place = places_[hashOf(bits) & (places_.size() - 1)];
  if (!place.taken || place.equation != bits) return nullptr;
  ++finds_;
  return &place.bisection;
}

void ZoneMemo::putIn(const Bits& bits, const ZoneBisection& bisection) {
  Place& place = places_[hashOf(bits) & (places_.size() - 1)];
  if (!place.taken) ++kept_;
  place = {bits, bisection, true};
}

void ZoneMemo::keep(const ZoneEquation& equation, const ZoneBisection& bisection) {
  if (places_.empty()) {
    places_.resize(firstRoom);
  } else if (2 * kept_ >= places_.size() && places_.size() < room) {
    std::vector<Place> before(places_.size() * 2);
    before.swap(places_);
    kept_ = 0;
    for (const Place& place : before)
      if (place.taken) putIn(place.equation, place.bisection);
  }
  putIn(bitsOf(equation), bisection);
}

CompressedZone bisectCompressedZone(const CompressedZoneInput& in, RoundLimit& rounds, ZoneMemo* memo) {
  const ZoneEquation equation = zoneEquation(in);
  if (memo == nullptr || rounds.used() < memoFromRound || !memo->worthLooking()) return bisect(equation, rounds).zone;
  if (const ZoneBisection* kept = memo->find(equation)) {
    // Near the round limit, the stop comes at the halving where the bisection would stop.
    rounds.advance(kept->halvings);
    return kept->zone;
  }
  const ZoneBisection made = bisect(equation, rounds);
  // No fault standing after it: none raised on the way. One standing from before (the design
  // stops on it anyway) keeps nothing either.
  if (std::fetestexcept(floatingFaults) == 0) memo->keep(equation, made);
  return made.zone;
}

}  // namespace pedivo::rigidbase
