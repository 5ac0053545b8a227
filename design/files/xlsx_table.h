#pragma once
// A table as an Excel workbook (libxlsxwriter): the header row bold, marked rows in red, cells
// that read as plain numbers stored as numbers so that a spreadsheet can compute with them.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "design/files/csv_table.h"

namespace pedivo {

// Writes the workbook beside the target and renames it over the target, so a failed write never
// leaves a half-written file. marked[i] marks data row i (the row after the header). Returns the
// reason on failure.
std::optional<std::string> writeXlsxTable(const std::filesystem::path& path, const std::vector<CsvRow>& rows,
                                          const std::vector<bool>& marked);

}  // namespace pedivo
