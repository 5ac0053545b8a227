#include "design/embedded/embedded.h"

#include <gtest/gtest.h>

#include <cmath>

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

// The default column, 450 × 200 × 9 × 14 in C25 (fc = 11.9, ft = 1.27), under N = 80 kN, V = 40 kN
// and the moment M in kN·m.
EmbeddedHeld columnUnder(double M) {
  EmbeddedHeld h;
  h.N = 80e3, h.M = M * 1e6, h.V = 40e3;
  h.hb = 450, h.bf = 200, h.tw = 9, h.tf = 14;
  h.fc = 11.9, h.fct = 1.27;
  return h;
}

// The concrete beside the flange resists the moment at a depth.
bool resists(const InsertionDepth& d) { return !(d.write2 < d.write1); }

// The way the depth was set names the condition that governs it: the least depth 1.5·450 = 675
// (up to 680) where N asks 37 mm; deepened where 160 kN·m becomes 300 kN·m; N where it asks more
// than the least depth.
TEST(EmbeddedDepthStep, TheWayTheDepthWasSetNamesTheConditionThatGoverns) {
  RoundLimit rounds;
  const EmbeddedHeld usual = columnUnder(160);
  const InsertionDepth least = designedDepth(usual, depthDemands(usual), rounds);
  EXPECT_EQ(least.setBy, DepthSetBy::LeastDepth);
  EXPECT_EQ(least.demands.H1min, 675);
  EXPECT_EQ(least.start, 680);
  EXPECT_EQ(least.H2, 680);
  EXPECT_EQ(rounds.used(), 0);

  const EmbeddedHeld heavy = columnUnder(300);
  const InsertionDepth moment = designedDepth(heavy, depthDemands(heavy), rounds);
  EXPECT_EQ(moment.setBy, DepthSetBy::Moment);
  EXPECT_EQ(moment.start, 680);
  EXPECT_EQ(moment.H2, 910);

  EmbeddedHeld pulled = columnUnder(160);
  pulled.N = 2000e3;  // H1 = (2·10⁶/1.27/2)/841 = 936.3
  const InsertionDepth axial = designedDepth(pulled, depthDemands(pulled), rounds);
  EXPECT_EQ(axial.setBy, DepthSetBy::AxialForce);
  EXPECT_NEAR(axial.demands.H1, 936.27, 0.01);
  EXPECT_EQ(axial.H2, 940);

  // Under tension N asks nothing: the least depth governs.
  EmbeddedHeld tension = columnUnder(160);
  tension.N = -5000e3;
  EXPECT_EQ(designedDepth(tension, depthDemands(tension), rounds).setBy, DepthSetBy::LeastDepth);

  // Where N asks exactly the least depth, the least depth is named.
  const InsertionDepth tie = designedDepth(usual, DepthDemands{675, 675}, rounds);
  EXPECT_EQ(tie.setBy, DepthSetBy::LeastDepth);
  EXPECT_EQ(tie.H2, 680);
}

// The least depth is never below 500 mm, whatever the section: a 300 mm column goes 500 deep.
TEST(EmbeddedDepthStep, AShallowSectionGoesTheLeastDepth) {
  EmbeddedHeld h = columnUnder(0);
  h.hb = 300, h.V = 0;
  EXPECT_EQ(depthDemands(h).H1min, 500);
  h.hb = 340;
  EXPECT_EQ(depthDemands(h).H1min, 510);
}

// Deepened 10 mm a round from the deeper demand, the depth stops at the first whole ten that
// resists: one ten less does not. Each ten is a round.
TEST(EmbeddedDepthStep, DeepeningStopsAtTheFirstTenThatResists) {
  for (const double M : {170.0, 300.0, 2000.0}) {
    SCOPED_TRACE(M);
    const EmbeddedHeld h = columnUnder(M);
    RoundLimit rounds;
    const InsertionDepth d = designedDepth(h, depthDemands(h), rounds);
    ASSERT_EQ(d.setBy, DepthSetBy::Moment);
    EXPECT_TRUE(resists(d));
    EXPECT_FALSE(resists(givenDepth(h, d.demands, d.H2 - 10)));
    EXPECT_EQ(std::fmod(d.H2 - d.start, 10), 0);
    EXPECT_EQ(rounds.used(), static_cast<long>((d.H2 - d.start) / 10));
  }
}

// A given depth is checked as it stands, not deepened; the depth held, its moments and the way it
// was set come from one record.
TEST(EmbeddedDepthStep, AGivenDepthIsTakenAsItStands) {
  EmbeddedHeld h = columnUnder(300);
  const InsertionDepth given = givenDepth(h, depthDemands(h), 700);
  EXPECT_EQ(given.setBy, DepthSetBy::Given);
  EXPECT_EQ(given.H2, 700);
  EXPECT_FALSE(resists(given));
  holdDepth(h, given);
  EXPECT_EQ(h.H2, 700);
  EXPECT_EQ(h.H1min, 675);
  EXPECT_EQ(h.write1, given.write1);
  EXPECT_EQ(h.write2, given.write2);
  EXPECT_EQ(h.depthSetBy, DepthSetBy::Given);

  DesignSession s(embeddedModule());
  s.setText("EdtM", "300");
  EXPECT_EQ(s.check({{"H2", 700}}).ending, Ending::Completed);
  EXPECT_EQ(std::get<double>(s.values()[11].value), 700);  // H2
  EXPECT_EQ(std::get<double>(s.values()[12].value), given.write1);
}

}  // namespace
}  // namespace pedivo::embedded
