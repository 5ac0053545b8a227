#pragma once
// One step of a case as pedivo-calc reads it and a design file holds it:
// {"entries": {control: text, ...}, "cbsize": true}.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "design/common/design_session.h"

namespace pedivo {

// A case or design file presses "计算" at most this many times.
inline constexpr std::size_t mostCaseSteps = 100;
inline constexpr const char* tooManyStepsMessage = "步骤过多（最多 100 步）";

// Puts the step's texts and check box into the session; the reason when the step is not one
// (an unknown key or control, a text a list does not offer, a value that is not text).
std::optional<std::string> applyCaseStep(DesignSession& session, const nlohmann::json& step);

}  // namespace pedivo
