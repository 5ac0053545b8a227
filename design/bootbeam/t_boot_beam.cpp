// The T-shaped boot-beam base: two boot beams along the column flanges, and the tension bolts
// outside them on stiffeners welded to the boot beams and the plate.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "design/common/check_list.h"
#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/boot_beam_panels.h"
#include "design/bootbeam/boot_beam_remedies.h"
#include "design/bootbeam/boot_beam_report.h"
#include "design/bootbeam/boot_beam_steps.h"
#include "design/bootbeam/t_stiffener_step.h"
#include "design/common/bolt_zone.h"
#include "design/common/numbers.h"
#include "design/common/plate_panel.h"
#include "design/common/result_text.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_tags.h"
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
Next stiffeners(const Materials& m, Held& h, RoundLimit& rounds);
void panelTags(const Held& h, const TagEmitter& sink);
void ownTags(const Held& h, const TagEmitter& sink);

const HeldField<Held> ownFields[] = {
    {"L0", &Held::L0},       {"B0", &Held::B0},       {"b22", &Held::b22},     {"a22", &Held::a22},
    {"r12", &Held::r12},     {"alf2", &Held::alf2},   {"b23", &Held::b23},     {"a23", &Held::a23},
    {"r13", &Held::r13},     {"alf3", &Held::alf3},   {"b3", &Held::b3},       {"a3", &Held::a3},
    {"r2", &Held::r2},       {"beta", &Held::beta},   {"M224", &Held::M224},   {"lx1", &Held::la1},
    {"ly1", &Held::lc1},     {"lx2", &Held::la2},     {"ly2", &Held::lc2},     {"tpbt1", &Held::tpbt1},
    {"tpbt2", &Held::tpbt2}, {"tpbt", &Held::tpbt},   {"Msh11", &Held::Msh11}, {"Msh12", &Held::Msh12},
    {"Msh1max", &Held::Msh1max}, {"Vi", &Held::Vi},     {"fpbt", &Held::fpbt},
};

using Tag = HeldTag<Held>;
using enum ValueFormat;

const Tag pressureTags[] = {
    {"<#ylmax>", &Held::ylmax, Cut2}, {"<#ylmin>", &Held::ylmin, Cut2}, {"<#ylc>", &Held::ylc, Cut2}};

const Tag momentTags[] = {
    {"<#Msh11>", &Held::Msh11, KNm3}, {"<#Msh12>", &Held::Msh12, KNm3},
    {"<#Msh2>", &Held::Msh2, KNm3},   {"<#Mshmax>", &Held::Mshmax, KNm3},
};

const Tag boltPlateTags[] = {
    {"<#lx1>", &Held::la1, Cut2}, {"<#ly1>", &Held::lc1, Cut2}, {"<#lx2>", &Held::la2, Cut2},
    {"<#ly2>", &Held::lc2, Cut2}, {"<#Msh1max>", &Held::Msh1max, KNm3},
};

using rigidbase::tShapedGeometry;

const BootBeamType tShaped{
    .geometry = &tShapedGeometry,
    .panels = panels,
    .plateThickness = plateThickness,
    .withinBoltRowFormula = "σc = 2N/(L/2 − e)/3/B，xn = 3·(L/2 − e)，Ta = 0",
    .plateWeldLegRounding = roundUpToEven,
    .holdsFlangeStrength = true,
    .beyondBootBeams = stiffeners,
    .stiffenerName = "锚栓加劲肋",
    .panel1Pressure = "q(L/2)",
    .ownFields = ownFields,
    .pressureTags = pressureTags,
    .panelTags = panelTags,
    .momentTags = momentTags,
    .partTags = {},
    .ownTags = ownTags,
    .cantileverMomentTags = {"<#Msh11values>", "<#Msh12values>"},
    .partValues = emitTStiffenerValues,
    .ownCheckValues = nullptr,
};

// ---- plate plan and bearing ------------------------------------------------------------------

// The plan and the bearing under it, the plate widened until the concrete holds.
Bearing planAndBearing(const Materials& m, Held& h, RoundLimit& rounds) {
  const auto planOf = [&](const PlateLayout& layout) { return tShapedPlatePlan(layout, h.hb, h.bf, h.tsh); };
  const rigidbase::BearingStep step = rigidbase::widenedBearingStep(
      tShapedGeometry.pressure, rigidbase::bearingLoads(m.concrete, h), {h.Aems, h.a, h.c, h.lt, h.bt}, planOf, rounds);
  rigidbase::holdPlatePlan(h, step.plan);
  holdBootBeamBearing(h, step);
  return step.end;
}

// ---- base plate ------------------------------------------------------------------------------

void panels(Held& h) { holdTShapedPanels(h, tShapedPanels(h)); }

