#include "design/pinned/four_bolt.h"

#include "design/common/pending_state.h"
#include "design/common/standard_controls.h"

namespace pedivo::pinned {
namespace {

ModuleDescriptor makeDescriptor() {
  using standard::mm;
  ModuleDescriptor d;
  d.id = "j2";
  d.formName = "TForm3";
  d.caption = "铰接柱脚-输入设计参数";
  d.clientSize = {621, 495};
  d.imageSize = {323, 188};
  d.groups = {standard::sectionGroup(),
              standard::materialGroup({{"cbdms", "锚栓直径", mm, "24", {"24", "27", "30"}}}),
              standard::forceGroup(false), standard::plateSizeGroup()};
  d.hasDetailingToggle = true;
  d.reportButton = "Button2";
  d.checks = standard::pinnedChecks();
  d.resultFormName = "TForm10";
  d.resultClientSize = {301, 376};
  d.resultGroups = {{"GroupBox5",
                     "底板",
                     {{"EdtL", "底板长度L", mm},
                      {"EdtB", "底板宽度B", mm},
                      {"Edttpb", "底板厚度t", mm},
                      {"edthf11", "底板与柱腹板焊缝焊脚高度", mm},
                      {"edtshear", "抗剪连接件设置", ""}}},
                    {"GroupBox7",
                     "锚栓加劲肋",
                     {{"Edthjjl", "锚栓加劲肋高度hs", mm},
                      {"Edttjjl", "锚栓加劲肋厚度ts", mm},
                      {"Edthfjjl", "锚栓加劲肋焊脚高度", mm}}}};
  d.templateFile = "j2.docx";
  d.diagramFile = "j4.bmp";
  d.newState = pendingStateFactory(d.resultGroups);
  return d;
}

}  // namespace

const ModuleDescriptor& fourBoltModule() {
  static const ModuleDescriptor descriptor = makeDescriptor();
  return descriptor;
}

}  // namespace pedivo::pinned
