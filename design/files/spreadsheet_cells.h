#pragma once
// What a cell of a result table may hold, whatever a batch table put into it: valid UTF-8, at
// most the spreadsheet's limit, and in a CSV nothing a spreadsheet would run as a formula.

#include <cstddef>
#include <string>
#include <string_view>

#include "design/files/csv_table.h"

namespace pedivo {

// Excel keeps at most 32,767 characters in a cell, and libxlsxwriter counts them in bytes; a cell
// is kept within that many bytes so that it fits either way.
inline constexpr std::size_t maximumCellBytes = 32767;
inline constexpr std::string_view cutMarker = "…（已截断）";

// The text with every byte that does not belong to a well-formed UTF-8 character replaced by
// U+FFFD; valid text comes back unchanged.
std::string validUtf8(std::string_view text);

// Cuts a (valid UTF-8) text longer than maximumCellBytes at a character boundary and ends it with
// cutMarker, within the limit. Returns whether it was cut.
bool fitCell(std::string& text);

// Makes every cell valid UTF-8 and fits it into a cell; the note that a cell was cut (naming its
// column by the header's caption) goes into the cell at noteColumn.
void fitRow(CsvRow& row, const CsvRow& header, std::size_t noteColumn);

// A cell as written to a CSV: text that begins with =, +, -, @, tab or carriage return and is not
// a number gets a leading apostrophe, which spreadsheets show as text instead of running it.
std::string_view csvGuarded(std::string_view cell, std::string& room);

}  // namespace pedivo
