#include "design/embedded/embedded.h"

#include <gtest/gtest.h>

#include "design/common/calculation.h"
#include "design/common/design_session.h"

namespace pedivo::embedded {
namespace {

struct DepthCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> texts;
  double H2;
  const char* H1tag;
  const char* H1mintag;
};

class EmbeddedDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(EmbeddedDepth, WorkedExamples) {
  DesignSession s(embeddedModule());
  for (const auto& [control, text] : GetParam().texts) s.setText(control, text);
  EXPECT_EQ(s.calculate().messages, std::vector<std::string>{doneMessage});
  const auto results = s.results().fields;
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].field, "edtH");
  EXPECT_EQ(results[0].text, std::to_string(static_cast<int>(GetParam().H2)));
  const auto report = s.report();
  EXPECT_EQ(report[9].tag, "<#H1>");
  EXPECT_EQ(report[9].text, GetParam().H1tag);
  EXPECT_EQ(report[10].text, GetParam().H1mintag);
  // The condition holds at the reported depth: resisting moment not below acting moment.
  const double write1 = std::stod(report[14].text);
  const double write2 = std::stod(report[15].text);
  EXPECT_GE(write2, write1);
  // The three checks at the final depth, each met, with the moment against the resistance there.
  const auto& checks = s.checks();
  ASSERT_EQ(checks.size(), 3u);
  for (const auto& check : checks) {
    EXPECT_TRUE(check.ok()) << check.id;
    EXPECT_EQ(check.limit, check.id == "moment" ? std::get<double>(s.values()[13].value) : GetParam().H2);
  }
  EXPECT_EQ(checks[2].demand, std::get<double>(s.values()[12].value));  // write1 at H2
  EXPECT_LE(checks[2].ratio(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmbeddedDepth,
    ::testing::Values(DepthCase{"defaults", {}, 680, "37", "675"},
                      DepthCase{"large_moment", {{"EdtM", "300"}}, 910, "37", "675"},
                      DepthCase{"axial_force_governs",
                                {{"EdtN", "20000"}, {"EdtM", "100"}, {"EdtV", "50"}, {"Edthc", "300"},
                                 {"Edtbf", "300"}, {"Edttw", "10"}, {"CBfc", "C30"}},
                                7860, "7857", "500"},
                      DepthCase{"tension", {{"EdtN", "-5000"}}, 680, "-2340", "675"},
                      DepthCase{"grades_do_not_matter", {{"CBf", "Q420"}, {"CBfta", "Q345"}}, 680, "37", "675"}),
    [](const ::testing::TestParamInfo<DepthCase>& info) { return std::string(info.param.name); });

TEST(EmbeddedBase, DefaultReportTexts) {
  DesignSession s(embeddedModule());
  s.calculate();
  const std::vector<TagText> expected{
      {"<#hb>", "450"},   {"<#bf>", "200"},        {"<#tw>", "9"},      {"<#tf>", "14"},
      {"<#M>", "160"},    {"<#N>", "80"},          {"<#V>", "40"},      {"<#concrete>", "C25"},
      {"<#steel>", "Q235"}, {"<#H1>", "37"},       {"<#H1min>", "675"}, {"<#H2>", "680"},
      {"<#fc>", "11.9"},  {"<#fct>", "1.27"},      {"<#write1>", "173.6"}, {"<#write2>", "178.885"}};
  const auto report = s.report();
  // The Part's tags first, in their order; the check verdicts follow them.
  ASSERT_GT(report.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(report[i].tag, expected[i].tag);
    EXPECT_EQ(report[i].text, expected[i].text) << expected[i].tag;
  }
}

TEST(EmbeddedBase, AxialForceIsReadOnlyWhenCalculating) {
  DesignSession s(embeddedModule());
  s.calculate();
  s.setText("EdtN", "abc");
  const Outcome outcome = s.calculate();
  EXPECT_EQ(outcome.messages, std::vector<std::string>{"“abc”不是有效的数值"});
  EXPECT_EQ(outcome.focus, "EdtN");
  EXPECT_EQ(s.results().fields[0].text, "680");
}

// Forces and sections no column has are refused before designing; the last design stays.
TEST(EmbeddedBase, ImplausibleEntriesAreRefusedAndKeepTheDesign) {
  DesignSession s(embeddedModule());
  s.calculate();
  s.setText("EdtM", "1e12");
  EXPECT_EQ(s.calculate().messages, std::vector<std::string>{"柱底弯矩M绝对值不应超过 1000000 kN·m"});
  EXPECT_EQ(s.results().fields[0].text, "680");
  s.setText("EdtM", "160");
  s.setText("Edttw", "850");  // 2bf + hb − tw = 0
  EXPECT_EQ(s.calculate().messages, std::vector<std::string>{"柱腹板厚度tw应小于柱翼缘宽度bf"});
}

}  // namespace
}  // namespace pedivo::embedded
