// The report picture of every type over many realistic designs: dimension texts at the drawing
// standards' height on the printed page, and no text standing on another.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "design/common/numbers.h"
#include "design/drawing/base_drawing.h"
#include "design/drawing/dimension_texts.h"
#include "design/drawing/issued_sheet.h"
#include "design/drawing/printed_sheet.h"
#include "design/drawing/sketch.h"
#include "design/drawing/strokes.h"
#include "tests/design/design_probe.h"

namespace pedivo::drawing {
namespace {

using pedivo::testing::Texts;

// Hot-rolled HW, HM and HN sections: h, b, tw, tf.
struct HotRolled {
  double h, b, tw, tf;
};
constexpr HotRolled hotRolled[] = {
    {200, 200, 8, 12},  {250, 250, 9, 14},  {300, 300, 10, 15}, {350, 350, 12, 19}, {400, 400, 13, 21},
    {194, 150, 6, 9},   {244, 175, 7, 11},  {294, 200, 8, 12},  {340, 250, 9, 14},  {390, 300, 10, 16},
    {440, 300, 11, 18}, {482, 300, 11, 15}, {488, 300, 11, 18}, {582, 300, 12, 17}, {588, 300, 12, 20},
    {200, 100, 5.5, 8}, {250, 125, 6, 9},   {300, 150, 6.5, 9}, {350, 175, 7, 11},  {400, 200, 8, 13},
    {450, 200, 9, 14},  {500, 200, 10, 16}, {600, 200, 11, 17}, {700, 300, 13, 24}, {800, 300, 14, 26},
    {900, 300, 16, 28},
};

std::string number(double x) {
  std::ostringstream s;
  s << x;
  return s.str();
}

// A realistic column: a hot-rolled section, N up to 0.6·A·f, N/(A·f) + M/(W·f) up to 0.85, a
// shear of 2 to 15 % of N, Q235 or Q345, C25 to C35, at detailing sizes.
Texts realisticColumn(std::mt19937& rng, const std::string& id) {
  const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
  const auto pick = [&](std::initializer_list<const char*> items) {
    return std::string(*(items.begin() + std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)));
  };
  const HotRolled s = hotRolled[std::uniform_int_distribution<std::size_t>(0, std::size(hotRolled) - 1)(rng)];
  const std::string grade = pick({"Q235", "Q345"});
  const double f = (grade == "Q235" ? 215 : 310) - (s.tf > 16 ? 10 : 0);
  const double area = 2 * s.b * s.tf + (s.h - 2 * s.tf) * s.tw;
  const double inner = s.h - 2 * s.tf;
  const double modulus = (s.b * s.h * s.h * s.h - (s.b - s.tw) * inner * inner * inner) / (6 * s.h);
  const double n = uniform(0.05, 1) * 0.6 * area * f;
  const double m = uniform(0, 1) * (0.85 - n / (area * f)) * modulus * f;
  const double v = uniform(0.02, 0.15) * n;
  const auto whole = [](double x) { return std::to_string(static_cast<long>(std::lround(x))); };
  Texts texts{{"Edthc", number(s.h)},  {"Edtbf", number(s.b)},    {"Edttw", number(s.tw)},
              {"Edttf", number(s.tf)}, {"EdtN", whole(n / 1000)}, {"EdtV", whole(std::max(v / 1000, 1.0))},
              {"CBf", grade}};
  if (findModule(id)->findControl("CBfta") != nullptr) texts.emplace_back("CBfta", pick({"Q235", "Q345"}));
  texts.emplace_back("CBfc", pick({"C25", "C30", "C35"}));
  if (id != "j1" && id != "j2") texts.emplace_back("EdtM", whole(std::max(m / 1e6, 1.0)));
  return texts;
}

struct TextBox {
  double left, bottom, right, top;
  std::string text;
};

TextBox boxOf(const PlacedText& t) {
  const double w = textWidth(t.text, t.height), h = t.height;
  const bool turned = std::abs(t.angle - 90) < 1e-9;
  if (t.centred)
    return turned ? TextBox{t.at.x - h / 2, t.at.y - w / 2, t.at.x + h / 2, t.at.y + w / 2, t.text}
                  : TextBox{t.at.x - w / 2, t.at.y - h / 2, t.at.x + w / 2, t.at.y + h / 2, t.text};
  return {t.at.x, t.at.y - 0.2 * h, t.at.x + w, t.at.y + h, t.text};
}

bool meet(const TextBox& a, const TextBox& b) {
  return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// Every text of the sheet as it is drawn: dimension texts first, then leaders' and labels'.
std::vector<TextBox> textBoxes(const Drawing& d) {
  std::vector<TextBox> boxes;
  for (const auto& m : d.dimensions) boxes.push_back(boxOf(dimensionText(m, d.textHeight)));
  for (const auto& l : d.leaders) boxes.push_back(boxOf(leaderText(l, d.textHeight)));
  for (const auto& l : d.labels) boxes.push_back(boxOf(labelText(l)));
  return boxes;
}

// Pairs of texts standing on each other, as "a / b".
std::vector<std::string> textsOnEachOther(const Drawing& d) {
  const auto boxes = textBoxes(d);
  std::vector<std::string> pairs;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j)
      if (meet(boxes[i], boxes[j])) pairs.push_back(boxes[i].text + " / " + boxes[j].text);
  return pairs;
}

// A segment passes through the inside of a box.
bool crosses(const TextBox& b, Point p, Point q) {
  double t0 = 0, t1 = 1;
  const double dx = q.x - p.x, dy = q.y - p.y;
  const auto clip = [&](double denominator, double numerator) {
    if (std::abs(denominator) < 1e-12) return numerator > 0;
    const double t = numerator / denominator;
    if (denominator < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    return t0 < t1;
  };
  return clip(-dx, p.x - b.left) && clip(dx, b.right - p.x) && clip(-dy, p.y - b.bottom) && clip(dy, b.top - p.y);
}

// The lines of the drawn parts: outlines, stiffeners, bolt holes' centre marks, leaders.
std::vector<std::pair<Point, Point>> partEdges(const Drawing& d) {
  std::vector<std::pair<Point, Point>> edges;
  for (const auto& p : d.polylines)
    if (p.layer != Layer::Centre)
      for (std::size_t k = 0; k < p.points.size(); ++k)
        if (p.closed || k + 1 < p.points.size()) edges.push_back({p.points[k], p.points[(k + 1) % p.points.size()]});
  for (const auto& l : d.lines)
    if (l.layer != Layer::Centre) edges.push_back({l.from, l.to});
  for (const auto& l : d.leaders) edges.push_back({l.tip, l.shoulder});
  return edges;
}

// Dimension texts over a drawn part.
std::vector<std::string> dimensionTextsOverParts(const Drawing& d) {
  const auto edges = partEdges(d);
  std::vector<std::string> over;
  for (const auto& m : d.dimensions) {
    const TextBox b = boxOf(dimensionText(m, d.textHeight));
    for (const auto& [p, q] : edges)
      if (crosses(b, p, q)) {
        over.push_back(m.text);
        break;
      }
  }
  return over;
}

// Labels (titles, notes, the top of the foundation) crossed by a drawn part or a dimension's lines.
std::vector<std::string> labelsOverLines(const Drawing& d) {
  auto edges = partEdges(d);
  for (const auto& m : d.dimensions)
    for (const auto& k : dimensionStrokes(m, d.textHeight)) edges.push_back({k.from, k.to});
  std::vector<std::string> over;
  for (const auto& label : d.labels) {
    const TextBox b = boxOf(labelText(label));
    if (std::any_of(edges.begin(), edges.end(), [&](const auto& e) { return crosses(b, e.first, e.second); }))
      over.push_back(label.text);
  }
  return over;
}

std::string joined(const std::vector<std::string>& items) {
  std::string all;
  for (const auto& item : items) all += (all.empty() ? "" : "; ") + item;
  return all;
}

double alongLine(const Dimension& m, const Point& p) { return m.axis == Axis::Horizontal ? p.x : p.y; }

// A chain of short dimensions side by side above a plate edge, the lengths given, and the overall
// dimension in the lane beyond.
Drawing chainAbove(const std::vector<double>& lengths, double textHeight) {
  Drawing d;
  d.textHeight = textHeight;
  Sketch s(d);
  double x = 0;
  for (const double length : lengths) {
    s.dimension(Side::Above, x, x + length, 0, 0, formatGeneral(length));
    x += length;
  }
  s.rectangle(0, -100, x, 0, Layer::Outline);
  s.dimension(Side::Above, 0, x, 0, 1, formatGeneral(x));
  return d;
}

// Texts too long for their dimensions, side by side: each beside its line where there is room,
// the others staggered into rows beyond, each reached by a leader from its own dimension's line.
TEST(DimensionTexts, CrowdedNeighboursAreStaggeredWithALeaderEach) {
  Drawing d = chainAbove({30, 12.5, 12.5, 12.5, 12.5, 30, 300}, 10);
  arrangeDimensionTexts(d);
  EXPECT_FALSE(dimensionTextsOverlap(d));
  EXPECT_EQ(joined(textsOnEachOther(d)), "");
  int staggered = 0;
  for (const Dimension& m : d.dimensions) {
    const double h = d.textHeight, at = alongLine(m, m.textAt);
    const auto strokes = dimensionStrokes(m, h);
    if (staggeredBy(m, h) < 0.1 * h) {
      EXPECT_EQ(strokes.size(), 5u + (at < m.from.x || at > m.to.x ? 1 : 0)) << m.text;
      continue;
    }
    ++staggered;
    // Staggered above its own span, never over a neighbour, a leader square to the line up to the
    // text's lower edge.
    EXPECT_GE(at, m.from.x) << m.text;
    EXPECT_LE(at, m.to.x) << m.text;
    EXPECT_GT(m.textAt.y, m.line + 1.5 * h) << m.text;
    const Stroke& leader = strokes.back();
    EXPECT_DOUBLE_EQ(leader.from.y, m.line) << m.text;
    EXPECT_DOUBLE_EQ(leader.from.x, leader.to.x) << m.text;
    EXPECT_NEAR(leader.to.y, m.textAt.y - 0.6 * h, 1e-9) << m.text;
  }
  EXPECT_GE(staggered, 1);
}

// A text whose usual place is on a part moves where it hides nothing: beyond an end of its line.
TEST(DimensionTexts, ATextKeepsOffAPartWhereItCan) {
  Drawing d;
  d.textHeight = 10;
  Sketch s(d);
  s.dimension(Side::Above, 0, 200, 0, 0, "200");
  // A stiffener seen edge on, standing through the middle of the dimension line.
  s.rectangle(95, 0, 105, 40, Layer::Stiffeners);
  arrangeDimensionTexts(d);
  EXPECT_EQ(joined(dimensionTextsOverParts(d)), "");
  const Dimension& m = d.dimensions.front();
  EXPECT_TRUE(m.textAt.x > 200 || m.textAt.x < 0) << m.textAt.x;
  // The dimension line reaches on to the text set beyond its end.
  const auto strokes = dimensionStrokes(m, d.textHeight);
  EXPECT_TRUE(std::any_of(strokes.begin(), strokes.end(), [&](const Stroke& k) {
    return k.from.y == m.line && k.to.y == m.line && std::max(k.from.x, k.to.x) > 200 + d.textHeight;
  }));
}

// Where no place is clear of the parts, the text keeps its usual place rather than wander off.
TEST(DimensionTexts, WithNoPlaceClearOfPartsTheUsualPlaceIsKept) {
  Drawing d;
  d.textHeight = 10;
  Sketch s(d);
  s.dimension(Side::Above, 0, 200, 0, 0, "200");
  // Hatching lines of a part, 5 mm apart, over everything near the dimension.
  for (double y = 0; y < 400; y += 5) s.line({-500, y}, {700, y}, Layer::Outline);
  arrangeDimensionTexts(d);
  const Dimension& m = d.dimensions.front();
  EXPECT_DOUBLE_EQ(m.textAt.x, 100);
  EXPECT_DOUBLE_EQ(m.textAt.y, m.line + textBesideLine * d.textHeight);
}

// The default design and 100 realistic ones of every type, as the report prints them: the text at
// the drawing standards' height (digits 0.76 of it, so at least 2.66 mm), no text on another and
// no dimension text over a part; the issued sheet of the result window, from the same layout, with
// its texts apart too. The lowest printed height of each type is written out.
TEST(PrintedTextSweep, EveryTypeOverManyRealisticDesigns) {
  constexpr int designsAType = 100;
  std::mt19937 rng(20261209);
  for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3", "gc"}) {
    int drawnCount = 0, staggered = 0;
    double lowest = 1e9;
    for (int attempt = 0; drawnCount <= designsAType && attempt < 4 * designsAType; ++attempt) {
      const Texts texts = attempt == 0 ? Texts{} : realisticColumn(rng, id);
      const auto design = pedivo::testing::design(*findModule(id), texts, id != std::string("gc"));
      const auto result = drawDesign(design.session);
      if (!std::holds_alternative<Drawing>(result)) continue;
      const Drawing& d = std::get<Drawing>(result);
      ++drawnCount;
      std::string where = std::string(id) + " #" + std::to_string(attempt);
      for (const auto& [control, text] : texts) where += " " + control + "=" + text;
      lowest = std::min(lowest, printedTextHeight(d));
      EXPECT_GE(printedTextHeight(d), smallestPrintedTextMm - 1e-9) << where;
      EXPECT_GE(printedTextHeight(d) * 0.76, 2.5) << where;
      EXPECT_EQ(joined(textsOnEachOther(d)), "") << where;
      EXPECT_EQ(joined(dimensionTextsOverParts(d)), "") << where;
      EXPECT_EQ(joined(labelsOverLines(d)), "") << where;
      staggered += std::any_of(d.dimensions.begin(), d.dimensions.end(),
                               [&](const Dimension& m) { return staggeredBy(m, d.textHeight) > 0.1 * d.textHeight; });
      const auto issued = drawIssuedSheet(design.session, "test");
      ASSERT_TRUE(std::holds_alternative<Drawing>(issued)) << where;
      EXPECT_FALSE(dimensionTextsOverlap(std::get<Drawing>(issued))) << where;
      EXPECT_EQ(joined(dimensionTextsOverParts(std::get<Drawing>(issued))), "") << where;
      EXPECT_EQ(joined(textsOnEachOther(std::get<Drawing>(issued))), "") << where;
      EXPECT_EQ(joined(labelsOverLines(std::get<Drawing>(issued))), "") << where;
    }
    EXPECT_EQ(drawnCount, designsAType + 1) << id;
    std::cout << id << ": " << drawnCount << " pictures, lowest printed text " << lowest << " mm (digits "
              << 0.76 * lowest << " mm), " << staggered << " with a staggered text\n";
  }
}

}  // namespace
}  // namespace pedivo::drawing
