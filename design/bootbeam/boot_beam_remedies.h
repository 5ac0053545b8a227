#pragma once
// The boot-beam bases' steel weight, and what to change when a check fails or the calculation
// stops.

#include "design/bootbeam/boot_beam.h"
#include "design/common/type_binding.h"

namespace pedivo::bootbeam {

// Plate and the two boot beams over the plate's length, and two stiffeners each side of each
// outer bolt.
extern const TypeRemedies<BootBeamHeld> tBootBeamRemedies;
// Plate and boot beams, a top plate, a diaphragm and four ribs at each end.
extern const TypeRemedies<BootBeamHeld> channelBootBeamRemedies;

}  // namespace pedivo::bootbeam
