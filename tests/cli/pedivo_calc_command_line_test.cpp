// pedivo-calc's command line: how it is read, what each mistake in it gives on standard error and
// as exit status, and how the single-case mode counts its cases, run as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../design/package_part.h"
#include "design/files/software_version.h"
#include "help_text.h"
#include "options.h"
#include "shell_run.h"

namespace {

namespace fs = std::filesystem;
using pedivo::calc::Options;
using pedivo::calc::parseOptions;

std::variant<Options, std::string> parse(std::vector<const char*> arguments) { return parseOptions(arguments); }

TEST(PedivoCalcOptions, ReadsEveryOptionAndKeepsTheInputsInOrder) {
  const auto parsed = parse({"a.jsonl", "--report", "r.docx", "b.jsonl", "--dxf", "d.dxf", "--detail"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  const Options& options = std::get<Options>(parsed);
  EXPECT_EQ(options.inputs, (std::vector<std::string>{"a.jsonl", "b.jsonl"}));
  EXPECT_EQ(options.report, fs::path("r.docx"));
  EXPECT_EQ(options.dxf, fs::path("d.dxf"));
  EXPECT_TRUE(options.detail);
  EXPECT_FALSE(options.adjust || options.batch || options.help || options.workbook);
  EXPECT_TRUE(std::get<Options>(parse({"a.jsonl", "--adjust", "b.jsonl"})).adjust);

  const Options table = std::get<Options>(parse({"--xlsx", "--csv", "--csv", "t.csv"}));
  EXPECT_TRUE(table.batch);
  EXPECT_EQ(table.workbook, fs::path("--csv"));  // a file name is taken as it stands
  EXPECT_EQ(table.inputs, std::vector<std::string>{"t.csv"});
  EXPECT_FALSE(table.detail);
}

// Help stops the reading: what follows it is not looked at, what comes before it is no error.
TEST(PedivoCalcOptions, HelpWinsOverEverythingAfterIt) {
  EXPECT_TRUE(std::get<Options>(parse({"--csv", "--report", "r.docx", "-h", "--dxf"})).help);
  // As the value of an option it is a file name.
  const auto named = parse({"--report", "--help"});
  ASSERT_TRUE(std::holds_alternative<Options>(named));
  EXPECT_FALSE(std::get<Options>(named).help);
  EXPECT_EQ(std::get<Options>(named).report, fs::path("--help"));
}

using pedivo::cli_testing::ShellRun;

// Runs pedivo-calc with the arguments (and redirections) given; standard input is empty unless
// they redirect it.
ShellRun runCalc(const std::string& arguments, const std::string& environment = "") {
  return pedivo::cli_testing::shell((environment.empty() ? "" : "env " + environment + " ") + PEDIVO_CALC + " " +
                                    arguments);
}

// Every mistake on the command line is told before any input is read, with exit status 2 and
// nothing on standard output.
TEST(PedivoCalcOptions, EachMistakeIsToldInBothLanguagesWithStatusTwo) {
  const std::string adjustExcludes =
      "--adjust 不能与 --report、--dxf 同时使用：请先用 --adjust 得到建议的输入，再用这些输入写计算书或图纸 "
      "(--adjust excludes --report and --dxf: run the proposal's entries as a case of their own)";
  const std::vector<std::pair<std::string, std::string>> mistakes = {
      {"--csv --xlsx", "--xlsx 需要一个文件名 (--xlsx needs a file name)"},
      {"a.jsonl --report", "--report 需要一个文件名 (--report needs a file name)"},
      {"--dxf", "--dxf 需要一个文件名 (--dxf needs a file name)"},
      {"--xlsx r.xlsx a.jsonl", "--xlsx 只能与 --csv 一起使用 (--xlsx goes with --csv)"},
      {"--xlsx r.xlsx --report r.docx", "--xlsx 只能与 --csv 一起使用 (--xlsx goes with --csv)"},
      {"--csv --report r.docx", "--csv 与 --report 不能同时使用 (--csv and --report exclude each other)"},
      {"--dxf d.dxf --csv", "--csv 与 --dxf 不能同时使用 (--csv and --dxf exclude each other)"},
      {"--dxf d.dxf --csv --report r.docx", "--csv 与 --report 不能同时使用 (--csv and --report exclude each other)"},
      {"--adjust --report r.docx", adjustExcludes},
      {"--dxf d.dxf --adjust", adjustExcludes},
      {"--adjust --report r.docx --dxf d.dxf a.jsonl", adjustExcludes},
      {"--report-dir", "--report-dir 需要一个文件夹名 (--report-dir needs a folder name)"},
      {"--report-dir d --dxf d.dxf", "--report-dir 不能与 --report、--dxf 同时使用 (--report-dir excludes --report and --dxf)"},
      {"--csv --report-dir d --adjust", "--report-dir 不能与 --adjust 同时使用：计算书只写给出的设计 "
                                        "(--report-dir excludes --adjust: the reports are of the designs as given)"},
  };
  for (const auto& [arguments, message] : mistakes) {
    const ShellRun run = runCalc(arguments + " </dev/null");
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.err, "pedivo-calc: " + message + "\n") << arguments;
    EXPECT_EQ(run.out, "") << arguments;
  }
}

TEST(PedivoCalcOptions, HelpIsPrintedWhereverItStands) {
  for (const std::string arguments : {"--help", "-h", "a.jsonl --csv -h --xlsx", "--report r.docx --help --dxf"}) {
    const ShellRun run = runCalc(arguments + " </dev/null");
    EXPECT_EQ(run.status, 0) << arguments;
    EXPECT_EQ(run.out, pedivo::calc::helpText) << arguments;
    EXPECT_EQ(run.err, "") << arguments;
  }
  EXPECT_EQ(runCalc("--help >/dev/full").status, 2);
}

TEST(PedivoCalcOptions, VersionIsPrintedAndNothingElseRuns) {
  const std::string expected = "pedivo-calc " + std::string(pedivo::softwareVersion()) + "\n";
  for (const std::string arguments : {"--version", "--csv --version --xlsx", "a.jsonl --version"}) {
    const ShellRun run = runCalc(arguments + " </dev/null");
    EXPECT_EQ(run.status, 0) << arguments;
    EXPECT_EQ(run.out, expected) << arguments;
    EXPECT_EQ(run.err, "") << arguments;
  }
  EXPECT_EQ(runCalc("--version >/dev/full").status, 2);
}

class SingleCaseMode : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pedivo-calc-single-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return (folder_ / name).string();
  }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  fs::path folder_;
};

