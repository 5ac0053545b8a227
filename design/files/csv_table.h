#pragma once
// Tables as CSV text (RFC 4180), read with libcsv: quoted fields may hold commas, quotes and line
// breaks. Written tables begin with a UTF-8 byte-order mark so that Excel and WPS read Chinese
// text correctly.

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pedivo {

using CsvRow = std::vector<std::string>;

inline constexpr std::string_view csvByteOrderMark = "\xEF\xBB\xBF";

// The rows of a table; a leading byte-order mark is skipped and blank lines are dropped. A field
// whose quotes do not close, or a NUL byte anywhere, is an error.
std::variant<std::vector<CsvRow>, std::string> parseCsv(std::string_view text);

// Reads a table from a stream in blocks and hands over each row as it is read, so that a table of
// any length is read in little memory. onRow may keep the row; returning false stops the reading.
// The reason when the text is not a table (as parseCsv).
std::optional<std::string> readCsvRows(std::istream& in, const std::function<bool(CsvRow&&)>& onRow);

// One row as CSV text, every field quoted and guarded (csvGuarded), ended by CRLF.
void appendCsvLine(std::string& out, const CsvRow& row);

// The table as CSV text with a byte-order mark and CRLF line ends.
std::string csvText(const std::vector<CsvRow>& rows);

}  // namespace pedivo
