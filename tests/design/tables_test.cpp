#include "design/common/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace pedivo::tables {
namespace {

constexpr double tolerance = 1e-12;

TEST(Tables, ConcreteAndBoltGrades) {
  EXPECT_EQ(concrete("C20")->fc, 9.6);
  EXPECT_EQ(concrete("C25")->fct, 1.27);
  EXPECT_EQ(concrete("C40")->Ec, 32500);
  EXPECT_FALSE(concrete("C45"));
  EXPECT_FALSE(concrete("c25"));  // keys are the exact list texts
  EXPECT_EQ(anchorBoltFta("Q235"), 140);
  EXPECT_EQ(anchorBoltFta("Q345"), 180);
  EXPECT_FALSE(anchorBoltFta("Q390"));
}

TEST(Tables, SteelBandsIncludeTheirUpperLimit) {
  EXPECT_EQ(rolledStrength("Q235", 16, 0), 215);
  EXPECT_EQ(rolledStrength("Q235", 16.01, 0), 205);
  EXPECT_EQ(rolledStrength("Q235", 40, 0), 205);
  EXPECT_EQ(rolledStrength("Q345", 60, 0), 265);
  EXPECT_EQ(rolledStrength("Q345", 100, 0), 250);
  EXPECT_EQ(stiffenerStrength("Q345", 16, 0), 310);
  EXPECT_EQ(stiffenerStrength("Q345", 40, 0), 295);
  EXPECT_EQ(plateThicknessGroup(40), 1);
  EXPECT_EQ(plateThicknessGroup(40.5), 2);
  EXPECT_EQ(plateThicknessGroup(60), 2);
  EXPECT_EQ(plateThicknessGroup(61), 3);
}

TEST(Tables, BeyondTheLastBandTheStrengthHeldBeforeIsKept) {
  EXPECT_EQ(rolledStrength("Q235", 101, 205), 205);
  EXPECT_EQ(stiffenerStrength("Q235", 41, 215), 215);
  const auto thick = bendingShearStrength("Q235", 200);
  EXPECT_EQ(thick->f, 190);
  EXPECT_EQ(thick->fv, 110);
  EXPECT_EQ(thick->fy, 235);
}

TEST(Tables, DecidedRowsForQ390AndQ420) {
  EXPECT_EQ(steelBasics("Q390")->fy, 390);
  EXPECT_EQ(steelBasics("Q420")->ffw, 220);
  EXPECT_EQ(rolledStrength("Q390", 50, 0), 315);
  EXPECT_EQ(rolledStrength("Q420", 90, 0), 325);
  EXPECT_EQ(plateStrengthOfGroup("Q390", 3), 295);
  EXPECT_EQ(plateStrengthOfGroup("Q420", 1), 360);
  EXPECT_EQ(stiffenerStrength("Q420", 20, 0), 360);
  const auto q390 = bendingShearStrength("Q390", 16);
  EXPECT_EQ(q390->f, 350);
  EXPECT_EQ(q390->fv, 205);
  const auto q420 = bendingShearStrength("Q420", 61);
  EXPECT_EQ(q420->f, 325);
  EXPECT_EQ(q420->fv, 185);
}

TEST(Tables, PlateThicknessMovesToTheGroupOfItsOwnThickness) {
  std::vector<double> tried;
  // A moment that needs 45 mm at f = 205 falls in group 2 and is computed again with 200.
  const double moment = 45.0 * 45.0 * 205.0 / 6.0;
  const auto plate = plateThicknessByGroup("Q235", [&](double f) {
    tried.push_back(f);
    return std::sqrt(6 * moment / f);
  });
  EXPECT_EQ(tried, (std::vector<double>{205, 200}));
  EXPECT_EQ(plate->f, 200);
  EXPECT_NEAR(plate->t, 45.0 * std::sqrt(205.0 / 200.0), tolerance);

  const auto thin = plateThicknessByGroup("Q345", [](double) { return 12.0; });
  EXPECT_EQ(thin->f, 295);
  EXPECT_FALSE(plateThicknessByGroup("Q999", [](double) { return 1.0; }));
}

TEST(Tables, ThreeSideCoefficientAtAndBetweenBreakpoints) {
  EXPECT_EQ(alf(0.3), 0.027);
  EXPECT_NEAR(alf(0.45), 0.052, tolerance);
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
  EXPECT_EQ(beta(0.9), 0.125);
  EXPECT_EQ(beta(2.5), 0.125);
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