// The user's template (under XDG_DATA_HOME) is filled instead of the shipped one, and the first
// page names the version that wrote the report.
TEST_F(SingleCaseMode, ReportComesFromTheUsersTemplate) {
  const std::string one = write("one.jsonl", "{\"module\": \"gc\"}\n");
  const ShellRun shipped = runCalc("--report " + path("shipped.docx") + " " + one);
  ASSERT_EQ(shipped.status, 0) << shipped.err;
  const auto shippedBody = pedivo::testing::packagePart(path("shipped.docx"), "word/document.xml");
  ASSERT_TRUE(shippedBody.has_value());
  EXPECT_NE(shippedBody->find(std::string(pedivo::softwareVersion())), std::string::npos);
  EXPECT_EQ(shippedBody->find("两锚栓铰接柱脚计算书"), std::string::npos);

  fs::create_directories(folder_ / "data/pedivo/templates");
  fs::copy_file(fs::path(PEDIVO_CALC).parent_path() / "j1.docx", folder_ / "data/pedivo/templates/gc.docx");
  const ShellRun own = runCalc("--report " + path("own.docx") + " " + one, "XDG_DATA_HOME=" + path("data"));
  ASSERT_EQ(own.status, 0) << own.err;
  const auto ownBody = pedivo::testing::packagePart(path("own.docx"), "word/document.xml");
  ASSERT_TRUE(ownBody.has_value());
  EXPECT_NE(ownBody->find("两锚栓铰接柱脚计算书"), std::string::npos);
}

// Blank lines are no cases; an overlong line is one, and fails. The count runs over every input.
TEST_F(SingleCaseMode, CountsCasesNotLines) {
  const std::string one = write("one.jsonl", "\n  \t\n{\"module\": \"gc\"}\n\n");
  const ShellRun designed = runCalc("--report " + path("r.docx") + " " + one);
  EXPECT_EQ(designed.status, 0);
  EXPECT_EQ(designed.out.find("{\"module\":\"gc\","), 0u) << designed.out;
  EXPECT_EQ(std::count(designed.out.begin(), designed.out.end(), '\n'), 1);
  EXPECT_TRUE(fs::exists(path("r.docx")));

  const std::string overlong = write("long.jsonl", std::string(2 << 20, 'x') + "\n");
  const ShellRun refused = runCalc("--dxf " + path("d.dxf") + " " + overlong);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "{\"error\":\"输入行过长（超过 1 MB），未读取\"}\n");
  EXPECT_FALSE(fs::exists(path("d.dxf")));

  const ShellRun two = runCalc("--dxf " + path("d.dxf") + " " + one + " " + one);
  EXPECT_EQ(two.status, 2);
  EXPECT_EQ(two.out, "");
  EXPECT_EQ(two.err, "pedivo-calc: --dxf 只能用于一个算例 (--dxf takes exactly one case)\n");
  const ShellRun none = runCalc("--report " + path("n.docx") + " --dxf " + path("d.dxf") + " </dev/null");
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, "pedivo-calc: --report 只能用于一个算例 (--report takes exactly one case)\n");
  EXPECT_FALSE(fs::exists(path("n.docx")));
}

// An input file that cannot be opened stops the run, even once a second case has been met.
TEST_F(SingleCaseMode, AnInputThatCannotBeOpenedStopsTheRun) {
  const std::string one = write("one.jsonl", "{\"module\": \"j1\"}\n");
  for (const std::string& inputs : {one + " " + one + " " + path("missing.jsonl"), folder_.string() + " " + one}) {
    const ShellRun run = runCalc("--report " + path("r.docx") + " " + inputs);
    EXPECT_EQ(run.status, 2) << inputs;
    EXPECT_EQ(run.out, "") << inputs;
    EXPECT_EQ(run.err.rfind("pedivo-calc: 无法打开输入文件“", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("” (cannot open the input file)\n"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(path("r.docx")));
}

}  // namespace
