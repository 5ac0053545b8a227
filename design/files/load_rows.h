#pragma once
// The rows of a 荷载组合 table as texts: typed into the window, pasted from a spreadsheet (Excel and
// WPS copy cells as tab-separated lines) or read from a CSV file. A row is a name with N, V and,
// where the base takes a moment, M, in kN and kN·m with compression positive. The names and forces
// are checked as combinations by combinationsFault; here only that each force reads as a number.

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/common/load_combination.h"
#include "design/files/csv_table.h"

namespace pedivo {

struct LoadRowText {
  std::string name;
  std::string N;
  std::string V;
  std::string M;  // empty for a base without moment
};

// Pasted text as rows of cells: lines at line breaks, cells at tabs; blank lines dropped.
std::vector<CsvRow> pastedCells(std::string_view text);

// The rows of a table of cells. A row is name, N, V[, M], or the forces alone without a name
// (the name is then empty). A first row whose forces are not numbers is a header and is skipped;
// where its captions name the columns ("组合", "N (kN)", "弯矩M"), they are taken from there.
// Blank rows are dropped. A force that is not a number, or a row too short, refuses the whole
// table, naming the row as counted in the cells (header included, from 1).
std::variant<std::vector<LoadRowText>, std::string> loadRowsFromCells(const std::vector<CsvRow>& cells,
                                                                      bool withMoment);

// The combinations of the rows, each force read as a number; a force that is not is refused with
// its row ("荷载组合第 3 行：V“x”不是有效的数值").
std::variant<std::vector<LoadCombination>, std::string> combinationsFromRows(std::span<const LoadRowText> rows,
                                                                             bool withMoment);

}  // namespace pedivo
