#pragma once
// Tables exported from analysis software name their columns in Chinese ("柱号", "组合", "N(kN)",
// "截面高度"); a batch table names them by the program's column names ("id", "load", "EdtN",
// "Edthc"). Each caption is given a column name: the engineer's own choice for that caption when
// one is remembered, otherwise a guess from the caption's words, otherwise none (the column is
// left out).

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "design/files/csv_table.h"

namespace pedivo {

// A column a caption may be given, with what it means to the engineer.
struct MappableColumn {
  const char* name;     // "EdtN"
  const char* meaning;  // "柱底轴力 N (kN)"
};
const std::vector<MappableColumn>& mappableColumns();

// The column a caption most likely means; empty for none.
std::string guessedColumn(std::string_view caption);

// Captions and the column names chosen for them, as remembered between runs.
using ColumnMap = std::map<std::string, std::string, std::less<>>;
// One "caption<TAB>name" line each; reading skips lines that are not such a pair.
std::string columnMapText(const ColumnMap& map);
ColumnMap parseColumnMap(std::string_view text);

// Keeps the names chosen for the header's captions (a caption given none is remembered as none).
void rememberColumns(ColumnMap& remembered, const CsvRow& header, const CsvRow& names);

// The column name of each caption of the header: remembered, guessed or empty.
CsvRow mappedHeader(const CsvRow& header, const ColumnMap& remembered);

// The table with its header replaced by the column names, the columns given none left out; where
// no column is "module" and `module` is given, a "module" column of it is added to every row.
std::vector<CsvRow> mappedTable(const std::vector<CsvRow>& table, const CsvRow& names, std::string_view module);

}  // namespace pedivo
