#pragma once
// Exposed rigid bases without boot beams: eight or ten anchor bolts.

#include "design/common/module.h"

namespace pedivo::rigid {

const ModuleDescriptor& eightBoltModule();
const ModuleDescriptor& tenBoltModule();

}  // namespace pedivo::rigid
