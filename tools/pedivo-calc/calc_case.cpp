#include "calc_case.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/shown_weight.h"
#include "design/common/input_checks.h"
#include "design/common/system_reason.h"
#include "design/common/module.h"
#include "design/files/case_step.h"
#include "design/files/software_version.h"
#include "design/files/json_text.h"
#include "json_line.h"

namespace pedivo::calc {
namespace {

using nlohmann::json;

struct CaseError {
  std::string message;
};

void applyStep(DesignSession& session, const json& step) {
  if (auto refused = applyCaseStep(session, step)) throw CaseError{*refused};
}

// What the case's presses of "计算" showed: every message, and the control the last one moved to.
struct CaseRun {
  std::vector<std::string> messages;
  std::optional<std::string> focus;
  std::optional<std::string> remedy;  // of the last press, when it stopped
  bool passes = false;                // the last press ended with every check passing
};

// A value, or null where there is none.
template <class T>
void valueOrNull(JsonLine& line, const std::optional<T>& value) {
  if (value) {
    line.value(*value);
  } else {
    line.null();
  }
}

// A check's utilisation; none for a decision or a check that does not govern.
std::optional<double> utilisation(const DesignCheck& check) {
  if (check.decision || !check.governs()) return std::nullopt;
  return check.ratio();
}

// "combinations": each with its forces, its largest ratio and the ids of the checks it governs.
void writeCombinations(JsonLine& line, const DesignSession& session) {
  line.key("combinations").beginArray();
  for (const auto& summary : session.combinations()) {
    line.beginObject();
    line.key("name").value(summary.load.name);
    line.key("N").value(summary.load.N).key("V").value(summary.load.V).key("M").value(summary.load.M);
    line.key("ratio");
    valueOrNull(line, std::isfinite(summary.ratio) ? std::optional<double>(summary.ratio) : std::nullopt);
    line.key("governs").beginArray();
    for (const auto& id : summary.governs) line.name(id);
    line.endArray();
    line.endObject();
  }
  line.endArray();
}

// The entries as typed and the held values by name.
void writeEntriesAndValues(JsonLine& line, const DesignSession& session) {
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
}

// The result window's fields and the captions it shows in red.
void writeResults(JsonLine& line, const DesignSession& session) {
  const ResultView view = session.results();
  line.key("results").beginArray();
  for (const auto& field : view.fields) line.beginArray().name(field.field).value(field.text).endArray();
  line.endArray();
  line.key("redCaptions").beginArray();
  for (const auto& caption : view.redCaptions) line.name(caption);
  line.endArray();
}

// Each check's numbers and verdict; with `detail` its formula too.
void writeChecks(JsonLine& line, const DesignSession& session, bool detail) {
  line.key("checks").beginArray();
  for (const auto& check : session.checks()) {
    line.beginObject();
    // Under several combinations a check is found by its id in the combinations' lists.
    if (check.governing) line.key("id").name(check.id);
    line.key("name").value(check.name);
    if (detail) line.key("formula").value(check.formula);
    line.key("demand").value(check.demand).key("limit").value(check.limit);
    line.key("ratio");
    valueOrNull(line, utilisation(check));
    line.key("ok").value(check.ok());
    // Advice belongs to a check that fails; a passing one has none to give.
    line.key("remedy");
    valueOrNull(line, check.ok() || check.remedy.empty() ? std::nullopt : std::optional<std::string>(check.remedy));
    if (check.governing) line.key("governing").value(check.governing->name);
    line.endObject();
  }
  line.endArray();
}

// Whether the held values are a design or a check of given sizes, and the sizes of a completed
// one: the object a check takes, so that a design can be given back unchanged.
void writeModeAndSizes(JsonLine& line, const DesignSession& session) {
  line.key("mode").name(session.checked() ? "check" : "design");
  line.key("sizes");
  if (!session.designed()) {
    line.null();
    return;
  }
  line.beginObject();
  const Sizes sizes = session.sizes();
  for (const auto& size : session.module().sizes) line.key(size.name).value(sizes.at(size.name));
  line.endObject();
}

// The line a window's state gives: its entries, held values, result fields and checks; with
// `detail` also each check's formula and the report's tags.
void writeState(JsonLine& line, const DesignSession& session, const CaseRun& run, bool detail) {
  line.beginObject();
  line.key("module").name(session.module().id);
  line.key("state").value(statusText(session.status()));
  // Why the last "计算" stopped before a design, as the report's first line names it.
  line.key("stopReason");
  valueOrNull(line, session.stopReason() ? std::optional<std::string>(stopReasonText(*session.stopReason()))
                                         : std::nullopt);
  line.key("messages").beginArray();
  for (const auto& message : run.messages) line.value(message);
  line.endArray();
  line.key("focus");
  valueOrNull(line, run.focus);
  writeEntriesAndValues(line, session);
  writeResults(line, session);
  writeChecks(line, session, detail);
  if (detail) {
    line.key("report").beginArray();
    session.report([&line](std::string_view tag, std::string_view text) {
      line.beginArray().name(tag).value(text).endArray();
    });
    line.endArray();
  }
  line.key("weight");
  const std::optional<double> weight = session.weight();
  valueOrNull(line, weight ? std::optional<double>(shownWeight(*weight)) : std::nullopt);
  line.key("remedy");
  valueOrNull(line, run.remedy);
  writeModeAndSizes(line, session);
  if (session.loads().size() > 1) writeCombinations(line, session);
}

// "adjusted": the lightest passing design 自动调整 finds, or null when the design passes already
// or nothing within reach passes.
// As in the window, entries typed after the last "计算" ("after") are designed first and the
// search starts from them.
void writeAdjusted(JsonLine& line, const DesignSession& session, const CaseRun& run) {
  line.key("adjusted");
  if (run.messages.empty()) {
    line.null();
    return;
  }
  std::optional<DesignSession> shown;
  bool passing = run.passes;
  if (session.status() == DesignStatus::EntriesChanged) {
    shown.emplace(session.module());
    for (const auto& [control, text] : session.entries().texts) shown->setText(control, text);
    shown->setCbsize(session.entries().cbsize);
    shown->setLoads(session.loads());
    const Outcome outcome = shown->calculate();
    passing = adjust::passes(outcome, shown->checks());
  }
  if (passing) {
    line.null();
    return;
  }
  const adjust::SearchResult found =
      adjust::adjustDesign(session.module(), shown ? shown->entries() : session.entries(), session.loads());
  if (!found.best || !found.best->passes) {
    line.null();
    return;
  }
  const adjust::Proposal& proposal = *found.best;
  line.beginObject();
  line.key("module").name(proposal.module->id);
  line.key("note");
  valueOrNull(line, proposal.typeChange);
  line.key("entries").beginObject();
  for (const auto& group : proposal.module->groups)
    for (const auto& control : group.controls) line.key(control.name).value(proposal.entries.texts.at(control.name));
  line.endObject();
  line.key("cbsize").value(proposal.entries.cbsize);
  line.key("messages").beginArray();
  for (const auto& message : proposal.messages) line.value(message);
  line.endArray();
  line.key("checks").beginArray();
  for (const auto& check : proposal.checks) {
    line.beginObject();
    line.key("name").value(check.name);
    line.key("ratio");
    valueOrNull(line, utilisation(check));
    line.key("ok").value(check.ok());
    if (check.governing) line.key("governing").value(check.governing->name);
    line.endObject();
  }
  line.endArray();
  line.key("weight").value(shownWeight(proposal.weight));
  line.key("changed").beginArray();
  for (const auto& name : proposal.changed) line.value(name);
  line.endArray();
  line.endObject();
}

// A case read the general way: its own window.
struct CaseState {
  DesignSession session;
  CaseRun run;
  bool detail = false;  // the case asked for the detailed output
  std::optional<std::string> id;  // the case's "id", naming its report
};

void calculate(DesignSession& session, CaseRun& run, const std::optional<Sizes>& given = std::nullopt) {
  Outcome outcome = given ? session.check(*given) : session.calculate();
  run.passes = adjust::passes(outcome, session.checks());
  run.messages.insert(run.messages.end(), std::make_move_iterator(outcome.messages.begin()),
                      std::make_move_iterator(outcome.messages.end()));
  run.focus = std::move(outcome.focus);
  run.remedy = std::move(outcome.remedy);
}

void appendState(TextBuffer& out, const DesignSession& session, const CaseRun& run, LineOptions options) {
  JsonLine line(out);
  writeState(line, session, run, options.detail);
  if (options.adjust) writeAdjusted(line, session, run);
  line.endObject();
}

// "detail": true or false.
bool readDetail(const json& value) {
  if (!value.is_boolean()) throw CaseError{"“detail”必须是 true 或 false"};
  return value.get<bool>();
}

// "id": a text, or a whole number as JSON writes it.
std::string readId(const json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_integer()) return value.dump();
  throw CaseError{"“id”必须是文本或整数"};
}

// "mode": "design" (the default) or "check"; a check takes "sizes", {name: number}, every size the
// base type takes (a missing one is refused by the check, naming it). None for a design.
std::optional<Sizes> readGivenSizes(const json& input, const ModuleDescriptor& module) {
  const bool check = input.contains("mode") && input.at("mode") == "check";
  if (input.contains("mode") && !check && input.at("mode") != "design")
    throw CaseError{"“mode”必须是 \"design\"（设计）或 \"check\"（验算）"};
  if (!check) {
    if (input.contains("sizes")) throw CaseError{"给出尺寸（sizes）时须写 \"mode\": \"check\""};
    return std::nullopt;
  }
  if (!input.contains("sizes") || !input.at("sizes").is_object())
    throw CaseError{"验算须给出尺寸 “sizes”: {名称: 数值}"};
  Sizes sizes;
  for (const auto& [name, value] : input.at("sizes").items()) {
    const bool known = std::any_of(module.sizes.begin(), module.sizes.end(),
                                   [&](const SizeName& size) { return size.name == name; });
    if (!known) throw CaseError{module.title + "没有尺寸“" + name + "”"};
    if (!value.is_number()) throw CaseError{"尺寸“" + name + "”必须是数值"};
    sizes[name] = value.get<double>();
  }
  return sizes;
}

// "loads": the combinations in place of the entries N, V and M; a case giving both is refused.
void readCaseLoads(const json& input, const json& steps, DesignSession& session) {
  if (auto refused = readLoads(input.at("loads"), session)) throw CaseError{*refused};
  const auto givesForce = [](const json& entries) {
    if (!entries.is_object()) return false;
    for (const auto& [control, text] : entries.items())
      if (isForceEntry(control)) return true;
    return false;
  };
  for (const json& step : steps)
    if (step.is_object() && step.contains("entries") && givesForce(step.at("entries")))
      throw CaseError{loadsAndForcesMessage};
  if (input.contains("after") && givesForce(input.at("after"))) throw CaseError{loadsAndForcesMessage};
}

// A real case nests a few levels; far deeper input is refused before it can exhaust the stack.
constexpr int maximumDepth = 32;

// A case line as JSON; a line that is not JSON, or too deep, is refused with where it fails.
json parseCaseLine(const std::string& line) {
  if (auto refused = checkJsonText(line, maximumDepth)) throw CaseError{*refused};
  try {
    return json::parse(line);
  } catch (const json::out_of_range&) {
    throw CaseError{"算例格式错误：数值超出范围"};
  } catch (const json::parse_error& error) {
    if (error.byte > line.size()) throw CaseError{"算例格式错误：到行尾还没有写完"};
    throw CaseError{"算例格式错误：第 " + std::to_string(error.byte) + " 个字符处无法识别"};
  } catch (const json::exception&) {
    throw CaseError{"算例格式错误"};
  }
}

CaseState designCase(const std::string& line) {
  const json input = parseCaseLine(line);
  if (!input.is_object()) throw CaseError{"每一行应是一个算例：{\"module\": …, \"entries\": {…}}"};
  if (!input.contains("module") || !input.at("module").is_string()) throw CaseError{"缺少柱脚类型“module”"};
  const std::string id = input.at("module").get<std::string>();
  const ModuleDescriptor* module = findModule(id);
  if (module == nullptr) throw CaseError{"未知的柱脚类型“" + id + "”"};
  for (const auto& [key, value] : input.items())
    if (key != "module" && key != "entries" && key != "cbsize" && key != "steps" && key != "after" &&
        key != "project" && key != "detail" && key != "id" && key != "mode" && key != "sizes" && key != "loads")
      throw CaseError{"未知的键“" + key + "”"};
  const bool detail = input.contains("detail") && readDetail(input.at("detail"));
  Project project;
  if (input.contains("project"))
    if (auto refused = readProject(input.at("project"), project)) throw CaseError{*refused};

  json steps = json::array();
  if (input.contains("steps")) {
    if (input.contains("entries") || input.contains("cbsize"))
      throw CaseError{"给出步骤（steps）时，输入项应写在各步之中"};
    steps = input.at("steps");
    if (!steps.is_array()) throw CaseError{"步骤应写作 [{…}, {…}] 的形式"};
    if (steps.size() > mostCaseSteps) throw CaseError{tooManyStepsMessage};
  } else {
    json step = json::object();
    if (input.contains("entries")) step["entries"] = input.at("entries");
    if (input.contains("cbsize")) step["cbsize"] = input.at("cbsize");
    steps.push_back(step);
  }

  const std::optional<Sizes> given = readGivenSizes(input, *module);
  CaseState state{DesignSession(*module), {}, detail, std::nullopt};
  if (input.contains("id")) state.id = readId(input.at("id"));
  state.session.setProject(std::move(project));
  if (input.contains("loads")) readCaseLoads(input, steps, state.session);
  for (const json& step : steps) {
    applyStep(state.session, step);
    calculate(state.session, state.run, given);
  }
  // Entries typed after the last "计算": shown as typed, while the design stays that of the calculation.
  if (input.contains("after")) {
    if (!input.at("after").is_object()) throw CaseError{"“after”必须是输入项及其内容的对象"};
    // "cbsize" is the detailing box, typed after like any entry.
    json step{{"entries", json::object()}};
    for (const auto& [key, value] : input.at("after").items()) {
      if (key == "cbsize") {
        step["cbsize"] = value;
      } else {
        step["entries"][key] = value;
      }
    }
    applyStep(state.session, step);
  }
  return state;
}

// The usual shape: "module" a text naming a base type, "entries" an object of texts, "cbsize" true
// or false, "project" an object of texts, each at most once; no other key. Gives the base type
// and the entries, or nothing.
struct QuickCase {
  const ModuleDescriptor* module = nullptr;
  simdjson::dom::object entries;
  bool hasEntries = false;
  std::optional<bool> cbsize;
  simdjson::dom::object project;
  bool hasProject = false;
  std::optional<bool> detail;
};

// The project block of a usual case: known keys, each once, texts that fit; otherwise nothing,
// and the general reading says what is wrong.
std::optional<Project> quickProject(simdjson::dom::object fields) {
  Project project;
  std::array<bool, projectFields.size()> seen{};
  for (const auto field : fields) {
    std::string_view text;
    const ProjectField* known = findProjectField(field.key);
    if (known == nullptr || field.value.get_string().get(text) || text.find('\0') != std::string_view::npos)
      return std::nullopt;
    bool& once = seen[static_cast<std::size_t>(known - projectFields.data())];
    if (once || setProjectText(project, field.key, std::string(text))) return std::nullopt;
    once = true;
  }
  return project;
}

std::optional<QuickCase> quickCase(simdjson::dom::element document) {
  simdjson::dom::object root;
  if (document.get_object().get(root)) return std::nullopt;
  QuickCase found;
  for (const auto field : root) {
    if (field.key == "module" && found.module == nullptr) {
      std::string_view id;
      if (field.value.get_string().get(id)) return std::nullopt;
      found.module = findModule(std::string(id));
      if (found.module == nullptr) return std::nullopt;
    } else if (field.key == "entries" && !found.hasEntries) {
      if (field.value.get_object().get(found.entries)) return std::nullopt;
      found.hasEntries = true;
    } else if (field.key == "cbsize" && !found.cbsize) {
      bool ticked = false;
      if (field.value.get_bool().get(ticked)) return std::nullopt;
      found.cbsize = ticked;
    } else if (field.key == "detail" && !found.detail) {
      bool detail = false;
      if (field.value.get_bool().get(detail)) return std::nullopt;
      found.detail = detail;
    } else if (field.key == "project" && !found.hasProject) {
      if (field.value.get_object().get(found.project)) return std::nullopt;
      found.hasProject = true;
    } else {
      return std::nullopt;
    }
  }
  if (found.module == nullptr || (found.cbsize && !found.module->hasDetailingToggle)) return std::nullopt;
  return found;
}

// A usual case is a short line; a longer one is left to the general reading rather than grow the
// quick reader's room for the rest of the run.
constexpr std::size_t longestQuickLine = 64 * 1024;

}  // namespace

