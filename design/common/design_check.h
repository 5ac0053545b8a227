#pragma once
// The design checks of a completed calculation: each comparison that accepted a size or a
// stress, with what was demanded, what is allowed and the verdict. A base type lists its checks
// once, beside its calculation; the session turns them into the warning after "计算", the red
// captions of the result window, the report's verdicts and its summary table.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/check_text.h"
#include "design/common/load_combination.h"
#include "design/common/module.h"
#include "design/common/value_format.h"

namespace pedivo {

// Demand and limit of a check as written (checkNumbers).
struct CheckNumbers {
  std::string demand;
  std::string limit;
};

struct DesignCheck;

// Words a check writes from its own numbers alone (a rule on a given size), kept as the functions
// that write them: a check is listed with its numbers, and its values line and remedy are written
// only when asked for (writeOwnValues, writeOwnRemedies).
struct OwnWords {
  void (*values)(DesignCheck& check);
  void (*remedy)(DesignCheck& check);
};

struct DesignCheck {
  CheckText id;                            // stem of the report tags: "bearing" gives "<#bearing.check>", ...
  CheckText name;                          // "底板下混凝土承压"
  CheckText formula;                       // the formula that applied, in symbols: "σc = N/(B·L) ≤ fc"
  double demand = 0;                       // what the design asks for
  double limit = 0;                        // what it may ask for at most
  CheckText unit;                          // "N/mm²", empty for a ratio
  ValueFormat format = ValueFormat::Cut3;  // how demand and limit are written
  FieldNames fields;                       // result fields whose caption turns red when it fails
  // A decision rather than a limit (the shear key): never fails, states its outcome instead.
  std::optional<std::string> decision;
  // A decision that asks for a part this program does not design: the design is not complete
  // without it, so no summary may read as all passing.
  bool outstanding = false;
  // A decision with nothing to compare (a check of a part the design does without): its demand,
  // limit and numbers read "—".
  bool unnumbered = false;
  // Words after the limit: "（含板厚取整容差 0.1 mm）". Fixed words of the program, as are the two
  // below: a check never owns them.
  std::string_view limitNote;
  // What demand and limit are, where "计算值" and "限值" would not say it: "所需厚度" and "板厚".
  std::string_view demandWords;
  std::string_view limitWords;
  // The check with its numbers put in, for a checker to redo by hand (writeValues):
  // "σc = N/(B·L) = 1500×10³/(880×640) = 2.66 N/mm² ≤ fc = 14.3 N/mm²".
  std::string values;
  // demand and limit as that line writes them, kept for the report's columns and the summary.
  std::optional<CheckNumbers> numbers;
  // What to change when the check fails, with the numbers that decide it: one line.
  std::string remedy;
  // Under several load combinations: the one with the largest ratio, whose numbers these are.
  std::optional<GoverningCombination> governing;
  // Where the check writes its own words; none where its base type writes them from the held values.
  const OwnWords* ownWords = nullptr;

