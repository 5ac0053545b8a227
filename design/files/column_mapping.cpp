#include "design/files/column_mapping.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace pedivo {
namespace {

std::string plain(std::string_view text) {
  std::string out;
  for (const char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out.push_back(c);
  return out;
}

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

// A caption that is the symbol, alone or followed by its unit or a bracket: "N", "N(kN)", "N（kN）", "Vx".
bool isSymbol(std::string_view caption, std::string_view symbol) {
  if (caption.rfind(symbol, 0) != 0) return false;
  const std::string_view rest = caption.substr(symbol.size());
  return rest.empty() || rest.front() == '(' || rest.rfind("（", 0) == 0 || rest == "x" || rest == "y" ||
         rest.front() == '/' || rest.front() == ',';
}

struct Guess {
  const char* column;
  std::array<const char*, 4> words;  // any of them in the caption
  std::array<const char*, 3> symbols;
};

// In this order: "构件编号" is an id before it is anything else, "荷载组合" a load.
constexpr std::array<Guess, 10> guesses{{
    {"id", {"柱号", "构件", "编号", "柱名"}, {"id", "", ""}},
    {"load", {"组合", "工况", "", ""}, {"load", "", ""}},
    {"module", {"柱脚类型", "柱脚形式", "", ""}, {"module", "", ""}},
    {"EdtN", {"轴力", "轴压力", "", ""}, {"N", "P", "Fz"}},
    {"EdtV", {"剪力", "", "", ""}, {"V", "Q", ""}},
    {"EdtM", {"弯矩", "", "", ""}, {"M", "", ""}},
    {"Edthc", {"截面高度", "柱高", "", ""}, {"H", "hb", "hc"}},
    {"Edtbf", {"翼缘宽度", "截面宽度", "", ""}, {"B", "bf", ""}},
    {"Edttw", {"腹板厚度", "", "", ""}, {"tw", "", ""}},
    {"Edttf", {"翼缘厚度", "", "", ""}, {"tf", "", ""}},
}};

}  // namespace

const std::vector<MappableColumn>& mappableColumns() {
  static const std::vector<MappableColumn> columns{
      {"id", "柱号 / 构件编号"},       {"load", "荷载组合名称"},        {"module", "柱脚类型"},
      {"EdtN", "柱底轴力 N (kN)"},     {"EdtV", "柱底剪力 V (kN)"},     {"EdtM", "柱底弯矩 M (kN·m)"},
      {"Edthc", "柱截面高度 hb (mm)"}, {"Edtbf", "柱翼缘宽度 bf (mm)"}, {"Edttw", "柱腹板厚度 tw (mm)"},
      {"Edttf", "柱翼缘厚度 tf (mm)"},
  };
  return columns;
}

std::string guessedColumn(std::string_view caption) {
  const std::string text = plain(caption);
  if (text.empty()) return {};
  for (const Guess& guess : guesses) {
    for (const char* word : guess.words)
      if (*word != '\0' && contains(text, word)) return guess.column;
    for (const char* symbol : guess.symbols)
      if (*symbol != '\0' && isSymbol(text, symbol)) return guess.column;
  }
  // A caption that already is a column name of the program keeps it.
  const std::string low = lowered(text);
  for (const MappableColumn& column : mappableColumns())
    if (low == lowered(column.name)) return column.name;
  return {};
}

std::string columnMapText(const ColumnMap& map) {
  std::string text;
  for (const auto& [caption, name] : map) {
    if (caption.find_first_of("\t\n") != std::string::npos || name.find_first_of("\t\n") != std::string::npos) continue;
    text += caption + '\t' + name + '\n';
  }
  return text;
}

ColumnMap parseColumnMap(std::string_view text) {
  ColumnMap map;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab == 0) continue;
    map[std::string(line.substr(0, tab))] = std::string(line.substr(tab + 1));
  }
  return map;
}

void rememberColumns(ColumnMap& remembered, const CsvRow& header, const CsvRow& names) {
  for (std::size_t c = 0; c < header.size() && c < names.size(); ++c)
    if (const std::string caption = plain(header[c]); !caption.empty()) remembered[caption] = names[c];
}

CsvRow mappedHeader(const CsvRow& header, const ColumnMap& remembered) {
  CsvRow names;
  names.reserve(header.size());
  for (const std::string& caption : header) {
    const auto found = remembered.find(plain(caption));
    names.push_back(found != remembered.end() ? found->second : guessedColumn(caption));
  }
  return names;
}

std::vector<CsvRow> mappedTable(const std::vector<CsvRow>& table, const CsvRow& names, std::string_view module) {
  std::vector<std::size_t> kept;
  for (std::size_t c = 0; c < names.size(); ++c)
    if (!names[c].empty()) kept.push_back(c);
  const bool addModule = !module.empty() && std::find(names.begin(), names.end(), std::string("module")) == names.end();
  std::vector<CsvRow> mapped;
  mapped.reserve(table.size());
  for (std::size_t r = 0; r < table.size(); ++r) {
    CsvRow row;
    if (addModule) row.emplace_back(r == 0 ? std::string_view("module") : module);
    for (const std::size_t c : kept)
      row.push_back(r == 0 ? names[c] : (c < table[r].size() ? table[r][c] : std::string()));
    mapped.push_back(std::move(row));
  }
  return mapped;
}

}  // namespace pedivo
