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

#include "design/drawing/base_drawing.h"
#include "design/drawing/printed_sheet.h"
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
    {200, 200, 8, 12},  {250, 250, 9, 14},   {300, 300, 10, 15},  {350, 350, 12, 19}, {400, 400, 13, 21},
    {194, 150, 6, 9},   {244, 175, 7, 11},   {294, 200, 8, 12},   {340, 250, 9, 14},  {390, 300, 10, 16},
    {440, 300, 11, 18}, {482, 300, 11, 15},  {488, 300, 11, 18},  {582, 300, 12, 17}, {588, 300, 12, 20},
    {200, 100, 5.5, 8}, {250, 125, 6, 9},    {300, 150, 6.5, 9},  {350, 175, 7, 11},  {400, 200, 8, 13},
    {450, 200, 9, 14},  {500, 200, 10, 16},  {600, 200, 11, 17},  {700, 300, 13, 24}, {800, 300, 14, 26},
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
  Texts texts{{"Edthc", number(s.h)},
              {"Edtbf", number(s.b)},
              {"Edttw", number(s.tw)},
              {"Edttf", number(s.tf)},
              {"EdtN", whole(n / 1000)},
              {"EdtV", whole(std::max(v / 1000, 1.0))},
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
    if (denominator < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    return t0 < t1;
  };
  return clip(-dx, p.x - b.left) && clip(dx, b.right - p.x) && clip(-dy, p.y - b.bottom) && clip(dy, b.top - p.y);
}

// Dimension texts over a drawn part: an outline, a stiffener, a bolt hole or a weld leader.
std::vector<std::string> dimensionTextsOverParts(const Drawing& d) {
  std::vector<std::pair<Point, Point>> edges;
  for (const auto& p : d.polylines)
    if (p.layer != Layer::Centre)
      for (std::size_t k = 0; k < p.points.size(); ++k)
        if (p.closed || k + 1 < p.points.size()) edges.push_back({p.points[k], p.points[(k + 1) % p.points.size()]});
  for (const auto& l : d.lines)
    if (l.layer != Layer::Centre) edges.push_back({l.from, l.to});
  for (const auto& l : d.leaders) edges.push_back({l.tip, l.shoulder});
  std::vector<std::string> over;
  for (const auto& m : d.dimensions) {
    const TextBox b = boxOf(dimensionText(m, d.textHeight));
    for (const auto& [p, q] : edges)
      if (crosses(b, p, q)) {
        over.push_back(m.text + " dim " + std::to_string(m.from.x) + "," + std::to_string(m.from.y) + " to " + std::to_string(m.to.x) + "," + std::to_string(m.to.y) + " line " + std::to_string(m.line) + " at " + std::to_string(m.textAt.x) + "," + std::to_string(m.textAt.y) + " edge " + std::to_string(p.x) + "," + std::to_string(p.y) + "-" + std::to_string(q.x) + "," + std::to_string(q.y) + " h " + std::to_string(d.textHeight));
        break;
      }
  }
  return over;
}

TEST(PrintedTextSweep, EveryTypeOverManyRealisticDesigns) {
  constexpr int designsAType = 100;
  std::mt19937 rng(20261209);
  for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3", "gc"}) {
    int drawnCount = 0;
    double lowest = 1e9;
    std::string lowestCase, exampleTexts, examplePart;
    int textPairs = 0, partHits = 0;
    for (int attempt = 0; drawnCount < designsAType && attempt < 4 * designsAType; ++attempt) {
      const Texts texts = attempt == 0 ? Texts{} : realisticColumn(rng, id);
      const pedivo::testing::Design design = pedivo::testing::design(*findModule(id), texts, id != std::string("gc"));
      auto result = drawDesign(design.session);
      if (!std::holds_alternative<Drawing>(result)) continue;
      const Drawing& d = std::get<Drawing>(result);
      ++drawnCount;
      std::string where = std::string(id) + " #" + std::to_string(attempt);
      for (const auto& [control, text] : texts) where += " " + control + "=" + text;
      const double printed = printedTextHeight(d);
      if (printed < lowest) lowest = printed, lowestCase = where;
      EXPECT_GE(printed, smallestPrintedTextMm - 1e-9) << where;
      EXPECT_FALSE(dimensionTextsOverlap(d)) << where;
      const auto pairs = textsOnEachOther(d);
      const auto overParts = dimensionTextsOverParts(d);
      if (!pairs.empty()) ++textPairs, exampleTexts = where + ": " + pairs.front();
      if (!overParts.empty()) ++partHits, examplePart = where + ": " + overParts.front();
      for (const auto& t : overParts) std::cout << "OVER " << id << " " << t << "\n";
    }
    EXPECT_EQ(drawnCount, designsAType) << id;
    std::cout << id << ": lowest printed text " << lowest << " mm, " << lowestCase << "\n  texts on each other in " << textPairs << " " << exampleTexts << "\n  over parts in " << partHits << " " << examplePart << "\n";
  }
}

}  // namespace
}  // namespace pedivo::drawing
