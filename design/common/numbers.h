#pragma once
// Reading typed numbers and writing numbers as the windows and reports show them.
// Everything here is locale-free: the decimal point is "." whatever the desktop says.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pedivo {

// Reads a plain decimal number: surrounding blanks ignored, optional sign, digits with an
// optional decimal point, optional exponent. Empty text, "inf", "nan", hexadecimal forms and
// values beyond the range of a double give no value.
std::optional<double> parseNumber(std::string_view text);

// The message shown when a typed text is not a number.
std::string notANumberMessage(std::string_view text);

// A decimal number as digits: -1.25E-7 is negative, digits "125", exponent -7 (that of the first
// digit). Zero is the single digit "0".
struct DecimalDigits {
  bool negative = false;
  std::array<char, 24> digits{};  // without trailing zeros
  std::size_t count = 0;
  int exponent = 0;
};

// The fewest significant digits that read back exactly as x (finite).
DecimalDigits shortestDigits(double x);

// The digits of x rounded to 15 significant digits, without trailing zeros (finite x).
DecimalDigits fifteenDigits(double x);

// The digits of v·10^-decimals, for a whole number v.
DecimalDigits wholeNumberDigits(unsigned long long v, int decimals, bool negative);

// Digits in the general number format below: plain, or exponent form below 1E-4 and from 1E15.
std::string generalText(const DecimalDigits& digits);

// General number format: 15 significant digits, shortest text, no thousands separators;
// exponent form ("1E-5", "2.5E15") below 0.0001 and from 1E15 on.
std::string formatGeneral(double x);

// The square of a whole value, such as (hb/2 − tf/2)², as a product: every build then gives the
// same last digit. Inside a chain of factors a power is written out (α·q·a² is α·q·a·a), so that
// the chain keeps its order from left to right.
constexpr double square(double x) { return x * x; }

// Whole part toward zero, on doubles (never through an integer cast).
double trunc(double x);

// Trunc(x * 10^k) / 10^k: decimals beyond k are cut off, not rounded.
double cutDecimals(double x, int k);

// To a multiple of 10, up only from a whole millimetre past one: 10 * Trunc((x + 9) / 10)
// (491 gives 500, 490.9 gives 490). The plate plan's sides are rounded so.
double roundToTenPastOne(double x);

// To a multiple of 10, up only from two millimetres past one: 10 * Trunc((x + 8) / 10)
// (492 gives 500, 491.9 gives 490). The channel's diaphragm height is rounded so.
double roundToTenPastTwo(double x);

// To a multiple of 5, down, and up only from 0.6 below the next one: 5 * Trunc((x + 0.4) / 5)
// (84.5 gives 80, 84.6 gives 85). The plate layout's a and c take the plan's growth so.
double roundDownToFive(double x);

// Up to a multiple of 10 for any fraction: 10 * ⌈x / 10⌉ (1130.25 gives 1140).
double ceilToTen(double x);

// Up to an even whole number: 2 * Trunc((x + 1.9) / 2).
double roundUpToEven(double x);

// To an even whole number, up only past half a millimetre: 2 * Trunc((x + 1.5) / 2)
// (8.4 gives 8, 8.6 gives 10).
double roundToEvenPastHalf(double x);

// Up to a whole number past a tenth: Trunc(x + 0.9) (20.1 gives 20, 20.2 gives 21).
double roundUpToWhole(double x);

// Up to a whole number past a hundredth: Trunc(x + 0.99) (20.01 gives 20, 20.02 gives 21).
double roundUpToWholePastHundredth(double x);

}  // namespace pedivo
