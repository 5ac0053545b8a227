#pragma once
// Rows of given sizes that several base types take under the same name and caption, joined into
// a type's own table with joinSizes: the plate's plan and thickness, and the stiffener beside a
// tension bolt with its weld leg.

#include "design/common/check_mode.h"

namespace pedivo {

template <class Held>
inline constexpr SizeField<Held> plateSizeRows[] = {
    {"L", &Held::L, "底板长度L"},
    {"B", &Held::B, "底板宽度B"},
    {"tpb", &Held::tpb, "底板厚度t"},
};

template <class Held>
inline constexpr SizeField<Held> boltStiffenerSizeRows[] = {
    {"hjjl", &Held::hjjl, "锚栓加劲肋高度hs"},
    {"tjjl", &Held::tjjl, "锚栓加劲肋厚度ts"},
    {"hf3", &Held::hf3, "锚栓加劲肋焊脚高度"},
};

}  // namespace pedivo
