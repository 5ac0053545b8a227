// Designs to either edition of the steel code, and the texts a checker redoes by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "design/common/design_check.h"
#include "design/common/input_checks.h"
#include "design/common/numbers.h"
#include "design/common/value_format.h"
#include "design/files/batch.h"
#include "design/files/design_file.h"
#include "design_probe.h"

namespace pedivo {
namespace {

using testing::design;
using testing::Texts;

const std::string gb2017 = "GB 50017-2017";

// Every base type designs under GB 50017-2017. With Q235 and parts up to 40 mm the two editions
// give the same strengths, so the same design; the report cites the edition that was used.
TEST(CodeEdition, EveryBaseTypeDesignsUnderEitherEdition) {
  for (const ModuleDescriptor* module : allModules()) {
    const auto earlier = design(*module, {});
    const auto current = design(*module, {{"CBcode", gb2017}});
    EXPECT_EQ(current.outcome.messages, earlier.outcome.messages) << module->id;
    EXPECT_NE(current.outcome.ending, Ending::Stopped) << module->id;
    const auto a = earlier.session.values();
    const auto b = current.session.values();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].value, b[i].value) << module->id << " " << a[i].name;
    EXPECT_EQ(earlier.tag("<#code>"), "《钢结构设计规范》GB 50017-2003") << module->id;
    EXPECT_EQ(current.tag("<#code>"), "《钢结构设计标准》GB 50017-2017") << module->id;
  }
}

// The grade strengths follow the edition: a 14 mm Q355 flange is 305 under 2017, Q345 310 under
// 2003; Q390 welds are 200 under 2017, 220 under 2003.
TEST(CodeEdition, StrengthsFollowTheEdition) {
  const auto& twoBolt = *findModule("j1");
  const auto q345 = design(twoBolt, {{"CBf", "Q345"}});
  const auto q355 = design(twoBolt, {{"CBcode", gb2017}, {"CBf", "Q355"}});
  EXPECT_EQ(q345["f"], 310);
  EXPECT_EQ(q355["f"], 305);
  EXPECT_EQ(design(twoBolt, {{"CBf", "Q390"}})["ffw"], 220);
  EXPECT_EQ(design(twoBolt, {{"CBcode", gb2017}, {"CBf", "Q390"}})["ffw"], 200);
  const auto q460 = design(twoBolt, {{"CBcode", gb2017}, {"CBf", "Q460"}});
  EXPECT_EQ(q460["f"], 410);
  EXPECT_EQ(q460.outcome.messages.front(), "计算完毕！");
  // A 2017 bolt grade of the eight-bolt base.
  EXPECT_EQ(design(*findModule("g11"), {{"CBcode", gb2017}, {"CBfta", "Q390"}})["fta"], 185);
}

// A grade the edition does not offer cannot be designed: the window refuses it before designing,
// a file or a case refuses it on reading, a table row carries it as its error.
TEST(CodeEdition, GradesOutsideTheEditionAreRefused) {
  DesignSession session(*findModule("j1"));
  ASSERT_FALSE(session.setText("CBf", "Q345"));
  ASSERT_FALSE(session.setText("CBcode", gb2017));
  const Outcome refused = session.calculate();
  ASSERT_EQ(refused.messages.size(), 1u);
  EXPECT_EQ(refused.messages[0], "钢材牌号“Q345”不在GB 50017-2017的可选范围内（Q235、Q355、Q390、Q420、Q460）");
  EXPECT_EQ(refused.focus, "CBf");
  EXPECT_EQ(refused.ending, Ending::Stopped);
  EXPECT_TRUE(session.setText("CBcode", "GB 50017-1988").has_value());

  const auto file = parseDesignFile(R"({"module": "j1", "entries": {"CBcode": "GB 50017-2017", "CBfta": "Q345"}})");
  ASSERT_TRUE(std::holds_alternative<std::string>(file));
  EXPECT_EQ(std::get<std::string>(file), "锚栓牌号“Q345”不在GB 50017-2017的可选范围内（Q235、Q355、Q390）");

  const auto table = std::get<BatchTable>(readBatchTable("module,CBcode,CBf\nj1,,Q345\nj1,GB 50017-2017,Q345\nj1,GB 50017-2017,Q355\n"));
  EXPECT_FALSE(designRow(table, 0).error);  // a blank edition is the earlier one
  EXPECT_EQ(designRow(table, 1).error, "钢材牌号“Q345”不在GB 50017-2017的可选范围内（Q235、Q355、Q390、Q420、Q460）");
  const BatchRow current = designRow(table, 2);
  EXPECT_FALSE(current.error);
  EXPECT_EQ(current.entries.texts.at("CBcode"), gb2017);
}

