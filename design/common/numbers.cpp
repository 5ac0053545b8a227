#include "design/common/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <system_error>

namespace pedivo {
namespace {

bool isBlank(std::string_view s, std::size_t pos, std::size_t& width) {
  if (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\r' || s[pos] == '\n') {
    width = 1;
    return true;
  }
  // Ideographic space (U+3000), typed by Chinese input methods.
  if (s.substr(pos, 3) == "\xE3\x80\x80") {
    width = 3;
    return true;
  }
  return false;
}

std::string_view trimBlanks(std::string_view s) {
  // Most texts start and end with a digit: nothing to trim. An ideographic space starts with
  // 0xE3 and ends with 0x80.
  const auto mayBeBlank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xE3' || c == '\x80';
  };
  if (s.empty() || (!mayBeBlank(s.front()) && !mayBeBlank(s.back()))) return s;
  std::size_t width = 0;
  while (!s.empty() && isBlank(s, 0, width)) s.remove_prefix(width);
  bool trimmed = true;
  while (!s.empty() && trimmed) {
    trimmed = false;
    if (isBlank(s, s.size() - 1, width)) {
      s.remove_suffix(1);
      trimmed = true;
    } else if (s.size() >= 3 && isBlank(s, s.size() - 3, width) && width == 3) {
      s.remove_suffix(3);
      trimmed = true;
    }
  }
  return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// sign? (digits ("." digits?)? | "." digits) (("e"|"E") sign? digits)?
bool isPlainDecimal(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++mantissaDigits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == s.size();
}

// A text of at most 15 digits with an optional sign and point and no exponent, as entries and
// the sizes written back are typed: its digits as a whole number m below 2^53 and 10^f for its f
// decimals are both exact doubles, so m / 10^f is the correctly rounded value, the same double
// from_chars gives. Nothing for any other text.
std::optional<double> shortDecimal(std::string_view s) {
  constexpr int mostDigits = 15;
  constexpr std::array<double, mostDigits + 1> powersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;
  std::uint64_t whole = 0;
  int digits = 0, decimals = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.' && !point) {
      point = true;
    } else if (isDigit(c) && digits < mostDigits) {
      whole = 10 * whole + static_cast<std::uint64_t>(c - '0');
      ++digits;
      if (point) ++decimals;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  const double value = static_cast<double>(whole) / powersOfTen[static_cast<std::size_t>(decimals)];
  return negative ? -value : value;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
  std::string_view s = trimBlanks(text);
  if (const auto quick = shortDecimal(s)) return quick;
  if (!isPlainDecimal(s)) return std::nullopt;
  if (s.front() == '+') s.remove_prefix(1);  // from_chars takes no plus sign
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string notANumberMessage(std::string_view text) {
  return "\xE2\x80\x9C" + std::string(text) + "\xE2\x80\x9D不是有效的数值";
}

namespace {

// Reads to_chars' scientific text "-d.ddde+XX" into its digits and exponent.
void readScientific(const char* first, const char* last, DecimalDigits& d) {
  d = DecimalDigits{};
  const char* p = first;
  d.negative = *p == '-';
  if (d.negative) ++p;
  for (; p < last && *p != 'e'; ++p)
    if (*p != '.') d.digits[d.count++] = *p;
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  if (p < last) ++p;  // 'e'
  const bool negativeExponent = p < last && *p == '-';
  if (p < last && (*p == '-' || *p == '+')) ++p;
  for (; p < last; ++p) d.exponent = 10 * d.exponent + (*p - '0');
  if (negativeExponent) d.exponent = -d.exponent;
}

// x rounded to 15 significant digits.
void roundToFifteenDigits(double x, DecimalDigits& d) {
  std::array<char, 48> text;
  const auto end = std::to_chars(text.data(), text.data() + text.size(), x, std::chars_format::scientific, 14).ptr;
  readScientific(text.data(), end, d);
}

// A value below 1E9 that is written with at most six decimals. Below 1E9 two numbers of six
// decimals are further apart than x's rounding interval is wide, and x·10^6 lies within 0.25 of
// the whole number v it stands for; so when v/10^6 reads back as x, v·10^-6 is the one six-decimal
// text that does, and without v's trailing zeros it is the shortest text of x. Otherwise no text
// of six decimals or fewer reads back as x.
struct ScaledWhole {
  unsigned long long v;
  int decimals;
};

std::optional<ScaledWhole> fewDecimals(double x) {
  const double a = std::fabs(x);
  if (!(a < 1e9)) return std::nullopt;
  // Whole values, the most common, need no division.
  const auto whole = static_cast<unsigned long long>(a);
  if (static_cast<double>(whole) == a) return ScaledWhole{whole, 0};
  // Below 1E15, so v is exact; a cut after adding a half finds it.
  const auto v = static_cast<unsigned long long>(a * 1e6 + 0.5);
  if (static_cast<double>(v) / 1e6 != a) return std::nullopt;
  return ScaledWhole{v, 6};
}

}  // namespace

DecimalDigits wholeNumberDigits(unsigned long long v, int decimals, bool negative) {
  DecimalDigits d;
  d.negative = negative;
  if (v == 0) {
    d.digits[0] = '0';
    d.count = 1;
    return d;
  }
  const auto end = std::to_chars(d.digits.data(), d.digits.data() + d.digits.size(), v).ptr;
  const auto length = static_cast<int>(end - d.digits.data());
  d.count = static_cast<std::size_t>(length);
  while (d.digits[d.count - 1] == '0') --d.count;
  d.exponent = length - 1 - decimals;
  return d;
}

DecimalDigits shortestDigits(double x) {
  if (const auto scaled = fewDecimals(x)) return wholeNumberDigits(scaled->v, scaled->decimals, std::signbit(x));
  DecimalDigits d;
  std::array<char, 48> text;
  const auto end = std::to_chars(text.data(), text.data() + text.size(), x, std::chars_format::scientific).ptr;
  readScientific(text.data(), end, d);
  return d;
}

std::string generalText(const DecimalDigits& d) {
  std::array<char, 48> out;
  char* p = out.data();
  const auto put = [&p](const char* from, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) *p++ = from[i];
  };
  const auto zeros = [&p](std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) *p++ = '0';
  };
  if (d.negative) *p++ = '-';
  if (d.exponent < -4 || d.exponent >= 15) {
    *p++ = d.digits[0];
    if (d.count > 1) {
      *p++ = '.';
      put(d.digits.data() + 1, d.count - 1);
    }
    *p++ = 'E';
    p = std::to_chars(p, out.data() + out.size(), d.exponent).ptr;
  } else if (d.exponent < 0) {
    put("0.", 2);
    zeros(static_cast<std::size_t>(-d.exponent - 1));
    put(d.digits.data(), d.count);
  } else {
    const auto intDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.count <= intDigits) {
      put(d.digits.data(), d.count);
      zeros(intDigits - d.count);
    } else {
      put(d.digits.data(), intDigits);
      *p++ = '.';
      put(d.digits.data() + intDigits, d.count - intDigits);
    }
  }
  return std::string(out.data(), p);
}

