#include "design/drawing/sketch.h"

#include <algorithm>
#include <cmath>

namespace pedivo::drawing {

double holeDiameter(double boltDiameter) { return boltDiameter + (boltDiameter <= 27 ? 1.5 : 2.0); }

void Sketch::rectangle(double left, double bottom, double right, double top, Layer layer) {
  d_.polylines.push_back({{{left, bottom}, {right, bottom}, {right, top}, {left, top}}, true, layer});
}

void Sketch::hSection(Point c, double depth, double width, double web, double flange, Layer layer) {
  const double x0 = c.x - depth / 2, x1 = c.x + depth / 2;
  const double y0 = c.y - width / 2, y1 = c.y + width / 2;
  const double xi0 = x0 + flange, xi1 = x1 - flange;
  const double w0 = c.y - web / 2, w1 = c.y + web / 2;
  std::vector<Point> outline{{x0, y0},  {xi0, y0}, {xi0, w0}, {xi1, w0}, {xi1, y0}, {x1, y0},
                             {x1, y1},  {xi1, y1}, {xi1, w1}, {xi0, w1}, {xi0, y1}, {x0, y1}};
  d_.hatches.push_back({outline, HatchPattern::Steel, layer});
  d_.polylines.push_back({std::move(outline), true, layer});
}

void Sketch::hatch(double left, double bottom, double right, double top, HatchPattern pattern, Layer layer) {
  d_.hatches.push_back({{{left, bottom}, {right, bottom}, {right, top}, {left, top}}, pattern, layer});
}

void Sketch::line(Point from, Point to, Layer layer) { d_.lines.push_back({from, to, layer}); }

void Sketch::hole(Point centre, double boltDiameter) {
  d_.circles.push_back({centre, holeDiameter(boltDiameter) / 2, Layer::Bolts});
  // Centre marks, a little beyond the hole.
  const double r = holeDiameter(boltDiameter) / 2 + 4;
  line({centre.x - r, centre.y}, {centre.x + r, centre.y}, Layer::Bolts);
  line({centre.x, centre.y - r}, {centre.x, centre.y + r}, Layer::Bolts);
}

void Sketch::breakLine(double left, double right, double y) {
  const double mid = (left + right) / 2, step = std::min(12.0, (right - left) / 8);
  d_.polylines.push_back({{{left - step, y}, {mid - step, y}, {mid - step / 2, y + step}, {mid + step / 2, y - step},
                           {mid + step, y}, {right + step, y}},
                          false,
                          Layer::Outline});
}

void Sketch::dimension(Side side, double a, double b, double edge, int lane, const std::string& text) {
  const double h = d_.textHeight;
  const double offset = 1.6 * h + 2.4 * h * lane;
  const double from = std::min(a, b), to = std::max(a, b);
  const double width = textWidth(text, h);
  Dimension dim;
  dim.text = text;
  const bool horizontal = side == Side::Below || side == Side::Above;
  dim.axis = horizontal ? Axis::Horizontal : Axis::Vertical;
  dim.line = side == Side::Above || side == Side::Right ? edge + offset : edge - offset;
  dim.from = horizontal ? Point{from, edge} : Point{edge, from};
  dim.to = horizontal ? Point{to, edge} : Point{edge, to};
  // Centred where it fits between the extension lines, else beyond the end; arrangeDimensionTexts
  // staggers the texts once the whole sheet is dimensioned.
  const double along = width + 0.6 * h < to - from ? (from + to) / 2 : to + 0.5 * h + width / 2;
  dim.textAt = horizontal ? Point{along, dim.line + 0.8 * h} : Point{dim.line - 0.8 * h, along};
  d_.dimensions.push_back(std::move(dim));
}

void Sketch::weld(Point tip, double dx, double dy, const std::string& text) {
  d_.leaders.push_back({tip, {tip.x + dx, tip.y + dy}, text, Layer::Welds});
}

void Sketch::note(Point tip, double dx, double dy, const std::string& text) {
  d_.leaders.push_back({tip, {tip.x + dx, tip.y + dy}, text, Layer::Text});
}

void Sketch::callouts(std::vector<Callout> items, double shoulderX, double firstY) {
  // Lower tips to lower shoulders, so that the leaders do not cross each other.
  std::stable_sort(items.begin(), items.end(), [](const Callout& a, const Callout& b) { return a.tip.y < b.tip.y; });
  double y = firstY;
  for (const auto& item : items) {
    d_.leaders.push_back({item.tip, {shoulderX, y}, item.text, item.layer});
    y += 2 * d_.textHeight;
  }
}

void Sketch::label(Point at, const std::string& text, Anchor anchor, double scale) {
  d_.labels.push_back({at, text, d_.textHeight * scale, anchor, Layer::Text});
}

}  // namespace pedivo::drawing
