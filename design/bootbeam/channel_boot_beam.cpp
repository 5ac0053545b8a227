// The channel boot-beam base: two boot beams closed by a top plate over the two tension bolts on
// each side, with ribs beside the bolts and a diaphragm across the channel.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "design/common/check_list.h"
#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/boot_beam_panels.h"
#include "design/bootbeam/boot_beam_remedies.h"
#include "design/bootbeam/boot_beam_report.h"
#include "design/bootbeam/boot_beam_steps.h"
#include "design/bootbeam/channel_diaphragm_step.h"
#include "design/bootbeam/channel_rib_step.h"
#include "design/common/numbers.h"
#include "design/common/plate_panel.h"
#include "design/common/result_text.h"
#include "design/common/rigid_base.h"
#include "design/common/shear_key.h"
#include "design/common/standard_controls.h"
#include "design/common/stiffener_welds.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

void panels(Held& h);
void plateThickness(const Materials& m, Held& h);
Next ribsAndDiaphragm(const Materials& m, Held& h, RoundLimit& rounds);
void panelTags(const Held& h, const TagEmitter& sink);
void ownTags(const Held& h, const TagEmitter& sink);
void ribAndDiaphragmValues(const Held& h, const TagEmitter& sink);

const HeldField<Held> ownFields[] = {
    {"b31", &Held::b31},     {"a31", &Held::a31},     {"r21", &Held::r21},     {"beta1", &Held::beta1},
    {"b32", &Held::b32},     {"a32", &Held::a32},     {"r22", &Held::r22},     {"beta2", &Held::beta2},
    {"Msh1", &Held::Msh1},   {"tp", &Held::tp},       {"hcb", &Held::hcb},     {"tcb", &Held::tcb},
    {"q", &Held::q},         {"hf6", &Held::hf6},     {"hf7", &Held::hf7},     {"fcb", &Held::fcb},
    {"fvcb", &Held::fvcb},   {"ylfcb", &Held::ylfcb}, {"ylvcb", &Held::ylvcb},
};

using Tag = HeldTag<Held>;
using enum ValueFormat;

// "<#ylc>" twice: where the T-shaped report has "<#ylmax>", this one repeats the bearing stress
// (the template's first occurrence takes it).
const Tag pressureTags[] = {
    {"<#ylc>", &Held::ylc, Cut2}, {"<#ylmin>", &Held::ylmin, Cut2}, {"<#ylc>", &Held::ylc, Cut2}};

const Tag plateTags[] = {
    {"<#b31>", &Held::b31, Cut2},     {"<#a31>", &Held::a31, Cut2},     {"<#r21>", &Held::r21, Cut2},
    {"<#M222>", &Held::M222, KN2},    {"<#b32>", &Held::b32, Cut2},     {"<#a32>", &Held::a32, Cut2},
    {"<#r22>", &Held::r22, Cut2},     {"<#M223>", &Held::M223, KN2},    {"<#M2>", &Held::M2, KN2},        {"<#tpbc>", &Held::tpbc, Cut2},
    {"<#tpb>", &Held::tpb, Cut2},
};

const Tag momentTags[] = {
    {"<#Msh1>", &Held::Msh1, KNm3}, {"<#Msh2>", &Held::Msh2, KNm3}, {"<#Mshmax>", &Held::Mshmax, KNm3}};

const Tag diaphragmTags[] = {
    {"<#hcb>", &Held::hcb, Plain},    {"<#tcb>", &Held::tcb, Plain},   {"<#fcb>", &Held::fcb, Plain},
    {"<#fvcb>", &Held::fvcb, Plain},  {"<#q>", &Held::q, Cut3},        {"<#ylvcb>", &Held::ylvcb, Cut3},
    {"<#ylfcb>", &Held::ylfcb, Cut3}, {"<#hf6>", &Held::hf6, Plain},   {"<#hf7>", &Held::hf7, Plain},
};

const Tag topPlateTags[] = {{"<#tp>", &Held::tp, Plain}};

using rigidbase::channelGeometry;

const BootBeamType channel{
    .geometry = &channelGeometry,
    .panels = panels,
    .plateThickness = plateThickness,
    .withinBoltRowFormula = "σc = 2N/(L/2 − e)/3/B，xn = L − lt，Ta = 0",
    .plateWeldLegRounding = roundToEvenPastHalf,
    .holdsFlangeStrength = false,
    .beyondBootBeams = ribsAndDiaphragm,
    .stiffenerName = "肋板",
    .panel1Pressure = "q0",
    .ownFields = ownFields,
    .pressureTags = pressureTags,
    .panelTags = panelTags,
    .momentTags = momentTags,
    .partTags = diaphragmTags,
    .ownTags = ownTags,
    .cantileverMomentTags = {"<#Msh1values>", {}},
    .partValues = ribAndDiaphragmValues,
    .ownCheckValues = writeDiaphragmValues,
};

