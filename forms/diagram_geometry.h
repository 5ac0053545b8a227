#pragma once
// What a base-type diagram shows, in millimetres, apart from how it is painted: the plate and
// its steel parts as rectangles, the anchor bolts as circles and the dimension lines with the
// names the windows use. Plan views put the plate centre at the origin, x along the plate
// length L (the section depth hb) and y across the width B (the flange width bf). Elevations put
// the top of the plate at y = 0 with heights upwards (negative y), x along L from the column
// centre line.

#include <string>
#include <vector>

namespace pedivo::forms {

struct BaseDimensions {
  double hb = 450, bf = 200, tw = 9, tf = 14;  // column section
  double a = 60, c = 70, lt = 52, bt = 52;     // detailing distances
  double dms = 24;                             // bolt diameter
  double tjjl = 8, hjjl = 200;                 // anchor-bolt stiffeners
  double tsh = 10, hsh = 300;                  // boot-beam plates
  double depth = 680;                          // insertion depth dc of the embedded base
};

enum class PartKind { Plate, Steel, Stiffener, Concrete, TopPlate };

struct Part {
  double x, y, width, height;  // top-left corner and size
  PartKind kind;
};

struct Bolt {
  double x, y, diameter;
};

enum class Axis { Horizontal, Vertical };

// A dimension along one axis from `from` to `to`, drawn in a lane beside the drawing: lanes
// below zero lie above (horizontal) or left of (vertical) the drawing, above zero below or right.
struct Dimension {
  Axis axis;
  double from, to;
  std::string label;
  int lane;
};

// One view of a base, scaled on its own to fit its share of the picture.
struct View {
  double left, top, right, bottom;  // extent of the parts
  std::vector<Part> parts;
  std::vector<Bolt> bolts;
  std::vector<Dimension> dimensions;
  double widthShare = 1;  // part of the picture's width this view gets
};

// A plan, and where the plan cannot show a height, a side elevation beside it.
struct Drawing {
  std::vector<View> views;
  std::string caption;  // name of the base type, drawn under the views
  const View& plan() const { return views.front(); }
};

// The diagram of a base type by its template name ("j1" ... "gc").
Drawing baseDrawing(const std::string& moduleId, const BaseDimensions& d);

}  // namespace pedivo::forms
