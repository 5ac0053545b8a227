#include "design/common/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace pedivo::tables {
namespace {

constexpr double tolerance = 1e-12;

constexpr auto gb2003 = CodeEdition::Gb2003;
constexpr auto gb2017 = CodeEdition::Gb2017;

const SteelGrade& grade(CodeEdition edition, std::string_view name) {
  const SteelGrade* found = steelGrade(edition, name);
  if (found == nullptr) throw std::invalid_argument(std::string(name));
  return *found;
}

TEST(Tables, ConcreteAndBoltGrades) {
  EXPECT_EQ(concrete("C20")->fc, 9.6);
  EXPECT_EQ(concrete("C25")->fct, 1.27);
  EXPECT_EQ(concrete("C40")->Ec, 32500);
  EXPECT_FALSE(concrete("C45"));
  EXPECT_FALSE(concrete("c25"));  // keys are the exact list texts
  EXPECT_EQ(anchorBoltFta(gb2003, "Q235"), 140);
  EXPECT_EQ(anchorBoltFta(gb2003, "Q345"), 180);
  EXPECT_FALSE(anchorBoltFta(gb2003, "Q390"));
  EXPECT_FALSE(anchorBoltFta(gb2003, "Q355"));
  EXPECT_EQ(anchorBoltFta(gb2017, "Q355"), 180);
  EXPECT_EQ(anchorBoltFta(gb2017, "Q390"), 185);
  EXPECT_FALSE(anchorBoltFta(gb2017, "Q345"));
}

TEST(Tables, EditionsOfferTheirOwnGrades) {
  EXPECT_EQ(codeEdition("GB 50017-2003"), gb2003);
  EXPECT_EQ(codeEdition("GB 50017-2017"), gb2017);
  EXPECT_FALSE(codeEdition("GB 50017"));
  EXPECT_EQ(editionTitle(gb2003), "《钢结构设计规范》GB 50017-2003");
  EXPECT_EQ(editionTitle(gb2017), "《钢结构设计标准》GB 50017-2017");
  // Every grade a list offers has a row, and no row is left out of its list.
  for (const auto edition : {gb2003, gb2017}) {
    for (const auto name : steelGradeNames(edition)) EXPECT_NE(steelGrade(edition, name), nullptr) << name;
    for (const auto name : boltGradeNames(edition)) EXPECT_TRUE(anchorBoltFta(edition, name)) << name;
  }
  EXPECT_EQ(steelGradeNames(gb2003).size(), 4u);
  EXPECT_EQ(steelGradeNames(gb2017).size(), 5u);
  EXPECT_EQ(steelGrade(gb2003, "Q355"), nullptr);
  EXPECT_EQ(steelGrade(gb2017, "Q345"), nullptr);
  EXPECT_EQ(grade(gb2017, "Q355").fy, 355);
  EXPECT_EQ(grade(gb2017, "Q390").ffw, 200);
  EXPECT_EQ(grade(gb2003, "Q390").ffw, 220);
  EXPECT_EQ(grade(gb2017, "Q460").fy, 460);
}

TEST(Tables, SteelBandsIncludeTheirUpperLimit) {
  const SteelGrade& q235 = grade(gb2003, "Q235");
  const SteelGrade& q345 = grade(gb2003, "Q345");
  EXPECT_EQ(rolledStrength(q235, 16, 0), 215);
  EXPECT_EQ(rolledStrength(q235, 16.01, 0), 205);
  EXPECT_EQ(rolledStrength(q235, 40, 0), 205);
  EXPECT_EQ(rolledStrength(q345, 100, 0), 250);
  EXPECT_EQ(stiffenerStrength(q345, 16, 0), 310);
  EXPECT_EQ(plateThicknessGroup(q235, 40), 1);
  EXPECT_EQ(plateThicknessGroup(q235, 40.5), 2);
  EXPECT_EQ(plateThicknessGroup(q235, 60), 2);
  EXPECT_EQ(plateThicknessGroup(q235, 61), 3);
  EXPECT_EQ(plateThicknessGroup(q235, 500), 3);
}

// The low-alloy grades of GB 50017-2003 change strength at 16, 35, 50 and 100 mm, not at the
// limits of Q235: a 38 mm Q345 plate is 265, not 295; a 55 mm one 250, not 265.
TEST(Tables, LowAlloyBandsOf2003) {
  const SteelGrade& q345 = grade(gb2003, "Q345");
  EXPECT_EQ(rolledStrength(q345, 35, 0), 295);
  EXPECT_EQ(rolledStrength(q345, 38, 0), 265);
  EXPECT_EQ(rolledStrength(q345, 55, 0), 250);
  EXPECT_EQ(stiffenerStrength(q345, 38, 0), 265);  // stiffener strengths run to 40 mm
  EXPECT_EQ(stiffenerStrength(q345, 41, 295), 295);
  EXPECT_EQ(plateThicknessGroup(q345, 35), 1);
  EXPECT_EQ(plateThicknessGroup(q345, 38), 2);
  EXPECT_EQ(plateStrengthOfGroup(q345, 2), 265);
  EXPECT_EQ(plateStrengthOfGroup(q345, 3), 250);
  const auto at38 = bendingShearStrength(q345, 38);
  EXPECT_EQ(at38.f, 265);
  EXPECT_EQ(at38.fv, 155);
  EXPECT_EQ(bendingShearStrength(q345, 55).fv, 145);
  EXPECT_EQ(rolledStrength(grade(gb2003, "Q390"), 50, 0), 315);
  EXPECT_EQ(rolledStrength(grade(gb2003, "Q420"), 90, 0), 325);
  EXPECT_EQ(bendingShearStrength(grade(gb2003, "Q420"), 61).fv, 185);
}

TEST(Tables, Q355BandsOf2017) {
  const SteelGrade& q355 = grade(gb2017, "Q355");
  const double expected[][3] = {{16, 305, 175}, {16.5, 295, 170}, {40, 295, 170}, {63, 290, 165},
                                {63.5, 280, 160}, {80, 280, 160}, {100, 270, 155}};
  for (const auto& [t, f, fv] : expected) {
    EXPECT_EQ(rolledStrength(q355, t, 0), f) << t;
    EXPECT_EQ(bendingShearStrength(q355, t).fv, fv) << t;
  }
  // Beyond 100 mm rolled parts keep the strength held before; plates in bending take the last band.
  EXPECT_EQ(rolledStrength(q355, 120, 290), 290);
  EXPECT_EQ(bendingShearStrength(q355, 120).f, 270);
  EXPECT_EQ(stiffenerStrength(q355, 50, 295), 295);
  // Base-plate groups: ≤ 40, ≤ 63, ≤ 80, beyond.
  EXPECT_EQ(plateThicknessGroupCount(q355), 4);
  EXPECT_EQ(plateStrengthOfGroup(q355, 1), 295);
  EXPECT_EQ(plateThicknessGroup(q355, 70), 3);
  EXPECT_EQ(plateThicknessGroup(q355, 150), 4);
  EXPECT_EQ(plateStrengthOfGroup(q355, 4), 270);
  const SteelGrade& q235 = grade(gb2017, "Q235");
  EXPECT_EQ(rolledStrength(q235, 60, 0), 200);
  EXPECT_EQ(plateThicknessGroupCount(q235), 2);
  EXPECT_EQ(bendingShearStrength(q235, 80).fv, 115);
}

// Every band edge of every grade, written out from the two codes' tables: at the edge the band
// itself, just past it the next one (or, past 100 mm, the last band for plates in bending).
TEST(Tables, EveryBandEdgeOfBothEditions) {
  struct Band {
    double upTo, f, fv;
  };
  struct Row {
    CodeEdition edition;
    const char* grade;
    double fy, ffw;
    std::vector<Band> bands;
  };
  const std::vector<Row> rows{
      {gb2003, "Q235", 235, 160, {{16, 215, 125}, {40, 205, 120}, {60, 200, 115}, {100, 190, 110}}},
      {gb2003, "Q345", 345, 200, {{16, 310, 180}, {35, 295, 170}, {50, 265, 155}, {100, 250, 145}}},
      {gb2003, "Q390", 390, 220, {{16, 350, 205}, {35, 335, 190}, {50, 315, 180}, {100, 295, 170}}},
      {gb2003, "Q420", 420, 220, {{16, 380, 220}, {35, 360, 210}, {50, 340, 195}, {100, 325, 185}}},
      {gb2017, "Q235", 235, 160, {{16, 215, 125}, {40, 205, 120}, {100, 200, 115}}},
      {gb2017, "Q355", 355, 200, {{16, 305, 175}, {40, 295, 170}, {63, 290, 165}, {80, 280, 160}, {100, 270, 155}}},
      {gb2017, "Q390", 390, 200, {{16, 345, 200}, {40, 330, 190}, {63, 310, 180}, {100, 295, 170}}},
      {gb2017, "Q420", 420, 220, {{16, 375, 215}, {40, 355, 205}, {63, 320, 185}, {100, 305, 175}}},
      {gb2017, "Q460", 460, 220, {{16, 410, 235}, {40, 390, 225}, {63, 355, 205}, {100, 340, 195}}},
  };
  for (const Row& row : rows) {
    const SteelGrade& g = grade(row.edition, row.grade);
    EXPECT_EQ(g.fy, row.fy) << row.grade;
    EXPECT_EQ(g.ffw, row.ffw) << row.grade;
    for (std::size_t i = 0; i < row.bands.size(); ++i) {
      const Band& band = row.bands[i];
      const Band& next = row.bands[std::min(i + 1, row.bands.size() - 1)];
      EXPECT_EQ(rolledStrength(g, band.upTo, 0), band.f) << row.grade << " " << band.upTo;
      EXPECT_EQ(bendingShearStrength(g, band.upTo).fv, band.fv) << row.grade << " " << band.upTo;
      EXPECT_EQ(bendingShearStrength(g, band.upTo + 0.5).f, next.f) << row.grade << " " << band.upTo;
      EXPECT_EQ(bendingShearStrength(g, band.upTo + 0.5).fv, next.fv) << row.grade << " " << band.upTo;
    }
  }
}

TEST(Tables, PlateThicknessMovesToTheGroupOfItsOwnThickness) {
  std::vector<double> tried;
  // A moment that needs 45 mm at f = 205 falls in group 2 and is computed again with 200.
  const double moment = 45.0 * 45.0 * 205.0 / 6.0;
  const auto plate = plateThicknessByGroup(grade(gb2003, "Q235"), [&](double f) {
    tried.push_back(f);
    return std::sqrt(6 * moment / f);
  });
  EXPECT_EQ(tried, (std::vector<double>{205, 200}));
  EXPECT_EQ(plate.f, 200);
  EXPECT_NEAR(plate.t, 45.0 * std::sqrt(205.0 / 200.0), tolerance);

  const auto thin = plateThicknessByGroup(grade(gb2003, "Q345"), [](double) { return 12.0; });
  EXPECT_EQ(thin.f, 295);

  // Q355 of 2017 walks through every group it passes: 79 mm at 295 falls in the group up to
  // 80 mm (280), where it needs 81.1 mm: the last group (270) and 82.6 mm.
  tried.clear();
  const double thick = 79.0 * 79.0 * 295.0 / 6.0;
  const auto q355 = plateThicknessByGroup(grade(gb2017, "Q355"), [&](double f) {
    tried.push_back(f);
    return std::sqrt(6 * thick / f);
  });
  EXPECT_EQ(tried, (std::vector<double>{295, 280, 270}));
  EXPECT_EQ(q355.f, 270);
  EXPECT_NEAR(q355.t, 79.0 * std::sqrt(295.0 / 270.0), tolerance);
}

TEST(Tables, ThreeSideCoefficientAtAndBetweenBreakpoints) {
  EXPECT_EQ(alf(0.3), 0.027);
  EXPECT_NEAR(alf(0.45), 0.052, tolerance);
  // The middle of every other interval.
  const double middles[][2] = {{0.325, 0.0315}, {0.575, 0.0715}, {0.65, 0.081},   {0.75, 0.092},
                               {0.875, 0.103},  {0.975, 0.1105}, {1.05, 0.1145},  {1.15, 0.119},
                               {1.25, 0.1225},  {1.4, 0.126},    {1.75, 0.13}};
  for (const auto& [r, k] : middles) EXPECT_NEAR(alf(r), k, tolerance) << r;
  EXPECT_NEAR(alf(1.0), 0.112, tolerance);
  EXPECT_NEAR(alf(2.0), 0.132, tolerance);
  EXPECT_EQ(alf(2.01), 0.133);
  EXPECT_EQ(alf(0.29), 0.133);
  EXPECT_NEAR(alf(0.3566350710900474), 0.03706161137440758, 1e-15);
}

TEST(Tables, FourSideCoefficientAtAndBetweenBreakpoints) {
  EXPECT_EQ(beta(1.0), 0.048);
  EXPECT_NEAR(beta(1.95), 0.1005, tolerance);
  EXPECT_NEAR(beta(2.0), 0.102, tolerance);
  EXPECT_NEAR(beta(1.375), 0.0735, tolerance);
  EXPECT_NEAR(beta(1.15), 0.059, tolerance);
  EXPECT_NEAR(beta(1.025), 0.05, tolerance);
  EXPECT_NEAR(beta(1.075), 0.0535, tolerance);
  EXPECT_NEAR(beta(1.575), 0.085, tolerance);
  EXPECT_NEAR(beta(1.625), 0.0875, tolerance);
  EXPECT_NEAR(beta(1.775), 0.094, tolerance);
  EXPECT_EQ(beta(0.9), 0.125);
  EXPECT_EQ(beta(2.5), 0.125);
}

// Every row of the bolt table, written out from the table of anchor bolts.
// The tensile stress area of each bolt from its thread: Ae = π/4·(d − 0.9382·p)² with the coarse
// pitch p of the metric series, so a mistyped area in the table shows.
TEST(Tables, EveryAnchorBoltAreaFollowsItsThread) {
  const std::pair<int, double> coarsePitch[] = {
      {20, 2.5}, {22, 2.5}, {24, 3},   {27, 3}, {30, 3.5}, {33, 3.5}, {36, 4}, {39, 4},
      {42, 4.5}, {45, 4.5}, {48, 5},   {52, 5}, {56, 5.5}, {60, 5.5}, {64, 6}, {68, 6},
      {72, 6},   {76, 6},   {80, 6},   {85, 6}, {90, 6},   {95, 6},   {100, 6},
  };
  double previousA = 0, previousC = 0;
  int walked = 20;
  for (const auto& [d, pitch] : coarsePitch) {
    const auto bolt = anchorBolt(d);
    ASSERT_TRUE(bolt) << d;
    const double root = d - 0.9382 * pitch;
    EXPECT_NEAR(bolt->Aems, std::numbers::pi / 4 * root * root, 0.6) << d;
    // The detailing distances grow with the bolt and leave room for its washer and nut.
    EXPECT_GE(bolt->a, previousA) << d;
    EXPECT_GE(bolt->c, previousC) << d;
    EXPECT_GE(bolt->a, 2.4 * d) << d;
    EXPECT_GT(bolt->c, 1.5 * d) << d;
    previousA = bolt->a;
    previousC = bolt->c;
    // The next size up walks the same series.
    EXPECT_EQ(walked, d);
    walked = nextBoltDiameter(d).value_or(0);
  }
  EXPECT_EQ(walked, 0);  // nothing beyond 100
  EXPECT_EQ(anchorBolt(60)->a, 150);
  EXPECT_EQ(anchorBolt(60)->c, 110);
  EXPECT_EQ(anchorBolt(90)->a, 230);
}

TEST(Tables, AnchorBoltsAndTheNextSizeUp) {
  const auto bolt27 = anchorBolt(27);
  EXPECT_EQ(bolt27->Aems, 459);
  EXPECT_EQ(bolt27->a, 70);
  EXPECT_EQ(bolt27->c, 70);
  EXPECT_EQ(boltEdgeDistance(27), 58);
  EXPECT_FALSE(anchorBolt(25));

  EXPECT_EQ(nextBoltDiameter(22), 24);
  EXPECT_EQ(nextBoltDiameter(45), 48);
  EXPECT_EQ(nextBoltDiameter(76), 80);
  EXPECT_EQ(nextBoltDiameter(95), 100);
  EXPECT_FALSE(nextBoltDiameter(100));

  // From 20 the rule walks every row of the bolt table and stops after 100.
  int dms = 20;
  int rows = 1;
  while (const auto next = nextBoltDiameter(dms)) {
    ASSERT_TRUE(anchorBolt(*next)) << *next;
    dms = *next;
    ++rows;
  }
  EXPECT_EQ(dms, 100);
  EXPECT_EQ(rows, 23);
}

}  // namespace
}  // namespace pedivo::tables
