#pragma once
// The held values the four rigid exposed bases list first and alike: the forces, the column
// section, the bolt and the plate layout and plan, under the names of ExposedRigidHeld.

#include <span>
#include <vector>

#include "design/common/calculation.h"

namespace pedivo::rigidbase {

template <class Held>
inline const HeldField<Held> planFields[] = {
    {"N", &Held::N},     {"M", &Held::M},       {"V", &Held::V},   {"hb", &Held::hb},
    {"bf", &Held::bf},   {"tw", &Held::tw},     {"tf", &Held::tf}, {"n", &Held::n},
    {"dms", &Held::dms}, {"Aems", &Held::Aems}, {"a", &Held::a},   {"c", &Held::c},
    {"lt", &Held::lt},   {"bt", &Held::bt},     {"L", &Held::L},   {"B", &Held::B},
};

// The plan's values, then the base's `fields`.
template <class Held>
std::vector<NamedValue> listWithPlan(std::span<const HeldField<Held>> fields, const Held& held) {
  std::vector<NamedValue> list = listValues(planFields<Held>, held);
  const std::vector<NamedValue> own = listValues(fields, held);
  list.insert(list.end(), own.begin(), own.end());
  return list;
}

// The numbers of that list, for the overflow guard.
template <class Held>
void scanWithPlan(std::span<const HeldField<Held>> fields, const Held& held, HeldNumbersScan& scan) {
  scanValues(planFields<Held>, held, scan);
  scanValues(fields, held, scan);
}

}  // namespace pedivo::rigidbase