// ---- plate plan and bearing ------------------------------------------------------------------

// The bearing found for a plate, and the rounds it spent finding it.
struct FoundBearing {
  // What the plate length depends on within one calculation (forces and materials are fixed).
  struct Plate {
    double B, L, lt, dms, Aems;
    bool operator==(const Plate&) const = default;
  };
  Plate plate;
  rigidbase::BearingStep step;
  long rounds;
};

// The plate's length and width, the only part of its plan this base holds.
void holdChannelBearing(Held& h, const rigidbase::BearingStep& step) {
  h.L = step.plan.L, h.B = step.plan.B;
  holdBootBeamBearing(h, step);
}

// The plate is the flange width with the boot beams and 20 mm beyond each, in whole tens; its
// width is fixed by the boot beams, so too much bearing lengthens it alone.
// A pass that only thickened the boot beams within the same rounded plate width lengthens the same
// plate again: the last bearing found is taken over with the rounds it spent, so the plate, the
// stresses and the round count are those of lengthening it once more.
Bearing planAndBearing(const Materials& m, Held& h, RoundLimit& rounds, std::optional<FoundBearing>& last) {
  const PlatePlan plan = channelPlatePlan({h.Aems, h.a, h.c, h.lt, h.bt}, h.hb, h.bf, h.tsh);
  const FoundBearing::Plate plate{plan.B, plan.L, h.lt, h.dms, h.Aems};
  if (last && last->plate == plate) {
    rounds.advance(last->rounds);
    holdChannelBearing(h, last->step);
    return Bearing::Holds;
  }
  const long before = rounds.used();
  const rigidbase::BearingStep step = rigidbase::lengthenedBearingStep(
      channelGeometry.pressure, rigidbase::bearingLoads(m.concrete, h), plan, rounds);
  holdChannelBearing(h, step);
  if (step.end == Bearing::Holds) last = FoundBearing{plate, step, rounds.used() - before};
  return step.end;
}

// ---- base plate ------------------------------------------------------------------------------

void panels(Held& h) { holdChannelPanels(h, channelPanels(h)); }

void plateThickness(const Materials& m, Held& h) {
  panelPlateThickness(m, h);
  h.tpb = std::max(tables::thinnestBasePlate, roundUpToWholePastHundredth(h.tpbc));
}

// ---- ribs and diaphragm ----------------------------------------------------------------------

Next ribsAndDiaphragm(const Materials& m, Held& h, RoundLimit& rounds) {
  ribs(m, h, rounds);
  return diaphragm(m, h, rounds);
}

// ---- the design pass -------------------------------------------------------------------------

rigidbase::PassEnd designPass(const Entries& e, const Materials& m, Held& h, RoundLimit& rounds) {
  std::optional<FoundBearing> lastBearing;  // of this pass
  h.ribRecord = {};
  return bootBeamPass(channel, e, m, h, rounds, [&] { return planAndBearing(m, h, rounds, lastBearing); });
}

// ---- a given base ----------------------------------------------------------------------------

constexpr SizeField<Held> layoutSizes[] = {
    {"dms", &Held::dms, "锚栓直径d"}, {"a", &Held::a, "柱边至锚栓中心a"}, {"lt", &Held::lt, "锚栓中心至底板边lt"}};
constexpr SizeField<Held> ribAndDiaphragmSizes[] = {
    {"hjjl", &Held::hjjl, "肋板高度hs"},  {"tjjl", &Held::tjjl, "肋板厚度ts"},
    {"hf3", &Held::hf3, "肋板焊脚高度"},  {"hcb", &Held::hcb, "隔板高度hcb"},
    {"tcb", &Held::tcb, "隔板厚度tcb"},   {"hf6", &Held::hf6, "隔板与底板焊脚高度"},
    {"hf7", &Held::hf7, "隔板与靴梁焊脚高度"},
};
constexpr auto sizeFields = joinSizes<Held>(layoutSizes, plateSizeRows<Held>, bootBeamSizes, ribAndDiaphragmSizes);

