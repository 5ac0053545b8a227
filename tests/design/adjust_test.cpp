// Steel weight, remedies and 自动调整 over every base type.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"
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
  // The shear key of an exposed base, an H section of length tg + hk; none in the embedded base.
  const auto key = [&](const Design& d) {
    if (std::string(d.session.module().id) == "gc") return 0.0;
    const double area = 2 * v(d, "keyb") * v(d, "keytf") + (v(d, "keyh") - 2 * v(d, "keytf")) * v(d, "keytw");
    return area * (v(d, "tg") + v(d, "hk"));
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.module);
    const Design d = testing::design(*findModule(c.module), {});
    ASSERT_TRUE(d.session.designed());
    const double kg = (c.parts(d) + key(d)) * 7850e-9;
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
  const Stop stops[] = {Stop::NotConverging, Stop::WeldTooShort,   Stop::InvalidNumber,
                        Stop::BoltTooLarge,  Stop::AxialTension,   Stop::ZeroAxialForce};
  for (const ModuleDescriptor* module : allModules()) {
    ASSERT_TRUE(module->stopRemedy) << module->id;
    const Entries entries = module->defaultEntries();
    for (const Stop stop : stops) {
      // The embedded base has no welds or bolts to stop on.
      if (module->id == "gc" && (stop == Stop::WeldTooShort || stop == Stop::BoltTooLarge)) continue;
      EXPECT_FALSE(module->stopRemedy(entries, stop).empty()) << module->id << " " << stopMessage(stop);
    }
    // A refused entry has its own message; no stop advice but the column's own stress.
    EXPECT_TRUE(module->stopRemedy(entries, Stop::EntryRefused).empty()) << module->id;
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
    // Another type is the way out, and 自动调整 proposes it.
    EXPECT_NE(layout->remedy.find(remedy::typeChangeByAdjust), std::string::npos) << id;
  }
}

// A need just over what a check allows is written with the decimals it takes to differ from the
// allowed value, never as the same number.
TEST(Remedies, ANeedJustBeyondItsLimitShowsTheDifference) {
  EXPECT_EQ(remedy::beyond(12.3456, 10.1), "12.345");
  EXPECT_EQ(remedy::beyond(10.10049, 10.1), "10.1004");
  EXPECT_EQ(remedy::beyond(10.100049, 10.1), "10.10004");
  EXPECT_EQ(remedy::beyond(10.1000049, 10.1), "10.100004");
}

TEST(Remedies, OverstressedColumnNamesTheSection) {
  const Design d = testing::design(*findModule("g12"), overstressedColumn);
  const auto flange = d.check("flange");
  ASSERT_TRUE(flange && !flange->ok());
  EXPECT_NE(flange->remedy.find("柱截面或钢材牌号需加大（柱脚构造不能解决）"), std::string::npos);
  // No plate size gets the column's flange through; boot beams take the flange force off it.
  const auto found = adjust::adjustDesign(*findModule("g12"), d.session.entries());
  ASSERT_TRUE(found.best.has_value());
  EXPECT_TRUE(found.best->typeChange.has_value());
  EXPECT_TRUE(found.best->module->id == "g2" || found.best->module->id == "g3") << found.best->module->id;
}

// A proposal is the ordinary design of its entries: designed again it gives the same messages,
// checks and weight; its size entries are the sizes that design uses, none under the detailing
// value of the bolt it ends with, none over three times it.
void expectProposalIsItsOwnDesign(const adjust::Proposal& proposal) {
  Texts again;
  for (const auto& [control, text] : proposal.entries.texts) again.push_back({control, text});
  const Design after = testing::design(*proposal.module, again, proposal.entries.cbsize);
  EXPECT_EQ(after.outcome.messages, proposal.messages);
  EXPECT_EQ(adjust::passes(after.outcome, after.session.checks()), proposal.passes);
  if (after.outcome.ending != Ending::Completed) return;
  EXPECT_EQ(after.session.weight(), proposal.weight);
  ASSERT_EQ(after.session.checks().size(), proposal.checks.size());
  for (std::size_t i = 0; i < proposal.checks.size(); ++i)
    EXPECT_EQ(after.session.checks()[i].demand, proposal.checks[i].demand) << proposal.checks[i].id;

  const int dms = static_cast<int>(after["dms"]);
  const auto bolt = tables::anchorBolt(dms);
  ASSERT_TRUE(bolt.has_value());
  const double edge = tables::boltEdgeDistance(dms);
  const std::pair<const char*, const char*> sizes[] = {
      {"Edtsizea", "a"}, {"Edtsizec", "c"}, {"Edtsizelt", "lt"}, {"Edtsizebt", "bt"}};
  const double detailing[] = {bolt->a, bolt->c, edge, edge};
  for (std::size_t i = 0; i < 4; ++i) {
    const double entry = std::stod(proposal.entries.texts.at(sizes[i].first));
    EXPECT_EQ(entry, after[sizes[i].second]) << sizes[i].first;
    EXPECT_GE(entry, detailing[i]) << sizes[i].first << " of bolt " << dms;
  }
}

