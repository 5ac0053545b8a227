#pragma once
// Batch design from a table: one design a row. The header names the base type column "module",
// an optional "id" column, and the input controls by their object names ("Edthc", "EdtN", …,
// "cbsize"); cells hold what a user would type, and a blank cell keeps the window's default.
// Each row is designed exactly as a window would design it; a row that cannot be designed
// carries its error and the batch goes on.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/common/module.h"
#include "design/files/csv_table.h"

namespace pedivo {

struct BatchTable {
  CsvRow header;
  std::vector<CsvRow> rows;
};

// The table of designs; refuses a table without a "module" column or with a column that no base
// type has (a misspelt control would otherwise be silently ignored).
std::variant<BatchTable, std::string> readBatchTable(std::string_view csv);

struct BatchRow {
  std::string id;                    // the "id" cell, or the row's number
  const ModuleDescriptor* module = nullptr;
  std::optional<std::string> error;  // the row could not be designed
  bool designed = false;             // the calculation ran to its closing message
  std::vector<std::string> messages; // as the window would show them
  std::vector<FieldText> fields;     // as "查看结果" shows them
  int failedChecks = 0;
  double largestRatio = 0;           // of the checks that are limits
  Entries entries;                   // the row's entries, for opening it in its window
};

// Designs row index (0-based, after the header) of the table.
BatchRow designRow(const BatchTable& table, std::size_t index);

// Rows that failed: an error, or a check not met.
std::vector<bool> failingRows(const std::vector<BatchRow>& rows);

// The results as a table: id, base type, messages, every result field met in the batch (in the
// order first met), failing checks, largest utilisation, error.
std::vector<CsvRow> batchResultTable(const std::vector<BatchRow>& rows);

}  // namespace pedivo
