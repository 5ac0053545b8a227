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

// Reads a "loads" value, [{"name": text, "N": number, "V": number, "M": number}, …] (M may be
// left out where it is 0), and gives the combinations to the session. The reason when it is not
// one, or when the session refuses them.
std::optional<std::string> readLoads(const nlohmann::json& value, DesignSession& session);
// The session's combinations as a "loads" value; M only for a base that takes a moment.
nlohmann::ordered_json loadsJson(const ModuleDescriptor& module, const std::vector<LoadCombination>& loads);
// The entries of the forces that "loads" replaces: a step or file giving both is refused.
bool isForceEntry(std::string_view control);
inline constexpr const char* loadsAndForcesMessage =
    "给出荷载组合（loads）时，柱底轴力、剪力、弯矩（EdtN、EdtV、EdtM）不能再作为输入项给出";

}  // namespace pedivo