// The plate round a tension bolt, between the boot beam and a stiffener (tpbt1), and across the
// flange width (tpbt2), for the plate's f.
double thicknessAtBolts(Held& h, double f) {
  const auto zone = rigidbase::boltZone(tShapedGeometry.boltZonePlate, {h.a, h.c, h.lt, h.bt, h.Ntal}, h.bf, f);
  rigidbase::holdBoltZone(h, zone);
  h.cornerArm = zone.cornerArm;
  return zone.tpbt;
}

// The thicker of the panels' plate and the plate at the bolts; each thickness group recomputes
// both layouts at the bolts.
void plateThickness(const Materials& m, Held& h) {
  panelPlateThickness(m, h);
  h.Ntal = 2 * h.ta / h.n;
  const auto atBolts = tables::plateThicknessByGroup(*m.steel, [&](double f) { return thicknessAtBolts(h, f); });
  h.fpbt = atBolts.f;
  h.f = h.fpbt;  // the shared f shows the plate's at the bolts until the boot beams set theirs
  h.tgrp = tables::plateThicknessGroup(*m.steel, h.tpbt);
  h.plateSizedBy = rigidbase::plateSizedBy(h.tpbc, h.tpbt);
  h.tpb = std::max(tables::thinnestBasePlate, roundUpToWhole(std::max(h.tpbt, h.tpbc)));
}

// A stiffener thickened for its weld after the plate was sized narrows the panel between the
// stiffeners: the panels and the thickness they need are those of the final stiffener. A narrower
// panel needs no more moment, so the plate keeps its thickness and the bolts' plate is unchanged.
void panelsOnFinalStiffener(const Materials& m, Held& h) {
  panels(h);
  const auto need = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * h.M2 / f); });
  h.tpbc = need.t;
  h.fpb = need.f;
  h.plateSizedBy = rigidbase::plateSizedBy(h.tpbc, h.tpbt);
}

// ---- anchor-bolt stiffeners ------------------------------------------------------------------

double startingLeg(const Held& h) {
  return tables::smallestFilletLeg(h.tpb) > 8 ? tables::smallestFilletLeg(h.tpb) : 8;
}

// The stiffener from 200 mm high, again higher or thicker until it and its welds hold.
Next stiffeners(const Materials& m, Held& h, RoundLimit& rounds) {
  h.hjjl = tables::startingStiffenerHeight;
  while (true) {
    const StiffenerTrial trial = tStiffenerTrial(m, h);
    holdStiffenerTrial(h, trial);
    switch (trial.end) {
      case StiffenerEnd::AboveBootBeam:
        h.hsh += tables::heightStep;
        return Next::BootBeam;
      case StiffenerEnd::Overstressed: {
        // The stresses held are those of the last height the steps would try below the boot beam's.
        const StiffenerRaise raise = raisedTStiffener(m, h, *trial.stresses, rounds);
        holdStiffenerStresses(h, raise.before);
        h.hjjl = raise.hjjl;
        continue;
      }
      case StiffenerEnd::TooSlender:
        h.tjjl += tables::thicknessStep;
        h.hjjl = tables::startingStiffenerHeight;
        return Next::Sizes;
      case StiffenerEnd::Holds:
        break;
    }
    const StiffenerWeldInputs inputs = tStiffenerWeldInputs(m, h);
    h.ffw = inputs.ffw;
    const StiffenerWelds welds = stiffenerWelds(inputs, roundUpToEven(startingLeg(h)), rounds);
    h.hf3 = welds.hf, h.ylnf = welds.ylnf, h.ylvf = welds.ylvf;
    switch (welds.end) {
      case StiffenerWeldEnd::Designed: panelsOnFinalStiffener(m, h); return Next::Continue;
      case StiffenerWeldEnd::Taller:
      case StiffenerWeldEnd::UpstandOverstressed: h.hjjl += tables::heightStep; break;
      case StiffenerWeldEnd::Thicker: h.tjjl += tables::thicknessStep; break;
    }
    rounds.next();
  }
}

// ---- the design pass -------------------------------------------------------------------------

rigidbase::PassEnd designPass(const Entries& e, const Materials& m, Held& h, RoundLimit& rounds) {
  return bootBeamPass(tShaped, e, m, h, rounds, [&] { return planAndBearing(m, h, rounds); });
}

// ---- a given base ----------------------------------------------------------------------------

constexpr SizeField<Held> layoutSizes[] = {
    {"dms", &Held::dms, "锚栓直径d"},       {"a", &Held::a, "靴梁至锚栓中心a"},
    {"c", &Held::c, "锚栓至柱翼缘中线c"},    {"lt", &Held::lt, "锚栓中心至底板边lt"},
    {"bt", &Held::bt, "锚栓中心至底板边bt"},
};
constexpr auto sizeFields =
    joinSizes<Held>(layoutSizes, plateSizeRows<Held>, bootBeamSizes, boltStiffenerSizeRows<Held>);