// The shortest text that reads back as x is the 15-digit rounding whenever it has at most 15
// digits (the usual case); otherwise round to 15 significant digits.
DecimalDigits fifteenDigits(double x) {
  DecimalDigits d = shortestDigits(x);
  if (d.count > 15) roundToFifteenDigits(x, d);
  return d;
}

std::string formatGeneral(double x) {
  if (!std::isfinite(x)) return std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF");
  if (x == 0.0) return "0";
  return generalText(fifteenDigits(x));
}

double trunc(double x) { return std::trunc(x); }

double cutDecimals(double x, int k) {
  static constexpr double powersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  const double scale = k >= 0 && k < static_cast<int>(std::size(powersOfTen)) ? powersOfTen[k] : std::pow(10.0, k);
  return std::trunc(x * scale) / scale;
}

double roundToTenPastOne(double x) { return 10.0 * std::trunc((x + 9.0) / 10.0); }

double roundToTenPastTwo(double x) { return 10.0 * std::trunc((x + 8.0) / 10.0); }

double roundDownToFive(double x) { return 5.0 * std::trunc((x + 0.4) / 5.0); }

double ceilToTen(double x) { return 10.0 * std::ceil(x / 10.0); }

double roundUpToEven(double x) { return 2.0 * std::trunc((x + 1.9) / 2.0); }

double roundToEvenPastHalf(double x) { return 2.0 * std::trunc((x + 1.5) / 2.0); }

double roundUpToWhole(double x) { return std::trunc(x + 0.9); }

double roundUpToWholePastHundredth(double x) { return std::trunc(x + 0.99); }

}  // namespace pedivo
