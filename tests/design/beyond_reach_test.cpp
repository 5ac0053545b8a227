// Base types no plate sizes can help, which 自动调整 does not walk when it looks for another type of
// the family: the bound must never be drawn where some size passes, and must be drawn for a
// column that cannot carry its load.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "adjust_cases.h"
#include "design/adjust/adjust.h"
#include "design/adjust/beyond_reach.h"
#include "design/adjust/type_search.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"

namespace pedivo {
namespace {

using adjustcases::Texts;

Entries entriesOf(const char* module, const Texts& texts) {
  Entries entries = findModule(module)->defaultEntries();
  for (const auto& [control, text] : texts) entries.texts[control] = text;
  entries.cbsize = true;
  return entries;
}

// The held values of a completed design of the entries; none where it does not complete.
std::vector<NamedValue> heldOf(const char* module, const Entries& entries) {
  DesignSession session(*findModule(module));
  for (const auto& [control, text] : entries.texts) session.setText(control, text);
  session.setCbsize(entries.cbsize);
  if (session.calculate().ending != Ending::Completed) return {};
  return session.values();
}

// The bound of the column's welds from a design of the entries, as the search draws it.
bool bound(const char* module, const Entries& entries) {
  const std::vector<NamedValue> held = heldOf(module, entries);
  return !held.empty() && adjust::columnWeldsFailUnderAnyPlate(*findModule(module), entries, held);
}

struct Tried {
  int completed = 0;
  int passing = 0;    // every check holds
  int weldsHold = 0;  // the flange and the column welds hold
};

// Plate sizes at 1, 2 and 3 times their detailing values, each alone and all together, with the
// bolt the design of the entries chose: designs the search could reach.
Tried tryPlates(const char* module, const Entries& entries) {
  DesignSession first(*findModule(module));
  for (const auto& [control, text] : entries.texts) first.setText(control, text);
  first.calculate();
  double dms = 0;
  for (const auto& v : first.values())
    if (v.name == "dms") dms = std::get<double>(v.value);
  const auto low = adjust::detailingSizes(static_cast<int>(dms));
  EXPECT_TRUE(low.has_value());
  constexpr std::array<const char*, 4> controls{"Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"};
  Tried tried;
  for (int which = -1; which < 4; ++which)
    for (const double factor : {1.0, 2.0, 3.0}) {
      DesignSession session(*findModule(module));
      for (const auto& [control, text] : entries.texts) session.setText(control, text);
      session.setCbsize(false);
      for (int i = 0; i < 4; ++i)
        session.setText(controls[i], formatGeneral((which < 0 || which == i ? factor : 1.0) * (*low)[i]));
      if (session.calculate().ending != Ending::Completed) continue;
      ++tried.completed;
      bool all = true, welds = true;
      for (const auto& check : session.checks()) {
        all = all && check.ok();
        if (check.id == "flange" || check.id == "weld") welds = welds && check.ok();
      }
      tried.passing += all;
      tried.weldsHold += welds;
    }
  return tried;
}

// Moments from a column that carries its load easily to one it cannot carry at all: where the
// bound is drawn no plate lets the column's welds hold, and some moments fail at the design's own
// welds while a larger leg would still hold them (no bound there).
TEST(BeyondReach, RigidPlateBoundOnlyWhereNoWeldHolds) {
  for (const char* module : {"g11", "g12"}) {
    int drawn = 0, failingYetOpen = 0;
    for (const char* moment : {"100", "400", "700", "900", "1171", "1400", "1700", "2000", "3000"}) {
      Texts texts = adjustcases::overstressedColumn;
      texts.push_back({"EdtM", moment});
      const Entries entries = entriesOf(module, texts);
      const Tried tried = tryPlates(module, entries);
      ASSERT_GT(tried.completed, 0) << module << " M " << moment;
      if (bound(module, entries)) {
        ++drawn;
        EXPECT_EQ(tried.weldsHold, 0) << module << " M " << moment;
        EXPECT_EQ(tried.passing, 0) << module << " M " << moment;
      } else if (tried.weldsHold < tried.completed) {
        ++failingYetOpen;
      }
    }
    EXPECT_GE(drawn, 2) << module;
    EXPECT_GE(failingYetOpen, 1) << module;
  }
}

// The pinned plates carry N alone: a short heavy column is beyond any plate, a light one is not.
TEST(BeyondReach, PinnedPlateBoundFollowsTheAxialForce) {
  const Texts column{{"Edthc", "200"}, {"Edtbf", "150"}, {"Edttw", "6"}, {"Edttf", "9"}, {"EdtV", "10"}};
  for (const char* module : {"j1", "j2"}) {
    Texts heavy = column, light = column;
    heavy.push_back({"EdtN", "3000"});
    light.push_back({"EdtN", "200"});
    EXPECT_TRUE(bound(module, entriesOf(module, heavy))) << module;
    const Tried tried = tryPlates(module, entriesOf(module, heavy));
    EXPECT_GT(tried.completed, 0) << module;
    EXPECT_EQ(tried.weldsHold, 0) << module;
    EXPECT_FALSE(bound(module, entriesOf(module, light))) << module;
  }
}

// The layout bound from a design of the entries, with the detailing c of the bolt it chose.
bool layoutBound(const char* module, const Entries& entries) {
  const std::vector<NamedValue> held = heldOf(module, entries);
  if (held.empty()) return false;
  double dms = 0;
  for (const auto& v : held)
    if (v.name == "dms") dms = std::get<double>(v.value);
  const auto low = adjust::detailingSizes(static_cast<int>(dms));
  return low && adjust::layoutFailsUnderAnyPlate(*findModule(module), (*low)[1], held);
}

// A flange too narrow for the stiffeners beside the bolts at any spacing fails every plate; a
// layout a little too wide at detailing sizes, which other sizes fit, draws no bound.
TEST(BeyondReach, LayoutBoundOnlyWhereNoSpacingFits) {
  // The T-shaped boot beam only needs its two bolts within the flange: a narrower one.
  Texts narrower = adjustcases::narrowFlange;
  narrower.push_back({"Edtbf", "100"});
  for (const char* module : {"g11", "g12", "g2"}) {
    const Entries narrow = entriesOf(module, module == std::string("g2") ? narrower : adjustcases::narrowFlange);
    EXPECT_TRUE(layoutBound(module, narrow)) << module;
    const Tried tried = tryPlates(module, narrow);
    EXPECT_GT(tried.completed, 0) << module;
    EXPECT_EQ(tried.passing, 0) << module;
  }
  const Entries fits = entriesOf("g12", adjustcases::tenBoltFits);
  EXPECT_FALSE(layoutBound("g12", fits));
  EXPECT_GT(tryPlates("g12", fits).passing + (adjust::adjustDesign(*findModule("g12"), fits).best->passes ? 1 : 0), 0);
  for (const char* module : {"g11", "g2"}) EXPECT_FALSE(layoutBound(module, entriesOf(module, {}))) << module;
  // The default column's 200 mm flange is too narrow for ten bolts: the whole walk agrees.
  const Entries tenOnDefault = entriesOf("g12", {});
  EXPECT_TRUE(layoutBound("g12", tenOnDefault));
  adjust::SearchBudget budget{0, 1200, nullptr};
  EXPECT_NE(adjust::searchType(*findModule("g12"), tenOnDefault, {}, budget).rank, adjust::Rank::Passes);
  EXPECT_FALSE(adjust::layoutFailsUnderAnyPlate(*findModule("g3"), 1000, heldOf("g3", entriesOf("g3", {}))));
}

// A pinned base whose friction 0.4N falls short of V needs a key under every plate: where the
// bound is drawn no plate passes, and shears some key of the list carries draw none.
TEST(BeyondReach, PinnedKeyBoundOnlyWhereNoSectionCarriesTheShear) {
  for (const char* module : {"j1", "j2"}) {
    int drawn = 0, keyed = 0;
    for (const char* shear : {"100", "200", "300", "400", "800", "3000"}) {
      const Entries entries = entriesOf(module, {{"EdtN", "100"}, {"EdtV", shear}});
      const Tried tried = tryPlates(module, entries);
      ASSERT_GT(tried.completed, 0) << module << " V " << shear;
      if (adjust::shearKeyFailsUnderAnyPlate(*findModule(module), entries, heldOf(module, entries))) {
        ++drawn;
        EXPECT_EQ(tried.passing, 0) << module << " V " << shear;
      } else {
        ++keyed;
      }
    }
    EXPECT_GE(drawn, 2) << module;
    EXPECT_GE(keyed, 2) << module;
  }
  // An exposed rigid base's friction grows with the bolts' tension: no bound.
  const Entries rigid = entriesOf("g11", {{"EdtN", "300"}, {"EdtV", "3000"}});
  EXPECT_FALSE(adjust::shearKeyFailsUnderAnyPlate(*findModule("g11"), rigid, heldOf("g11", rigid)));
}

// No bound for a base type without the column's weld checks, for a column in tension, nor for
// the default designs.
TEST(BeyondReach, NoBoundWithoutTheChecksOrUnderTension) {
  for (const char* module : {"g2", "g3"})
    EXPECT_FALSE(bound(module, entriesOf(module, adjustcases::overstressedColumn)));
  for (const char* module : {"g11", "g12", "j1", "j2"}) EXPECT_FALSE(bound(module, entriesOf(module, {}))) << module;
  // Pulled, with a flange that fails at every plate tried.
  const Entries pulled = entriesOf("g11", {{"EdtN", "-50"}, {"EdtM", "300"}});
  const Tried tried = tryPlates("g11", pulled);
  EXPECT_GT(tried.completed, 0);
  EXPECT_EQ(tried.weldsHold, 0);
  EXPECT_FALSE(bound("g11", pulled));
}

// A type of the family searched only for a passing design, where the bound holds, is told as
// failing without a walk; the same type searched for its best finds no passing design either.
TEST(BeyondReach, SkippedSearchAgreesWithTheWalk) {
  Texts texts = adjustcases::overstressedColumn;
  texts.push_back({"EdtM", "3000"});
  const Entries entries = entriesOf("g12", texts);
  adjust::SearchBudget skipped{0, 1200, nullptr};
  const adjust::TypeBest told = adjust::searchType(*findModule("g12"), entries, {}, skipped, adjust::Wanted::Passing);
  EXPECT_EQ(told.rank, adjust::Rank::FailsChecks);
  EXPECT_EQ(skipped.calculations, 0);
  adjust::SearchBudget walked{0, 1200, nullptr};
  const adjust::TypeBest found = adjust::searchType(*findModule("g12"), entries, {}, walked, adjust::Wanted::Best);
  EXPECT_NE(found.rank, adjust::Rank::Passes);
  EXPECT_GT(walked.calculations, 0);
}

// The section and forces read from the entries are those a completed design holds, on each type
// they serve; the other types, and entries that do not read, give none.
TEST(BeyondReach, EntriesReadAsTheDesignHoldsThem) {
  Texts texts = adjustcases::overstressedColumn;
  texts.push_back({"EdtM", "900"});
  for (const char* module : {"g11", "g12", "g2"}) {
    const Entries entries = entriesOf(module, texts);
    const std::vector<NamedValue> held = heldOf(module, entries);
    ASSERT_FALSE(held.empty()) << module;
    const auto read = adjust::rigidSectionAndForces(*findModule(module), entries);
    ASSERT_TRUE(read.has_value()) << module;
    ASSERT_EQ(read->size(), 7u);
    for (const NamedValue& value : *read)
      EXPECT_EQ(std::get<double>(value.value), heldNumber(held, value.name)) << module << " " << value.name;
  }
  for (const char* module : {"g3", "j1", "j2", "gc"})
    EXPECT_FALSE(adjust::rigidSectionAndForces(*findModule(module), entriesOf(module, texts))) << module;
  EXPECT_FALSE(adjust::rigidSectionAndForces(*findModule("g11"), entriesOf("g11", {{"EdtN", "一百"}})));
  EXPECT_FALSE(adjust::rigidSectionAndForces(*findModule("g11"), entriesOf("g11", {{"EdtN", "0"}})));
}

// A column far beyond its welds whose own design stops (its bolts run past the largest): the
// search for a passing design is told at once, and the walk over every size finds none either.
TEST(BeyondReach, SearchOfAStoppingDesignSkippedWhereNoWeldHolds) {
  const Texts texts{{"Edthc", "792"}, {"Edtbf", "265"}, {"Edttw", "44.36"}, {"Edttf", "99.3"}, {"EdtM", "1.886e+05"},
                    {"EdtN", "122.3"}, {"EdtV", "3.815e+04"}, {"CBf", "Q235"},  {"CBfc", "C25"}};
  const Entries entries = entriesOf("g11", texts);
  DesignSession own(*findModule("g11"));
  for (const auto& [control, text] : entries.texts) own.setText(control, text);
  ASSERT_EQ(own.calculate().ending, Ending::Stopped);
  adjust::SearchBudget skipped{0, 1200, nullptr};
  EXPECT_EQ(adjust::searchType(*findModule("g11"), entries, {}, skipped, adjust::Wanted::Passing).rank,
            adjust::Rank::FailsChecks);
  EXPECT_EQ(skipped.calculations, 0);
  adjust::SearchBudget walked{0, 1200, nullptr};
  EXPECT_NE(adjust::searchType(*findModule("g11"), entries, {}, walked, adjust::Wanted::Best).rank,
            adjust::Rank::Passes);
  EXPECT_GT(walked.calculations, 0);
}

}  // namespace
}  // namespace pedivo
