#include "design/common/design_check.h"

#include <gtest/gtest.h>


#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "design/common/check_mode.h"
#include "design/common/design_session.h"
#include "package_part.h"

namespace pedivo {
namespace {

DesignCheck stressCheck(double demand, double limit) {
  return limitCheck("weld", "焊缝", "σ ≤ ffw", demand, limit, stressUnit, ValueFormat::Cut3, {"edthf11"});
}

TEST(CheckWords, WrittenWordsOutliveTheirSourceAndFieldsBeyondTheRoomAreRefused) {
  CheckText copied;
  {
    std::string name = "加劲肋 ";
    name += "1";
    const CheckText written(name);
    name.assign("overwritten");
    copied = written;
  }
  EXPECT_EQ(copied, "加劲肋 1");
  EXPECT_EQ(std::string("验算") + copied, "验算加劲肋 1");

  const FieldNames four{"a", "b", "c", "d"};
  EXPECT_EQ(four.size(), 4u);
  EXPECT_EQ(four[3], "d");
  EXPECT_THROW((FieldNames{"a", "b", "c", "d", "e"}), std::length_error);
}

// A check's words, fixed or written for it, read the same in every copy and after every move,
// and a copy keeps them after the check it came from is gone.
TEST(DesignChecks, WordsSurviveCopiesAndMoves) {
  std::vector<DesignCheck> kept;
  {
    DesignCheck check = limitCheck("weld", std::string("加劲肋 1 焊缝"), "τf ≤ ffw", 1, 2, stressUnit,
                                   ValueFormat::Cut3, {"edthf"});
    kept.push_back(check);
    DesignCheck moved = std::move(check);
    kept.push_back(std::move(moved));
  }
  for (int grow = 0; grow < 100; ++grow) kept.push_back(kept.front());  // moved as the list grows
  for (const DesignCheck& check : kept) {
    EXPECT_EQ(check.id.view(), "weld");
    EXPECT_EQ(check.name.view(), "加劲肋 1 焊缝");
    EXPECT_EQ(check.formula.view(), "τf ≤ ffw");
    EXPECT_EQ(check.unit.view(), "N/mm²");
  }
  CheckText from = std::string("written first");
  const CheckText to = std::move(from);
  EXPECT_EQ(to.view(), "written first");
  EXPECT_TRUE(from.empty());  // NOLINT: read after the move on purpose
  CheckText text = std::string("written");
  text = "fixed";
  EXPECT_EQ(text.view(), "fixed");
  text = std::string("written again");
  EXPECT_EQ(text.view(), "written again");
}

TEST(DesignChecks, UtilisationIsRoundedUpSoThatAFailureNeverReadsAsOne) {
  EXPECT_EQ(stressCheck(160.001, 160).ratio(), 1.01);
  EXPECT_EQ(verdictText(stressCheck(160.001, 160)), "不满足（利用率 1.01）");
  EXPECT_EQ(verdictText(stressCheck(160, 160)), "满足（利用率 1.00）");
  EXPECT_EQ(verdictText(stressCheck(80, 160)), "满足（利用率 0.50）");
  EXPECT_EQ(verdictText(stressCheck(0.29 * 160, 160)), "满足（利用率 0.29）");
}

// A demand of zero or less asks nothing: the check passes without a utilisation, and says so.
TEST(DesignChecks, ANegativeOrZeroDemandDoesNotGovern) {
  for (const double demand : {0.0, -0.04, -71.36}) {
    const DesignCheck check = stressCheck(demand, 160);
    EXPECT_TRUE(check.ok());
    EXPECT_FALSE(check.governs());
    EXPECT_EQ(verdictText(check), "不控制");
    EXPECT_EQ(utilisationText(check.ratio()), "—");
  }
  std::vector<std::pair<std::string, std::string>> tags;
  emitCheckTags({stressCheck(-5, 160)}, true, [&](std::string_view tag, std::string_view text) {
    tags.emplace_back(tag, text);
  });
  const auto text = [&](const std::string& tag) {
    for (const auto& [t, x] : tags)
      if (t == tag) return x;
    return std::string("<missing>");
  };
  EXPECT_EQ(text("<#weld.check>"), "不控制");
  EXPECT_EQ(text("<#weld.ratio>"), "—");
  EXPECT_EQ(text("<#weld.result>"), "不控制");
  EXPECT_EQ(text("<#summary>"), "各项验算均满足要求。");
}

std::string summaryOf(const std::vector<DesignCheck>& checks, bool designed = true) {
  std::string summary = "<missing>";
  emitCheckTags(checks, designed, [&](std::string_view tag, std::string_view text) {
    if (tag == "<#summary>") summary = text;
  });
  return summary;
}

// A decision that asks for a part the program does not design: the summary must not read as all passing.
DesignCheck outstandingDecision(double demand, double limit) {
  DesignCheck check = limitCheck("part", "抗剪键", "V ≤ Vfb", demand, limit, "kN", ValueFormat::KN2, {});
  check.decision = "需要设置抗剪键";
  check.outstanding = demand > limit;
  return check;
}

TEST(DesignChecks, AnOutstandingDecisionKeepsTheSummaryFromReadingAsAllPassing) {
  const DesignCheck needed = outstandingDecision(40e3, 32e3);
  const DesignCheck notNeeded = outstandingDecision(30e3, 32e3);
  EXPECT_TRUE(needed.ok());
  EXPECT_EQ(summaryOf({stressCheck(80, 160), notNeeded}), "各项验算均满足要求。");
  const std::string passing = summaryOf({stressCheck(80, 160), needed});
  EXPECT_EQ(passing.find("各项验算均满足要求。"), std::string::npos) << passing;
  EXPECT_NE(passing.find("需要设置抗剪键（40 kN > 32 kN）"), std::string::npos) << passing;
  EXPECT_NE(passing.find("须另行设计"), std::string::npos) << passing;
  // With a failing check the part is named after the failures.
  const std::string failing = summaryOf({stressCheck(170, 160), needed});
  EXPECT_EQ(failing.rfind("有 1 项验算不满足要求（焊缝）", 0), 0u) << failing;
  EXPECT_NE(failing.find("另需要设置抗剪键"), std::string::npos) << failing;
  // Before a design nothing is outstanding yet, and no row shows numbers.
  EXPECT_EQ(summaryOf({needed}, false), "尚未计算。");
}

// A check of a part the design does without reads as its decision with no numbers, and passes.
TEST(DesignChecks, AnUnnumberedDecisionShowsNoNumbers) {
  DesignCheck check = stressCheck(0, 0);
  check.decision = "不需设置抗剪键";
  check.unnumbered = true;
  check.values = "σ = 0";
  std::map<std::string, std::string> tags;
  emitCheckTags({check}, true, [&](std::string_view tag, std::string_view text) { tags[std::string(tag)] = text; });
  EXPECT_TRUE(check.ok());
  EXPECT_EQ(tags["<#weld.check>"], "不需设置抗剪键");
  EXPECT_EQ(tags["<#weld.result>"], "不需设置抗剪键");
  for (const char* tag : {"<#weld.demand>", "<#weld.limit>", "<#weld.ratio>", "<#weld.values>"})
    EXPECT_EQ(tags[tag], "—") << tag;
  EXPECT_EQ(tags["<#summary>"], "各项验算均满足要求。");
}

TEST(DesignChecks, ANumberThatIsNotOneNeverPasses) {
  EXPECT_FALSE(stressCheck(std::nan(""), 160).ok());
  EXPECT_EQ(verdictText(stressCheck(1, 0)), "不满足（利用率 —）");
}

TEST(DesignChecks, WarningNamesEachFailingCheckWithItsDemandAndLimit) {
  const std::vector<DesignCheck> checks{stressCheck(100, 160), stressCheck(170.12345, 160)};
  EXPECT_EQ(failedChecksMessage(checks), "以下验算不满足要求：\n焊缝：计算值 170.123 N/mm²，限值 160 N/mm²");
  EXPECT_EQ(failedChecksMessage({stressCheck(1, 2)}), std::nullopt);
  EXPECT_EQ(failedFields(checks), std::vector<std::string>{"edthf11"});
}

// The window's warning gives each failed check as the command line's does, under the words that
// say which number is which, and adds its remedy: a given plate under the least thickness reads
// "最小值 20 mm，给定尺寸 18 mm", never as if 20 were what the plate asks and 18 its limit.
TEST(DesignChecks, TheWindowsWarningNamesTheNumbersAsTheCommandLineDoes) {
  const DesignCheck rule = atLeastRule("ruleT", "底板最小厚度", "t ≥ 20", 18, 20, {"Edttpb"});
  std::vector<DesignCheck> checks{stressCheck(170.12345, 160), rule};
  writeOwnRemedies(checks);
  const std::string advice = failedChecksAdvice(checks).value();
  EXPECT_NE(advice.find("底板最小厚度：最小值 20 mm，给定尺寸 18 mm\n    → 加大该尺寸至不小于 20 mm"), std::string::npos)
      << advice;
  // Without its remedies the warning is the command line's line for line.
  for (DesignCheck& check : checks) check.remedy.clear();
  EXPECT_EQ(failedChecksAdvice(checks), failedChecksMessage(checks));
}

// The report's columns, the warning and the values line give a check's numbers in the same digits,
// those of checkNumbers, including the extra decimals that tell a narrow failure from its limit.
TEST(DesignChecks, TheReportColumnsGiveTheNumbersOfTheValuesLine) {
  for (const double demand : {205.0004, 205.4, 170.12345, 99.0}) {
    const DesignCheck fresh = stressCheck(demand, 205);
    DesignCheck written = fresh;
    writeValues(written, "σ", "ffw");
    const CheckNumbers expected = checkNumbers(fresh);
    EXPECT_NE(written.values.find(expected.demand), std::string::npos) << written.values;
    EXPECT_NE(written.values.find("ffw = " + expected.limit), std::string::npos) << written.values;
    std::map<std::string, std::string> tags;
    emitCheckTags({written}, true, [&](std::string_view tag, std::string_view text) { tags[std::string(tag)] = text; });
    EXPECT_EQ(tags["<#weld.demand>"], expected.demand);
    EXPECT_EQ(tags["<#weld.limit>"], expected.limit);
    EXPECT_EQ(failedChecksMessage({written}), failedChecksMessage({fresh}));
  }
  // Written again after its numbers changed, the line and the columns follow.
  DesignCheck check = stressCheck(205.0004, 205);
  writeValues(check, "σ", "ffw");
  check.demand = 150;
  writeValues(check, "σ", "ffw");
  EXPECT_EQ(checkNumbers(check).demand, "150 N/mm²");
  EXPECT_NE(check.values.find("= 150 N/mm² ≤"), std::string::npos) << check.values;
}

// Every check a base type lists has its verdict and its summary row in the report template, so
// no verdict is ever computed and left out of the printed report.
TEST(DesignChecks, EveryTemplateShowsEveryCheckOfItsBaseType) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    session.calculate();
    if (session.checks().empty()) continue;  // a base type still without its calculation
    const auto part = testing::packagePart(module->templateFile, "word/document.xml");
    ASSERT_TRUE(part.has_value()) << module->templateFile;
    const std::string& xml = *part;
    for (const auto& check : session.checks()) {
      for (const char* part : {"check", "name", "demand", "limit", "ratio", "result"}) {
        // A decision (the shear key) is stated by the base type's own sentence in the text.
        if (check.decision && std::string(part) == "check") continue;
        EXPECT_NE(xml.find("&lt;#" + check.id + "." + part + "&gt;"), std::string::npos)
            << module->templateFile << " " << check.id << "." << part;
      }
    }
    EXPECT_NE(xml.find("&lt;#summary&gt;"), std::string::npos) << module->templateFile;
  }
}

// Tags match without regard to case and are replaced in order: two tags that differ only in case
// would fill one place with the other's value.
TEST(ReportTags, NoTwoTagsOfAReportDifferOnlyInCase) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    session.calculate();
    std::set<std::string> seen;
    std::set<std::string> exact;
    for (const auto& tag : session.report()) {
      if (!exact.insert(tag.tag).second) continue;  // the same tag again replaces nothing new
      std::string lower = tag.tag;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_TRUE(seen.insert(lower).second) << module->id << " " << tag.tag;
    }
  }
}

}  // namespace
}  // namespace pedivo