// The proposal passes, unticks the detailing box and is the ordinary design of its entries.
adjust::Proposal expectSoundProposal(const char* id, const Texts& texts, const char* proposedModule) {
  SCOPED_TRACE(id);
  const Design before = testing::design(*findModule(id), texts);
  EXPECT_FALSE(adjust::passes(before.outcome, before.session.checks()));
  const auto found = adjust::adjustDesign(*findModule(id), before.session.entries());
  EXPECT_TRUE(found.best.has_value());
  if (!found.best) return {};
  const adjust::Proposal& proposal = *found.best;
  EXPECT_TRUE(proposal.passes);
  if (proposedModule != nullptr) {
    EXPECT_EQ(proposal.module->id, proposedModule);
  }
  EXPECT_FALSE(proposal.entries.cbsize);
  EXPECT_NE(std::find(proposal.changed.begin(), proposal.changed.end(), "cbsize"), proposal.changed.end());
  expectProposalIsItsOwnDesign(proposal);
  return proposal;
}

TEST(AutoAdjust, FailingDesignsOfEachKindBecomePassingOnes) {
  expectSoundProposal("g11", narrowColumn, "g11");    // stiffener layout wider than the flange
  expectSoundProposal("g2", tWeldStop, "g2");         // stiffener weld too short: a stop
  expectSoundProposal("j2", fourBoltWeldStop, "j2");  // stiffener weld too short, pinned
}

// A pinned plate does not use c and lt: of equal designs the one with the smaller entries is
// proposed, so they stay at the detailing values of the proposal's bolt.
TEST(AutoAdjust, SizesThatChangeNothingStayAtDetailing) {
  const Texts deep{{"Edthc", "900"}, {"Edtbf", "300"}, {"Edttw", "16"},  {"Edttf", "28"}, {"EdtN", "3469"},
                   {"EdtV", "239"},  {"CBf", "Q235"},  {"CBfta", "Q345"}, {"CBfc", "C25"}};
  for (const Texts& texts : {fourBoltWeldStop, deep}) {
    const Design before = testing::design(*findModule("j2"), texts);
    const auto found = adjust::adjustDesign(*findModule("j2"), before.session.entries());
    ASSERT_TRUE(found.best && found.best->passes);
    const adjust::Proposal& proposal = *found.best;
    const int dms = std::stoi(proposal.entries.texts.at("cbdms"));
    EXPECT_EQ(std::stod(proposal.entries.texts.at("Edtsizec")), tables::anchorBolt(dms)->c);
    EXPECT_EQ(std::stod(proposal.entries.texts.at("Edtsizelt")), tables::boltEdgeDistance(dms));
  }
}

// A flange too narrow for any plate layout: no eight- or ten-bolt design passes, and the lightest
// passing base of the family is a boot-beam base, said in so many words.
TEST(AutoAdjust, PlateBaseOnANarrowFlangeBecomesABootBeamBase) {
  EXPECT_EQ(adjust::typeChangeText(*findModule("g2")), "本类型在可调整范围内没有满足要求的设计，建议改用T型靴梁柱脚");
  for (const char* id : {"g11", "g12"}) {
    const adjust::Proposal proposal = expectSoundProposal(id, narrowFlange, nullptr);
    ASSERT_TRUE(proposal.module != nullptr);
    EXPECT_TRUE(proposal.module->id == "g2" || proposal.module->id == "g3") << proposal.module->id;
    ASSERT_FALSE(proposal.changed.empty());
    EXPECT_EQ(proposal.changed.front(), "module");
    EXPECT_EQ(proposal.typeChange, adjust::typeChangeText(*proposal.module));
    // The section, forces, grades, concrete and edition are those typed.
    const Design before = testing::design(*findModule(id), narrowFlange);
    for (const auto& [control, text] : before.session.entries().texts) {
      if (!findModule(id)->inSizeGroup(control)) {
        EXPECT_EQ(proposal.entries.texts.at(control), text) << control;
      }
    }
  }
}

