#include "design/drawing/base_views.h"

#include <algorithm>
#include <cmath>

#include "design/common/tables.h"

namespace pedivo::drawing {

namespace {
constexpr double copeRadius = tables::stiffenerCornerCut;
}

Section readSection(const DesignFacts& facts) {
  return {facts.value("hb"), facts.value("bf"), facts.value("tw"), facts.value("tf")};
}

double sheetTextHeight(double largerSide, double scale) {
  constexpr double step = 2.5;
  const double usual = std::clamp(std::round(largerSide / 32 / step) * step, 7.5, 40.0);
  return std::ceil(usual * scale / step - 1e-9) * step;
}

void planPlateAndColumn(Sketch& s, double L, double B, const Section& c) {
  s.rectangle(-L / 2, -B / 2, L / 2, B / 2, Layer::Outline);
  s.hSection({0, 0}, c.hb, c.bf, c.tw, c.tf, Layer::Outline);
}

void planTitle(Sketch& s, const std::string& note) {
  const Extent e = s.d().extent();
  const double h = s.textHeight();
  s.title({0, e.bottom - 2.4 * h}, "平面图");
  if (!note.empty()) s.label({0, e.bottom - 4.4 * h}, note);
}

double elevationBase(const Drawing& d) { return d.extent().top + 4.5 * d.textHeight; }

double sideElevationCentre(const Drawing& d, double halfWidth) {
  return d.extent().right + 7 * d.textHeight + halfWidth;
}

double elevationPlate(Sketch& s, double centreX, double width, double y0, double t) {
  s.rectangle(centreX - width / 2, y0, centreX + width / 2, y0 + t, Layer::Outline);
  return y0 + t;
}

void elevationColumn(Sketch& s, double centreX, double columnWidth, double flange, double bottom, double top) {
  const double left = centreX - columnWidth / 2, right = centreX + columnWidth / 2;
  s.line({left, bottom}, {left, top}, Layer::Outline);
  s.line({right, bottom}, {right, top}, Layer::Outline);
  if (flange > 0) {
    s.line({left + flange, bottom}, {left + flange, top}, Layer::Outline);
    s.line({right - flange, bottom}, {right - flange, top}, Layer::Outline);
  }
  s.breakLine(left, right, top);
}

double columnStub(const Section& c, double tallest) { return tallest + std::max(0.4 * c.hb, 0.3 * tallest); }

void stiffenerFace(Sketch& s, double x0, double x1, double bottom, double height) {
  const double dir = x1 > x0 ? 1 : -1;
  const double r = std::min(copeRadius, std::abs(x1 - x0) / 4);
  s.d().polylines.push_back({{{x0 + dir * r, bottom}, {x1, bottom}, {x1, bottom + height}, {x0, bottom + height},
                              {x0, bottom + r}},
                             false,
                             Layer::Stiffeners});
  s.d().arcs.push_back({{x0, bottom}, r, dir > 0 ? 0.0 : 90.0, dir > 0 ? 90.0 : 180.0, Layer::Stiffeners});
}

}  // namespace pedivo::drawing
