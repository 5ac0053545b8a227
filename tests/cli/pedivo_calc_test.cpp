// The headless calculator through its JSON contract, run as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "design/common/design_session.h"
#include "design/common/module.h"
#include "calc_case.h"
#include "json_line.h"
#include "shell_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct CalcRun {
  std::vector<json> lines;
  int status = -1;
};

CalcRun runCalc(const std::string& input, const std::string& arguments = "") {
  const fs::path inputFile = fs::temp_directory_path() / ("pedivo-calc-test-" + std::to_string(::getpid()) + ".jsonl");
  std::ofstream(inputFile) << input;
  const std::string command = std::string(PEDIVO_CALC) + " " + arguments + " < " + inputFile.string();
  CalcRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  run.status = WEXITSTATUS(::pclose(pipe));
  fs::remove(inputFile);
  std::size_t start = 0;
  while (start < output.size()) {
    const std::size_t end = output.find('\n', start);
    run.lines.push_back(json::parse(output.substr(start, end - start)));
    start = end == std::string::npos ? output.size() : end + 1;
  }
  return run;
}

TEST(PedivoCalc, OneLineACaseInInputOrderWithDefaultsForControlsNotGiven) {
  const CalcRun run = runCalc(R"({"module": "j1", "entries": {"EdtN": "2000", "EdtV": "100"}}
{"module": "gc"}
)", "--detail");
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 2u);
  const json& twoBolt = run.lines[0];
  EXPECT_EQ(twoBolt["module"], "j1");
  EXPECT_EQ(twoBolt["messages"], json::array({"计算完毕！"}));
  EXPECT_TRUE(twoBolt["focus"].is_null());
  EXPECT_EQ(twoBolt["entries"]["Edthc"], "450");
  EXPECT_EQ(twoBolt["entries"]["EdtN"], "2000");
  EXPECT_EQ(twoBolt["cbsize"], true);
  EXPECT_EQ(twoBolt["values"]["L"], 560.0);
  EXPECT_EQ(twoBolt["values"]["tpb"], 48.0);
  EXPECT_EQ(twoBolt["results"][0], json::array({"EdtL", "560"}));
  EXPECT_EQ(twoBolt["results"][4], json::array({"edtshear", "不需要"}));
  EXPECT_EQ(twoBolt["report"][0], json::array({"<#hb>", "450"}));
  EXPECT_EQ(run.lines[1]["results"], json::array({json::array({"edtH", "680"})}));
}

// Each case says where its design stands, as the window's result line does.
TEST(PedivoCalc, EachCaseTellsItsState) {
  const CalcRun run = runCalc(R"({"module": "g11"}
{"module": "g11", "entries": {"Edthc": "400", "Edtbf": "400", "Edttw": "13", "Edttf": "21", "EdtN": "-2500", "EdtM": "450"}}
{"module": "g11", "entries": {"EdtV": "0"}}
{"module": "g11", "steps": [{"entries": {}}, {"entries": {"EdtV": "0"}}]}
)");
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(run.lines[0]["state"], "已完成");
  EXPECT_EQ(run.lines[1]["state"], "未完成");
  EXPECT_EQ(run.lines[2]["state"], "未计算");
  EXPECT_EQ(run.lines[3]["state"], "输入已修改");
  // The stop names its reason; a refused entry is no stop of the calculation.
  EXPECT_TRUE(run.lines[0]["stopReason"].is_null());
  EXPECT_EQ(run.lines[1]["stopReason"], "轴向拉力超过程序计算范围");
  EXPECT_TRUE(run.lines[2]["stopReason"].is_null());
  EXPECT_TRUE(run.lines[3]["stopReason"].is_null());
}

// Entries typed after the last "计算" show as typed; the design, its held values and its report
// numbers stay those of the calculation, and the state says so.
TEST(PedivoCalc, EntriesChangedAfterTheCalculationAreShownButNotDesigned) {
  const CalcRun run = runCalc(
      R"({"module": "g11", "after": {"EdtM": "999", "Edthc": "300"}}
{"module": "g11", "after": ["EdtM"]}
{"module": "g11", "after": {"EdtQ": "1"}}
)", "--detail");
  ASSERT_EQ(run.lines.size(), 3u);
  const json& out = run.lines[0];
  EXPECT_EQ(out["state"], "输入已修改");
  EXPECT_EQ(out["entries"]["EdtM"], "999");
  EXPECT_EQ(out["entries"]["Edthc"], "300");
  EXPECT_EQ(out["values"]["hb"], 450.0);
  EXPECT_EQ(out["values"]["M"], 160000000.0);
  std::string state;
  for (const auto& tag : out["report"])
    if (tag[0] == "<#state>") state = tag[1].get<std::string>();
  EXPECT_NE(state.find("999"), std::string::npos) << state;
  EXPECT_NE(state.find("160"), std::string::npos) << state;
  EXPECT_TRUE(run.lines[1].contains("error"));
  EXPECT_TRUE(run.lines[2].contains("error"));
}

std::string reportTag(const json& line, const std::string& tag) {
  for (const auto& pair : line["report"])
    if (pair[0] == tag) return pair[1];
  return "<missing>";
}

