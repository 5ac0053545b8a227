#include <algorithm>

#include "design/drawing/base_types.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {
namespace {

// The column set into the foundation to the depth dc, seen with the given width: the concrete
// round it cut open to some way beside and below it.
void embeddedElevation(Sketch& s, double cx, double width, double flange, double y0, double depth, double stub,
                       const std::string& depthText) {
  const double margin = std::max(200.0, 0.6 * width);
  const double bottom = y0 - depth - margin / 2;
  const double left = cx - width / 2 - margin, right = cx + width / 2 + margin;
  const double cl = cx - width / 2, cr = cx + width / 2;
  std::vector<Point> concrete{{left, bottom}, {right, bottom},    {right, y0},     {cr, y0},
                              {cr, y0 - depth}, {cl, y0 - depth}, {cl, y0},        {left, y0}};
  s.d().hatches.push_back({concrete, HatchPattern::Concrete, Layer::Outline});
  s.line({left, bottom}, {right, bottom}, Layer::Outline);
  s.line({left, y0}, {right, y0}, Layer::Outline);
  s.rectangle(cl, y0 - depth, cr, y0, Layer::Outline);
  elevationColumn(s, cx, width, flange, y0, y0 + stub);
  if (flange > 0) {
    s.line({cl + flange, y0 - depth}, {cl + flange, y0}, Layer::Outline);
    s.line({cr - flange, y0 - depth}, {cr - flange, y0}, Layer::Outline);
  }
  s.dimension(Side::Right, y0 - depth, y0, right, 0, depthText);
}

}  // namespace

Drawing drawEmbeddedBase(const DesignFacts& f, double textScale) {
  const Section c = readSection(f);
  const double depth = f.value("H2");
  Drawing d;
  d.title = "插入式刚接柱脚";
  d.textHeight = sheetTextHeight(std::max(c.hb + 2 * std::max(200.0, 0.6 * c.hb), depth), textScale);
  const double h = d.textHeight;
  Sketch s(d);

  s.hSection({0, 0}, c.hb, c.bf, c.tw, c.tf, Layer::Outline);
  s.dimension(Side::Below, -c.hb / 2, c.hb / 2, -c.bf / 2, 0, f.shown("", "hb"));
  s.dimension(Side::Left, -c.bf / 2, c.bf / 2, -c.hb / 2, 0, f.shown("", "bf"));
  planTitle(s, "");

  const double margin = std::max(200.0, 0.6 * c.hb);
  const double y0 = elevationBase(d, ShearKey{}) - footingDepth(ShearKey{}) + depth + margin / 2;
  const double stub = 0.5 * depth;
  const std::string depthText = f.shown("edtH", "H2");
  embeddedElevation(s, 0, c.hb, c.tf, y0, depth, stub, depthText);
  s.title({0, y0 - depth - margin / 2 - 2.4 * h}, "立面图（沿弯矩方向）");
  const double sideMargin = std::max(200.0, 0.6 * c.bf);
  const double cx = sideElevationCentre(d, c.bf / 2 + sideMargin);
  embeddedElevation(s, cx, c.bf, 0, y0, depth, stub, depthText);
  s.title({cx, y0 - depth - sideMargin / 2 - 2.4 * h}, "立面图（垂直弯矩方向）");
  return d;
}

}  // namespace pedivo::drawing
