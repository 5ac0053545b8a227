// Where a window's design stands, and how its results, report and drawing say so.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/drawing/base_drawing.h"

namespace pedivo {
namespace {

std::string tag(const DesignSession& session, const std::string& name) {
  for (const auto& t : session.report())
    if (t.tag == name) return t.text;
  return "<missing>";
}

TEST(DesignStatus, FollowsTheLastCalculationAndTheEntries) {
  DesignSession session(*findModule("g11"));
  EXPECT_EQ(session.status(), DesignStatus::NotCalculated);
  EXPECT_EQ(tag(session, "<#state>"), "尚未计算，以下不是设计结果。");

  session.calculate();
  EXPECT_EQ(session.status(), DesignStatus::Completed);
  EXPECT_EQ(session.statusLine(), "");
  EXPECT_EQ(tag(session, "<#state>"), "");

  // Entries changed after "计算": the results belong to the entries the design used.
  session.setText("EdtM", "999");
  session.setText("Edthc", "300");
  EXPECT_EQ(session.status(), DesignStatus::EntriesChanged);
  EXPECT_EQ(session.statusLine(),
            "输入已于计算后修改，以下结果对应上次计算的输入（计算时 → 现在）：柱底弯矩M 160 → 999；柱截面高度hb 450 → 300。");
  EXPECT_EQ(tag(session, "<#summary>").rfind(session.statusLine(), 0), 0u) << "the summary opens with the state";
  EXPECT_EQ(tag(session, "<#pageState>"), "　" + session.statusLine()) << "every page's header repeats it";
  // The design data are those the results were calculated from.
  EXPECT_EQ(tag(session, "<#M>"), "160");
  EXPECT_EQ(tag(session, "<#hb>"), "450");
  const auto drawing = drawing::drawDesign(session);
  ASSERT_TRUE(std::holds_alternative<drawing::Drawing>(drawing));

  // Back to the texts the design used: complete again.
  session.setText("EdtM", "160");
  session.setText("Edthc", "450");
  EXPECT_EQ(session.status(), DesignStatus::Completed);

  // A refused re-run keeps the earlier design; the entries now differ from it.
  session.setText("EdtV", "0");
  EXPECT_EQ(session.calculate().ending, Ending::Stopped);
  EXPECT_EQ(session.status(), DesignStatus::EntriesChanged);
}

// The axial-tension stop keeps what it had computed: an unfinished design, never shown as final.
TEST(DesignStatus, TensionStopIsUnfinished) {
  DesignSession session(*findModule("g11"));
  for (const auto& [control, text] : {std::pair{"Edthc", "400"}, {"Edtbf", "400"}, {"Edttw", "13"}, {"Edttf", "21"},
                                      {"EdtN", "-2500"}, {"EdtM", "450"}})
    session.setText(control, text);
  const Outcome outcome = session.calculate();
  EXPECT_EQ(outcome.ending, Ending::Partial);
  EXPECT_EQ(session.status(), DesignStatus::Unfinished);
  const std::string line = "计算停止：轴向拉力超过程序计算范围。计算未完成，以下只有停止前算得的值，本计算书不能作为设计依据。";
  EXPECT_EQ(session.stopReason(), "轴向拉力超过程序计算范围，计算停止!");
  EXPECT_EQ(tag(session, "<#state>"), line);
  EXPECT_EQ(tag(session, "<#pageState>"), "　" + line);
  EXPECT_EQ(tag(session, "<#summary>").rfind(line, 0), 0u);
  // The plate grew into the tension case: the bearing found on a shorter plate is not this one's,
  // nor is anything after it.
  EXPECT_NE(tag(session, "<#L>"), "—");
  for (const char* unreached : {"<#ta>", "<#tavalues>", "<#ylmax>", "<#ylc>", "<#xn>", "<#Ntal>", "<#tpb>"})
    EXPECT_EQ(tag(session, unreached), "—") << unreached;
  EXPECT_TRUE(std::holds_alternative<drawing::DrawingRefusal>(drawing::drawDesign(session)));
  EXPECT_TRUE(session.checks().empty());
  // A completed design afterwards is complete again.
  session.setText("EdtN", "80");
  session.calculate();
  EXPECT_EQ(session.status(), DesignStatus::Completed);
  EXPECT_EQ(tag(session, "<#summary>").find("计算未完成"), std::string::npos);
  EXPECT_FALSE(session.stopReason());
  EXPECT_EQ(tag(session, "<#pageState>"), "");
}

// A boot-beam base stopped by axial tension after an earlier design: its report keeps the
// stop's own numbers, prints "—" for all it never reached and nothing of the earlier design.
TEST(DesignStatus, StoppedReportShowsOnlyWhatWasReached) {
  DesignSession session(*findModule("g2"));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  ASSERT_NE(tag(session, "<#tpb>"), "—");
  session.setText("EdtN", "-500");
  session.setText("EdtM", "10");
  ASSERT_EQ(session.calculate().ending, Ending::Partial);
  EXPECT_EQ(session.status(), DesignStatus::Unfinished);
  const std::string line = tag(session, "<#state>");
  EXPECT_EQ(line.rfind("计算停止：轴向拉力超过程序计算范围。", 0), 0u) << line;
  EXPECT_EQ(tag(session, "<#pageState>"), "　" + line);
  // The section where it stopped names the case and no formula it did not use.
  EXPECT_NE(tag(session, "<#judge>").find("轴向拉力"), std::string::npos);
  EXPECT_EQ(tag(session, "<#pressureFormula>"), "—（计算在此停止）");
  // The design data are the entries of the stopped calculation; what it reached is written.
  EXPECT_EQ(tag(session, "<#N>"), "-500");
  EXPECT_NE(tag(session, "<#L>"), "—");
  for (const char* unreached : {"<#tpb>", "<#hsh>", "<#Ntal>", "<#Ntalvalues>", "<#M2>", "<#plate.values>",
                                "<#plate.demand>", "<#plate.limit>", "<#plate.ratio>"})
    EXPECT_EQ(tag(session, unreached), "—") << unreached;
  EXPECT_EQ(tag(session, "<#plate.result>"), "未计算");
}

// A calculation that stops outright keeps the values of the one stopped part way before it, and its
// report still prints "—" for all that one never reached, not the numbers an empty window holds.
TEST(DesignStatus, AStopAfterAPartWayDesignKeepsItsUnreachedQuantitiesBlank) {
  DesignSession session(*findModule("g2"));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  session.setText("EdtN", "-500");
  session.setText("EdtM", "10");
  ASSERT_EQ(session.calculate().ending, Ending::Partial);
  const std::string length = tag(session, "<#L>");
  for (const auto& [control, text] : {std::pair{"EdtN", "941.44"}, {"EdtM", "864"}, {"CBfc", "C40"}})
    session.setText(control, text);
  ASSERT_EQ(session.calculate().ending, Ending::Stopped);
  EXPECT_EQ(tag(session, "<#L>"), length);
  for (const char* unreached : {"<#tpb>", "<#hsh>", "<#Ntal>", "<#Ntalvalues>", "<#M2>", "<#tpbt2>", "<#tpbt2values>"})
    EXPECT_EQ(tag(session, unreached), "—") << unreached;
}

// A stop that keeps nothing in a new window: the report still says why there is no design.
TEST(DesignStatus, StopInANewWindowNamesItsReason) {
  DesignSession session(*findModule("g2"));
  // A moment the boot beam cannot carry at any size: the sizes do not converge.
  for (const auto& [control, text] : {std::pair{"EdtN", "941.44"}, {"EdtM", "864"}, {"CBfc", "C40"}})
    session.setText(control, text);
  ASSERT_EQ(session.calculate().ending, Ending::Stopped);
  ASSERT_EQ(session.stopReason(), notConvergingMessage);
  EXPECT_EQ(session.status(), DesignStatus::NotCalculated);
  const std::string line = tag(session, "<#state>");
  EXPECT_EQ(line.rfind("计算停止：" + stopReasonText(*session.stopReason()) + "。", 0), 0u) << line;
  EXPECT_EQ(tag(session, "<#summary>").rfind(line, 0), 0u);
  EXPECT_EQ(line, "计算停止：设计尺寸不收敛，超出程序计算范围。没有设计结果，以下各值均未计算。");
  EXPECT_EQ(tag(session, "<#tpb>"), "—");
  EXPECT_EQ(tag(session, "<#plate.result>"), "未计算");
  EXPECT_EQ(tag(session, "<#plate.demand>"), "—");
}

TEST(DesignStatus, StopReasonReadsWithinASentence) {
  EXPECT_EQ(stopReasonText("设计尺寸不收敛，超出程序计算范围，计算停止!"), "设计尺寸不收敛，超出程序计算范围");
  EXPECT_EQ(stopReasonText("轴向拉力超过程序计算范围，计算停止!"), "轴向拉力超过程序计算范围");
  EXPECT_EQ(stopReasonText("焊缝计算长度不足"), "焊缝计算长度不足");
}

}  // namespace
}  // namespace pedivo
