#pragma once
// Exposed pinned base with four anchor bolts and two anchor-bolt stiffeners.

#include "design/common/module.h"

namespace pedivo::pinned {

const ModuleDescriptor& fourBoltModule();

}  // namespace pedivo::pinned
