#pragma once
// The checks "计算" runs before any calculation.

#include <optional>

#include "design/common/module.h"

namespace pedivo {

struct CheckFailure {
  std::string message;
  std::optional<std::string> focus;  // none where the control cannot take the focus
};

// Walks the base type's checks in order; every listed entry must read as a number greater than
// 0. The first entry that is not a number, or not positive, stops the walk.
std::optional<CheckFailure> validateInput(const ModuleDescriptor& module, const Entries& entries);

}  // namespace pedivo
