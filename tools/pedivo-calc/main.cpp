// pedivo-calc: the input windows without windows. Reads cases as JSON Lines, presses "计算" as
// a window would, and writes what the window would then hold and show.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "calc_case.h"
#include "case_pool.h"
#include "design/common/module.h"
#include "design/common/report_writer.h"
#include "design/drawing/dxf_file.h"
#include "design/files/batch.h"
#include "design/files/batch_run.h"
#include "design/files/file_text.h"
#include "design/files/replace_file.h"
#include "design/files/spreadsheet_cells.h"
#include "design/files/xlsx_table.h"
#include "design/common/system_reason.h"

namespace {

constexpr const char* helpText = R"(用法：pedivo-calc [--adjust] [--report 文件.docx] [--dxf 文件.dxf] [输入文件 ...]
      pedivo-calc --csv [表格.csv] [--xlsx 结果.xlsx] [--adjust]

Pedivo 柱脚设计的命令行版本：与输入窗口调用同一个计算核心，对相同的输入给出与窗口相同的结果。
从标准输入（或给出的文件）按行读取 JSON，每行一个算例：
  {"module": "j1", "entries": {"EdtN": "2000", "EdtV": "100"}, "cbsize": true}
  {"module": "j1", "steps": [{"entries": {"EdtN": "80"}}, {"entries": {"EdtN": "-1"}}]}
module 为柱脚类型（计算书模板名）：j1 两锚栓铰接、j2 四锚栓铰接、g11 八锚栓刚接、g12 十锚栓刚接、
g2 T型靴梁、g3 槽型靴梁、gc 插入式。entries 按控件对象名给出控件文本（Edthc、EdtN、CBfc、CBdms、
Edtsizea ……），未给出的控件保持窗口默认值；cbsize 为“底板尺寸按构造要求选取”。CBcode 为设计标准
（GB 50017-2003 或 GB 50017-2017，未给出时为 2003 版），钢材与锚栓牌号须是该版所列牌号。可选的 project 为
计算书首页的项目信息：{"name": 工程名称, "number": 工程编号, "member": 构件编号, "designer": 设计,
"checker": 校对, "approver": 审核, "date": 日期}，各项均可省略。带 steps 时每一步
先修改给出的控件，再在同一个窗口中按“计算”，上一步保存的结果会保留（最多 100 步）。可选的
"after": {"EdtM": "999"} 为最后一次“计算”之后又改动的输入（不再计算，state 为“输入已修改”）。
每个算例输出一行 JSON：module、state（未计算、已完成、未完成、输入已修改）、messages（依次弹出的提示）、focus（最后一次“计算”移到的控件）、
entries、cbsize、values（全部保存量）、results（“查看结果”的字段）、redCaptions、checks（各项验算：
name、formula、demand、limit、ratio、ok、remedy（不满足时的处理建议）；尚未完成设计时为空）、report（计算书
标签）、weight（用钢量 kg，尚未完成设计时为 null）、remedy（计算中途停止时的处理建议，否则为 null）。
--adjust：未全部满足的算例另输出 adjusted（“自动调整”找到的最轻的满足要求的设计：module、entries、cbsize、
messages、checks、weight、changed 改动的控件名），已满足或找不到满足要求的设计时为 null。
每读入一行即输出一行结果（算例在各处理器核上并行计算，输出顺序与输入顺序相同）。无法读取的算例（或无法打开的输入文件）在其位置输出 {"error": "..."}，程序继续
处理；若有算例出错，退出码为 1，否则为 0；无法写出结果（如磁盘已满）时退出码为 2。
--report 文件.docx：只有一个算例时，另用程序所在文件夹中的模板把计算书写到该文件（符号链接写到其指向的
文件；没有写入权限的文件不会被改动）。
--dxf 文件.dxf：只有一个算例时，另把设计好的柱脚图（平面图和立面图，1:1，单位 mm）写成 AutoCAD R2000 DXF
文件，图层为 轮廓、锚栓、加劲肋、焊缝、尺寸、文字；可与 --report 同时使用。计算未完成的设计不绘图，
文件不写出，退出码为 1。

--csv：批量设计。读入一个 CSV 表格（每行一个设计；表头为 module、可选的 id 以及控件对象名 Edthc、EdtN、
CBfc、cbsize ……，以及可选的项目信息列 name、number、member、designer、checker、approver、date；空白单元格
保持窗口默认值），在标准输出写出结果表格（UTF-8，带 BOM）：编号、提示（出错的原因或计算时的提示）、柱脚类型、
项目信息（表格给出时）、“查看结果”的各项、不满足验算数、最大利用率。有行出错时退出码为 1。--xlsx 另将结果表格写成
Excel 工作簿（有错误或验算不满足的行为红色，提示栏自动换行，最大利用率保留两位小数）。各行在各处理器核上计算，算完即按输入顺序写出；表格（文件或标准
输入）最大 64 MB。以 =、+、-、@ 开头又不是数值的单元格在 CSV 中前加 '，不会被电子表格当作公式执行。
与 --adjust 同用时另有两栏：未全部满足的行“自动调整”建议的改动（如 Edtsizelt=90；cbsize=0）及其用钢量。
超过 1 MB 的输入行不读取，在其位置输出 {"error": ...}。

Usage: pedivo-calc [--report FILE.docx] [--dxf FILE.dxf] [INPUT ...]
       pedivo-calc --csv [TABLE.csv] [--xlsx RESULTS.xlsx]

The headless twin of Pedivo's input windows: it calls the same core, so the same entries give
the same results. Reads one JSON case a line from standard input or from the named files:
  {"module": M, "entries": {...}, "cbsize": true}  or  {"module": M, "steps": [{"entries": {...}}, ...]}
M is the template name of the base type (j1, j2, g11, g12, g2, g3, gc). Entries are control texts
by object name; controls not given keep their window defaults (CBcode, the steel code edition, is
GB 50017-2003 unless given). An optional "project" gives the project block of the report's first
page: name, number, member, designer, checker, approver, date, each a text and each optional. Each step (at most 100) changes its entries and
presses "计算" in the same window; an optional "after": {...} holds entries typed after the last
"计算" (shown, not designed: the state is then 输入已修改). Cases are designed on every processor core. Writes one JSON
object a case as soon as it is read, in input order: module, state,
messages, focus, entries, cbsize, values, results, redCaptions, checks (each design check: name,
formula, demand, limit, ratio, ok; empty until a design is completed), report. A case that cannot be read
(or an input file that cannot be opened) gives {"error": "..."} in its place; the exit status is 1 if
any case failed, 2 if the output could not be written, else 0. --report FILE.docx with a single case
also writes the filled report there, from the template beside this program (through a symbolic link;
a file you may not write is refused and left as it was).
--dxf FILE.dxf with a single case also writes the drawing of the designed base (plan and elevations,
full size in millimetres) as an AutoCAD R2000 DXF file; it may be combined with --report. A design
that did not complete is not drawn, the file is not written and the exit status is 1.
--csv designs every row of a CSV table (header: module, an optional id, control names, cbsize and
the optional project columns name … date; blank cells keep the window defaults) and writes the
result table (UTF-8 with BOM) to standard output: id, message (the error or what the window
showed), base type, the project block if the table has one, the result fields, failing checks,
largest utilisation; --xlsx also writes that table as an Excel workbook, failing rows in red. Rows are designed on every
core and written in input order as they are done; a table (file or standard input) may be 64 MB.
A CSV cell that begins with =, +, - or @ and is not a number gets a leading ', so that no
spreadsheet runs it. An input line over 1 MB is not read and gives {"error": ...} in its place.
)";

