#pragma once
// A drawing as an AutoCAD R2000 DXF file, in millimetres, one layer a kind of part. Kept apart
// from the engine: this is the only code that needs dxflib.
//
// An R2000 file holds its strings in the drawing's code page, named by $DWGCODEPAGE; UTF-8 files
// begin with R2007, which dxflib cannot write. Chinese texts and layer names are therefore written
// in GBK under $DWGCODEPAGE ANSI_936, which AutoCAD, ZWCAD, BricsCAD, LibreCAD and ezdxf all
// convert on reading, on any system. The \U+XXXX escapes are kept for the rare character GBK
// lacks: readers decode them in texts, but not every reader decodes them in layer names.
// Below the drawing a small text names the program's version that wrote it. Dimensions are
// DIMENSION entities, each with the block that draws it, in a dimension style of the sheet's scale.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "design/drawing/drawing.h"

namespace pedivo::drawing {

// A UTF-8 text in the file's code page: GBK, with \U+XXXX for a character GBK lacks.
std::string dxfText(std::string_view utf8);

// The sheet's plotting scale, 1:scale: the drawing's own, else the one at which its texts plot
// 3.5 mm high.
double plottingScale(const Drawing& drawing);

// Writes the file whole or not at all; returns the reason (in Chinese) when it cannot.
std::optional<std::string> writeDxf(const Drawing& drawing, const std::filesystem::path& path);

}  // namespace pedivo::drawing
