#pragma once
// The panels of a base plate between the column, the stiffeners and the plate edges: the moment
// each carries under the pressure beneath it, and how the report writes the coefficient it used.

#include <string>

#include "design/common/value_format.h"

namespace pedivo {

// A three-side panel with b/a below this is a cantilever: its moment does not use α.
inline constexpr double cantileverRatio = 0.3;

// A base-plate panel: its depth b, free edge or short side a, their ratio, the moment
// coefficient and the moment per unit width under the pressure q; whether it was taken as a
// cantilever of length b.
struct PlatePanel {
  double b, a, r, k, M;
  bool cantilever;
};
// Supported on three sides (or two adjacent ones, on the diagonal); a cantilever of length b when
// short against its free edge, the coefficient kept either way.
PlatePanel threeSidePanel(double b, double a, double q);
// Supported on four sides.
PlatePanel fourSidePanel(double b, double a, double q);

// The coefficient α (or β) as the panel's moment used it, with five decimals so that α·q·a²
// recomputes from the printed numbers; "—（悬臂）" where the cantilever formula applied instead.
inline std::string panelCoefficientText(bool cantilever, double coefficient) {
  if (cantilever) return "—（悬臂）";
  return formatValue(ValueFormat::Cut3, coefficient, 2);
}

}  // namespace pedivo
