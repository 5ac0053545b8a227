#include "design/files/csv_table.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <exception>

#include "design/files/spreadsheet_cells.h"

namespace pedivo {
namespace {

struct Reading {
  const std::function<bool(CsvRow&&)>* onRow = nullptr;
  CsvRow row;
  bool stopped = false;
  // Nothing is thrown through libcsv's C code: a failure is kept and thrown again after it.
  std::exception_ptr failure;
};

void onField(void* data, std::size_t length, void* reading) noexcept {
  auto& r = *static_cast<Reading*>(reading);
  if (r.stopped) return;
  try {
    r.row.emplace_back(data == nullptr ? "" : std::string(static_cast<const char*>(data), length));
  } catch (...) {
    r.failure = std::current_exception();
    r.stopped = true;
  }
}

void onRowEnd(int, void* reading) noexcept {
  auto& r = *static_cast<Reading*>(reading);
  if (r.stopped) return;
  try {
    if (!(*r.onRow)(std::move(r.row))) r.stopped = true;
  } catch (...) {
    r.failure = std::current_exception();
    r.stopped = true;
  }
  r.row.clear();
}

// libcsv fed block by block; a block may end anywhere, even inside a quoted field.
class CsvReader {
 public:
  explicit CsvReader(const std::function<bool(CsvRow&&)>& onRow) {
    reading_.onRow = &onRow;
    initialised_ = csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) == 0;
  }
  ~CsvReader() {
    if (initialised_) csv_free(&parser_);
  }
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  std::optional<std::string> feed(std::string_view block) {
    if (!initialised_) return std::string("无法读取表格");
    if (atStart_) {
      // The mark may be cut over two blocks of a stream read a few bytes at a time.
      const std::size_t n = std::min(block.size(), csvByteOrderMark.size() - markSeen_);
      if (block.substr(0, n) == csvByteOrderMark.substr(markSeen_, n)) {
        markSeen_ += n;
        block.remove_prefix(n);
        if (markSeen_ < csvByteOrderMark.size()) return std::nullopt;
      } else if (markSeen_ > 0) {
        // A partial mark was text after all.
        const std::string head(csvByteOrderMark.substr(0, markSeen_));
        atStart_ = false;
        if (auto error = parse(head)) return error;
      }
      atStart_ = false;
    }
    return parse(block);
  }

  std::optional<std::string> finish() {
    if (!initialised_) return std::string("无法读取表格");
    if (atStart_ && markSeen_ > 0) {
      atStart_ = false;
      if (auto error = parse(csvByteOrderMark.substr(0, markSeen_))) return error;
    }
    if (!reading_.stopped && csv_fini(&parser_, onField, onRowEnd, &reading_) != 0) return failure();
    if (reading_.failure) std::rethrow_exception(reading_.failure);
    return std::nullopt;
  }

  bool stopped() const { return reading_.stopped; }

 private:
  std::optional<std::string> parse(std::string_view block) {
    if (block.find('\0') != std::string_view::npos) return std::string("表格含有空字符（NUL），不是文本表格");
    if (reading_.stopped || block.empty()) return std::nullopt;
    if (csv_parse(&parser_, block.data(), block.size(), onField, onRowEnd, &reading_) != block.size() &&
        !reading_.stopped)
      return failure();
    if (reading_.failure) std::rethrow_exception(reading_.failure);
    return std::nullopt;
  }

  std::string failure() {
    switch (csv_error(&parser_)) {
      case CSV_EPARSE: return "表格格式错误：引号不成对，或引号内的文字之后紧跟着其他字符";
      case CSV_ENOMEM:
      case CSV_ETOOBIG: return "表格格式错误：单元格过大，内存不足";
      default: return "表格格式错误";
    }
  }

  csv_parser parser_{};
  Reading reading_;
  bool initialised_ = false;
  bool atStart_ = true;
  std::size_t markSeen_ = 0;
};

}  // namespace

std::variant<std::vector<CsvRow>, std::string> parseCsv(std::string_view text) {
  std::vector<CsvRow> rows;
  const std::function<bool(CsvRow &&)> keep = [&rows](CsvRow&& row) {
    rows.push_back(std::move(row));
    return true;
  };
  CsvReader reader(keep);
  if (auto error = reader.feed(text)) return *error;
  if (auto error = reader.finish()) return *error;
  return rows;
}

std::optional<std::string> readCsvRows(std::istream& in, const std::function<bool(CsvRow&&)>& onRow) {
  CsvReader reader(onRow);
  std::array<char, 64 * 1024> block;
  while (!reader.stopped() && in) {
    in.read(block.data(), block.size());
    if (in.bad()) return std::string("读取时出错");
    if (auto error = reader.feed(std::string_view(block.data(), static_cast<std::size_t>(in.gcount())))) return error;
  }
  return reader.finish();
}

void appendCsvLine(std::string& out, const CsvRow& row) {
  std::string room;
  std::string buffer;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i > 0) out += ',';
    // Every field quoted, quotes doubled: what any spreadsheet reads back as written.
    const std::string_view cell = csvGuarded(row[i], room);
    buffer.resize(cell.size() * 2 + 2);
    const std::size_t written = csv_write(buffer.data(), buffer.size(), cell.data(), cell.size());
    out.append(buffer, 0, written);
  }
  out += "\r\n";
}

std::string csvText(const std::vector<CsvRow>& rows) {
  std::string out(csvByteOrderMark);
  for (const CsvRow& row : rows) appendCsvLine(out, row);
  return out;
}

}  // namespace pedivo
