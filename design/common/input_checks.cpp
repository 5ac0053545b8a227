#include "design/common/input_checks.h"

#include <algorithm>

#include "design/common/numbers.h"

namespace pedivo {
namespace {

// A plate size in the switched-off group cannot take the focus; it stays where it is.
std::optional<std::string> focusable(const ModuleDescriptor& module, const Entries& entries,
                                     const std::string& control) {
  if (entries.cbsize && module.inSizeGroup(control)) return std::nullopt;
  return control;
}

constexpr std::string_view editionControl = "CBcode";

std::string joined(std::span<const std::string_view> items) {
  std::string text;
  for (const auto item : items) text.append(text.empty() ? "" : "、").append(item);
  return text;
}

}  // namespace

std::optional<std::span<const std::string_view>> editionItems(std::string_view control, tables::CodeEdition edition) {
  if (control == "CBf") return tables::steelGradeNames(edition);
  if (control == "CBfta") return tables::boltGradeNames(edition);
  return std::nullopt;
}

std::optional<CheckFailure> editionMismatch(const ModuleDescriptor& module, const Entries& entries) {
  const auto code = entries.texts.find(editionControl);
  const std::string_view codeText =
      code == entries.texts.end() ? tables::edition2003Text : std::string_view(code->second);
  const auto edition = tables::codeEdition(codeText);
  if (!edition)
    return CheckFailure{"设计标准“" + std::string(codeText) + "”不在可选范围内（" +
                            std::string(tables::edition2003Text) + "、" + std::string(tables::edition2017Text) + "）",
                        std::string(editionControl)};
  for (const auto& [control, text] : entries.texts) {
    const auto items = editionItems(control, *edition);
    if (!items || std::find(items->begin(), items->end(), text) != items->end()) continue;
    const ControlSpec* spec = module.findControl(control);
    const std::string caption = spec != nullptr ? spec->label : control;
    return CheckFailure{caption + "“" + text + "”不在" + std::string(codeText) + "的可选范围内（" + joined(*items) + "）",
                        control};
  }
  return std::nullopt;
}

EditionSwitch switchEdition(const ModuleDescriptor& module, const Entries& entries, tables::CodeEdition edition) {
  EditionSwitch moved;
  const std::string editionName(tables::editionText(edition));
  moved.texts[std::string(editionControl)] = editionName;
  for (const auto& [control, text] : entries.texts) {
    const auto items = editionItems(control, edition);
    if (!items) continue;
    const auto offered = [&](std::string_view grade) { return std::find(items->begin(), items->end(), grade) != items->end(); };
    // The same steel under its name in the other edition.
    const std::string_view counterpart = text == "Q345" ? "Q355" : text == "Q355" ? "Q345" : "";
    std::string grade = text;
    if (!offered(grade)) grade = !counterpart.empty() && offered(counterpart) ? std::string(counterpart) : "Q235";
    moved.texts[control] = grade;
    if (grade != text && grade == "Q235") {
      const ControlSpec* spec = module.findControl(control);
      moved.message = (moved.message ? *moved.message + "\n" : "设计标准改为" + editionName + "：\n") +
                      (spec != nullptr ? spec->label : control) + "“" + text + "”不在" + editionName +
                      "的可选范围内，已改为Q235。";
    }
  }
  return moved;
}

std::optional<CheckFailure> validateInput(const ModuleDescriptor& module, const Entries& entries) {
  if (auto mismatch = editionMismatch(module, entries)) return mismatch;
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
