#include "design/drawing/dimension_texts.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "design/drawing/strokes.h"

namespace pedivo::drawing {
namespace {

// Rows beyond the one beside the line that a crowded text may be staggered into.
constexpr int mostStaggeredRows = 6;

struct Box {
  double left, bottom, right, top;
};

Box textBox(const Dimension& d, double h) {
  const double w = textWidth(d.text, h) / 2;
  const double halfX = d.axis == Axis::Horizontal ? w : h / 2, halfY = d.axis == Axis::Horizontal ? h / 2 : w;
  return {d.textAt.x - halfX, d.textAt.y - halfY, d.textAt.x + halfX, d.textAt.y + halfY};
}

Box grown(Box b, double by) { return {b.left - by, b.bottom - by, b.right + by, b.top + by}; }

bool meet(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// The segment pq passes through the box (clipped against each side in turn).
bool crosses(const Box& b, Point p, Point q) {
  double t0 = 0, t1 = 1;
  const double dx = q.x - p.x, dy = q.y - p.y;
  const auto clip = [&](double denominator, double numerator) {
    if (std::abs(denominator) < 1e-12) return numerator >= 0;
    const double t = numerator / denominator;
    if (denominator < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    return t0 <= t1;
  };
  return clip(-dx, p.x - b.left) && clip(dx, b.right - p.x) && clip(-dy, p.y - b.bottom) && clip(dy, b.top - p.y);
}

// What a dimension text must keep clear of besides the other dimension texts: the drawn lines, the
// other dimensions' lines and the texts of leaders and labels.
struct Obstacles {
  std::vector<Stroke> strokes;
  std::vector<std::size_t> owner;  // the dimension a stroke belongs to, or npos
  std::vector<Box> boxes;
};

void addPolyline(Obstacles& o, const std::vector<Point>& points, bool closed) {
  for (std::size_t k = 0; k + 1 < points.size(); ++k) o.strokes.push_back({points[k], points[k + 1]});
  if (closed && points.size() > 2) o.strokes.push_back({points.back(), points.front()});
}

Box placedBox(const PlacedText& t) {
  const double w = textWidth(t.text, t.height);
  if (t.centred) return {t.at.x - w / 2, t.at.y - t.height / 2, t.at.x + w / 2, t.at.y + t.height / 2};
  return {t.at.x, t.at.y - 0.2 * t.height, t.at.x + w, t.at.y + t.height};
}

double along(const Dimension& m, bool start) {
  return m.axis == Axis::Horizontal ? (start ? m.from.x : m.to.x) : (start ? m.from.y : m.to.y);
}

// The side of the line away from the part measured: +1 or −1 along y (horizontal) or x (vertical).
double outward(const Dimension& m) {
  return m.axis == Axis::Horizontal ? (m.line >= m.from.y ? 1 : -1) : (m.line >= m.from.x ? 1 : -1);
}

// The text's centre at `at` along the line, `offset` from it (positive above a horizontal line,
// right of a vertical one).
Point placeAt(const Dimension& m, double at, double offset) {
  return m.axis == Axis::Horizontal ? Point{at, m.line + offset} : Point{m.line + offset, at};
}

// The reading side is above a horizontal line and left of a vertical one.
double readingSide(const Dimension& m) { return m.axis == Axis::Horizontal ? 1 : -1; }

Obstacles obstaclesOf(const Drawing& d) {
  Obstacles o;
  const double h = d.textHeight;
  // A text may stand over a centre line, as over a dimension's own extension lines: it hides no part.
  for (const auto& line : d.lines)
    if (line.layer != Layer::Centre) o.strokes.push_back({line.from, line.to});
  for (const auto& p : d.polylines)
    if (p.layer != Layer::Centre) addPolyline(o, p.points, p.closed);
  for (const auto& c : d.circles) {
    const double r = c.radius;
    addPolyline(o,
                {{c.centre.x - r, c.centre.y - r},
                 {c.centre.x + r, c.centre.y - r},
                 {c.centre.x + r, c.centre.y + r},
                 {c.centre.x - r, c.centre.y + r}},
                true);
  }
  for (const auto& l : d.leaders) {
    for (const auto& s : leaderStrokes(l, h)) o.strokes.push_back(s);
    o.boxes.push_back(placedBox(leaderText(l, h)));
  }
  for (const auto& label : d.labels) o.boxes.push_back(placedBox(labelText(label)));
  o.owner.assign(o.strokes.size(), static_cast<std::size_t>(-1));
  for (std::size_t i = 0; i < d.dimensions.size(); ++i) {
    Dimension bare = d.dimensions[i];
    // The dimension's own lines, its text centred beside the line: without the reach to a text
    // beyond its ends or the leader to a staggered one.
    const double centre = (along(bare, true) + along(bare, false)) / 2;
    bare.textAt = placeAt(bare, centre, readingSide(bare) * textBesideLine * h);
    for (const auto& s : dimensionStrokes(bare, h)) {
      o.strokes.push_back(s);
      o.owner.push_back(i);
    }
  }
  return o;
}

// A text that fits between its extension lines with a little room each side stands there: set
// beyond an end it would read as its neighbour's.
bool fitsBetween(const Dimension& d, double h) {
  return textWidth(d.text, h) + 0.2 * h < along(d, false) - along(d, true);
}

class Arrangement {
 public:
  explicit Arrangement(Drawing& d)
      : d_(d), h_(d.textHeight), obstacles_(obstaclesOf(d)), placed_(d.dimensions.size(), false) {}

  void run() {
    // Texts that fit between their extension lines first, then those of short dimensions.
    for (std::size_t i = 0; i < dims().size(); ++i)
      if (fitsBetween(dims()[i], h_)) settle(i, fittingPlaces(i));
    for (std::size_t i = 0; i < dims().size(); ++i)
      if (!placed_[i]) settle(i, shortPlaces(i));
  }

 private:
  std::vector<Dimension>& dims() { return d_.dimensions; }
  double gap() const { return 0.2 * h_; }

  // Centred, on the reading side of the line or the other.
  std::vector<Point> fittingPlaces(std::size_t i) {
    const Dimension& m = dims()[i];
    const double centre = (along(m, true) + along(m, false)) / 2, side = readingSide(m);
    std::vector<Point> places{placeAt(m, centre, side * textBesideLine * h_),
                              placeAt(m, centre, -side * textBesideLine * h_)};
    addBeyondEnds(i, places);
    addStaggeredRows(m, places);
    return places;
  }

  // Beyond an end where that is not over a neighbouring dimension of the same chain (there it would
  // read as the neighbour's), else centred on the other side of the line, else on the reading side.
  std::vector<Point> shortPlaces(std::size_t i) {
    const Dimension& m = dims()[i];
    const double side = readingSide(m), centre = (along(m, true) + along(m, false)) / 2;
    std::vector<Point> places;
    addBeyondEnds(i, places);
    places.push_back(placeAt(m, centre, -side * textBesideLine * h_));
    places.push_back(placeAt(m, centre, side * textBesideLine * h_));
    addStaggeredRows(m, places);
    return places;
  }

  // Beyond either end on the reading side, the dimension line drawn on to the text, where that is
  // not over a neighbouring dimension of the same chain.
  void addBeyondEnds(std::size_t i, std::vector<Point>& places) {
    const Dimension& m = dims()[i];
    const double step = 0.5 * h_ + textWidth(m.text, h_) / 2;
    for (const double at : {along(m, false) + step, along(m, true) - step})
      if (!overNeighbour(i, at)) places.push_back(placeAt(m, at, readingSide(m) * textBesideLine * h_));
  }

  // Rows further from the part, centred over the dimension: a leader reaches each from its line.
  void addStaggeredRows(const Dimension& m, std::vector<Point>& places) const {
    const double centre = (along(m, true) + along(m, false)) / 2;
    for (int row = 1; row <= mostStaggeredRows; ++row)
      places.push_back(placeAt(m, centre, outward(m) * (textBesideLine + row * staggeredRowPitch) * h_));
  }

  bool overNeighbour(std::size_t i, double at) {
    const double half = textWidth(dims()[i].text, h_) / 2;
    for (std::size_t j = 0; j < dims().size(); ++j) {
      const Dimension& n = dims()[j];
      if (j != i && n.axis == dims()[i].axis && std::abs(n.line - dims()[i].line) < 1e-9 &&
          at + half > along(n, true) && at - half < along(n, false))
        return true;
    }
    return false;
  }

  bool clearOfTexts(std::size_t i) {
    const Box mine = grown(textBox(dims()[i], h_), gap());
    for (std::size_t j = 0; j < dims().size(); ++j)
      if (j != i && placed_[j] && meet(mine, textBox(dims()[j], h_))) return false;
    return std::none_of(obstacles_.boxes.begin(), obstacles_.boxes.end(), [&](const Box& b) { return meet(mine, b); });
  }

  // The dimensions of one chain share their line and extension lines: a text may cross those.
  bool sameChain(std::size_t i, std::size_t j) {
    return j < dims().size() && dims()[j].axis == dims()[i].axis && std::abs(dims()[j].line - dims()[i].line) < 1e-9;
  }

  bool clearOfLines(std::size_t i) {
    const Box mine = textBox(dims()[i], h_);
    for (std::size_t k = 0; k < obstacles_.strokes.size(); ++k)
      if (!sameChain(i, obstacles_.owner[k]) && crosses(mine, obstacles_.strokes[k].from, obstacles_.strokes[k].to))
        return false;
    return true;
  }

  // The first place clear of every text and line, else the first clear of the texts, else the
  // first place.
  void settle(std::size_t i, const std::vector<Point>& places) {
    Dimension& m = dims()[i];
    placed_[i] = true;
    const Point* clearOfTextsOnly = nullptr;
    for (const Point& p : places) {
      m.textAt = p;
      if (!clearOfTexts(i)) continue;
      if (clearOfLines(i)) return;
      if (clearOfTextsOnly == nullptr) clearOfTextsOnly = &p;
    }
    m.textAt = clearOfTextsOnly != nullptr ? *clearOfTextsOnly : places.front();
  }

  Drawing& d_;
  double h_;
  Obstacles obstacles_;
  std::vector<bool> placed_;
};

}  // namespace

void arrangeDimensionTexts(Drawing& drawing) { Arrangement(drawing).run(); }

double staggeredBy(const Dimension& m, double h) {
  const double off = m.axis == Axis::Horizontal ? m.textAt.y - m.line : m.textAt.x - m.line;
  return std::max(0.0, std::abs(off) - textBesideLine * h);
}

}  // namespace pedivo::drawing
