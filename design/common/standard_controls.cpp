#include "design/common/standard_controls.h"

#include <utility>

#include "design/common/tables.h"

namespace pedivo::standard {
namespace {

std::vector<InputCheck> plateSizeChecks() {
  return {{"Edtsizea", "底板尺寸a必须大于0"},
          {"Edtsizec", "底板尺寸c必须大于0"},
          {"Edtsizelt", "底板尺寸lt必须大于0"},
          {"Edtsizebt", "底板尺寸bt必须大于0"}};
}

std::vector<InputCheck> sectionChecks() {
  return {{"Edthc", "柱截面高度必须大于0"},
          {"Edtbf", "柱翼缘宽度必须大于0"},
          {"Edttw", "柱腹板厚度必须大于0"},
          {"Edttf", "柱翼缘厚度必须大于0"}};
}

const InputCheck momentCheck{"EdtM", "柱底弯矩应输入正值"};
const InputCheck shearCheck{"EdtV", "柱底剪力应输入正值"};
const InputCheck groutCheck{"Edttg", "二次灌浆层厚度必须大于0"};

std::vector<InputCheck> join(std::vector<InputCheck> first, const std::vector<InputCheck>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

}  // namespace

ControlGroup sectionGroup() {
  return {"GroupBox2",
          "柱截面信息",
          {{"Edthc", "柱截面高度hb", mm, "450", {}},
           {"Edtbf", "柱翼缘宽度bf", mm, "200", {}},
           {"Edttw", "柱腹板厚度tw", mm, "9", {}},
           {"Edttf", "柱翼缘厚度tf", mm, "14", {}}}};
}

ControlGroup materialGroup(std::vector<ControlSpec> extra) {
  // The grade lists hold the grades of both editions of the steel code; which of them a design
  // may use follows "设计标准" (a window shows only those).
  ControlGroup group{
      "GroupBox3",
      "材料信息",
      {{"CBcode", "设计标准", "", std::string(tables::edition2003Text),
        {std::string(tables::edition2003Text), std::string(tables::edition2017Text)}},
       {"CBf", "钢材牌号", "", "Q235", {"Q235", "Q345", "Q355", "Q390", "Q420", "Q460"}},
       {"CBfta", "锚栓牌号", "", "Q235", {"Q235", "Q345", "Q355", "Q390"}},
       {"CBfc", "混凝土强度等级", "", "C25", {"C25", "C30", "C35", "C40"}}}};
  group.controls.insert(group.controls.end(), extra.begin(), extra.end());
  return group;
}

ControlGroup forceGroup(bool withMoment, const std::string& momentUnit) {
  ControlGroup group{"GroupBox1", "内力信息", {}};
  if (withMoment) group.controls.push_back({"EdtM", "柱底弯矩M", momentUnit, "160", {}});
  group.controls.push_back({"EdtN", "柱底轴力N", kN, "80", {}});
  group.controls.push_back({"EdtV", "柱底剪力V", kN, "40", {}});
  return group;
}

ControlGroup exposedForceGroup(bool withMoment) {
  ControlGroup group = forceGroup(withMoment);
  group.controls.push_back({"Edttg", "二次灌浆层厚度tg", mm, "50", {}});
  return group;
}

ControlGroup plateSizeGroup() {
  return {std::string(sizeGroupName),
          "自定义底板尺寸",
          {{"Edtsizea", "尺寸a", mm, "70", {}},
           {"Edtsizec", "尺寸c", mm, "60", {}},
           {"Edtsizelt", "尺寸lt", mm, "50", {}},
           {"Edtsizebt", "尺寸bt", mm, "50", {}}}};
}

ResultGroupSpec plateLayoutResults() {
  return {"GroupBox5",
          "底板",
          {{"Edta", "尺寸a", mm},
           {"Edtc", "尺寸c", mm},
           {"Edtlt", "尺寸lt", mm},
           {"Edtbt", "尺寸bt", mm},
           {"EdtL", "底板长度L", mm},
           {"EdtB", "底板宽度B", mm},
           {"Edttpb", "底板厚度t", mm}}};
}

ResultGroupSpec boltStiffenerResults() {
  return {"GroupBox7",
          "锚栓加劲肋",
          {{"Edthjjl", "锚栓加劲肋高度hs", mm}, {"Edttjjl", "锚栓加劲肋厚度ts", mm}, {"Edthfjjl", "锚栓加劲肋焊脚高度", mm}}};
}

std::vector<InputCheck> pinnedChecks() {
  auto checks = join(plateSizeChecks(), sectionChecks());
  checks.push_back({"EdtN", "铰接柱脚柱底轴力应为压力（正值）"});
  checks.push_back(shearCheck);
  checks.push_back(groutCheck);
  return checks;
}

std::vector<InputCheck> rigidChecks() {
  auto checks = join(plateSizeChecks(), sectionChecks());
  checks.push_back(momentCheck);
  checks.push_back(shearCheck);
  checks.push_back(groutCheck);
  return checks;
}

std::vector<InputCheck> embeddedChecks() {
  auto checks = sectionChecks();
  checks.push_back(momentCheck);
  checks.push_back(shearCheck);
  return checks;
}

ModuleDescriptor exposedBaseInputs(bool rigid, std::vector<ControlSpec> boltList) {
  ModuleDescriptor d;
  d.groups = {sectionGroup(), materialGroup(std::move(boltList)), exposedForceGroup(rigid), plateSizeGroup()};
  d.hasDetailingToggle = true;
  d.designNeedsMoment = rigid;
  d.reportButton = rigid ? "Button3" : "Button2";
  d.checks = rigid ? rigidChecks() : pinnedChecks();
  return d;
}

}  // namespace pedivo::standard
