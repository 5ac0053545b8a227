#pragma once
// Where the texts of a dimensioned sheet stand, as a drafter sets them: centred over their line
// where they fit, the texts of short dimensions beyond an end or on the other side of the line,
// and where neighbours still crowd each other, staggered into rows away from the part with a
// short leader from the dimension line. A text keeps clear of every other text, and of the lines
// of the drawing where any place allows it.

#include "design/drawing/drawing.h"

namespace pedivo::drawing {

// A dimension text's centre stands this far from its line, of the text height: the text clear of
// the line by a little under a third of its height.
inline constexpr double textBesideLine = 0.8;
// Staggered rows of dimension texts stand this far apart, of the text height.
inline constexpr double staggeredRowPitch = 1.2;

// Places every dimension text of the drawing; run once the whole sheet is drawn, before its notes.
void arrangeDimensionTexts(Drawing& drawing);

// How far a dimension's text stands from its line beyond the usual place beside it: 0 for a
// text beside its line, positive for a text staggered into a row further out (reached by a leader).
double staggeredBy(const Dimension& dimension, double textHeight);

}  // namespace pedivo::drawing
