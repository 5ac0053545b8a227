#pragma once
// Exposed pinned base with two anchor bolts between the flanges, one each side of the web.

#include "design/common/module.h"
#include "design/pinned/pinned_plate.h"

namespace pedivo::pinned {

using TwoBoltHeld = PinnedPlateHeld;

Outcome calculateTwoBolt(const Entries& entries, TwoBoltHeld& held);
Outcome checkTwoBolt(const Entries& entries, const Sizes& sizes, TwoBoltHeld& held, GivenSizeFindings& findings);
const ModuleDescriptor& twoBoltModule();

}  // namespace pedivo::pinned
