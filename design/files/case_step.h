#pragma once
// One step of a case as pedivo-calc reads it and a design file holds it:
// {"entries": {control: text, ...}, "cbsize": true}; and the project block beside the steps,
// "project": {"name": text, ...}.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "design/common/design_session.h"
#include "design/common/project.h"

namespace pedivo {

// A case or design file presses "计算" at most this many times.
inline constexpr std::size_t mostCaseSteps = 100;
inline constexpr const char* tooManyStepsMessage = "步骤过多（最多 100 步）";

// Puts the step's texts and check box into the session; the reason when the step is not one
// (an unknown key or control, a text a list does not offer, a value that is not text).
std::optional<std::string> applyCaseStep(DesignSession& session, const nlohmann::json& step);

// Reads a "project" value: an object of texts under the keys of projectFields. The reason when
// it is not one.
std::optional<std::string> readProject(const nlohmann::json& value, Project& project);
// The project as a "project" value: the items that are not empty.
nlohmann::ordered_json projectJson(const Project& project);

}  // namespace pedivo
