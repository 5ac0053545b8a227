#include "design/common/check_list.h"
#include "design/pinned/four_bolt.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "design/common/calculation.h"
#include "design/common/numbers.h"
#include "design/common/result_text.h"
#include "design/common/standard_controls.h"
#include "design/common/stepped_growth.h"
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

// The stiffener grows 10 mm at a time until its equivalent stress is within 1.1·f; its section is
// its full height.
void stiffenerHeight(const Materials& m, Held& h, RoundLimit& rounds) {
  holdStiffenerStresses(h, stiffenerStresses(m, h));
  const double limit = tables::equivalentStressFactor * h.f1;
  if (!(h.ylequ > limit)) return;
  const auto stressesAt = [&](double height) {
    h.hjjl = height;
    holdStiffenerStresses(h, stiffenerStresses(m, h));
    return !(h.ylequ > tables::equivalentStressFactor * h.f1);
  };
  raisedStiffenerHeight(h.hjjl, {h.ylfR, h.ylvR, limit, 0}, stressesAt, rounds);
}

enum class StiffenerEnd { Designed, Thicker };

// The stiffener's height, its slenderness and its welds. A stiffener too slender
// for its outstand, or needing a weld leg beyond its own thickness, becomes 2 mm thicker and the
// design starts again from the plate.
StiffenerEnd stiffener(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hjjl = 200;
  while (true) {  // again with a higher stiffener
    stiffenerHeight(m, h, rounds);
    const StiffenerSlenderness slenderness = stiffenerSlenderness(h);
    holdSlenderness(h, slenderness);
    if (slenderness.tooSlender()) {
      h.tjjl += 2;
      return StiffenerEnd::Thicker;
    }
    const StiffenerWeldInputs in = boltStiffenerWeldInputs(h, m.steel->ffw);
    const StiffenerWelds welds =
        stiffenerWelds(in, roundUpToEven(std::max(6.0, tables::smallestFilletLeg(h.tpb))), rounds);
    holdStiffenerWelds(h, in, welds);
    switch (welds.end) {
      case StiffenerWeldEnd::Designed: return StiffenerEnd::Designed;
      case StiffenerWeldEnd::Thicker: h.tjjl += 2; return StiffenerEnd::Thicker;
      case StiffenerWeldEnd::Taller:
      case StiffenerWeldEnd::UpstandOverstressed: break;
    }
    rounds.next();
    h.hjjl += 10;
  }
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
  // The stiffener's load and stresses with their numbers.
  const std::string Vimax = kNOperand(h.Vimax);
  sink("<#Vimaxvalues>", "((" + operand(h.hb) + " − 2×" + operand(h.tf) + ")×" + operand(ValueFormat::Cut2, h.ylc) +
                             "/2)×(" + operand(h.B) + " − " + operand(h.tw) + ")/2×10⁻³");
  sink("<#ylvRvalues>", Vimax + "/(" + operand(h.hjjl) + "×" + operand(h.tjjl) + ")");
  sink("<#ylfRvalues>", "((" + operand(h.B) + " − " + operand(h.tw) + ")×" + Vimax + "/4)/(" + operand(h.tjjl) + "×" +
                            operand(h.hjjl) + "²/6)");
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

// The stiffener's checks with their numbers, the weld up the web taken apart into its two stresses.
void writeStiffenerValues(std::vector<DesignCheck>& checks, const Held& h) {
  const std::string betaF = operand(tables::betaF);
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string hf = operand(h.hf3);
  const std::string outstand = "(" + operand(h.B) + " − " + operand(h.tw) + ")";
  for (DesignCheck& check : checks) {
    if (check.id == "stiffener") {
      writeValues(check, "√(σ² + 3τ²) = √(" + operand(ValueFormat::Cut3, h.ylfR) + "² + 3×" +
                             operand(ValueFormat::Cut3, h.ylvR) + "²)",
                  "1.1f = 1.1×" + operand(h.f1));
    } else if (check.id == "slenderness") {
      writeValues(check, "(B − tw)/2/ts = " + outstand + "/2/" + operand(h.tjjl),
                  "18√(235/fy) = 18×√(235/" + operand(h.fy) + ")");
    } else if (check.id == "stiffenerPlateWeld") {
      writeValues(check, "σf = Vimax/(1.4hf·((B − tw)/2 − 2hf − 15)) = " + Vimax + "/(1.4×" + hf + "×(" + outstand +
                             "/2 − 2×" + hf + " − 15))",
                  "βf·ffw = " + betaF + "×" + operand(h.ffw));
    } else if (check.id == "stiffenerWebWeld") {
      const auto [lw, Wf, tau, sigma] = upstandWeld(boltStiffenerWeldInputs(h, h.ffw), h.hf3);
      writeValues(check,
                  "lw = hs − 2hf − 15 = " + operand(lw) + " mm，σf = ((B − tw)·Vimax/4)/(0.7hf·lw²/3) = (" + outstand +
                      "×" + Vimax + "/4)/(0.7×" + hf + "×" + operand(lw) + "²/3) = " + operand(ValueFormat::Cut3, sigma) +
                      " N/mm²，τf = Vimax/(1.4hf·lw) = " + Vimax + "/(1.4×" + hf + "×" + operand(lw) + ") = " +
                      operand(ValueFormat::Cut3, tau) + " N/mm²，√((σf/βf)² + τf²) = √((" +
                      operand(ValueFormat::Cut3, sigma) + "/" + betaF + ")² + " + operand(ValueFormat::Cut3, tau) + "²)",
                  "ffw");
    }
  }
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

// The products and quotients are evaluated left to right as written: regrouping them would change
// the last bit of the load and the stresses.
BoltStiffenerStresses stiffenerStresses(const Materials& m, const FourBoltHeld& h) {
  BoltStiffenerStresses s{};
  s.Vimax = ((h.hb - 2 * h.tf) * h.ylc / 2) * (h.B - h.tw) / 2;
  s.ylvR = s.Vimax / h.hjjl / h.tjjl;
  s.ylfR = ((h.B - h.tw) * s.Vimax / 4) / (h.tjjl * h.hjjl * h.hjjl / 6);
  s.fy = m.steel->fy;
  s.f1 = tables::stiffenerStrength(*m.steel, h.tjjl, h.f1);
  s.ylequ = std::sqrt(s.ylfR * s.ylfR + 3 * s.ylvR * s.ylvR);
  return s;
}

void holdStiffenerStresses(FourBoltHeld& h, const BoltStiffenerStresses& s) {
  h.Vimax = s.Vimax, h.ylvR = s.ylvR, h.ylfR = s.ylfR;
  h.fy = s.fy, h.f1 = s.f1;
  h.ylequ = s.ylequ;
}

StiffenerSlenderness stiffenerSlenderness(const FourBoltHeld& h) {
  const double outstand = (h.B - h.tw) / 2;  // from the web to the plate edge
  return {outstand / h.tjjl, tables::outstandLimit(h.fy)};
}

void holdSlenderness(FourBoltHeld& h, const StiffenerSlenderness& s) { h.write1 = s.write1, h.write2 = s.write2; }

StiffenerWeldInputs boltStiffenerWeldInputs(const FourBoltHeld& h, double ffw) {
  return {.load = h.Vimax, .outstand = (h.B - h.tw) / 2, .height = h.hjjl, .thickness = h.tjjl, .ffw = ffw,
          .upstandEnds = tables::stiffenerCornerCut, .largestLeg = noLargestLeg, .upstandGrowsLeg = true};
}

void holdStiffenerWelds(FourBoltHeld& h, const StiffenerWeldInputs& in, const std::optional<StiffenerWelds>& welds) {
  h.ffw = in.ffw;
  if (welds) h.hf3 = welds->hf, h.ylnf = welds->ylnf, h.ylvf = welds->ylvf;
}

// The forces and the section are read once; a thicker stiffener redesigns the plate from its
// sizes on, since it narrows the panels between the flanges.
Outcome calculateFourBolt(const Entries& entries, FourBoltHeld& h) {
  return designPinnedBase(entries, h, "cbdms", [&](const Materials& materials, RoundLimit& rounds) {
    h.tjjl = 8;
    while (plateAndStiffener(entries, materials, h, rounds) == StiffenerEnd::Thicker) rounds.next();
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
  const StiffenerWeldInputs in = boltStiffenerWeldInputs(h, m.steel->ffw);
  holdStiffenerWelds(h, in, givenStiffenerWelds(in, h.hf3, "stiffenerPlateWeld", "stiffenerWebWeld", findings));
  findings.rules.push_back(smallestLegRule("ruleHf3", "加劲肋焊脚尺寸", h.hf3, h.tpb, 6, {"Edthfjjl"}));
  findings.rules.push_back(atMostRule("ruleHf3Max", "加劲肋焊脚不大于肋厚", "hf ≤ ts", h.hf3, h.tjjl, {"Edthfjjl"}));
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

const ModuleDescriptor& fourBoltModule() {
  static const ModuleDescriptor descriptor = makeDescriptor();
  return descriptor;
}

}  // namespace pedivo::pinned
