#pragma once
// The controls, groups and checks the input windows share.

#include <string>
#include <vector>

#include "design/common/module.h"

namespace pedivo::standard {

inline const std::string mm = "（mm）";
inline const std::string kN = "（kN）";
inline const std::string kNm = "（kN·m）";

ControlGroup sectionGroup();                                   // GroupBox2 "柱截面信息"
ControlGroup materialGroup(std::vector<ControlSpec> extra);    // GroupBox3 "材料信息"
ControlGroup forceGroup(bool withMoment, const std::string& momentUnit = kNm);  // GroupBox1 "内力信息"
ControlGroup plateSizeGroup();                                 // GroupBox4 "自定义底板尺寸"
// The forces of an exposed base, and under them the grout layer its shear key passes through.
ControlGroup exposedForceGroup(bool withMoment);

// Result-window groups the rigid bases share.
ResultGroupSpec plateLayoutResults();     // GroupBox5 "底板": a, c, lt, bt, L, B, t
ResultGroupSpec boltStiffenerResults();   // GroupBox7 "锚栓加劲肋": height, thickness, weld

std::vector<InputCheck> pinnedChecks();    // plate sizes, section, N compression, V, grout
std::vector<InputCheck> rigidChecks();     // plate sizes, section, M, V, grout
std::vector<InputCheck> embeddedChecks();  // section, M, V

// The input side of an exposed base's window: section, materials (with the bolt list of a window
// that picks its bolt), forces over the grout, the plate sizes that the detailing toggle frees,
// and the input checks. A rigid base takes a moment, needs one to be designed and prints from
// Button3; a pinned base takes none and prints from Button2.
ModuleDescriptor exposedBaseInputs(bool rigid, std::vector<ControlSpec> boltList);

}  // namespace pedivo::standard
