#include "design/common/check_list.h"
#include "design/pinned/pinned_plate.h"

#include <algorithm>
#include <cmath>

#include "design/common/column_section.h"
#include "design/common/column_welds.h"
#include "design/common/numbers.h"
#include "design/common/plate_panel.h"
#include "design/common/plate_layout.h"
#include "design/common/result_text.h"
#include "design/common/shear_key.h"
#include "design/common/stepped_growth.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"

namespace pedivo::pinned {

using Held = PinnedPlateHeld;

const HeldField<Held> pinnedPlateFields[37] = {
    {"N", &Held::N},       {"V", &Held::V},       {"hb", &Held::hb},     {"bf", &Held::bf},
    {"tw", &Held::tw},     {"tf", &Held::tf},     {"dms", &Held::dms},   {"Aems", &Held::Aems},
    {"a", &Held::a},       {"c", &Held::c},       {"lt", &Held::lt},     {"bt", &Held::bt},
    {"L", &Held::L},       {"B", &Held::B},       {"fc", &Held::fc},     {"ylc", &Held::ylc},
    {"Vfb", &Held::Vfb},   {"b2", &Held::b2},     {"a2", &Held::a2},     {"r1", &Held::r1},
    {"alf", &Held::alf},   {"M2", &Held::M2},     {"f", &Held::f},       {"tpbc", &Held::tpbc},
    {"tpb", &Held::tpb},   {"hf11", &Held::hf11}, {"AF", &Held::AF},     {"Aeww", &Held::Aeww},
    {"ylnc", &Held::ylnc}, {"ylv", &Held::ylv},   {"ylfs", &Held::ylfs}, {"ffw", &Held::ffw},
    {"fpb", &Held::fpb},   {"co", &Held::co},     {"Mo", &Held::Mo},     {"fpbo", &Held::fpbo},
    {"tpbo", &Held::tpbo},
};

void readInputs(const Entries& e, Held& h, const char* diameterList) {
  h.N = readAxialForceAsTyped(e);
  h.V = readShear(e);
  holdSection(readColumnSection(e), h);
  h.dms = readWholeNumber(e, diameterList);
  startShearKey(e, h.key);
}

void detailingSizes(const Entries& e, Held& h) {
  const PlateLayout layout = plateLayout(e, static_cast<int>(h.dms));
  h.Aems = layout.Aems, h.a = layout.a, h.c = layout.c, h.lt = layout.lt, h.bt = layout.bt;
}

namespace {

bool cantilever(const Held& h) { return h.panelMoment == PanelMoment::Cantilever; }

}  // namespace

double bearingStepsEstimate(double N, double fc, double L, double B) {
  if (!(fc > 1e-6 && N > 0 && N < 1e200 && L < 1e100 && B < 1e100)) return 0;
  const double area = N / fc;
  return (std::sqrt((B - L) * (B - L) + 4 * area) - (L + B)) / (2 * tables::pinnedPlateStep);
}

// The plate grows 10 mm each way a round until the concrete bears N. The bearing only falls as
// the plate grows, so the count of steps is found at once and spent as the steps would spend it;
// the plan is in whole tens, so the sizes after k steps are those the steps add up to, and the
// trial sizes raise no floating-point flag the first did not.
PlateBearing plateAndBearing(const Materials& m, const Held& h, RoundLimit& rounds) {
  PlateBearing b{};
  b.fc = m.concrete.fc;
  b.L = roundToTenPastOne(h.hb + tables::pinnedPlateBeyondColumn);
  b.B = roundToTenPastOne(std::max(h.bf + tables::pinnedPlateBeyondColumn, 2 * (h.a + h.bt) + h.tw));
  // N/B/L divided in this order, as everywhere the bearing is worked out: the last bit depends on it.
  b.ylc = h.N / b.B / b.L;
  if (b.ylc > b.fc) {
    const double L = b.L, B = b.B;
    const auto bearsAfter = [&b, &h, L, B](long k) {
      b.L = L + tables::pinnedPlateStep * static_cast<double>(k);
      b.B = B + tables::pinnedPlateStep * static_cast<double>(k);
      b.ylc = h.N / b.B / b.L;
      return !(b.ylc > b.fc);
    };
    const std::optional<long> steps =
        firstStepThatHolds(bearsAfter, bearingStepsEstimate(h.N, b.fc, L, B), beyondAnyRoundLimit);
    if (!steps) rounds.exhaust();
    rounds.advance(*steps);
    bearsAfter(*steps);
  }
  b.Vfb = tables::frictionResistance(h.N);
  return b;
}

PlateBearing givenPlateBearing(const Materials& m, const Held& h) {
  return {.L = h.L, .B = h.B, .fc = m.concrete.fc, .ylc = h.N / h.B / h.L, .Vfb = tables::frictionResistance(h.N)};
}

void holdBearing(Held& h, const PlateBearing& b) { h.L = b.L, h.B = b.B, h.fc = b.fc, h.ylc = b.ylc, h.Vfb = b.Vfb; }

// Supported by the web and the two sides across it, free at the plate edge; a cantilever when
// it is short against its free edge.
PanelThickness plateThickness(const Materials& m, const Held& h, double a2) {
  const PlatePanel panel = threeSidePanel((h.B - h.tw) / 2, a2, h.ylc);
  const auto plate = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * panel.M / f); });
  return {.b2 = panel.b, .a2 = panel.a, .r1 = panel.r, .alf = panel.k, .M2 = panel.M,
          .moment = panel.cantilever ? PanelMoment::Cantilever : PanelMoment::ThreeSide,
          .tpbc = plate.t, .fpb = plate.f, .tpb = std::max(tables::thinnestBasePlate, roundUpToWhole(plate.t))};
}

