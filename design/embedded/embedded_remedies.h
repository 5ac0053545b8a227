#pragma once
// The embedded base designs no steel part of its own (the column is not counted), and its depth
// is found by the calculation: its remedies say what moves the depth.

#include "design/common/type_binding.h"
#include "design/embedded/embedded.h"

namespace pedivo::embedded {

extern const TypeRemedies<EmbeddedHeld> embeddedRemedies;

}  // namespace pedivo::embedded
