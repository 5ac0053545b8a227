#include "design/common/design_session.h"

#include <gtest/gtest.h>

namespace pedivo {
namespace {

void expectSameWindow(const DesignSession& a, const DesignSession& b, const std::string& module) {
  EXPECT_EQ(a.entries().texts, b.entries().texts) << module;
  EXPECT_EQ(a.entries().cbsize, b.entries().cbsize) << module;
  const auto va = a.values();
  const auto vb = b.values();
  ASSERT_EQ(va.size(), vb.size()) << module;
  for (std::size_t i = 0; i < va.size(); ++i) EXPECT_EQ(va[i].value, vb[i].value) << module << " " << va[i].name;
  const auto ra = a.report();
  const auto rb = b.report();
  ASSERT_EQ(ra.size(), rb.size()) << module;
  for (std::size_t i = 0; i < ra.size(); ++i) EXPECT_EQ(ra[i].text, rb[i].text) << module << " " << ra[i].tag;
  EXPECT_EQ(a.checks().size(), b.checks().size()) << module;
  EXPECT_EQ(a.results().redCaptions, b.results().redCaptions) << module;
}

// A window designed, then set back, is a window just opened: the same entries, nothing held,
// and the same design on the next "计算".
TEST(DesignSession, ResetGivesAWindowJustOpened) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession used(*module);
    if (module->hasDetailingToggle) used.setCbsize(false);
    used.setText("EdtN", "1234");
    used.calculate();
    used.reset();
    DesignSession fresh(*module);
    expectSameWindow(used, fresh, module->id);
    used.calculate();
    fresh.calculate();
    expectSameWindow(used, fresh, module->id);
  }
}

// The report handed over tag by tag is the report as a list, before and after a design, passing
// checks and failing ones.
TEST(DesignSession, ReportHandedOverTagByTagIsTheReportList) {
  for (const ModuleDescriptor* module : allModules()) {
    DesignSession session(*module);
    for (const char* axialForce : {"", "1500", "9000"}) {
      if (*axialForce != '\0') {
        session.setText("EdtN", axialForce);
        session.calculate();
      }
      std::vector<TagText> handed;
      session.report([&handed](std::string_view tag, std::string_view text) {
        handed.push_back({std::string(tag), std::string(text)});
      });
      const auto list = session.report();
      ASSERT_EQ(handed.size(), list.size()) << module->id;
      for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(handed[i].tag, list[i].tag) << module->id;
        EXPECT_EQ(handed[i].text, list[i].text) << module->id << " " << list[i].tag;
      }
    }
  }
}

}  // namespace
}  // namespace pedivo