void holdPanel(Held& h, const PanelThickness& p) {
  h.b2 = p.b2, h.a2 = p.a2, h.r1 = p.r1, h.alf = p.alf, h.M2 = p.M2, h.panelMoment = p.moment;
  h.tpbc = p.tpbc, h.fpb = p.fpb;
}

OverhangThickness plateOverhang(const Materials& m, const Held& h, double panelThickness) {
  const double co = std::max((h.L - h.hb) / 2, (h.B - h.bf) / 2);
  const double Mo = 0.5 * h.ylc * co * co;
  const auto plate = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * Mo / f); });
  // The plate is at least as thick as its overhang needs, rounded as the panel's thickness is.
  return {.co = co, .Mo = Mo, .fpbo = plate.f, .tpbo = plate.t,
          .tpb = std::max(panelThickness, roundUpToWhole(plate.t))};
}

void holdOverhang(Held& h, const OverhangThickness& o) { h.co = o.co, h.Mo = o.Mo, h.fpbo = o.fpbo, h.tpbo = o.tpbo; }

namespace {

// The column flange's strength by its thickness, and ffw. The rolled bands end at 100 mm; a
// thicker flange is taken at the plate's strength in its thickness group, the strength the plate's
// panel took. A pinned base carries no moment: flanges and web share N, the web welds carry V.
ColumnWeldInputs columnWeldInputs(const Materials& m, const Held& h) {
  const double flangeStrength = tables::rolledStrength(*m.steel, h.tf, h.fpb);
  return {.section = sectionOf(h), .N = h.N, .M = 0, .V = h.V, .ffw = m.steel->ffw, .f = flangeStrength};
}

}  // namespace

ColumnWeldStep columnWelds(const Materials& m, const Held& h, RoundLimit& rounds) {
  const ColumnWeldInputs in = columnWeldInputs(m, h);
  return {in, columnToPlateWelds(in, h.tpb, rounds)};
}

ColumnWeldStep givenColumnWeldStep(const Materials& m, const Held& h, GivenSizeFindings& findings) {
  const ColumnWeldInputs in = columnWeldInputs(m, h);
  return {in, givenColumnWelds(in, h.hf11, findings)};
}

void holdColumnWelds(Held& h, const ColumnWeldStep& step) {
  h.ffw = step.in.ffw;
  h.f = step.in.f;
  if (const auto& w = step.welds) {
    h.hf11 = w->hf11, h.AF = w->AF, h.Aeww = w->Aeww;
    h.ylnc = w->ylnc, h.ylv = w->ylv, h.ylfs = w->ylfs;
  }
}

void designPlate(const Entries& e, const Materials& m, Held& h, double a2, RoundLimit& rounds) {
  detailingSizes(e, h);
  holdBearing(h, plateAndBearing(m, h, rounds));
  const PanelThickness panel = plateThickness(m, h, a2);
  holdPanel(h, panel);
  const OverhangThickness overhang = plateOverhang(m, h, panel.tpb);
  holdOverhang(h, overhang);
  h.tpb = overhang.tpb;  // the thickness both the panel and the overhang need
  holdColumnWelds(h, columnWelds(m, h, rounds));
}

std::vector<NamedValue> plateValues(const Held& h) {
  std::vector<NamedValue> list = listValues(pinnedPlateFields, h);
  const std::vector<NamedValue> key = shearKeyValues(h.key);
  list.insert(list.end(), key.begin(), key.end());
  return list;
}

void scanPlateValues(const Held& h, HeldNumbersScan& numbers) {
  scanValues(pinnedPlateFields, h, numbers);
  scanShearKeyValues(h.key, numbers);
}

