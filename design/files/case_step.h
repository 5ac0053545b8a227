#pragma once
// One step of a case as pedivo-calc reads it and a design file holds it:
// {"entries": {control: text, ...}, "cbsize": true}.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "design/common/design_session.h"

namespace pedivo {

// Puts the step's texts and check box into the session; the reason when the step is not one
// (an unknown key or control, a text a list does not offer, a value that is not text).
std::optional<std::string> applyCaseStep(DesignSession& session, const nlohmann::json& step);

}  // namespace pedivo
