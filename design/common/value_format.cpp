#include "design/common/value_format.h"

#include <cmath>
#include <optional>

#include "design/common/numbers.h"

namespace pedivo {
namespace {

// A cut format shows x·10^-shift (N in kN, N·mm in kN·m) with k decimals cut off.
struct CutRule {
  int k;
  int shift;
};

std::optional<CutRule> cutRule(ValueFormat format) {
  switch (format) {
    case ValueFormat::Plain: return std::nullopt;
    case ValueFormat::Cut2: return CutRule{2, 0};
    case ValueFormat::Cut3: return CutRule{3, 0};
    case ValueFormat::KN2: return CutRule{2, 3};
    case ValueFormat::KN3: return CutRule{3, 3};
    case ValueFormat::KNm3: return CutRule{3, 6};
    case ValueFormat::Whole: return CutRule{0, 0};
  }
  return std::nullopt;
}

constexpr double powersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 1e7, 1e8, 1e9};

// x·10^(k − shift) as one product or quotient, as the cut has always been computed.
double scaled(double x, CutRule rule) {
  const int power = rule.k - rule.shift;
  return power >= 0 ? x * powersOfTen[power] : x / powersOfTen[-power];
}

// The whole number v = Trunc(x·10^(k − shift)) taken from x's decimal digits rounded to 15
// significant digits, by moving the decimal point.
double decimalCut(double x, CutRule rule) {
  const DecimalDigits d = fifteenDigits(x);
  const int lastWholePlace = d.exponent - rule.shift + rule.k;  // place of the first digit in v
  if (lastWholePlace < 0) return 0;
  const auto places = static_cast<std::size_t>(lastWholePlace) + 1;
  double v = 0;
  for (std::size_t i = 0; i < places; ++i) v = v * 10 + (i < d.count ? d.digits[i] - '0' : 0);
  return d.negative ? -v : v;
}

// The cut whole number. The product x·10^(k − shift) gives it unless it lies within a rounding
// step below the next whole number; there the decimal value decides (0.101 held as
// 0.10099999999999999 cuts to 0.101, not 0.1).
struct CutValue {
  double v;
  int k;
};

std::optional<CutValue> cutValue(ValueFormat format, double x, int extra) {
  auto rule = cutRule(format);
  if (!rule) return std::nullopt;
  rule->k += extra;
  const double p = scaled(x, *rule);
  const double whole = std::trunc(p);
  const double a = std::fabs(p);
  const bool nearNextWhole = std::fabs(whole) + 1 - a <= a * 1e-12;
  if (nearNextWhole && std::isfinite(x) && a < 1e15) return CutValue{decimalCut(x, *rule), rule->k};
  return CutValue{whole, rule->k};
}

std::string formatCut(ValueFormat format, double x, int extra) {
  const auto cut = cutValue(format, x, extra);
  if (!cut) return formatGeneral(x);
  const double shown = cut->v / powersOfTen[cut->k];
  // A cut value below 1E9 is written straight from the whole number it was cut to: that text is
  // the one the general format finds for v/10^k (a few decimals, well within 15 digits, never in
  // exponent form), without looking for its digits again.
  if (!(std::fabs(shown) < 1e9)) return formatGeneral(shown);
  if (cut->v == 0) return "0";
  return generalText(wholeNumberDigits(static_cast<unsigned long long>(std::fabs(cut->v)), cut->k, cut->v < 0));
}

}  // namespace

double applyFormat(ValueFormat format, double x) {
  if (const auto cut = cutValue(format, x, 0)) return cut->v / powersOfTen[cut->k];
  return x;
}

std::string formatValue(ValueFormat format, double x) { return formatCut(format, x, 0); }

std::string formatValue(ValueFormat format, double x, int extra) { return formatCut(format, x, extra); }

}  // namespace pedivo
