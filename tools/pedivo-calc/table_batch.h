#pragma once
// pedivo-calc --csv: a table of designs in, a table of results out (and with --xlsx a workbook),
// each row written as soon as it and the rows before it are designed.

#include "options.h"

namespace pedivo::calc {

// The exit status: 0; 1 when a row failed; 2 when the table cannot be read or a result cannot be
// written.
int designTable(const Options& options);

}  // namespace pedivo::calc
