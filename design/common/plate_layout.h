#pragma once
// The base plate's detailing distances a, c, lt, bt: from the anchor-bolt table when the window's
// "底板尺寸按构造要求选取" is ticked, otherwise the user's own sizes; the bolt's effective area
// comes from the table either way.

#include <array>
#include <optional>

#include "design/common/module.h"

namespace pedivo {

struct PlateLayout {
  double Aems, a, c, lt, bt;
};

PlateLayout plateLayout(const Entries& entries, int dms);

// The user's sizes a, c, lt, bt as typed, read once for a design that tries many bolts; none
// where the detailing box is ticked. A text that is no number stops the calculation, as in
// plateLayout.
using TypedPlateSizes = std::optional<std::array<double, 4>>;
TypedPlateSizes readTypedPlateSizes(const Entries& entries);
PlateLayout plateLayout(const TypedPlateSizes& typed, int dms);

}  // namespace pedivo
