#include "design/common/check_list.h"
#include "design/pinned/two_bolt.h"

#include <iterator>

#include "design/common/calculation.h"
#include "design/common/result_text.h"
#include "design/common/standard_controls.h"
#include "design/pinned/pinned_remedies.h"

namespace pedivo::pinned {
namespace {

using Held = TwoBoltHeld;

ResultView results(const Held& h) { return {plateResults(h), {}, {}}; }

void report(const Held& h, const Entries& e, const TagEmitter& sink) {
  plateReport(h, e, sink);
  plateCheckerTags(h, sink);
}

std::vector<NamedValue> values(const Held& h) { return plateValues(h); }
void scan(const Held& h, HeldNumbersScan& numbers) { scanPlateValues(h, numbers); }

std::vector<DesignCheck> checks(const Held& h) {
  std::vector<DesignCheck> list = plateChecks(h);
  appendChecks(list, keyChecks(h));
  return list;
}

void checkValues(const Held& h, std::vector<DesignCheck>& list) { writePlateValues(list, h); }

ModuleDescriptor makeDescriptor() {
  return pinnedDescriptor<pinnedPlateSizes>(
      {"CBdms", "锚栓直径d", standard::mm, "24", {"24", "27", "30", "33", "36", "39", "42"}},
      {"j1", "两锚栓铰接柱脚", "TForm2", "j2.bmp", "TForm9"},
      {{"GroupBox1",
        "底板",
        {{"EdtL", "底板长度L", standard::mm},
         {"EdtB", "底板宽度B", standard::mm},
         {"Edttpb", "底板厚度t", standard::mm}}},
       {"",
        "",
        {{"edthf11", "底板与柱腹板焊脚高度", standard::mm},
         {"edtshear", "抗剪键设置", ""},
         {"edtkey", "抗剪键", "", true}}}},
      {"tpb"},
      {.calculate = calculateTwoBolt, .results = results, .report = report, .values = values, .checks = checks,
       .checkValues = checkValues, .check = checkTwoBolt, .scan = scan},
      twoBoltRemedies);
}

}  // namespace

// The critical panel spans the whole depth between the flanges.
Outcome calculateTwoBolt(const Entries& entries, TwoBoltHeld& held) {
  return designPinnedBase(entries, held, "CBdms", [&](const Materials& materials, RoundLimit& rounds) {
    designPlate(entries, materials, held, held.hb - 2 * held.tf, rounds);
  });
}

Outcome checkTwoBolt(const Entries& entries, const Sizes& sizes, TwoBoltHeld& held, GivenSizeFindings& findings) {
  const Materials materials = readMaterials(entries);
  takeGivenPlate(entries, sizes, held);
  checkGivenPlate(materials, sizes, held, held.hb - 2 * held.tf, findings);
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

const ModuleDescriptor& twoBoltModule() {
  static const ModuleDescriptor descriptor = makeDescriptor();
  return descriptor;
}

}  // namespace pedivo::pinned