// A case's project block fills the report's tags, read the quick way or the general way alike;
// a block that is not one is refused by its caption.
TEST(PedivoCalc, TheProjectBlockFillsTheReportTags) {
  const CalcRun run = runCalc(R"({"module": "j1", "project": {"name": "某厂房", "member": "KZ-1", "date": "2026-12-09"}}
{"project": {"name": "某厂房", "member": "KZ-1", "date": "2026-12-09"}, "module": "j1", "steps": [{}]}
{"module": "j1"}
{"module": "j1", "project": {"name": 5}}
{"module": "j1", "project": {"name": "a", "name": "b"}}
)", "--detail");
  ASSERT_EQ(run.lines.size(), 5u);
  EXPECT_EQ(reportTag(run.lines[0], "<#project.name>"), "某厂房");
  EXPECT_EQ(reportTag(run.lines[0], "<#project.member>"), "KZ-1");
  EXPECT_EQ(reportTag(run.lines[0], "<#project.designer>"), "");  // not given: a blank
  EXPECT_EQ(run.lines[0]["report"], run.lines[1]["report"]);
  EXPECT_EQ(reportTag(run.lines[2], "<#project.name>"), "");
  EXPECT_EQ(run.lines[3]["error"], "项目信息“工程名称”应写成带引号的文字");
  EXPECT_EQ(run.lines[4]["error"], "重复的键“name”");
}

// By default a line holds what a user of the command line reads; the report's tags and the checks'
// formulas come with --detail, or for the one case that asks for them, read either way. Apart
// from them the detailed line is the plain one.
TEST(PedivoCalc, TheReportAndTheFormulasComeOnlyWhenAskedFor) {
  const std::string lines = R"({"module": "g2", "entries": {"EdtM": "400"}}
{"module": "g2", "entries": {"EdtM": "400"}, "detail": true}
{"module": "g2", "steps": [{"entries": {"EdtM": "400"}}], "detail": true}
{"module": "g2", "detail": "yes"}
{"module": "g2", "steps": [{}], "detail": false}
)";
  const CalcRun plain = runCalc(lines);
  const CalcRun detailed = runCalc(lines, "--detail");
  ASSERT_EQ(plain.lines.size(), 5u);
  ASSERT_EQ(detailed.lines.size(), 5u);
  for (const std::size_t i : {0u, 4u}) {
    EXPECT_FALSE(plain.lines[i].contains("report")) << i;
    for (const auto& check : plain.lines[i]["checks"]) EXPECT_FALSE(check.contains("formula"));
  }
  ASSERT_FALSE(plain.lines[0]["checks"].empty());
  for (const std::size_t i : {1u, 2u}) {
    EXPECT_EQ(plain.lines[i], detailed.lines[0]) << i;
    EXPECT_EQ(detailed.lines[i], detailed.lines[0]) << i;
  }
  json stripped = detailed.lines[0];
  stripped.erase("report");
  for (auto& check : stripped["checks"]) check.erase("formula");
  EXPECT_EQ(stripped, plain.lines[0]);
  EXPECT_GT(detailed.lines[0]["report"].size(), 100u);
  EXPECT_EQ(plain.lines[3]["error"], "“detail”必须是 true 或 false");
}

// What a user typed wrong is told in words, not in the reader's English.
TEST(PedivoCalc, ErrorsAreInTheUsersWords) {
  const CalcRun run = runCalc("{\"module\": \"j1\",\n[1]\n{\"module\": \"g11\", \"entries\": {\"CBf\": \"Q500\"}}\n"
                              "{\"module\": \"gc\", \"cbsize\": true}\n{\"module\" \"j1\"}\n");
  ASSERT_EQ(run.lines.size(), 5u);
  EXPECT_EQ(run.lines[0]["error"], "算例格式错误：到行尾还没有写完");
  EXPECT_EQ(run.lines[4]["error"], "算例格式错误：第 14 个字符处无法识别");
  EXPECT_EQ(run.lines[1]["error"].get<std::string>().find("JSON"), std::string::npos);
  EXPECT_EQ(run.lines[2]["error"], "钢材牌号“Q500”不在可选范围内（Q235、Q345、Q390、Q420）");
  EXPECT_EQ(run.lines[3]["error"], "插入式刚接柱脚没有“底板尺寸按构造要求选取”一项");
}

TEST(PedivoCalc, GivesExactlyWhatTheWindowSessionHolds) {
  const CalcRun run =
      runCalc(R"({"module": "j1", "entries": {"EdtN": "333.3", "Edtbf": "180"}, "cbsize": false})" "\n", "--detail");
  ASSERT_EQ(run.lines.size(), 1u);
  pedivo::DesignSession session(*pedivo::findModule("j1"));
  session.setText("EdtN", "333.3");
  session.setText("Edtbf", "180");
  session.setCbsize(false);
  session.calculate();
  for (const auto& value : session.values()) {
    if (const auto* text = std::get_if<std::string>(&value.value)) {
      EXPECT_EQ(run.lines[0]["values"][value.name].get<std::string>(), *text) << value.name;
    } else {
      EXPECT_EQ(run.lines[0]["values"][value.name].get<double>(), std::get<double>(value.value)) << value.name;
    }
  }
  const auto report = session.report();
  ASSERT_EQ(run.lines[0]["report"].size(), report.size());
  for (std::size_t i = 0; i < report.size(); ++i)
    EXPECT_EQ(run.lines[0]["report"][i][1].get<std::string>(), report[i].text);
}

