// The headless calculator through its JSON contract, run as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "design/common/design_session.h"
#include "design/common/module.h"

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
)");
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
  EXPECT_EQ(twoBolt["results"][4], json::array({"edtshear", "no"}));
  EXPECT_EQ(twoBolt["report"][0], json::array({"<#hb>", "450"}));
  EXPECT_EQ(run.lines[1]["results"], json::array({json::array({"edtH", "680"})}));
}

TEST(PedivoCalc, GivesExactlyWhatTheWindowSessionHolds) {
  const CalcRun run = runCalc(R"({"module": "j1", "entries": {"EdtN": "333.3", "Edtbf": "180"}, "cbsize": false})" "\n");
  ASSERT_EQ(run.lines.size(), 1u);
  pedivo::DesignSession session(*pedivo::findModule("j1"));
  session.setText("EdtN", "333.3");
  session.setText("Edtbf", "180");
  session.setCbsize(false);
  session.calculate();
  for (const auto& value : session.values())
    EXPECT_EQ(run.lines[0]["values"][value.name].get<double>(), std::get<double>(value.value)) << value.name;
  const auto report = session.report();
  ASSERT_EQ(run.lines[0]["report"].size(), report.size());
  for (std::size_t i = 0; i < report.size(); ++i)
    EXPECT_EQ(run.lines[0]["report"][i][1].get<std::string>(), report[i].text);
}

TEST(PedivoCalc, ListsTheChecksOfTheDesignWithTheWarning) {
  const CalcRun run = runCalc(R"({"module": "j1", "entries": {"EdtN": "3000", "EdtV": "100"}}
{"module": "j1", "entries": {"EdtV": "0"}}
)");
  ASSERT_EQ(run.lines.size(), 2u);
  const json& out = run.lines[0];
  ASSERT_EQ(out["messages"].size(), 2u);
  EXPECT_EQ(out["messages"][1].get<std::string>().rfind("以下验算不满足要求：", 0), 0u);
  EXPECT_EQ(out["redCaptions"], json::array({"edthf11"}));
  ASSERT_EQ(out["checks"].size(), 5u);
  const json& flange = out["checks"][2];
  EXPECT_EQ(flange["name"], "柱翼缘轴压应力");
  EXPECT_EQ(flange["formula"], "σN = N/(2AF + Aeww) ≤ f");
  EXPECT_EQ(flange["demand"].get<double>(), out["values"]["ylnc"].get<double>());
  EXPECT_EQ(flange["limit"], 215.0);
  EXPECT_EQ(flange["ratio"], 1.14);
  EXPECT_EQ(flange["ok"], false);
  EXPECT_TRUE(out["checks"][4]["ratio"].is_null());  // the shear key is a decision
  // A refused calculation designs nothing: no checks to list.
  EXPECT_EQ(run.lines[1]["checks"], json::array());
}

TEST(PedivoCalc, StepsPressCalculateInTheSameWindow) {
  const CalcRun run = runCalc(
      R"({"module": "j1", "steps": [{"entries": {"EdtN": "2000"}}, {"entries": {"EdtN": "-1", "EdtV": "55"}}]})" "\n");
  ASSERT_EQ(run.lines.size(), 1u);
  const json& out = run.lines[0];
  EXPECT_EQ(out["messages"], json::array({"计算完毕！", "铰接柱脚柱底轴力应为压力（正值）"}));
  EXPECT_EQ(out["focus"], "EdtN");
  EXPECT_EQ(out["entries"]["EdtN"], "-1");
  EXPECT_EQ(out["values"]["L"], 560.0);  // held from the first step
  EXPECT_EQ(out["report"][4], json::array({"<#N>", "-1"}));
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
}

}  // namespace
