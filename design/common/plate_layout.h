#pragma once
// The base plate's detailing distances a, c, lt, bt: from the anchor-bolt table when the window's
// "底板尺寸按构造要求选取" is ticked, otherwise the user's own sizes; the bolt's effective area
// comes from the table either way.

#include "design/common/module.h"

namespace pedivo {

struct PlateLayout {
  double Aems, a, c, lt, bt;
};

PlateLayout plateLayout(const Entries& entries, int dms);

}  // namespace pedivo
