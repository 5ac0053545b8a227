#include "design/common/check_list.h"
#include "design/bootbeam/boot_beam_report.h"

#include <algorithm>
#include <iterator>

#include "design/common/column_section.h"
#include "design/common/numbers.h"
#include "design/common/plate_panel.h"
#include "design/common/result_text.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_fields.h"
#include "design/common/rigid_tags.h"
#include "design/common/shear_key.h"
#include "design/common/stopped_bearing.h"
#include "design/common/standard_controls.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

using rigidbase::Eccentricity;

// After the plan's (rigidbase::planFields).
const HeldField<Held> commonFields[] = {
    {"tsh", &Held::tsh},     {"tjjl", &Held::tjjl},     {"e", &Held::e},         {"write3", &Held::write3},
    {"xn", &Held::xn},       {"Fx", &Held::Fx},         {"dx", &Held::dx},       {"ylmax", &Held::ylmax},
    {"ylmin", &Held::ylmin}, {"ylc", &Held::ylc},       {"fc", &Held::fc},       {"Ec", &Held::Ec},
    {"Es", &Held::Es},       {"fta", &Held::fta},       {"ta", &Held::ta},       {"write4", &Held::write4},
    {"Vfb", &Held::Vfb},     {"rerun", &Held::rerun},   {"b21", &Held::b21},     {"a21", &Held::a21},
    {"r11", &Held::r11},     {"alf1", &Held::alf1},     {"M221", &Held::M221},   {"M222", &Held::M222},
    {"M223", &Held::M223},   {"M2", &Held::M2},         {"f", &Held::f},         {"fpb", &Held::fpb},
    {"tgrp", &Held::tgrp},   {"tpbc", &Held::tpbc},     {"Ntal", &Held::Ntal},   {"tpb", &Held::tpb},
    {"hsh", &Held::hsh},     {"ax", &Held::ax},         {"Ix", &Held::Ix},       {"Vsh1", &Held::Vsh1},
    {"Vsh2", &Held::Vsh2},   {"Vshmax", &Held::Vshmax}, {"Msh2", &Held::Msh2},   {"Mshmax", &Held::Mshmax},
    {"ylm", &Held::ylm},     {"ylvx", &Held::ylvx},     {"fv", &Held::fv},       {"fy", &Held::fy},
    {"fsh", &Held::fsh},     {"fvsh", &Held::fvsh},     {"ffw", &Held::ffw},     {"lf", &Held::lf},
    {"hf2", &Held::hf2},     {"write5", &Held::write5}, {"write6", &Held::write6}, {"hf5", &Held::hf5},
    {"AF", &Held::AF},       {"Aeww", &Held::Aeww},     {"ylnc", &Held::ylnc},   {"ylmc", &Held::ylmc},
    {"ylv", &Held::ylv},     {"ylf", &Held::ylf},       {"ylfs", &Held::ylfs},   {"Iw", &Held::Iw},
    {"hjjl", &Held::hjjl},   {"Vimax", &Held::Vimax},   {"ylvR", &Held::ylvR},   {"ylfR", &Held::ylfR},
    {"ylequ", &Held::ylequ}, {"f1", &Held::f1},         {"write1", &Held::write1}, {"write2", &Held::write2},
    {"hf3", &Held::hf3},     {"ylnf", &Held::ylnf},     {"ylvf", &Held::ylvf},
};

using Tag = HeldTag<Held>;
using enum ValueFormat;

const Tag eccentricityTags[] = {{"<#e>", &Held::e, Cut2}};
const Tag zoneTags[] = {{"<#xn>", &Held::xn, Cut2}};

const Tag bootBeamTags[] = {
    {"<#hsh>", &Held::hsh, Plain}, {"<#tsh>", &Held::tsh, Plain},   {"<#ax>", &Held::ax, Cut2},
    {"<#Ix>", &Held::Ix, Cut2},    {"<#Vsh1>", &Held::Vsh1, KN3},   {"<#Vsh2>", &Held::Vsh2, KN3},
    {"<#Vshmax>", &Held::Vshmax, KN3},
};

const Tag legTags[] = {
    {"<#hjjl>", &Held::hjjl, Plain}, {"<#tjjl>", &Held::tjjl, Plain}, {"<#lf>", &Held::lf, Plain},
    {"<#hf2>", &Held::hf2, Plain},   {"<#hf3>", &Held::hf3, Plain},   {"<#hf5>", &Held::hf5, Plain},
};
const Tag bootBeamStressTags[] = {
    {"<#Vimax>", &Held::Vimax, KN3}, {"<#ylm>", &Held::ylm, Cut3}, {"<#ylvx>", &Held::ylvx, Cut3}};
