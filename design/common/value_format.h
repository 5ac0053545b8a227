#pragma once
// The ways a held value is written into a result field or a report. A cut format cuts the
// decimal value the number stands for: the value rounded to 15 significant digits (0.101 held as
// 0.10099999999999999 is 0.101), so that a checker who redoes a sum with the printed number gets
// the printed result.

#include <string>

namespace pedivo {

enum class ValueFormat {
  Plain,  // the value in the general number format
  Cut2,   // two decimals cut off: Trunc(x*100)/100
  Cut3,   // three decimals cut off: Trunc(x*1000)/1000
  KN2,    // N shown in kN with two decimals cut: Trunc(x/10)/100
  KN3,    // N shown in kN with three decimals cut: Trunc(x)/1000
  KNm3,   // N·mm shown in kN·m with three decimals cut: Trunc(x/1000)/1000
  Whole,  // whole part toward zero: Trunc(x)
};

double applyFormat(ValueFormat format, double x);
std::string formatValue(ValueFormat format, double x);
// The same format with `extra` more decimals cut (none more for the general format).
std::string formatValue(ValueFormat format, double x, int extra);

}  // namespace pedivo