// Each step's formulas once on the given sizes; only a large bolt's compressed zone is still bisected.
Outcome checkGiven(const Entries& e, const Sizes& s, Held& h, GivenSizeFindings& f) {
  RoundLimit rounds;
  const Materials m = readMaterials(e);
  takeGivenBase(channel, e, sizeFields, s, h);
  h.f1 = tables::givenStiffenerStrength(*m.steel, h.tjjl);  // by its thickness alone, not by what the window held
  const auto bolt = tables::anchorBolt(static_cast<int>(h.dms));
  h.c = bolt->c, h.bt = tables::boltEdgeDistance(bolt->dms), h.tp = h.tsh;
  if (!givenPlateAndBootBeams(channel, m, h, rounds, f)) return givenAxialTension();
  h.Ntal = 2 * h.ta / h.n;
  h.ffw = m.steel->ffw;
  if (stiffenerHasHeight(h.hjjl, channelGeometry.stiffenerCornerCut,
                         {"stiffener", "stiffenerPlateWeld", "stiffenerUpstandWeld"}, f)) {
    holdRibStresses(h, ribStressesAt(m, h));
    if (const auto w = givenStiffenerWelds(ribWeldInputs(m, h), h.hf3, "stiffenerPlateWeld", "stiffenerUpstandWeld", f))
      h.ylnf = w->ylnf, h.ylvf = w->ylvf;
  } else {
    h.write1 = rigidbase::stiffenerOutstand(channelGeometry, h) / h.tjjl;
    h.write2 = tables::outstandLimit(m.steel->fy);
  }
  givenDiaphragm(m, h, f);
  bootBeamRules(channel, h, f);
  f.rules.push_back(atLeastRule("ruleHf3", "肋板焊脚尺寸", "hf ≥ max(8, 1.5·√t)，取偶数", h.hf3,
                                roundToEvenPastHalf(std::max(8.0, tables::smallestFilletLeg(h.tpb))), {"Edthfjjl"}));
  f.rules.push_back(atMostRule("ruleHf3Max", "肋板焊脚不大于肋厚及 16 mm", "hf ≤ min(ts, 16)", h.hf3,
                               std::min(h.tjjl, tables::largestFilletLeg), {"Edthfjjl"}));
  appendChecks(f.rules, boltDistanceRules({h.dms, h.a, h.c, h.lt, h.bt, false, true, false}));
  keyUnderGivenPlate(m, s, h, f);
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

// ---- results and checks ----------------------------------------------------------------------

ResultView results(const Held& h) {
  const auto plain = [](double x) { return formatGeneral(x); };
  return bootBeamResults(h, {{"Edttd", plain(h.tp)}},
                         {{"Edthgb", plain(h.hcb)}, {"Edttgb", plain(h.tcb)}, {"Edthf6", plain(h.hf6)},
                          {"Edthf7", plain(h.hf7)}});
}

std::vector<DesignCheck> checks(const Held& h) {
  return baseChecks(channel, h, plateThicknessCheck("t ≥ tpbc = √(6·M2/f)", h.tpbc, h.tpb, {"Edttpb"}),
                    diaphragmChecks(h));
}

// ---- report ----------------------------------------------------------------------------------

// The panels beside the column and inside the channel.
void panelTags(const Held& h, const TagEmitter& sink) {
  emitTags(plateTags, h, sink);
  sink("<#beta1>", panelCoefficientText(false, h.beta1));
  sink("<#beta2>", panelCoefficientText(false, h.beta2));
}

// The top plate and the diaphragm weld's length.
void ownTags(const Held& h, const TagEmitter& sink) {
  emitTags(topPlateTags, h, sink);
  sink("<#hcbWeld>", formatValue(ValueFormat::Plain, h.hcb - 35));
}

// The rib's stresses and the diaphragm's load, with their numbers.
void ribAndDiaphragmValues(const Held& h, const TagEmitter& sink) {
  emitRibValues(h, sink);
  emitDiaphragmValues(h, sink);
}

}  // namespace

Outcome calculateChannelBootBeam(const Entries& entries, BootBeamHeld& h) {
  return detailedDesign(
      entries, h, designPass,
      [] { return Closing::Designed; });
}

const ModuleDescriptor& channelBootBeamModule() {
  using standard::mm;
  static const ModuleDescriptor descriptor = bootBeamModule<channel, sizeFields>(
      {{"g3", "槽型靴梁柱脚", "TForm7", "g3.bmp", "TForm14"},
       {{"GroupBox7",
         "肋板",
         {{"Edthjjl", "加劲肋高度hs", mm}, {"Edttjjl", "加劲肋厚度ts", mm}, {"Edthfjjl", "加劲肋焊脚高度", mm}}},
        {"GroupBox8",
         "隔板",
         {{"Edthgb", "隔板高度hcb", mm},
          {"Edttgb", "隔板厚度tcb", mm},
          {"Edthf6", "隔板与底板焊脚高度", mm},
          {"Edthf7", "隔板与靴梁焊脚高度", mm}}}},
       {"tpb", "tsh", "tjjl", "tcb"}},
      {.calculate = calculateChannelBootBeam, .results = results, .checks = checks, .check = checkGiven},
      channelBootBeamRemedies);
  return descriptor;
}

}  // namespace pedivo::bootbeam