// The calculator writes the names the program defines (controls, held values, result fields,
// report tags) without looking for bytes to escape; every one of them must need none.
TEST(PedivoCalc, NamesWrittenAsTheyStandNeedNoEscape) {
  for (const pedivo::ModuleDescriptor* module : pedivo::allModules()) {
    pedivo::DesignSession session(*module);
    session.calculate();
    for (const auto& group : module->groups)
      for (const auto& control : group.controls) EXPECT_TRUE(pedivo::calc::isPlainName(control.name)) << control.name;
    for (const auto& value : session.values()) EXPECT_TRUE(pedivo::calc::isPlainName(value.name)) << value.name;
    const pedivo::ResultView view = session.results();
    for (const auto& field : view.fields) EXPECT_TRUE(pedivo::calc::isPlainName(field.field)) << field.field;
    for (const auto& tag : session.report()) EXPECT_TRUE(pedivo::calc::isPlainName(tag.tag)) << tag.tag;
    EXPECT_TRUE(pedivo::calc::isPlainName(module->id));
  }
  EXPECT_FALSE(pedivo::calc::isPlainName("<#a\"b>"));
  EXPECT_FALSE(pedivo::calc::isPlainName("柱"));
}

TEST(PedivoCalc, ListsTheChecksOfTheDesignWithTheWarning) {
  const CalcRun run = runCalc(R"({"module": "j1", "entries": {"EdtN": "3000", "EdtV": "100"}}
{"module": "j1", "entries": {"EdtV": "0"}}
)", "--detail");
  ASSERT_EQ(run.lines.size(), 2u);
  const json& out = run.lines[0];
  ASSERT_EQ(out["messages"].size(), 2u);
  EXPECT_EQ(out["messages"][1].get<std::string>().rfind("以下验算不满足要求：", 0), 0u);
  EXPECT_EQ(out["redCaptions"], json::array({"edthf11"}));
  ASSERT_EQ(out["checks"].size(), 11u);  // the plate's five, "抗剪键" and the shear key's five
  const json& flange = out["checks"][3];
  EXPECT_EQ(flange["name"], "柱翼缘轴压应力");
  EXPECT_EQ(flange["formula"], "σN = N/(2AF + Aeww) ≤ f");
  EXPECT_EQ(flange["demand"].get<double>(), out["values"]["ylnc"].get<double>());
  EXPECT_EQ(flange["limit"], 215.0);
  EXPECT_EQ(flange["ratio"], 1.14);
  EXPECT_EQ(flange["ok"], false);
  EXPECT_TRUE(out["checks"][5]["ratio"].is_null());  // the shear key is a decision
  // A refused calculation designs nothing: no checks to list.
  EXPECT_EQ(run.lines[1]["checks"], json::array());
}

TEST(PedivoCalc, StepsPressCalculateInTheSameWindow) {
  const CalcRun run = runCalc(
      R"({"module": "j1", "steps": [{"entries": {"EdtN": "2000"}}, {"entries": {"EdtN": "-1", "EdtV": "55"}}]})" "\n",
      "--detail");
  ASSERT_EQ(run.lines.size(), 1u);
  const json& out = run.lines[0];
  EXPECT_EQ(out["messages"], json::array({"计算完毕！", "铰接柱脚柱底轴力应为压力（正值）"}));
  EXPECT_EQ(out["focus"], "EdtN");
  EXPECT_EQ(out["entries"]["EdtN"], "-1");
  EXPECT_EQ(out["values"]["L"], 560.0);  // held from the first step
  EXPECT_EQ(out["report"][4], json::array({"<#N>", "2000"}));  // the design data of the held design
}

TEST(PedivoCalc, UnreadableCasesGiveAnErrorLineAndTheRunGoesOn) {
  const CalcRun run = runCalc(R"(not json
{"module": "x1"}
{"module": "j1", "entries": {"EdtM": "100"}}
{"module": "j1", "entries": {"CBfc": "C50"}}
{"module": "gc", "cbsize": true}
{"module": "j1", "entries": {"EdtN": 80}}

{"module": "gc", "entries": {"EdtM": "0"}}
)");
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 7u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_TRUE(run.lines[i].contains("error")) << i;
  EXPECT_NE(run.lines[1]["error"].get<std::string>().find("x1"), std::string::npos);
  EXPECT_NE(run.lines[3]["error"].get<std::string>().find("C50"), std::string::npos);
  EXPECT_EQ(run.lines[6]["messages"], json::array({"柱底弯矩应输入正值"}));
  EXPECT_EQ(run.lines[6]["focus"], "EdtM");
}

TEST(PedivoCalc, WritesTheFilledReportForASingleCase) {
  const fs::path report = fs::temp_directory_path() / ("pedivo-calc-report-" + std::to_string(::getpid()) + ".docx");
  const CalcRun run = runCalc(R"({"module": "gc", "entries": {"EdtM": "300"}})" "\n", "--report " + report.string());
  EXPECT_EQ(run.status, 0);
  ASSERT_TRUE(fs::exists(report));
  EXPECT_GT(fs::file_size(report), 1000u);
  fs::remove(report);

  EXPECT_EQ(runCalc("{\"module\": \"gc\"}\n{\"module\": \"gc\"}\n", "--report " + report.string()).status, 2);
  EXPECT_FALSE(fs::exists(report));

  // An input file that cannot be opened is not passed over: no report from the rest of the input.
  const fs::path missing = fs::temp_directory_path() / "pedivo-calc-no-such-input.jsonl";
  const fs::path good = fs::temp_directory_path() / ("pedivo-calc-good-" + std::to_string(::getpid()) + ".jsonl");
  std::ofstream(good) << R"({"module": "gc"})" << "\n";
  EXPECT_EQ(runCalc("", "--report " + report.string() + " " + missing.string() + " " + good.string() + " 2>/dev/null")
                .status,
            2);
  EXPECT_FALSE(fs::exists(report));
  fs::remove(good);
}