const Tag bootBeamStrengthTags[] = {{"<#fsh>", &Held::fsh, Plain}, {"<#fvsh>", &Held::fvsh, Plain}};

const Tag writeTags[] = {
    {"<#write1>", &Held::write1, Cut3}, {"<#write2>", &Held::write2, Cut3}, {"<#write3>", &Held::write3, Cut3},
    {"<#write4>", &Held::write4, Cut3}, {"<#write5>", &Held::write5, Cut3}, {"<#write6>", &Held::write6, Cut3},
};

const Tag boltCountTags[] = {
    {"<#boltCount>", &Held::n, Plain}, {"<#fpb>", &Held::fpb, Plain}, {"<#Fx>", &Held::Fx, Plain}};
const Tag yieldTags[] = {{"<#fy>", &Held::fy, Plain}};

// The formulas of the pressure under the plate for the eccentricity case that applied.
std::string pressureFormula(const BootBeamType& type, const Held& h) {
  const bool bisected =
      h.eccentricity == Eccentricity::BeyondBoltRow && h.zone == rigidbase::CompressedZoneMethod::Equilibrium;
  if (h.eccentricity == Eccentricity::TensionInside) return "—（计算在此停止）";
  if (h.eccentricity == Eccentricity::Concentric) return "σc = N/L/B（e = 0），xn = L，Ta = 0";
  if (h.eccentricity == Eccentricity::WithinKern) return "σc = (6e/L + 1)·N/L/B，xn = L，Ta = 0";
  if (h.eccentricity == Eccentricity::WithinBoltRow) return type.withinBoltRowFormula;
  if (bisected) {
    return "xn 由平衡方程 xn³ + 3(e − L/2)·xn² − 6(Es/Ec)(n/2)(Ae/B)(e + L/2 − lt)(L − lt − xn) = 0 二分求解，"
           "Ta = (e − L/2 + xn/3)·N/(L − lt − xn/3)，σc = 2N·(L/2 + e − lt)/B/xn/(L − lt − xn/3)";
  }
  return "σmax,min = N/(B·L) ± 6M/(B·L²)，xn = σmax·L/(σmax − σmin)，σc = σmax，"
         "Ta = [M − N·(L/2 − xn/3)]/(L − lt − xn/3)";
}

void emitInputTags(const Held& h, const Entries& e, const TagEmitter& sink) {
  emitSectionTags(sectionOf(h), sink);
  emitTypedInputTags(e, {.moment = true, .boltGrade = true}, sink);
  emitTags(rigidbase::planTags<Held>, h, sink);
  sink("<#shear>", shearKeyNeeded(h.Vfb, h.V) ? "V>0.4(N+Ta) 需要设置抗剪键" : "V<0.4(N+Ta) 不需设置抗剪键");
  emitTags(eccentricityTags, h, sink);
  sink("<#judge>", rigidbase::judgeText(h.eccentricity));
  emitTags(zoneTags, h, sink);
}

void emitBearingTags(const Held& h, const TagEmitter& sink) {
  emitTags(rigidbase::boltTensionTags<Held>, h, sink);
  emitTags(rigidbase::firstPanelTags<Held>, h, sink);
  sink("<#alf1>", panelCoefficient(h.panel1Moment, h.alf1));
}

void emitWeldAndBootBeamTags(const Held& h, const TagEmitter& sink) {
  emitTags(rigidbase::columnWeldTags<Held>, h, sink);
  emitTags(bootBeamTags, h, sink);
}

void emitStiffenerTags(const Held& h, const TagEmitter& sink) {
  emitTags(legTags, h, sink);
  sink("<#1.22ffw>", formatValue(Plain, tables::betaF * h.ffw));
  sink("<#Vi>", formatValue(KN3, h.Vi));  // none on the channel's ribs
  emitTags(bootBeamStressTags, h, sink);
  emitTags(rigidbase::stiffenerStressTags<Held>, h, sink);
  sink("<#1.1f1>", formatValue(Plain, tables::equivalentStressFactor * h.f1));
  emitTags(bootBeamStrengthTags, h, sink);
}

void emitCheckerTags(const BootBeamType& type, const Held& h, const TagEmitter& sink) {
  sink("<#pressureFormula>", pressureFormula(type, h));
  sink("<#L/6>", formatValue(Cut3, h.L / 6));
  sink("<#tensionBolts>", formatValue(Plain, h.n / 2));
  emitTags(boltCountTags, h, sink);
  sink("<#M221formula>", threeSidePanelFormula("1", type.panel1Pressure, h.panel1Moment));
  emitTags(yieldTags, h, sink);
  sink("<#Iw>", formatValue(Plain, trunc(h.Iw)));
  sink("<#bootBeamWeldStress>", formatValue(Cut3, bootBeamWeldStress(h)));
  sink("<#bootBeamRatio>", formatValue(Cut3, outstandRatio(type.geometry->bootBeamOutstand, h)));
  sink("<#minLeg>", formatValue(Plain, std::min(h.tsh, h.tf)));
}

