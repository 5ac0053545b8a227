// How a calculation ended travels as values (a stop, a closing), the messages are written from
// them; held numbers and result fields are found by name or the lookup fails loudly.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <variant>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/rigid_base.h"
#include "design/drawing/design_facts.h"
#include "design/bootbeam/boot_beam.h"
#include "design/embedded/embedded.h"
#include "design/pinned/four_bolt.h"
#include "design/rigid/rigid_plate.h"
#include "design_probe.h"

namespace pedivo {
namespace {

using testing::design;
using testing::Texts;

const ModuleDescriptor& module(const char* id) { return *findModule(id); }

TEST(Outcomes, StopsCarryTheirReasonAndTheMessageWrittenFromIt) {
  const Texts zero{{"EdtN", "0"}};
  const auto stopped = design(module("g11"), zero);
  ASSERT_TRUE(stopped.outcome.stop);
  EXPECT_EQ(*stopped.outcome.stop, Stop::ZeroAxialForce);
  EXPECT_EQ(stopped.outcome.messages, std::vector<std::string>{stopMessage(Stop::ZeroAxialForce)});
  EXPECT_EQ(stopped.outcome.focus, "EdtN");

  const Texts tension{{"Edthc", "400"}, {"Edtbf", "400"}, {"Edttw", "13"}, {"Edttf", "21"}, {"EdtN", "-2500"},
                      {"EdtM", "450"}};
  const auto partial = design(module("g11"), tension);
  EXPECT_EQ(partial.outcome.ending, Ending::Partial);
  ASSERT_TRUE(partial.outcome.stop);
  EXPECT_EQ(*partial.outcome.stop, Stop::AxialTension);
  EXPECT_EQ(partial.outcome.messages.front(), rigidbase::axialTensionMessage);

  const auto refused = design(module("g2"), {{"Edthc", "abc"}});
  ASSERT_TRUE(refused.outcome.stop);
  EXPECT_EQ(*refused.outcome.stop, Stop::EntryRefused);

  const auto done = design(module("g2"), {});
  EXPECT_FALSE(done.outcome.stop);
  EXPECT_EQ(done.outcome.closing, Closing::Designed);
  EXPECT_EQ(done.outcome.messages.front(), closingMessage(Closing::Designed));
}

// A layout wider than the flange closes differently; 自动调整 never takes it as passing, whatever
// the checks say.
TEST(Outcomes, ALayoutFaultIsAClosingThatNeverPasses) {
  const auto wide = design(module("g2"), {{"Edtsizec", "120"}, {"EdtM", "50"}}, false);
  ASSERT_EQ(wide.outcome.ending, Ending::Completed);
  EXPECT_EQ(wide.outcome.closing, Closing::LayoutFault);
  EXPECT_EQ(wide.outcome.messages.front(), rigidbase::layoutFaultMessage);
  Outcome passing = wide.outcome;
  passing.closing = Closing::Designed;
  const std::vector<DesignCheck> none;
  EXPECT_FALSE(adjust::passes(wide.outcome, none));
  EXPECT_TRUE(adjust::passes(passing, none));
  // The verdict does not read the words: a reworded message changes nothing.
  passing.messages = {"reworded"};
  EXPECT_TRUE(adjust::passes(passing, none));
}

TEST(Outcomes, EveryStopHasItsOwnMessage) {
  const Stop stops[] = {Stop::ZeroAxialForce, Stop::AxialTension, Stop::BoltTooLarge,
                        Stop::NotConverging,  Stop::WeldTooShort, Stop::InvalidNumber};
  std::set<std::string> seen;
  for (const Stop stop : stops) {
    const std::string message = stopMessage(stop);
    EXPECT_FALSE(message.empty());
    EXPECT_TRUE(seen.insert(message).second) << message;
  }
  EXPECT_NE(std::string(closingMessage(Closing::Designed)), closingMessage(Closing::LayoutFault));
}

TEST(HeldNumbers, AMissingNameIsAnErrorNeverZero) {
  const auto d = design(module("g11"), {});
  const std::vector<NamedValue> values = d.session.values();
  EXPECT_EQ(heldNumber(values, "L"), d["L"]);
  EXPECT_THROW(heldNumber(values, "noSuchValue"), std::logic_error);
  EXPECT_FALSE(findHeldNumber(values, "noSuchValue"));
  EXPECT_THROW(heldNumber(values, "judge"), std::logic_error);  // a text, not a number
  const drawing::DesignFacts facts(values, d.session.results().fields, d.session.report());
  EXPECT_EQ(facts.value("tpb"), d["tpb"]);
  EXPECT_THROW(facts.value("noSuchValue"), std::logic_error);
  EXPECT_FALSE(facts.has("noSuchValue"));
  EXPECT_EQ(facts.optionalValue("tpb"), d["tpb"]);
}

template <class Held>
std::size_t scannedBy(const DesignState& state) {
  const auto* typed = dynamic_cast<const StateOf<Held>*>(&state);
  return typed != nullptr ? typed->scannedNumbers() : 0;
}

// The overflow guard reads the held numbers without listing them: every number the list of values
// holds, of every type, designed and checked.
// Held numbers picked by their places read what the list holds there, for every type, designed
// and checked: the first and last number, and some between, past the texts the list holds; the
// list itself gives the same when asked instead (a state without its own way of picking).
TEST(HeldNumbers, NumbersPickedByPlaceAreThoseTheListHoldsThere) {
  for (const ModuleDescriptor* m : allModules()) {
    const auto d = design(*m, {});
    const std::unique_ptr<DesignState> state = m->newState();
    for (const bool checked : {false, true}) {
      const Outcome outcome = checked ? state->check(d.session.entries(), d.session.sizes())
                                      : state->calculate(d.session.entries());
      ASSERT_EQ(outcome.ending, Ending::Completed) << m->id;
      std::vector<double> numbers;
      for (const auto& value : state->values())
        if (const double* x = std::get_if<double>(&value.value)) numbers.push_back(*x);
      ASSERT_GT(numbers.size(), 3u) << m->id;
      const std::vector<std::size_t> places{0, 1, numbers.size() / 2, numbers.size() - 1};
      std::vector<double> picked(places.size(), -1);
      std::vector<double> listed(places.size(), -1);
      state->heldNumbersAt(places, picked);
      state->DesignState::heldNumbersAt(places, listed);
      for (std::size_t k = 0; k < places.size(); ++k) {
        EXPECT_EQ(picked[k], numbers[places[k]]) << m->id << " place " << places[k];
        EXPECT_EQ(listed[k], numbers[places[k]]) << m->id << " place " << places[k];
      }
    }
  }
}

TEST(HeldNumbers, TheOverflowGuardReadsEveryNumberTheListHolds) {
  for (const ModuleDescriptor* m : allModules()) {
    const auto d = design(*m, {});
    const std::unique_ptr<DesignState> state = m->newState();
    for (const bool checked : {false, true}) {
      const Outcome outcome = checked ? state->check(d.session.entries(), d.session.sizes())
                                      : state->calculate(d.session.entries());
      ASSERT_EQ(outcome.ending, Ending::Completed) << m->id;
      const auto& values = state->values();
      const auto listed = std::count_if(values.begin(), values.end(), [](const NamedValue& value) {
        return std::holds_alternative<double>(value.value);
      });
      const std::size_t read = scannedBy<rigid::RigidPlateHeld>(*state) + scannedBy<bootbeam::BootBeamHeld>(*state) +
                               scannedBy<pinned::PinnedPlateHeld>(*state) + scannedBy<pinned::FourBoltHeld>(*state) +
                               scannedBy<embedded::EmbeddedHeld>(*state);
      EXPECT_GT(read, 0u) << m->id;
      EXPECT_EQ(read, static_cast<std::size_t>(listed)) << m->id << (checked ? " checked" : " designed");
    }
  }
}

std::set<std::string> resultFieldNames(const ModuleDescriptor& m) {
  std::set<std::string> names;
  for (const auto& group : m.resultGroups)
    for (const auto& field : group.fields) names.insert(field.name);
  return names;
}

// The result window shows the descriptor's fields: the calculation fills each of them once, and
// every check that turns a caption red names one of them.
TEST(ResultFields, EveryTypeFillsItsWindowsFieldsAndItsChecksNameOnlyThose) {
  for (const ModuleDescriptor* m : allModules()) {
    const auto d = design(*m, {}, m->hasDetailingToggle);
    const std::set<std::string> names = resultFieldNames(*m);
    std::multiset<std::string> filled;
    for (const auto& field : d.session.results().fields) filled.insert(field.field);
    EXPECT_EQ(filled, std::multiset<std::string>(names.begin(), names.end())) << m->id;
    for (const auto& check : d.session.checks())
      for (const auto& field : check.fields) EXPECT_TRUE(names.count(std::string(field))) << m->id << " " << check.id << " " << field;
  }
}

}  // namespace
}  // namespace pedivo
