#pragma once
// Exposed rigid bases with boot beams: T-shaped or channel-shaped.

#include "design/common/module.h"

namespace pedivo::bootbeam {

const ModuleDescriptor& tBootBeamModule();
const ModuleDescriptor& channelBootBeamModule();

}  // namespace pedivo::bootbeam