// Files written before the edition could be chosen keep their meaning; new ones store it.
TEST(CodeEdition, DesignFilesWithAndWithoutTheEdition) {
  const auto old = parseDesignFile(R"({"module": "g2", "entries": {"CBf": "Q345"}})");
  ASSERT_TRUE(std::holds_alternative<DesignFile>(old));
  EXPECT_EQ(std::get<DesignFile>(old).entries.texts.at("CBcode"), "GB 50017-2003");
  Entries entries = findModule("g2")->defaultEntries();
  entries.texts["CBcode"] = gb2017;
  entries.texts["CBf"] = "Q460";
  const auto again = parseDesignFile(designFileText(*findModule("g2"), entries));
  ASSERT_TRUE(std::holds_alternative<DesignFile>(again));
  EXPECT_EQ(std::get<DesignFile>(again).entries.texts.at("CBf"), "Q460");
  EXPECT_EQ(std::get<DesignFile>(again).entries.texts.at("CBcode"), gb2017);
}

TEST(CodeEdition, SwitchingCarriesTheGradesOver) {
  const ModuleDescriptor& module = *findModule("g11");
  Entries entries = module.defaultEntries();
  entries.texts["CBf"] = "Q345";
  entries.texts["CBfta"] = "Q345";
  const auto to2017 = switchEdition(module, entries, tables::CodeEdition::Gb2017);
  EXPECT_EQ(to2017.texts.at("CBf"), "Q355");
  EXPECT_EQ(to2017.texts.at("CBfta"), "Q355");
  EXPECT_EQ(to2017.texts.at("CBcode"), gb2017);
  EXPECT_FALSE(to2017.message);
  entries.texts["CBf"] = "Q460";
  entries.texts["CBfta"] = "Q390";
  const auto to2003 = switchEdition(module, entries, tables::CodeEdition::Gb2003);
  EXPECT_EQ(to2003.texts.at("CBf"), "Q235");
  EXPECT_EQ(to2003.texts.at("CBfta"), "Q235");
  EXPECT_EQ(to2003.message, "设计标准改为GB 50017-2003：\n钢材牌号“Q460”不在GB 50017-2003的可选范围内，已改为Q235。\n"
                            "锚栓牌号“Q390”不在GB 50017-2003的可选范围内，已改为Q235。");
}

// The 0.1 mm that Trunc(t + 0.9) leaves is within the plate check; more is not, and a failing
// check never prints two equal numbers.
TEST(CodeEdition, PlateCheckAllowsItsRoundingAndFailingNumbersDiffer) {
  const DesignCheck within = plateThicknessCheck("t ≥ tpbc", 26.02, 26, {"Edttpb"});
  EXPECT_TRUE(within.ok());
  EXPECT_EQ(checkNumbers(within).limit, "26.1 mm（含板厚取整容差 0.1 mm）");
  const DesignCheck beyond = plateThicknessCheck("t ≥ tpbc", 26.2, 26, {"Edttpb"});
  EXPECT_FALSE(beyond.ok());
  EXPECT_EQ(failedChecksMessage({beyond}),
            "以下验算不满足要求：\n底板厚度：所需厚度 26.2 mm，板厚 26.1 mm（含板厚取整容差 0.1 mm）");

  const DesignCheck depth =
      limitCheck("depthN", "轴力所需插入深度", "dc ≥ H1", 1130.25, 1130, lengthUnit, ValueFormat::Whole, {});
  EXPECT_EQ(failedChecksMessage({depth}), "以下验算不满足要求：\n轴力所需插入深度：计算值 1130.2 mm，限值 1130 mm");
  const DesignCheck close = limitCheck("x", "应力", "σ ≤ f", 215.0004, 215, stressUnit, ValueFormat::Cut2, {});
  EXPECT_EQ(checkNumbers(close).demand, "215.0004 N/mm²");
  EXPECT_EQ(checkNumbers(close).limit, "215 N/mm²");
  // At most three more decimals: beyond them the two stay alike.
  const DesignCheck closer = limitCheck("x", "应力", "σ ≤ f", 215.000004, 215, stressUnit, ValueFormat::Cut2, {});
  EXPECT_EQ(checkNumbers(closer).demand, "215 N/mm²");
  const DesignCheck passing = limitCheck("y", "应力", "σ ≤ f", 215, 215, stressUnit, ValueFormat::Cut2, {});
  EXPECT_EQ(checkNumbers(passing).demand, "215 N/mm²");
}

