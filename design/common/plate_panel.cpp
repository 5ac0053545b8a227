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

}  // namespace pedivo
