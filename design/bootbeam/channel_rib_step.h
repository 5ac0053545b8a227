#pragma once
// The channel base's ribs beside each tension bolt under the top plate, each carrying half a
// bolt's tension. The rib's stresses and its welds are each worked out into a record of what they
// found and the branch they took; the held values are written from those records in one place,
// and the report's rib lines are written beside them from what was held.

#include "design/bootbeam/boot_beam.h"
#include "design/common/calculation.h"
#include "design/common/stiffener_welds.h"
#include "design/common/tag_table.h"

namespace pedivo::bootbeam {

// What a rib of height hjjl and thickness tjjl came to.
enum class RibOutcome {
  Holds,
  Overstressed,  // its combined stress: higher while clear of the top plate, else thicker
  TooSlender,    // its outstand over its thickness: thicker
};

// A rib's load, its stresses over the section clear of both corner cuts, its strength and its
// outstand over its thickness against the limit.
struct RibStresses {
  double Vimax;           // Ntal/2, N
  double ylvR, ylfR;      // shear Vimax/((hs − 30)·ts) and bending (a + lt)·Vimax/2/Ws, N/mm²
  double fy, f1;          // the steel's yield and the rib's strength by its thickness
  double ylequ;           // √(σ² + 3τ²)
  double write1, write2;  // (a + lt)/ts and 18·√(235/fy)
  RibOutcome outcome;
};

// The rib at the held height and thickness; a thickness beyond the strength table keeps the held f1.
RibStresses ribStressesAt(const Materials& m, const BootBeamHeld& h);
void holdRibStresses(BootBeamHeld& h, const RibStresses& s);

// What the rib welds found; all but Hold call for a larger rib or leg.
enum class RibWeldEnd {
  Hold,
  HigherRib,   // the upstand weld overstressed: a longer weld on a higher rib
  LargerLeg,   // the upstand weld overstressed under the top plate: a larger leg
  ThickerRib,  // the leg at the rib's thickness: a thicker rib
};

// The rib welds from the held leg hf3: the leg they ended at, their stresses and what they call for.
struct RibWelds {
  double ffw;
  StiffenerWelds welds;
  RibWeldEnd end;
};

// The welds' inputs for the held rib: the upstand weld loses 30 mm at its ends, 15 at the plate and
// 15 under the top plate.
StiffenerWeldInputs ribWeldInputs(const Materials& m, const BootBeamHeld& h);
// The welds from leg hf3, a larger leg a round while the plate weld is overstressed; an
// overstressed upstand weld grows the rib while it stays clear of the top plate, else its leg.
RibWelds ribWeldsAt(const Materials& m, const BootBeamHeld& h, RoundLimit& rounds);
// ffw, the leg the welds ended at and their stresses.
void holdRibWelds(BootBeamHeld& h, const RibWelds& w);

// Whether a rib of the held height may still grow below the top plate.
bool roomBelowTopPlate(const BootBeamHeld& h);

// The ribs beside each tension bolt: first the weld leg, then the welds, then the rib itself; ribs
// designed from the same inputs at a lower boot beam are taken over.
void ribs(const Materials& m, BootBeamHeld& h, RoundLimit& rounds);

// The report's rib stresses with their numbers: "<#ylvRvalues>", "<#ylfRvalues>".
void emitRibValues(const BootBeamHeld& h, const TagEmitter& sink);

}  // namespace pedivo::bootbeam
