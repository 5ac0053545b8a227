#include "options.h"

#include <string_view>

namespace pedivo::calc {

std::variant<Options, std::string> parseOptions(std::span<const char* const> arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      Options help;
      help.help = true;
      return help;
    }
    if (argument == "--version") {
      Options version;
      version.version = true;
      return version;
    }
    if (argument == "--csv") {
      options.batch = true;
    } else if (argument == "--adjust") {
      options.adjust = true;
    } else if (argument == "--detail") {
      options.detail = true;
    } else if (argument == "--report-dir") {
      if (i + 1 >= arguments.size()) return std::string("--report-dir 需要一个文件夹名 (--report-dir needs a folder name)");
      options.reportDir = arguments[++i];
    } else if (argument == "--xlsx" || argument == "--report" || argument == "--dxf") {
      if (i + 1 >= arguments.size()) {
        const std::string option(argument);
        return option + " 需要一个文件名 (" + option + " needs a file name)";
      }
      std::optional<std::filesystem::path>& path = argument == "--xlsx"     ? options.workbook
                                                   : argument == "--report" ? options.report
                                                                            : options.dxf;
      path = arguments[++i];
    } else {
      options.inputs.emplace_back(argument);
    }
  }
  if (options.workbook && !options.batch) return std::string("--xlsx 只能与 --csv 一起使用 (--xlsx goes with --csv)");
  // One report a case, named by its id: a single report (or drawing) of a named file is another
  // way of asking, and the reports are of the designs as given, not of 自动调整's proposals.
  if (options.reportDir && (options.report || options.dxf))
    return std::string("--report-dir 不能与 --report、--dxf 同时使用 (--report-dir excludes --report and --dxf)");
  if (options.reportDir && options.adjust)
    return std::string("--report-dir 不能与 --adjust 同时使用：计算书只写给出的设计 "
                       "(--report-dir excludes --adjust: the reports are of the designs as given)");
  if (options.batch && options.report)
    return std::string("--csv 与 --report 不能同时使用 (--csv and --report exclude each other)");
  if (options.batch && options.dxf)
    return std::string("--csv 与 --dxf 不能同时使用 (--csv and --dxf exclude each other)");
  // The report and the drawing are of the design as given; a proposal is a design of other
  // entries, which the user reads first and then designs (and reports) as a case of its own.
  if (options.adjust && (options.report || options.dxf))
    return std::string("--adjust 不能与 --report、--dxf 同时使用：请先用 --adjust 得到建议的输入，再用这些输入写计算书或图纸 "
                       "(--adjust excludes --report and --dxf: run the proposal's entries as a case of their own)");
  return options;
}

}  // namespace pedivo::calc
