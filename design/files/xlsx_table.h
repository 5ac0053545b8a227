#pragma once
// A table as an Excel workbook (libxlsxwriter): the header row bold, marked rows in red, cells
// that read as plain numbers stored as numbers so that a spreadsheet can compute with them, every
// other cell stored as text (never as a formula, whatever it begins with).

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "design/files/csv_table.h"

namespace pedivo {

// How a column of the workbook looks: its width in characters (0: the spreadsheet's default),
// whether long texts wrap onto further lines in the cell, and whether numbers show two decimals.
struct XlsxColumnStyle {
  double width = 0;
  bool wrap = false;
  bool twoDecimals = false;
};

// A workbook written row by row: libxlsxwriter keeps each finished row in its own temporary file,
// not in memory, so a table of any length is written in little memory. The workbook is written
// beside the target and takes its place only when complete (FileReplacement).
class XlsxTableWriter {
 public:
  // Checks the target and starts the workbook; the reason (Chinese) on failure.
  static std::variant<std::unique_ptr<XlsxTableWriter>, std::string> begin(const std::filesystem::path& path);
  ~XlsxTableWriter();
  XlsxTableWriter(const XlsxTableWriter&) = delete;
  XlsxTableWriter& operator=(const XlsxTableWriter&) = delete;

  // Before the first row: the look of each column, by position; columns beyond keep the default.
  void setColumnStyles(std::vector<XlsxColumnStyle> styles);
  // Rows in order, the header first. Cells are written as they are: make them fit first (fitRow).
  bool addHeader(const CsvRow& row);
  bool addRow(const CsvRow& row, bool marked);
  // Closes the workbook and puts it in place of the target; the reason on failure.
  std::optional<std::string> finish();

  struct State;  // only begin() makes one
  explicit XlsxTableWriter(std::unique_ptr<State> state);

 private:
  bool add(const CsvRow& row, bool header, bool marked);

  std::unique_ptr<State> state_;
};

// Writes a whole table. marked[i] marks data row i (the row after the header). Returns the reason
// on failure.
std::optional<std::string> writeXlsxTable(const std::filesystem::path& path, const std::vector<CsvRow>& rows,
                                          const std::vector<bool>& marked,
                                          std::vector<XlsxColumnStyle> styles = {});

}  // namespace pedivo
