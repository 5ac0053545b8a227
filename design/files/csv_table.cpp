#include "design/files/csv_table.h"

#include <csv.h>

#include <memory>

namespace pedivo {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

struct Reading {
  std::vector<CsvRow> rows;
  CsvRow row;
};

void onField(void* data, std::size_t length, void* reading) {
  auto& r = *static_cast<Reading*>(reading);
  r.row.emplace_back(data == nullptr ? "" : std::string(static_cast<const char*>(data), length));
}

void onRowEnd(int, void* reading) {
  auto& r = *static_cast<Reading*>(reading);
  r.rows.push_back(std::move(r.row));
  r.row.clear();
}

struct ParserFree {
  void operator()(csv_parser* parser) const { csv_free(parser); }
};

}  // namespace

std::variant<std::vector<CsvRow>, std::string> parseCsv(std::string_view text) {
  if (text.substr(0, byteOrderMark.size()) == byteOrderMark) text.remove_prefix(byteOrderMark.size());
  csv_parser parser{};
  if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) return std::string("无法读取表格");
  const std::unique_ptr<csv_parser, ParserFree> owner(&parser);
  Reading reading;
  const bool parsed = csv_parse(&parser, text.data(), text.size(), onField, onRowEnd, &reading) == text.size() &&
                      csv_fini(&parser, onField, onRowEnd, &reading) == 0;
  if (!parsed) return std::string("表格格式错误：") + csv_strerror(csv_error(&parser));
  return std::move(reading.rows);
}

std::string csvText(const std::vector<CsvRow>& rows) {
  std::string out(byteOrderMark);
  std::string buffer;
  for (const CsvRow& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) out += ',';
      // Every field quoted, quotes doubled: what any spreadsheet reads back as written.
      buffer.resize(row[i].size() * 2 + 2);
      const std::size_t written = csv_write(buffer.data(), buffer.size(), row[i].data(), row[i].size());
      out.append(buffer, 0, written);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace pedivo
