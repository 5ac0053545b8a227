#include "design/files/case_step.h"

#include "design/common/input_checks.h"
#include "design/common/tables.h"

namespace pedivo {
namespace {

// Another code edition chosen in a step is chosen as in the window's list: the grades shown
// follow it (Q345 and Q355 stand for each other) before the step's other texts are typed, so a
// grade the step gives itself still counts as given.
void switchEditionFirst(DesignSession& session, const nlohmann::json& entries) {
  const auto chosen = entries.find("CBcode");
  if (chosen == entries.end() || !chosen->is_string()) return;
  const auto edition = tables::codeEdition(chosen->get<std::string>());
  const auto shown = session.entries().texts.find("CBcode");
  if (!edition || shown == session.entries().texts.end() || shown->second == chosen->get<std::string>()) return;
  for (const auto& [name, text] : switchEdition(session.module(), session.entries(), *edition).texts)
    session.setText(name, text);
}

}  // namespace

std::optional<std::string> applyCaseStep(DesignSession& session, const nlohmann::json& step) {
  if (!step.is_object()) return "步骤应写作 {\"entries\": {…}} 的形式";
  for (const auto& [key, value] : step.items())
    if (key != "entries" && key != "cbsize") return "未知的键“" + key + "”";
  if (step.contains("entries")) {
    const nlohmann::json& entries = step.at("entries");
    if (!entries.is_object()) return "输入项应写作 {\"输入项\": \"内容\", …} 的形式";
    switchEditionFirst(session, entries);
    for (const auto& [control, text] : entries.items()) {
      if (!text.is_string()) {
        const ControlSpec* described = session.module().findControl(control);
        return (described != nullptr ? described->label : "输入项“" + control + "”") + "的内容应写成带引号的文字";
      }
      if (auto refused = session.setText(control, text.get<std::string>())) return refused;
    }
  }
  if (step.contains("cbsize")) {
    if (!session.module().hasDetailingToggle) return session.module().title + "没有“底板尺寸按构造要求选取”一项";
    if (!step.at("cbsize").is_boolean()) return "“底板尺寸按构造要求选取”应为 true 或 false";
    session.setCbsize(step.at("cbsize").get<bool>());
  }
  // A grade the chosen code edition does not offer is refused like any text a list lacks.
  if (auto mismatch = editionMismatch(session.module(), session.entries())) return mismatch->message;
  return std::nullopt;
}

std::optional<std::string> readProject(const nlohmann::json& value, Project& project) {
  if (!value.is_object()) return "项目信息应写作 {\"name\": \"工程名称\", …} 的形式";
  for (const auto& [key, text] : value.items()) {
    const ProjectField* field = findProjectField(key);
    if (field == nullptr) return "项目信息中没有“" + key + "”一项";
    if (!text.is_string()) return "项目信息“" + std::string(field->caption) + "”应写成带引号的文字";
    if (auto refused = setProjectText(project, key, text.get<std::string>())) return refused;
  }
  return std::nullopt;
}

nlohmann::ordered_json projectJson(const Project& project) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (const auto& field : projectFields)
    if (!(project.*field.text).empty()) out[std::string(field.key)] = project.*field.text;
  return out;
}

}  // namespace pedivo
