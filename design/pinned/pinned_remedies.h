#pragma once
// The pinned bases' steel weight, and what to change when a check fails or the calculation stops.

#include <string>
#include <vector>

#include "design/common/design_check.h"
#include "design/pinned/four_bolt.h"
#include "design/pinned/pinned_plate.h"

namespace pedivo::pinned {

// The plate; the four-bolt base adds its two stiffeners from the web to the plate edge.
double twoBoltWeight(const PinnedPlateHeld& h);
double fourBoltWeight(const FourBoltHeld& h);

void twoBoltRemedies(const PinnedPlateHeld& h, std::vector<DesignCheck>& checks);
void fourBoltRemedies(const FourBoltHeld& h, std::vector<DesignCheck>& checks);

std::string twoBoltStopRemedy(const Entries& entries, Stop stop);
std::string fourBoltStopRemedy(const Entries& entries, Stop stop);

}  // namespace pedivo::pinned
