#pragma once
// The T-shaped and channel boot-beam bases written out for a checker: each check with its
// numbers, and the quantities between the steps (the plate at the tension bolts, the boot beam's
// section and moments, the welds' Aeww and Iw, the stiffener's load, the diaphragm's q) with
// theirs, in the digits the report prints them.

#include <vector>

#include "design/bootbeam/boot_beam.h"
#include "design/common/rigid_geometry.h"
#include "design/common/design_check.h"
#include "design/common/module.h"

namespace pedivo::bootbeam {

struct BootBeamType;

void writeCheckValues(std::vector<DesignCheck>& checks, const BootBeamHeld& h,
                      const rigidbase::RigidGeometry& geometry);
// The same, and the numbers of the base's own checks.
void writeCheckValues(std::vector<DesignCheck>& checks, const BootBeamHeld& h, const BootBeamType& type);

// The quantities between the steps, each as its formula and the same with its numbers, for the
// template to follow with the quantity's own tag: "ax = <#axvalues> = <#ax> mm".
// "<#tavalues>", "<#axvalues>", "<#Ixvalues>", "<#Aewwvalues>", "<#Iwvalues>", "<#qvalues>", … .
void emitWorkingValues(const BootBeamHeld& h, const BootBeamType& type, const TagEmitter& sink);

}  // namespace pedivo::bootbeam
