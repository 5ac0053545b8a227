#include "design/drawing/base_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "design/common/numbers.h"
#include "design/drawing/base_views.h"
#include "design/drawing/printed_sheet.h"
#include "design/drawing/sketch.h"
#include "tests/design/design_probe.h"
#include "tests/design/shear_key_values.h"

namespace pedivo::drawing {
namespace {

using pedivo::testing::Design;

Drawing drawn(const Design& d) {
  auto result = drawDesign(d.session);
  if (auto* refusal = std::get_if<DrawingRefusal>(&result)) {
    ADD_FAILURE() << refusal->message;
    return {};
  }
  return std::get<Drawing>(std::move(result));
}

struct Box {
  double left, bottom, right, top;
};

Box boxOf(const Polyline& p) {
  Box b{1e300, 1e300, -1e300, -1e300};
  for (const auto& q : p.points) {
    b.left = std::min(b.left, q.x);
    b.right = std::max(b.right, q.x);
    b.bottom = std::min(b.bottom, q.y);
    b.top = std::max(b.top, q.y);
  }
  return b;
}

// Parts of the plan: everything within the plate (the elevations stand above and beside it).
bool inPlan(const Box& b, double L, double B) {
  return b.left >= -L / 2 - 1e-9 && b.right <= L / 2 + 1e-9 && b.bottom >= -B / 2 - 1e-9 && b.top <= B / 2 + 1e-9;
}

std::multiset<std::pair<double, double>> boltCentres(const Drawing& d) {
  std::multiset<std::pair<double, double>> centres;
  for (const auto& c : d.circles)
    if (c.layer == Layer::Bolts)
      centres.insert({std::round(c.centre.x * 1000) / 1000, std::round(c.centre.y * 1000) / 1000});
  return centres;
}

// Width and length of each stiffener (or rib, diaphragm) outline in plan, the shorter side first.
std::multiset<std::pair<double, double>> plateSizes(const Drawing& d, Layer layer, double L, double B) {
  std::multiset<std::pair<double, double>> sizes;
  for (const auto& p : d.polylines) {
    if (p.layer != layer || !p.closed) continue;
    const Box b = boxOf(p);
    if (!inPlan(b, L, B)) continue;
    const double w = b.right - b.left, h = b.top - b.bottom;
    sizes.insert({std::min(w, h), std::max(w, h)});
  }
  return sizes;
}

struct TypeCase {
  const char* id;
  int bolts;
};

class DefaultDrawing : public ::testing::TestWithParam<TypeCase> {
 protected:
  Design design_ = pedivo::testing::design(*findModule(GetParam().id), {});
  Drawing drawing_ = drawn(design_);
};

TEST_P(DefaultDrawing, DrawsItsBoltsAsHolesOfTheBoltSizePlusClearance) {
  const double dms = GetParam().bolts == 0 ? 0 : design_["dms"];
  const double hole = dms <= 27 ? dms + 1.5 : dms + 2;
  EXPECT_EQ(static_cast<int>(drawing_.circles.size()), GetParam().bolts);
  for (const auto& c : drawing_.circles) {
    EXPECT_EQ(c.layer, Layer::Bolts);
    EXPECT_DOUBLE_EQ(2 * c.radius, hole);
  }
}

TEST_P(DefaultDrawing, EveryDimensionReadsAsTheDistanceItMeasures) {
  ASSERT_FALSE(drawing_.dimensions.empty());
  for (const auto& dim : drawing_.dimensions) {
    const double span = dim.axis == Axis::Horizontal ? dim.to.x - dim.from.x : dim.to.y - dim.from.y;
    EXPECT_GT(span, 0);
    EXPECT_EQ(dim.text, formatGeneral(span)) << GetParam().id;
  }
}

TEST_P(DefaultDrawing, PlateOutlineIsTheDesignedPlanAndTheTextsAreTheShownOnes) {
  if (GetParam().bolts == 0) GTEST_SKIP() << "the embedded base has no plate";
  const double L = design_["L"], B = design_["B"];
  const Polyline& plate = drawing_.polylines.front();
  EXPECT_TRUE(plate.closed);
  EXPECT_EQ(plate.layer, Layer::Outline);
  const Box b = boxOf(plate);
  EXPECT_DOUBLE_EQ(b.right - b.left, L);
  EXPECT_DOUBLE_EQ(b.top - b.bottom, B);
  EXPECT_DOUBLE_EQ(b.left + b.right, 0);
  std::set<std::string> texts;
  for (const auto& dim : drawing_.dimensions) texts.insert(dim.text);
  for (const char* field : {"EdtL", "EdtB", "Edttpb"}) EXPECT_TRUE(texts.count(design_.field(field))) << field;
}

TEST_P(DefaultDrawing, HasTitlesAndStaysClearOfItsOwnTexts) {
  std::vector<std::string> titles;
  for (const auto& label : drawing_.labels) titles.push_back(label.text);
  EXPECT_NE(std::find(titles.begin(), titles.end(), "平面图"), titles.end());
  const std::string id = GetParam().id;
  const long elevations =
      std::count_if(titles.begin(), titles.end(), [](const std::string& t) { return t.rfind("立面图", 0) == 0; });
  EXPECT_EQ(elevations, id == "j1" || id == "j2" ? 1 : 2);
  // No two dimension texts overlap.
  const double h = drawing_.textHeight;
  for (std::size_t i = 0; i < drawing_.dimensions.size(); ++i)
    for (std::size_t j = i + 1; j < drawing_.dimensions.size(); ++j) {
      const auto& p = drawing_.dimensions[i];
      const auto& q = drawing_.dimensions[j];
      const auto half = [h](const Dimension& d) {
        const double w = textWidth(d.text, h) / 2;
        return d.axis == Axis::Horizontal ? std::pair{w, h / 2} : std::pair{h / 2, w};
      };
      const auto [pw, ph] = half(p);
      const auto [qw, qh] = half(q);
      const bool apart = std::abs(p.textAt.x - q.textAt.x) >= pw + qw || std::abs(p.textAt.y - q.textAt.y) >= ph + qh;
      EXPECT_TRUE(apart) << id << ": " << p.text << " and " << q.text;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBaseType, DefaultDrawing,
                         ::testing::Values(TypeCase{"j1", 2}, TypeCase{"j2", 4}, TypeCase{"g11", 8},
                                           TypeCase{"g12", 10}, TypeCase{"g2", 6}, TypeCase{"g3", 4},
                                           TypeCase{"gc", 0}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(BoltPositions, TwoBoltBaseHasOneBoltEachSideOfTheWebMidwayBetweenTheFlanges) {
  const Design d = pedivo::testing::design(*findModule("j1"), {{"EdtN", "2000"}, {"EdtV", "100"}});
  const Drawing drawing = drawn(d);
  const double y = d["tw"] / 2 + d["a"];
  EXPECT_EQ(boltCentres(drawing), (std::multiset<std::pair<double, double>>{{0, -y}, {0, y}}));
  EXPECT_EQ(drawing.polylines.front().points[2], (Point{280, 155}));  // L 560, B 310 after the bearing grew them
}

TEST(BoltPositions, FourBoltBaseHasStiffenersFromWebToPlateEdgeAndABoltEachSide) {
  const Design d = pedivo::testing::design(*findModule("j2"), {});
  const Drawing drawing = drawn(d);
  const double x = d["tjjl"] / 2 + d["c"], y = d["tw"] / 2 + d["a"];
  EXPECT_EQ(boltCentres(drawing), (std::multiset<std::pair<double, double>>{{-x, -y}, {-x, y}, {x, -y}, {x, y}}));
  const double outstand = (d["B"] - d["tw"]) / 2;
  EXPECT_EQ(plateSizes(drawing, Layer::Stiffeners, d["L"], d["B"]),
            (std::multiset<std::pair<double, double>>{{d["tjjl"], outstand}, {d["tjjl"], outstand}}));
}

TEST(BoltPositions, RigidPlateRowsHoldThreeOrFourBoltsBetweenStiffeners) {
  for (const auto& [id, inRow] : {std::pair{"g11", 3}, std::pair{"g12", 4}}) {
    const Design d = pedivo::testing::design(*findModule(id), {});
    const Drawing drawing = drawn(d);
    const auto centres = boltCentres(drawing);
    const double rowX = d["hb"] / 2 + d["a"];
    for (int k = 0; k < inRow; ++k) {
      const double y = -d["B"] / 2 + d["bt"] + k * (2 * d["c"] + d["tjjl"]);
      EXPECT_EQ(centres.count({rowX, y}), 1u) << id << " bolt " << k;
      EXPECT_EQ(centres.count({-rowX, y}), 1u) << id << " bolt " << k;
    }
    // The outer bolts stand bt from the plate sides.
    EXPECT_DOUBLE_EQ(centres.rbegin()->second, d["B"] / 2 - d["bt"]) << id;
    const auto stiffeners = plateSizes(drawing, Layer::Stiffeners, d["L"], d["B"]);
    EXPECT_EQ(stiffeners.size(), 2u * (inRow - 1)) << id;
    for (const auto& size : stiffeners) EXPECT_EQ(size, (std::pair{d["tjjl"], d["a"] + d["lt"]})) << id;
  }
}

TEST(BoltPositions, BootBeamsRunThePlateLengthAtTheFlangeTips) {
  for (const char* id : {"g2", "g3"}) {
    const Design d = pedivo::testing::design(*findModule(id), {});
    const Drawing drawing = drawn(d);
    const auto outlines = plateSizes(drawing, Layer::Outline, d["L"], d["B"]);
    EXPECT_EQ(outlines.count({d["tsh"], d["L"]}), 2u) << id;
    // The tension rows stand lt from the plate ends, where the calculation put them.
    const double rowX = d["L"] / 2 - d["lt"];
    for (const auto& [x, y] : boltCentres(drawing)) EXPECT_DOUBLE_EQ(std::abs(x), rowX) << id;
  }
  const Design t = pedivo::testing::design(*findModule("g2"), {});
  const auto centres = boltCentres(drawn(t));
  const double outer = t["bf"] / 2 + t["tsh"] + t["c"];
  EXPECT_EQ(centres.count({t["hb"] / 2 + t["a"], outer}), 1u);
  EXPECT_EQ(centres.count({t["hb"] / 2 + t["a"], 0}), 1u);
  // Two stiffeners beside each outer bolt, from the boot beam to the plate side.
  const auto stiffeners = plateSizes(drawn(t), Layer::Stiffeners, t["L"], t["B"]);
  EXPECT_EQ(stiffeners.size(), 8u);
  for (const auto& size : stiffeners) EXPECT_EQ(size, (std::pair{t["tjjl"], t["c"] + t["bt"]}));
}

// A heavy channel base lengthens its plate for bearing and keeps its bolts lt from the plate ends:
// the bolts move away from the column, and the chain along the plate reads lt where they stand.
TEST(BoltPositions, ChannelBoltsStayLtFromTheEndsOfALengthenedPlate) {
  const Design d = pedivo::testing::design(*findModule("g3"), {{"EdtN", "1500"}, {"EdtM", "300"}});
  ASSERT_GT(d["L"], d["hb"] + 2 * (d["a"] + d["lt"]));
  const Drawing drawing = drawn(d);
  const double rowX = d["L"] / 2 - d["lt"];
  for (const auto& [x, y] : boltCentres(drawing)) EXPECT_DOUBLE_EQ(std::abs(x), rowX);
  long ends = 0;
  for (const auto& dim : drawing.dimensions)
    if (dim.axis == Axis::Horizontal &&
        std::abs(std::abs(dim.from.x + dim.to.x) / 2 - (d["L"] / 2 - d["lt"] / 2)) < 1e-9 &&
        std::abs(dim.to.x - dim.from.x - d["lt"]) < 1e-9) {
      EXPECT_EQ(dim.text, d.field("Edtlt"));
      ++ends;
    }
  EXPECT_EQ(ends, 2);
}

TEST(BoltPositions, ChannelDiaphragmsSpanBetweenTheBootBeams) {
  const Design d = pedivo::testing::design(*findModule("g3"), {});
  const auto parts = plateSizes(drawn(d), Layer::Stiffeners, d["L"], d["B"]);
  EXPECT_EQ(parts.count({d["tcb"], d["bf"]}), 2u);
  EXPECT_EQ(parts.size(), 2u + 8u);  // two diaphragms, a rib each side of each of four bolts
}

TEST(EmbeddedDrawing, ShowsTheInsertionDepthAsShown) {
  const Design d = pedivo::testing::design(*findModule("gc"), {{"EdtM", "300"}});
  const Drawing drawing = drawn(d);
  long depths = 0;
  for (const auto& dim : drawing.dimensions)
    if (dim.axis == Axis::Vertical && dim.text == d.field("edtH")) {
      EXPECT_DOUBLE_EQ(dim.to.y - dim.from.y, d["H2"]);
      ++depths;
    }
  EXPECT_EQ(depths, 2);
  EXPECT_FALSE(drawing.hatches.empty());
}

// The shear key is drawn from its held values: under the plate through the grout into the
// foundation in both elevations, dashed in plan, its embedment and the grout dimensioned.
class ShearKeyDrawing : public ::testing::TestWithParam<const char*> {
 protected:
  Design design_ = pedivo::testing::design(*findModule(GetParam()), {});
  Drawing withKey(double grout) const {
    std::vector<NamedValue> values = design_.session.values();
    pedivo::testing::setShearKey150(values, 130.0, grout);
    // The design's own report texts of the grout and the embedment give way to the values set here.
    std::vector<TagText> tags = design_.report();
    std::erase_if(tags, [](const TagText& t) { return t.tag == "<#tg>" || t.tag == "<#hk>"; });
    return drawBase(GetParam(), DesignFacts(values, design_.session.results().fields, tags));
  }
  Drawing withoutKey() const {
    std::vector<NamedValue> values = design_.session.values();
    for (const char* name : {"keyh", "keyb", "keytw", "keytf", "hk"}) pedivo::testing::setHeld(values, name, 0.0);
    pedivo::testing::setHeld(values, "keyName", std::string());
    return drawBase(GetParam(), DesignFacts(values, design_.session.results().fields, design_.report()));
  }
};

long verticalDimensions(const Drawing& d, double span, const std::string& text) {
  return std::count_if(d.dimensions.begin(), d.dimensions.end(), [&](const Dimension& dim) {
    return dim.axis == Axis::Vertical && std::abs(dim.to.y - dim.from.y - span) < 1e-9 && dim.text == text;
  });
}

TEST_P(ShearKeyDrawing, StandsUnderThePlateThroughTheGroutIntoTheFoundation) {
  const Drawing d = withKey(42);
  // In plan: the key's H outline, dashed, on the column's axes.
  const auto hidden = std::find_if(d.polylines.begin(), d.polylines.end(),
                                   [](const Polyline& p) { return p.style == LineStyle::Hidden; });
  ASSERT_NE(hidden, d.polylines.end());
  const Box plan = boxOf(*hidden);
  EXPECT_DOUBLE_EQ(plan.right - plan.left, 150);
  EXPECT_DOUBLE_EQ(plan.top - plan.bottom, 150);
  EXPECT_DOUBLE_EQ(plan.left + plan.right, 0);
  EXPECT_DOUBLE_EQ(plan.bottom + plan.top, 0);
  // In each elevation a solid outline 150 wide reaching 42 + 130 below the plate, as deep as the
  // dimensions say.
  long keys = 0;
  for (const auto& p : d.polylines) {
    const Box b = boxOf(p);
    if (p.closed && p.style == LineStyle::Solid && std::abs(b.right - b.left - 150) < 1e-9 &&
        std::abs(b.top - b.bottom - 172) < 1e-9)
      ++keys;
  }
  const std::string id = GetParam();
  EXPECT_EQ(keys, id == "j1" || id == "j2" ? 1 : 2);  // the pinned bases have one elevation
  EXPECT_EQ(verticalDimensions(d, 42, "42"), 1);
  EXPECT_EQ(verticalDimensions(d, 130, "130"), 1);
  EXPECT_TRUE(std::any_of(d.leaders.begin(), d.leaders.end(),
                          [](const Leader& l) { return l.text == "抗剪键 HW150×150×7×10"; }));
}

TEST_P(ShearKeyDrawing, WithoutAKeyOnlyTheUsualGroutLayerIsDrawn) {
  const Drawing d = withoutKey();
  EXPECT_TRUE(std::none_of(d.polylines.begin(), d.polylines.end(),
                           [](const Polyline& p) { return p.style == LineStyle::Hidden; }));
  EXPECT_TRUE(d.leaders.end() == std::find_if(d.leaders.begin(), d.leaders.end(),
                                              [](const Leader& l) { return l.text.rfind("抗剪键", 0) == 0; }));
  EXPECT_EQ(verticalDimensions(d, usualGroutMm, "50"), 1);
  const auto top = std::find_if(d.labels.begin(), d.labels.end(), [](const Label& l) { return l.text == "基础顶面"; });
  EXPECT_NE(top, d.labels.end());
}

INSTANTIATE_TEST_SUITE_P(PlatedTypes, ShearKeyDrawing, ::testing::Values("j1", "j2", "g11", "g12", "g2", "g3"));

TEST(Refusal, NothingIsDrawnBeforeADesign) {
  const DesignSession fresh(*findModule("g11"));
  const auto result = drawDesign(fresh);
  ASSERT_TRUE(std::holds_alternative<DrawingRefusal>(result));
  EXPECT_EQ(std::get<DrawingRefusal>(result).message, notDesignedMessage);
}

TEST(Refusal, AnUnfinishedDesignIsNotDrawn) {
  // Axial tension inside the bolt rows stops the rigid base part way: it keeps its values but is no design.
  const Design d = pedivo::testing::design(*findModule("g11"), {{"EdtN", "-800"}, {"EdtM", "10"}});
  ASSERT_EQ(d.outcome.ending, Ending::Partial);
  EXPECT_TRUE(std::holds_alternative<DrawingRefusal>(drawDesign(d.session)));
}

TEST(Refusal, ARefusedRunKeepsTheEarlierDesignDrawable) {
  Design d = pedivo::testing::design(*findModule("j1"), {});
  d.session.setText("EdtN", "-5");  // refused by the input check: the held design stays
  d.session.calculate();
  EXPECT_TRUE(std::holds_alternative<Drawing>(drawDesign(d.session)));
}

TEST(FailingChecks, AreNamedUnderTheDrawing) {
  const Design failing = pedivo::testing::design(*findModule("j1"), {{"EdtN", "3000"}, {"EdtV", "100"}});
  const Drawing drawing = drawn(failing);
  // The note, broken into lines under the views, none wider than the views.
  const auto first = std::find_if(drawing.labels.begin(), drawing.labels.end(),
                                  [](const Label& l) { return l.text.rfind("注：以下验算不满足要求：", 0) == 0; });
  ASSERT_NE(first, drawing.labels.end());
  std::string note;
  for (auto line = first; line != drawing.labels.end(); ++line) {
    note += line->text;
    if (line != first) {
      EXPECT_LT(line->at.y, std::prev(line)->at.y);
    }
  }
  EXPECT_EQ(note.rfind("注：以下验算不满足要求：柱翼缘轴压应力", 0), 0u);
  EXPECT_EQ(note.substr(note.size() - std::string("仅供复核。").size()), "仅供复核。");
  const Drawing sound = drawn(pedivo::testing::design(*findModule("j1"), {}));
  for (const auto& label : sound.labels) EXPECT_EQ(label.text.find("不满足"), std::string::npos);
}

// On the printed page the texts reach the drawing standards' height where the layout has room for
// it, and never grow so far that dimension texts stand on each other.
TEST(PrintedText, ReachesTheStandardHeightWhereTheLayoutHasRoom) {
  for (const char* id : {"j1", "j2", "gc"}) {
    const Drawing d = drawn(pedivo::testing::design(*findModule(id), {}));
    EXPECT_GE(printedTextHeight(d), smallestPrintedTextMm - 1e-9) << id;
    EXPECT_LT(printedTextHeight(d), 1.5 * smallestPrintedTextMm) << id;
  }
  for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3", "gc"}) {
    const Design design = pedivo::testing::design(*findModule(id), {});
    const Drawing d = drawn(design);
    EXPECT_FALSE(dimensionTextsOverlap(d)) << id;
    const DesignFacts facts(design.session.values(), design.session.results().fields, design.report());
    EXPECT_GE(d.textHeight, drawBase(id, facts).textHeight) << id;
    const PrintedSize page = printedSize(d.extent());
    EXPECT_LE(page.widthMm, reportTextWidthMm + 1e-9);
    EXPECT_LE(page.heightMm, reportTallestPictureMm + 1e-9);
  }
}

// Every type's picture prints its dimension texts at the drawing standards' height, heavy and
// light designs alike: where short dimensions stand side by side their texts are staggered.
TEST(PrintedText, EveryTypeReachesTheStandardHeightWithItsTextsApart) {
  const std::vector<std::pair<const char*, pedivo::testing::Texts>> cases{
      {"j1", {}},
      {"j2", {}},
      {"g11", {}},
      {"g12", {}},
      {"g2", {}},
      {"g3", {}},
      {"gc", {}},
      {"j1", {{"EdtN", "2000"}, {"EdtV", "100"}}},
      {"g11", {{"EdtN", "1500"}, {"EdtM", "400"}}},
      {"g12", {{"EdtN", "2500"}, {"EdtM", "900"}}},
      {"g2", {{"EdtN", "1200"}, {"EdtM", "500"}}},
      {"g3", {{"EdtN", "1500"}, {"EdtM", "300"}}},
  };
  for (const auto& [id, entries] : cases) {
    const Drawing d = drawn(pedivo::testing::design(*findModule(id), entries));
    EXPECT_GE(printedTextHeight(d), smallestPrintedTextMm - 1e-9) << id << " " << entries.size();
    EXPECT_FALSE(dimensionTextsOverlap(d)) << id << " " << entries.size();
  }
}

// A text set beyond the end of a short dimension never stands over its neighbour in the chain,
// where it would read as the neighbour's distance (the report's channel plan once read 107 where
// the bolts stand 88 from the plate end).
TEST(PrintedText, NoDimensionTextStandsOverANeighbourInItsChain) {
  for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3"}) {
    const Drawing d = drawn(pedivo::testing::design(*findModule(id), {}));
    const auto span = [](const Dimension& m) {
      return m.axis == Axis::Horizontal ? std::pair{m.from.x, m.to.x} : std::pair{m.from.y, m.to.y};
    };
    for (const auto& m : d.dimensions) {
      const double at = m.axis == Axis::Horizontal ? m.textAt.x : m.textAt.y;
      const auto [from, to] = span(m);
      if (at > from && at < to) continue;  // over its own span
      for (const auto& other : d.dimensions) {
        if (&other == &m || other.axis != m.axis || std::abs(other.line - m.line) > 1e-9) continue;
        const auto [a, b] = span(other);
        EXPECT_FALSE(at > a && at < b) << id << ": " << m.text << " over " << other.text;
      }
    }
  }
}

TEST(NoteLines, BreakBetweenCharactersWithinTheWidth) {
  const std::string note = "注：以下验算不满足要求：底板厚度、锚栓拉力。";
  const auto lines = noteLines(note, 10, 60);  // six Chinese characters a line
  std::string joined;
  for (const auto& line : lines) {
    EXPECT_LE(textWidth(line, 10), 60);
    joined += line;
  }
  EXPECT_EQ(joined, note);
  EXPECT_EQ(lines.size(), 4u);
  EXPECT_EQ(noteLines("KZ-1", 10, 5), (std::vector<std::string>{"K", "Z", "-", "1"}));  // one character at least
}

TEST(HoleDiameter, ClearanceGrowsAboveM27) {
  EXPECT_DOUBLE_EQ(holeDiameter(24), 25.5);
  EXPECT_DOUBLE_EQ(holeDiameter(27), 28.5);
  EXPECT_DOUBLE_EQ(holeDiameter(30), 32);
  EXPECT_DOUBLE_EQ(holeDiameter(42), 44);
}

}  // namespace
}  // namespace pedivo::drawing
