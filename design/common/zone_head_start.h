#pragma once
// The halvings of the compressed-zone bisection whose outcome is certain before they are made.
//
// The bisection starts at xn = L with the step L/2 and goes down while the residual is positive.
// Its k-th point is the middle of the cell of width L/2^(k−1) that holds the root, as long as the
// sign of each residual it meets tells truly on which side of the root the point lies and no
// residual falls below the tolerance. Where the residual rises with xn over the whole range and
// the root is known closely (a few Newton steps), the points far enough from the root, and the
// halvings through them, can be worked out at once: the residual there is larger than the
// tolerance and than any rounding of its own evaluation. What is left is halved as before, from
// the same point with the same step, so the points, the residuals and the halvings are those of
// halving one step at a time.

#include <optional>

namespace pedivo::rigidbase {

struct ZoneEquation;

// Where the halvings that are certain lead: the point after them, its step and how many they are.
struct ZoneHeadStart {
  double xn = 0, dx = 0;
  int halvings = 0;
};

// The halvings whose outcome is certain, none when the residual may fall or the root lies outside
// the range the bisection reaches, or when no halving is certain.
std::optional<ZoneHeadStart> certainHalvings(const ZoneEquation& equation);

}  // namespace pedivo::rigidbase
