#pragma once
// pedivo-calc --csv: a table of designs in, a table of results out (and with --xlsx a workbook),
// each row written as soon as it and the rows before it are designed; with --report-dir a report
// of every row besides, painted by `paint`.

#include "design/files/design_report.h"
#include "options.h"

namespace pedivo::calc {

// The exit status: 0; 1 when a row failed; 2 when the table cannot be read or a result or report
// cannot be written.
int designTable(const Options& options, const PicturePainter& paint = {});

}  // namespace pedivo::calc
