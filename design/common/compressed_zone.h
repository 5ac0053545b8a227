#pragma once
// The compressed zone under a rigid base plate found from the equilibrium of the plate with the
// tension bolts, by bisection, and the bisections a window's state has already made.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pedivo {

class RoundLimit;

namespace rigidbase {

// The compressed zone xn from the equilibrium of the plate with the tension bolts, by bisection
// from xn = L with the step L/2. Stops when the residual falls below the tolerance, after 2000
// halvings, or when a step no longer changes xn; the xn reached is taken.
struct CompressedZoneInput {
  double e, L, lt, B, Es, Ec, n, Aems;
  double tolerance;
};
struct CompressedZone {
  double xn = 0;
  double dx = 0;  // the last step
  double Fx = 0;  // the last residual
};

// The equation a bisection solves, xn³ + squareFactor·xn² − boltFactor·(boltArm − xn) = 0, with
// the point it starts from (L) and the residual that ends it: all that decides its points.
struct ZoneEquation {
  double L, squareFactor, boltFactor, boltArm, tolerance;
};
ZoneEquation zoneEquation(const CompressedZoneInput& in);

// A bisection's end and the halvings it took, each of them one round of the calculation.
struct ZoneBisection {
  CompressedZone zone;
  long halvings = 0;
};

// Bisections already made, by the exact bits of their equations. A design that widens its plate
// a step at a time, and starts again from the typed sizes whenever a stiffener or a weld grows,
// meets the same equation again and again; so does 自动调整 over the plate sizes of one base. A
// bisection is a function of its equation alone, so what is kept is what a new bisection would
// give, the same digits and the same halvings. Each equation has one place, picked by its bits:
// a new one takes the place of the one there. The places double as they fill, up to `room`.
class ZoneMemo {
 public:
  static constexpr std::size_t firstRoom = 64;
  static constexpr std::size_t room = 2048;
  // A kept equation's bisection; each call counts as a look.
  const ZoneBisection* find(const ZoneEquation& equation);
  void keep(const ZoneEquation& equation, const ZoneBisection& bisection);
  // Equations kept.
  std::size_t size() const { return kept_; }
  // Whether looking up is still worth its cost: after `trialLooks` looks, at least one in
  // `worthFinding` found. A design that walks its bolts up the table never meets an equation twice.
  static constexpr long trialLooks = 2048;
  static constexpr long worthFinding = 8;
  bool worthLooking() const { return looks_ < trialLooks || finds_ * worthFinding >= looks_; }

 private:
  using Bits = std::array<std::uint64_t, 5>;
  struct Place {
    Bits equation{};
    ZoneBisection bisection{};
    bool taken = false;
  };
  static Bits bitsOf(const ZoneEquation& equation);
  static std::size_t hashOf(const Bits& bits);
  void putIn(const Bits& bits, const ZoneBisection& bisection);
  std::vector<Place> places_;  // a power of two of them, or none before the first is kept
  std::size_t kept_ = 0;
  long looks_ = 0, finds_ = 0;
};

// Rounds a design has spent before its bisections are looked up and kept: a short design seldom
// meets an equation twice, and one this long has started again from its plate sizes by then.
inline constexpr long memoFromRound = 100'000;

// The bisection itself, counting its halvings as rounds. With a memo, past memoFromRound rounds,
// an equation bisected before is taken from it with its halvings, and a new one is kept unless a
// floating-point fault stands after it (a fault must be raised again).
CompressedZone bisectCompressedZone(const CompressedZoneInput& in, RoundLimit& rounds, ZoneMemo* memo = nullptr);

}  // namespace rigidbase
}  // namespace pedivo
