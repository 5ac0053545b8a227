#include "design/common/input_checks.h"

#include <algorithm>
#include <cmath>

#include "design/common/numbers.h"
#include "design/common/standard_controls.h"
#include "design/common/utf8_text.h"

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
    const ControlSpec* described = module.findControl(control);
    const std::string caption = described != nullptr ? described->label : control;
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
      const ControlSpec* described = module.findControl(control);
      moved.message = (moved.message ? *moved.message + "\n" : "设计标准改为" + editionName + "：\n") +
                      (described != nullptr ? described->label : control) + "“" + text + "”不在" + editionName +
                      "的可选范围内，已改为Q235。";
    }
  }
  return moved;
}

namespace {

// Which entries a walk of the checks reads: all of them, or the forces alone (a load combination
// after the first, whose other entries are those of the first).
enum class Scope { AllEntries, ForcesOnly };

bool inScope(Scope scope, std::string_view control) { return scope == Scope::AllEntries || isForceControl(control); }

// A typed number is a few characters; a longer text is refused before it is read.
std::optional<CheckFailure> overlongEntry(const ModuleDescriptor& module, const Entries& entries, Scope scope) {
  for (const auto& group : module.groups)
    for (const auto& control : group.controls) {
      if (!inScope(scope, control.name)) continue;
      const auto found = entries.texts.find(control.name);
      if (control.isList() || found == entries.texts.end() || characterCount(found->second) <= longestEntryText) continue;
      return CheckFailure{control.label + "的输入过长（最多 " + std::to_string(longestEntryText) + " 个字符）",
                          focusable(module, entries, control.name)};
    }
  return std::nullopt;
}

// The range a typed quantity of a real column base lies in, by its unit.
struct PlausibleRange {
  double least, most;
  const char* unit;
  bool signedValue;  // a force or moment either way: its size is limited
};

std::optional<PlausibleRange> plausibleRange(const ControlSpec& control) {
  if (control.isList()) return std::nullopt;
  if (control.unit == standard::mm) return PlausibleRange{1, 10000, "mm", false};
  if (control.unit == standard::kN) return PlausibleRange{0, 1e6, "kN", true};
  if (control.unit.find("kN·m") != std::string::npos) return PlausibleRange{0, 1e6, "kN·m", true};
  return std::nullopt;
}

std::string rangeText(double x) { return formatGeneral(x); }

// Numbers that read well but describe no real column: a length beyond 1–10000 mm, a force or
// moment beyond 10⁶, a web wider than the flange, flanges deeper than the section.
std::optional<CheckFailure> implausibleEntry(const ModuleDescriptor& module, const Entries& entries, Scope scope) {
  const auto number = [&](const std::string& control) -> std::optional<double> {
    const auto found = entries.texts.find(control);
    return found == entries.texts.end() ? std::nullopt : parseNumber(found->second);
  };
  for (const auto& group : module.groups)
    for (const auto& control : group.controls) {
      if (!inScope(scope, control.name)) continue;
      if (entries.cbsize && module.inSizeGroup(control.name)) continue;  // switched off: not used
      const auto range = plausibleRange(control);
      const auto value = number(control.name);
      if (!range || !value) continue;
      const double size = range->signedValue ? std::fabs(*value) : *value;
      if (size >= range->least && size <= range->most) continue;
      const std::string limits = range->signedValue ? "绝对值不应超过 " + rangeText(range->most) + " " + range->unit
                                                    : "应在 " + rangeText(range->least) + " 至 " +
                                                          rangeText(range->most) + " " + range->unit + " 之间";
      return CheckFailure{control.label + limits, focusable(module, entries, control.name)};
    }
  if (scope == Scope::ForcesOnly) return std::nullopt;
  const auto hb = number("Edthc"), bf = number("Edtbf"), tw = number("Edttw"), tf = number("Edttf");
  if (!hb || !bf || !tw || !tf) return std::nullopt;
  if (!(*tw < *bf)) return CheckFailure{"柱腹板厚度tw应小于柱翼缘宽度bf", std::string("Edttw")};
  if (!(*tf < *bf)) return CheckFailure{"柱翼缘厚度tf应小于柱翼缘宽度bf", std::string("Edttf")};
  if (!(2 * *tf < *hb)) return CheckFailure{"两个柱翼缘厚度之和2tf应小于柱截面高度hb", std::string("Edttf")};
  return std::nullopt;
}

}  // namespace

namespace {

std::optional<CheckFailure> checkedEntries(const ModuleDescriptor& module, const Entries& entries, bool zeroMoment,
                                           Scope scope) {
  if (scope == Scope::AllEntries)
    if (auto mismatch = editionMismatch(module, entries)) return mismatch;
  if (auto overlong = overlongEntry(module, entries, scope)) return overlong;
  for (const auto& check : module.checks) {
    if (!inScope(scope, check.control)) continue;
    const auto found = entries.texts.find(check.control);
    const std::string text = found == entries.texts.end() ? std::string{} : found->second;
    const auto value = parseNumber(text);
    if (!value) return CheckFailure{notANumberMessage(text), focusable(module, entries, check.control)};
    if (zeroMoment && *value == 0 && check.control == "EdtM") continue;
    if (!(*value > 0)) return CheckFailure{check.message, focusable(module, entries, check.control)};
  }
  return implausibleEntry(module, entries, scope);
}

}  // namespace

bool isForceControl(std::string_view control) { return control == "EdtN" || control == "EdtV" || control == "EdtM"; }

std::optional<CheckFailure> validateInput(const ModuleDescriptor& module, const Entries& entries) {
  return checkedEntries(module, entries, false, Scope::AllEntries);
}

std::optional<CheckFailure> validateCombinationInput(const ModuleDescriptor& module, const Entries& entries) {
  return checkedEntries(module, entries, true, Scope::AllEntries);
}

std::optional<CheckFailure> validateCombinationForces(const ModuleDescriptor& module, const Entries& entries) {
  return checkedEntries(module, entries, true, Scope::ForcesOnly);
}

}  // namespace pedivo
