#pragma once
// One case of the headless calculator: JSON in, JSON out, through the same session the input
// windows use.

#include <nlohmann/json.hpp>
#include <string>

#include "design/common/design_session.h"

namespace pedivo::calc {

struct CaseResult {
  std::string output;                            // the line to print, without its line end
  bool failed = false;                           // the case could not be read
  std::optional<std::string> moduleId;           // for --report
  std::vector<TagText> report;                   // tag texts at the end of the case, when asked for
};

// {"error": message}
std::string errorLine(const std::string& message);

// Runs one JSON Lines case; never throws.
CaseResult runCase(const std::string& line, bool withReport = false);

}  // namespace pedivo::calc
