#include "design/common/check_list.h"
#include "design/common/check_mode.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "design/common/calculation.h"
#include "design/common/numbers.h"
#include "design/common/tables.h"

namespace pedivo {

namespace {

// Beyond a kilometre no part of a column base is meant.
constexpr double longestSize = 1e6;

std::string named(const SizeName& size) { return size.caption + "（" + size.name + "）"; }

// The sizes of the shear key: all left out (the key is chosen as a design chooses it), all 0 (no
// key) or all greater than 0. A key given in part is refused, naming the first size that lacks.
std::optional<std::string> shearKeyFault(std::span<const SizeName> names, const Sizes& sizes) {
  const SizeName* missing = nullptr;
  const SizeName* zero = nullptr;
  bool given = false, positive = false;
  for (const auto& size : names) {
    if (!size.ofShearKey) continue;
    const auto found = sizes.find(size.name);
    if (found == sizes.end()) {
      if (missing == nullptr) missing = &size;
      continue;
    }
    given = true;
    if (!(found->second >= 0 && found->second <= longestSize)) return named(size) + "须为 0 或大于 0 的数值";
    if (found->second > 0) positive = true;
    else if (zero == nullptr) zero = &size;
  }
  constexpr const char* rule = "设置抗剪键时其各项尺寸均须大于 0，不设抗剪键时均填 0";
  if (given && missing != nullptr) return "缺少尺寸：" + named(*missing) + "。" + rule;
  if (positive && zero != nullptr) return "抗剪键尺寸不全：" + named(*zero) + "为 0。" + rule;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> sizesFault(std::span<const SizeName> names, const Sizes& sizes) {
  for (const auto& size : names) {
    if (size.ofShearKey) continue;
    const auto found = sizes.find(size.name);
    if (found == sizes.end()) return "缺少尺寸：" + named(size);
    if (!(found->second > 0 && found->second <= longestSize)) return named(size) + "须为大于 0 的数值";
  }
  return shearKeyFault(names, sizes);
}

Sizes mappedSizes(const std::vector<NamedSize>& named) {
  Sizes sizes;
  for (const auto& [name, size] : named) sizes.insert_or_assign(std::string(name), size);
  return sizes;
}

void applyFindings(std::vector<DesignCheck>& checks, GivenSizeFindings& findings) {
  for (const auto& missing : findings.unevaluated)
    for (DesignCheck& check : checks)
      // A demand that is not a number governs and fails; its ratio reads "—".
      if (check.id == missing.id) check.demand = std::numeric_limits<double>::quiet_NaN();
  checks.reserve(checks.size() + findings.rules.size());
  std::move(findings.rules.begin(), findings.rules.end(), std::back_inserter(checks));
  findings.rules.clear();
}

void explainUnevaluated(std::vector<DesignCheck>& checks, const GivenSizeFindings& findings) {
  for (const auto& missing : findings.unevaluated)
    for (DesignCheck& check : checks)
      if (check.id == missing.id) check.remedy = "无法验算：" + missing.reason;
}

void writeUnevaluated(std::vector<DesignCheck>& checks, const GivenSizeFindings& findings) {
  for (const auto& missing : findings.unevaluated)
    for (DesignCheck& check : checks)
      if (check.id == missing.id) check.values = check.formula + "：" + missing.reason + "，无法计算";
}

namespace {

// A rule's values line: its two sizes after the words that say which is which.
void writeRuleValues(DesignCheck& check) { writeValues(check, check.demandWords, check.limitWords); }
// The remedy names the value to reach: the least size (the demand of an at-least rule) or the
// largest (the limit of an at-most rule).
void writeAtLeastRemedy(DesignCheck& check) {
  check.remedy = "加大该尺寸至不小于 " + formatValue(ValueFormat::Cut2, check.demand) + " mm";
}
void writeAtMostRemedy(DesignCheck& check) {
  check.remedy = "减小该尺寸至不大于 " + formatValue(ValueFormat::Cut2, check.limit) + " mm";
}
constexpr OwnWords atLeastWords{writeRuleValues, writeAtLeastRemedy};
constexpr OwnWords atMostWords{writeRuleValues, writeAtMostRemedy};

// A given size against the detailing value it may not pass: demand and limit say which is which;
// its words are written when asked for.
DesignCheck sizeRule(CheckText id, CheckText name, CheckText formula, double demand, double limit,
                     const char* demandWords, const char* limitWords, const OwnWords& words,
                     FieldNames fields) {
  DesignCheck check = limitCheck(std::move(id), std::move(name), std::move(formula), demand, limit, lengthUnit,
                                 ValueFormat::Cut2, fields);
  check.demandWords = demandWords;
  check.limitWords = limitWords;
  check.ownWords = &words;
  return check;
}

}  // namespace

DesignCheck atLeastRule(CheckText id, CheckText name, CheckText formula, double size, double least,
                        FieldNames fields) {
  return sizeRule(std::move(id), std::move(name), std::move(formula), least, size, "最小值", "给定尺寸", atLeastWords,
                  fields);
}

DesignCheck atMostRule(CheckText id, CheckText name, CheckText formula, double size, double largest,
                       FieldNames fields) {
  return sizeRule(std::move(id), std::move(name), std::move(formula), size, largest, "给定尺寸", "最大值", atMostWords,
                  fields);
}

Outcome givenAxialTension() {
  Outcome outcome = stoppedOutcome(CalculationStop{Stop::AxialTension});
  outcome.ending = Ending::Partial;
  return outcome;
}

tables::AnchorBolt givenBolt(double dms) {
  const auto bolt = dms == std::trunc(dms) && dms < 1000 ? tables::anchorBolt(static_cast<int>(dms)) : std::nullopt;
  if (!bolt)
    throw CalculationStop{Stop::EntryRefused, std::nullopt,
                          "锚栓直径 d = " + formatGeneral(dms) + " mm 不是锚栓表中的规格，无法验算"};
  return *bolt;
}

std::vector<DesignCheck> boltDistanceRules(const BoltDistances& given) {
  std::vector<DesignCheck> rules;
  const auto bolt = tables::anchorBolt(static_cast<int>(given.dms));
  if (!bolt) return rules;
  rules.reserve(4);
  const double edge = tables::boltEdgeDistance(bolt->dms);
  rules.push_back(atLeastRule("ruleA", "锚栓至柱边距离", "a ≥ 锚栓表 a", given.a, bolt->a, {"Edta"}));
  if (given.hasC) rules.push_back(atLeastRule("ruleC", "锚栓间距", "c ≥ 锚栓表 c", given.c, bolt->c, {"Edtc"}));
  if (given.hasLt)
    rules.push_back(atLeastRule("ruleLt", "锚栓至底板边距离 lt", "lt ≥ 2d + 4", given.lt, edge, {"Edtlt"}));
  if (given.hasBt)
    rules.push_back(atLeastRule("ruleBt", "锚栓至底板边距离 bt", "bt ≥ 2d + 4", given.bt, edge, {"Edtbt"}));
  return rules;
}

DesignCheck smallestLegRule(CheckText id, CheckText name, double hf, double t, double floor,
                            FieldNames fields) {
  // The leg a design starts from: even millimetres, up only once the fraction passes 0.1 mm.
  const double least = roundUpToEven(std::max(floor, tables::smallestFilletLeg(t)));
  const std::string formula = floor > 0 ? "hf ≥ max(" + formatGeneral(floor) + ", 1.5·√t) 取偶数，t = " + formatGeneral(t)
                                        : "hf ≥ 1.5·√t 取偶数，t = " + formatGeneral(t);
  return atLeastRule(std::move(id), std::move(name), formula, hf, least, fields);
}

bool stiffenerHasHeight(double hs, double lost, std::initializer_list<const char*> ids, GivenSizeFindings& findings) {
  if (hs > lost) return true;
  const std::string reason =
      "加劲肋高度 hs ≤ " + formatGeneral(lost) + " mm，有效高度 hs − " + formatGeneral(lost) + " ≤ 0";
  for (const char* id : ids) findings.unevaluated.push_back({id, reason});
  return false;
}

std::vector<DesignCheck> exposedBaseRules(const ExposedBaseSizes& given) {
  std::vector<DesignCheck> rules = checkList(atLeastRule("ruleT", "底板最小厚度", "t ≥ 20", given.tpb, 20, {"Edttpb"}));
  if (given.hf11 > 0)
    rules.push_back(smallestLegRule("ruleHf11", "柱与底板焊脚尺寸", given.hf11, given.tpb, tables::smallestPlateWeldLeg, {"edthf11"}));
  rules.push_back(smallestLegRule("ruleHf3", "加劲肋焊脚尺寸", given.hf3, given.tpb, tables::smallestPlateWeldLeg, {"Edthfjjl"}));
  rules.push_back(atMostRule("ruleHf3Max", "加劲肋焊脚不大于肋厚及 16 mm", "hf ≤ min(ts, 16)", given.hf3,
                             std::min(given.tjjl, tables::largestFilletLeg), {"Edthfjjl"}));
  appendChecks(rules, boltDistanceRules(given.bolts));
  return rules;
}

namespace {

// Past the listed thicknesses a plate comes in steps of this, mm.
constexpr double stockStepBeyond = 10;

}  // namespace

std::vector<double> defaultStockThicknesses() {
  return {6, 8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 30, 32, 36, 40, 45, 50, 55, 60};
}

std::string stockSeriesText(std::span<const double> series) {
  std::string text;
  for (const double t : series) text.append(text.empty() ? "" : ", ").append(formatGeneral(t));
  return text;
}

std::optional<std::vector<double>> parseStockSeries(std::string_view text) {
  // Full-width commas and semicolons, as a Chinese keyboard types them, separate as the plain ones.
  std::string plain(text);
  for (const std::string_view wide : {"，", "；", "、"})
    for (auto at = plain.find(wide); at != std::string::npos; at = plain.find(wide, at))
      plain.replace(at, wide.size(), ",");
  std::vector<double> series;
  std::size_t start = 0;
  while (start <= plain.size()) {
    std::size_t end = plain.find_first_of(",; \t", start);
    if (end == std::string::npos) end = plain.size();
    const std::string_view piece = std::string_view(plain).substr(start, end - start);
    if (!piece.empty()) {
      const auto t = parseNumber(piece);
      if (!t || !(*t > 0) || *t > 1000 || (!series.empty() && !(*t > series.back()))) return std::nullopt;
      series.push_back(*t);
    }
    start = end + 1;
  }
  if (series.empty()) return std::nullopt;
  return series;
}

double stockThickness(double t, std::span<const double> series) {
  for (const double stock : series)
    if (!(stock < t)) return stock;
  const double last = series.empty() ? 0 : series.back();
  const double steps = std::ceil((t - last) / stockStepBeyond);
  return last + std::max(1.0, steps) * stockStepBeyond;
}

Sizes roundedToStock(const Sizes& sizes, std::span<const std::string_view> thicknessNames,
                     std::span<const double> series) {
  Sizes rounded = sizes;
  for (const auto name : thicknessNames)
    if (const auto found = rounded.find(name); found != rounded.end())
      found->second = stockThickness(found->second, series);
  return rounded;
}

}  // namespace pedivo
