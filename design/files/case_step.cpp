#include "design/files/case_step.h"

#include "design/common/input_checks.h"

namespace pedivo {

std::optional<std::string> applyCaseStep(DesignSession& session, const nlohmann::json& step) {
  if (!step.is_object()) return "每一步必须是一个JSON对象";
  for (const auto& [key, value] : step.items())
    if (key != "entries" && key != "cbsize") return "未知的键“" + key + "”";
  if (step.contains("entries")) {
    const nlohmann::json& entries = step.at("entries");
    if (!entries.is_object()) return "entries 必须是一个JSON对象";
    for (const auto& [control, text] : entries.items()) {
      if (!text.is_string()) return "控件“" + control + "”的内容必须是文本";
      if (auto refused = session.setText(control, text.get<std::string>())) return refused;
    }
  }
  if (step.contains("cbsize")) {
    if (!session.module().hasDetailingToggle) return "“cbsize”不是" + session.module().formName + "的输入控件";
    if (!step.at("cbsize").is_boolean()) return "cbsize 必须是 true 或 false";
    session.setCbsize(step.at("cbsize").get<bool>());
  }
  // A grade the chosen code edition does not offer is refused like any text a list lacks.
  if (auto mismatch = editionMismatch(session.module(), session.entries())) return mismatch->message;
  return std::nullopt;
}

}  // namespace pedivo
