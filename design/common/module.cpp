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

}  // namespace pedivo
