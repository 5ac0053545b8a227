#pragma once
// The drawing as a report prints it: a picture as wide as the text of an A4 page, or narrower
// where the sheet is tall, with a margin round the sheet. The painter and the drawings' text
// heights both follow these figures, so that every text reads on the printed page.

#include <string>

#include "design/drawing/drawing.h"

namespace pedivo::drawing {

// The text of an A4 page with its usual margins is 160 mm wide; a picture kept under 200 mm
// high leaves room for its caption and the page's header on the same page.
inline constexpr double reportTextWidthMm = 160;
inline constexpr double reportTallestPictureMm = 200;
// Of the picture's width and height, left blank on each side round the sheet.
inline constexpr double pictureMargin = 0.03;
// Drawing standards want digits at least 2.5 mm high on paper. A text's height here is its
// font's size, whose digits stand 0.76 of it high in the CJK sans-serif the painter uses:
// 3.5 mm of font size prints digits 2.66 mm high (and Chinese characters at the 3.5 mm the
// standards ask for them).
inline constexpr double smallestPrintedTextMm = 3.5;

struct PrintedSize {
  double widthMm = 0, heightMm = 0;
};

// The picture's size on the page for a sheet of this extent.
PrintedSize printedSize(const Extent& sheet);

// Millimetres on the page of one millimetre of the sheet, inside the margin.
double printedScale(const Extent& sheet);

// The drawing's text height on the printed page.
double printedTextHeight(const Drawing& drawing);

// Two dimension texts of the drawing stand on each other.
bool dimensionTextsOverlap(const Drawing& drawing);

// The caption under the picture: "柱脚图：两锚栓铰接柱脚（尺寸单位：mm）".
std::string pictureCaption(const Drawing& drawing);

}  // namespace pedivo::drawing
