#pragma once
// Batch design from a table: one design a row. The header names the base type column "module",
// an optional "id" column, the input controls by their object names ("Edthc", "EdtN", …,
// "cbsize") and, optionally, the items of the project block by their keys ("name", "number", …,
// "date"); cells hold what a user would type, and a blank cell keeps the window's default.
// Each row is designed exactly as a window would design it; a row that cannot be designed
// carries its error and the batch goes on.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/common/load_combination.h"
#include "design/common/module.h"
#include "design/common/project.h"
#include "design/files/csv_table.h"
#include "design/files/xlsx_table.h"

namespace pedivo {

struct BatchTable {
  CsvRow header;
  std::vector<CsvRow> rows;
};

// One size limit for every table, from a file or from standard input: far beyond any real batch
// (a design row is under a hundred bytes), small enough to be read without exhausting memory.
inline constexpr std::uintmax_t maximumTableBytes = 64u << 20;
std::string tableTooLargeMessage();

// The table of designs; refuses a table without a "module" column or with a column that no base
// type has (a misspelt control would otherwise be silently ignored).
std::variant<BatchTable, std::string> readBatchTable(std::string_view csv);

// The header checks of readBatchTable: the names are trimmed; the reason for a refusal.
std::optional<std::string> checkBatchHeader(CsvRow& header);

// The header has a column of the project block.
bool hasProjectColumn(const CsvRow& header);

// The base type a row names (its last "module" column), or none.
const ModuleDescriptor* rowModule(const CsvRow& header, const CsvRow& cells);

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
  std::vector<LoadCombination> loads;  // its combinations, where the table has a "load" column
  std::optional<Sizes> sizes;          // the sizes of a check ("mode" check)
  // The combination behind the verdict: that of the failing check with the largest ratio where a
  // check fails, otherwise that of the check with the largest ratio; empty under one combination.
  std::string governing;
  Project project;                   // the row's project block
  // What 自动调整 proposes for a row that did not pass, when asked for: the changed entries as
  // "Edtsizea=95；cbsize=0" and the proposal's steel weight.
  std::optional<std::string> adjustedChanges;
  std::optional<double> adjustedWeight;
};

// Tables of several load combinations: a column "load" names each row's combination and the rows
// of one "id", written one after another, are one design; they agree on every column but "load"
// and the forces EdtN, EdtV, EdtM. A column "mode" (design or check, 设计 or 验算) makes a row a
// check of the sizes in the columns named like the sizes ("tpb", "dms", …).
inline constexpr const char* loadColumn = "load";
inline constexpr const char* modeColumn = "mode";
bool isGroupedTable(const CsvRow& header);
bool isSizeColumn(std::string_view name);
// The "id" cell of a row, trimmed; empty where there is none.
std::string rowId(const CsvRow& header, const CsvRow& cells);
// Designs the rows of one id (index: of its first row) as one design under their combinations.
// `scattered`: rows of the id came earlier, apart from these; the group is refused.
BatchRow designGroup(const CsvRow& header, std::span<const CsvRow> rows, std::size_t index, bool scattered = false);

// The rows that make one design each, as OrderedRowDesigns gathers them: in a table of load
// combinations the rows of one id one after another (a blank id is a design of its own row),
// otherwise each row alone. `scattered`: rows of the id came earlier, apart from these.
struct RowGroup {
  std::size_t first = 0;  // 0-based, after the header
  std::size_t count = 1;
  bool scattered = false;
};
std::vector<RowGroup> designGroups(const BatchTable& table);
// The design of a group of the table, exactly as the batch designed it.
BatchRow designRows(const BatchTable& table, const RowGroup& group);
// The same from the group's own rows (group.count of them).
BatchRow designRows(const CsvRow& header, std::span<const CsvRow> rows, const RowGroup& group);

// Runs 自动调整 for a row that did not pass and keeps its proposal, when one passes.
void adjustRow(BatchRow& row);

// Designs row index (0-based, after the header) of the table.
BatchRow designRow(const BatchTable& table, std::size_t index);
BatchRow designRow(const CsvRow& header, const CsvRow& cells, std::size_t index);

// A row that failed: an error, or a check not met.
inline bool isFailing(const BatchRow& row) { return row.error.has_value() || row.failedChecks > 0; }
std::vector<bool> failingRows(const std::vector<BatchRow>& rows);

// The result fields of the base types met in a batch, in the order first met: (name, caption).
using ResultColumns = std::vector<std::pair<std::string, std::string>>;
ResultColumns resultColumns(const std::vector<const ModuleDescriptor*>& modulesInOrder);

// The results as a table: id, the row's message (its error, or what the window showed), base
// type, the project block (when the batch gives one), every result field met in the batch (in
// the order first met), failing checks, largest utilisation and, when a row has several load
// combinations, the governing one. Every cell is valid UTF-8 and fits a
// spreadsheet cell (fitRow); a cut cell is told in the row's message.
std::vector<CsvRow> batchResultTable(const std::vector<BatchRow>& rows);
// With a project block when the batch gives one; with `withAdjust`, two more columns: the
// proposal's changed entries and its weight.
// With `withGoverning` (a table of load combinations), a column 控制组合 after the largest utilisation.
CsvRow resultHeader(const ResultColumns& columns, bool withProject = false, bool withAdjust = false,
                    bool withGoverning = false);
CsvRow resultRow(const BatchRow& row, const ResultColumns& columns, const CsvRow& header);
inline constexpr std::size_t resultMessageColumn = 1;
inline constexpr const char* resultMessageCaption = "提示";
inline constexpr const char* largestRatioCaption = "最大利用率";
inline constexpr const char* governingCaption = "控制组合";

// How the result table's columns look in a workbook: the message wide and wrapped, the largest
// utilisation with two decimals, every other column as wide as its caption.
std::vector<XlsxColumnStyle> resultColumnStyles(const CsvRow& header);

}  // namespace pedivo
