#pragma once
// Adds the usual parts of a steel detail to a drawing: plates as rectangles, H sections, bolt
// holes, dimension lanes beside a view, weld leaders and titles. Dimension lanes are counted
// outwards from the edge of the part they measure; the lane spacing follows the text height,
// so stacked dimensions never share a line of text.

#include <string>
#include <vector>

#include "design/drawing/drawing.h"

namespace pedivo::drawing {

// Hole for an anchor bolt: 1.5 mm over the bolt up to M27, 2 mm over larger bolts.
double holeDiameter(double boltDiameter);

enum class Side { Below, Above, Left, Right };

class Sketch {
 public:
  explicit Sketch(Drawing& drawing) : d_(drawing) {}

  double textHeight() const { return d_.textHeight; }
  Drawing& d() { return d_; }

  void rectangle(double left, double bottom, double right, double top, Layer layer);
  // Closed outline of an H section in plan: depth along x, flanges across y.
  void hSection(Point centre, double depth, double width, double web, double flange, Layer layer);
  void hatch(double left, double bottom, double right, double top, HatchPattern pattern, Layer layer);
  void line(Point from, Point to, Layer layer);
  void hole(Point centre, double boltDiameter);
  // A zigzag across a member cut short, from left to right at height y.
  void breakLine(double left, double right, double y);

  // A dimension from a to b along x (Below/Above) or y (Left/Right), in lane `lane` beyond the
  // edge at `edge` (a y for Below/Above, an x for Left/Right).
  void dimension(Side side, double a, double b, double edge, int lane, const std::string& text);
  void weld(Point tip, double dx, double dy, const std::string& text);
  // A note on a part (a plate thickness) as a text leader on the text layer.
  void note(Point tip, double dx, double dy, const std::string& text);
  // Leaders from their tips to shoulders stacked upwards at one x, texts to the right, so that
  // notes on a crowded view never overlap.
  struct Callout {
    Point tip;
    std::string text;
    Layer layer;
  };
  void callouts(std::vector<Callout> items, double shoulderX, double firstY);
  void label(Point at, const std::string& text, Anchor anchor = Anchor::Centre, double scale = 1);
  void title(Point centre, const std::string& text) { label(centre, text, Anchor::Centre, 1.4); }

 private:
  Drawing& d_;
};

}  // namespace pedivo::drawing
