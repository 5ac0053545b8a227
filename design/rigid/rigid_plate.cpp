#include "design/common/check_list.h"
#include "design/rigid/rigid_plate.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "design/common/bearing_step.h"
#include "design/common/calculation.h"
#include "design/common/column_section.h"
#include "design/common/column_welds.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/plate_layout.h"
#include "design/common/result_text.h"
#include "design/common/exposed_rigid_trial.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_fields.h"
#include "design/common/rigid_geometry.h"
#include "design/common/rigid_tags.h"
#include "design/common/shear_key.h"
#include "design/common/standard_controls.h"
#include "design/common/stepped_growth.h"
#include "design/common/stiffener_welds.h"
#include "design/common/stopped_bearing.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"
#include "design/rigid/column_weld_step.h"
#include "design/rigid/plate_steps.h"
#include "design/rigid/rigid_plate_values.h"
#include "design/rigid/rigid_remedies.h"
#include "design/rigid/stiffener_step.h"

namespace pedivo::rigid {
namespace {

using Held = RigidPlateHeld;
using rigidbase::Bearing;
using rigidbase::Eccentricity;
using rigidbase::PassEnd;
using rigidbase::RigidGeometry;
using rigidbase::Trial;

// After the plan's (rigidbase::planFields).
const HeldField<Held> heldFields[] = {
    {"L0", &Held::L0},       {"B0", &Held::B0},         {"tjjl", &Held::tjjl},     {"e", &Held::e},
    {"xn", &Held::xn},       {"Fx", &Held::Fx},         {"dx", &Held::dx},         {"ylmax", &Held::ylmax},
    {"ylmin", &Held::ylmin}, {"ylc", &Held::ylc},       {"fc", &Held::fc},         {"Ec", &Held::Ec},
    {"Es", &Held::Es},       {"fta", &Held::fta},       {"write3", &Held::write3}, {"ta", &Held::ta},
    {"write4", &Held::write4}, {"Vfb", &Held::Vfb},     {"rerun", &Held::rerun},   {"b21", &Held::b21},
    {"a21", &Held::a21},     {"r11", &Held::r11},       {"alf1", &Held::alf1},     {"M221", &Held::M221},
    {"b22", &Held::b22},     {"a22", &Held::a22},       {"r12", &Held::r12},       {"alf2", &Held::alf2},
    {"M222", &Held::M222},   {"b23", &Held::b23},       {"a23", &Held::a23},       {"r13", &Held::r13},
    {"alf3", &Held::alf3},   {"M223", &Held::M223},     {"b3", &Held::b3},         {"a3", &Held::a3},
    {"r2", &Held::r2},       {"beta", &Held::beta},     {"M224", &Held::M224},     {"M2", &Held::M2},
    {"f", &Held::f},         {"fpb", &Held::fpb},       {"tpbc", &Held::tpbc},     {"Ntal", &Held::Ntal},
    {"la1", &Held::la1},     {"lc1", &Held::lc1},       {"la2", &Held::la2},       {"lc2", &Held::lc2},
    {"tpbt1", &Held::tpbt1}, {"tpbt2", &Held::tpbt2},   {"tpbt", &Held::tpbt},     {"fpbt", &Held::fpbt},
    {"tpb", &Held::tpb},     {"hf11", &Held::hf11},     {"AF", &Held::AF},         {"Aeww", &Held::Aeww},
    {"Wc", &Held::Wc},       {"ylnc", &Held::ylnc},     {"ylmc", &Held::ylmc},     {"ylv", &Held::ylv},
    {"ylf", &Held::ylf},     {"ylfs", &Held::ylfs},     {"ffw", &Held::ffw},       {"webWeldWarning", &Held::webWeldWarning},
    {"hjjl", &Held::hjjl},   {"hf3", &Held::hf3},       {"Vi1", &Held::Vi1},       {"Vi2", &Held::Vi2},
    {"Vi12", &Held::Vi12},   {"Vimax", &Held::Vimax},   {"Ws", &Held::Ws},         {"ylvR", &Held::ylvR},
    {"ylfR", &Held::ylfR},   {"ylequ", &Held::ylequ},   {"fy", &Held::fy},         {"f1", &Held::f1},
    {"write1", &Held::write1}, {"write2", &Held::write2}, {"lw", &Held::lw},       {"Wf", &Held::Wf},
    {"ylnf", &Held::ylnf},   {"ylvf", &Held::ylvf},
};

// The section, the forces and the grout, the same in both passes.
void readSectionAndForces(const Entries& e, Held& h) {
  h.N = rigidbase::readAxialForce(e);
  holdSection(readColumnSection(e), h);
  h.M = readMoment(e);
  h.V = readShear(e);
  startShearKey(e, h.key);
}

// The layout from the bolt table, or the user's sizes.
void plateSizes(const TypedPlateSizes& typed, Held& h) {
  const PlateLayout layout = plateLayout(typed, static_cast<int>(h.dms));
  h.Aems = layout.Aems, h.a = layout.a, h.c = layout.c, h.lt = layout.lt, h.bt = layout.bt;
}

// The eccentricity of N, the concrete and the limit of the bolt-row case.
void eccentricityAndMaterials(const Materials& m, Held& h) {
  h.e = h.M / h.N;
  h.fc = m.concrete.fc;
  h.Ec = m.concrete.Ec;
  h.Es = tables::Es;
  h.write3 = h.L / 6 + h.lt / 3;
}

// The pressure under the plate and the bolt tension. False for axial tension within the
// bolt rows, which the method does not cover.
bool pressureUnderPlate(const RigidGeometry& geometry, Held& h, RoundLimit& rounds) {
  return rigidbase::holdPressure(
      rigidbase::pressureUnderPlate(geometry.pressure, {h.N, h.M, h.e, h.L, h.B, h.lt, h.write3, h.Ec, h.n, h.Aems, h.dms, h.zones}, rounds),
      h);
}

// Fillet welds of column to plate; the ten-bolt base also checks the web weld's leg against the web.
void columnWelds(const RigidGeometry& geometry, const Materials& m, Held& h, RoundLimit& rounds) {
  holdColumnWelds(h, designedColumnWelds(geometry, m, h, rounds));
}

enum class StiffenerEnd { Designed, Thicker };

// The stiffener grows 10 mm at a time until its equivalent stress is within 1.1·f.
void stiffenerHeight(const RigidGeometry& geometry, const Materials& m, Held& h, RoundLimit& rounds) {
  holdStiffenerStresses(h, stiffenerStresses(geometry, m, h));
  const double limit = tables::equivalentStressFactor * h.f1;
  if (!(h.ylequ > limit)) return;
  const auto stressesAt = [&](double height) {
    h.hjjl = height;
    holdStiffenerStresses(h, stiffenerStresses(geometry, m, h));
    return !(h.ylequ > tables::equivalentStressFactor * h.f1);
  };
  raisedStiffenerHeight(h.hjjl, {h.ylfR, h.ylvR, limit, geometry.stiffenerCornerCut}, stressesAt, rounds);
}

// Stiffener height, slenderness and welds: the height grows until the stiffener holds, then
// the welds grow their leg; a stiffener that needs a weld thicker than itself, or is too slender,
// becomes thicker and the whole design is redone from the plate sizes.
StiffenerEnd stiffenersAndWelds(const RigidGeometry& geometry, const Materials& m, Held& h, RoundLimit& rounds) {
  h.hjjl = tables::startingStiffenerHeight;
  while (true) {  // again with a higher stiffener
    stiffenerHeight(geometry, m, h, rounds);
    h.write1 = rigidbase::stiffenerOutstand(geometry, h) / h.tjjl;
    h.write2 = tables::outstandLimit(h.fy);
    if (h.write1 > h.write2) {
      h.tjjl += tables::thicknessStep;
      return StiffenerEnd::Thicker;
    }
    const double firstLeg = roundUpToEven(std::max(tables::smallestPlateWeldLeg, tables::smallestFilletLeg(h.tpb)));
    const StiffenerWeldInputs in = stiffenerWeldInputs(m, h);
    const StiffenerWelds welds = stiffenerWelds(in, firstLeg, rounds);
    holdStiffenerWelds(h, {in, welds});
    switch (welds.end) {
      case StiffenerWeldEnd::Designed: return StiffenerEnd::Designed;
      case StiffenerWeldEnd::Thicker: h.tjjl += tables::thicknessStep; return StiffenerEnd::Thicker;
      case StiffenerWeldEnd::Taller:
      case StiffenerWeldEnd::UpstandOverstressed: break;
    }
    rounds.next();
    h.hjjl += tables::heightStep;
  }
}

// The plan and the bearing under it, the plate widened until the concrete holds.
Bearing planAndBearing(const RigidGeometry& geometry, const Materials& m, Held& h, RoundLimit& rounds) {
  const auto planOf = [&](const PlateLayout& layout) { return platePlan(geometry, layout, h.hb, h.tjjl); };
  const rigidbase::BearingStep step = rigidbase::widenedBearingStep(
      geometry.pressure, rigidbase::bearingLoads(m.concrete, h), {h.Aems, h.a, h.c, h.lt, h.bt}, planOf, rounds);
  rigidbase::holdPlatePlan(h, step.plan);
  rigidbase::holdBearing(h, step);
  h.Es = tables::Es;
  return step.end;
}


// One pass of the design over the given entries, again with a larger bolt or a thicker stiffener.
PassEnd designPass(const RigidGeometry& geometry, const Entries& e, const Materials& m, Held& h, RoundLimit& rounds) {
  readSectionAndForces(e, h);
  h.n = geometry.n;
  h.geometry = &geometry;
  h.dms = geometry.startingBolt;
  h.tjjl = tables::startingStiffenerThickness;
  const TypedPlateSizes typed = readTypedPlateSizes(e);  // read once for every bolt tried
  // A trial at the current bolt and stiffener thickness: the plate's sizes, typed or from the bolt
  // table, then its plan and bearing, panels and thickness, its welds to the column and the stiffeners.
  return rigidbase::untilDesigned(h.dms, rounds, [&] {
    return rigidbase::exposedRigidTrial(
        m.fta, h, [&] { plateSizes(typed, h); }, [&] { return planAndBearing(geometry, m, h, rounds); },
        [&] { holdPlatePanels(h, platePanels(geometry, h)); },
        [&] { holdPlateThickness(h, plateThickness(geometry, m, h)); },
        [&] {
          columnWelds(geometry, m, h, rounds);
          return stiffenersAndWelds(geometry, m, h, rounds) == StiffenerEnd::Designed ? Trial::Designed : Trial::Again;
        });
  });
}

Outcome calculateRigidPlate(const RigidGeometry& geometry, const Entries& entries, Held& h) {
  RoundLimit rounds;
  const Materials materials = readMaterials(entries);
  Outcome outcome = rigidbase::detailingRun(
      entries, h.rerun,
      [&](const Entries& working) {
        const PassEnd end = designPass(geometry, working, materials, h, rounds);
        return std::pair{end, PlateLayout{h.Aems, h.a, h.c, h.lt, h.bt}};
      },
      [&] {
        // The stiffeners and their welds must fit within the flange width.
        return rigidbase::flangeFitNeed(geometry.flangeFit, h) > h.bf ? Closing::LayoutFault : Closing::Designed;
      });
  if (outcome.ending == Ending::Completed) designKeyUnder(materials, h);
  return outcome;
}

// The column welds and the stiffeners of given sizes; a part with no weld length left cannot be checked.
void givenWeldsAndStiffeners(const RigidGeometry& geometry, const Materials& m, Held& h, GivenSizeFindings& findings) {
  holdColumnWelds(h, givenColumnWeldStep(geometry, m, h, findings));
  h.fy = m.steel->fy;
  h.write1 = rigidbase::stiffenerOutstand(geometry, h) / h.tjjl;
  h.write2 = tables::outstandLimit(h.fy);
  if (!stiffenerHasHeight(h.hjjl, geometry.stiffenerCornerCut, {"stiffener", "stiffenerPlateWeld", "stiffenerUpstandWeld"}, findings)) return;
  holdStiffenerStresses(h, stiffenerStresses(geometry, m, h));
  const StiffenerWeldInputs in = stiffenerWeldInputs(m, h);
  holdStiffenerWelds(h, {in, givenStiffenerWelds(in, h.hf3, "stiffenerPlateWeld", "stiffenerUpstandWeld", findings)});
}

// Each step's formulas once on the given sizes; only a large bolt's compressed zone is still bisected.
template <const RigidGeometry& geometry>
Outcome checkGiven(const Entries& e, const Sizes& s, Held& h, GivenSizeFindings& f) {
  RoundLimit rounds;
  const Materials m = readMaterials(e);
  readSectionAndForces(e, h);
  h.n = geometry.n;
  h.geometry = &geometry;  // the report's formulas follow the layout checked
  takeSizes(rigidPlateSizes, s, h);
  h.f1 = tables::givenStiffenerStrength(*m.steel, h.tjjl);  // by its thickness alone, not by what the window held
  h.Aems = givenBolt(h.dms).Aems, h.L0 = h.L, h.B0 = h.B;
  eccentricityAndMaterials(m, h);
  if (!pressureUnderPlate(geometry, h, rounds)) return givenAxialTension();
  // The given bolt is checked as it is; the friction stands whether it holds or not.
  rigidbase::anchorBoltsHold(m.fta, h);
  h.Vfb = tables::frictionResistance(h.N + h.ta);
  holdPlatePanels(h, platePanels(geometry, h));
  holdRequiredThickness(h, plateThickness(geometry, m, h));  // the given thickness stays
  givenWeldsAndStiffeners(geometry, m, h, f);
  f.rules = exposedBaseRules({h.tpb, h.hf11, h.hf3, h.tjjl, {h.dms, h.a, h.c, h.lt, h.bt, true, true}});
  keyUnderGivenPlate(m, s, h, f);
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

// ---- results, checks and report ------------------------------------------------------------

ResultView results(const Held& h) {
  const auto plain = [](double x) { return formatGeneral(x); };
  return {{{"Edta", plain(h.a)},
           {"Edtc", plain(h.c)},
           {"Edtlt", plain(h.lt)},
           {"Edtbt", plain(h.bt)},
           {"EdtL", plain(h.L)},
           {"EdtB", plain(h.B)},
           {"Edttpb", plain(h.tpb)},
           {"edtms", plain(h.dms)},
           {"edthf11", plain(h.hf11)},
           {"edtshear", shearKeyField(h.Vfb, h.V)},
           {"edtkey", shearKeyText(h.key)},
           {"Edthjjl", plain(h.hjjl)},
           {"Edttjjl", plain(h.tjjl)},
           {"Edthfjjl", plain(h.hf3)}},
          {},
          {}};
}

std::vector<DesignCheck> checks(const RigidGeometry& geometry, const Held& h) {
  std::vector<DesignCheck> list = checkList(
      limitCheck("bearing", "底板下混凝土承压", "σc ≤ fc", h.ylc, h.fc, stressUnit, ValueFormat::Cut2,
                 {"EdtL", "EdtB"}),
      limitCheck("bolt", "锚栓抗拉", "σt = 1.2·Ta·2/n/Ae ≤ fta", h.write4, h.fta, stressUnit, ValueFormat::Cut3,
                 {"edtms"}),
      plateThicknessCheck(
          h.plateSizedBy == rigidbase::PlateSizedBy::Bolts ? "t ≥ tpbt（锚栓处底板，受锚栓拉力控制）" : "t ≥ tpbc = √(6·M2/f)（底板区格弯矩控制）",
          std::max(h.tpbc, h.tpbt), h.tpb, {"Edttpb"}),
      limitCheck("flange", "柱翼缘正应力", "σ = N/(2AF + Aeww) + (M/2)/Wc ≤ f", h.ylf, h.f, stressUnit,
                 ValueFormat::Cut3, {"edthf11"}),
      limitCheck("weld", "柱与底板焊缝折算应力", "√((σN/βf)² + τV²) ≤ ffw", h.ylfs, h.ffw, stressUnit,
                 ValueFormat::Cut3, {"edthf11"}));
  if (geometry.checksWebWeldLeg)
    list.push_back(limitCheck("webWeldLeg", "腹板焊脚尺寸", "hf ≤ 1.2·tw", h.hf11, tables::largestLegFactor * h.tw, lengthUnit,
                              ValueFormat::Plain, {"edthf11"}));
  appendChecks(list, checkList(
      limitCheck("stiffener", "锚栓加劲肋折算应力", "√(σ² + 3τ²) ≤ 1.1·f", h.ylequ, tables::equivalentStressFactor * h.f1, stressUnit,
                 ValueFormat::Cut3, {"Edthjjl"}),
      limitCheck("slenderness", "锚栓加劲肋宽厚比", rigidbase::stiffenerSlendernessFormula(geometry), h.write1, h.write2, "",
                 ValueFormat::Cut3, {"Edttjjl"}),
      limitCheck("stiffenerPlateWeld", "加劲肋与底板焊缝", "σf ≤ βf·ffw", h.ylnf, tables::betaF * h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthfjjl"}),
      limitCheck("stiffenerUpstandWeld", "加劲肋竖向焊缝折算应力", "√(τf² + (σf/βf)²) ≤ ffw", h.ylvf, h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthfjjl"}),
      limitCheck("layout", "加劲肋布置宽度", rigidbase::flangeFitFormula(geometry.flangeFit) + " ≤ bf",
                 rigidbase::flangeFitNeed(geometry.flangeFit, h), h.bf, lengthUnit, ValueFormat::Plain, {"Edtc", "Edttjjl"})));
  appendShearKeyChecks(list, h.key, keySeatOf(h), "V ≤ Vfb = 0.4(N + Ta) 时不需设置抗剪键");
  return list;
}

void checkValues(const Held& h, std::vector<DesignCheck>& list) { writeCheckValues(list, h); }

using Tag = HeldTag<Held>;
using enum ValueFormat;

const Tag webWeldTags[] = {{"<#hf11>", &Held::hf11, Plain}};

const Tag pressureTags[] = {
    {"<#xn>", &Held::xn, Cut2}, {"<#ylmax>", &Held::ylmax, Cut2}, {"<#ylmin>", &Held::ylmin, Cut2},
    {"<#ylc>", &Held::ylc, Cut2}};

const Tag stiffenerTags[] = {
    {"<#hjjl>", &Held::hjjl, Plain}, {"<#tjjl>", &Held::tjjl, Plain}, {"<#hf3>", &Held::hf3, Plain}};

const Tag stiffenerLoadTags[] = {
    {"<#Vi1>", &Held::Vi1, KN3}, {"<#Vi2>", &Held::Vi2, KN3}, {"<#Vimax>", &Held::Vimax, KN3}};

const Tag writeTags[] = {{"<#write1>", &Held::write1, Cut3},
                         {"<#write2>", &Held::write2, Cut3},
                         {"<#write3>", &Held::write3, Cut3},
                         {"<#write4>", &Held::write4, Cut3}};

const Tag boltPlateTags[] = {
    {"<#fpb>", &Held::fpb, Plain}, {"<#fpbt>", &Held::fpbt, Plain}, {"<#la1>", &Held::la1, Cut2},
    {"<#lc1>", &Held::lc1, Cut2},  {"<#la2>", &Held::la2, Cut2},    {"<#lc2>", &Held::lc2, Cut2},
};

// The formulas that gave the pressure under the plate and the bolt tension, for the checker.
const char* pressureFormula(const Held& h) {
  if (h.eccentricity == Eccentricity::TensionInside) return "—（计算在此停止）";
  if (h.eccentricity == Eccentricity::Concentric) return "σc = N/(L·B)（e = 0），xn = L，Ta = 0";
  if (h.eccentricity == Eccentricity::WithinKern) return "σc = N·(1 + 6e/L)/(L·B)，xn = L，Ta = 0";
  if (h.eccentricity == Eccentricity::WithinBoltRow) return "σc = 2N/[3·(L/2 − e)·B]，xn = 3·(L/2 − e)，Ta = 0";
  if (h.eccentricity != Eccentricity::BeyondBoltRow || h.zone == rigidbase::CompressedZoneMethod::Linear)
    return "σmax,min = N/(B·L) ± 6M/(B·L²)，xn = L·σmax/(σmax − σmin)，σc = σmax，Ta = [M − N·(L/2 − xn/3)]/(L − lt − xn/3)";
  return "xn 由平衡方程 xn³ + 3(e − L/2)·xn² − 6(Es/Ec)(n/2)(Ae/B)(e + L/2 − lt)(L − lt − xn) = 0 二分求解，"
         "Ta = (e − L/2 + xn/3)·N/(L − lt − xn/3)，σc = 2N·(e + L/2 − lt)/[B·xn·(L − lt − xn/3)]";
}

void report(const Held& h, const Entries& e, const TagEmitter& out) {
  const TagEmitter sink =
      withoutEarlierBearing(h.eccentricity == Eccentricity::TensionInside, out);
  const auto plain = [](double x) { return formatGeneral(x); };
  emitSectionTags(sectionOf(h), sink);
  emitTypedInputTags(e, {.moment = true, .boltGrade = true}, sink);
  emitTags(rigidbase::planTags<Held>, h, sink);
  emitTags(webWeldTags, h, sink);
  sink("<#shear>", shearKeyNeeded(h.Vfb, h.V) ? "V>0.4(N+Ta) 需要设置抗剪键" : "V<0.4(N+Ta) 不需设置抗剪键");
  sink("<#e>", formatValue(Cut2, h.e));
  sink("<#judge>", rigidbase::judgeText(h.eccentricity));
  emitTags(pressureTags, h, sink);
  emitTags(rigidbase::boltTensionTags<Held>, h, sink);
  emitTags(rigidbase::firstPanelTags<Held>, h, sink);
  emitTags(rigidbase::outerPanelTags<Held>, h, sink);
  sink("<#alf1>", panelCoefficient(h.panel1Moment, h.alf1));
  sink("<#alf2>", panelCoefficient(h.panel2Moment, h.alf2));
  sink("<#alf3>", panelCoefficient(h.panel3Moment, h.alf3));
  sink("<#beta>", panelCoefficient(PanelMoment::Coefficient, h.beta));
  sink("<#a3formula>", h.geometry->panel4WidthFormula);
  emitTags(rigidbase::columnWeldTags<Held>, h, sink);
  emitTags(stiffenerTags, h, sink);
  sink("<#1.22ffw>", plain(tables::betaF * h.ffw));
  emitTags(stiffenerLoadTags, h, sink);
  emitTags(rigidbase::stiffenerStressTags<Held>, h, sink);
  sink("<#1.1f1>", plain(tables::equivalentStressFactor * h.f1));
  emitTags(writeTags, h, sink);
  // For the checker: the formulas that applied and the values between the steps.
  sink("<#pressureFormula>", pressureFormula(h));
  sink("<#Fx>", plain(h.Fx));
  sink("<#tensionBolts>", plain(h.n / 2));
  sink("<#L/6>", formatValue(Cut3, h.L / 6));
  sink("<#M221formula>", panelMomentFormula(PlatePanelName::BetweenStiffeners, h.panel1Moment));
  sink("<#M222formula>", panelMomentFormula(PlatePanelName::BeyondBolts, h.panel2Moment));
  sink("<#M223formula>", panelMomentFormula(PlatePanelName::Corner, h.panel3Moment));
  sink("<#qr>", formatValue(Cut3, h.qr));
  emitTags(boltPlateTags, h, sink);
  sink("<#Wc>", plain(trunc(h.Wc)));
  sink("<#lw>", formatValue(Cut2, h.lw));
  sink("<#1.2tw>", plain(tables::largestLegFactor * h.tw));
  emitWorkingValues(h, sink);
  emitShearKeyTags(h.key, keySeatOf(h), sink);
}

std::vector<NamedValue> values(const Held& h) {
  std::vector<NamedValue> list = rigidbase::listWithPlan<Held>(heldFields, h);
  // Built in place: moving a NamedValue in here draws a false "may be used uninitialized" from GCC 12.
  NamedValue& judge = list.emplace_back();
  judge.name = "judge";
  judge.value = rigidbase::judgeText(h.eccentricity);
  std::vector<NamedValue> key = shearKeyValues(h.key);
  list.insert(list.end(), std::make_move_iterator(key.begin()), std::make_move_iterator(key.end()));
  return list;
}

void scan(const Held& h, HeldNumbersScan& numbers) {
  rigidbase::scanWithPlan<Held>(heldFields, h, numbers);
  scanShearKeyValues(h.key, numbers);
}

template <const RigidGeometry& geometry>
Outcome designWith(const Entries& entries, Held& held) {
  return calculateRigidPlate(geometry, entries, held);
}

template <const RigidGeometry& geometry>
std::vector<DesignCheck> checksWith(const Held& h) {
  return checks(geometry, h);
}

template <const RigidGeometry& geometry>
ModuleDescriptor makeDescriptor(const TypeNames& names, const TypeRemedies<Held>& remedies) {
  using standard::mm;
  ModuleDescriptor d = standard::exposedBaseInputs(true, {});
  nameType(d, names);
  ResultGroupSpec plate = standard::plateLayoutResults();
  plate.fields.push_back({"edtms", "锚栓直径d", mm});
  plate.fields.push_back({"edthf11", "底板与柱腹板焊脚高度", mm});
  plate.fields.push_back({"edtshear", "抗剪键设置", ""});
  plate.fields.push_back({"edtkey", "抗剪键", "", true});
  d.resultGroups = {plate, standard::boltStiffenerResults()};
  d.plateThicknesses = {"tpb", "tjjl"};
  bindFunctions<rigidPlateSizes>(d,
                                 {.calculate = designWith<geometry>, .results = results, .report = report,
                                  .values = values, .checks = checksWith<geometry>, .checkValues = checkValues,
                                  .check = checkGiven<geometry>, .scan = scan},
                                 remedies);
  return d;
}

}  // namespace

Outcome calculateEightBolt(const Entries& entries, RigidPlateHeld& held) { return designWith<rigidbase::eightBoltGeometry>(entries, held); }

Outcome calculateTenBolt(const Entries& entries, RigidPlateHeld& held) { return designWith<rigidbase::tenBoltGeometry>(entries, held); }

const ModuleDescriptor& eightBoltModule() {
  static const ModuleDescriptor descriptor =
      makeDescriptor<rigidbase::eightBoltGeometry>({"g11", "八锚栓刚接柱脚", "TForm4", "g11.bmp", "TForm11"}, eightBoltRemedies);
  return descriptor;
}

const ModuleDescriptor& tenBoltModule() {
  static const ModuleDescriptor descriptor =
      makeDescriptor<rigidbase::tenBoltGeometry>({"g12", "十锚栓刚接柱脚", "TForm5", "g12.bmp", "TForm12"}, tenBoltRemedies);
  return descriptor;
}

}  // namespace pedivo::rigid
