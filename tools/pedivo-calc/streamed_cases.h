#pragma once
// pedivo-calc's usual mode: every JSON Lines case designed on the worker threads, one output line
// each, in input order.

#include <string>
#include <vector>

#include "line_options.h"

namespace pedivo::calc {

// The exit status: 0, 1 when a case or an input file failed, 2 when the output could not be written.
// Each line holds what `options` ask for besides the design.
int designStreamedCases(const std::vector<std::string>& inputs, LineOptions options);

}  // namespace pedivo::calc
