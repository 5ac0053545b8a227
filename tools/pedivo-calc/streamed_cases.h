#pragma once
// pedivo-calc's usual mode: every JSON Lines case designed on the worker threads, one output line
// each, in input order.

#include <string>
#include <vector>

namespace pedivo::calc {

// The exit status: 0, 1 when a case or an input file failed, 2 when the output could not be written.
// With `withAdjust`, each line also tells what 自动调整 proposes.
int designStreamedCases(const std::vector<std::string>& inputs, bool withAdjust);

}  // namespace pedivo::calc
