#include "design/common/remedy_text.h"

#include <cmath>

#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/numbers.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"

namespace pedivo::remedy {

// Cut to two decimals as the report's body writes the same quantity, so that both give one number.
std::string num(double x) { return formatValue(ValueFormat::Cut2, x); }

std::string beyond(double needed, double allowed) {
  std::string text = formatValue(ValueFormat::Cut3, needed);
  for (int extra = 1; extra <= 3 && text == formatGeneral(allowed); ++extra)
    text = formatValue(ValueFormat::Cut3, needed, extra);
  return text;
}

std::optional<ColumnStress> columnStress(const Entries& entries) {
  const auto read = [&](std::string_view control) { return parseNumber(entryText(entries, control)); };
  const auto hb = read("Edthc"), bf = read("Edtbf"), tw = read("Edttw"), tf = read("Edttf"), N = read("EdtN");
  if (!hb || !bf || !tw || !tf || !N || *hb <= 2 * *tf) return std::nullopt;
  const double M = read("EdtM").value_or(0);
  const auto edition = tables::codeEdition(entryText(entries, "CBcode")).value_or(tables::CodeEdition::Gb2003);
  const tables::SteelGrade* steel = tables::steelGrade(edition, entryText(entries, "CBf"));
  if (steel == nullptr) return std::nullopt;
  const double web = *hb - 2 * *tf;
  const double area = 2 * *bf * *tf + web * *tw;
  const double modulus = (*bf * *hb * *hb * *hb - (*bf - *tw) * web * web * web) / (6 * *hb);
  return ColumnStress{std::fabs(*N) * 1000 / area + std::fabs(M) * 1e6 / modulus,
                      tables::rolledStrength(*steel, *tf, 0)};
}

std::string columnOverstressed(std::string_view what) {
  return std::string(what) + "超过 f：柱截面或钢材牌号需加大（柱脚构造不能解决）";
}

Detailing detailing(double dms) {
  const auto bolt = tables::anchorBolt(static_cast<int>(dms));
  return {bolt ? bolt->a : 0, bolt ? bolt->c : 0, tables::boltEdgeDistance(static_cast<int>(dms))};
}

std::string sizeNow(std::string_view symbol, double now, double detailing) {
  return std::string(symbol) + "（现为 " + num(now) + " mm，构造值 " + num(detailing) + " mm）";
}

std::string bearing(double ylc, double fc, const std::string& sizes, std::string_view how) {
  return "底板下混凝土承压 σc = " + num(ylc) + " > fc = " + num(fc) + " N/mm²：提高混凝土强度等级，或" + untickDetailing +
         "并加大 " + sizes + std::string(how);
}

std::string boltStress(double write4, double fta, double lt, double detailingEdge) {
  return "锚栓应力 σt = " + num(write4) + " > fta = " + num(fta) + " N/mm²：加大 " + sizeNow("lt", lt, detailingEdge) +
         " 以加长锚栓力臂，或提高锚栓牌号";
}

std::string panelPlate(double required) {
  return "底板需厚 " + num(required) + " mm：减小 a、c 使区格变小，或提高底板钢材牌号";
}

std::string stopRemedy(const Entries& entries, Stop stop, const StopAdvice& advice) {
  // A column that cannot carry its own forces cannot be helped by any base.
  const auto column = columnStress(entries);
  const std::string columnText =
      column ? "柱截面应力 N/A + M/W = " + num(column->sigma) + " N/mm²，f = " + num(column->f) + " N/mm²" : "";
  const bool overstressed = column && column->sigma > column->f;
  // The stops of the input come first: the column's stress would not help there.
  if (stop == Stop::ZeroAxialForce) return "输入柱底轴力 N（不能为 0；很小的轴力也可以，如 1 kN）";
  if (stop == Stop::AxialTension)
    return "柱底轴力为拉力且偏心 e = M/N 落在锚栓以内，外露式刚接柱脚不能设计：加大弯矩方向的偏心或改用插入式柱脚";
  if (overstressed) return columnText + "，" + columnOverstressed("柱截面应力");
  switch (stop) {
    case Stop::WeldTooShort: return advice.weldTooShort;
    case Stop::BoltTooLarge: return advice.boltTooLarge;
    case Stop::NotConverging: return advice.notConverging;
    case Stop::InvalidNumber:
      return "检查柱截面尺寸与内力是否相符" + (columnText.empty() ? std::string() : "（" + columnText + "）") +
             "；若无误，" + untickDetailing + "并加大 a、c、lt、bt，或使用“自动调整”";
    case Stop::EntryRefused:
    case Stop::ZeroAxialForce:
    case Stop::AxialTension: break;
  }
  return {};
}

}  // namespace pedivo::remedy

namespace pedivo::remedy {

void attach(std::vector<DesignCheck>& checks, const std::vector<CheckRemedy>& remedies) {
  for (auto& check : checks)
    for (const auto& remedy : remedies)
      if (check.id == remedy.id) check.remedy = remedy.text;
}

}  // namespace pedivo::remedy
