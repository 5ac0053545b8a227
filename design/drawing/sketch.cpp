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

namespace {

// A text that fits between its extension lines with a little room each side stands there: set
// beyond an end it would read as its neighbour's.
bool fitsBetween(const Dimension& d, double h) {
  const double span = d.axis == Axis::Horizontal ? d.to.x - d.from.x : d.to.y - d.from.y;
  return textWidth(d.text, h) + 0.2 * h < span;
}

// The text's centre at `along` the dimension line, on the reading side of the line (above a
// horizontal line, left of a vertical one) or on the other.
Point textPlace(const Dimension& d, double along, bool readingSide, double h) {
  const double off = (readingSide ? 1 : -1) * 0.8 * h;
  return d.axis == Axis::Horizontal ? Point{along, d.line + off} : Point{d.line - off, along};
}

}  // namespace

void arrangeDimensionTexts(Drawing& d) {
  const double h = d.textHeight, gap = 0.2 * h;
  auto& dims = d.dimensions;
  std::vector<bool> placed(dims.size(), false);
  const auto clear = [&](std::size_t i) {
    for (std::size_t j = 0; j < dims.size(); ++j)
      if (j != i && placed[j] && dimensionTextsMeet(dims[i], dims[j], h, gap)) return false;
    return true;
  };
  const auto tryPlaces = [&](std::size_t i, const std::vector<Point>& places) {
    for (const Point& p : places) {
      dims[i].textAt = p;
      if (clear(i)) return;
    }
    dims[i].textAt = places.front();
  };
  // Texts that fit between their extension lines first, centred, on the other side of the line
  // where the reading side is taken.
  for (std::size_t i = 0; i < dims.size(); ++i) {
    if (!fitsBetween(dims[i], h)) continue;
    const Dimension& m = dims[i];
    const double centre = m.axis == Axis::Horizontal ? (m.from.x + m.to.x) / 2 : (m.from.y + m.to.y) / 2;
    tryPlaces(i, {textPlace(m, centre, true, h), textPlace(m, centre, false, h)});
    placed[i] = true;
  }
  // Then the texts of short dimensions: beyond an end where that is not over a neighbouring
  // dimension of the same chain (there it would read as the neighbour's), else centred on the other
  // side of the line, else centred over the extension lines; the first place clear of every text
  // placed so far.
  const auto along = [](const Dimension& m, bool start) {
    return m.axis == Axis::Horizontal ? (start ? m.from.x : m.to.x) : (start ? m.from.y : m.to.y);
  };
  const auto overNeighbour = [&](std::size_t i, double at) {
    const double half = textWidth(dims[i].text, h) / 2;
    for (std::size_t j = 0; j < dims.size(); ++j)
      if (j != i && dims[j].axis == dims[i].axis && std::abs(dims[j].line - dims[i].line) < 1e-9 &&
          at + half > along(dims[j], true) && at - half < along(dims[j], false))
        return true;
    return false;
  };
  for (std::size_t i = 0; i < dims.size(); ++i) {
    if (placed[i]) continue;
    const Dimension& m = dims[i];
    const double step = 0.5 * h + textWidth(m.text, h) / 2;
    const double from = along(m, true), to = along(m, false), centre = (from + to) / 2;
    std::vector<Point> places;
    for (const double at : {to + step, from - step})
      if (!overNeighbour(i, at)) places.push_back(textPlace(m, at, true, h));
    places.push_back(textPlace(m, centre, false, h));
    places.push_back(textPlace(m, centre, true, h));
    tryPlaces(i, places);
    placed[i] = true;
  }
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
