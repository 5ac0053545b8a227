#pragma once
// Exposed pinned base with four anchor bolts and two anchor-bolt stiffeners: one plate each side
// of the web at mid-depth, from the web to the plate edge, welded to web and plate. Each
// stiffener halves the plate panel between the flanges.

#include <optional>

#include "design/common/module.h"
#include "design/common/stiffener_welds.h"
#include "design/pinned/pinned_plate.h"

namespace pedivo::pinned {

struct FourBoltHeld : PinnedPlateHeld {
  double tjjl = 0, hjjl = 0;              // stiffener thickness and height
  double Vimax = 0;                       // force on one stiffener
  double ylvR = 0, ylfR = 0, ylequ = 0;   // shear, bending and equivalent stress in the stiffener
  double fy = 0, f1 = 0;                  // yield strength, stiffener strength for its thickness
  double write1 = 0, write2 = 0;          // outstand over thickness, and its limit
  double hf3 = 0, ylnf = 0, ylvf = 0;     // stiffener welds: leg, to the plate, to the web
};

// The stiffener at the held height and thickness: the pressure on its half of the panel between
// the flanges, carried as a cantilever from the web; its shear, bending and equivalent stresses.
// A thickness beyond the strength table keeps the held f1.
struct BoltStiffenerStresses {
  double Vimax;            // force on one stiffener, N
  double ylvR, ylfR;       // shear and bending stress over its full height, N/mm²
  double fy, f1;           // the steel's yield, and the stiffener's strength by its thickness
  double ylequ;            // equivalent stress √(σ² + 3τ²)
};
BoltStiffenerStresses stiffenerStresses(const Materials& m, const FourBoltHeld& h);
void holdStiffenerStresses(FourBoltHeld& h, const BoltStiffenerStresses& s);

// The stiffener's outstand (B − tw)/2 over its thickness, and the limit 18·√(235/fy).
struct StiffenerSlenderness {
  double write1, write2;
  bool tooSlender() const { return write1 > write2; }
};
StiffenerSlenderness stiffenerSlenderness(const FourBoltHeld& h);
void holdSlenderness(FourBoltHeld& h, const StiffenerSlenderness& s);

// The stiffener's welds to the plate and the web, for a design and a check of given sizes alike:
// over the outstand (B − tw)/2 and the full height, 15 mm lost at the corner cut; ffw the welds'
// strength (the report's weld stresses read them with the held ffw).
StiffenerWeldInputs boltStiffenerWeldInputs(const FourBoltHeld& h, double ffw);
// ffw always; the leg and the weld stresses where they were found.
void holdStiffenerWelds(FourBoltHeld& h, const StiffenerWeldInputs& in, const std::optional<StiffenerWelds>& welds);

Outcome calculateFourBolt(const Entries& entries, FourBoltHeld& held);
Outcome checkFourBolt(const Entries& entries, const Sizes& sizes, FourBoltHeld& held, GivenSizeFindings& findings);
const ModuleDescriptor& fourBoltModule();

}  // namespace pedivo::pinned
