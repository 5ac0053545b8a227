#pragma once
// How the report writes a plate panel's moment coefficient.

#include <string>

#include "design/common/value_format.h"

namespace pedivo {

// A three-side panel with b/a below this is a cantilever: its moment does not use α.
inline constexpr double cantileverRatio = 0.3;

// The coefficient α (or β) as the panel's moment used it, with five decimals so that α·q·a²
// recomputes from the printed numbers; "—（悬臂）" where the cantilever formula applied instead.
inline std::string panelCoefficientText(double ratio, double coefficient, bool threeSided = true) {
  if (threeSided && ratio < cantileverRatio) return "—（悬臂）";
  return formatValue(ValueFormat::Cut3, coefficient, 2);
}

}  // namespace pedivo
