// pedivo-calc: the input windows without windows. Reads cases as JSON Lines, presses "计算" as
// a window would, and writes what the window would then hold and show.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "calc_case.h"
#include "design/common/module.h"
#include "design/common/report_writer.h"

namespace {

constexpr const char* helpText = R"(用法：pedivo-calc [--report 文件.docx] [输入文件 ...]

Pedivo 柱脚设计的命令行版本：与输入窗口调用同一个计算核心，对相同的输入给出与窗口相同的结果。
从标准输入（或给出的文件）按行读取 JSON，每行一个算例：
  {"module": "j1", "entries": {"EdtN": "2000", "EdtV": "100"}, "cbsize": true}
  {"module": "j1", "steps": [{"entries": {"EdtN": "80"}}, {"entries": {"EdtN": "-1"}}]}
module 为柱脚类型（计算书模板名）：j1 两锚栓铰接、j2 四锚栓铰接、g11 八锚栓刚接、g12 十锚栓刚接、
g2 T型靴梁、g3 槽型靴梁、gc 插入式。entries 按控件对象名给出控件文本（Edthc、EdtN、CBfc、CBdms、
Edtsizea ……），未给出的控件保持窗口默认值；cbsize 为“底板尺寸按构造要求选取”。带 steps 时每一步
先修改给出的控件，再在同一个窗口中按“计算”，上一步保存的结果会保留。
每个算例输出一行 JSON：module、messages（依次弹出的提示）、focus（最后一次“计算”移到的控件）、
entries、cbsize、values（全部保存量）、results（“查看结果”的字段）、redCaptions、checks（各项验算：
name、formula、demand、limit、ratio、ok；尚未完成设计时为空）、report（计算书标签）。
无法读取的算例输出 {"error": "..."}，程序继续处理下一行；若有算例出错，退出码为 1，否则为 0。
--report 文件.docx：只有一个算例时，另用程序所在文件夹中的模板把计算书写到该文件。

Usage: pedivo-calc [--report FILE.docx] [INPUT ...]

The headless twin of Pedivo's input windows: it calls the same core, so the same entries give
the same results. Reads one JSON case a line from standard input or from the named files:
  {"module": M, "entries": {...}, "cbsize": true}  or  {"module": M, "steps": [{"entries": {...}}, ...]}
M is the template name of the base type (j1, j2, g11, g12, g2, g3, gc). Entries are control texts
by object name; controls not given keep their window defaults. Each step changes its entries and
presses "计算" in the same window. Writes one JSON object a case, in input order: module,
messages, focus, entries, cbsize, values, results, redCaptions, checks (each design check: name,
formula, demand, limit, ratio, ok; empty until a design is completed), report. A case that cannot be read
gives {"error": "..."}; the exit status is 1 if any case failed, else 0. --report FILE.docx with a
single case also writes the filled report there, from the template beside this program.
)";

std::filesystem::path programFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> inputs;
  std::optional<std::filesystem::path> reportPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << helpText;
      return 0;
    }
    if (arg == "--report") {
      if (i + 1 >= argc) {
        std::cerr << "pedivo-calc: --report 需要一个文件名\n";
        return 2;
      }
      reportPath = argv[++i];
      continue;
    }
    inputs.push_back(arg);
  }

  std::vector<std::string> lines;
  bool anyFailed = false;
  const auto readLines = [&](std::istream& in) {
    std::string line;
    while (std::getline(in, line))
      if (line.find_first_not_of(" \t\r") != std::string::npos) lines.push_back(line);
  };
  std::vector<nlohmann::ordered_json> unreadable;
  if (inputs.empty()) {
    readLines(std::cin);
  } else {
    for (const auto& name : inputs) {
      std::ifstream file(name);
      if (!file) {
        std::cout << nlohmann::ordered_json{{"error", "无法打开输入文件“" + name + "”"}}.dump() << '\n';
        anyFailed = true;
        continue;
      }
      readLines(file);
    }
  }
  if (reportPath && lines.size() != 1) {
    std::cerr << "pedivo-calc: --report 只能用于一个算例\n";
    return 2;
  }

  for (const auto& line : lines) {
    const pedivo::calc::CaseResult result = pedivo::calc::runCase(line);
    std::cout << result.output.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    anyFailed = anyFailed || result.failed;
    if (reportPath && !result.failed) {
      const pedivo::ModuleDescriptor* module = pedivo::findModule(*result.moduleId);
      const auto written = pedivo::fillTemplate(programFolder() / module->templateFile, result.report, *reportPath,
                                                pedivo::DocumentKind::Document);
      if (const auto* error = std::get_if<pedivo::ReportError>(&written)) {
        std::cerr << "pedivo-calc: " << error->message << '\n';
        anyFailed = true;
      }
    }
  }
  return anyFailed ? 1 : 0;
}
