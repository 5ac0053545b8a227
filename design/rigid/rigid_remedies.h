#pragma once
// The eight- and ten-bolt bases' steel weight, and what to change when a check fails or the
// calculation stops.

#include "design/common/type_binding.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {

// The plate and two stiffeners beyond each flange, from the flange to the plate end.
extern const TypeRemedies<RigidPlateHeld> eightBoltRemedies;
// The plate and three stiffeners beyond each flange.
extern const TypeRemedies<RigidPlateHeld> tenBoltRemedies;

}  // namespace pedivo::rigid
