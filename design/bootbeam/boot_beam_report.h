#pragma once
// What the T-shaped and the channel boot-beam bases show alike: the held values, the plate layout
// fields, the checks of plate, boot beams and stiffeners, and the report's tags of the entries,
// the boot beams, their welds and stiffeners, and the formulas that applied.

#include <string>
#include <string_view>
#include <vector>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/bootbeam/boot_beam_values.h"
#include "design/common/design_check.h"
#include "design/common/module.h"
#include "design/common/type_binding.h"

namespace pedivo::bootbeam {

// The values both bases hold, then the type's own, then the eccentricity case and the shear key.
std::vector<NamedValue> bootBeamValues(const BootBeamType& type, const Held& h);
// The numbers of that list, for the overflow guard.
void scanBootBeamValues(const BootBeamType& type, const Held& h, HeldNumbersScan& numbers);

// The result window's fields in their filling order: the plate layout, the boot beams (`topPlate`
// after their sizes), their welds, the stiffeners or ribs (`diaphragm` after them), the bolt and
// the shear key.
ResultView bootBeamResults(const Held& h, std::vector<FieldText> topPlate, std::vector<FieldText> diaphragm);

// The welds of a boot beam to the column, in legs: the leg the flange force needs against the
// even leg plus the 0.1 mm its rounding may leave.
DesignCheck bootBeamWeldCheck(const Held& h);
// Bearing, bolts, the plate (its check given by the base), boot beams and the plate welds.
std::vector<DesignCheck> bootBeamChecks(const BootBeamType& type, const Held& h, DesignCheck plate);
// The stiffener (T-shaped) or rib (channel) and its welds.
std::vector<DesignCheck> stiffenerChecks(const BootBeamType& type, const Held& h);
// Every check of a boot-beam base: the boot beams' with the given plate check, the stiffener's,
// the base's own, and the shear key's.
std::vector<DesignCheck> baseChecks(const BootBeamType& type, const Held& h, DesignCheck plate,
                                    std::vector<DesignCheck> own);

// The report's tags: those both bases print, with the type's own at their places in the template.
void bootBeamReport(const BootBeamType& type, const Held& h, const Entries& e, const TagEmitter& out);

// A boot-beam base's names and its own result groups, between the boot beams' and the bolt's.
struct BootBeamNames {
  TypeNames names;
  std::vector<ResultGroupSpec> ownResults;
  std::vector<std::string_view> plateThicknesses;  // the plates whose thickness sets their steel
};

ModuleDescriptor bootBeamDescriptor(const BootBeamType& type, const BootBeamNames& names);

// The descriptor of a boot-beam base: its own calculation, results, checks and check of given
// sizes in `own`, the values, report and check values the two bases build alike from `type`.
template <const BootBeamType& type, auto& sizeFields>
ModuleDescriptor bootBeamModule(const BootBeamNames& names, ModuleFunctions<Held> own,
                                const TypeRemedies<Held>& remedies) {
  ModuleDescriptor d = bootBeamDescriptor(type, names);
  own.report = [](const Held& h, const Entries& e, const TagEmitter& sink) { bootBeamReport(type, h, e, sink); };
  own.values = [](const Held& h) { return bootBeamValues(type, h); };
  own.checkValues = [](const Held& h, std::vector<DesignCheck>& list) { writeCheckValues(list, h, type); };
  own.scan = [](const Held& h, HeldNumbersScan& numbers) { scanBootBeamValues(type, h, numbers); };
  bindFunctions<sizeFields>(d, own, remedies);
  return d;
}

}  // namespace pedivo::bootbeam
