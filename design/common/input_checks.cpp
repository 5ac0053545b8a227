#include "design/common/input_checks.h"

#include "design/common/numbers.h"

namespace pedivo {
namespace {

// A plate size in the switched-off group cannot take the focus; it stays where it is.
std::optional<std::string> focusable(const ModuleDescriptor& module, const Entries& entries,
                                     const std::string& control) {
  if (entries.cbsize && module.inSizeGroup(control)) return std::nullopt;
  return control;
}

}  // namespace

std::optional<CheckFailure> validateInput(const ModuleDescriptor& module, const Entries& entries) {
  for (const auto& check : module.checks) {
    const auto found = entries.texts.find(check.control);
    const std::string text = found == entries.texts.end() ? std::string{} : found->second;
    const auto value = parseNumber(text);
    if (!value) return CheckFailure{notANumberMessage(text), focusable(module, entries, check.control)};
    if (!(*value > 0)) return CheckFailure{check.message, focusable(module, entries, check.control)};
  }
  return std::nullopt;
}

}  // namespace pedivo
