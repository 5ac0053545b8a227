#include "design/common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "design/common/value_format.h"

namespace pedivo {
namespace {

TEST(NumberReading, AcceptsPlainDecimalsWithBlanksSignsAndExponents) {
  EXPECT_EQ(parseNumber("450"), 450.0);
  EXPECT_EQ(parseNumber("  12.5\t"), 12.5);
  EXPECT_EQ(parseNumber(" 12"), 12.0);  // one blank at a time: an odd count leaves no digit behind
  EXPECT_EQ(parseNumber("\t\t\t7"), 7.0);
  EXPECT_EQ(parseNumber("\xE3\x80\x80" "80" "\xE3\x80\x80"), 80.0);  // ideographic spaces
  EXPECT_EQ(parseNumber("+5"), 5.0);
  EXPECT_EQ(parseNumber("-10"), -10.0);
  EXPECT_EQ(parseNumber("-.5"), -0.5);
  EXPECT_EQ(parseNumber("5."), 5.0);
  EXPECT_EQ(parseNumber("1e3"), 1000.0);
  EXPECT_EQ(parseNumber("2.5E-2"), 0.025);
  EXPECT_EQ(parseNumber("1E+2"), 100.0);
}

TEST(NumberReading, RefusesTextThatIsNotAPlainDecimalNumber) {
  for (const char* text : {"", "   ", "abc", "12a", "1,5", "1.2.3", "inf", "-inf", "nan", "NaN", "infinity", "0x10",
                           "0x1p3", "1e", "e5", ".", "+", "- 5", "1e400", "-1e400", "１２"}) {
    EXPECT_FALSE(parseNumber(text).has_value()) << text;
  }
}

// Short decimals are read by a quicker route than long ones; both must give strtod's double,
// to the last bit, for every length and number of decimals either side of the switch.
TEST(NumberReading, ShortAndLongDecimalsReadToTheCorrectlyRoundedDouble) {
  std::mt19937_64 random(36);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 18);
    std::string text = random() % 4 == 0 ? "-" : "";
    const int point = static_cast<int>(random() % static_cast<std::uint64_t>(digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point && random() % 2 == 0) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    const auto read = parseNumber(text);
    ASSERT_TRUE(read.has_value()) << text;
    const double expected = std::strtod(text.c_str(), nullptr);
    EXPECT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << text;
  }
  EXPECT_TRUE(std::signbit(*parseNumber("-0")));
  EXPECT_TRUE(std::signbit(*parseNumber("-0.000")));
  EXPECT_EQ(parseNumber("0.1"), 0.1);
  EXPECT_EQ(parseNumber("999999999999999"), 999999999999999.0);
  EXPECT_EQ(parseNumber("0.000000000000001"), 1e-15);
  EXPECT_EQ(parseNumber("1234567890123456789"), 1234567890123456789.0);
}

// A number handed over as part of a longer text (a field cut from a row) ends where its view
// ends: the digits after it are never read, long or short, with a point or an exponent.
TEST(NumberReading, ReadsAViewToItsEndAndNoFurther) {
  const std::string row = "12345678901234567.25e+0799";
  EXPECT_EQ(parseNumber(std::string_view(row).substr(0, 16)), 1234567890123456.0);
  EXPECT_EQ(parseNumber(std::string_view(row).substr(0, 3)), 123.0);
  const std::string fraction = "1234567890123456.2599";
  EXPECT_EQ(parseNumber(std::string_view(fraction).substr(0, 18)), 1234567890123456.2);
  const std::string exponent = "1234567890123456e+1799";
  EXPECT_EQ(parseNumber(std::string_view(exponent).substr(0, 19)), 1234567890123456e1);
  EXPECT_EQ(parseNumber(std::string_view(exponent).substr(0, 18)), std::nullopt);  // "e+" without digits
}

TEST(NumberReading, MessageQuotesTheOffendingText) {
  EXPECT_EQ(notANumberMessage("12a"), "“12a”不是有效的数值");
  EXPECT_EQ(notANumberMessage(""), "“”不是有效的数值");
}

TEST(GeneralFormat, ShortestTextWithoutTrailingZeros) {
  EXPECT_EQ(formatGeneral(0), "0");
  EXPECT_EQ(formatGeneral(-0.0), "0");
  EXPECT_EQ(formatGeneral(500), "500");
  EXPECT_EQ(formatGeneral(11.9), "11.9");
  EXPECT_EQ(formatGeneral(-12.34), "-12.34");
  EXPECT_EQ(formatGeneral(4547.2), "4547.2");
  EXPECT_EQ(formatGeneral(0.0001), "0.0001");
  EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
}

TEST(GeneralFormat, RoundsToFifteenSignificantDigits) {
  EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
  EXPECT_EQ(formatGeneral(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(formatGeneral(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(formatGeneral(6686.399999999999), "6686.4");
  EXPECT_EQ(formatGeneral(178885333.33333334), "178885333.333333");
  EXPECT_EQ(formatGeneral(999999999999999.9), "1E15");  // rounding carries into a new digit
}

TEST(GeneralFormat, ExponentFormBelowOneTenThousandthAndFromTenToTheFifteenth) {
  EXPECT_EQ(formatGeneral(1e-5), "1E-5");
  EXPECT_EQ(formatGeneral(0.00005), "5E-5");
  EXPECT_EQ(formatGeneral(-1.25e-7), "-1.25E-7");
  EXPECT_EQ(formatGeneral(1e15), "1E15");
  EXPECT_EQ(formatGeneral(2.5e15), "2.5E15");
  EXPECT_EQ(formatGeneral(123456789012345678.0), "1.23456789012346E17");
}

// C's "%.15g" rounds to 15 significant digits, drops trailing zeros and switches to the exponent
// form at the same bounds; only the exponent is written differently ("1e-05" for "1E-5").
std::string generalByPrintf(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", x);
  std::string text = buffer;
  const auto e = text.find('e');
  if (e == std::string::npos) return text == "-0" ? "0" : text;
  return text.substr(0, e) + "E" + std::to_string(std::stoi(text.substr(e + 1)));
}

TEST(GeneralFormat, AgreesWithFifteenDigitPrintfForAnyDouble) {
  std::mt19937_64 draw(7);
  std::uniform_real_distribution<double> designSized(-1e7, 1e7);
  std::uniform_int_distribution<int> decimals(0, 7);
  for (int i = 0; i < 50000; ++i) {
    const std::uint64_t bits = draw();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    // Values as the formats leave them: whole, or cut to a few decimals.
    const double cut = cutDecimals(designSized(draw), decimals(draw));
    for (const double x : {any, cut, cut / 1e5, cut * 97, designSized(draw), std::trunc(designSized(draw))}) {
      if (!std::isfinite(x)) continue;
      ASSERT_EQ(formatGeneral(x), generalByPrintf(x)) << x;
    }
  }
}

// The cut formats write the whole number they cut to; that must be the general format of the cut
// value, for values of every size and sign.
TEST(ValueFormats, CutTextIsTheGeneralFormatOfTheCutValue) {
  std::mt19937_64 draw(11);
  std::uniform_real_distribution<double> exponent(-6, 16);
  std::uniform_int_distribution<int> sign(0, 1);
  for (int i = 0; i < 100000; ++i) {
    const double x = (sign(draw) ? -1 : 1) * std::pow(10.0, exponent(draw));
    for (const auto format : {ValueFormat::Plain, ValueFormat::Cut2, ValueFormat::Cut3, ValueFormat::KN2,
                              ValueFormat::KN3, ValueFormat::KNm3, ValueFormat::Whole}) {
      ASSERT_EQ(formatValue(format, x), formatGeneral(applyFormat(format, x))) << x << " " << static_cast<int>(format);
    }
  }
}

TEST(Roundings, CutTowardZeroNeverToNearest) {
  EXPECT_EQ(roundToTenPastOne(490), 490);
  EXPECT_EQ(roundToTenPastOne(491), 500);
  EXPECT_EQ(roundToTenPastOne(675), 680);
  // A fraction of a millimetre above a ten stays at that ten; from a whole millimetre on it goes up.
  EXPECT_EQ(roundToTenPastOne(490.9), 490);
  EXPECT_EQ(roundToTenPastOne(491.0), 500);
  EXPECT_EQ(roundToTenPastOne(499.99), 500);
  EXPECT_EQ(roundToTenPastOne(500.5), 500);
  EXPECT_EQ(roundUpToWhole(20.05), 20);
  EXPECT_EQ(roundUpToWhole(20.2), 21);
  EXPECT_EQ(roundUpToEven(6.708), 8);
  EXPECT_EQ(roundUpToEven(6.0), 6);
  // EvenUp of the boot-beam welds, and the channel's rounding that goes up only past half.
  EXPECT_EQ(roundUpToEven(7), 8);
  EXPECT_EQ(roundUpToEven(8), 8);
  EXPECT_EQ(roundUpToEven(8.2), 10);
  EXPECT_EQ(roundUpToEven(9.9), 10);
  EXPECT_EQ(roundToEvenPastHalf(7), 8);
  EXPECT_EQ(roundToEvenPastHalf(8), 8);
  EXPECT_EQ(roundToEvenPastHalf(8.4), 8);
  EXPECT_EQ(roundToEvenPastHalf(8.6), 10);
  // The layout's a and c keep their five unless the plan's growth brings them within 0.6 of the next.
  EXPECT_EQ(roundDownToFive(84.5), 80);
  EXPECT_EQ(roundDownToFive(84.6), 85);
  EXPECT_EQ(roundDownToFive(85), 85);
  EXPECT_EQ(roundDownToFive(89.59), 85);
  // The channel's diaphragm height goes up from two millimetres past a ten, its plate past a hundredth.
  EXPECT_EQ(roundToTenPastTwo(491.9), 490);
  EXPECT_EQ(roundToTenPastTwo(492), 500);
  EXPECT_EQ(roundToTenPastTwo(500), 500);
  EXPECT_EQ(roundUpToWholePastHundredth(20.005), 20);
  EXPECT_EQ(roundUpToWholePastHundredth(20.02), 21);
  EXPECT_EQ(roundUpToWholePastHundredth(21), 21);
  EXPECT_EQ(cutDecimals(0.6802721, 2), 0.68);
  EXPECT_EQ(cutDecimals(-12.345, 2), -12.34);
  // Whole numbers and more decimals than the table of scales holds.
  EXPECT_EQ(cutDecimals(2.75, 0), 2);
  EXPECT_EQ(cutDecimals(-2.75, 0), -2);
  EXPECT_EQ(cutDecimals(1.23456789, 7), 1.2345678);
}

TEST(ValueFormats, ReportFormsOfForcesMomentsAndStresses) {
  EXPECT_EQ(formatValue(ValueFormat::Plain, 4547.2), "4547.2");
  EXPECT_EQ(formatValue(ValueFormat::Cut2, 2000.456), "2000.45");
  EXPECT_EQ(formatValue(ValueFormat::Cut2, -12.345), "-12.34");
  EXPECT_EQ(formatValue(ValueFormat::Cut3, 7.883948), "7.883");
  EXPECT_EQ(formatValue(ValueFormat::Cut3, 0.133), "0.133");
  EXPECT_EQ(formatValue(ValueFormat::KN2, 123456), "123.45");
  EXPECT_EQ(formatValue(ValueFormat::KN2, 4537.5), "4.53");
  EXPECT_EQ(formatValue(ValueFormat::KN2, 41999.9), "41.99");
  EXPECT_EQ(formatValue(ValueFormat::KN3, 123456.9), "123.456");
  EXPECT_EQ(formatValue(ValueFormat::KN3, -1500.7), "-1.5");
  EXPECT_EQ(formatValue(ValueFormat::KNm3, 178885333.33), "178.885");
  EXPECT_EQ(formatValue(ValueFormat::KNm3, 173600000), "173.6");
  EXPECT_EQ(formatValue(ValueFormat::Whole, 37.45), "37");
  EXPECT_EQ(formatValue(ValueFormat::Whole, -7.9), "-7");
  EXPECT_EQ(formatValue(ValueFormat::Cut2, -0.001), "0");
}

}  // namespace
}  // namespace pedivo