std::string lineTooLongMessage() {
  return "输入行过长（超过 " + std::to_string(longestLine >> 20) + " MB），未读取";
}

LineRead readLine(std::istream& in, std::string& line, std::vector<char>& room) {
  room.resize(longestLine + 1);
  in.getline(room.data(), static_cast<std::streamsize>(room.size()));
  const auto count = static_cast<std::size_t>(in.gcount());
  if (in.fail()) {
    if (in.bad() || count == 0) return LineRead::End;  // nothing left to read
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return LineRead::TooLong;
  }
  // The line feed, when there was one, was counted but not stored.
  line.assign(room.data(), in.eof() ? count : count - 1);
  return LineRead::Line;
}

void appendErrorLine(TextBuffer& out, const std::string& message) {
  JsonLine(out).beginObject().key("error").value(message).endObject();
}

std::string errorLine(const std::string& message) {
  TextBuffer out;
  appendErrorLine(out, message);
  return out.str();
}

CaseResult runCase(const std::string& line, bool withReport, bool withDrawing, bool withDetail) {
  try {
    const CaseState state = designCase(line);
    TextBuffer out;
    appendState(out, state.session, state.run, {false, withDetail || state.detail});
    CaseResult result{out.str(), false, state.session.module().id,
                      withReport ? state.session.report() : std::vector<TagText>{}, std::nullopt};
    if (withDrawing) {
      result.drawing = drawing::drawDesign(state.session);
      result.sheet = drawing::drawIssuedSheet(state.session, softwareVersion());
    }
    result.entriesChanged = state.session.status() == DesignStatus::EntriesChanged;
    result.id = state.id;
    return result;
  } catch (const CaseError& error) {
    return CaseResult{errorLine(error.message), true, std::nullopt, {}, std::nullopt};
  } catch (const std::exception& error) {
    return CaseResult{errorLine(unexpectedFailure(error)), true, std::nullopt, {}, std::nullopt};
  }
}

