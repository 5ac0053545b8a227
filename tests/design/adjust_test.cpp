// Steel weight, remedies and 自动调整 over every base type.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/remedy_text.h"
#include "design/common/rigid_base.h"
#include "design/common/tables.h"
#include "adjust_cases.h"
#include "design_probe.h"

namespace pedivo {
namespace {

using testing::Design;
using testing::Texts;

double held(const Design& d, const char* name) { return d[name]; }

// The weight of each type's default design, summed part by part from its held sizes.
struct WeightCase {
  const char* module;
  std::function<double(const Design&)> parts;  // mm³ of steel
};

TEST(SteelWeight, DefaultDesignOfEveryTypeIsTheSumOfItsParts) {
  const auto v = [](const Design& d, const char* n) { return held(d, n); };
  const WeightCase cases[] = {
      {"j1", [&](const Design& d) { return v(d, "L") * v(d, "B") * v(d, "tpb"); }},
      {"j2",
       [&](const Design& d) {
         return v(d, "L") * v(d, "B") * v(d, "tpb") + 2 * (v(d, "B") - v(d, "tw")) / 2 * v(d, "hjjl") * v(d, "tjjl");
       }},
      {"g11",
       [&](const Design& d) {
         return v(d, "L") * v(d, "B") * v(d, "tpb") + 4 * (v(d, "L") - v(d, "hb")) / 2 * v(d, "hjjl") * v(d, "tjjl");
       }},
      {"g12",
       [&](const Design& d) {
         return v(d, "L") * v(d, "B") * v(d, "tpb") + 6 * (v(d, "L") - v(d, "hb")) / 2 * v(d, "hjjl") * v(d, "tjjl");
       }},
      {"g2",
       [&](const Design& d) {
         return v(d, "L") * v(d, "B") * v(d, "tpb") + 2 * v(d, "L") * v(d, "hsh") * v(d, "tsh") +
                8 * (v(d, "B") - v(d, "bf") - 2 * v(d, "tsh")) / 2 * v(d, "hjjl") * v(d, "tjjl");
       }},
      {"g3",
       [&](const Design& d) {
         const double end = v(d, "L") / 2 - v(d, "hb") / 2 - v(d, "a") / 3 - v(d, "tcb") / 2;
         return v(d, "L") * v(d, "B") * v(d, "tpb") + 2 * v(d, "L") * v(d, "hsh") * v(d, "tsh") +
                2 * end * v(d, "bf") * v(d, "tp") + 2 * v(d, "bf") * v(d, "hcb") * v(d, "tcb") +
                8 * end * v(d, "hjjl") * v(d, "tjjl");
       }},
      {"gc", [](const Design&) { return 0.0; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.module);
    const Design d = testing::design(*findModule(c.module), {});
    ASSERT_TRUE(d.session.designed());
    const double kg = c.parts(d) * 7850e-9;
    EXPECT_NEAR(*d.session.weight(), kg, 1e-9 * std::max(1.0, kg));
    EXPECT_EQ(d.tag("<#weight>"), formatWeight(kg));
    if (std::string(c.module) != "gc") {
      EXPECT_GT(kg, 10);
    }
  }
  // Before a design there is no weight.
  DesignSession fresh(*findModule("g2"));
  EXPECT_EQ(fresh.weight(), std::nullopt);
}

using namespace adjustcases;  // the failing designs shared with the benchmark

TEST(Remedies, EveryCheckOfEveryTypeCarriesOne) {
  const std::pair<const char*, Texts> cases[] = {
      {"j1", {}}, {"j2", {}}, {"g11", {}}, {"g12", {}}, {"g2", {}}, {"g3", {}}, {"gc", {}},
      {"g11", narrowColumn}, {"g12", tenBoltLayout}, {"g2", overstressedColumn}, {"g3", channelWeld},
  };
  for (const auto& [id, texts] : cases) {
    const Design d = testing::design(*findModule(id), texts);
    ASSERT_TRUE(d.session.designed()) << id;
    for (const auto& check : d.session.checks()) {
      if (check.decision) continue;  // the shear key states an outcome and never fails
      EXPECT_FALSE(check.remedy.empty()) << id << " " << check.id;
      // A remedy is one line.
      EXPECT_EQ(check.remedy.find('\n'), std::string::npos) << check.remedy;
      const std::string tag = d.tag("<#" + check.id + ".remedy>");
      EXPECT_EQ(tag, check.ok() ? "" : "；处理建议：" + check.remedy) << id << " " << check.id;
    }
  }
}

TEST(Remedies, EveryStopOfEveryTypeCarriesOne) {
  const char* stops[] = {notConvergingMessage, weldTooShortMessage, invalidNumberMessage,
                         rigidbase::boltTooLargeMessage, rigidbase::axialTensionMessage,
                         rigidbase::zeroAxialForceMessage};
  for (const ModuleDescriptor* module : allModules()) {
    ASSERT_TRUE(module->stopRemedy) << module->id;
    const Entries entries = module->defaultEntries();
    for (const char* stop : stops) {
      // The embedded base has no welds or bolts to stop on.
      if (module->id == "gc" && (stop == weldTooShortMessage || stop == rigidbase::boltTooLargeMessage)) continue;
      EXPECT_FALSE(module->stopRemedy(entries, stop).empty()) << module->id << " " << stop;
    }
  }
}

TEST(Remedies, ShownUnderTheFailingCheckAndUnderTheStop) {
  const Design failing = testing::design(*findModule("g11"), narrowColumn);
  // The outcome's messages stay as they were; the window shows the remedy under the check.
  ASSERT_EQ(failing.outcome.messages.size(), 2u);
  EXPECT_EQ(failing.outcome.messages[1].find("→"), std::string::npos);
  const auto shown = failing.session.shownMessages(failing.outcome);
  EXPECT_NE(shown[1].find("加劲肋布置宽度：计算值 204 mm，限值 200 mm\n    → 加劲肋布置需要翼缘宽度 bf ≥ 204 mm"),
            std::string::npos)
      << shown[1];

  const Design stopped = testing::design(*findModule("g2"), tWeldStop);
  ASSERT_EQ(stopped.outcome.messages, std::vector<std::string>{weldTooShortMessage});
  ASSERT_TRUE(stopped.outcome.remedy.has_value());
  EXPECT_NE(stopped.outcome.remedy->find("c、bt 增大到 100 mm 左右"), std::string::npos);
  EXPECT_EQ(stopped.session.shownMessages(stopped.outcome).front(),
            std::string(weldTooShortMessage) + "\n" + *stopped.outcome.remedy);
}

// The width a layout remedy asks of the flange is the width its check found, digit for digit.
TEST(Remedies, LayoutRemedyAsksForTheWidthTheCheckFound) {
  const std::pair<const char*, Texts> cases[] = {{"g11", narrowColumn}, {"g12", tenBoltLayout}};
  for (const auto& [id, texts] : cases) {
    const Design d = testing::design(*findModule(id), texts);
    const auto layout = d.check("layout");
    ASSERT_TRUE(layout && !layout->ok()) << id;
    const std::string width = "bf ≥ " + remedy::num(layout->demand) + " mm";
    EXPECT_NE(layout->remedy.find(width), std::string::npos) << id << ": " << layout->remedy << " / " << width;
  }
}

TEST(Remedies, OverstressedColumnNamesTheSection) {
  const Design d = testing::design(*findModule("g12"), overstressedColumn);
  const auto flange = d.check("flange");
  ASSERT_TRUE(flange && !flange->ok());
  EXPECT_NE(flange->remedy.find("柱截面或钢材牌号需加大（柱脚构造不能解决）"), std::string::npos);
  // No size gets the column through: the search ends without a passing design.
  const auto found = adjust::adjustDesign(*findModule("g12"), d.session.entries());
  ASSERT_TRUE(found.best.has_value());
  EXPECT_FALSE(found.best->passes);
}

// The proposal is the ordinary design of its entries, passes, and keeps every size at or above
// the detailing value of the bolt it ends with.
void expectSoundProposal(const char* id, const Texts& texts, const char* proposedModule) {
  SCOPED_TRACE(id);
  const Design before = testing::design(*findModule(id), texts);
  ASSERT_FALSE(adjust::passes(before.outcome, before.session.checks()));
  const auto found = adjust::adjustDesign(*findModule(id), before.session.entries());
  ASSERT_TRUE(found.best.has_value());
  const adjust::Proposal& proposal = *found.best;
  ASSERT_TRUE(proposal.passes);
  EXPECT_EQ(proposal.module->id, proposedModule);
  EXPECT_FALSE(proposal.entries.cbsize);
  EXPECT_NE(std::find(proposal.changed.begin(), proposal.changed.end(), "cbsize"), proposal.changed.end());

  Texts again;
  for (const auto& [control, text] : proposal.entries.texts) again.push_back({control, text});
  const Design after = testing::design(*proposal.module, again, false);
  EXPECT_EQ(after.outcome.messages, proposal.messages);
  EXPECT_TRUE(adjust::passes(after.outcome, after.session.checks()));
  EXPECT_EQ(after.session.weight(), proposal.weight);
  ASSERT_EQ(after.session.checks().size(), proposal.checks.size());
  for (std::size_t i = 0; i < proposal.checks.size(); ++i)
    EXPECT_EQ(after.session.checks()[i].demand, proposal.checks[i].demand) << proposal.checks[i].id;

  const int dms = static_cast<int>(after["dms"]);
  const auto bolt = tables::anchorBolt(dms);
  ASSERT_TRUE(bolt.has_value());
  const double edge = tables::boltEdgeDistance(dms);
  const auto size = [&](const char* control) { return std::stod(proposal.entries.texts.at(control)); };
  EXPECT_GE(size("Edtsizea"), bolt->a);
  EXPECT_GE(size("Edtsizec"), bolt->c);
  EXPECT_GE(size("Edtsizelt"), edge);
  EXPECT_GE(size("Edtsizebt"), edge);
  EXPECT_LE(size("Edtsizea"), 3 * bolt->a);
}

TEST(AutoAdjust, FailingDesignsOfEachKindBecomePassingOnes) {
  expectSoundProposal("g11", narrowColumn, "g11");    // stiffener layout wider than the flange
  expectSoundProposal("g12", tenBoltLayout, "g11");   // ten bolts do not fit: eight do
  expectSoundProposal("g2", tWeldStop, "g2");         // stiffener weld too short: a stop
  expectSoundProposal("j2", fourBoltWeldStop, "j2");  // stiffener weld too short, pinned
  expectSoundProposal("g3", channelWeld, "g3");       // boot-beam weld, cured by a higher boot beam
}

TEST(AutoAdjust, NothingToChangeForTheEmbeddedBase) {
  // Its depth is found by the calculation and it has no plate or bolt sizes to change.
  const Design d = testing::design(*findModule("gc"), {{"EdtM", "900"}});
  const auto found = adjust::adjustDesign(*findModule("gc"), d.session.entries());
  EXPECT_FALSE(found.best.has_value());
  EXPECT_EQ(found.candidates, 0);
}

TEST(AutoAdjust, PassingDesignIsProposedAsTheLightestNearby) {
  // A design that passes already stays a passing design no heavier than before.
  const Design d = testing::design(*findModule("j1"), {});
  ASSERT_TRUE(adjust::passes(d.outcome, d.session.checks()));
  const auto found = adjust::adjustDesign(*findModule("j1"), d.session.entries());
  ASSERT_TRUE(found.best && found.best->passes);
  EXPECT_LE(found.best->weight, *d.session.weight() + 1e-9);
}

}  // namespace
}  // namespace pedivo
