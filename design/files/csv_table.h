#pragma once
// Tables as CSV text (RFC 4180), read with libcsv: quoted fields may hold commas, quotes and line
// breaks. Written tables begin with a UTF-8 byte-order mark so that Excel and WPS read Chinese
// text correctly.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pedivo {

using CsvRow = std::vector<std::string>;

// The rows of a table; a leading byte-order mark is skipped and blank lines are dropped. A field
// whose quotes do not close is an error.
std::variant<std::vector<CsvRow>, std::string> parseCsv(std::string_view text);

// The table as CSV text with a byte-order mark and CRLF line ends.
std::string csvText(const std::vector<CsvRow>& rows);

}  // namespace pedivo