DesignSession* QuickCaseReader::read(const std::string& line) {
  if (line.size() > longestQuickLine) return nullptr;
  simdjson::dom::element document;
  if (parser_.parse(line).get(document)) return nullptr;
  const auto found = quickCase(document);
  if (!found) return nullptr;
  detail_ = found->detail.value_or(false);
  auto session = sessions_.find(found->module);
  if (session == sessions_.end()) {
    session = sessions_.emplace(found->module, DesignSession(*found->module)).first;
  } else {
    session->second.reset();
  }
  if (found->hasEntries) {
    // A control named twice, or a NUL in a text, is refused by the general reading with its
    // message. No base type has this many controls; beyond it, the scan for repeats would grow.
    constexpr std::size_t mostEntries = 64;
    std::array<std::string_view, mostEntries> seen;
    std::size_t count = 0;
    for (const auto entry : found->entries) {
      std::string_view text;
      if (entry.value.get_string().get(text)) return nullptr;
      if (count == mostEntries || std::find(seen.begin(), seen.begin() + count, entry.key) != seen.begin() + count ||
          text.find('\0') != std::string_view::npos || entry.key.find('\0') != std::string_view::npos)
        return nullptr;
      seen[count++] = entry.key;
      if (session->second.setText(std::string(entry.key), std::string(text))) return nullptr;
    }
  }
  if (found->cbsize) session->second.setCbsize(*found->cbsize);
  if (found->hasProject) {
    auto project = quickProject(found->project);
    if (!project) return nullptr;
    session->second.setProject(std::move(*project));
  }
  // Grades that do not fit the edition are told by the general reading.
  if (editionMismatch(*found->module, session->second.entries())) return nullptr;
  return &session->second;
}

bool appendCase(const std::string& line, TextBuffer& out, QuickCaseReader& reader, LineOptions options) {
  const std::size_t start = out.size();
  try {
    if (DesignSession* session = reader.read(line)) {
      CaseRun run;
      calculate(*session, run);
      appendState(out, *session, run, {options.adjust, options.detail || reader.detail()});
    } else {
      const CaseState state = designCase(line);
      appendState(out, state.session, state.run, {options.adjust, options.detail || state.detail});
    }
    out.append("\n");
    return false;
  } catch (const CaseError& error) {
    out.truncate(start);
    appendErrorLine(out, error.message);
  } catch (const std::exception& error) {
    out.truncate(start);
    appendErrorLine(out, unexpectedFailure(error));
  }
  out.append("\n");
  return true;
}

}  // namespace pedivo::calc
