#include <gtest/gtest.h>

#include "design/files/column_mapping.h"
#include "design/files/load_rows.h"

using namespace pedivo;

namespace {

std::vector<LoadRowText> rowsOf(std::string_view pasted, bool withMoment = true) {
  auto read = loadRowsFromCells(pastedCells(pasted), withMoment);
  EXPECT_TRUE(std::holds_alternative<std::vector<LoadRowText>>(read)) << std::get<std::string>(read);
  return std::holds_alternative<std::vector<LoadRowText>>(read) ? std::get<std::vector<LoadRowText>>(read)
                                                                : std::vector<LoadRowText>{};
}

std::string refusalOf(std::string_view pasted, bool withMoment = true) {
  auto read = loadRowsFromCells(pastedCells(pasted), withMoment);
  return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : std::string("(accepted)");
}

}  // namespace

TEST(PastedLoads, SpreadsheetLinesSplitAtTabsAndLineBreaks) {
  const auto cells = pastedCells("A\t1\t2\r\n\r\n\t\t\nB\t\t3\n");
  ASSERT_EQ(cells.size(), 2u);  // blank lines and lines of empty cells dropped
  EXPECT_EQ(cells[0], (CsvRow{"A", "1", "2"}));
  EXPECT_EQ(cells[1], (CsvRow{"B", "", "3"}));  // an empty cell keeps its place
  EXPECT_TRUE(pastedCells("").empty());
}

TEST(PastedLoads, RowsWithAndWithoutNames) {
  const auto rows = rowsOf("1.3D+1.5L\t850\t60\t210\n 100 \t20\t-30\n");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "1.3D+1.5L");
  EXPECT_EQ(rows[0].M, "210");
  EXPECT_EQ(rows[1].name, "");  // three cells: the forces alone
  EXPECT_EQ(rows[1].N, "100");
  EXPECT_EQ(rows[1].M, "-30");
  // A pinned base takes N and V: two cells are forces, three a name and forces.
  const auto pinned = rowsOf("A\t5\t6\n7\t8\n", false);
  ASSERT_EQ(pinned.size(), 2u);
  EXPECT_EQ(pinned[0].name, "A");
  EXPECT_EQ(pinned[0].V, "6");
  EXPECT_EQ(pinned[0].M, "");
  EXPECT_EQ(pinned[1].N, "7");
}

TEST(PastedLoads, AHeaderIsSkippedAndPlacesTheColumns) {
  // Positional header: skipped.
  auto rows = rowsOf("名称\tN (kN)\tV (kN)\tM (kN·m)\nA\t1\t2\t3\n");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "A");
  // Captions in another order, and a column that is none of them.
  rows = rowsOf("序号\t剪力V\t荷载组合\tM\t轴力\n1\t20\tW+\t300\t-50\n");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "W+");
  EXPECT_EQ(rows[0].N, "-50");
  EXPECT_EQ(rows[0].V, "20");
  EXPECT_EQ(rows[0].M, "300");
  // Only the first row can be a header: a later row of words is a fault.
  EXPECT_NE(refusalOf("A\t1\t2\t3\n名称\tN\tV\tM\n").find("第 2 行"), std::string::npos);
}

TEST(PastedLoads, AFaultNamesTheRowAsPasted) {
  const std::string bad = refusalOf("名称\tN\tV\tM\nA\t1\t2\t3\nB\t1\tx2\t3\n");
  EXPECT_NE(bad.find("第 3 行"), std::string::npos) << bad;
  EXPECT_NE(bad.find("V"), std::string::npos) << bad;
  EXPECT_NE(bad.find("x2"), std::string::npos) << bad;
  const std::string empty = refusalOf("A\t1\t\t3\n");
  EXPECT_NE(empty.find("第 1 行"), std::string::npos) << empty;  // a missing V does not read as 0
  const std::string shortRow = refusalOf("A\t1\t2\t3\n5\t6\n");
  EXPECT_NE(shortRow.find("第 2 行只有 2 列"), std::string::npos) << shortRow;
}

