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

// How a panel's moment was taken: by its coefficient, α·q·a² (β on four sides), or as a
// cantilever of length b, 0.5·q·b², for a three-side panel short against its free edge.
enum class PanelMoment { Coefficient, Cantilever };

// A panel as a step's record: its cantilever flag becomes the way its moment was taken.
struct PanelStep {
  double b, a, r, k, M;  // depth, free edge or short side, b/a, α or β, moment per unit width
  PanelMoment moment;
};
PanelStep panelStep(const PlatePanel& panel);

// The report's coefficient of a panel ("—（悬臂）" for a cantilever) in the way its moment was taken.
std::string panelCoefficient(PanelMoment moment, double k);
// The moment's formula of the three-side panel numbered `digit` under the pressure named `q`:
// "M22<digit> = α<digit>·q·a2<digit>²", or "M22<digit> = 0.5·q·b2<digit>²（悬臂）" for a cantilever.
std::string threeSidePanelFormula(const std::string& digit, const std::string& q, PanelMoment moment);

}  // namespace pedivo
