#pragma once
// The value of a line of arithmetic as a report prints it: numbers, ×, /, +, −, ², ³, brackets
// and √( … ), with × and / before + and −. A checker redoing a printed sum gets this value.

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pedivo::testing {

class PrintedArithmetic {
 public:
  // The value of the text after the last " = " of `line` (all of it when there is none); NaN
  // where the text is not such arithmetic.
  static double valueOf(std::string_view line) {
    const std::size_t equals = line.rfind(" = ");
    PrintedArithmetic parse(equals == std::string_view::npos ? line : line.substr(equals + 3));
    const double value = parse.sum();
    return parse.rest_.empty() ? value : std::nan("");
  }

 private:
  explicit PrintedArithmetic(std::string_view text) : rest_(text) {}

  bool take(std::string_view symbol) {
    if (!rest_.starts_with(symbol)) return false;
    rest_.remove_prefix(symbol.size());
    return true;
  }
  double sum() {
    double value = product();
    while (true) {
      if (take(" + ")) value += product();
      else if (take(" − ")) value -= product();
      else return value;
    }
  }
  double product() {
    double value = power();
    while (true) {
      if (take("×")) value *= power();
      else if (take("/")) value /= power();
      else return value;
    }
  }
  double power() {
    double value = primary();
    while (true) {
      if (take("²")) value = value * value;
      else if (take("³")) value = value * value * value;
      else return value;
    }
  }
  double primary() {
    if (take("√(")) return std::sqrt(closed(sum()));
    if (take("(−")) return -closed(sum());
    if (take("(")) return closed(sum());
    const std::string digits(rest_.substr(0, rest_.find_first_not_of("0123456789.")));
    if (digits.empty()) return fail();
    rest_.remove_prefix(digits.size());
    return std::strtod(digits.c_str(), nullptr);
  }
  double closed(double value) { return take(")") ? value : fail(); }
  double fail() {
    rest_ = "?";  // nothing more parses, and valueOf sees text left over
    return std::nan("");
  }

  std::string_view rest_;
};

}  // namespace pedivo::testing
