#include "design/bootbeam/boot_beam.h"

#include "design/common/pending_state.h"
#include "design/common/standard_controls.h"

namespace pedivo::bootbeam {
namespace {

using standard::mm;

ResultGroupSpec boltAndShearFields() {
  return {"", "", {{"edtms", "锚栓直径d", mm}, {"edtshear", "抗剪键设置", ""}}};
}

ModuleDescriptor commonDescriptor(const std::string& momentUnit) {
  ModuleDescriptor d;
  d.groups = {standard::sectionGroup(), standard::materialGroup({}), standard::forceGroup(true, momentUnit),
              standard::plateSizeGroup()};
  d.hasDetailingToggle = true;
  d.reportButton = "Button3";
  d.checks = standard::rigidChecks();
  return d;
}

ModuleDescriptor makeTShaped() {
  ModuleDescriptor d = commonDescriptor(standard::kNm);
  d.id = "g2";
  d.formName = "TForm6";
  d.caption = "T型靴梁柱脚-输入设计参数";
  d.resultFormName = "TForm13";
  d.resultGroups = {standard::plateLayoutResults(),
                    {"GroupBox6",
                     "靴梁",
                     {{"Edthxlb", "靴梁板高度hsh", mm},
                      {"Edttxlb", "靴梁板厚度tsh", mm},
                      {"Edthfxlb", "靴梁板与柱焊脚高度", mm},
                      {"Edthf5", "靴梁板与底板焊脚高度", mm}}},
                    standard::boltStiffenerResults(),
                    boltAndShearFields()};
  d.templateFile = "g2.docx";
  d.diagramFile = "g2.bmp";
  d.newState = pendingStateFactory(d.resultGroups);
  return d;
}

ModuleDescriptor makeChannel() {
  ModuleDescriptor d = commonDescriptor("（kN-m）");
  d.id = "g3";
  d.formName = "TForm7";
  d.caption = "槽型靴梁柱脚-输入设计参数";
  d.resultFormName = "TForm14";
  d.resultGroups = {standard::plateLayoutResults(),
                    {"GroupBox6",
                     "靴梁",
                     {{"Edthxlb", "靴梁板高度hsh", mm},
                      {"Edttxlb", "靴梁板厚度tsh", mm},
                      {"Edttd", "靴梁顶板厚度tp", mm},
                      {"Edthfxlb", "靴梁板与柱焊脚高度", mm},
                      {"Edthf5", "靴梁板与底板焊脚高", mm}}},
                    {"GroupBox7",
                     "肋板",
                     {{"Edthjjl", "加劲肋高度hs", mm},
                      {"Edttjjl", "加劲肋厚度ts", mm},
                      {"Edthfjjl", "加劲肋焊脚高度", mm}}},
                    {"GroupBox8",
                     "隔板",
                     {{"Edthgb", "隔板高度hcb", mm},
                      {"Edttgb", "隔板厚度tcb", mm},
                      {"Edthf6", "隔板与底板焊脚高度", mm},
                      {"Edthf7", "隔板与靴梁焊脚高度", mm}}},
                    boltAndShearFields()};
  d.templateFile = "g3.docx";
  d.diagramFile = "g3.bmp";
  d.newState = pendingStateFactory(d.resultGroups);
  return d;
}

}  // namespace

const ModuleDescriptor& tBootBeamModule() {
  static const ModuleDescriptor descriptor = makeTShaped();
  return descriptor;
}

const ModuleDescriptor& channelBootBeamModule() {
  static const ModuleDescriptor descriptor = makeChannel();
  return descriptor;
}

}  // namespace pedivo::bootbeam
