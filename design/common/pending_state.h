#pragma once
// Held values of a base type whose calculation is not built yet: checks run, nothing is
// designed, every result reads as zero.

#include "design/common/module.h"

namespace pedivo {

std::function<std::unique_ptr<DesignState>()> pendingStateFactory(std::vector<ResultGroupSpec> resultGroups);

}  // namespace pedivo
