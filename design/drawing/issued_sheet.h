#pragma once
// The sheet a drafter issues for one design: the base's views at 1:5, 1:10 or 1:20 on an A3
// sheet (420 × 297 mm) in its frame, with the title block from the project, the bolt table, the
// parts list and the general notes in a column on the right. Texts stand 3.5 mm high on the
// plotted sheet, the drawing's name 5 mm; the DXF's dimension style writes dimensions 2.5 mm.

#include <string_view>
#include <variant>

#include "design/common/design_session.h"
#include "design/drawing/base_drawing.h"

namespace pedivo::drawing {

inline constexpr const char* sheetName = "柱脚详图";

// Refused, as drawDesign is, unless the session holds a completed design. `version` is the
// software's, for the title block.
std::variant<Drawing, DrawingRefusal> drawIssuedSheet(const DesignSession& session, std::string_view version);

// Every primitive of the drawing moved by (dx, dy).
void translate(Drawing& drawing, double dx, double dy);

}  // namespace pedivo::drawing
