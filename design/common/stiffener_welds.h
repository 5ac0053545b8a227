#pragma once
// The fillet welds of a stiffener that stands on the base plate against a web, a boot beam or a
// channel wall: one weld along the plate, one up the upstand. The stiffener carries its load as
// a cantilever from the upstand, the load acting at half its outstand.

#include <optional>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"

namespace pedivo {

// What differs between the stiffeners of the base types.
struct StiffenerWeldInputs {
  double load = 0;       // Vimax, the force the stiffener carries, N
  double outstand = 0;   // the stiffener's length along the plate from the upstand, mm
  double height = 0;     // hjjl, mm
  double thickness = 0;  // tjjl, mm
  double ffw = 0;        // fillet-weld strength
  // Length lost at the ends of the upstand weld: 15 mm, or 30 mm for a rib under a top plate.
  double upstandEnds = tables::stiffenerCornerCut;
  // The largest leg an overstressed upstand weld may grow to; the plate weld is held only by the
  // stiffener's thickness.
  double largestLeg = 0;
  // An overstressed upstand weld takes a larger leg (up to its thickness and largestLeg) before
  // the stiffener grows; where false, the caller decides at once.
  bool upstandGrowsLeg = true;
};

// How the welds ended. The leg grows by 2 mm a round; each round that does not end keeps it within
// the stiffener's thickness, so the rounds are bounded by the thickness.
enum class StiffenerWeldEnd {
  Designed,             // both welds hold
  Taller,               // the upstand weld fails at its largest leg: a higher stiffener, a longer weld
  Thicker,              // the plate weld asks for a leg beyond the stiffener's thickness
  UpstandOverstressed,  // the upstand weld fails and does not grow its own leg
};

// The two upstand welds at leg hf: their effective length, section modulus 0.7·hf·lw²/3, the
// shear τf from the load and the bending stress σf from the load at half the outstand.
struct UpstandWeld {
  double length, Wf, tau, sigma;
};

struct StiffenerWelds {
  StiffenerWeldEnd end;
  double hf;    // the leg at the end (the last leg that fits where the stiffener must be thicker)
  double ylnf;  // stress in the weld along the plate
  double Wf;    // section modulus of the upstand welds, 0.7·hf·lw²/3
  double ylvf;  // combined stress in the upstand welds
  UpstandWeld upstand;  // the upstand welds at hf, their length and two stresses as the report gives them
};

// The effective length of the upstand welds at leg hf: the height less 2hf and the ends lost.
double upstandWeldLength(const StiffenerWeldInputs& in, double hf);
// The effective length of the weld along the plate at leg hf: outstand − 2hf − 15.
double plateWeldLength(const StiffenerWeldInputs& in, double hf);
// Both weld stresses at a given leg hf, or the reason they cannot be found (a weld with no
// length left), for the checks of a given stiffener: the ids of its plate and upstand checks.
std::optional<StiffenerWelds> givenStiffenerWelds(const StiffenerWeldInputs& in, double hf, const char* plateCheck,
                                                  const char* upstandCheck, GivenSizeFindings& findings);
// For a positive upstandWeldLength only.
UpstandWeld upstandWeld(const StiffenerWeldInputs& in, double hf);

// No cap on the upstand leg but the stiffener's thickness.
inline constexpr double noLargestLeg = 1e300;

// Both weld stresses at leg hf as they stand, for a stiffener whose sizes are final; the end is
// Designed whatever the stresses. The weld lengths must be positive.
StiffenerWelds stiffenerWeldStresses(const StiffenerWeldInputs& in, double hf);

// The welds from the starting leg hf, again with a larger leg; each repetition is a round.
StiffenerWelds stiffenerWelds(const StiffenerWeldInputs& in, double hf, RoundLimit& rounds);

}  // namespace pedivo
