#include "design/common/calculation.h"

#include <charconv>

#include <cmath>
#include <cstdio>

#include "design/common/numbers.h"
#include "design/common/shown_weight.h"

namespace pedivo {

const std::string& entryText(const Entries& entries, std::string_view control) {
  static const std::string empty;
  const auto found = entries.texts.find(control);
  return found == entries.texts.end() ? empty : found->second;
}

double readNumber(const Entries& entries, std::string_view control) {
  const std::string& text = entryText(entries, control);
  const auto value = parseNumber(text);
  if (!value) throw CalculationStop{notANumberMessage(text), std::string(control)};
  return *value;
}

int readWholeNumber(const Entries& entries, std::string_view control) {
  const double value = readNumber(entries, control);
  if (value != std::trunc(value) || std::fabs(value) > 1e6)
    throw CalculationStop{notANumberMessage(entryText(entries, control)), std::string(control)};
  return static_cast<int>(value);
}

bool isHeldNumber(std::string_view tag, std::string_view text) {
  // The forces are written as typed.
  for (const char* typed : {"<#N>", "<#V>", "<#M>"})
    if (tag == typed) return false;
  return parseNumber(text).has_value() || text == "NAN" || text == "INF" || text == "-INF";
}

tables::CodeEdition readEdition(const Entries& entries) {
  const auto found = entries.texts.find(std::string_view("CBcode"));
  if (found == entries.texts.end()) return tables::CodeEdition::Gb2003;
  return require(tables::codeEdition(found->second));
}

Materials readMaterials(const Entries& entries) {
  const tables::CodeEdition edition = readEdition(entries);
  const tables::SteelGrade* steel = tables::steelGrade(edition, entryText(entries, "CBf"));
  if (steel == nullptr) throw CalculationStop{invalidNumberMessage, std::nullopt};
  return Materials{edition, steel, require(tables::anchorBoltFta(edition, entryText(entries, "CBfta"))),
                   require(tables::concrete(entryText(entries, "CBfc")))};
}

void RoundLimit::stop() { throw CalculationStop{notConvergingMessage, std::nullopt}; }

void RoundLimit::advance(long k) {
  if (k > limit - rounds_) stop();
  rounds_ += k;
}

void RoundLimit::exhaust() { stop(); }

void requireWeldLength(double effectiveLength) {
  if (!(effectiveLength > 0)) throw CalculationStop{weldTooShortMessage, std::nullopt};
}

}  // namespace pedivo

namespace pedivo {

std::string formatWeight(double kg) {
  char text[400];
  const auto end = std::to_chars(text, text + sizeof text, kg, std::chars_format::fixed, 1).ptr;
  return std::string(text, end);
}

double shownWeight(double kg) {
  const std::string text = formatWeight(kg);
  double shown = kg;
  std::from_chars(text.data(), text.data() + text.size(), shown);
  return shown;
}

}  // namespace pedivo
