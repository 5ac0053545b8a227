#include "design/common/value_format.h"

#include <charconv>
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

// The whole number v with the point set k places from the right, trailing zeros dropped.
std::string decimalText(double v, int k) {
  char buffer[32];
  char* p = buffer;
  if (v < 0) *p++ = '-';
  const auto digits = static_cast<unsigned long long>(std::fabs(v));
  char whole[24];
  const auto length = static_cast<int>(std::to_chars(whole, whole + sizeof whole, digits).ptr - whole);
  int last = length;  // one past the last digit shown
  while (last > length - k && last > 0 && whole[last - 1] == '0') --last;
  const int pointAt = length - k;  // digits before the point
  if (pointAt <= 0) {
    *p++ = '0';
    if (last > 0) {
      *p++ = '.';
      for (int i = pointAt; i < 0; ++i) *p++ = '0';
      for (int i = 0; i < last; ++i) *p++ = whole[i];
    }
  } else {
    for (int i = 0; i < pointAt; ++i) *p++ = whole[i];
    if (last > pointAt) {
      *p++ = '.';
      for (int i = pointAt; i < last; ++i) *p++ = whole[i];
    }
  }
  return std::string(buffer, p);
}

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
  return decimalText(cut->v, cut->k);
}

}  // namespace pedivo