// The own type comes first: a ten-bolt layout 10 mm too wide for the flange fits with other sizes
// and stays a ten-bolt base.
TEST(AutoAdjust, OwnTypeFirst) {
  const adjust::Proposal proposal = expectSoundProposal("g12", tenBoltFits, "g12");
  EXPECT_FALSE(proposal.typeChange.has_value());
  EXPECT_EQ(std::find(proposal.changed.begin(), proposal.changed.end(), "module"), proposal.changed.end());
}

TEST(AutoAdjust, FamiliesNeverMix) {
  const auto ids = [](const ModuleDescriptor& m) {
    std::vector<std::string> list;
    for (const ModuleDescriptor* other : adjust::familyOf(m)) list.push_back(other->id);
    return list;
  };
  EXPECT_EQ(ids(*findModule("g11")), (std::vector<std::string>{"g12", "g2", "g3"}));
  EXPECT_EQ(ids(*findModule("g3")), (std::vector<std::string>{"g11", "g12", "g2"}));
  EXPECT_EQ(ids(*findModule("j1")), (std::vector<std::string>{"j2"}));
  EXPECT_EQ(ids(*findModule("j2")), (std::vector<std::string>{"j1"}));
  EXPECT_TRUE(ids(*findModule("gc")).empty());
}

// Entries the input checks refuse, or that are no number, are not adjusted: the refusal is told
// instead.
TEST(AutoAdjust, RefusedEntriesGetNoProposal) {
  const std::pair<const char*, const char*> refused[] = {{"Edthc", "0"}, {"EdtN", "abc"}};
  for (const auto& [control, text] : refused) {
    Entries entries = findModule("g3")->defaultEntries();
    entries.texts[control] = text;
    const auto found = adjust::adjustDesign(*findModule("g3"), entries);
    EXPECT_FALSE(found.best.has_value()) << control;
    EXPECT_EQ(found.candidates, 0);
    ASSERT_TRUE(found.refusal.has_value());
    EXPECT_EQ(*found.refusal, control == std::string("EdtN") ? notANumberMessage(text) : "柱截面高度必须大于0");
  }
}

// Seeded realistic columns of every adjustable type: every proposal, passing or the best
// near-miss, with or without a change of type, is the ordinary design of its entries and keeps
// the detailing sizes of its own bolt. PEDIVO_ADJUST_SWEEP sets how many columns a type.
TEST(AutoAdjust, EveryProposalIsItsOwnDesignAboveDetailing) {
  const char* more = std::getenv("PEDIVO_ADJUST_SWEEP");
  const int count = more != nullptr ? std::atoi(more) : 2;
  std::mt19937 random(20261209);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::array<std::array<const char*, 4>, 6> sections{{{"200", "100", "5.5", "8"},
                                                            {"294", "200", "8", "12"},
                                                            {"390", "300", "10", "16"},
                                                            {"600", "200", "11", "17"},
                                                            {"700", "300", "13", "24"},
                                                            {"900", "300", "16", "28"}}};
  for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3"}) {
    for (int k = 0; k < count; ++k) {
      const auto& section = sections[pick(6)];
      const Texts texts{{"Edthc", section[0]}, {"Edtbf", section[1]}, {"Edttw", section[2]}, {"Edttf", section[3]},
                        {"EdtN", std::to_string(100 + pick(3000))}, {"EdtV", std::to_string(10 + pick(300))},
                        {"CBf", pick(2) ? "Q345" : "Q235"}, {"CBfc", pick(2) ? "C30" : "C25"}};
      Texts withMoment = texts;
      if (id[0] == 'g') withMoment.push_back({"EdtM", std::to_string(10 + pick(1500))});
      SCOPED_TRACE(std::string(id) + " case " + std::to_string(k));
      const Design before = testing::design(*findModule(id), withMoment);
      const auto found = adjust::adjustDesign(*findModule(id), before.session.entries());
      ASSERT_TRUE(found.best.has_value());
      expectProposalIsItsOwnDesign(*found.best);
    }
  }
}

