#include "design/drawing/strokes.h"

#include <algorithm>
#include <cmath>

#include "design/drawing/dimension_texts.h"

namespace pedivo::drawing {
namespace {

constexpr double gapFactor = 0.15;   // extension line clear of the part, of the text height
constexpr double beyondFactor = 0.3;  // extension and dimension lines past the crossing
constexpr double tickFactor = 0.35;   // half length of the oblique tick

double direction(const Leader& leader) { return leader.shoulder.x >= leader.tip.x ? 1 : -1; }

}  // namespace

std::vector<Stroke> dimensionStrokes(const Dimension& d, double h) {
  const double gap = gapFactor * h, beyond = beyondFactor * h, tick = tickFactor * h;
  std::vector<Stroke> strokes;
  if (d.axis == Axis::Horizontal) {
    const double out = d.line > d.from.y ? 1 : -1;
    for (const Point& p : {d.from, d.to}) {
      strokes.push_back({{p.x, p.y + out * gap}, {p.x, d.line + out * beyond}});
      strokes.push_back({{p.x - tick, d.line - tick}, {p.x + tick, d.line + tick}});
    }
    strokes.push_back({{d.from.x - beyond, d.line}, {d.to.x + beyond, d.line}});
  } else {
    const double out = d.line > d.from.x ? 1 : -1;
    for (const Point& p : {d.from, d.to}) {
      strokes.push_back({{p.x + out * gap, p.y}, {d.line + out * beyond, p.y}});
      strokes.push_back({{d.line - tick, p.y - tick}, {d.line + tick, p.y + tick}});
    }
    strokes.push_back({{d.line, d.from.y - beyond}, {d.line, d.to.y + beyond}});
  }
  // A text set beyond either end of a short dimension is reached by the dimension line.
  const double reach = textWidth(d.text, h) / 2;
  if (d.axis == Axis::Horizontal && d.textAt.x - reach > d.to.x)
    strokes.push_back({{d.to.x, d.line}, {d.textAt.x + reach, d.line}});
  if (d.axis == Axis::Horizontal && d.textAt.x + reach < d.from.x)
    strokes.push_back({{d.textAt.x - reach, d.line}, {d.from.x, d.line}});
  if (d.axis == Axis::Vertical && d.textAt.y - reach > d.to.y)
    strokes.push_back({{d.line, d.to.y}, {d.line, d.textAt.y + reach}});
  if (d.axis == Axis::Vertical && d.textAt.y + reach < d.from.y)
    strokes.push_back({{d.line, d.textAt.y - reach}, {d.line, d.from.y}});
  // A text staggered into a row further out is reached by a leader square to the line, from the
  // line under the text's centre to the text's near edge.
  if (staggeredBy(d, h) > 0.1 * h) {
    const bool horizontal = d.axis == Axis::Horizontal;
    const double off = horizontal ? d.textAt.y - d.line : d.textAt.x - d.line, side = off > 0 ? 1 : -1;
    const double at = horizontal ? std::clamp(d.textAt.x, d.from.x, d.to.x) : std::clamp(d.textAt.y, d.from.y, d.to.y);
    const double nearEdge = d.line + off - side * 0.6 * h;
    strokes.push_back(horizontal ? Stroke{{at, d.line}, {at, nearEdge}} : Stroke{{d.line, at}, {nearEdge, at}});
  }
  return strokes;
}

PlacedText dimensionText(const Dimension& d, double h) {
  return {d.textAt, d.text, h, d.axis == Axis::Horizontal ? 0.0 : 90.0, true};
}

std::vector<Stroke> leaderStrokes(const Leader& l, double h) {
  const double width = textWidth(l.text, h);
  const double dir = direction(l);
  std::vector<Stroke> strokes{{l.tip, l.shoulder}, {l.shoulder, {l.shoulder.x + dir * width, l.shoulder.y}}};
  // Open arrowhead at the tip, along the leader.
  const double dx = l.shoulder.x - l.tip.x, dy = l.shoulder.y - l.tip.y;
  const double length = std::hypot(dx, dy);
  if (length > 0) {
    const double ux = dx / length, uy = dy / length, size = 0.6 * h, spread = 0.35;
    for (const double s : {-spread, spread}) {
      const double c = std::cos(s), n = std::sin(s);
      strokes.push_back({l.tip, {l.tip.x + size * (ux * c - uy * n), l.tip.y + size * (ux * n + uy * c)}});
    }
  }
  return strokes;
}

PlacedText leaderText(const Leader& l, double h) {
  const double width = textWidth(l.text, h);
  const double left = direction(l) > 0 ? l.shoulder.x : l.shoulder.x - width;
  return {{left, l.shoulder.y + 0.25 * h}, l.text, h, 0, false};
}

PlacedText labelText(const Label& label) {
  if (label.anchor == Anchor::Left) return {label.at, label.text, label.height, 0, false};
  return {{label.at.x, label.at.y + label.height / 2}, label.text, label.height, 0, true};
}

}  // namespace pedivo::drawing
