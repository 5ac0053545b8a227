#include "design/adjust/adjust.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "design/common/calculation.h"
#include "design/common/combination_run.h"
#include "design/common/design_session.h"
#include "design/common/input_checks.h"
#include "design/common/numbers.h"

namespace pedivo::adjust {
namespace {

constexpr int mostCandidatesPerType = 1200;  // no search of one base type makes more calculations
constexpr std::array<const char*, 4> sizeControls{"Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"};
constexpr std::array<std::string_view, 4> heldSizeNames{"a", "c", "lt", "bt"};
constexpr int mostSettlingRounds = 4;

// The exposed rigid bases and the pinned bases; the embedded base has no family.
constexpr std::array<std::array<std::string_view, 4>, 2> families{{{"g11", "g12", "g2", "g3"}, {"j1", "j2", "", ""}}};

bool isBoltList(const std::string& control) { return control == "CBdms" || control == "cbdms"; }

// The entries of another base type: its window's defaults with the section, forces, grades,
// concrete and edition carried over; the plate sizes and bolt are the search's, from detailing.
Entries carriedOver(const ModuleDescriptor& to, const Entries& from) {
  Entries entries = to.defaultEntries();
  for (auto& [control, text] : entries.texts) {
    if (to.inSizeGroup(control) || isBoltList(control)) continue;
    if (const auto found = from.texts.find(control); found != from.texts.end()) text = found->second;
  }
  entries.cbsize = true;
  return entries;
}

// The sizes the design of `session` uses, none under the detailing value of its bolt, as texts.
Entries usedSizes(const DesignSession& session) {
  Entries entries = session.entries();
  const std::vector<NamedValue> held = session.values();
  const auto low = detailingSizes(static_cast<int>(heldNumber(held, "dms")));
  for (std::size_t i = 0; i < sizeControls.size(); ++i) {
    const double used = heldNumber(held, heldSizeNames[i]);
    entries.texts[sizeControls[i]] = formatGeneral(low ? std::max(used, (*low)[i]) : used);
  }
  return entries;
}

// The window's calculation of `chosen`, with the entries then taking the sizes its design uses
// (the design may round a size up, and a near-miss may lie under detailing) until they agree.
Outcome settle(DesignSession& session, const Entries& chosen, std::span<const LoadCombination> loads) {
  Entries entries = chosen;
  Outcome outcome;
  for (int round = 0; round < mostSettlingRounds; ++round) {
    session.reset();
    for (const auto& [control, text] : entries.texts) session.setText(control, text);
    session.setCbsize(entries.cbsize);
    if (loads.size() > 1) session.setLoads({loads.begin(), loads.end()});
    outcome = session.calculate();
    if (outcome.ending != Ending::Completed || session.entries().cbsize) break;
    const Entries used = usedSizes(session);
    if (used.texts == session.entries().texts) break;
    entries = used;
  }
  return outcome;
}

// The proposal as the window will design it after "采用", with the entries it changes.
Proposal proposalFor(const ModuleDescriptor& type, const Entries& chosen, const ModuleDescriptor& module,
                     const Entries& entries, std::span<const LoadCombination> loads) {
  DesignSession session(type);
  const Outcome outcome = settle(session, chosen, loads);
  Proposal proposal;
  proposal.module = &type;
  proposal.entries = session.entries();
  proposal.messages = outcome.messages;
  proposal.checks = session.checks();
  proposal.stopRemedy = outcome.remedy;
  proposal.weight = session.weight().value_or(0);
  proposal.passes = passes(outcome, proposal.checks);
  if (&type != &module) {
    proposal.changed.push_back("module");
    proposal.typeChange = typeChangeText(type);
  }
  for (const auto& [control, text] : proposal.entries.texts) {
    const auto before = entries.texts.find(control);
    if (before == entries.texts.end() || before->second != text) proposal.changed.push_back(control);
  }
  if (entries.cbsize != proposal.entries.cbsize) proposal.changed.push_back("cbsize");
  return proposal;
}

// Why the entries cannot be adjusted: an input check refuses them (under any combination), or a
// typed entry is no number.
std::optional<std::string> refusalOf(const ModuleDescriptor& module, const Entries& entries,
                                     std::span<const LoadCombination> loads) {
  if (loads.size() > 1) {
    if (auto refused = combinationsRefusal(module, entries, loads)) return refused;
  } else if (const auto refused = validateInput(module, entries)) {
    return refused->message;
  }
  for (const auto& group : module.groups)
    for (const auto& control : group.controls) {
      if (control.isList()) continue;
      const auto text = entries.texts.find(control.name);
      if (text != entries.texts.end() && !parseNumber(text->second)) return notANumberMessage(text->second);
    }
  return std::nullopt;
}

}  // namespace

std::vector<const ModuleDescriptor*> familyOf(const ModuleDescriptor& module) {
  std::vector<const ModuleDescriptor*> others;
  for (const auto& family : families) {
    if (std::find(family.begin(), family.end(), module.id) == family.end()) continue;
    for (const std::string_view id : family)
      if (!id.empty() && id != module.id)
        if (const ModuleDescriptor* other = findModule(std::string(id))) others.push_back(other);
  }
  return others;
}

std::string typeChangeText(const ModuleDescriptor& proposed) {
  return "本类型在可调整范围内没有满足要求的设计，建议改用" + proposed.title;
}

bool passes(const Outcome& outcome, const std::vector<DesignCheck>& checks) {
  return outcome.ending == Ending::Completed && outcome.closing == Closing::Designed &&
         std::all_of(checks.begin(), checks.end(), [](const DesignCheck& check) { return check.ok(); });
}

// The own type first; only where it has no passing design, the lightest passing design of the
// other types of its family.
SearchResult adjustDesign(const ModuleDescriptor& module, const Entries& entries,
                          std::span<const LoadCombination> loads, SearchProgress* progress) {
  if (!module.hasDetailingToggle) return {};
  if (auto refused = refusalOf(module, entries, loads)) return {std::nullopt, 0, std::move(refused)};
  SearchBudget budget{0, mostCandidatesPerType, progress};
  const TypeBest own = searchType(module, entries, loads, budget);
  const ModuleDescriptor* chosenType = &module;
  Entries chosen = own.entries;
  if (own.rank != Rank::Passes) {
    std::optional<double> lightest;
    for (const ModuleDescriptor* other : familyOf(module)) {
      budget.most = budget.calculations + mostCandidatesPerType;
      const TypeBest found = searchType(*other, carriedOver(*other, entries), loads, budget, Wanted::Passing);
      if (found.rank != Rank::Passes || (lightest && found.weight >= *lightest)) continue;
      lightest = found.weight;
      chosenType = other;
      chosen = found.entries;
    }
  }
  if (budget.cancelled()) return {std::nullopt, budget.calculations, std::nullopt, true};
  return {proposalFor(*chosenType, chosen, module, entries, loads), budget.calculations, std::nullopt};
}

SearchResult adjustDesign(const ModuleDescriptor& module, const Entries& entries, SearchProgress* progress) {
  return adjustDesign(module, entries, {}, progress);
}

}  // namespace pedivo::adjust
