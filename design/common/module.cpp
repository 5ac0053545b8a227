#include "design/common/module.h"

namespace pedivo {

const ControlSpec* ModuleDescriptor::findControl(const std::string& name) const {
  for (const auto& group : groups)
    for (const auto& control : group.controls)
      if (control.name == name) return &control;
  return nullptr;
}

bool ModuleDescriptor::inSizeGroup(const std::string& control) const {
  for (const auto& group : groups)
    if (group.name == sizeGroupName)
      for (const auto& c : group.controls)
        if (c.name == control) return true;
  return false;
}

Entries ModuleDescriptor::defaultEntries() const {
  Entries entries;
  for (const auto& group : groups)
    for (const auto& control : group.controls) entries.texts[control.name] = control.defaultText;
  entries.cbsize = hasDetailingToggle;
  return entries;
}

void DesignState::heldNumbersAt(std::span<const std::size_t> places, std::span<double> numbers) const {
  std::size_t place = 0;
  std::size_t next = 0;
  for (const auto& value : values()) {
    const double* x = std::get_if<double>(&value.value);
    if (x == nullptr) continue;
    if (next < places.size() && place == places[next]) numbers[next++] = *x;
    ++place;
  }
}

}  // namespace pedivo
