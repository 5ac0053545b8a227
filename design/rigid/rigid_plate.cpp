#include "design/rigid/rigid_plate.h"

#include "design/common/pending_state.h"
#include "design/common/standard_controls.h"

namespace pedivo::rigid {
namespace {

ModuleDescriptor makeDescriptor(const std::string& id, const std::string& formName, const std::string& resultForm,
                                const std::string& diagram) {
  using standard::mm;
  ModuleDescriptor d;
  d.id = id;
  d.formName = formName;
  d.caption = "无靴梁柱脚-输入设计参数";
  d.groups = {standard::sectionGroup(), standard::materialGroup({}), standard::forceGroup(true),
              standard::plateSizeGroup()};
  d.hasDetailingToggle = true;
  d.reportButton = "Button3";
  d.checks = standard::rigidChecks();
  d.resultFormName = resultForm;
  d.resultGroups = {{"GroupBox5",
                     "底板",
                     {{"Edta", "尺寸a", mm},
                      {"Edtc", "尺寸c", mm},
                      {"Edtlt", "尺寸lt", mm},
                      {"Edtbt", "尺寸bt", mm},
                      {"EdtL", "底板长度L", mm},
                      {"EdtB", "底板宽度B", mm},
                      {"Edttpb", "底板厚度t", mm},
                      {"edtms", "锚栓直径d", mm},
                      {"edthf11", "底板与柱腹板焊脚高度", mm},
                      {"edtshear", "抗剪键设置", ""}}},
                    {"GroupBox7",
                     "锚栓加劲肋",
                     {{"Edthjjl", "锚栓加劲肋高度hs", mm},
                      {"Edttjjl", "锚栓加劲肋厚度ts", mm},
                      {"Edthfjjl", "锚栓加劲肋焊脚高度", mm}}}};
  d.templateFile = id + ".docx";
  d.diagramFile = diagram;
  d.newState = pendingStateFactory(d.resultGroups);
  return d;
}

}  // namespace

const ModuleDescriptor& eightBoltModule() {
  static const ModuleDescriptor descriptor = makeDescriptor("g11", "TForm4", "TForm11", "g11.bmp");
  return descriptor;
}

const ModuleDescriptor& tenBoltModule() {
  static const ModuleDescriptor descriptor = makeDescriptor("g12", "TForm5", "TForm12", "g12.bmp");
  return descriptor;
}

}  // namespace pedivo::rigid