// The fast line writer lays out numbers and texts as nlohmann::json's dump() does, so the output
// keeps its form; every number reads back exactly.
TEST(JsonLineWriter, WritesWhatDumpWrites) {
  std::vector<double> numbers{0.0,    -0.0,   560.0,   11.9,    1e-5,      0.0001,   0.00012345, 123456789012345.0,
                              1e15,   1e16,   1e300,   -2.5e-7, 4547.2,    0.1 + 0.2, 1.0 / 3.0, 244.17241828363072,
                              2e-308, 5e-324, 1.7976931348623157e308, 100.0, 12.5,     -7.0};
  // Any bit pattern of a double, and values of the size a design holds; the same draw every run.
  std::mt19937_64 draw(2024);
  std::uniform_real_distribution<double> designSized(-1e6, 1e6);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = draw();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (std::isfinite(x)) numbers.push_back(x);
    numbers.push_back(designSized(draw));
    numbers.push_back(std::trunc(designSized(draw) * 1000) / 1000);  // as the report formats cut them
  }
  std::size_t differentDigits = 0;
  for (const double x : numbers) {
    pedivo::calc::TextBuffer buffer;
    pedivo::calc::JsonLine(buffer).value(x);
    const std::string out = buffer.str();
    const std::string expected = json(x).dump();
    EXPECT_EQ(json::parse(out).get<double>(), x) << out;
    if (out != expected) ++differentDigits;
  }
  // Grisu2 misses the shortest digits in a very few cases; the layout is otherwise the same.
  EXPECT_LT(differentDigits, numbers.size() / 200);
  pedivo::calc::TextBuffer written;
  pedivo::calc::JsonLine(written).value(std::string_view("柱\"脚\\\n\x01\xff"));
  const std::string text = written.str();
  EXPECT_EQ(text, json(std::string("柱\"脚\\\n\x01\xff")).dump(-1, ' ', false, json::error_handler_t::replace));
}

TEST(PedivoCalc, DesignsATableOfColumnFeet) {
  const fs::path table = fs::temp_directory_path() / ("pedivo-calc-table-" + std::to_string(::getpid()) + ".csv");
  std::ofstream(table) << "\xEF\xBB\xBFid,module,EdtN,EdtV\n\"KZ-1, grid A\",j1,2000,100\nKZ-2,j1,,\nKZ-3,x1,,\n";
  const std::string command = std::string(PEDIVO_CALC) + " --csv " + table.string();
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
  EXPECT_EQ(WEXITSTATUS(::pclose(pipe)), 1);  // one row could not be designed
  fs::remove(table);
  EXPECT_EQ(output.rfind("\xEF\xBB\xBF\"编号\"", 0), 0u);
  // A row's message stands next to its number.
  EXPECT_NE(output.find("\"KZ-1, grid A\",\"计算完毕！\",\"j1 两锚栓铰接柱脚\",\"560\""), std::string::npos) << output;
  EXPECT_NE(output.find("\"KZ-3\",\"柱脚类型“x1”未知"), std::string::npos) << output;
}

// A pipe sees each result as soon as its line is computed, not at the end of the input.
// Thousands of cases of every kind, good and bad, are designed on worker threads in batches, the
// usual ones through the quick reading; each output line must still be the one the general
// reading gives for its input line on its own, in input order.
TEST(PedivoCalc, ManyCasesComeBackInInputOrder) {
  const std::vector<std::string> cases = {
      R"({"module": "j1", "entries": {"EdtN": "%"}})",
      R"({"module": "j2", "entries": {"EdtN": "%"}, "cbsize": false})",
      R"({"entries": {"EdtM": "%", "EdtN": "80"}, "module": "g11"})",
      R"({"module": "g3", "entries": {"EdtN": "%"}})",
      R"({"module": "gc", "entries": {"EdtM": "%"}})",
      R"({"module": "j1", "entries": {"EdtN": %}})",
      "not json %",
      "",
      R"({"module": "j1", "entries": {"EdtN": "%", "EdtN": "90"}})",
      R"({"module": "j1", "module": "gc", "entries": {"EdtN": "%"}})",
      R"({"module": "gc", "cbsize": true, "entries": {"EdtM": "%"}})",
      R"({"module": "j1", "entries": {"EdtX": "%"}})",
      R"({"module": "j1", "entries": {"CBfc": "C%"}})",
      R"({"module": "j1", "entries": {"EdtN": "1%"}, "cbsize": true})",
      R"({"module": "j1", "entries": {"EdtN": "%"}} trailing)",
      R"({"module": "j1", "entries": {"EdtN": "%"}, "extra": 1})",
      R"({"module": 1, "entries": {"EdtN": "%"}})",
      R"({"module": "j1", "entries": [["%"]]})",
      R"({"module": "j1", "entries": {"EdtN": "汉%"}})",
      R"({"module": "j1", "steps": [{"entries": {"EdtN": "%"}}, {"entries": {"EdtV": "10"}}]})",
      R"(["j1", "%"])",
      "{\"module\": \"j1\", \"entries\": {\"EdtN\": \"\xff%\"}}",
  };
  std::string input;
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) {
    std::string line = cases[static_cast<std::size_t>(i) % cases.size()];
    if (const auto mark = line.find('%'); mark != std::string::npos) line.replace(mark, 1, std::to_string(50 + i));
    input += line + "\n";
    if (!line.empty()) expected.push_back(pedivo::calc::runCase(line).output);
  }
  const CalcRun run = runCalc(input);
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(run.lines[i], json::parse(expected[i])) << i;
}

