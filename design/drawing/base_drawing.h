#pragma once
// The drawing of a designed base, from a design session: the plan and the elevations of the base
// type with its designed sizes, dimensioned with the texts the result window shows.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/common/design_session.h"
#include "design/drawing/design_facts.h"
#include "design/drawing/drawing.h"

namespace pedivo::drawing {

inline constexpr const char* notDesignedMessage = "尚无完成的设计，不能绘制柱脚图：请先计算，并使计算完成。";

struct DrawingRefusal {
  std::string message;
};

// Refused unless the session holds a completed design. Its texts are high enough to read in the
// report (printed_sheet.h); notes under the views say when the design fails a check or its
// entries have changed since.
std::variant<Drawing, DrawingRefusal> drawDesign(const DesignSession& session);

// The drawing of a base type ("j1" … "gc") from its held values and their texts, its texts
// `textScale` times the sheet's usual height; `stacked` puts the elevation across the moment above
// the other one, as the report's page, taller than wide, has room for.
Drawing drawBase(std::string_view moduleId, const DesignFacts& facts, double textScale = 1, bool stacked = false);

// What a sheet says under its views: a design drawn from entries since changed, and the checks it
// fails.
std::vector<std::string> sheetNotes(const DesignSession& session);

// A note broken into lines of at most `width` at text height `height`, between characters.
std::vector<std::string> noteLines(const std::string& note, double height, double width);

}  // namespace pedivo::drawing
