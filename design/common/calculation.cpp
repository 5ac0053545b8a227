#include "design/common/calculation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <variant>

#include "design/common/numbers.h"
#include "design/common/rigid_base.h"
#include "design/common/shown_weight.h"
#include "design/common/value_format.h"

namespace pedivo {

const char* stopMessage(Stop stop) {
  switch (stop) {
    case Stop::EntryRefused: return "";
    case Stop::ZeroAxialForce: return rigidbase::zeroAxialForceMessage;
    case Stop::AxialTension: return rigidbase::axialTensionMessage;
    case Stop::BoltTooLarge: return rigidbase::boltTooLargeMessage;
    case Stop::NotConverging: return notConvergingMessage;
    case Stop::WeldTooShort: return weldTooShortMessage;
    case Stop::InvalidNumber: return invalidNumberMessage;
  }
  return "";
}

const char* closingMessage(Closing closing) {
  return closing == Closing::LayoutFault ? rigidbase::layoutFaultMessage : doneMessage;
}

Outcome stoppedOutcome(const CalculationStop& stop) {
  Outcome outcome{{stop.message}, stop.focus, {}, std::nullopt};
  outcome.stop = stop.reason;
  return outcome;
}

const std::string& entryText(const Entries& entries, std::string_view control) {
  static const std::string empty;
  const auto found = entries.texts.find(control);
  return found == entries.texts.end() ? empty : found->second;
}

double readNumber(const Entries& entries, std::string_view control) {
  const std::string& text = entryText(entries, control);
  const auto value = parseNumber(text);
  if (!value) throw CalculationStop{Stop::EntryRefused, std::string(control), notANumberMessage(text)};
  return *value;
}

int readWholeNumber(const Entries& entries, std::string_view control) {
  const double value = readNumber(entries, control);
  if (value != std::trunc(value) || std::fabs(value) > 1e6)
    throw CalculationStop{Stop::EntryRefused, std::string(control), notANumberMessage(entryText(entries, control))};
  return static_cast<int>(value);
}

std::optional<double> findHeldNumber(const std::vector<NamedValue>& values, std::string_view name) {
  for (const auto& named : values)
    if (named.name == name)
      if (const double* number = std::get_if<double>(&named.value)) return *number;
  return std::nullopt;
}

double heldNumber(const std::vector<NamedValue>& values, std::string_view name) {
  if (const auto number = findHeldNumber(values, name)) return *number;
  throw std::logic_error("no held number named " + std::string(name));
}

bool isHeldNumber(std::string_view tag, std::string_view text) {
  // The forces are written as typed.
  for (const char* typed : {"<#N>", "<#V>", "<#M>"})
    if (tag == typed) return false;
  return parseNumber(text).has_value() || text == "NAN" || text == "INF" || text == "-INF";
}

bool isZeroText(std::string_view text) {
  const auto number = parseNumber(text);
  return number && *number == 0;
}

void blankUnreached(const std::vector<TagText>& tags, const std::vector<TagText>& reached, const TagEmitter& sink) {
  // Both reports list the same tags in the same order; should they not, the stopped report
  // judges by its own zeros.
  const bool alike = reached.size() == tags.size() &&
                     std::equal(tags.begin(), tags.end(), reached.begin(),
                                [](const TagText& a, const TagText& b) { return a.tag == b.tag; });
  std::vector<std::string_view> unreached;
  for (const auto& t : alike ? reached : tags)
    if (isHeldNumber(t.tag, t.text) && isZeroText(t.text)) unreached.push_back(t.tag);
  const auto isUnreached = [&](std::string_view tag) {
    return std::find(unreached.begin(), unreached.end(), tag) != unreached.end();
  };
  constexpr std::string_view valuesEnd = "values>";
  for (const auto& t : tags) {
    bool blank = isUnreached(t.tag);
    if (!blank && t.tag.ends_with(valuesEnd) && t.tag.size() > valuesEnd.size() + 2) {
      const std::string result = t.tag.substr(0, t.tag.size() - valuesEnd.size()) + ">";
      blank = isUnreached(result);
    }
    sink(t.tag, blank ? std::string_view("—") : std::string_view(t.text));
  }
}

tables::CodeEdition readEdition(const Entries& entries) {
  const auto found = entries.texts.find(std::string_view("CBcode"));
  if (found == entries.texts.end()) return tables::CodeEdition::Gb2003;
  return require(tables::codeEdition(found->second));
}

Materials readMaterials(const Entries& entries) {
  const tables::CodeEdition edition = readEdition(entries);
  const tables::SteelGrade* steel = tables::steelGrade(edition, entryText(entries, "CBf"));
  if (steel == nullptr) throw CalculationStop{Stop::InvalidNumber};
  return Materials{edition, steel, require(tables::anchorBoltFta(edition, entryText(entries, "CBfta"))),
                   require(tables::concrete(entryText(entries, "CBfc")))};
}

void RoundLimit::stop() { throw CalculationStop{Stop::NotConverging}; }

void RoundLimit::advance(long k) {
  if (k > limit - rounds_) stop();
  rounds_ += k;
}

void RoundLimit::exhaust() { stop(); }

void requireWeldLength(double effectiveLength) {
  if (!(effectiveLength > 0)) throw CalculationStop{Stop::WeldTooShort};
}

}  // namespace pedivo

namespace pedivo {

// Cut to one decimal, as every number of the report is cut, and always written with it.
std::string formatWeight(double kg) {
  std::string text = formatValue(ValueFormat::Whole, kg, 1);
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

double shownWeight(double kg) {
  const std::string text = formatWeight(kg);
  double shown = kg;
  std::from_chars(text.data(), text.data() + text.size(), shown);
  return shown;
}

}  // namespace pedivo
