#include "design/common/check_list.h"
#include "design/pinned/four_bolt.h"

#include <iterator>

#include "design/common/calculation.h"
#include "design/common/numbers.h"
#include "design/common/result_text.h"
#include "design/common/standard_controls.h"
#include "design/common/stiffener_welds.h"
#include "design/pinned/pinned_remedies.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"

namespace pedivo::pinned {
namespace {

using Held = FourBoltHeld;

const HeldField<Held> stiffenerFields[] = {
    {"tjjl", &Held::tjjl},   {"hjjl", &Held::hjjl}, {"Vimax", &Held::Vimax}, {"ylvR", &Held::ylvR},
    {"ylfR", &Held::ylfR},   {"ylequ", &Held::ylequ}, {"fy", &Held::fy},     {"f1", &Held::f1},
    {"write1", &Held::write1}, {"write2", &Held::write2}, {"hf3", &Held::hf3}, {"ylnf", &Held::ylnf},
    {"ylvf", &Held::ylvf},
};

// The plate's sizes, the web weld's leg under this base's caption, and the stiffener's sizes.
constexpr SizeField<Held> webWeldLeg[] = {{"hf11", &Held::hf11, "底板与柱腹板焊缝焊脚高度"}};
constexpr auto fourBoltSizes = joinSizes<Held>(boltLayoutSizes, plateSizeRows<PinnedPlateHeld>, webWeldLeg,
                                               boltStiffenerSizeRows<Held>);

// What the stiffener of the held thickness came to at one height.
enum class StiffenerEnd {
  Designed,      // its stresses, its outstand and its welds hold
  TooSlender,    // its outstand over its thickness: a thicker stiffener
  WeldTooThick,  // the plate weld asks for a leg past its thickness: a thicker stiffener
  WebWeldFails,  // the weld up the web fails at its largest leg: a higher stiffener
};

StiffenerEnd endOfWelds(StiffenerWeldEnd end) {
  switch (end) {
    case StiffenerWeldEnd::Designed: return StiffenerEnd::Designed;
    case StiffenerWeldEnd::Thicker: return StiffenerEnd::WeldTooThick;
    case StiffenerWeldEnd::Taller:
    case StiffenerWeldEnd::UpstandOverstressed: break;
  }
  return StiffenerEnd::WebWeldFails;
}

// The stiffener at the held height: the height its stresses ask for, then its slenderness, then
// its welds; each held as it is found.
StiffenerEnd stiffenerAtHeight(const Materials& m, Held& h, RoundLimit& rounds) {
  holdStiffenerHeight(h, stiffenerHeight(m, h, rounds));
  const StiffenerSlenderness slenderness = stiffenerSlenderness(h);
  holdSlenderness(h, slenderness);
  if (slenderness.tooSlender()) return StiffenerEnd::TooSlender;
  const BoltStiffenerWeldStep welds = designedStiffenerWelds(m, h, rounds);
  holdStiffenerWelds(h, welds);
  return endOfWelds(welds.welds->end);
}

// The stiffener from its starting height, 10 mm higher a round while the weld up the web fails.
StiffenerEnd stiffener(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hjjl = tables::startingStiffenerHeight;
  StiffenerEnd end = stiffenerAtHeight(m, h, rounds);
  while (end == StiffenerEnd::WebWeldFails) {
    rounds.next();
    h.hjjl += tables::heightStep;
    end = stiffenerAtHeight(m, h, rounds);
  }
  return end;
}

// The plate and its stiffeners at the current stiffener thickness.
StiffenerEnd plateAndStiffener(const Entries& entries, const Materials& m, Held& h, RoundLimit& rounds) {
  designPlate(entries, m, h, (h.hb - 2 * h.tf - h.tjjl) / 2, rounds);
  return stiffener(m, h, rounds);
}

ResultView results(const Held& h) {
  ResultView view{plateResults(h), {}, {}};
  view.fields.push_back({"Edthjjl", formatGeneral(h.hjjl)});
  view.fields.push_back({"Edttjjl", formatGeneral(h.tjjl)});
  view.fields.push_back({"Edthfjjl", formatGeneral(h.hf3)});
  return view;
}

using Tag = HeldTag<Held>;
using enum ValueFormat;

const Tag stiffenerSizeTags[] = {
    {"<#hjjl>", &Held::hjjl, Plain}, {"<#tjjl>", &Held::tjjl, Plain}, {"<#hf3>", &Held::hf3, Plain}};

const Tag stiffenerStressTags[] = {
    {"<#Vimax>", &Held::Vimax, KN3}, {"<#ylfR>", &Held::ylfR, Cut3}, {"<#ylvR>", &Held::ylvR, Cut3},
    {"<#ylnf>", &Held::ylnf, Cut3},  {"<#ylvf>", &Held::ylvf, Cut3}, {"<#ylequ>", &Held::ylequ, Cut3},
};

// The digits of the summary table.
const Tag writeTags[] = {{"<#write1>", &Held::write1, Cut3}, {"<#write2>", &Held::write2, Cut3}};

const Tag strengthTags[] = {{"<#f1>", &Held::f1, Plain}, {"<#fy>", &Held::fy, Plain}};

void report(const Held& h, const Entries& e, const TagEmitter& sink) {
  const auto plain = [](double x) { return formatGeneral(x); };
  plateReport(h, e, sink);
  emitTags(stiffenerSizeTags, h, sink);
  sink("<#1.22ffw>", plain(tables::betaF * h.ffw));
  emitTags(stiffenerStressTags, h, sink);
  sink("<#1.1f1>", plain(tables::equivalentStressFactor * h.f1));
  emitTags(writeTags, h, sink);
  plateCheckerTags(h, sink);
  emitStiffenerValues(h, sink);
  emitTags(strengthTags, h, sink);
}

std::vector<NamedValue> values(const Held& h) {
  std::vector<NamedValue> list = plateValues(h);
  std::vector<NamedValue> more = listValues(stiffenerFields, h);
  list.insert(list.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  return list;
}

void scan(const Held& h, HeldNumbersScan& numbers) {
  scanPlateValues(h, numbers);
  scanValues(stiffenerFields, h, numbers);
}

std::vector<DesignCheck> checks(const Held& h) {
  std::vector<DesignCheck> list = plateChecks(h);
  appendChecks(list, checkList(
      limitCheck("stiffener", "锚栓加劲肋折算应力", "√(σ² + 3τ²) ≤ 1.1·f", h.ylequ, tables::equivalentStressFactor * h.f1, stressUnit,
                 ValueFormat::Cut3, {"Edthjjl"}),
      limitCheck("slenderness", "锚栓加劲肋宽厚比", "(B − tw)/2/ts ≤ 18·√(235/fy)", h.write1, h.write2, "",
                 ValueFormat::Cut3, {"Edttjjl"}),
      limitCheck("stiffenerPlateWeld", "加劲肋与底板焊缝", "σf ≤ βf·ffw", h.ylnf, tables::betaF * h.ffw, stressUnit,
                 ValueFormat::Cut3, {"Edthfjjl"}),
      limitCheck("stiffenerWebWeld", "加劲肋与腹板焊缝折算应力", "√((σf/βf)² + τf²) ≤ ffw", h.ylvf, h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthfjjl"})));
  appendChecks(list, keyChecks(h));
  return list;
}

void checkValues(const Held& h, std::vector<DesignCheck>& list) {
  writePlateValues(list, h);
  writeStiffenerValues(list, h);
}

ModuleDescriptor makeDescriptor() {
  using standard::mm;
  ModuleDescriptor d = pinnedDescriptor<fourBoltSizes>(
      {"cbdms", "锚栓直径", mm, "24", {"24", "27", "30"}}, {"j2", "四锚栓铰接柱脚", "TForm3", "j4.bmp", "TForm10"},
      {{"GroupBox5",
        "底板",
        {{"EdtL", "底板长度L", mm},
         {"EdtB", "底板宽度B", mm},
         {"Edttpb", "底板厚度t", mm},
         {"edthf11", "底板与柱腹板焊缝焊脚高度", mm},
         {"edtshear", "抗剪键设置", ""},
         {"edtkey", "抗剪键", "", true}}},
       {"GroupBox7",
        "锚栓加劲肋",
        {{"Edthjjl", "锚栓加劲肋高度hs", mm},
         {"Edttjjl", "锚栓加劲肋厚度ts", mm},
         {"Edthfjjl", "锚栓加劲肋焊脚高度", mm}}}},
      {"tpb", "tjjl"},
      {.calculate = calculateFourBolt, .results = results, .report = report, .values = values, .checks = checks,
       .checkValues = checkValues, .check = checkFourBolt, .scan = scan},
      fourBoltRemedies);
  d.clientSize = {624, 495};  // 3 px wider than before the grout entry, whose caption is the longest
  d.imageSize = {323, 188};
  d.resultClientSize = {301, 376};
  return d;
}

}  // namespace

// The forces and the section are read once; a thicker stiffener redesigns the plate from its
// sizes on, since it narrows the panels between the flanges.
Outcome calculateFourBolt(const Entries& entries, FourBoltHeld& h) {
  return designPinnedBase(entries, h, "cbdms", [&](const Materials& materials, RoundLimit& rounds) {
    h.tjjl = tables::startingStiffenerThickness;
    while (plateAndStiffener(entries, materials, h, rounds) != StiffenerEnd::Designed) {
      h.tjjl += tables::thicknessStep;
      rounds.next();
    }
  });
}

// The stiffener of given sizes: its stresses, its slenderness and its welds at the given leg.
Outcome checkFourBolt(const Entries& entries, const Sizes& sizes, FourBoltHeld& h, GivenSizeFindings& findings) {
  const Materials m = readMaterials(entries);
  takeGivenPlate(entries, sizes, h);
  takeSizes(fourBoltSizes, sizes, h);
  h.f1 = tables::givenStiffenerStrength(*m.steel, h.tjjl);  // by its thickness alone, not by what the window held
  checkGivenPlate(m, sizes, h, (h.hb - 2 * h.tf - h.tjjl) / 2, findings);
  holdStiffenerStresses(h, stiffenerStresses(m, h));
  holdSlenderness(h, stiffenerSlenderness(h));
  holdStiffenerWelds(h, givenStiffenerWeldStep(m, h, findings));
  findings.rules.push_back(
      smallestLegRule("ruleHf3", "加劲肋焊脚尺寸", h.hf3, h.tpb, tables::smallestPlateWeldLeg, {"Edthfjjl"}));
  findings.rules.push_back(atMostRule("ruleHf3Max", "加劲肋焊脚不大于肋厚", "hf ≤ ts", h.hf3, h.tjjl, {"Edthfjjl"}));
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

const ModuleDescriptor& fourBoltModule() {
  static const ModuleDescriptor descriptor = makeDescriptor();
  return descriptor;
}

}  // namespace pedivo::pinned
