#pragma once
// The four-bolt base's anchor-bolt stiffener as steps: its load and stresses at a height, the
// height it grows to, its outstand over its thickness, and its welds to the plate and up the web.
// Each step returns what it found and the way it went; the held values are written from each
// record in one place, and the report's stiffener lines are written beside them from what was held.

#include <optional>
#include <vector>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/design_check.h"
#include "design/common/stiffener_welds.h"
#include "design/common/module.h"

namespace pedivo::pinned {

struct FourBoltHeld;

// ---- stresses -------------------------------------------------------------------------------

// The stiffener at a height and the held thickness: the pressure on its half of the panel between
// the flanges, carried as a cantilever from the web; its shear, bending and equivalent stresses.
// A thickness beyond the strength table keeps the held f1.
struct BoltStiffenerStresses {
  double Vimax;            // force on one stiffener, N
  double ylvR, ylfR;       // shear and bending stress over its full height, N/mm²
  double fy, f1;           // the steel's yield, and the stiffener's strength by its thickness
  double ylequ;            // equivalent stress √(σ² + 3τ²)
};
BoltStiffenerStresses stiffenerStressesAt(const Materials& m, const FourBoltHeld& h, double hjjl);
// At the held height.
BoltStiffenerStresses stiffenerStresses(const Materials& m, const FourBoltHeld& h);
void holdStiffenerStresses(FourBoltHeld& h, const BoltStiffenerStresses& s);

// ---- height ---------------------------------------------------------------------------------

// How the stiffener's height was reached.
enum class StiffenerHeightSet {
  AsHeld,  // the held height holds its equivalent stress within 1.1·f1
  Raised,  // grown 10 mm a round from the held height until it does
};

struct StiffenerHeight {
  double hjjl;
  StiffenerHeightSet set;
  BoltStiffenerStresses stresses;  // at hjjl
};
// From the held height on; the rounds of the growth are spent on `rounds`, which stops it where the
// rounds one at a time would.
StiffenerHeight stiffenerHeight(const Materials& m, const FourBoltHeld& h, RoundLimit& rounds);
void holdStiffenerHeight(FourBoltHeld& h, const StiffenerHeight& s);

// ---- slenderness ----------------------------------------------------------------------------

// The stiffener's outstand (B − tw)/2 over its thickness, and the limit 18·√(235/fy).
struct StiffenerSlenderness {
  double write1, write2;
  bool tooSlender() const { return write1 > write2; }
};
StiffenerSlenderness stiffenerSlenderness(const FourBoltHeld& h);
void holdSlenderness(FourBoltHeld& h, const StiffenerSlenderness& s);

// ---- welds ----------------------------------------------------------------------------------

// The stiffener's welds to the plate and the web, for a design and a check of given sizes alike:
// over the outstand (B − tw)/2 and the full height, 15 mm lost at the corner cut; ffw the welds'
// strength.
StiffenerWeldInputs boltStiffenerWeldInputs(const FourBoltHeld& h, double ffw);

// The welds and what they were worked out from.
struct BoltStiffenerWeldStep {
  StiffenerWeldInputs in;
  std::optional<StiffenerWelds> welds;  // none for a given leg that leaves a weld no length
};
// Grown from the smallest leg on the held plate: max(6, 1.5·√tpb) up to an even leg.
BoltStiffenerWeldStep designedStiffenerWelds(const Materials& m, const FourBoltHeld& h, RoundLimit& rounds);
// At the held (given) leg hf3; the checks of the plate weld and the web weld are left unevaluated
// where a weld has no length.
BoltStiffenerWeldStep givenStiffenerWeldStep(const Materials& m, const FourBoltHeld& h, GivenSizeFindings& findings);
// ffw always; the leg, the weld stresses and the weld up the web where they were found.
void holdStiffenerWelds(FourBoltHeld& h, const BoltStiffenerWeldStep& step);

// ---- report ---------------------------------------------------------------------------------

// The stiffener's load and stresses with their numbers: "<#Vimaxvalues>", "<#ylvRvalues>",
// "<#ylfRvalues>".
void emitStiffenerValues(const FourBoltHeld& h, const TagEmitter& sink);
// The stiffener's checks with their numbers, the weld up the web taken apart into the two
// stresses it held.
void writeStiffenerValues(std::vector<DesignCheck>& checks, const FourBoltHeld& h);

}  // namespace pedivo::pinned
