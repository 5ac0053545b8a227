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
  ResultGroupSpec plate = standard::plateLayoutResults();
  plate.fields.push_back({"edtms", "锚栓直径d", mm});
  plate.fields.push_back({"edthf11", "底板与柱腹板焊脚高度", mm});
  plate.fields.push_back({"edtshear", "抗剪键设置", ""});
  d.resultGroups = {plate, standard::boltStiffenerResults()};
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
