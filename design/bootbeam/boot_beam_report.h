#pragma once
// What the T-shaped and the channel boot-beam bases show alike: the held values, the plate layout
// fields, the checks of plate, boot beams and stiffeners, and the report's tags of the entries,
// the boot beams, their welds and stiffeners, and the formulas that applied.

#include <string>
#include <vector>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/design_check.h"
#include "design/common/module.h"

namespace pedivo::bootbeam {

// The values both bases hold, then the base's own, then the eccentricity case.
std::vector<NamedValue> valuesWith(std::vector<NamedValue> own, const Held& h);
// The numbers of that list, the type's own scanned by `own`, for the overflow guard.
void scanWith(void (*own)(const Held&, HeldNumbersScan&), const Held& h, HeldNumbersScan& numbers);

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

// The entries, the plate plan and the eccentricity.
void emitInputTags(const Held& h, const Entries& e, const TagEmitter& sink);
// The bearing, the bolts' tension and the first panel, which both plates have.
void emitBearingTags(const Held& h, const TagEmitter& sink);
// The plate welds' stresses and the boot beam's section and shear.
void emitWeldAndBootBeamTags(const Held& h, const TagEmitter& sink);
// The welds' legs, the stiffener or rib and the boot beam's stresses; Vi is the T-shaped base's
// stiffener load, nought for the channel.
void emitStiffenerTags(const Held& h, double Vi, const TagEmitter& sink);
// The ratios and limits the report names write1 to write6.
void emitWriteTags(const Held& h, const TagEmitter& sink);
// What the checker needs beside the tags of the tables, up to the base's own: the formulas that
// applied and the numbers in them.
void emitCheckerTags(const BootBeamType& type, const Held& h, const TagEmitter& sink);
// A panel's moment formula: a cantilever for a short free edge (r < 0.3), else k·q·a².
std::string panelFormula(const char* name, bool cantilever, const char* q, const char* b, const char* k, const char* a);

ModuleDescriptor commonDescriptor();
// The result window's boot-beam group, with the channel's top plate where it has one.
ResultGroupSpec bootBeamFields(bool topPlate);
ResultGroupSpec boltAndShearFields();

}  // namespace pedivo::bootbeam
