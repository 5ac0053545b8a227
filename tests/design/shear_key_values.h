#pragma once
// A design's held values with an HW150×150×7×10 shear key set over its own, for drawing tests.

#include <string>
#include <vector>

#include "tests/design/design_probe.h"

namespace pedivo::testing {

inline void setShearKey150(std::vector<NamedValue>& values, double embedment, double grout) {
  setHeld(values, "keyh", 150.0);
  setHeld(values, "keyb", 150.0);
  setHeld(values, "keytw", 7.0);
  setHeld(values, "keytf", 10.0);
  setHeld(values, "hk", embedment);
  setHeld(values, "tg", grout);
  setHeld(values, "keyName", std::string("HW150×150×7×10"));
}

}  // namespace pedivo::testing
