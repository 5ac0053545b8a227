#pragma once
// pedivo-calc --report / --dxf: the input holds a single case, whose line is written as usual and
// whose report (with the picture `paint` makes of its drawing) and drawing are written to the
// files named.

#include "design/files/design_report.h"
#include "options.h"

namespace pedivo::calc {

// The exit status: 0; 1 when the case failed or its design did not complete (no drawing); 2 when
// the input does not hold exactly one case, an input file cannot be opened or a file cannot be
// written.
int designSingleCase(const Options& options, const PicturePainter& paint = {});

}  // namespace pedivo::calc