std::filesystem::path programFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

// Writes one output line. False when the output cannot be written (a full disk).
bool emit(const std::string& line) {
  std::cout << line << '\n';
  return static_cast<bool>(std::cout);
}

// Writes a block of whole output lines.
bool emitBlock(std::string_view lines) {
  std::cout.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  return static_cast<bool>(std::cout);
}

// Hands the written lines on. Done whenever the next input line is not already waiting, so that a
// pipe sees each result as soon as it is computed and nothing computed waits on more input, while
// a large input file is written in large blocks.
bool flushOutput() {
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

// Opens an input file; a folder or a file that cannot be read gives false.
bool openInput(const std::string& name, std::ifstream& file) {
  std::error_code ec;
  if (!std::filesystem::is_directory(name, ec)) file.open(name);
  return file.is_open();
}

// The cases of every input in order, designed on worker threads, one output line each.
int runCases(const std::vector<std::string>& inputs, bool withAdjust) {
  const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  pedivo::calc::CasePool pool(workers);
  pedivo::calc::OrderedCases cases(pool, 2 * workers, emitBlock, flushOutput, withAdjust);
  std::vector<char> room;
  const auto readStream = [&](std::istream& in) {
    std::string line;
    for (;;) {
      if (cases.outputFailed()) break;
      const auto read = pedivo::calc::readLine(in, line, room);
      if (read == pedivo::calc::LineRead::End) break;
      if (read == pedivo::calc::LineRead::TooLong) {
        cases.writeErrorInPlace(pedivo::calc::errorLine(pedivo::calc::lineTooLongMessage()));
        continue;
      }
      cases.add(std::move(line));
      cases.lineDone(in.rdbuf()->in_avail() > 0);
    }
    cases.drain();
  };
  if (inputs.empty()) {
    readStream(std::cin);
  } else {
    for (const auto& name : inputs) {
      // Large reads: a line of input is short, and each read is a call into the system. The
      // buffer outlives the file that reads into it.
      std::vector<char> buffer(256 * 1024);
      std::ifstream file;
      file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      if (!openInput(name, file)) {
        // In its place among the results, so the lines before and after it keep their order.
        cases.writeErrorInPlace(pedivo::calc::errorLine("无法打开输入文件“" + name + "”"));
        continue;
      }
      readStream(file);
      if (cases.outputFailed()) break;
    }
  }
  if (cases.outputFailed()) {
    std::cerr << "pedivo-calc: 无法写出结果 (cannot write the output)\n";
    return 2;
  }
  return cases.anyFailed() ? 1 : 0;
}

void tableError(const std::string& message) { std::cerr << "pedivo-calc: " << message << '\n'; }

// A table read twice needs a file to read again: standard input (or a pipe named as input) is
// first copied to a temporary file, which is removed as soon as it is open. Up to the size limit
// of every table.
bool spool(std::istream& in, std::fstream& copy, const std::string& name) {
  std::string path = (std::filesystem::temp_directory_path() / "pedivo-calc-table.XXXXXX").string();
  const int fd = ::mkstemp(path.data());
  if (fd < 0) {
    tableError("无法建立临时文件 (cannot create a temporary file)");
    return false;
  }
  ::close(fd);
  copy.open(path, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
  std::filesystem::remove(path);
  std::vector<char> block(64 * 1024);
  std::uintmax_t total = 0;
  while (copy && in.read(block.data(), static_cast<std::streamsize>(block.size())), in.gcount() > 0) {
    total += static_cast<std::uintmax_t>(in.gcount());
    if (total > pedivo::maximumTableBytes) {
      tableError(name + "：" + pedivo::tableTooLargeMessage() + " (the table is too large)");
      return false;
    }
    copy.write(block.data(), in.gcount());
  }
  if (in.bad() || !copy) {
    tableError(name + "：读取失败 (cannot read the table)");
    return false;
  }
  copy.seekg(0);
  return true;
}

// The table's header, checked, and the base types its rows name in the order first met: they
// give the result columns, which the first line of the output already lists.
struct TableOutline {
  pedivo::CsvRow header;
  std::vector<const pedivo::ModuleDescriptor*> modules;
};

std::variant<TableOutline, std::string> outline(std::istream& in) {
  TableOutline found;
  bool haveHeader = false;
  std::optional<std::string> refused;
  // Read to the end even after a bad header: a table that is not CSV is told as such first.
  const auto error = pedivo::readCsvRows(in, [&](pedivo::CsvRow&& row) {
    if (!haveHeader) {
      found.header = std::move(row);
      haveHeader = true;
      refused = pedivo::checkBatchHeader(found.header);
    } else if (!refused) {
      const pedivo::ModuleDescriptor* module = pedivo::rowModule(found.header, row);
      if (module != nullptr && std::find(found.modules.begin(), found.modules.end(), module) == found.modules.end())
        found.modules.push_back(module);
    }
    return true;
  });
  if (error) return *error;
  if (!haveHeader) return std::string("表格是空的");
  if (refused) return *refused;
  return found;
}

// --csv: a table of designs in, a table of results out, each row written as soon as it and the
// rows before it are designed.
int runBatch(const std::vector<std::string>& inputs, const std::optional<std::filesystem::path>& workbookPath,
             bool withAdjust) {
  if (inputs.size() > 1) {
    std::cerr << "pedivo-calc: --csv 只读取一个表格文件 (--csv reads one table)\n";
    return 2;
  }
  std::ifstream file;
  std::fstream copy;
  std::istream* table = &copy;
  if (inputs.empty()) {
    if (!spool(std::cin, copy, "标准输入")) return 2;
  } else {
    const std::string& name = inputs.front();
    std::error_code ec;
    const auto status = std::filesystem::status(name, ec);
    const auto cannotRead = [&](const std::string& why) {
      std::cerr << "pedivo-calc: 无法读取输入文件“" << name << "”：" << why << " (cannot read the input file)\n";
      return 2;
    };
    if (std::filesystem::is_directory(status)) return cannotRead("这是一个文件夹");
    file.open(name, std::ios::binary);
    if (!file.is_open()) return cannotRead(std::filesystem::exists(status) ? "无法打开" : "文件不存在");
    if (std::filesystem::is_regular_file(status)) {
      if (std::filesystem::file_size(name, ec) > pedivo::maximumTableBytes)
        return cannotRead(pedivo::tableTooLargeMessage());
      table = &file;
    } else if (!spool(file, copy, "输入文件“" + name + "”")) {
      return 2;
    }
  }
  const auto found = outline(*table);
  if (const auto* error = std::get_if<std::string>(&found)) {
    tableError(*error);
    return 2;
  }
  const TableOutline& designs = std::get<TableOutline>(found);
  table->clear();
  table->seekg(0);

  std::unique_ptr<pedivo::XlsxTableWriter> workbook;
  const auto workbookFailed = [&](const std::string& why) {
    std::cerr << "pedivo-calc: 无法写入工作簿“" << workbookPath->string() << "”：" << why << '\n';
    return 2;
  };
  if (workbookPath) {
    auto started = pedivo::XlsxTableWriter::begin(*workbookPath);
    if (const auto* why = std::get_if<std::string>(&started)) return workbookFailed(*why);
    workbook = std::move(std::get<std::unique_ptr<pedivo::XlsxTableWriter>>(started));
  }

  const pedivo::ResultColumns columns = pedivo::resultColumns(designs.modules);
  const pedivo::CsvRow header = pedivo::resultHeader(columns, pedivo::hasProjectColumn(designs.header), withAdjust);
  std::string out(pedivo::csvByteOrderMark);
  pedivo::appendCsvLine(out, header);
  if (workbook) workbook->setColumnStyles(pedivo::resultColumnStyles(header));
  bool workbookOk = !workbook || workbook->addHeader(header);
  bool anyFailed = false;
  bool outputOk = true;
  const auto writeOut = [&] {
    outputOk = outputOk && std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    out.clear();
  };
  const auto done = [&](pedivo::BatchRow&& row) {
    anyFailed = anyFailed || row.error.has_value();
    const pedivo::CsvRow cells = pedivo::resultRow(row, columns, header);
    pedivo::appendCsvLine(out, cells);
    if (workbook && workbookOk) workbookOk = workbook->addRow(cells, pedivo::isFailing(row));
    if (out.size() >= 64 * 1024) writeOut();
  };

  pedivo::WorkerPool pool;
  pedivo::OrderedRowDesigns rows(pool, designs.header, withAdjust);
  const std::size_t inFlight = 4 * pool.workers();
  bool first = true;
  const auto error = pedivo::readCsvRows(*table, [&](pedivo::CsvRow&& cells) {
    if (first) {
      first = false;  // the header, read and checked already
      return true;
    }
    rows.add(std::move(cells));
    while (rows.batchesInFlight() > inFlight) rows.takeOldest(done);
    return outputOk;
  });
  rows.submitPartial();
  while (rows.batchesInFlight() > 0) rows.takeOldest(done);
  writeOut();
  if (error) {
    tableError(*error);  // the table changed while it was read
    return 2;
  }
  if (!outputOk || !std::cout.flush()) {
    std::cerr << "pedivo-calc: 无法写出结果 (cannot write the output)\n";
    return 2;
  }
  if (workbook) {
    const auto why = workbookOk ? workbook->finish() : std::optional<std::string>("无法写入工作簿");
    if (why) return workbookFailed(*why);
  }
  return anyFailed ? 1 : 0;
}

// The filled report of the single case. Through a symbolic link to the file it names; a file the
// user may not write is left as it was.
int writeReportFile(const pedivo::calc::CaseResult& reportCase, const std::filesystem::path& reportPath) {
  const auto target = pedivo::writableTarget(reportPath);
  if (const auto* refusal = std::get_if<pedivo::FileProblem>(&target)) {
    std::cerr << "pedivo-calc: 无法写入“" << reportPath.string() << "”：" << refusal->reason
              << "，文件保持不变 (the file is left as it was)\n";
    return 2;
  }
  const pedivo::ModuleDescriptor* module = pedivo::findModule(*reportCase.moduleId);
  const auto written = pedivo::fillTemplate(programFolder() / module->templateFile, reportCase.report,
                                            std::get<std::filesystem::path>(target), pedivo::DocumentKind::Document);
  if (const auto* error = std::get_if<pedivo::ReportError>(&written)) {
    std::cerr << "pedivo-calc: " << error->message << '\n';
    return 2;
  }
  return 0;
}

// The drawing of the single case as DXF; a design that did not complete is not drawn.
int writeDrawingFile(const pedivo::calc::CaseResult& drawnCase, const std::filesystem::path& dxfPath) {
  const auto& drawing = *drawnCase.drawing;
  if (const auto* refusal = std::get_if<pedivo::drawing::DrawingRefusal>(&drawing)) {
    std::cerr << "pedivo-calc: " << refusal->message << "DXF文件“" << dxfPath.string()
              << "”未写出 (no completed design: the DXF file was not written)\n";
    return 1;
  }
  if (const auto failure = pedivo::drawing::writeDxf(std::get<pedivo::drawing::Drawing>(drawing), dxfPath)) {
    std::cerr << "pedivo-calc: " << *failure << '\n';
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);  // the C streams are not used
  std::vector<std::string> inputs;
  std::optional<std::filesystem::path> reportPath;
  std::optional<std::filesystem::path> dxfPath;
  bool batch = false;
  bool withAdjust = false;
  std::optional<std::filesystem::path> workbook;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << helpText;
      return std::cout.flush() ? 0 : 2;
    }
    if (arg == "--csv") {
      batch = true;
      continue;
    }
    if (arg == "--adjust") {
      withAdjust = true;
      continue;
    }
    if (arg == "--xlsx") {
      if (i + 1 >= argc) {
        std::cerr << "pedivo-calc: --xlsx 需要一个文件名 (--xlsx needs a file name)\n";
        return 2;
      }
      workbook = argv[++i];
      continue;
    }
    if (arg == "--report") {
      if (i + 1 >= argc) {
        std::cerr << "pedivo-calc: --report 需要一个文件名 (--report needs a file name)\n";
        return 2;
      }
      reportPath = argv[++i];
      continue;
    }
    if (arg == "--dxf") {
      if (i + 1 >= argc) {
        std::cerr << "pedivo-calc: --dxf 需要一个文件名 (--dxf needs a file name)\n";
        return 2;
      }
      dxfPath = argv[++i];
      continue;
    }
    inputs.push_back(arg);
  }

  if (workbook && !batch) {
    std::cerr << "pedivo-calc: --xlsx 只能与 --csv 一起使用 (--xlsx goes with --csv)\n";
    return 2;
  }
  if (batch) {
    if (reportPath) {
      std::cerr << "pedivo-calc: --csv 与 --report 不能同时使用 (--csv and --report exclude each other)\n";
      return 2;
    }
    if (dxfPath) {
      std::cerr << "pedivo-calc: --csv 与 --dxf 不能同时使用 (--csv and --dxf exclude each other)\n";
      return 2;
    }
    try {
      return runBatch(inputs, workbook, withAdjust);
    } catch (const std::exception& error) {
      // Only running out of memory gets here: every row catches its own faults.
      std::cerr << "pedivo-calc: " << pedivo::unexpectedFailure(error) << '\n';
      return 2;
    }
  }

  if (!reportPath && !dxfPath) return runCases(inputs, withAdjust);

  // --report, --dxf: the single case, its report and its drawing, read one line at a time.
  std::optional<pedivo::calc::CaseResult> reportCase;
  int cases = 0;
  std::vector<char> room;
  const auto readStream = [&](std::istream& in) {
    std::string line;
    for (pedivo::calc::LineRead read;
         cases < 2 && (read = pedivo::calc::readLine(in, line, room)) != pedivo::calc::LineRead::End;) {
      if (read == pedivo::calc::LineRead::TooLong) {
        ++cases;
        if (cases == 1)
          reportCase = pedivo::calc::CaseResult{
              pedivo::calc::errorLine(pedivo::calc::lineTooLongMessage()), true, std::nullopt, {}, {}};
        continue;
      }
      if (pedivo::calc::isBlankLine(line)) continue;
      ++cases;
      pedivo::calc::CaseResult result = pedivo::calc::runCase(line, reportPath.has_value(), dxfPath.has_value());
      if (cases == 1) reportCase = std::move(result);
    }
  };
  if (inputs.empty()) {
    readStream(std::cin);
  } else {
    for (const auto& name : inputs) {
      std::ifstream file;
      if (!openInput(name, file)) {
        std::cerr << "pedivo-calc: 无法打开输入文件“" << name << "” (cannot open the input file)\n";
        return 2;
      }
      readStream(file);
    }
  }
  if (cases != 1 || !reportCase) {
    if (reportPath)
      std::cerr << "pedivo-calc: --report 只能用于一个算例 (--report takes exactly one case)\n";
    else
      std::cerr << "pedivo-calc: --dxf 只能用于一个算例 (--dxf takes exactly one case)\n";
    return 2;
  }
  if (!emit(reportCase->output) || !flushOutput()) {
    std::cerr << "pedivo-calc: 无法写出结果 (cannot write the output)\n";
    return 2;
  }
  if (reportCase->failed) return 1;
  if (reportPath) {
    if (const int status = writeReportFile(*reportCase, *reportPath)) return status;
  }
  if (dxfPath) return writeDrawingFile(*reportCase, *dxfPath);
  return 0;
}
