#pragma once
// One case of the headless calculator: JSON in, JSON out, through the same session the input
// windows use.

#include <nlohmann/json.hpp>
#include <string>

#include "design/common/design_session.h"

namespace pedivo::calc {

struct CaseResult {
  nlohmann::ordered_json output;                 // the line to print
  bool failed = false;                           // the case could not be read
  std::optional<std::string> moduleId;           // for --report
  std::vector<TagText> report;                   // tag texts at the end of the case
};

// Runs one JSON Lines case; never throws.
CaseResult runCase(const std::string& line);

}  // namespace pedivo::calc