TEST(PedivoCalc, StreamsEachResultAsItsLineArrives) {
  const std::string command = std::string("bash -c '(echo \"{\\\"module\\\": \\\"j1\\\"}\"; sleep 3; "
                                          "echo \"{\\\"module\\\": \\\"gc\\\"}\") | ") +
                              PEDIVO_CALC + "'";
  const auto start = std::chrono::steady_clock::now();
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[65536];
  ASSERT_NE(std::fgets(buffer, sizeof buffer, pipe), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(json::parse(buffer)["module"], "j1");
  ASSERT_NE(std::fgets(buffer, sizeof buffer, pipe), nullptr);
  EXPECT_EQ(json::parse(buffer)["module"], "gc");
  EXPECT_EQ(WEXITSTATUS(::pclose(pipe)), 0);
}

TEST(PedivoCalc, HostileInputGivesErrorLinesInPlaceAndTheRunGoesOn) {
  const fs::path deep = fs::temp_directory_path() / ("pedivo-calc-deep-" + std::to_string(::getpid()) + ".jsonl");
  {
    std::ofstream out(deep);
    out << R"({"module": "j1", "entries": )" << std::string(100000, '[') << std::string(100000, ']') << "}\n";
    out << R"({"module": "gc", "entries": {"EdtM": 1e400}})" << "\n";
  }
  // A folder named as input is an error line in its place; the file after it is still read.
  const CalcRun run = runCalc("", deep.string() + " " + fs::temp_directory_path().string() + " " + deep.string());
  fs::remove(deep);
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 5u);
  EXPECT_EQ(run.lines[3]["error"], "嵌套层数过多");
  EXPECT_EQ(run.lines[0]["error"], "嵌套层数过多");
  EXPECT_EQ(run.lines[1]["error"], "算例格式错误：数值超出范围");
  EXPECT_NE(run.lines[2]["error"].get<std::string>().find("无法打开输入文件"), std::string::npos);
}

TEST(PedivoCalc, AFullDiskIsAnErrorNotSuccess) {
  const std::string command = std::string("echo '{\"module\": \"j1\"}' | ") + PEDIVO_CALC + " > /dev/full 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
}

// The report target is honoured: a file the user may not write is left as it was, a symbolic link
// is written through and stays a link.
TEST(PedivoCalc, ReportTargetIsNeverReplacedBehindTheUsersBack) {
  const fs::path folder = fs::temp_directory_path() / ("pedivo-calc-target-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path locked = folder / "locked.docx";
  std::ofstream(locked) << "keep";
  fs::permissions(locked, fs::perms::owner_read);
  const bool root = ::geteuid() == 0;  // root may write anything; the refusal cannot be seen then
  const CalcRun refused = runCalc(R"({"module": "gc"})" "\n", "--report " + locked.string() + " 2>/dev/null");
  if (!root) {
    EXPECT_EQ(refused.status, 2);
    std::ifstream in(locked);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "keep");
  }

  const fs::path real = folder / "real.docx";
  const fs::path link = folder / "link.docx";
  std::ofstream(real) << "old";
  fs::create_symlink(real, link);
  EXPECT_EQ(runCalc(R"({"module": "gc"})" "\n", "--report " + link.string()).status, 0);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_GT(fs::file_size(real), 1000u);
  fs::permissions(locked, fs::perms::owner_all);
  fs::remove_all(folder);
}

using pedivo::cli_testing::shell;
using pedivo::cli_testing::ShellRun;

class PedivoCalcTables : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pedivo-calc-tables-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }
  fs::path folder_;
};

