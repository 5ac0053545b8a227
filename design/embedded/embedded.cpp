#include "design/common/check_list.h"
#include "design/embedded/embedded.h"

#include "design/embedded/embedded_remedies.h"

#include <algorithm>

#include "design/common/calculation.h"
#include "design/common/column_section.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/standard_controls.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"
#include "design/common/value_format.h"

namespace pedivo::embedded {
namespace {

using Held = EmbeddedHeld;

const HeldField<Held> heldFields[] = {
    {"N", &Held::N},         {"M", &Held::M},   {"V", &Held::V},           {"hb", &Held::hb},         {"bf", &Held::bf},
    {"tw", &Held::tw},       {"tf", &Held::tf}, {"fc", &Held::fc},         {"fct", &Held::fct},       {"H1", &Held::H1},
    {"H1min", &Held::H1min}, {"H2", &Held::H2}, {"write1", &Held::write1}, {"write2", &Held::write2},
};

void readInputs(const Entries& e, Held& h) {
  h.N = readAxialForceAsTyped(e);
  h.M = readMoment(e);
  h.V = readShear(e);
  holdSection(readColumnSection(e), h);
}

// Acting moment at the depth: M plus V over half the depth.
double actingMoment(const Held& h, double depth) { return h.V * depth / 2 + h.M; }

// Resisting moment of the concrete beside the flange: fc less the shear stress V/(bf·depth),
// times the section modulus bf·depth²/6.
double resistingMoment(const Held& h, double depth) { return (h.fc - h.V / h.bf / depth) * h.bf * depth * depth / 6; }

// The forces, the section and the concrete's strengths.
void readForcesAndConcrete(const Entries& entries, Held& h) {
  const Materials materials = readMaterials(entries);
  readInputs(entries, h);
  h.fc = materials.concrete.fc;
  h.fct = materials.concrete.fct;
}

// The way the deeper demand set the depth; on a tie the least depth, the same depth either way.
DepthSetBy deeperDemand(const DepthDemands& d) {
  return d.H1 > d.H1min ? DepthSetBy::AxialForce : DepthSetBy::LeastDepth;
}

InsertionDepth depthAt(const Held& h, const DepthDemands& demands, double start, double H2, DepthSetBy setBy) {
  return {demands, start, H2, actingMoment(h, H2), resistingMoment(h, H2), setBy};
}

const SizeField<Held> sizeFields[] = {{"H2", &Held::H2, "钢柱插入深度dc"}};

}  // namespace

DepthDemands depthDemands(const EmbeddedHeld& h) {
  const double H1 = (h.N / h.fct / 2) / ((h.bf + h.hb) + (h.bf - h.tw));
  return {H1, std::max(tables::leastEmbedmentInDepths * h.hb, tables::leastEmbedment)};
}

InsertionDepth designedDepth(const EmbeddedHeld& h, const DepthDemands& demands, RoundLimit& rounds) {
  // Up to a multiple of 10 whatever the fraction: a depth may never fall short of what N needs.
  const double start = ceilToTen(std::max(demands.H1, demands.H1min));
  // Deeper 10 mm a round until the concrete beside the flange resists the moment.
  double H2 = start;
  while (resistingMoment(h, H2) < actingMoment(h, H2)) {
    rounds.next();
    H2 += tables::embedmentStep;
  }
  return depthAt(h, demands, start, H2, H2 > start ? DepthSetBy::Moment : deeperDemand(demands));
}

InsertionDepth givenDepth(const EmbeddedHeld& h, const DepthDemands& demands, double H2) {
  return depthAt(h, demands, H2, H2, DepthSetBy::Given);
}

void holdDepth(EmbeddedHeld& h, const InsertionDepth& d) {
  h.H1 = d.demands.H1, h.H1min = d.demands.H1min;
  h.H2 = d.H2;
  h.write1 = d.write1, h.write2 = d.write2;
  h.depthSetBy = d.setBy;
}

Outcome calculateEmbedded(const Entries& entries, EmbeddedHeld& h) {
  RoundLimit rounds;
  readForcesAndConcrete(entries, h);
  holdDepth(h, designedDepth(h, depthDemands(h), rounds));
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

Outcome checkEmbedded(const Entries& entries, const Sizes& sizes, EmbeddedHeld& h, GivenSizeFindings&) {
  readForcesAndConcrete(entries, h);
  const DepthDemands demands = depthDemands(h);
  takeSizes(sizeFields, sizes, h);
  holdDepth(h, givenDepth(h, demands, h.H2));
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}

namespace {

ResultView results(const Held& h) { return {{{"edtH", formatGeneral(h.H2)}}, {}, {}}; }

using Tag = HeldTag<Held>;
using enum ValueFormat;

const Tag depthTags[] = {
    {"<#H1>", &Held::H1, Whole},        {"<#H1min>", &Held::H1min, Plain},   {"<#H2>", &Held::H2, Plain},
    {"<#fc>", &Held::fc, Plain},        {"<#fct>", &Held::fct, Plain},       {"<#write1>", &Held::write1, KNm3},
    {"<#write2>", &Held::write2, KNm3},
};

void report(const Held& h, const Entries& e, const TagEmitter& sink) {
  emitSectionTags(sectionOf(h), sink);
  emitTypedInputTags(e, {.moment = true, .boltGrade = false}, sink);
  emitTags(depthTags, h, sink);
  // Under tension the depth for N asks nothing; the column's pull-out is a design of its own.
  sink("<#tensionNote>", h.N < 0 ? "柱底轴力为拉力：按轴力的插入深度不控制；受拉柱的抗拔（锚固）不在本计算范围内，须另行验算。"
                                 : "");
}

std::vector<NamedValue> values(const Held& h) { return listValues(heldFields, h); }
void scan(const Held& h, HeldNumbersScan& numbers) { scanValues(heldFields, h, numbers); }

// The checks with their numbers; the moments in kN·m as the report gives them.
void writeCheckValues(std::vector<DesignCheck>& checks, const Held& h) {
  const std::string dc = operand(h.H2);
  for (DesignCheck& check : checks) {
    if (check.id == "depthN") {
      writeValues(check, "H1 = N/[2·ft·(2bf + hb − tw)] = " + kNOperand(h.N) + "/[2×" + operand(h.fct) + "×(2×" +
                             operand(h.bf) + " + " + operand(h.hb) + " − " + operand(h.tw) + ")]",
                  "dc");
    } else if (check.id == "depthMin") {
      writeValues(check, "H1min = max(1.5hb, 500) = max(1.5×" + operand(h.hb) + ", 500)", "dc");
    } else if (check.id == "moment") {
      writeValues(check, "M + V·dc/2 = " + operand(ValueFormat::KNm3, h.M) + " + " + operand(ValueFormat::KN3, h.V) +
                             "×" + dc + "/2×10⁻³",
                  "(fc − V/(bf·dc))·bf·dc²/6 = (" + operand(h.fc) + " − " + kNOperand(h.V) + "/(" + operand(h.bf) +
                      "×" + dc + "))×" + operand(h.bf) + "×" + dc + "²/6×10⁻⁶");
    }
  }
}

// The insertion depth against each of its three conditions, at the final depth.
std::vector<DesignCheck> checks(const Held& h) {
  std::vector<DesignCheck> list = checkList(
      limitCheck("depthN", "轴力所需插入深度", "dc ≥ H1 = N/[2·ft·(2bf + hb − tw)]", h.H1, h.H2, lengthUnit,
                 ValueFormat::Whole, {"edtH"}),
      limitCheck("depthMin", "最小插入深度", "dc ≥ H1min = max(1.5hb, 500)", h.H1min, h.H2, lengthUnit,
                 ValueFormat::Whole, {"edtH"}),
      limitCheck("moment", "插入段抗弯", "M + V·dc/2 ≤ (fc − V/(bf·dc))·bf·dc²/6", h.write1, h.write2, "kN·m",
                 ValueFormat::KNm3, {"edtH"}));
  // The summary's columns name what each check compares.
  for (DesignCheck& check : list) {
    const bool moment = check.id == "moment";
    check.demandWords = moment ? "作用弯矩" : "所需深度";
    check.limitWords = moment ? "抵抗弯矩" : "插入深度";
  }
  return list;
}

void checkValues(const Held& h, std::vector<DesignCheck>& list) { writeCheckValues(list, h); }

ModuleDescriptor makeDescriptor() {
  ModuleDescriptor d;
  nameType(d, {"gc", "插入式刚接柱脚", "TForm8", "gc.bmp", "TForm15"});
  d.caption = "插入式柱脚-输入设计参数";  // shorter than the title
  d.clientSize = {644, 421};
  d.imageSize = {331, 227};
  ControlGroup materials = standard::materialGroup({});
  // This window lists the concrete grade before the anchor-bolt grade.
  const auto at = [&](std::string_view name) {
    return std::find_if(materials.controls.begin(), materials.controls.end(),
                        [&](const ControlSpec& control) { return control.name == name; });
  };
  std::iter_swap(at("CBfta"), at("CBfc"));
  d.groups = {standard::sectionGroup(), standard::forceGroup(true), materials};
  d.hasDetailingToggle = false;
  d.reportButton = "Button2";
  d.checks = standard::embeddedChecks();
  d.resultClientSize = {294, 44};
  d.resultGroups = {{"", "", {{"edtH", "钢柱插入深度dc", standard::mm}}}};
  // The depth alone: an embedded base has no shear key.
  bindFunctions<sizeFields, KeySizes::None>(d,
                                            {.calculate = calculateEmbedded, .results = results, .report = report,
                                             .values = values, .checks = checks, .checkValues = checkValues,
                                             .check = checkEmbedded, .scan = scan},
                                            embeddedRemedies);
  return d;
}

}  // namespace

const ModuleDescriptor& embeddedModule() {
  static const ModuleDescriptor descriptor = makeDescriptor();
  return descriptor;
}

}  // namespace pedivo::embedded
