#pragma once
// A drawing of a designed base as plain data: primitives in millimetres at true size, each on
// one of six layers. The views of a base share one sheet: the plan has the plate centre at the
// origin with x along the plate length L (the section depth) and y across the width B; the
// elevation along the moment stands above the plan on the same x, the elevation across the
// moment to the right of the plan. y points up, as in CAD. The result window paints these
// primitives, the report embeds a picture of them and the DXF writer writes them out.

#include <string>
#include <string_view>
#include <vector>

namespace pedivo::drawing {

enum class Layer { Outline, Bolts, Stiffeners, Welds, Dimensions, Text, Centre };
// The layer's name as CAD programs show it.
std::string_view layerName(Layer layer);

struct Point {
  double x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Hidden edges (a part under the plate, seen in plan) are dashed; centre lines are long and short
// dashes.
enum class LineStyle { Solid, Hidden, Centre };

struct Line {
  Point from, to;
  Layer layer;
  LineStyle style = LineStyle::Solid;
};

struct Polyline {
  std::vector<Point> points;
  bool closed;
  Layer layer;
  LineStyle style = LineStyle::Solid;
};

struct Circle {
  Point centre;
  double radius;
  Layer layer;
};

// Counter-clockwise from start to end, angles in degrees from the x axis.
struct Arc {
  Point centre;
  double radius, startAngle, endAngle;
  Layer layer;
};

enum class HatchPattern { Steel, Concrete };

struct Hatch {
  std::vector<Point> boundary;  // closed
  HatchPattern pattern;
  Layer layer;
};

enum class Axis { Horizontal, Vertical };

// A linear dimension of the distance between two points along one axis. The dimension line
// runs at `line` (a y for a horizontal dimension, an x for a vertical one); the text stands at
// `textAt`, centred on it, upright for horizontal and turned a quarter for vertical dimensions.
struct Dimension {
  Axis axis;
  Point from, to;
  double line;
  std::string text;
  Point textAt;
};

// A weld symbol as a text leader: an arrow from the weld to the shoulder, the text beyond it.
struct Leader {
  Point tip, shoulder;
  std::string text;
  Layer layer;
};

enum class Anchor { Left, Centre };

struct Label {
  Point at;  // the baseline's left end or centre
  std::string text;
  double height;
  Anchor anchor;
  Layer layer;
};

struct Extent {
  double left = 0, bottom = 0, right = 0, top = 0;
  double width() const { return right - left; }
  double height() const { return top - bottom; }
};

struct Drawing {
  std::string title;  // the base type
  double textHeight = 0;
  double scale = 0;  // the sheet's plotting scale 1:scale; 0 for a sheet drawn to no scale
  std::vector<Line> lines;
  std::vector<Polyline> polylines;
  std::vector<Circle> circles;
  std::vector<Arc> arcs;
  std::vector<Hatch> hatches;
  std::vector<Dimension> dimensions;
  std::vector<Leader> leaders;
  std::vector<Label> labels;

  // Everything drawn, texts included as far as their estimated width reaches.
  Extent extent() const;
};

// The texts of two dimensions stand on each other, or closer than `gap` apart.
bool dimensionTextsMeet(const Dimension& a, const Dimension& b, double textHeight, double gap = 0);

// Width of a text of the given height: CJK characters are square, others about 0.6 of the height.
double textWidth(std::string_view utf8, double height);

}  // namespace pedivo::drawing
