#include "design/common/value_format.h"

#include <cmath>

#include "design/common/numbers.h"

namespace pedivo {

double applyFormat(ValueFormat format, double x) {
  switch (format) {
    case ValueFormat::Plain: return x;
    case ValueFormat::Cut2: return cutDecimals(x, 2);
    case ValueFormat::Cut3: return cutDecimals(x, 3);
    case ValueFormat::KN2: return std::trunc(x / 10.0) / 100.0;
    case ValueFormat::KN3: return std::trunc(x) / 1000.0;
    case ValueFormat::KNm3: return std::trunc(x / 1000.0) / 1000.0;
    case ValueFormat::Whole: return std::trunc(x);
  }
  return x;
}

std::string formatValue(ValueFormat format, double x) { return formatGeneral(applyFormat(format, x)); }

}  // namespace pedivo
