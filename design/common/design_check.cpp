#include "design/common/design_check.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "design/common/numbers.h"

namespace pedivo {
namespace {

std::string withUnit(std::string number, std::string_view unit) {
  if (!unit.empty()) number.append(" ").append(unit);
  return number;
}

}  // namespace

std::string utilisationText(double ratio) {
  if (!std::isfinite(ratio)) return "—";
  std::string text = formatGeneral(ratio);
  // Always two decimals: "0.5" reads "0.50", "1" reads "1.00".
  const auto point = text.find('.');
  if (point == std::string::npos) return text + ".00";
  if (text.size() - point == 2) return text + "0";
  return text;
}

double DesignCheck::ratio() const {
  if (!decision && !governs()) return std::numeric_limits<double>::quiet_NaN();
  if (limit == 0) return demand == 0 ? 0 : std::numeric_limits<double>::infinity();
  const double r = demand / limit;
  // A hair of tolerance so that 0.29 held as 0.2900000000000001 is not raised to 0.30.
  return std::ceil(r * 100 - 1e-9) / 100;
}

void writeOwnValues(std::vector<DesignCheck>& checks) {
  for (DesignCheck& check : checks)
    if (check.ownWords != nullptr) check.ownWords->values(check);
}

void writeOwnRemedies(std::vector<DesignCheck>& checks) {
  for (DesignCheck& check : checks)
    if (check.ownWords != nullptr) check.ownWords->remedy(check);
}

DesignCheck plateThicknessCheck(CheckText formula, double required, double tpb, FieldNames fields) {
  DesignCheck check = limitCheck("plate", "底板厚度", std::move(formula), required, tpb + plateRoundingTolerance,
                                 lengthUnit, ValueFormat::Cut2, fields);
  check.limitNote = plateRoundingNote;
  check.demandWords = requiredThicknessWords;
  check.limitWords = plateThicknessWords;
  return check;
}

CheckNumbers checkNumbers(const DesignCheck& check) {
  if (check.numbers) return *check.numbers;
  // A check the given sizes leave no way to work out has no number: its demand reads as its ratio does.
  if (std::isnan(check.demand)) return {"—", withUnit(formatValue(check.format, check.limit), check.unit).append(check.limitNote)};
  std::string demand = formatValue(check.format, check.demand);
  std::string limit = formatValue(check.format, check.limit);
  for (int extra = 1; extra <= 3 && demand == limit && !check.ok(); ++extra) {
    demand = formatValue(check.format, check.demand, extra);
    limit = formatValue(check.format, check.limit, extra);
  }
  return {withUnit(std::move(demand), check.unit), withUnit(std::move(limit), check.unit).append(check.limitNote)};
}

void writeValues(DesignCheck& check, std::string_view demand, std::string_view limit) {
  check.numbers.reset();
  const CheckNumbers& numbers = check.numbers.emplace(checkNumbers(check));
  // The relation of the numbers as they stand: a NaN exceeds every limit.
  const bool within = check.demand <= check.limit;
  check.values.assign(demand).append(" = ").append(numbers.demand).append(within ? " ≤ " : " > ");
  check.values.append(limit).append(" = ").append(numbers.limit);
}

std::string operand(double x) {
  const std::string text = formatGeneral(std::fabs(x));
  return x < 0 ? "(−" + text + ")" : text;
}

namespace {

// Digits from the first that is not zero: "0.136" has 3, "1500" has 4, "0" has none.
int significantDigits(std::string_view text) {
  int digits = 0;
  bool leading = true;
  for (const char c : text) {
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++digits;
  }
  return digits;
}

// An operand carries at least this many significant digits, so that the printed result follows
// from the printed operands within a fraction of a percent.
constexpr int operandDigits = 4;
constexpr int mostExtraDecimals = 4;

}  // namespace

std::string operand(ValueFormat format, double x) {
  std::string text = formatValue(format, std::fabs(x));
  const int missing = operandDigits - significantDigits(text);
  if (missing > 0 && format != ValueFormat::Plain && x != 0)
    text = formatValue(format, std::fabs(x), std::min(missing, mostExtraDecimals));
  return x < 0 ? "(−" + text + ")" : text;
}

std::string kNOperand(double newtons) { return operand(ValueFormat::KN3, newtons) + "×10³"; }

std::string kNmOperand(double newtonMillimetres) { return operand(ValueFormat::KNm3, newtonMillimetres) + "×10⁶"; }

CheckNumbers namedCheckNumbers(const DesignCheck& check) {
  CheckNumbers numbers = checkNumbers(check);
  numbers.demand.insert(0, std::string(check.demandWords.empty() ? "计算值" : check.demandWords) + " ");
  numbers.limit.insert(0, std::string(check.limitWords.empty() ? "限值" : check.limitWords) + " ");
  return numbers;
}

namespace {

// A failed check's line: its name, and its demand and limit under the words that say which is which.
std::string failedCheckLine(const DesignCheck& check) {
  const CheckNumbers numbers = namedCheckNumbers(check);
  return "\n" + std::string(check.name) + "：" + numbers.demand + "，" + numbers.limit;
}

}  // namespace

std::optional<std::string> failedChecksMessage(const std::vector<DesignCheck>& checks) {
  std::string lines;
  for (const auto& check : checks)
    if (!check.ok()) lines += failedCheckLine(check);
  if (lines.empty()) return std::nullopt;
  return failedChecksHeading + lines;
}

std::vector<std::string> failedFields(const std::vector<DesignCheck>& checks) {
  std::vector<std::string> fields;
  for (const auto& check : checks)
    if (!check.ok())
      for (const auto& field : check.fields)
        if (std::find(fields.begin(), fields.end(), field) == fields.end()) fields.emplace_back(field);
  return fields;
}

namespace {

// "满足（利用率 0.28）" into `text`, whose room is kept.
void writeVerdict(std::string& text, bool ok, std::string_view utilisation) {
  text.assign(ok ? "满足" : "不满足").append("（利用率 ").append(utilisation).append("）");
}

}  // namespace

std::string outstandingText(const std::vector<DesignCheck>& checks) {
  std::string text;
  for (const auto& check : checks) {
    if (!check.outstanding) continue;
    const CheckNumbers numbers = checkNumbers(check);
    if (!text.empty()) text += "；";
    text += *check.decision + "（" + numbers.demand + " > " + numbers.limit + "），本程序未设计" + check.name +
            "，须另行设计";
  }
  return text;
}

std::string verdictText(const DesignCheck& check) {
  if (check.decision) return *check.decision;
  if (!check.governs()) return notGoverningText;
  std::string text;
  writeVerdict(text, check.ok(), utilisationText(check.ratio()));
  return text;
}

// The report's closing words on a completed design: all holds, some checks still open, or the
// failing checks by name.
std::string summaryText(const std::vector<DesignCheck>& checks, int failed, const std::string& failedNames) {
  const std::string open = outstandingText(checks);
  if (failed == 0 && open.empty()) return "各项验算均满足要求。";
  if (failed == 0) return "已计算的各项验算均满足要求，但" + open + "，设计尚未完成。";
  return "有 " + std::to_string(failed) + " 项验算不满足要求（" + failedNames +
         "），本设计不能采用，请调整截面、材料或尺寸后重新计算。" + (open.empty() ? std::string() : "另" + open + "。");
}

void emitCheckTags(const std::vector<DesignCheck>& checks, bool designed, const TagEmitter& sink) {
  int failed = 0;
  std::string failedNames;
  std::string tag;
  std::string verdict;
  for (const auto& check : checks) {
    // "<#id." once; each tag is that stem and its part.
    tag.assign("<#").append(check.id).append(".");
    const std::size_t stem = tag.size();
    const auto named = [&](const char* part) -> std::string_view { return tag.replace(stem, std::string::npos, part); };
    const bool isDecision = check.decision.has_value();
    const bool ok = check.ok();
    const bool idle = !isDecision && !check.governs();
    const std::string utilisation = designed && !isDecision && !idle ? utilisationText(check.ratio()) : "—";
    if (designed && !isDecision) {
      if (idle) {
        verdict = notGoverningText;
      } else {
        writeVerdict(verdict, ok, utilisation);
      }
    }
    sink(named("name>"), check.name);
    sink(named("check>"), !designed ? std::string_view("未计算") : isDecision ? std::string_view(*check.decision) : verdict);
    sink(named("formula>"), check.formula);
    // Numbers of a design that was never completed would be those of an empty or stopped window.
    sink(named("values>"), designed && !check.unnumbered ? std::string_view(check.values) : std::string_view("—"));
    // The summary's columns say 计算值 and 限值; a check with words of its own says what they are.
    if (designed && !check.unnumbered) {
      const CheckNumbers written = check.numbers ? CheckNumbers{} : checkNumbers(check);
      const CheckNumbers& numbers = check.numbers ? *check.numbers : written;
      const auto worded = [](std::string_view words, const std::string& number) {
        return words.empty() ? number : std::string(words).append(" ").append(number);
      };
      sink(named("demand>"), worded(check.demandWords, numbers.demand));
      sink(named("limit>"), worded(check.limitWords, numbers.limit));
    } else {
      sink(named("demand>"), "—");
      sink(named("limit>"), "—");
    }
    sink(named("ratio>"), utilisation);
    sink(named("result>"), !designed    ? std::string_view("未计算")
                           : isDecision ? std::string_view(*check.decision)
                           : idle       ? std::string_view(notGoverningText)
                           : ok         ? std::string_view("满足")
                                        : std::string_view("不满足"));
    if (designed && !ok) {
      ++failed;
      failedNames += (failedNames.empty() ? "" : "、") + check.name;
    }
  }
  if (!designed) {
    sink("<#summary>", "尚未计算。");
    return;
  }
  sink("<#summary>", summaryText(checks, failed, failedNames));
}

}  // namespace pedivo

namespace pedivo {

std::optional<std::string> failedChecksAdvice(const std::vector<DesignCheck>& checks) {
  std::string lines;
  for (const auto& check : checks) {
    if (check.ok()) continue;
    lines += failedCheckLine(check);
    if (!check.remedy.empty()) lines += "\n    → " + check.remedy;
  }
  if (lines.empty()) return std::nullopt;
  return failedChecksHeading + lines;
}

void emitRemedyTags(const std::vector<DesignCheck>& checks, bool designed, const TagEmitter& sink) {
  std::string tag;
  for (const auto& check : checks) {
    tag.assign("<#").append(check.id).append(".remedy>");
    const bool advise = designed && !check.ok() && !check.remedy.empty();
    sink(tag, advise ? "；处理建议：" + check.remedy : std::string());
  }
}

}  // namespace pedivo