TEST(PastedLoads, CombinationsReadEachForceAndNameTheRow) {
  const std::vector<LoadRowText> rows{{"A", "100", "20", "30"}, {"B", "-5.5", "1e1", "0"}};
  const auto loads = std::get<std::vector<LoadCombination>>(combinationsFromRows(rows, true));
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[1].name, "B");
  EXPECT_DOUBLE_EQ(loads[1].N, -5.5);
  EXPECT_DOUBLE_EQ(loads[1].V, 10);
  const auto pinned = std::get<std::vector<LoadCombination>>(combinationsFromRows(rows, false));
  EXPECT_EQ(pinned[0].M, 0);  // a pinned base takes no moment, whatever the text
  const std::vector<LoadRowText> bad{{"A", "1", "2", "3"}, {"B", "1", "2", "inf"}};
  const auto refused = combinationsFromRows(bad, true);
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_NE(std::get<std::string>(refused).find("荷载组合第 2 行的 M"), std::string::npos);
}

TEST(ColumnMapping, ChineseCaptionsOfAnalysisSoftware) {
  const std::pair<const char*, const char*> cases[] = {
      {"柱号", "id"},
      {"构件编号", "id"},
      {"组合", "load"},
      {"荷载组合", "load"},
      {"工况", "load"},
      {"N(kN)", "EdtN"},
      {"N （kN）", "EdtN"},
      {"轴力", "EdtN"},
      {"V", "EdtV"},
      {"Vx", "EdtV"},
      {"剪力(kN)", "EdtV"},
      {"M", "EdtM"},
      {"弯矩 kN·m", "EdtM"},
      {"截面高度", "Edthc"},
      {"H", "Edthc"},
      {"翼缘宽度", "Edtbf"},
      {"tw", "Edttw"},
      {"翼缘厚度", "Edttf"},
      {"module", "module"},
      {"EdtN", "EdtN"},
      {"序号", ""},
      {"Name", ""},
      {"", ""},
  };
  for (const auto& [caption, column] : cases) EXPECT_EQ(guessedColumn(caption), column) << caption;
}

TEST(ColumnMapping, RememberedChoicesOverTheGuesses) {
  const CsvRow header{"柱号", " 组合 ", "Fz", "序号"};
  ColumnMap remembered;
  EXPECT_EQ(mappedHeader(header, remembered), (CsvRow{"id", "load", "EdtN", ""}));
  rememberColumns(remembered, header, CsvRow{"id", "", "EdtN", "Edthc"});
  // Kept through the settings text, blanks round the caption ignored.
  const ColumnMap reread = parseColumnMap(columnMapText(remembered));
  EXPECT_EQ(reread, remembered);
  EXPECT_EQ(mappedHeader(CsvRow{"组合", "序号"}, reread), (CsvRow{"", "Edthc"}));
  EXPECT_TRUE(parseColumnMap("no tab here\n\tEdtN\n").empty());
}

TEST(ColumnMapping, TheTableRenamedWithItsBaseType) {
  const std::vector<CsvRow> table{{"柱号", "序号", "N"}, {"C1", "1", "300"}, {"C2", "2"}};
  const auto mapped = mappedTable(table, CsvRow{"id", "", "EdtN"}, "g11");
  ASSERT_EQ(mapped.size(), 3u);
  EXPECT_EQ(mapped[0], (CsvRow{"module", "id", "EdtN"}));
  EXPECT_EQ(mapped[1], (CsvRow{"g11", "C1", "300"}));
  EXPECT_EQ(mapped[2], (CsvRow{"g11", "C2", ""}));  // a short row keeps its columns
  // A table that names the base type itself keeps its own.
  const auto own = mappedTable({{"类型", "N"}, {"j1", "5"}}, CsvRow{"module", "EdtN"}, "g11");
  EXPECT_EQ(own[0], (CsvRow{"module", "EdtN"}));
  EXPECT_EQ(own[1], (CsvRow{"j1", "5"}));
}
