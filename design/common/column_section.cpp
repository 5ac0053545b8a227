#include "design/common/column_section.h"

namespace pedivo {

ColumnSection readColumnSection(const Entries& e) {
  return {readNumber(e, "Edthc"), readNumber(e, "Edtbf"), readNumber(e, "Edttw"), readNumber(e, "Edttf")};
}

double readAxialForceAsTyped(const Entries& e) { return readNumber(e, "EdtN") * newtonsPerKilonewton; }

double readShear(const Entries& e) { return readNumber(e, "EdtV") * newtonsPerKilonewton; }

double readMoment(const Entries& e) { return readNumber(e, "EdtM") * newtonMillimetresPerKilonewtonMetre; }

}  // namespace pedivo
