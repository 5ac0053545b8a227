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

bool isForceEntry(std::string_view control) { return control == "EdtN" || control == "EdtV" || control == "EdtM"; }

std::optional<std::string> readLoads(const nlohmann::json& value, DesignSession& session) {
  const std::string shape = "荷载组合（loads）应写作 [{\"name\": \"组合名\", \"N\": 数值, \"V\": 数值, \"M\": 数值}, …]";
  if (!value.is_array() || value.empty()) return shape;
  if (value.size() > mostCombinations)
    return "荷载组合最多 " + std::to_string(mostCombinations) + " 组，现有 " + std::to_string(value.size()) + " 组";
  std::vector<LoadCombination> loads;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const nlohmann::json& row = value[i];
    const std::string where = "第 " + std::to_string(i + 1) + " 组荷载组合";
    if (!row.is_object()) return shape;
    for (const auto& [key, item] : row.items())
      if (key != "name" && key != "N" && key != "V" && key != "M") return where + "有未知的键“" + key + "”";
    if (!row.contains("name") || !row.at("name").is_string()) return where + "缺少名称“name”（文本）";
    LoadCombination load{row.at("name").get<std::string>()};
    for (const auto& [key, force] : {std::pair{"N", &load.N}, std::pair{"V", &load.V}, std::pair{"M", &load.M}}) {
      if (!row.contains(key)) {
        if (std::string_view(key) == "M") continue;
        return where + "“" + load.name + "”缺少“" + key + "”";
      }
      if (!row.at(key).is_number()) return where + "“" + load.name + "”的“" + key + "”必须是数值";
      *force = row.at(key).get<double>();
    }
    loads.push_back(std::move(load));
  }
  return session.setLoads(std::move(loads));
}

nlohmann::ordered_json loadsJson(const ModuleDescriptor& module, const std::vector<LoadCombination>& loads) {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  const bool moment = module.findControl("EdtM") != nullptr;
  for (const auto& load : loads) {
    nlohmann::ordered_json row{{"name", load.name}, {"N", load.N}, {"V", load.V}};
    if (moment) row["M"] = load.M;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace pedivo
