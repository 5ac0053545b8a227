#pragma once
// The T-shaped base's anchor-bolt stiffener beside each tension bolt outside the boot beams: its
// load, its stresses at a height, which way it bends, its outstand over its thickness, and the
// raise of a stiffener whose combined stress is too high. Each is worked out into a record of what
// it found; the held values are written from those records in one place, and the report's
// stiffener lines are written beside them from what was held.

#include <optional>

#include "design/bootbeam/boot_beam.h"
#include "design/common/calculation.h"
#include "design/common/stiffener_welds.h"
#include "design/common/tag_table.h"

namespace pedivo::bootbeam {

// A stiffener's load, its stresses over the section clear of the corner cut and its strength.
struct TStiffenerStresses {
  double Vi;       // the pressure beside the boot beam, (B − bf)·L/4·q(L/4), N
  double Vimax;    // the larger of Vi and the bolt's tension Ntal, N
  double ylvR;     // shear Vimax/((hs − 15)·ts), N/mm²
  double Ws;       // section modulus (hs − 15)²·ts/6, mm³
  double ylfR;     // bending over the arm of the governing load, N/mm²
  double fy, f1;   // the steel's yield and the stiffener's strength by its thickness
  double ylequ;    // √(σ² + 3τ²)
  StiffenerBending bending;
  // Whether the combined stress is beyond 1.1·f1.
  bool overstressed() const;
};

// The stiffener's outstand over its thickness and the limit of it.
struct StiffenerSlenderness {
  double write1, write2;  // (c + bt)/ts and 18·√(235/fy)
  bool holds() const { return !(write1 > write2); }
};

// What a stiffener of the held height and thickness came to.
enum class StiffenerEnd {
  Holds,          // its stresses and its outstand hold
  AboveBootBeam,  // higher than the boot beam: the boot beam grows
  Overstressed,   // its combined stress: a higher stiffener
  TooSlender,     // its outstand over its thickness: a thicker stiffener, the plate again
};

// One trial of the held stiffener: the stresses only below the boot beam's top, the outstand only
// where the stresses hold.
struct StiffenerTrial {
  StiffenerEnd end;
  std::optional<TStiffenerStresses> stresses;
  std::optional<StiffenerSlenderness> slenderness;
};

// The stiffener hjjl high at the held thickness, on the held plate, pressure and bolt tension. A
// thickness beyond the strength table keeps the held f1.
TStiffenerStresses tStiffenerStressesAt(const Materials& m, const BootBeamHeld& h, double hjjl);
void holdStiffenerStresses(BootBeamHeld& h, const TStiffenerStresses& s);

StiffenerSlenderness tStiffenerSlenderness(const Materials& m, const BootBeamHeld& h);
void holdStiffenerSlenderness(BootBeamHeld& h, const StiffenerSlenderness& s);

// The stiffener at the held height: no higher than the boot beam, its combined stress, then its
// outstand. Holding it writes what it worked out and keeps the rest as held.
StiffenerTrial tStiffenerTrial(const Materials& m, const BootBeamHeld& h);
void holdStiffenerTrial(BootBeamHeld& h, const StiffenerTrial& t);

// An overstressed stiffener grown 10 mm a step from the held height until it holds or stands
// higher than the boot beam: the steps (spent as rounds), the height they reach and the stresses
// at the height one step short of it, the last the steps would try below the boot beam's top.
struct StiffenerRaise {
  long steps;
  double hjjl;
  TStiffenerStresses before;
};
// Where the search for the raise starts: the steps the stresses at the held height ask for, the
// section's height being the stiffener's below its corner cut. Only an estimate; the steps are
// confirmed on the stresses themselves.
double tStiffenerStepsGuess(const BootBeamHeld& h, const TStiffenerStresses& atStart);
// `atStart` are the stresses the held height failed with; the round limit stops the raise where
// the steps would.
StiffenerRaise raisedTStiffener(const Materials& m, const BootBeamHeld& h, const TStiffenerStresses& atStart,
                                RoundLimit& rounds);

// The welds' inputs for the held stiffener: its load Vimax, its length c + bt and its height.
StiffenerWeldInputs tStiffenerWeldInputs(const Materials& m, const BootBeamHeld& h);

// The report's stiffener load and stresses with their numbers, the bending in the form of the held
// branch: "<#Vivalues>", "<#ylvRvalues>", "<#ylfRvalues>".
void emitTStiffenerValues(const BootBeamHeld& h, const TagEmitter& sink);

}  // namespace pedivo::bootbeam