// A table from standard input gives what the same file gives; an id a spreadsheet would run as a
// formula is written as text.
TEST_F(PedivoCalcTables, CellsThatASpreadsheetWouldRunAreWrittenAsText) {
  const auto table = write("t.csv", "id,module,EdtN\n\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",j1,2000\n-3,j1,80\n@a,gc,\n");
  const ShellRun fromFile = shell(std::string(PEDIVO_CALC) + " --csv " + table.string());
  const ShellRun fromInput = shell(std::string(PEDIVO_CALC) + " --csv < " + table.string());
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_EQ(fromFile.out, fromInput.out);
  EXPECT_NE(fromFile.out.find("\r\n\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",\"计算完毕！\",\"j1 "), std::string::npos)
      << fromFile.out;
  EXPECT_NE(fromFile.out.find("\r\n\"-3\",\"计算完毕！\",\"j1 "), std::string::npos);  // a number stays a number
  EXPECT_NE(fromFile.out.find("\r\n\"'@a\",\""), std::string::npos);
}

// A row refused while its cells are read, or by the input checks, keeps its message and gets no
// proposal; the row beside it that fails a check gets one.
TEST_F(PedivoCalcTables, RefusedRowsGetNoProposal) {
  const auto table = write("r.csv", "module,id,Edthc,CBf,EdtM,EdtN\ng3,x,700,Q500,1200,\ng3,y,0,Q235,1200,500\n"
                                    "g11,z,294,Q345,160,88\n");
  const ShellRun run = shell(std::string(PEDIVO_CALC) + " --csv " + table.string() + " --adjust");
  EXPECT_EQ(run.status, 1);  // rows that do not pass
  std::vector<std::string> rows;
  for (std::size_t start = 0; start < run.out.size();) {
    const std::size_t end = run.out.find("\r\n", start);
    rows.push_back(run.out.substr(start, end - start));
    start = end == std::string::npos ? run.out.size() : end + 2;
  }
  ASSERT_EQ(rows.size(), 4u) << run.out;
  const auto lastCells = [](const std::string& row) { return row.substr(row.size() - 6); };
  EXPECT_NE(rows[1].find("Q500"), std::string::npos) << rows[1];
  EXPECT_EQ(lastCells(rows[1]), ",\"\",\"\"") << rows[1];  // no changes, no weight
  EXPECT_NE(rows[2].find("柱截面高度必须大于0"), std::string::npos) << rows[2];
  EXPECT_EQ(lastCells(rows[2]), ",\"\",\"\"") << rows[2];
  EXPECT_NE(rows[3].find("cbsize=0"), std::string::npos) << rows[3];
}

// Tables that cannot be read stop the run with a message and exit status 2 before any output.
TEST_F(PedivoCalcTables, TablesThatCannotBeReadAreToldNotDesigned) {
  const ShellRun nul = shell(std::string(PEDIVO_CALC) + " --csv " + write("nul.csv", std::string("module\nj1\0\n", 11)).string());
  EXPECT_EQ(nul.status, 2);
  EXPECT_EQ(nul.out, "");
  EXPECT_NE(nul.err.find("空字符"), std::string::npos);
  const ShellRun header = shell(std::string(PEDIVO_CALC) + " --csv < " + write("h.csv", "module,EdtNN\nj1,1\n").string());
  EXPECT_EQ(header.status, 2);
  EXPECT_NE(header.err.find("未知的列“EdtNN”"), std::string::npos);
  // Standard input has the size limit of every table.
  const ShellRun large = shell("head -c 70000000 /dev/zero | tr '\\0' 'x' | " + std::string(PEDIVO_CALC) + " --csv");
  EXPECT_EQ(large.status, 2);
  EXPECT_NE(large.err.find("表格超过 64 MB"), std::string::npos) << large.err;
}

// The workbook goes only where a regular file may be written: a device, a folder or a link to
// nothing is refused with a message and exit status 2, and left as it was.
TEST_F(PedivoCalcTables, WorkbookTargetsThatAreNotFilesAreRefused) {
  const auto table = write("t.csv", "module,EdtN\nj1,2000\n");
  fs::create_symlink(folder_ / "no-folder" / "x.xlsx", folder_ / "dangling.xlsx");
  for (const std::string& target : {std::string("/dev/null"), folder_.string(), (folder_ / "dangling.xlsx").string()}) {
    const ShellRun run = shell(std::string(PEDIVO_CALC) + " --csv " + table.string() + " --xlsx " + target);
    EXPECT_EQ(run.status, 2) << target;
    EXPECT_NE(run.err.find("无法写入工作簿"), std::string::npos) << run.err;
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "dangling.xlsx"));
  EXPECT_FALSE(fs::exists(folder_ / "no-folder"));
  const ShellRun written = shell(std::string(PEDIVO_CALC) + " --csv " + table.string() + " --xlsx " +
                                 (folder_ / "r.xlsx").string() + " > /dev/null");
  EXPECT_EQ(written.status, 0);
  EXPECT_GT(fs::file_size(folder_ / "r.xlsx"), 1000u);
}

// A line that says one thing twice, hides text behind a NUL or runs past the line limit gives an
// error line in its place; the lines after it are designed.
TEST(PedivoCalc, AmbiguousOrOverlongLinesAreRefusedInPlace) {
  const std::string overlong = R"({"module": "j1", "entries": {"Edthc": ")" + std::string(pedivo::calc::longestLine, '4') + "\"}}";
  const CalcRun run = runCalc(R"({"module": "j1", "module": "gc"})" "\n"
                              R"({"module": "j1", "entries": {"EdtN": "2000", "EdtN": "80"}})" "\n"
                              R"({"module": "j1", "entries": {"EdtN": "2000\u0000junk"}})" "\n" +
                              overlong + "\n" R"({"module": "j1"})" "\n");
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 5u);
  EXPECT_EQ(run.lines[0]["error"], "重复的键“module”");
  EXPECT_EQ(run.lines[1]["error"], "重复的键“EdtN”");
  EXPECT_EQ(run.lines[2]["error"], "含有空字符（NUL）");
  EXPECT_EQ(run.lines[3]["error"], "输入行过长（超过 1 MB），未读取");
  EXPECT_EQ(run.lines[4]["module"], "j1");
}

}  // namespace

