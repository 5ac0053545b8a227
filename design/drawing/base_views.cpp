#include "design/drawing/base_views.h"

#include <algorithm>
#include <cmath>

#include "design/drawing/base_types.h"
#include "design/common/tables.h"

namespace pedivo::drawing {

namespace {
constexpr double copeRadius = tables::stiffenerCornerCut;
}

ShearKey readShearKey(const DesignFacts& facts) {
  const double grout = facts.optionalValue("tg").value_or(0);
  ShearKey key{facts.optionalValue("keyh").value_or(0), facts.optionalValue("keyb").value_or(0), facts.optionalValue("keytw").value_or(0), facts.optionalValue("keytf").value_or(0),
               facts.optionalValue("hk").value_or(0),   grout > 0 ? grout : usualGroutMm,           facts.text("keyName")};
  if (!key.designed()) key.h = key.b = key.tw = key.tf = key.embedment = 0;
  return key;
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

namespace {
// The concrete shown below the top of the foundation: below the key's end, or a strip of it.
constexpr double concreteBelowKey = 100;
constexpr double concreteStrip = 120;
}  // namespace

double footingDepth(const ShearKey& key) {
  return key.grout + (key.designed() ? key.embedment + concreteBelowKey : concreteStrip);
}

double footingMargin(double textHeight) { return 1.5 * textHeight; }

double elevationBase(const Drawing& d, const ShearKey& key) {
  return d.extent().top + 4.5 * d.textHeight + footingDepth(key);
}

double footing(Sketch& s, const DesignFacts& f, const ShearKey& key, double cx, double width, double y0,
               bool alongShear) {
  const double h = s.textHeight();
  const double top = y0 - key.grout, bottom = y0 - footingDepth(key);
  const double left = cx - width / 2 - footingMargin(h), right = cx + width / 2 + footingMargin(h);
  // The grout fills under the plate; the foundation is cut open below it, its lower edge broken.
  s.rectangle(cx - width / 2, top, cx + width / 2, y0, Layer::Outline);
  s.hatch(cx - width / 2, top, cx + width / 2, y0, HatchPattern::Concrete, Layer::Outline);
  s.line({left, top}, {right, top}, Layer::Outline);
  s.line({left, bottom}, {left, top}, Layer::Outline);
  s.line({right, bottom}, {right, top}, Layer::Outline);
  s.breakLine(left, right, bottom);
  std::vector<Point> concrete{{left, bottom}, {right, bottom}, {right, top}, {left, top}};
  if (key.designed()) {
    const double half = (alongShear ? key.h : key.b) / 2, keyBottom = top - key.embedment;
    concrete = {{left, bottom},           {right, bottom},          {right, top},         {cx + half, top},
                {cx + half, keyBottom}, {cx - half, keyBottom}, {cx - half, top},    {left, top}};
    s.rectangle(cx - half, keyBottom, cx + half, y0, Layer::Outline);
    if (alongShear) {
      s.line({cx - half + key.tf, keyBottom}, {cx - half + key.tf, y0}, Layer::Outline);
      s.line({cx + half - key.tf, keyBottom}, {cx + half - key.tf, y0}, Layer::Outline);
    } else {
      s.d().lines.push_back({{cx - key.tw / 2, keyBottom}, {cx - key.tw / 2, y0}, Layer::Outline, LineStyle::Hidden});
      s.d().lines.push_back({{cx + key.tw / 2, keyBottom}, {cx + key.tw / 2, y0}, Layer::Outline, LineStyle::Hidden});
    }
  }
  s.d().hatches.push_back({std::move(concrete), HatchPattern::Concrete, Layer::Outline});
  if (alongShear) {
    s.dimension(Side::Left, top, y0, cx - width / 2, 0, distanceText(f, key.grout, "", "tg"));
    if (key.designed())
      s.dimension(Side::Left, top - key.embedment, top, cx - width / 2, 0, distanceText(f, key.embedment, "", "hk"));
  }
  // Named inside the cut concrete where it is deep enough, so the view grows no wider; else beside
  // the foundation just under its top, clear of the extension lines of the dimensions beside the
  // view, which start at the plate and the parts above it.
  if (top - bottom > 2.2 * h)
    s.label({left + 0.3 * h, top - 1.4 * h}, "基础顶面", Anchor::Left);
  else
    s.label({right + 0.5 * h, top - 1.1 * h}, "基础顶面", Anchor::Left);
  if (key.designed() && alongShear) {
    const Point tip{cx + key.h / 2, top - key.embedment / 2};
    s.note(tip, right + 0.5 * h - tip.x, -1.5 * h, "抗剪键 " + key.name);
  }
  return bottom;
}

void planShearKey(Sketch& s, const ShearKey& key) {
  if (!key.designed()) return;
  const double x0 = -key.h / 2, x1 = key.h / 2, y0 = -key.b / 2, y1 = key.b / 2;
  const double xi0 = x0 + key.tf, xi1 = x1 - key.tf, w0 = -key.tw / 2, w1 = key.tw / 2;
  s.d().polylines.push_back({{{x0, y0}, {xi0, y0}, {xi0, w0}, {xi1, w0}, {xi1, y0}, {x1, y0}, {x1, y1}, {xi1, y1},
                              {xi1, w1}, {xi0, w1}, {xi0, y1}, {x0, y1}},
                             true,
                             Layer::Outline,
                             LineStyle::Hidden});
}

void planCentreLines(Sketch& s, double L, double B) {
  const double beyond = 1.5 * s.textHeight();
  s.d().lines.push_back({{-L / 2 - beyond, 0}, {L / 2 + beyond, 0}, Layer::Centre, LineStyle::Centre});
  s.d().lines.push_back({{0, -B / 2 - beyond}, {0, B / 2 + beyond}, Layer::Centre, LineStyle::Centre});
}

void elevationCentreLine(Sketch& s, double x, double bottom, double top) {
  s.d().lines.push_back({{x, bottom}, {x, top}, Layer::Centre, LineStyle::Centre});
}

double sideElevationCentre(const Drawing& d, double halfWidth) {
  return d.extent().right + 5 * d.textHeight + halfWidth;
}

SideView sideElevationPlace(const Drawing& d, double halfWidth, const ShearKey& key, double frontY0, bool stacked) {
  if (stacked) return {0, elevationBase(d, key)};
  return {sideElevationCentre(d, halfWidth), frontY0};
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
