#include "design/common/calculation.h"

#include <cmath>

#include "design/common/numbers.h"

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

void RoundLimit::next() {
  if (++rounds_ > limit) throw CalculationStop{notConvergingMessage, std::nullopt};
}

void requireWeldLength(double effectiveLength) {
  if (!(effectiveLength > 0)) throw CalculationStop{weldTooShortMessage, std::nullopt};
}

}  // namespace pedivo