ResultGroupSpec bootBeamFields(bool topPlate) {
  using standard::mm;
  ResultGroupSpec group{"GroupBox6", "靴梁", {{"Edthxlb", "靴梁板高度hsh", mm}, {"Edttxlb", "靴梁板厚度tsh", mm}}};
  if (topPlate) group.fields.push_back({"Edttd", "靴梁顶板厚度tp", mm});
  group.fields.push_back({"Edthfxlb", "靴梁板与柱焊脚高度", mm});
  group.fields.push_back({"Edthf5", "靴梁板与底板焊脚高度", mm});
  return group;
}

ResultGroupSpec boltAndShearFields() {
  return {
      "", "", {{"edtms", "锚栓直径d", standard::mm}, {"edtshear", "抗剪键设置", ""}, {"edtkey", "抗剪键", "", true}}};
}

}  // namespace

std::vector<NamedValue> bootBeamValues(const BootBeamType& type, const Held& h) {
  std::vector<NamedValue> list = rigidbase::listWithPlan<Held>(commonFields, h);
  const std::vector<NamedValue> own = listValues(type.ownFields, h);
  list.insert(list.end(), own.begin(), own.end());
  list.push_back({"judge", rigidbase::judgeText(h.eccentricity)});
  const std::vector<NamedValue> key = shearKeyValues(h.key);
  list.insert(list.end(), key.begin(), key.end());
  return list;
}

void scanBootBeamValues(const BootBeamType& type, const Held& h, HeldNumbersScan& numbers) {
  rigidbase::scanWithPlan<Held>(commonFields, h, numbers);
  scanValues(type.ownFields, h, numbers);
  scanShearKeyValues(h.key, numbers);
}

ResultView bootBeamResults(const Held& h, std::vector<FieldText> topPlate, std::vector<FieldText> diaphragm) {
  const auto plain = [](double x) { return formatGeneral(x); };
  std::vector<FieldText> fields{{"Edta", plain(h.a)}, {"Edtc", plain(h.c)},   {"Edtlt", plain(h.lt)},
                                {"Edtbt", plain(h.bt)}, {"EdtL", plain(h.L)}, {"EdtB", plain(h.B)},
                                {"Edttpb", plain(h.tpb)}, {"Edthxlb", plain(h.hsh)}, {"Edttxlb", plain(h.tsh)}};
  fields.insert(fields.end(), topPlate.begin(), topPlate.end());
  const std::vector<FieldText> welds{{"Edthfxlb", plain(h.hf2)}, {"Edthf5", plain(h.hf5)}, {"Edthjjl", plain(h.hjjl)},
                                     {"Edttjjl", plain(h.tjjl)}, {"Edthfjjl", plain(h.hf3)}};
  fields.insert(fields.end(), welds.begin(), welds.end());
  fields.insert(fields.end(), diaphragm.begin(), diaphragm.end());
  const std::vector<FieldText> bolt{
      {"edtms", plain(h.dms)}, {"edtshear", shearKeyField(h.Vfb, h.V)}, {"edtkey", shearKeyText(h.key)}};
  fields.insert(fields.end(), bolt.begin(), bolt.end());
  return {fields, {}, {"Edthfxlb", "Edthf5"}};
}

DesignCheck bootBeamWeldCheck(const Held& h) {
  const double needed = h.lf > 0 && h.ffw > 0 ? bootBeamWeldLegNeeded(h) : 0;
  DesignCheck check = limitCheck("bootBeamWeld", "靴梁与柱焊缝", "hf,req = Vmax/(1.4·lf·ffw) ≤ hf + 0.1", needed,
                                 h.hf2 + weldLegRoundingTolerance, lengthUnit, ValueFormat::Cut2, {"Edthfxlb"});
  check.limitNote = weldLegRoundingNote;
  check.demandWords = "所需焊脚";
  check.limitWords = "焊脚";
  return check;
}

