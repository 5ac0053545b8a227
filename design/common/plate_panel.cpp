#include "design/common/plate_panel.h"

#include "design/common/tables.h"

namespace pedivo {

PlatePanel threeSidePanel(double b, double a, double q) {
  const double r = b / a;
  const double alf = tables::alf(r);
  const bool cantilever = r < cantileverRatio;
  return {b, a, r, alf, cantilever ? 0.5 * q * b * b : alf * q * a * a, cantilever};
}

PlatePanel fourSidePanel(double b, double a, double q) {
  const double r = b / a;
  const double beta = tables::beta(r);
  return {b, a, r, beta, beta * q * a * a, false};
}

PanelStep panelStep(const PlatePanel& p) {
  return {p.b, p.a, p.r, p.k, p.M, p.cantilever ? PanelMoment::Cantilever : PanelMoment::Coefficient};
}

std::string panelCoefficient(PanelMoment moment, double k) {
  return panelCoefficientText(moment == PanelMoment::Cantilever, k);
}

std::string threeSidePanelFormula(const std::string& digit, const std::string& q, PanelMoment moment) {
  const std::string M = "M22" + digit;
  if (moment == PanelMoment::Cantilever) return M + " = 0.5·" + q + "·b2" + digit + "²（悬臂）";
  return M + " = α" + digit + "·" + q + "·a2" + digit + "²";
}

}  // namespace pedivo
