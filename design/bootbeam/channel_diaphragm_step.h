#pragma once
// The channel base's diaphragm: a plate across the channel beyond the column that carries the
// pressure there as a beam between the boot beams, welded to the base plate (leg hf6) and to the
// boot beams (hf7). One trial at the held height and thickness is worked out into a record of its
// load, weld legs, stresses and outcome; the held values are written from it in one place, and
// the report's lines for the diaphragm are written beside it from what was held.

#include <optional>
#include <vector>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/design_check.h"
#include "design/common/tables.h"

namespace pedivo::bootbeam {

// The line load on the diaphragm: the pressure at a quarter of the span s from the plate's
// compressed edge over half the span, σc·(xn − s/4)/xn·s/2, N/mm.
double diaphragmLoad(const Held& h);

// The bending and shear of a diaphragm tcb thick and hcb high under the load q over the flange
// width bf, and the strengths of its thickness.
struct DiaphragmStresses {
  tables::BendingShearStrength strength;  // fcb, fvcb
  double ylfcb, ylvcb;
  bool holds() const { return !(ylfcb > strength.f || ylvcb > strength.fv); }
};
DiaphragmStresses diaphragmStresses(const Materials& m, double q, double bf, double tcb, double hcb);

// What one diaphragm trial came to.
enum class DiaphragmOutcome {
  Holds,
  NoWeldLength,     // the weld to the boot beams has no length left, hcb − 35 ≤ 0: the calculation stops
  WeldLegTooLarge,  // the leg to the boot beams beyond 16 mm or beyond its thickness: higher
  Overstressed,     // bending or shear: higher, or thicker at the boot beam's height
};

// One trial: the load, the leg to the plate (and the thickness at least that leg), the leg to the
// boot beams, and the stresses once both legs fit.
struct Diaphragm {
  double q, ffw, hf6, tcb;
  double hf7;                                 // none where the weld has no length
  std::optional<DiaphragmStresses> stresses;  // only where both legs fit
  DiaphragmOutcome outcome;
};
Diaphragm diaphragmAt(const Materials& m, const Held& h);
// What the trial found: a weld with no length keeps the held hf7, a leg too large the held stresses.
void holdDiaphragm(Held& h, const Diaphragm& d);

// The diaphragm from two thirds of the boot-beam height, higher and thicker until it holds; beyond
// the boot beam's height the boot beam grows.
Next diaphragm(const Materials& m, Held& h, RoundLimit& rounds);

// The diaphragm of given sizes: its stresses, and the legs its load asks of its welds as rules.
void givenDiaphragm(const Materials& m, Held& h, GivenSizeFindings& findings);

// The diaphragm's checks, and the numbers of each.
std::vector<DesignCheck> diaphragmChecks(const Held& h);
// The numbers of a diaphragm check; false for another check.
bool writeDiaphragmValues(DesignCheck& check, const Held& h);
// The report's load with its numbers: "<#qvalues>".
void emitDiaphragmValues(const Held& h, const TagEmitter& sink);

}  // namespace pedivo::bootbeam
