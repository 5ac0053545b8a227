#include "design/files/design_file.h"

#include <nlohmann/json.hpp>

#include "design/common/check_mode.h"
#include "design/common/design_session.h"
#include "design/files/case_step.h"
#include "design/files/file_text.h"
#include "design/files/json_text.h"
#include "design/files/replace_file.h"

namespace pedivo {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr std::uintmax_t maximumFileSize = 1u << 20;  // a design is a few hundred bytes
constexpr int maximumDepth = 16;

std::string quoted(const std::filesystem::path& path) { return "“" + path.string() + "”"; }

struct Refusal {
  std::string reason;
};

void applyEntries(DesignSession& session, const json& step) {
  if (auto refused = applyCaseStep(session, step)) throw Refusal{*refused};
}

// "mode": "check" with "sizes", every size of the base type a number; or a design.
std::optional<Sizes> readSizes(const json& input, const ModuleDescriptor& module) {
  const bool check = input.contains("mode") && input.at("mode") == "check";
  if (input.contains("mode") && !check && input.at("mode") != "design") throw Refusal{"“mode”只能是 design 或 check"};
  if (!check) return std::nullopt;
  if (!input.contains("sizes") || !input.at("sizes").is_object()) throw Refusal{"验算文件缺少尺寸“sizes”"};
  Sizes sizes;
  for (const auto& [name, value] : input.at("sizes").items()) {
    if (!value.is_number()) throw Refusal{"尺寸“" + name + "”必须是数值"};
    sizes[name] = value.get<double>();
  }
  if (auto fault = sizesFault(module.sizes, sizes)) throw Refusal{*fault};
  return sizes;
}

// Forces given both as combinations and as entries: which is meant cannot be told.
void refuseForcesBesideLoads(const json& input) {
  const auto givesForce = [](const json& step) {
    if (!step.is_object() || !step.contains("entries") || !step.at("entries").is_object()) return false;
    for (const auto& [control, text] : step.at("entries").items())
      if (isForceEntry(control)) return true;
    return false;
  };
  if (givesForce(input)) throw Refusal{loadsAndForcesMessage};
  if (input.contains("steps") && input.at("steps").is_array())
    for (const json& step : input.at("steps"))
      if (givesForce(step)) throw Refusal{loadsAndForcesMessage};
}

DesignFile parse(std::string_view text) {
  if (auto refused = checkJsonText(text, maximumDepth)) throw Refusal{*refused};
  json input;
  try {
    input = json::parse(text);
  } catch (const json::exception&) {
    throw Refusal{"不是设计文件（内容无法识别）"};
  }
  if (!input.is_object() || !input.contains("module") || !input.at("module").is_string())
    throw Refusal{"不是设计文件（没有写明柱脚类型）"};
  const std::string id = input.at("module").get<std::string>();
  const ModuleDescriptor* module = findModule(id);
  if (module == nullptr) throw Refusal{"柱脚类型“" + id + "”未知"};
  for (const auto& [key, value] : input.items())
    if (key != "module" && key != "entries" && key != "cbsize" && key != "steps" && key != "project" && key != "mode" &&
        key != "sizes" && key != "loads")
      throw Refusal{"未知的键“" + key + "”"};
  const std::optional<Sizes> sizes = readSizes(input, *module);
  DesignSession session(*module);
  Project project;
  if (input.contains("project"))
    if (auto refused = readProject(input.at("project"), project)) throw Refusal{*refused};
  if (input.contains("loads")) {
    if (auto refused = readLoads(input.at("loads"), session)) throw Refusal{*refused};
    refuseForcesBesideLoads(input);
  }
  if (input.contains("steps")) {
    if (input.contains("entries") || input.contains("cbsize")) throw Refusal{"给出步骤（steps）时，输入项应写在各步之中"};
    if (!input.at("steps").is_array()) throw Refusal{"步骤应写作 [{…}, {…}] 的形式"};
    if (input.at("steps").size() > mostCaseSteps) throw Refusal{tooManyStepsMessage};
    for (const json& step : input.at("steps")) applyEntries(session, step);
  } else {
    json step = json::object();
    if (input.contains("entries")) step["entries"] = input.at("entries");
    if (input.contains("cbsize")) step["cbsize"] = input.at("cbsize");
    applyEntries(session, step);
  }
  return DesignFile{module, session.entries(), std::move(project), sizes, session.loads()};
}

}  // namespace

std::string designFileText(const ModuleDescriptor& module, const Entries& entries, const Project& project,
                           const std::optional<Sizes>& sizes, const std::vector<LoadCombination>& loads) {
  ordered_json out;
  out["module"] = module.id;
  ordered_json texts = ordered_json::object();
  for (const auto& group : module.groups)
    for (const auto& control : group.controls) {
      if (!loads.empty() && isForceEntry(control.name)) continue;
      const auto found = entries.texts.find(control.name);
      texts[control.name] = found == entries.texts.end() ? control.defaultText : found->second;
    }
  out["entries"] = texts;
  if (module.hasDetailingToggle) out["cbsize"] = entries.cbsize;
  if (!project.empty()) out["project"] = projectJson(project);
  if (sizes) {
    out["mode"] = "check";
    ordered_json given = ordered_json::object();
    for (const auto& size : module.sizes)
      if (const auto found = sizes->find(size.name); found != sizes->end()) given[size.name] = found->second;
    out["sizes"] = given;
  }
  if (!loads.empty()) out["loads"] = loadsJson(module, loads);
  return out.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::variant<DesignFile, std::string> parseDesignFile(std::string_view text) {
  try {
    return parse(text);
  } catch (const Refusal& refusal) {
    return refusal.reason;
  }
}

std::variant<DesignFile, std::string> readDesignFile(const std::filesystem::path& path) {
  const auto text = readFileText(path, maximumFileSize);
  if (const auto* problem = std::get_if<FileProblem>(&text))
    return "无法打开设计文件" + quoted(path) + "：" + problem->reason;
  auto parsed = parseDesignFile(std::get<std::string>(text));
  if (auto* reason = std::get_if<std::string>(&parsed)) return "无法打开设计文件" + quoted(path) + "：" + *reason;
  return parsed;
}

std::optional<std::string> writeDesignFile(const std::filesystem::path& path, const ModuleDescriptor& module,
                                           const Entries& entries, const Project& project,
                                           const std::optional<Sizes>& sizes,
                                           const std::vector<LoadCombination>& loads) {
  if (const auto why = replaceFile(path, designFileText(module, entries, project, sizes, loads)))
    return "无法保存设计文件" + quoted(path) + "：" + *why;
  return std::nullopt;
}

}  // namespace pedivo