TEST(AutoAdjust, HeavyTenBoltColumnIsNotProposedUnderDetailing) {
  // Once proposed as an eight-bolt base with c = 105 mm, under the 110 mm of its M60 bolt.
  const Texts heavy{{"Edthc", "937"},      {"Edtbf", "293"},     {"Edttw", "18"},  {"Edttf", "38"},
                    {"CBf", "Q345"},       {"CBfc", "C40"},      {"EdtN", "1179.234"},
                    {"EdtV", "1549.37"},   {"EdtM", "1801"}};
  const Design before = testing::design(*findModule("g12"), heavy);
  const auto found = adjust::adjustDesign(*findModule("g12"), before.session.entries());
  ASSERT_TRUE(found.best.has_value());
  expectProposalIsItsOwnDesign(*found.best);
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

// 自动调整 of a design of several combinations: a 600×300 column whose enveloped base fails its
// plate and stiffener under the larger moment finds a base that passes under every combination,
// and that proposal designed again, and checked as given sizes, gives the same verdicts.
TEST(AdjustDesign, SearchesTheBaseOfEveryCombination) {
  const ModuleDescriptor& module = *findModule("g11");
  const std::vector<LoadCombination> loads{{"A", 2000, 100, 250}, {"B", 150, 50, 150}, {"G", 2600, 20, 0}};
  DesignSession session(module);
  for (const auto& [control, text] : Texts{{"Edthc", "588"}, {"Edtbf", "300"}, {"Edttw", "12"}, {"Edttf", "20"}})
    session.setText(control, text);
  session.setCbsize(true);
  ASSERT_FALSE(session.setLoads(loads));
  const Outcome before = session.calculate();
  ASSERT_FALSE(adjust::passes(before, session.checks()));

  const auto found = adjust::adjustDesign(module, session.entries(), loads);
  ASSERT_TRUE(found.best);
  const adjust::Proposal& proposal = *found.best;
  EXPECT_TRUE(proposal.passes);
  EXPECT_LE(found.candidates, 1200);
  for (const DesignCheck& check : proposal.checks) {
    EXPECT_TRUE(check.ok()) << check.id;
    EXPECT_TRUE(check.governing) << check.id;
  }

  DesignSession again(*proposal.module);
  for (const auto& [control, text] : proposal.entries.texts) again.setText(control, text);
  again.setCbsize(proposal.entries.cbsize);
  ASSERT_FALSE(again.setLoads(loads));
  const Outcome redesigned = again.calculate();
  EXPECT_TRUE(adjust::passes(redesigned, again.checks()));
  EXPECT_DOUBLE_EQ(*again.weight(), proposal.weight);
  const Sizes sizes = again.sizes();
  ASSERT_EQ(again.check(sizes).ending, Ending::Completed);
  ASSERT_EQ(again.checks().size(), proposal.checks.size());
  for (std::size_t k = 0; k < proposal.checks.size(); ++k) {
    EXPECT_EQ(again.checks()[k].ok(), proposal.checks[k].ok()) << proposal.checks[k].id;
    EXPECT_EQ(again.checks()[k].governing->name, proposal.checks[k].governing->name) << proposal.checks[k].id;
  }
}

// Combinations the design refuses are refused by 自动调整 too, with the same words.
TEST(AdjustDesign, RefusesCombinationsWithoutAnyMoment) {
  const ModuleDescriptor& module = *findModule("g2");
  const std::vector<LoadCombination> loads{{"G1", 2600, 20, 0}, {"G2", 1000, 20, 0}};
  const auto found = adjust::adjustDesign(module, module.defaultEntries(), loads);
  EXPECT_FALSE(found.best);
  ASSERT_TRUE(found.refusal);
  EXPECT_EQ(*found.refusal, "柱底弯矩应输入正值：全部 2 组荷载组合的弯矩 M 均为 0");
}

}  // namespace
}  // namespace pedivo