void takeGivenPlate(const Entries& e, const Sizes& sizes, Held& h) {
  h.N = readAxialForceAsTyped(e);
  h.V = readShear(e);
  holdSection(readColumnSection(e), h);
  startShearKey(e, h.key);
  takeSizes(pinnedPlateSizes, sizes, h);
  const tables::AnchorBolt bolt = givenBolt(h.dms);
  h.Aems = bolt.Aems;
  h.c = bolt.c;
  h.lt = tables::boltEdgeDistance(bolt.dms);
}

void checkGivenPlate(const Materials& m, const Sizes& sizes, Held& h, double a2, GivenSizeFindings& findings) {
  holdBearing(h, givenPlateBearing(m, h));
  const PanelThickness panel = plateThickness(m, h, a2);
  holdPanel(h, panel);
  holdOverhang(h, plateOverhang(m, h, panel.tpb));
  holdColumnWelds(h, givenColumnWeldStep(m, h, findings));
  findings.rules.push_back(atLeastRule("ruleT", "底板最小厚度", "t ≥ 20", h.tpb, tables::thinnestBasePlate, {"Edttpb"}));
  findings.rules.push_back(smallestLegRule("ruleHf11", "柱与底板焊脚尺寸", h.hf11, h.tpb, tables::smallestPlateWeldLeg,
                                           {"edthf11"}));
  appendChecks(findings.rules, boltDistanceRules({h.dms, h.a, h.c, h.lt, h.bt, false, false}));
  keyUnderGivenPlate(m, sizes, h, findings);
}

std::vector<FieldText> plateResults(const Held& h) {
  return {{"EdtL", formatGeneral(h.L)},
          {"EdtB", formatGeneral(h.B)},
          {"Edttpb", formatGeneral(h.tpb)},
          {"edthf11", formatGeneral(h.hf11)},
          {"edtshear", shearKeyField(h.Vfb, h.V)},
          {"edtkey", shearKeyText(h.key)}};
}

namespace {

using Tag = HeldTag<Held>;
using enum ValueFormat;

const Tag plateTags[] = {
    {"<#L>", &Held::L, Plain}, {"<#B>", &Held::B, Plain}, {"<#dms>", &Held::dms, Plain}, {"<#hf11>", &Held::hf11, Plain}};

// Vfb in the digits of the summary table; the panel's coefficient between these and the moment.
const Tag bearingTags[] = {
    {"<#ylc>", &Held::ylc, Cut2}, {"<#fc>", &Held::fc, Plain}, {"<#Vfb>", &Held::Vfb, KN2},
    {"<#b2>", &Held::b2, Cut2},   {"<#a2>", &Held::a2, Cut2},  {"<#r1>", &Held::r1, Cut2},
};

const Tag weldTags[] = {
    {"<#M2>", &Held::M2, KN2},       {"<#tpb>", &Held::tpb, Plain},
    {"<#AF>", &Held::AF, Plain},    {"<#Aeww>", &Held::Aeww, Plain}, {"<#ylnc>", &Held::ylnc, Cut3},
    {"<#ylv>", &Held::ylv, Cut3},   {"<#ylfs>", &Held::ylfs, Cut3},  {"<#f>", &Held::f, Plain},
    {"<#ffw>", &Held::ffw, Plain},
};

const Tag layoutTags[] = {{"<#a>", &Held::a, Plain}, {"<#bt>", &Held::bt, Plain}};

const Tag thicknessTags[] = {
    {"<#tpbc>", &Held::tpbc, Cut2}, {"<#fpb>", &Held::fpb, Plain},   {"<#co>", &Held::co, Cut2},
    {"<#Mo>", &Held::Mo, KN2},      {"<#fpbo>", &Held::fpbo, Plain}, {"<#tpbo>", &Held::tpbo, Cut2},
};

}  // namespace

void plateReport(const Held& h, const Entries& e, const TagEmitter& sink) {
  emitSectionTags(sectionOf(h), sink);
  emitTypedInputTags(e, {.moment = false, .boltGrade = true}, sink);
  emitTags(plateTags, h, sink);
  sink("<#shear>", shearKeySentence(h.Vfb, h.V));
  emitTags(bearingTags, h, sink);
  sink("<#alf>", panelCoefficientText(cantilever(h), h.alf));
  emitTags(weldTags, h, sink);
}

