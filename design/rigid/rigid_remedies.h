#pragma once
// The eight- and ten-bolt bases' steel weight, and what to change when a check fails or the
// calculation stops.

#include <string>
#include <vector>

#include "design/common/design_check.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {

// The plate and the stiffeners from the flanges to the plate ends, two (eight bolts) or three
// (ten bolts) beyond each flange.
double eightBoltWeight(const RigidPlateHeld& h);
double tenBoltWeight(const RigidPlateHeld& h);

void eightBoltRemedies(const RigidPlateHeld& h, std::vector<DesignCheck>& checks);
void tenBoltRemedies(const RigidPlateHeld& h, std::vector<DesignCheck>& checks);

std::string eightBoltStopRemedy(const Entries& entries, Stop stop);
std::string tenBoltStopRemedy(const Entries& entries, Stop stop);

}  // namespace pedivo::rigid