std::vector<DesignCheck> bootBeamChecks(const BootBeamType& type, const Held& h, DesignCheck plate) {
  return checkList(
      limitCheck("bearing", "底板下混凝土承压", "σc ≤ fc", h.ylc, h.fc, stressUnit, ValueFormat::Cut2,
                 {"EdtL", "EdtB"}),
      limitCheck("bolt", "锚栓抗拉", "σt = 1.2·Ta·2/n/Ae ≤ fta", h.write4, h.fta, stressUnit, ValueFormat::Cut3,
                 {"edtms"}),
      std::move(plate),
      limitCheck("bootBeamBending", "靴梁抗弯", "σ = (hsh/2 + ax)·Mmax/Ix ≤ f", h.ylm, h.fsh, stressUnit,
                 ValueFormat::Cut3, {"Edthxlb", "Edttxlb"}),
      limitCheck("bootBeamShear", "靴梁抗剪", "τ = 1.5·Vmax/(2·hsh·tsh) ≤ fv", h.ylvx, h.fvsh, stressUnit,
                 ValueFormat::Cut3, {"Edthxlb", "Edttxlb"}),
      bootBeamWeldCheck(h),
      limitCheck("bootBeamWeldLeg", "靴梁与柱焊脚尺寸", "hf ≤ min(tsh, tf)", h.hf2, std::min(h.tsh, h.tf), lengthUnit,
                 ValueFormat::Plain, {"Edthfxlb"}),
      limitCheck("bootBeamSlenderness", "靴梁宽厚比", outstandFormula(type.geometry->bootBeamOutstand),
                 outstandRatio(type.geometry->bootBeamOutstand, h), h.write6, "",
                 ValueFormat::Cut3, {"Edttxlb"}),
      limitCheck("plateWeld", "柱及靴梁与底板焊缝正应力", "σN + σM ≤ βf·ffw", h.ylf, tables::betaF * h.ffw, stressUnit,
                 ValueFormat::Cut3, {"Edthf5"}),
      limitCheck("plateWeldCombined", "柱及靴梁与底板焊缝折算应力", "√(((σN + σM)/βf)² + τV²) ≤ ffw", h.ylfs, h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthf5"}));
}

std::vector<DesignCheck> stiffenerChecks(const BootBeamType& type, const Held& h) {
  const std::string part = type.stiffenerName;
  return checkList(
      limitCheck("stiffener", part + "折算应力", "√(σ² + 3τ²) ≤ 1.1·f", h.ylequ, tables::equivalentStressFactor * h.f1, stressUnit,
                 ValueFormat::Cut3, {"Edthjjl"}),
      limitCheck("slenderness", part + "宽厚比", rigidbase::stiffenerSlendernessFormula(*type.geometry), h.write1, h.write2, "",
                 ValueFormat::Cut3, {"Edttjjl"}),
      limitCheck("stiffenerPlateWeld", part + "与底板焊缝", "σf ≤ βf·ffw", h.ylnf, tables::betaF * h.ffw, stressUnit,
                 ValueFormat::Cut3, {"Edthfjjl"}),
      limitCheck("stiffenerUpstandWeld", part + "竖向焊缝折算应力", "√(τf² + (σf/βf)²) ≤ ffw", h.ylvf, h.ffw,
                 stressUnit, ValueFormat::Cut3, {"Edthfjjl"}));
}

std::vector<DesignCheck> baseChecks(const BootBeamType& type, const Held& h, DesignCheck plate,
                                    std::vector<DesignCheck> own) {
  std::vector<DesignCheck> list = bootBeamChecks(type, h, std::move(plate));
  appendChecks(list, stiffenerChecks(type, h));
  appendChecks(list, std::move(own));
  appendShearKeyChecks(list, h.key, keySeatOf(h), "V ≤ Vfb = 0.4(N + Ta) 时不需设置抗剪键");
  return list;
}

void bootBeamReport(const BootBeamType& type, const Held& h, const Entries& e, const TagEmitter& out) {
  const TagEmitter sink = withoutEarlierBearing(h.eccentricity == Eccentricity::TensionInside, out);
  emitInputTags(h, e, sink);
  emitTags(type.pressureTags, h, sink);
  emitBearingTags(h, sink);
  type.panelTags(h, sink);
  emitWeldAndBootBeamTags(h, sink);
  emitTags(type.momentTags, h, sink);
  emitStiffenerTags(h, sink);
  emitTags(type.partTags, h, sink);
  emitTags(writeTags, h, sink);
  emitCheckerTags(type, h, sink);
  type.ownTags(h, sink);
  emitWorkingValues(h, type, sink);
}

ModuleDescriptor bootBeamDescriptor(const BootBeamType& type, const BootBeamNames& names) {
  ModuleDescriptor d = standard::exposedBaseInputs(true, {});
  nameType(d, names.names);
  d.resultGroups = {standard::plateLayoutResults(), bootBeamFields(type.geometry->hasTopPlate)};
  d.resultGroups.insert(d.resultGroups.end(), names.ownResults.begin(), names.ownResults.end());
  d.resultGroups.push_back(boltAndShearFields());
  d.plateThicknesses = names.plateThicknesses;
  return d;
}

}  // namespace pedivo::bootbeam