  // A demand of zero or less asks nothing of the part (a depth for a pulling force, a stress
  // of the wrong sign): the check does not govern, it passes and has no utilisation.
  bool governs() const { return !decision.has_value() && !(demand <= 0); }  // a NaN governs, and fails
  bool ok() const { return decision.has_value() || !governs() || demand <= limit; }
  // demand / limit, rounded up to two decimals so that a failing check never reads as 1.00 or
  // less; not a number for a check that does not govern.
  double ratio() const;
};

// The values line, or the remedy, of every check that writes its own.
void writeOwnValues(std::vector<DesignCheck>& checks);
void writeOwnRemedies(std::vector<DesignCheck>& checks);

inline constexpr const char* stressUnit = "N/mm²";
inline constexpr const char* lengthUnit = "mm";

// A check of demand ≤ limit.
inline DesignCheck limitCheck(CheckText id, CheckText name, CheckText formula, double demand, double limit,
                              CheckText unit, ValueFormat format, FieldNames fields) {
  DesignCheck check;
  check.id = std::move(id);
  check.name = std::move(name);
  check.formula = std::move(formula);
  check.demand = demand;
  check.limit = limit;
  check.unit = std::move(unit);
  check.format = format;
  check.fields = fields;
  return check;
}

// The plate thickness is rounded up to a whole millimetre only once the fraction passes 0.1 mm,
// so a plate may be up to 0.1 mm thinner than the thickness it needs; its check allows that.
inline constexpr double plateRoundingTolerance = 0.1;
inline constexpr const char* plateRoundingNote = "（含板厚取整容差 0.1 mm）";

// A weld leg rounded up to an even size may likewise stay up to 0.1 mm under the leg it needs.
inline constexpr double weldLegRoundingTolerance = 0.1;
inline constexpr const char* weldLegRoundingNote = "（含焊脚取整容差 0.1 mm）";

// The plate-thickness check: required thickness against the plate plus its rounding tolerance.
DesignCheck plateThicknessCheck(CheckText formula, double required, double tpb, FieldNames fields);

inline constexpr const char* requiredThicknessWords = "所需厚度";
inline constexpr const char* plateThicknessWords = "板厚";

// Demand and limit as written, with their units and the limit's note. A failing check whose two
// numbers would read alike is written with as many more decimals (up to three) as it takes to
// tell them apart.
CheckNumbers checkNumbers(const DesignCheck& check);
// The same, each after the words that say what it is: "所需厚度 25.3 mm", "板厚 25.1 mm（…）";
// "计算值" and "限值" when the check has no words of its own.
CheckNumbers namedCheckNumbers(const DesignCheck& check);

// Writes check.values: the demand's formula with its numbers put in, its result, the relation the
// two results stand in ("≤", or ">" when the demand exceeds the limit) and the limit written the
// same way. `demand` is "σc = N/(B·L) = 1500×10³/(880×640)", `limit` is "fc" or
// "1.1f = 1.1×215"; the results are those of checkNumbers, so that the line and the summary
// table give a number in the same digits.
void writeValues(DesignCheck& check, std::string_view demand, std::string_view limit);

// Numbers as they are put into a formula: the general format, in brackets when negative, so that
// "2×(−5)" reads as it is meant.
std::string operand(double x);
// The same in a value format: a cut length, or a force in N written "1500×10³" from its kN form.
std::string operand(ValueFormat format, double x);
std::string kNOperand(double newtons);             // N as kN: "1500×10³"
std::string kNmOperand(double newtonMillimetres);  // N·mm as kN·m: "160×10⁶"

inline constexpr const char* failedChecksHeading = "以下验算不满足要求：";

// The message box that follows the closing message when checks fail; none when all pass.
std::optional<std::string> failedChecksMessage(const std::vector<DesignCheck>& checks);

// The same message as the window shows it: each failing check followed by its remedy on a line
// of its own.
std::optional<std::string> failedChecksAdvice(const std::vector<DesignCheck>& checks);

// "<#id.remedy>" for every check, written after its verdict: "；处理建议：" and its remedy where it
// fails, empty where it holds.
void emitRemedyTags(const std::vector<DesignCheck>& checks, bool designed, const TagEmitter& sink);

// Result fields whose caption turns red: those of every failing check, each once.
std::vector<std::string> failedFields(const std::vector<DesignCheck>& checks);

// A utilisation with two decimals: "0.50", "1.00"; "—" for one that is not a number.
std::string utilisationText(double ratio);

// The parts that outstanding decisions ask for, with their numbers: "需要设置抗剪键（40.00 kN > 32.00 kN），
// 本程序未设计抗剪键，须另行设计"; empty when none is outstanding.
std::string outstandingText(const std::vector<DesignCheck>& checks);

inline constexpr const char* notGoverningText = "不控制";

// "满足（利用率 0.28）", "不满足（利用率 1.25）", "不控制", or the decision.
std::string verdictText(const DesignCheck& check);

// Report tags of the checks, after the base type's own tags: for each check "<#id.name>",
// "<#id.check>" (the verdict), "<#id.formula>", "<#id.values>", "<#id.demand>", "<#id.limit>", "<#id.ratio>",
// "<#id.result>", and "<#summary>" for all of them, handed over one at a time. Before a design exists the verdicts
// read "未计算" and the values "—".
void emitCheckTags(const std::vector<DesignCheck>& checks, bool designed, const TagEmitter& sink);

}  // namespace pedivo
