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
            "输入已于计算后修改，以下结果对应上次计算的输入：柱底弯矩M 计算时 160，现为 999；柱截面高度hb 计算时 450，现为 300。");
  EXPECT_EQ(tag(session, "<#summary>").rfind(session.statusLine(), 0), 0u) << "the summary opens with the state";
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
  EXPECT_EQ(tag(session, "<#state>"), "计算未完成，本计算书不能作为设计依据。");
  EXPECT_EQ(tag(session, "<#summary>").rfind("计算未完成，本计算书不能作为设计依据。", 0), 0u);
  EXPECT_TRUE(std::holds_alternative<drawing::DrawingRefusal>(drawing::drawDesign(session)));
  EXPECT_TRUE(session.checks().empty());
  // A completed design afterwards is complete again.
  session.setText("EdtN", "80");
  session.calculate();
  EXPECT_EQ(session.status(), DesignStatus::Completed);
  EXPECT_EQ(tag(session, "<#summary>").find("计算未完成"), std::string::npos);
}

}  // namespace
}  // namespace pedivo
