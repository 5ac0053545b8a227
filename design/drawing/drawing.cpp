#include "design/drawing/drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <limits>

namespace pedivo::drawing {

std::string_view layerName(Layer layer) {
  switch (layer) {
    case Layer::Outline: return "轮廓";
    case Layer::Bolts: return "锚栓";
    case Layer::Stiffeners: return "加劲肋";
    case Layer::Welds: return "焊缝";
    case Layer::Dimensions: return "尺寸";
    case Layer::Text: return "文字";
    case Layer::Centre: return "中心线";
  }
  return "0";
}

double textWidth(std::string_view utf8, double height) {
  double width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    width += length >= 3 ? height : 0.6 * height;
    i += length;
  }
  return width;
}

bool dimensionTextsMeet(const Dimension& a, const Dimension& b, double h, double gap) {
  // Half the width and half the height of a dimension's text box, as it stands.
  const auto half = [h](const Dimension& d) {
    const double w = textWidth(d.text, h) / 2;
    return d.axis == Axis::Horizontal ? std::pair{w, h / 2} : std::pair{h / 2, w};
  };
  const auto [aw, ah] = half(a);
  const auto [bw, bh] = half(b);
  return std::abs(a.textAt.x - b.textAt.x) < aw + bw + gap && std::abs(a.textAt.y - b.textAt.y) < ah + bh + gap;
}

namespace {

struct Bounds {
  double left = std::numeric_limits<double>::max(), bottom = left;
  double right = std::numeric_limits<double>::lowest(), top = right;
  void add(Point p) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
  }
  void addBox(Point centre, double halfWidth, double halfHeight) {
    add({centre.x - halfWidth, centre.y - halfHeight});
    add({centre.x + halfWidth, centre.y + halfHeight});
  }
};

}  // namespace

Extent Drawing::extent() const {
  Bounds b;
  for (const auto& line : lines) {
    b.add(line.from);
    b.add(line.to);
  }
  for (const auto& polyline : polylines)
    for (const auto& p : polyline.points) b.add(p);
  for (const auto& circle : circles) b.addBox(circle.centre, circle.radius, circle.radius);
  for (const auto& arc : arcs) b.addBox(arc.centre, arc.radius, arc.radius);
  for (const auto& hatch : hatches)
    for (const auto& p : hatch.boundary) b.add(p);
  for (const auto& d : dimensions) {
    b.add(d.from);
    b.add(d.to);
    const double half = textWidth(d.text, textHeight) / 2;
    if (d.axis == Axis::Horizontal) {
      b.add({d.from.x, d.line});
      b.addBox(d.textAt, half, textHeight / 2);
    } else {
      b.add({d.line, d.from.y});
      b.addBox(d.textAt, textHeight / 2, half);
    }
  }
  for (const auto& leader : leaders) {
    b.add(leader.tip);
    const double width = textWidth(leader.text, textHeight);
    const double direction = leader.shoulder.x >= leader.tip.x ? 1 : -1;
    b.add(leader.shoulder);
    b.add({leader.shoulder.x + direction * width, leader.shoulder.y + textHeight * 1.2});
  }
  for (const auto& label : labels) {
    const double width = textWidth(label.text, label.height);
    const double left = label.anchor == Anchor::Left ? label.at.x : label.at.x - width / 2;
    b.add({left, label.at.y});
    b.add({left + width, label.at.y + label.height});
  }
  if (b.left > b.right) return {};
  return {b.left, b.bottom, b.right, b.top};
}

}  // namespace pedivo::drawing
