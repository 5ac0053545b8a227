#pragma once
// The pinned bases' steel weight, and what to change when a check fails or the calculation stops.

#include "design/common/type_binding.h"
#include "design/pinned/four_bolt.h"
#include "design/pinned/pinned_plate.h"

namespace pedivo::pinned {

// The plate.
extern const TypeRemedies<PinnedPlateHeld> twoBoltRemedies;
// The plate and its two stiffeners from the web to the plate edge.
extern const TypeRemedies<FourBoltHeld> fourBoltRemedies;

}  // namespace pedivo::pinned
