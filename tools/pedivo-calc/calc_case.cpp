#include "calc_case.h"

#include "design/common/module.h"

namespace pedivo::calc {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

struct CaseError {
  std::string message;
};

void applyStep(DesignSession& session, const json& step) {
  if (!step.is_object()) throw CaseError{"每一步必须是一个JSON对象"};
  for (const auto& [key, value] : step.items())
    if (key != "entries" && key != "cbsize") throw CaseError{"未知的键“" + key + "”"};
  if (step.contains("entries")) {
    const json& entries = step.at("entries");
    if (!entries.is_object()) throw CaseError{"entries 必须是一个JSON对象"};
    for (const auto& [control, text] : entries.items()) {
      if (!text.is_string()) throw CaseError{"控件“" + control + "”的内容必须是文本"};
      if (const auto refused = session.setText(control, text.get<std::string>())) throw CaseError{*refused};
    }
  }
  if (step.contains("cbsize")) {
    if (!session.module().hasDetailingToggle) throw CaseError{"“cbsize”不是" + session.module().formName + "的输入控件"};
    if (!step.at("cbsize").is_boolean()) throw CaseError{"cbsize 必须是 true 或 false"};
    session.setCbsize(step.at("cbsize").get<bool>());
  }
}

ordered_json describe(const DesignSession& session, const std::vector<std::string>& messages,
                      const std::optional<std::string>& focus) {
  ordered_json out;
  out["module"] = session.module().id;
  out["messages"] = messages;
  out["focus"] = focus ? ordered_json(*focus) : ordered_json(nullptr);
  ordered_json entries = ordered_json::object();
  for (const auto& group : session.module().groups)
    for (const auto& control : group.controls) entries[control.name] = session.entries().texts.at(control.name);
  out["entries"] = entries;
  out["cbsize"] = session.entries().cbsize;
  ordered_json values = ordered_json::object();
  for (const auto& value : session.values())
    std::visit([&](const auto& v) { values[value.name] = v; }, value.value);
  out["values"] = values;
  const ResultView view = session.results();
  ordered_json results = ordered_json::array();
  for (const auto& field : view.fields) results.push_back({field.field, field.text});
  out["results"] = results;
  out["redCaptions"] = view.redCaptions;
  ordered_json checks = ordered_json::array();
  for (const auto& check : session.checks())
    checks.push_back({{"name", check.name},
                      {"formula", check.formula},
                      {"demand", check.demand},
                      {"limit", check.limit},
                      {"ratio", check.decision ? ordered_json(nullptr) : ordered_json(check.ratio())},
                      {"ok", check.ok()}});
  out["checks"] = checks;
  ordered_json report = ordered_json::array();
  for (const auto& tag : session.report()) report.push_back({tag.tag, tag.text});
  out["report"] = report;
  return out;
}

// A real case nests a few levels; far deeper input is refused before it can exhaust the stack.
constexpr int maximumDepth = 32;

CaseResult run(const std::string& line) {
  json input;
  try {
    input = json::parse(line, [](int depth, json::parse_event_t, json&) {
      if (depth > maximumDepth) throw CaseError{"JSON嵌套层数过多"};
      return true;
    });
  } catch (const json::out_of_range&) {
    throw CaseError{"JSON格式错误：数值超出范围"};
  } catch (const json::exception& error) {
    throw CaseError{std::string("JSON格式错误：") + error.what()};
  }
  if (!input.is_object()) throw CaseError{"每一行必须是一个JSON对象"};
  if (!input.contains("module") || !input.at("module").is_string()) throw CaseError{"缺少柱脚类型“module”"};
  const std::string id = input.at("module").get<std::string>();
  const ModuleDescriptor* module = findModule(id);
  if (module == nullptr) throw CaseError{"未知的柱脚类型“" + id + "”"};
  for (const auto& [key, value] : input.items())
    if (key != "module" && key != "entries" && key != "cbsize" && key != "steps") throw CaseError{"未知的键“" + key + "”"};

  json steps = json::array();
  if (input.contains("steps")) {
    if (input.contains("entries") || input.contains("cbsize"))
      throw CaseError{"“steps”不能与“entries”或“cbsize”同时给出"};
    steps = input.at("steps");
    if (!steps.is_array()) throw CaseError{"steps 必须是一个JSON数组"};
  } else {
    json step = json::object();
    if (input.contains("entries")) step["entries"] = input.at("entries");
    if (input.contains("cbsize")) step["cbsize"] = input.at("cbsize");
    steps.push_back(step);
  }

  DesignSession session(*module);
  std::vector<std::string> messages;
  std::optional<std::string> focus;
  for (const json& step : steps) {
    applyStep(session, step);
    const Outcome outcome = session.calculate();
    messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
    focus = outcome.focus;
  }
  return CaseResult{describe(session, messages, focus), false, id, session.report()};
}

}  // namespace

CaseResult runCase(const std::string& line) {
  try {
    return run(line);
  } catch (const CaseError& error) {
    return CaseResult{ordered_json{{"error", error.message}}, true, std::nullopt, {}};
  } catch (const std::exception& error) {
    return CaseResult{ordered_json{{"error", std::string("无法处理：") + error.what()}}, true, std::nullopt, {}};
  }
}

}  // namespace pedivo::calc
