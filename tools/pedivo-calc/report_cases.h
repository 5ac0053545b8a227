#pragma once
// pedivo-calc --report-dir with JSON Lines: every case designed in input order and its line
// written as usual, and the report of every case that could be read written into the folder,
// named by its "id" or its number among the cases, with its drawing.

#include "design/files/design_report.h"
#include "options.h"

namespace pedivo::calc {

// The exit status: 0; 1 when a case or an input file failed; 2 when the folder cannot be made, a
// report or the output cannot be written.
int designReportCases(const Options& options, const PicturePainter& paint);

}  // namespace pedivo::calc