// A depth with any fraction goes up to the next 10 mm: N = 2414 kN needs 1130.08 mm, and 1130
// would fall short.
TEST(CodeEdition, EmbeddedDepthRoundsUpAnyFraction) {
  const auto d = design(*findModule("gc"), {{"EdtN", "2414"}});
  EXPECT_NEAR(d["H1"], 2414000.0 / 1.27 / 2 / 841, 1e-9);
  EXPECT_EQ(d["H2"], 1140);
  EXPECT_TRUE(d.check("depthN")->ok());
  EXPECT_EQ(design(*findModule("gc"), {{"EdtN", "2412"}})["H2"], 1130);  // 1129.15 mm
}

// A plate enlarged for bearing overhangs the column; the overhang is a cantilever the plate must
// carry: a W12×96-like column under 3069 kN on C25 gets 520 × 500, whose 98.5 mm overhang needs
// 41.44 mm against the 28 mm of the panel, so the plate is 42 mm and the welds follow it.
TEST(CodeEdition, PinnedPlateIsSizedForItsOverhang) {
  const Texts column{{"Edthc", "323"}, {"Edtbf", "310"}, {"Edttw", "15.4"}, {"Edttf", "24.4"}, {"EdtN", "3069"}};
  const auto d = design(*findModule("j2"), column);
  EXPECT_EQ(d["L"], 520);
  EXPECT_EQ(d["B"], 500);
  EXPECT_NEAR(d["tpbc"], 27.5, 0.5);  // the panel alone asks 28 mm
  EXPECT_EQ(d["co"], 98.5);
  const double sigma = 3069000.0 / 520 / 500;
  EXPECT_NEAR(d["Mo"], 0.5 * sigma * 98.5 * 98.5, 1e-9);
  EXPECT_EQ(d["fpbo"], 200);  // past 40 mm, the second plate group
  EXPECT_NEAR(d["tpbo"], std::sqrt(6 * d["Mo"] / 200), 1e-12);
  EXPECT_EQ(d["tpb"], 42);
  EXPECT_EQ(d["hf11"], 10);  // 1.5·√42 rounded up to even: the weld follows the thicker plate
  const auto overhang = d.check("overhang");
  ASSERT_TRUE(overhang);
  EXPECT_TRUE(overhang->ok());
  EXPECT_EQ(overhang->limit, 42.1);
  EXPECT_NE(overhang->values.find("≤ 板厚 t + 0.1 = 42 + 0.1 = 42.1 mm（含板厚取整容差 0.1 mm）"), std::string::npos)
      << overhang->values;
  EXPECT_EQ(d.outcome.messages.back(), "计算完毕！");
  // The defaults overhang 20 mm and keep the panel's plate; the two-bolt base has the same rule.
  EXPECT_EQ(design(*findModule("j2"), {})["tpb"], 20);
  const auto two = design(*findModule("j1"), column);
  EXPECT_EQ(two["tpb"], std::max(std::trunc(two["tpbo"] + 0.9), std::max(20.0, std::trunc(two["tpbc"] + 0.9))));
  EXPECT_TRUE(two.check("overhang")->ok());
}

// A cut value is the cut of the decimal the number stands for: 0.101 is held as
// 0.10099999999999999, and a checker redoing a sum with "0.1" would get another result.
TEST(CodeEdition, CutFormatsCutTheDecimalValue) {
  EXPECT_EQ(formatValue(ValueFormat::Cut3, 0.101), "0.101");
  EXPECT_EQ(formatValue(ValueFormat::Cut2, 0.29), "0.29");
  EXPECT_EQ(formatValue(ValueFormat::Cut2, 1.005), "1");  // 1.00499999999999989…: still cut, not rounded
  EXPECT_EQ(formatValue(ValueFormat::Cut2, 26.029), "26.02");
  EXPECT_EQ(formatValue(ValueFormat::Cut3, -0.101), "-0.101");
  EXPECT_EQ(formatValue(ValueFormat::KN2, 12260.0), "12.26");
  EXPECT_EQ(formatValue(ValueFormat::KNm3, 4.1e8), "410");
  EXPECT_EQ(formatValue(ValueFormat::Whole, 1129.9999999999998), "1130");
  EXPECT_EQ(applyFormat(ValueFormat::Cut3, 0.101), 0.101);
  // Every decimal with up to k places, read as a double, is written back as itself.
  for (int v = 0; v < 20000; ++v) {
    const double x2 = v / 100.0 + 3;
    const double x3 = v / 1000.0 + 0.1;
    EXPECT_EQ(formatValue(ValueFormat::Cut2, x2), formatGeneral(x2)) << x2;
    EXPECT_EQ(formatValue(ValueFormat::Cut3, x3), formatGeneral(x3)) << x3;
  }
}

}  // namespace
}  // namespace pedivo
