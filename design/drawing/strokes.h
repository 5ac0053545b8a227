#pragma once
// Dimensions and leaders broken into straight strokes and placed texts, the same for every
// output: the window's painter, the pictures and the DXF file all draw exactly these.

#include <string>
#include <vector>

#include "design/drawing/drawing.h"

namespace pedivo::drawing {

struct Stroke {
  Point from, to;
};

// A text placed on the sheet: `at` is the centre of the text (middle of its height) or the left
// end of its baseline, turned by `angle` degrees counter-clockwise.
struct PlacedText {
  Point at;
  std::string text;
  double height;
  double angle;
  bool centred;
};

// Extension lines clear of the part and a little past the dimension line, the dimension line
// itself and an oblique tick at each end, as structural drawings mark dimensions.
std::vector<Stroke> dimensionStrokes(const Dimension& dimension, double textHeight);
PlacedText dimensionText(const Dimension& dimension, double textHeight);

// The arrow from the weld, the line to the shoulder and the line under the text.
std::vector<Stroke> leaderStrokes(const Leader& leader, double textHeight);
PlacedText leaderText(const Leader& leader, double textHeight);

PlacedText labelText(const Label& label);

}  // namespace pedivo::drawing
