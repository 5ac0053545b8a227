#include "table_batch.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "design/common/module.h"
#include "design/common/system_reason.h"
#include "design/files/batch.h"
#include "design/files/batch_run.h"
#include "design/files/csv_table.h"
#include "design/files/data_folders.h"
#include "design/files/design_report.h"
#include "design/files/report_folder.h"
#include "design/files/spreadsheet_cells.h"
#include "design/files/worker_pool.h"
#include "design/files/xlsx_table.h"
#include "report_output.h"
#include "standard_output.h"

namespace pedivo::calc {
namespace {

void tableError(const std::string& message) { std::cerr << "pedivo-calc: " << message << '\n'; }

// A table read twice needs a file to read again: standard input (or a pipe named as input) is
// first copied to a temporary file, which is removed as soon as it is open. Up to the size limit
// of every table.
bool copyToTemporaryFile(std::istream& in, std::fstream& copy, const std::string& name) {
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
    if (total > maximumTableBytes) {
      tableError(name + "：" + tableTooLargeMessage() + " (the table is too large)");
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
  CsvRow header;
  std::vector<const ModuleDescriptor*> modules;
};

std::variant<TableOutline, std::string> readTableOutline(std::istream& in) {
  TableOutline found;
  bool haveHeader = false;
  std::optional<std::string> refused;
  // Read to the end even after a bad header: a table that is not CSV is told as such first.
  const auto error = readCsvRows(in, [&](CsvRow&& row) {
    if (!haveHeader) {
      found.header = std::move(row);
      haveHeader = true;
      refused = checkBatchHeader(found.header);
    } else if (!refused) {
      const ModuleDescriptor* module = rowModule(found.header, row);
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

// The table, to be read twice: the named file itself, or a temporary copy of standard input or
// of a file that cannot be read again (a pipe).
struct TableStreams {
  std::ifstream file;
  std::fstream copy;
  bool isCopy = true;
  std::istream& table() { return isCopy ? static_cast<std::istream&>(copy) : file; }
};

// False once why the table cannot be read is told on standard error.
bool openTable(const std::vector<std::string>& inputs, TableStreams& streams) {
  if (inputs.size() > 1) {
    std::cerr << "pedivo-calc: --csv 只读取一个表格文件 (--csv reads one table)\n";
    return false;
  }
  if (inputs.empty()) return copyToTemporaryFile(std::cin, streams.copy, "标准输入");
  const std::string& name = inputs.front();
  std::error_code ec;
  const auto status = std::filesystem::status(name, ec);
  const auto cannotRead = [&](const std::string& why) {
    std::cerr << "pedivo-calc: 无法读取输入文件“" << name << "”：" << why << " (cannot read the input file)\n";
    return false;
  };
  if (std::filesystem::is_directory(status)) return cannotRead("这是一个文件夹");
  streams.file.open(name, std::ios::binary);
  if (!streams.file.is_open()) return cannotRead(std::filesystem::exists(status) ? "无法打开" : "文件不存在");
  if (!std::filesystem::is_regular_file(status))
    return copyToTemporaryFile(streams.file, streams.copy, "输入文件“" + name + "”");
  if (std::filesystem::file_size(name, ec) > maximumTableBytes) return cannotRead(tableTooLargeMessage());
  streams.isCopy = false;
  return true;
}

// The report of a row as it comes back designed: the row is designed again on a worker, as the
// window opens it, with its tags and drawing, which the result table does not keep.
void addRowReport(ReportFolder& reports, BatchRow&& row, std::size_t number) {
  const std::string id = row.id;
  reports.add(id, number, [row = std::move(row), when = std::time(nullptr)]() -> std::variant<DesignReport, std::string> {
    if (auto report = rowReport(row, when)) return std::move(*report);
    return "编号 " + row.id + " 的输入无法读取，没有计算书";
  });
}

// The outline of the table, read before its rows, with the table rewound; an exit status where the
// table or the report folder cannot be used.
std::variant<TableOutline, int> tableOutline(const Options& options, TableStreams& streams) {
  if (!openTable(options.inputs, streams)) return 2;
  if (options.reportDir)
    if (const auto problem = ReportFolder::prepare(*options.reportDir)) {
      tableError(*problem);
      return 2;
    }
  std::istream& table = streams.table();
  auto found = readTableOutline(table);
  if (const auto* error = std::get_if<std::string>(&found)) {
    tableError(*error);
    return 2;
  }
  table.clear();
  table.seekg(0);
  return std::move(std::get<TableOutline>(found));
}

int workbookFailed(const std::filesystem::path& workbookPath, const std::string& why) {
  std::cerr << "pedivo-calc: 无法写入工作簿“" << workbookPath.string() << "”：" << why << '\n';
  return 2;
}

// The exit status once every row is written: 2 where the table changed while it was read or an
// output could not be written, 1 where a row failed.
int tableEnd(const std::optional<std::string>& readError, bool outputOk, const Options& options,
             XlsxTableWriter* workbook, bool workbookOk, bool reportsFailed, bool anyFailed) {
  if (readError) {
    tableError(*readError);
    return 2;
  }
  if (!outputOk || !std::cout.flush()) {
    std::cerr << cannotWriteOutput;
    return 2;
  }
  if (workbook) {
    const auto why = workbookOk ? workbook->finish() : std::optional<std::string>("无法写入工作簿");
    if (why) return workbookFailed(*options.workbook, *why);
  }
  if (reportsFailed) return 2;
  return anyFailed ? 1 : 0;
}

// Where the designed rows go, in table order: the result table on standard output (in blocks of
// 64 KB), the workbook where one is asked for, and a report a row where a folder is given.
class ResultSink {
 public:
  ResultSink(const Options& options, const TableOutline& designs, XlsxTableWriter* workbook, WorkerPool& pool,
             const PicturePainter& paint)
      : columns_(resultColumns(designs.modules)),
        header_(resultHeader(columns_, hasProjectColumn(designs.header), options.adjust,
                             isGroupedTable(designs.header))),
        out_(csvByteOrderMark),
        workbook_(workbook),
        pool_(pool) {
    appendCsvLine(out_, header_);
    if (workbook_) workbook_->setColumnStyles(resultColumnStyles(header_));
    workbookOk_ = !workbook_ || workbook_->addHeader(header_);
    if (options.reportDir)
      reports_.emplace(pool, *options.reportDir,
                       templateSearchPath(dataFolders(processEnvironment(), runningProgramFolder())), paint, false);
  }

  void take(BatchRow&& row) {
    anyFailed_ = anyFailed_ || row.error.has_value();
    const CsvRow cells = resultRow(row, columns_, header_);
    appendCsvLine(out_, cells);
    if (workbook_ && workbookOk_) workbookOk_ = workbook_->addRow(cells, isFailing(row));
    if (out_.size() >= 64 * 1024) writeOut();
    ++rowNumber_;
    // A row whose base type or entries could not be read has no design to report.
    if (reports_ && row.module != nullptr && !row.entries.texts.empty()) {
      addRowReport(*reports_, std::move(row), rowNumber_);
      while (reports_->inFlight() > 4 * pool_.workers()) takenReports_.take(*reports_);
    }
  }

  // The rest of the table written and every report finished.
  void finish() {
    writeOut();
    while (reports_ && reports_->inFlight() > 0) takenReports_.take(*reports_);
  }

  bool outputOk() const { return outputOk_; }
  bool workbookOk() const { return workbookOk_; }
  bool reportsFailed() const { return takenReports_.anyFailed(); }
  bool anyFailed() const { return anyFailed_; }

 private:
  void writeOut() {
    outputOk_ = outputOk_ && std::cout.write(out_.data(), static_cast<std::streamsize>(out_.size()));
    out_.clear();
  }

  const ResultColumns columns_;
  const CsvRow header_;
  std::string out_;
  XlsxTableWriter* workbook_;
  WorkerPool& pool_;
  std::optional<ReportFolder> reports_;
  TakenReports takenReports_;
  std::size_t rowNumber_ = 0;
  bool workbookOk_ = true, anyFailed_ = false, outputOk_ = true;
};

// Every row after the header designed on the pool, a few batches ahead of the one written; the
// reading stops once the output cannot be written.
std::optional<std::string> designRows(std::istream& table, const TableOutline& designs, bool withAdjust,
                                      WorkerPool& pool, ResultSink& sink) {
  OrderedRowDesigns rows(pool, designs.header, withAdjust);
  const std::size_t inFlight = 4 * pool.workers();
  const auto done = [&sink](BatchRow&& row) { sink.take(std::move(row)); };
  bool first = true;
  const auto error = readCsvRows(table, [&](CsvRow&& cells) {
    if (first) {
      first = false;  // the header, read and checked already
      return true;
    }
    rows.add(std::move(cells));
    while (rows.batchesInFlight() > inFlight) rows.takeOldest(done);
    return sink.outputOk();
  });
  rows.submitPartial();
  while (rows.batchesInFlight() > 0) rows.takeOldest(done);
  return error;
}

int designTableRows(const Options& options, const PicturePainter& paint) {
  TableStreams streams;
  auto outline = tableOutline(options, streams);
  if (const int* status = std::get_if<int>(&outline)) return *status;
  const TableOutline& designs = std::get<TableOutline>(outline);

  std::unique_ptr<XlsxTableWriter> workbook;
  if (options.workbook) {
    auto started = XlsxTableWriter::begin(*options.workbook);
    if (const auto* why = std::get_if<std::string>(&started)) return workbookFailed(*options.workbook, *why);
    workbook = std::move(std::get<std::unique_ptr<XlsxTableWriter>>(started));
  }
  WorkerPool pool;
  ResultSink sink(options, designs, workbook.get(), pool, paint);
  const auto error = designRows(streams.table(), designs, options.adjust, pool, sink);
  sink.finish();
  return tableEnd(error, sink.outputOk(), options, workbook.get(), sink.workbookOk(), sink.reportsFailed(),
                  sink.anyFailed());
}

}  // namespace

int designTable(const Options& options, const PicturePainter& paint) {
  try {
    return designTableRows(options, paint);
  } catch (const std::exception& error) {
    // Only running out of memory gets here: every row catches its own faults.
    std::cerr << "pedivo-calc: " << unexpectedFailure(error) << '\n';
    return 2;
  }
}

}  // namespace pedivo::calc
