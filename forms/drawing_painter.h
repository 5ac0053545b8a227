#pragma once
// The drawing painted into SVG and PNG files, by the painter of the window and the report.

#include <QString>
#include <optional>

#include "forms/paint_drawing.h"

namespace pedivo::forms {

// Writes an SVG or PNG file (by the name's ending); returns the reason when it cannot.
std::optional<QString> writeDrawingPicture(const drawing::Drawing& drawing, const QString& path);

}  // namespace pedivo::forms
