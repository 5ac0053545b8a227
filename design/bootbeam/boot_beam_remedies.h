#pragma once
// The boot-beam bases' steel weight, and what to change when a check fails or the calculation
// stops.

#include <string>
#include <vector>

#include "design/bootbeam/boot_beam.h"
#include "design/common/design_check.h"

namespace pedivo::bootbeam {

// Plate and the two boot beams over the plate's length; the T-shaped base adds two stiffeners
// each side of each outer bolt, the channel base a top plate, a diaphragm and four ribs at each end.
double tBootBeamWeight(const BootBeamHeld& h);
double channelBootBeamWeight(const BootBeamHeld& h);

void tBootBeamRemedies(const BootBeamHeld& h, std::vector<DesignCheck>& checks);
void channelBootBeamRemedies(const BootBeamHeld& h, std::vector<DesignCheck>& checks);

std::string tBootBeamStopRemedy(const Entries& entries, Stop stop);
std::string channelBootBeamStopRemedy(const Entries& entries, Stop stop);

}  // namespace pedivo::bootbeam