// Each step's formulas once on the given sizes; only a large bolt's compressed zone is still bisected.
Outcome checkGiven(const Entries& e, const Sizes& s, Held& h, GivenSizeFindings& f) {
  RoundLimit rounds;
  const Materials m = readMaterials(e);
  takeGivenBase(tShaped, e, sizeFields, s, h);
  h.f1 = tables::givenStiffenerStrength(*m.steel, h.tjjl);  // by its thickness alone, not by what the window held
  if (!givenPlateAndBootBeams(tShaped, m, h, rounds, f)) return givenAxialTension();
  holdStiffenerSlenderness(h, tStiffenerSlenderness(m, h));
  if (stiffenerHasHeight(h.hjjl, tShapedGeometry.stiffenerCornerCut,
                         {"stiffener", "stiffenerPlateWeld", "stiffenerUpstandWeld"}, f)) {
    holdStiffenerStresses(h, tStiffenerStressesAt(m, h, h.hjjl));
    const StiffenerWeldInputs welds = tStiffenerWeldInputs(m, h);
    h.ffw = welds.ffw;
    if (const auto w = givenStiffenerWelds(welds, h.hf3, "stiffenerPlateWeld", "stiffenerUpstandWeld", f))
      h.ylnf = w->ylnf, h.ylvf = w->ylvf;
  }
  panelsOnFinalStiffener(m, h);
  bootBeamRules(tShaped, h, f);
  f.rules.push_back(atMostRule("ruleHs", "加劲肋高度不大于靴梁高度", "hs ≤ hsh", h.hjjl, h.hsh, {"Edthjjl"}));
  // The plate's own least thickness is among the boot-beam rules already.
  std::vector<DesignCheck> stiffenerRules =
      exposedBaseRules({h.tpb, 0, h.hf3, h.tjjl, {h.dms, h.a, h.c, h.lt, h.bt, true, true}});
  stiffenerRules.erase(stiffenerRules.begin());
  appendChecks(f.rules, std::move(stiffenerRules));
  keyUnderGivenPlate(m, s, h, f);
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

// ---- results and checks ----------------------------------------------------------------------

ResultView results(const Held& h) { return bootBeamResults(h, {}, {}); }

std::vector<DesignCheck> checks(const Held& h) {
  DesignCheck plate = plateThicknessCheck(
      h.plateSizedBy == rigidbase::PlateSizedBy::Bolts ? "t ≥ tpbt（锚栓处底板，受锚栓拉力控制）" : "t ≥ tpbc = √(6·M2/f)（底板区格弯矩控制）",
      std::max(h.tpbc, h.tpbt), h.tpb, {"Edttpb"});
  return baseChecks(tShaped, h, std::move(plate),
                    checkList(limitCheck("layout", "锚栓间距与翼缘宽度", rigidbase::flangeFitFormula(tShapedGeometry.flangeFit) + " ≤ bf",
                                         rigidbase::flangeFitNeed(tShapedGeometry.flangeFit, h), h.bf, lengthUnit,
                                         ValueFormat::Plain, {"Edtc"})));
}

// ---- report ----------------------------------------------------------------------------------

// The panels outside the boot beam and between the flanges.
void panelTags(const Held& h, const TagEmitter& sink) {
  emitTags(rigidbase::outerPanelTags<Held>, h, sink);
  sink("<#alf2>", panelCoefficient(h.panel2Moment, h.alf2));
  sink("<#alf3>", panelCoefficient(h.panel3Moment, h.alf3));
  sink("<#beta>", panelCoefficient(PanelMoment::Coefficient, h.beta));
}

// The outer panels' formulas, the plate at the bolts and the bolt spacing.
void ownTags(const Held& h, const TagEmitter& sink) {
  sink("<#M222formula>", threeSidePanelFormula("2", "q0", h.panel2Moment));
  sink("<#M223formula>", threeSidePanelFormula("3", "q0", h.panel3Moment));
  emitTags(boltPlateTags, h, sink);
  sink("<#2c>", formatValue(ValueFormat::Plain, 2 * h.c));
}

}  // namespace

Outcome calculateTBootBeam(const Entries& entries, BootBeamHeld& h) {
  return detailedDesign(
      entries, h, designPass,
      [&] {
        // The stiffeners outside the boot beams must leave the bolt spacing within the flange width.
        return rigidbase::flangeFitNeed(tShapedGeometry.flangeFit, h) > h.bf ? Closing::LayoutFault : Closing::Designed;
      });
}

const ModuleDescriptor& tBootBeamModule() {
  static const ModuleDescriptor descriptor = bootBeamModule<tShaped, sizeFields>(
      {{"g2", "T型靴梁柱脚", "TForm6", "g2.bmp", "TForm13"}, {standard::boltStiffenerResults()}, {"tpb", "tsh", "tjjl"}},
      {.calculate = calculateTBootBeam, .results = results, .checks = checks, .check = checkGiven},
      tBootBeamRemedies);
  return descriptor;
}

}  // namespace pedivo::bootbeam
