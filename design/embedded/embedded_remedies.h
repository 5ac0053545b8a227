#pragma once
// The embedded base designs no steel part of its own (the column is not counted), and its depth
// is found by the calculation: its remedies say what moves the depth.

#include <string>
#include <vector>

#include "design/common/design_check.h"
#include "design/embedded/embedded.h"

namespace pedivo::embedded {

double embeddedWeight(const EmbeddedHeld& h);
void embeddedRemedies(const EmbeddedHeld& h, std::vector<DesignCheck>& checks);
std::string embeddedStopRemedy(const Entries& entries, Stop stop);

}  // namespace pedivo::embedded
