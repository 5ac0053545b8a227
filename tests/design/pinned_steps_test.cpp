// The steps of the pinned bases: the way the plate's panel takes its moment is held with the
// design or the check that worked it out, the report writes the formula of that way, and the
// numbers it prints give back the held moment and the four-bolt stiffener's load and stresses.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/plate_panel.h"
#include "design/pinned/four_bolt.h"
#include "design/pinned/pinned_plate.h"
#include "design/pinned/two_bolt.h"
#include "design_probe.h"
#include "printed_arithmetic.h"

namespace pedivo::pinned {
namespace {

using testing::Design;
using testing::PrintedArithmetic;
using testing::Texts;

constexpr const char* cantileverFormula = "M2 = 0.5·σc·b2²（b2/a2 < 0.3，按悬臂板）";
constexpr const char* threeSideFormula = "M2 = α·σc·a2²（三边支承板）";

// A printed line of arithmetic that ends in "×10⁻³" (a force or moment written in kN), in N.
double printedBeforeKilo(std::string line) {
  constexpr std::string_view kilo = "×10⁻³";
  EXPECT_TRUE(line.ends_with(kilo)) << line;
  if (line.ends_with(kilo)) line.resize(line.size() - kilo.size());
  return PrintedArithmetic::valueOf(line);
}

// The sizes of a design checked under its own entries.
Design checked(const ModuleDescriptor& module, const Design& designed, const Sizes& sizes) {
  Design d{DesignSession(module), {}};
  for (const auto& [control, text] : designed.session.entries().texts) d.session.setText(control, text);
  d.session.setCbsize(designed.session.entries().cbsize);
  d.outcome = d.session.check(sizes);
  EXPECT_EQ(d.outcome.ending, Ending::Completed);
  return d;
}

// The report of the panel's way: its formula, α shown only where the moment used it, the plate
// check's formula, and the printed σc with b2 (or α with a2) giving back M2. σc and the lengths
// are cut to two decimals, α to five.
void expectPanelPrinted(const Design& d, bool cantilever) {
  EXPECT_EQ(d["r1"] < cantileverRatio, cantilever) << d["r1"];
  EXPECT_EQ(d.tag("<#M2formula>"), cantilever ? cantileverFormula : threeSideFormula);
  EXPECT_EQ(d.tag("<#alf>") == "—（悬臂）", cantilever) << d.tag("<#alf>");
  const auto plate = d.check("plate");
  ASSERT_TRUE(plate);
  EXPECT_NE(plate->formula.str().find(cantilever ? "0.5·σc·b2²" : "α·σc·a2²"), std::string::npos) << plate->formula;
  const double M2 = d["M2"];
  EXPECT_NEAR(printedBeforeKilo(d.tag("<#M2values>")), M2, 0.01 * M2) << d.tag("<#M2values>");
}

struct PanelCase {
  const char* name;
  const ModuleDescriptor& (*module)();
  Texts texts;
  bool cantilever;
};

// Both bases on each side of the cantilever limit (a ratio of exactly 0.3 is a three-side panel);
// the check of the design's sizes takes the design's way and prints what the design printed.
TEST(PinnedPanel, DesignAndCheckPrintTheFormulaOfTheWayHeld) {
  for (const PanelCase& c :
       {PanelCase{"two bolts, short panel", twoBoltModule, {}, true},
        PanelCase{"two bolts, ratio at the limit", twoBoltModule, {{"Edthc", "413"}}, false},
        PanelCase{"two bolts, large force", twoBoltModule, {{"EdtN", "3000"}, {"EdtV", "100"}}, false},
        PanelCase{"four bolts, halved panel", fourBoltModule, {}, false},
        PanelCase{"four bolts, deep column", fourBoltModule, {{"Edthc", "1000"}}, true}}) {
    SCOPED_TRACE(c.name);
    const Design d = testing::design(c.module(), c.texts);
    expectPanelPrinted(d, c.cantilever);
    const Design check = checked(c.module(), d, d.session.sizes());
    expectPanelPrinted(check, c.cantilever);
    EXPECT_EQ(check.tag("<#M2values>"), d.tag("<#M2values>"));
  }
}

// A check of a wider plate than designed widens the panel past the limit: the check holds its own
// way, not the design's, and prints that way's formula and numbers.
TEST(PinnedPanel, AWiderGivenPlateTurnsTheCantileverIntoAThreeSidePanel) {
  for (const PanelCase& c : {PanelCase{"two bolts", twoBoltModule, {}, true},
                             PanelCase{"four bolts", fourBoltModule, {{"Edthc", "1000"}}, true}}) {
    SCOPED_TRACE(c.name);
    const Design d = testing::design(c.module(), c.texts);
    ASSERT_EQ(d.tag("<#M2formula>"), cantileverFormula);
    Sizes wider = d.session.sizes();
    wider["B"] = 340;
    const Design check = checked(c.module(), d, wider);
    EXPECT_EQ(check["B"], 340);
    expectPanelPrinted(check, false);
  }
}

// The stiffener's printed load and stresses give back the held ones, for a design and for a check
// of a taller and thicker stiffener than designed.
TEST(FourBoltStiffener, PrintedNumbersGiveBackTheHeldLoadAndStresses) {
  const Design d = testing::design(fourBoltModule(), {{"EdtN", "600"}, {"Edthc", "500"}, {"Edtbf", "300"}});
  Sizes taller = d.session.sizes();
  taller["hjjl"] += 60;
  taller["tjjl"] += 4;
  const Design check = checked(fourBoltModule(), d, taller);
  EXPECT_GT(check["hjjl"], d["hjjl"]);
  for (const Design* held : {&d, &check}) {
    const Design& s = *held;
    SCOPED_TRACE(s.session.checked() ? "check" : "design");
    const double Vimax = s["Vimax"];
    EXPECT_NEAR(printedBeforeKilo(s.tag("<#Vimaxvalues>")), Vimax, 0.01 * Vimax) << s.tag("<#Vimaxvalues>");
    EXPECT_NEAR(PrintedArithmetic::valueOf(s.tag("<#ylvRvalues>")), s["ylvR"], 0.01 * s["ylvR"]);
    EXPECT_NEAR(PrintedArithmetic::valueOf(s.tag("<#ylfRvalues>")), s["ylfR"], 0.01 * s["ylfR"]);
    // The equivalent stress checked is the one the two printed stresses give.
    const auto stiffener = s.check("stiffener");
    ASSERT_TRUE(stiffener);
    EXPECT_NEAR(stiffener->demand, std::sqrt(s["ylfR"] * s["ylfR"] + 3 * s["ylvR"] * s["ylvR"]), 1e-9);
  }
}

// Past the strength table's thicknesses the stiffener keeps the strength it held; within it, the
// strength of its thickness band, whatever it held before.
TEST(FourBoltStiffener, AThicknessPastTheTableKeepsTheHeldStrength) {
  const Materials m = readMaterials(fourBoltModule().defaultEntries());
  FourBoltHeld h;
  h.hb = 450, h.tf = 14, h.tw = 9, h.B = 240, h.ylc = 1, h.hjjl = 200, h.f1 = 123;
  h.tjjl = 8;
  EXPECT_EQ(stiffenerStresses(m, h).f1, 215);
  h.tjjl = 1000;
  EXPECT_EQ(stiffenerStresses(m, h).f1, 123);
}

}  // namespace
}  // namespace pedivo::pinned

namespace pedivo::pinned {
namespace {

// The search for the plate that bears starts from the root of (L + 10k)(B + 10k) = N/fc: a start
// off the root still finds the same plate, only after more trials, so the root is pinned here.
TEST(PinnedBearing, TheSearchStartsFromThePlateWhoseAreaIsNOverFc) {
  const struct {
    double N, fc, L, B;
  } cases[] = {{2e6, 14.3, 300, 260}, {8.5e6, 11.9, 480, 340}, {1.2e5, 9.6, 330, 330}, {4.4e7, 27.5, 700, 400}};
  for (const auto& c : cases) {
    const double k = bearingStepsEstimate(c.N, c.fc, c.L, c.B);
    const double area = (c.L + 10 * k) * (c.B + 10 * k);
    EXPECT_NEAR(area, c.N / c.fc, 1e-9 * c.N / c.fc) << c.N << " " << c.L << " " << c.B;
  }
  // Nothing to estimate where the bounds would let a flag be raised: no strength, no compression.
  EXPECT_EQ(bearingStepsEstimate(2e6, 0, 300, 260), 0);
  EXPECT_EQ(bearingStepsEstimate(-2e6, 14.3, 300, 260), 0);
}

}  // namespace
}  // namespace pedivo::pinned