namespace {

// Weight and remedies on every line; with --adjust the proposal of a design that does not pass,
// which designed again as an ordinary case gives the same passing design.
TEST(PedivoCalc, TellsWeightRemediesAndTheAdjustedProposal) {
  const std::string tenBolts =
      R"({"module": "g12", "entries": {"Edthc": "294", "Edtbf": "200", "Edttw": "8", "Edttf": "12", "EdtN": "563",)"
      R"( "EdtV": "78", "CBf": "Q235", "CBfta": "Q235", "CBfc": "C35", "EdtM": "28"}, "cbsize": true})";
  const std::string input = tenBolts + "\n" + R"({"module": "j1", "entries": {}})" + "\n" +
                            R"({"module": "g2", "entries": {"EdtN": "0"}})" + "\n";
  const CalcRun run = runCalc(input, "--adjust");
  ASSERT_EQ(run.lines.size(), 3u);
  const json& failing = run.lines[0];
  EXPECT_GT(failing.at("weight").get<double>(), 0);
  EXPECT_TRUE(failing.at("remedy").is_null());
  bool layoutRemedy = false;
  for (const auto& check : failing.at("checks")) {
    if (!check.at("ok").get<bool>()) {
      layoutRemedy = layoutRemedy || check.at("remedy").get<std::string>().find("改用八锚栓柱脚") != std::string::npos;
    } else {
      EXPECT_TRUE(check.at("remedy").is_null()) << check.at("name");  // a passing check asks nothing
    }
  }
  EXPECT_TRUE(layoutRemedy);
  const json& adjusted = failing.at("adjusted");
  ASSERT_TRUE(adjusted.is_object());
  EXPECT_EQ(adjusted.at("module"), "g11");
  EXPECT_EQ(adjusted.at("note"), "本类型在可调整范围内没有满足要求的设计，建议改用八锚栓刚接柱脚");
  EXPECT_EQ(adjusted.at("changed").at(0), "module");
  EXPECT_FALSE(adjusted.at("cbsize").get<bool>());
  EXPECT_EQ(adjusted.at("messages"), json::array({"计算完毕！"}));

  json again = {{"module", adjusted.at("module")}, {"entries", adjusted.at("entries")}, {"cbsize", false}};
  const CalcRun rerun = runCalc(again.dump() + "\n");
  ASSERT_EQ(rerun.lines.size(), 1u);
  EXPECT_EQ(rerun.lines[0].at("weight"), adjusted.at("weight"));
  EXPECT_EQ(rerun.lines[0].at("messages"), adjusted.at("messages"));

  EXPECT_TRUE(run.lines[1].at("adjusted").is_null());  // it passes already
  // A stop carries its remedy.
  EXPECT_EQ(run.lines[2].at("messages"), json::array({"柱底轴力不能为0"}));
  EXPECT_NE(run.lines[2].at("remedy").get<std::string>().find("输入柱底轴力"), std::string::npos);
  EXPECT_TRUE(run.lines[2].at("weight").is_null());
}

}  // namespace

