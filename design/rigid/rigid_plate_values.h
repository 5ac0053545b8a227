#pragma once
// The eight- and ten-bolt bases written out for a checker: each check with its numbers, and the
// quantities between the steps (the plate at the tension bolts, Wc, the stiffener's loads and
// stresses) with theirs, in the digits the report prints them.

#include <array>
#include <vector>

#include "design/common/check_mode.h"
#include "design/common/design_check.h"
#include "design/common/module.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {

void writeCheckValues(std::vector<DesignCheck>& checks, const RigidPlateHeld& h);

// The quantities between the steps, each as its formula and the same with its numbers, for the
// template to follow with the quantity's own tag: "tpbt1 = <#tpbt1values> = <#tpbt1> mm".
// "<#tavalues>", "<#la1values>", "<#tpbt1values>", "<#Wcvalues>", "<#Vi1values>", … .
void emitWorkingValues(const RigidPlateHeld& h, const TagEmitter& sink);

// The sizes a check of a given base takes, in the order of the results.
extern const std::array<SizeField<RigidPlateHeld>, 12> rigidPlateSizes;

}  // namespace pedivo::rigid
