#pragma once
// The drawing of each family of base types from its held values.

#include "design/drawing/design_facts.h"
#include "design/drawing/drawing.h"

namespace pedivo::drawing {

// `textScale` enlarges the sheet's usual text height (sheetTextHeight); `stacked` puts the
// elevation across the moment above the other one, for a page taller than wide.
Drawing drawPinnedBase(const DesignFacts& facts, bool withStiffeners, double textScale);
Drawing drawRigidPlateBase(const DesignFacts& facts, int boltsInRow, double textScale, bool stacked);
Drawing drawTBootBeamBase(const DesignFacts& facts, double textScale, bool stacked);
Drawing drawChannelBootBeamBase(const DesignFacts& facts, double textScale, bool stacked);
Drawing drawEmbeddedBase(const DesignFacts& facts, double textScale);

// Texts every family writes the same way.
std::string weldText(const std::string& leg);                       // "角焊缝 hf=8"
std::string boltNote(int count, const std::string& diameter, double dms);  // "锚栓 4-M24，孔径 25.5"
// A measured distance: the held value's shown text where the drawing measures exactly that value.
std::string distanceText(const DesignFacts& facts, double distance, std::string_view field, std::string_view name);

}  // namespace pedivo::drawing
