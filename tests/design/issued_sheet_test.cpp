#include "design/drawing/issued_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "design/common/tables.h"
#include "design/drawing/sheet_contents.h"
#include "tests/design/design_probe.h"
#include "tests/design/shear_key_values.h"

namespace pedivo::drawing {
namespace {

using pedivo::testing::Design;

Drawing sheetOf(const Design& d) {
  auto result = drawIssuedSheet(d.session, "1.0 (test)");
  if (auto* refusal = std::get_if<DrawingRefusal>(&result)) {
    ADD_FAILURE() << refusal->message;
    return {};
  }
  return std::get<Drawing>(std::move(result));
}

bool hasLabel(const Drawing& d, const std::string& text) {
  return std::any_of(d.labels.begin(), d.labels.end(), [&](const Label& l) { return l.text == text; });
}

DesignFacts factsOf(const Design& d) { return DesignFacts(d.session.values(), d.session.results().fields, d.report()); }

class EveryTypeSheet : public ::testing::TestWithParam<const char*> {};

// The parts list adds up to the design's steel weight, light and heavy designs alike.
TEST_P(EveryTypeSheet, PartsAddUpToTheSteelWeight) {
  const std::string id = GetParam();
  pedivo::testing::Texts heavy{{"EdtN", "1500"}, {"EdtV", "60"}};
  if (id != "j1" && id != "j2") heavy.push_back({"EdtM", "300"});
  for (const pedivo::testing::Texts& entries : {pedivo::testing::Texts{}, heavy}) {
    const Design d = pedivo::testing::design(*findModule(GetParam()), entries);
    if (!d.session.designed()) continue;
    double total = 0;
    for (const auto& part : partsList(GetParam(), factsOf(d))) {
      EXPECT_GT(part.count, 0);
      EXPECT_GT(part.eachKg, 0) << part.name;
      total += part.count * part.eachKg;
    }
    EXPECT_NEAR(total, *d.session.weight(), 1e-9 * std::max(1.0, total)) << GetParam();
  }
}

// One A3 sheet at 1:5, 1:10 or 1:20, the views inside the frame and clear of the column of
// tables, the title block naming the project, the scale and the version.
TEST_P(EveryTypeSheet, FitsA3AtAStandardScaleWithItsTitleBlock) {
  Design d = pedivo::testing::design(*findModule(GetParam()), {});
  d.session.setProject(Project{"某厂房", "GC-1", "KZ-3", "张工", "李工", "王工", "2026-12-09"});
  const Drawing sheet = sheetOf(d);
  EXPECT_TRUE(sheet.scale == 5 || sheet.scale == 10 || sheet.scale == 20) << sheet.scale;
  const Extent e = sheet.extent();
  EXPECT_NEAR(e.left, 0, 1e-9);
  EXPECT_NEAR(e.bottom, 0, 1e-9);
  EXPECT_NEAR(e.right, 420 * sheet.scale, 1e-9);
  EXPECT_NEAR(e.top, 297 * sheet.scale, 1e-9);
  EXPECT_DOUBLE_EQ(sheet.textHeight, 3.5 * sheet.scale);
  for (const auto& c : sheet.circles) EXPECT_LT(c.centre.x, (420 - 5 - 180) * sheet.scale) << "bolt under the tables";
  for (const char* text : {"柱脚详图", "某厂房", "KZ-3", "张工", "李工", "王工", "2026-12-09", "GC-1"})
    EXPECT_TRUE(hasLabel(sheet, text)) << text;
  EXPECT_TRUE(hasLabel(sheet, "1:" + std::to_string(static_cast<int>(sheet.scale))));
  EXPECT_TRUE(hasLabel(sheet, "Pedivo 软件版本 1.0 (test)"));
  EXPECT_TRUE(hasLabel(sheet, "说明："));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, EveryTypeSheet, ::testing::Values("j1", "j2", "g11", "g12", "g2", "g3", "gc"));

TEST(SheetBolts, TheBoltTableNamesTheBoltsTheirNutsAndTheWasherPlate) {
  const Design d = pedivo::testing::design(*findModule("g11"), {});
  const Drawing sheet = sheetOf(d);
  const int dms = static_cast<int>(d["dms"]);
  const auto washer = tables::washerPlate(dms);
  ASSERT_TRUE(washer.has_value());
  EXPECT_TRUE(hasLabel(sheet, "M" + std::to_string(dms)));
  EXPECT_TRUE(hasLabel(sheet, "8"));
  EXPECT_TRUE(hasLabel(sheet, "双螺母"));
  const BoltRow row = boltRow(8, factsOf(d), d.session.entries());
  EXPECT_EQ(row.washer, "-" + std::to_string(static_cast<int>(washer->thickness)) + "×" +
                            std::to_string(static_cast<int>(washer->side)) + "×" +
                            std::to_string(static_cast<int>(washer->side)) + "，孔径 " +
                            std::to_string(static_cast<int>(washer->hole)));
  EXPECT_TRUE(hasLabel(sheet, row.washer));
}

TEST(SheetBolts, EveryBoltSizeHasAWasherPlateThatCoversItsHole) {
  for (int dms = 20; dms <= 100; ++dms) {
    if (!tables::anchorBolt(dms)) {
      EXPECT_FALSE(tables::washerPlate(dms).has_value()) << dms;
      continue;
    }
    const auto w = tables::washerPlate(dms);
    ASSERT_TRUE(w.has_value()) << dms;
    EXPECT_DOUBLE_EQ(w->hole, dms + 2.0);
    EXPECT_GE(w->side, 3.0 * dms - 1e-9) << dms;
    EXPECT_GE(w->thickness, 0.4 * dms) << dms;
  }
}

TEST(SheetNotes, ElectrodesFollowTheSteelAndTheNotesNameGradesAndGrout) {
  EXPECT_EQ(electrodeFor("Q235"), "E43");
  for (const char* grade : {"Q345", "Q355", "Q390"}) EXPECT_EQ(electrodeFor(grade), "E50") << grade;
  for (const char* grade : {"Q420", "Q460"}) EXPECT_EQ(electrodeFor(grade), "E55") << grade;
  const Design d = pedivo::testing::design(*findModule("j1"), {{"CBf", "Q420"}, {"CBfta", "Q345"}});
  const auto notes = generalNotes(factsOf(d), d.session.entries(), true);
  const auto has = [&](const std::string& text) {
    return std::any_of(notes.begin(), notes.end(),
                       [&](const std::string& n) { return n.find(text) != std::string::npos; });
  };
  EXPECT_TRUE(has("钢材：Q420"));
  EXPECT_TRUE(has("E55"));
  EXPECT_TRUE(has("锚栓：Q345"));
  EXPECT_TRUE(has("二次灌浆层厚 50 mm"));
  EXPECT_TRUE(has("锚栓锚固长度按基础设计确定"));
  EXPECT_EQ(notes.front().rfind("1. ", 0), 0u);
}

TEST(SheetParts, AShearKeyIsListedWithItsLengthThroughTheGrout) {
  const Design d = pedivo::testing::design(*findModule("j1"), {});
  std::vector<NamedValue> values = d.session.values();
  pedivo::testing::setShearKey150(values, 120.0, 60.0);
  const auto parts = partsList("j1", DesignFacts(values, d.session.results().fields, d.report()));
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[1].name, "抗剪键");
  EXPECT_EQ(parts[1].size, "HW150×150×7×10 L=180");
  const double area = 2 * 150 * 10 + (150 - 20) * 7;
  EXPECT_NEAR(parts[1].eachKg, 7.85e-6 * area * 180, 1e-12);
}

TEST(SheetRefusal, NothingIsDrawnBeforeADesign) {
  const DesignSession fresh(*findModule("g2"));
  EXPECT_TRUE(std::holds_alternative<DrawingRefusal>(drawIssuedSheet(fresh, "1.0")));
}

}  // namespace
}  // namespace pedivo::drawing
