#include "calc_case.h"

#include <iterator>

#include "design/common/module.h"
#include "design/files/case_step.h"
#include "json_line.h"

namespace pedivo::calc {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

struct CaseError {
  std::string message;
};

void applyStep(DesignSession& session, const json& step) {
  if (auto refused = applyCaseStep(session, step)) throw CaseError{*refused};
}

// The line a window's state gives: its entries, held values, result fields, checks and report.
void writeState(JsonLine& line, const DesignSession& session, const std::vector<std::string>& messages,
                const std::optional<std::string>& focus) {
  line.beginObject();
  line.key("module").name(session.module().id);
  line.key("messages").beginArray();
  for (const auto& message : messages) line.value(message);
  line.endArray();
  line.key("focus");
  if (focus) {
    line.value(*focus);
  } else {
    line.null();
  }
  line.key("entries").beginObject();
  for (const auto& group : session.module().groups)
    for (const auto& control : group.controls) line.key(control.name).value(session.entries().texts.at(control.name));
  line.endObject();
  line.key("cbsize").value(session.entries().cbsize);
  line.key("values").beginObject();
  for (const auto& value : session.values()) {
    line.key(value.name);
    std::visit([&](const auto& v) { line.value(v); }, value.value);
  }
  line.endObject();
  const ResultView view = session.results();
  line.key("results").beginArray();
  for (const auto& field : view.fields) line.beginArray().name(field.field).value(field.text).endArray();
  line.endArray();
  line.key("redCaptions").beginArray();
  for (const auto& caption : view.redCaptions) line.name(caption);
  line.endArray();
  line.key("checks").beginArray();
  for (const auto& check : session.checks()) {
    line.beginObject();
    line.key("name").value(check.name).key("formula").value(check.formula);
    line.key("demand").value(check.demand).key("limit").value(check.limit);
    line.key("ratio");
    if (check.decision) {
      line.null();
    } else {
      line.value(check.ratio());
    }
    line.key("ok").value(check.ok());
    line.endObject();
  }
  line.endArray();
  line.key("report").beginArray();
  for (const auto& tag : session.report()) line.beginArray().name(tag.tag).value(tag.text).endArray();
  line.endArray();
  line.endObject();
}

// What the window holds after the case's last "计算".
struct CaseState {
  DesignSession session;
  std::vector<std::string> messages;
  std::optional<std::string> focus;
};

void calculate(CaseState& state) {
  Outcome outcome = state.session.calculate();
  state.messages.insert(state.messages.end(), std::make_move_iterator(outcome.messages.begin()),
                        std::make_move_iterator(outcome.messages.end()));
  state.focus = std::move(outcome.focus);
}

void appendState(std::string& out, const CaseState& state) {
  JsonLine line(out);
  writeState(line, state.session, state.messages, state.focus);
}  // the writer completes the text as it closes

// A real case nests a few levels; far deeper input is refused before it can exhaust the stack.
constexpr int maximumDepth = 32;

CaseState designCase(const std::string& line) {
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

  CaseState state{DesignSession(*module), {}, std::nullopt};
  for (const json& step : steps) {
    applyStep(state.session, step);
    calculate(state);
  }
  return state;
}

// The usual shape: "module" a text naming a base type, "entries" an object of texts, "cbsize" true
// or false, each at most once; no other key.
std::optional<DesignSession> quickSession(simdjson::dom::element document) {
  simdjson::dom::object root;
  if (document.get_object().get(root)) return std::nullopt;
  const ModuleDescriptor* module = nullptr;
  simdjson::dom::object entries;
  bool hasEntries = false;
  std::optional<bool> cbsize;
  for (const auto field : root) {
    if (field.key == "module" && module == nullptr) {
      std::string_view id;
      if (field.value.get_string().get(id)) return std::nullopt;
      module = findModule(std::string(id));
      if (module == nullptr) return std::nullopt;
    } else if (field.key == "entries" && !hasEntries) {
      if (field.value.get_object().get(entries)) return std::nullopt;
      hasEntries = true;
    } else if (field.key == "cbsize" && !cbsize) {
      bool ticked = false;
      if (field.value.get_bool().get(ticked)) return std::nullopt;
      cbsize = ticked;
    } else {
      return std::nullopt;
    }
  }
  if (module == nullptr || (cbsize && !module->hasDetailingToggle)) return std::nullopt;
  DesignSession session(*module);
  if (hasEntries) {
    for (const auto entry : entries) {
      std::string_view text;
      if (entry.value.get_string().get(text)) return std::nullopt;
      if (session.setText(std::string(entry.key), std::string(text))) return std::nullopt;
    }
  }
  if (cbsize) session.setCbsize(*cbsize);
  return session;
}

// A usual case is a short line; a longer one is left to the general reading rather than grow the
// quick reader's room for the rest of the run.
constexpr std::size_t longestQuickLine = 64 * 1024;

}  // namespace

std::string errorLine(const std::string& message) {
  std::string out;
  JsonLine(out).beginObject().key("error").value(message).endObject();
  return out;
}

CaseResult runCase(const std::string& line, bool withReport) {
  try {
    const CaseState state = designCase(line);
    std::string out;
    appendState(out, state);
    return CaseResult{std::move(out), false, state.session.module().id,
                      withReport ? state.session.report() : std::vector<TagText>{}};
  } catch (const CaseError& error) {
    return CaseResult{errorLine(error.message), true, std::nullopt, {}};
  } catch (const std::exception& error) {
    return CaseResult{errorLine(std::string("无法处理：") + error.what()), true, std::nullopt, {}};
  }
}

std::optional<DesignSession> QuickCaseReader::read(const std::string& line) {
  if (line.size() > longestQuickLine) return std::nullopt;
  simdjson::dom::element document;
  if (parser_.parse(line).get(document)) return std::nullopt;
  return quickSession(document);
}

bool appendCase(const std::string& line, std::string& out, QuickCaseReader& reader) {
  const std::size_t start = out.size();
  try {
    if (auto session = reader.read(line)) {
      CaseState state{std::move(*session), {}, std::nullopt};
      calculate(state);
      appendState(out, state);
    } else {
      appendState(out, designCase(line));
    }
    out += '\n';
    return false;
  } catch (const CaseError& error) {
    out.resize(start);
    out += errorLine(error.message);
  } catch (const std::exception& error) {
    out.resize(start);
    out += errorLine(std::string("无法处理：") + error.what());
  }
  out += '\n';
  return true;
}

}  // namespace pedivo::calc
