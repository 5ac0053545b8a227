#include "design/common/value_format.h"

#include <cmath>
#include <optional>

#include "design/common/numbers.h"

namespace pedivo {
namespace {

// A format that cuts x to k decimals, as the whole number v = x·10^k cut toward zero.
struct CutValue {
  double v;
  int k;
};

std::optional<CutValue> cutValue(ValueFormat format, double x) {
  switch (format) {
    case ValueFormat::Plain: return std::nullopt;
    case ValueFormat::Cut2: return CutValue{std::trunc(x * 100.0), 2};
    case ValueFormat::Cut3: return CutValue{std::trunc(x * 1000.0), 3};
    case ValueFormat::KN2: return CutValue{std::trunc(x / 10.0), 2};
    case ValueFormat::KN3: return CutValue{std::trunc(x), 3};
    case ValueFormat::KNm3: return CutValue{std::trunc(x / 1000.0), 3};
    case ValueFormat::Whole: return CutValue{std::trunc(x), 0};
  }
  return std::nullopt;
}

constexpr double powersOfTen[] = {1, 10, 100, 1000};

}  // namespace

double applyFormat(ValueFormat format, double x) {
  if (const auto cut = cutValue(format, x)) return cut->v / powersOfTen[cut->k];
  return x;
}

// A cut value below 1E9 is written straight from the whole number it was cut to: that text is the
// one the general format finds for v/10^k (at most three decimals, well within 15 digits, never in
// exponent form), without looking for its digits again.
std::string formatValue(ValueFormat format, double x) {
  const auto cut = cutValue(format, x);
  if (!cut) return formatGeneral(x);
  const double shown = cut->v / powersOfTen[cut->k];
  if (!(std::fabs(shown) < 1e9)) return formatGeneral(shown);
  if (cut->v == 0) return "0";
  return generalText(wholeNumberDigits(static_cast<unsigned long long>(std::fabs(cut->v)), cut->k, cut->v < 0));
}

}  // namespace pedivo
