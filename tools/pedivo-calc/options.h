#pragma once
// pedivo-calc's command line, read into one value before anything runs.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace pedivo::calc {

struct Options {
  std::vector<std::string> inputs;                // files of cases or the table; standard input when none
  bool batch = false;                             // --csv: a table of designs
  bool adjust = false;                            // --adjust: what 自动调整 proposes, too
  bool detail = false;                            // --detail: the report's tags and the checks' formulas, too
  std::optional<std::filesystem::path> workbook;  // --xlsx: the result table as a workbook
  std::optional<std::filesystem::path> report;    // --report: the single case's report
  std::optional<std::filesystem::path> dxf;       // --dxf: the single case's drawing
  std::optional<std::filesystem::path> reportDir;  // --report-dir: a report for every case or row
  bool help = false;                              // --help, -h: the rest of the line is not read
  bool version = false;                           // --version: likewise
};

// The options of the arguments after the program's name, or the text of the first error in them
// (without the program's name; the exit status of every such error is 2).
std::variant<Options, std::string> parseOptions(std::span<const char* const> arguments);

}  // namespace pedivo::calc