void plateCheckerTags(const Held& h, const TagEmitter& sink) {
  const auto plain = [](double x) { return formatGeneral(x); };
  // The two widths the plate takes the larger of, and the plate's own f.
  emitTags(layoutTags, h, sink);
  sink("<#Bflange>", plain(h.bf + tables::pinnedPlateBeyondColumn));
  sink("<#Bbolts>", plain(2 * (h.a + h.bt) + h.tw));
  emitTags(thicknessTags, h, sink);
  sink("<#M2formula>", cantilever(h) ? "M2 = 0.5·σc·b2²（b2/a2 < 0.3，按悬臂板）" : "M2 = α·σc·a2²（三边支承板）");
  // The same moments and areas with their numbers, in the digits the report gives them.
  const std::string ylc = operand(ValueFormat::Cut2, h.ylc);
  // Stress times length squared gives N·mm/mm; the report gives the moments in kN·mm/mm.
  sink("<#M2values>", cantilever(h) ? "0.5×" + ylc + "×" + operand(ValueFormat::Cut2, h.b2) + "²×10⁻³"
                                    : panelCoefficientText(false, h.alf) + "×" + ylc + "×" +
                                          operand(ValueFormat::Cut2, h.a2) + "²×10⁻³");
  sink("<#Movalues>", "0.5×" + ylc + "×" + operand(ValueFormat::Cut2, h.co) + "²×10⁻³");
  sink("<#Aewwvalues>", "2×0.7×" + operand(h.hf11) + "×(" + operand(h.hb) + " − 2×" + operand(h.tf) + " − 2×" +
                            operand(h.hf11) + ")");
  emitShearKeyTags(h.key, keySeatOf(h), sink);
}

namespace {

// A thickness check like the panel's, with the same rounding tolerance: the plate is sized for it.
DesignCheck overhangCheck(const Held& h) {
  DesignCheck check = plateThicknessCheck("t ≥ √(6·M/f)，M = 0.5·σc·c²，c = max((L − hb)/2, (B − bf)/2)", h.tpbo,
                                          h.tpb, {"Edttpb"});
  check.id = "overhang";
  check.name = "底板外伸悬臂";
  return check;
}

}  // namespace

std::vector<DesignCheck> plateChecks(const Held& h) {
  return checkList(
      limitCheck("bearing", "底板下混凝土承压", "σc = N/(B·L) ≤ fc", h.ylc, h.fc, stressUnit, ValueFormat::Cut2,
                 {"EdtL", "EdtB"}),
      plateThicknessCheck(
          cantilever(h) ? "t ≥ √(6·M2/f)，M2 = 0.5·σc·b2²（悬臂板）" : "t ≥ √(6·M2/f)，M2 = α·σc·a2²（三边支承板）", h.tpbc,
          h.tpb, {"Edttpb"}),
      overhangCheck(h),
      limitCheck("flange", "柱翼缘轴压应力", "σN = N/(2AF + Aeww) ≤ f", h.ylnc, h.f, stressUnit, ValueFormat::Cut3,
                 {"edthf11"}),
      limitCheck("weld", "柱与底板焊缝折算应力", "√((σN/βf)² + τV²) ≤ ffw", h.ylfs, h.ffw, stressUnit,
                 ValueFormat::Cut3, {"edthf11"}));
}

std::vector<DesignCheck> keyChecks(const Held& h) {
  return shearKeyChecks(h.key, keySeatOf(h), "V ≤ Vfb = 0.4N 时不需设置抗剪键");
}

void writePlateValues(std::vector<DesignCheck>& checks, const Held& h) {
  const std::string betaF = operand(tables::betaF);
  const std::string t = operand(h.tpb);
  for (DesignCheck& check : checks) {
    if (check.id == "bearing") {
      writeValues(check, "σc = N/(B·L) = " + kNOperand(h.N) + "/(" + operand(h.B) + "×" + operand(h.L) + ")", "fc");
    } else if (check.id == "plate") {
      writeValues(check, "所需厚度 tpbc = √(6·M2/f) = √(6×" + operand(ValueFormat::KN2, h.M2) + "×10³/" + operand(h.fpb) + ")",
                  "板厚 t + 0.1 = " + t + " + 0.1");
    } else if (check.id == "overhang") {
      writeValues(check, "所需厚度 √(6·M/f) = √(6×" + operand(ValueFormat::KN2, h.Mo) + "×10³/" + operand(h.fpbo) + ")",
                  "板厚 t + 0.1 = " + t + " + 0.1");
    } else if (check.id == "flange") {
      writeValues(check, "σN = N/(2AF + Aeww) = " + kNOperand(h.N) + "/(2×" + operand(h.AF) + " + " + operand(h.Aeww) + ")",
                  "f");
    } else if (check.id == "weld") {
      writeValues(check, "√((σN/βf)² + τV²) = √((" + operand(ValueFormat::Cut3, h.ylnc) + "/" + betaF + ")² + " +
                             operand(ValueFormat::Cut3, h.ylv) + "²)",
                  "ffw");
    } else if (check.id == "shear") {
      writeValues(check, "V", "Vfb = 0.4N = 0.4×" + operand(ValueFormat::KN3, h.N));
    }
  }
  writeShearKeyValues(checks, h.key, keySeatOf(h));
}

}  // namespace pedivo::pinned