namespace {

// A design's "sizes" given back as a check give the design's checks; the output says which it is.
TEST(PedivoCalc, ADesignsSizesGivenBackAsACheckGiveItsChecks) {
  const CalcRun designed = runCalc(R"({"module": "g11", "entries": {"EdtN": "800", "EdtM": "300"}, "cbsize": true}
{"module": "gc", "entries": {"EdtN": "800", "EdtM": "300"}}
{"module": "g11", "entries": {"EdtN": "150", "EdtV": "200", "EdtM": "160"}, "cbsize": true}
)");
  ASSERT_EQ(designed.lines.size(), 3u);
  std::string checks;
  for (const json& line : designed.lines) {
    EXPECT_EQ(line.at("mode"), "design");
    ASSERT_TRUE(line.at("sizes").is_object());
    json check{{"module", line.at("module")}, {"entries", line.at("entries")}, {"mode", "check"},
               {"sizes", line.at("sizes")}};
    if (line.at("module") == "g11") check["cbsize"] = true;
    checks += check.dump() + "\n";
  }
  // The plate's twelve sizes and the shear key's six: none under the first design, one under the last.
  EXPECT_EQ(designed.lines[0].at("sizes").size(), 18u);
  EXPECT_EQ(designed.lines[0].at("sizes").at("keyh"), 0);
  EXPECT_EQ(designed.lines[1].at("sizes"), json({{"H2", designed.lines[1].at("values").at("H2")}}));
  EXPECT_EQ(designed.lines[2].at("sizes").at("keyh"), designed.lines[2].at("values").at("keyh"));
  EXPECT_GT(designed.lines[2].at("sizes").at("hk").get<double>(), 0);
  const CalcRun checked = runCalc(checks);
  EXPECT_EQ(checked.status, 0);
  ASSERT_EQ(checked.lines.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const json& design = designed.lines[i];
    const json& check = checked.lines[i];
    EXPECT_EQ(check.at("mode"), "check");
    EXPECT_EQ(check.at("state"), "已完成");
    EXPECT_EQ(check.at("sizes"), design.at("sizes")) << "a given size is never changed";
    ASSERT_GE(check.at("checks").size(), design.at("checks").size());
    for (std::size_t c = 0; c < design.at("checks").size(); ++c) {
      EXPECT_EQ(check.at("checks")[c].at("name"), design.at("checks")[c].at("name"));
      EXPECT_NEAR(check.at("checks")[c].at("demand").get<double>(), design.at("checks")[c].at("demand").get<double>(), 1e-9);
      EXPECT_EQ(check.at("checks")[c].at("ok"), design.at("checks")[c].at("ok"));
    }
  }
  EXPECT_GT(checked.lines[0].at("checks").size(), designed.lines[0].at("checks").size()) << "the rules follow";
}

TEST(PedivoCalc, ACheckWithoutItsSizesIsRefusedNamingThem) {
  const CalcRun run = runCalc(R"({"module": "gc", "mode": "check", "sizes": {}}
{"module": "gc", "mode": "check"}
{"module": "gc", "sizes": {"H2": 800}}
{"module": "gc", "mode": "check", "sizes": {"H2": 800, "tpb": 20}}
{"module": "gc", "mode": "verify", "sizes": {"H2": 800}}
{"module": "gc", "mode": "check", "sizes": {"H2": "800"}}
)");
  ASSERT_EQ(run.lines.size(), 6u);
  EXPECT_EQ(run.lines[0].at("messages"), json::array({"缺少尺寸：钢柱插入深度dc（H2）"}));
  EXPECT_EQ(run.lines[0].at("sizes"), nullptr);
  for (std::size_t i = 1; i < 6; ++i) EXPECT_TRUE(run.lines[i].contains("error")) << i;
  EXPECT_NE(run.lines[3].at("error").get<std::string>().find("tpb"), std::string::npos);
}

// Several combinations in, each check's governing combination and every combination's largest
// ratio out; the design's sizes and loads given back as a check give the same verdicts.
TEST(PedivoCalc, LoadCombinationsInAndOut) {
  const std::string loads =
      R"([{"name": "1.2D+1.4L", "N": 1200, "V": 40, "M": 120}, {"name": "1.2D+1.4W", "N": 900, "V": 60, "M": 200},)"
      R"( {"name": "1.0D-1.4W", "N": 150, "V": -50, "M": -110}])";
  const std::string column = R"("module": "g11", "cbsize": true, "entries": {"Edthc": "600", "Edtbf": "300", "Edttf": "20"})";
  const CalcRun designed = runCalc("{" + column + R"(, "loads": )" + loads + "}\n");
  ASSERT_EQ(designed.lines.size(), 1u);
  const json& line = designed.lines[0];
  EXPECT_EQ(line.at("state"), "已完成");
  EXPECT_EQ(line.at("entries").at("EdtN"), "1200") << "the first combination in the boxes";
  const json& combinations = line.at("combinations");
  ASSERT_EQ(combinations.size(), 3u);
  EXPECT_EQ(combinations[2].at("name"), "1.0D-1.4W");
  EXPECT_EQ(combinations[2].at("M"), -110);
  std::map<std::string, std::string> governing;
  for (const json& check : line.at("checks")) governing[check.at("id")] = check.at("governing");
  std::size_t governed = 0;
  for (const json& combination : combinations) {
    double largest = 0;
    for (const json& id : combination.at("governs")) {
      EXPECT_EQ(governing.at(id), combination.at("name"));
      ++governed;
    }
    for (const json& check : line.at("checks"))
      if (check.at("governing") == combination.at("name") && check.at("ratio").is_number())
        largest = std::max(largest, check.at("ratio").get<double>());
    EXPECT_GE(combination.at("ratio").get<double>(), largest);
  }
  EXPECT_EQ(governed, line.at("checks").size()) << "every check governed by one combination";
  EXPECT_EQ(governing.at("bolt"), "1.0D-1.4W") << "the least compression pulls hardest on the bolts";

  const CalcRun checked = runCalc("{" + column + R"(, "loads": )" + loads + R"(, "mode": "check", "sizes": )" +
                                  line.at("sizes").dump() + "}\n");
  ASSERT_EQ(checked.lines.size(), 1u);
  EXPECT_EQ(checked.lines[0].at("mode"), "check");
  ASSERT_EQ(checked.lines[0].at("checks").size(), line.at("checks").size());
  for (std::size_t c = 0; c < line.at("checks").size(); ++c) {
    EXPECT_EQ(checked.lines[0].at("checks")[c].at("ok"), line.at("checks")[c].at("ok"));
    EXPECT_EQ(checked.lines[0].at("checks")[c].at("governing"), line.at("checks")[c].at("governing"));
  }
}

TEST(PedivoCalc, LoadsAndForceEntriesTogetherAreRefused) {
  const CalcRun run = runCalc(R"({"module": "g11", "entries": {"EdtN": "800"}, "loads": [{"name": "A", "N": 1, "V": 1, "M": 1}]}
{"module": "g11", "loads": [{"name": "A", "N": 1, "V": 1, "M": 1}], "after": {"EdtM": "5"}}
{"module": "g11", "loads": []}
{"module": "g11", "loads": [{"name": "A", "N": "1", "V": 1, "M": 1}]}
{"module": "g11", "loads": [{"name": "A", "N": 1, "V": 1, "M": 1, "T": 3}]}
{"module": "j1", "loads": [{"name": "D", "N": 500, "V": 10}, {"name": "W", "N": 300, "V": 20, "M": 5}]}
{"module": "j1", "loads": [{"name": "D", "N": 500, "V": 10}, {"name": "W", "N": 300, "V": 20}]}
)");
  ASSERT_EQ(run.lines.size(), 7u);
  for (std::size_t i = 0; i < 6; ++i) ASSERT_TRUE(run.lines[i].contains("error")) << i;
  EXPECT_NE(run.lines[0].at("error").get<std::string>().find("EdtN"), std::string::npos);
  EXPECT_NE(run.lines[3].at("error").get<std::string>().find("“N”必须是数值"), std::string::npos);
  EXPECT_NE(run.lines[4].at("error").get<std::string>().find("T"), std::string::npos);
  EXPECT_NE(run.lines[5].at("error").get<std::string>().find("第 2 组荷载组合“W”"), std::string::npos);
  EXPECT_EQ(run.lines[6].at("state"), "已完成");
  EXPECT_EQ(run.lines[6].at("combinations").size(), 2u);
  EXPECT_FALSE(run.lines[6].at("combinations")[0].contains("M") && run.lines[6].at("combinations")[0].at("M") != 0);
}

}  // namespace
