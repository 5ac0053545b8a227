#include "design/files/load_rows.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "design/common/numbers.h"

namespace pedivo {
namespace {

std::string trimmedCell(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool blankRow(const CsvRow& row) {
  return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return trimmedCell(cell).empty(); });
}

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

constexpr std::array<const char*, 3> forceNames{"N", "V", "M"};

// Where each column stands: the name (none for a table without names) and the forces.
struct Columns {
  std::optional<std::size_t> name;
  std::array<std::size_t, 3> forces{};
};

// The columns a header names, when it names every force.
std::optional<Columns> namedColumns(const CsvRow& header, std::size_t forceCount) {
  static constexpr std::array<const char*, 3> words{"轴力", "剪力", "弯矩"};
  Columns columns;
  std::array<bool, 3> found{};
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::string caption = trimmedCell(header[c]);
    const std::string low = lowered(caption);
    if (!columns.name && (caption.find("名称") != std::string::npos || caption.find("组合") != std::string::npos ||
                          low == "name" || low == "load" || low == "combination")) {
      columns.name = c;
      continue;
    }
    for (std::size_t f = 0; f < forceCount; ++f)
      if (!found[f] && (caption.rfind(forceNames[f], 0) == 0 || caption.find(words[f]) != std::string::npos)) {
        columns.forces[f] = c;
        found[f] = true;
        break;
      }
  }
  for (std::size_t f = 0; f < forceCount; ++f)
    if (!found[f]) return std::nullopt;
  return columns;
}

// The columns of a row without a header: a name first when the row has room for one.
std::optional<Columns> placedColumns(const CsvRow& row, std::size_t forceCount) {
  if (row.size() < forceCount) return std::nullopt;
  Columns columns;
  const std::size_t first = row.size() > forceCount ? 1 : 0;
  if (first == 1) columns.name = 0;
  for (std::size_t f = 0; f < forceCount; ++f) columns.forces[f] = first + f;
  return columns;
}

LoadRowText rowText(const CsvRow& row, const Columns& columns, std::size_t forceCount) {
  const auto cell = [&](std::size_t c) { return c < row.size() ? trimmedCell(row[c]) : std::string(); };
  LoadRowText text;
  if (columns.name) text.name = cell(*columns.name);
  std::array<std::string*, 3> forces{&text.N, &text.V, &text.M};
  for (std::size_t f = 0; f < forceCount; ++f) *forces[f] = cell(columns.forces[f]);
  return text;
}

// The first force of the row that is not a number, as "N：“abc”不是有效的数值".
std::optional<std::string> numberFault(const LoadRowText& row, std::size_t forceCount) {
  const std::array<const std::string*, 3> forces{&row.N, &row.V, &row.M};
  for (std::size_t f = 0; f < forceCount; ++f)
    if (!parseNumber(*forces[f])) return std::string(forceNames[f]) + "：" + notANumberMessage(*forces[f]);
  return std::nullopt;
}

bool anyNumber(const LoadRowText& row, std::size_t forceCount) {
  const std::array<const std::string*, 3> forces{&row.N, &row.V, &row.M};
  return std::any_of(forces.begin(), forces.begin() + static_cast<std::ptrdiff_t>(forceCount),
                     [](const std::string* force) { return parseNumber(*force).has_value(); });
}

std::string rowWords(std::size_t number) { return "第 " + std::to_string(number) + " 行"; }

}  // namespace

std::vector<CsvRow> pastedCells(std::string_view text) {
  std::vector<CsvRow> rows;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    CsvRow row;
    for (;;) {
      const std::size_t tab = line.find('\t');
      row.emplace_back(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
    if (!blankRow(row)) rows.push_back(std::move(row));
  }
  return rows;
}

std::variant<std::vector<LoadRowText>, std::string> loadRowsFromCells(const std::vector<CsvRow>& cells,
                                                                      bool withMoment) {
  const std::size_t forceCount = withMoment ? 3 : 2;
  const std::string expected = withMoment ? "名称、N、V、M" : "名称、N、V";
  std::optional<Columns> header;
  std::vector<LoadRowText> rows;
  bool first = true;
  for (std::size_t r = 0; r < cells.size(); ++r) {
    const CsvRow& row = cells[r];
    if (blankRow(row)) continue;
    const std::optional<Columns> columns = header ? header : placedColumns(row, forceCount);
    const std::optional<LoadRowText> text = columns ? std::optional(rowText(row, *columns, forceCount)) : std::nullopt;
    const std::optional<std::string> fault = text ? numberFault(*text, forceCount) : std::nullopt;
    // A first row of captions (no force in it reads as a number): its columns say where the
    // forces are, when they name them all. A row with some numbers is a row with a fault.
    if (first && (!text || (fault && !anyNumber(*text, forceCount)))) {
      first = false;
      header = namedColumns(row, forceCount);
      continue;
    }
    if (!text) return rowWords(r + 1) + "只有 " + std::to_string(row.size()) + " 列，应为" + expected;
    if (fault) return rowWords(r + 1) + "的 " + *fault;
    first = false;
    rows.push_back(*text);
  }
  return rows;
}

std::variant<std::vector<LoadCombination>, std::string> combinationsFromRows(std::span<const LoadRowText> rows,
                                                                             bool withMoment) {
  const std::size_t forceCount = withMoment ? 3 : 2;
  std::vector<LoadCombination> loads;
  loads.reserve(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const LoadRowText& row = rows[r];
    if (auto fault = numberFault(row, forceCount)) return "荷载组合" + rowWords(r + 1) + "的 " + *fault;
    loads.push_back({row.name, *parseNumber(row.N), *parseNumber(row.V), withMoment ? *parseNumber(row.M) : 0.0});
  }
  return loads;
}

}  // namespace pedivo
