#include "design/common/text_block.h"

namespace pedivo {
namespace {

std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return text;
}

std::vector<std::string> cellsOf(std::string_view line) {
  std::vector<std::string> cells;
  std::size_t from = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', from)) {
    cells.emplace_back(line.substr(from, tab - from));
    from = tab + 1;
  }
  cells.emplace_back(line.substr(from));
  return cells;
}

}  // namespace

std::string blockText(const TextBlock& block) {
  std::string text;
  const auto line = [&text](const std::string& part) {
    if (!text.empty()) text += '\n';
    text += oneLine(part);
  };
  for (const auto& paragraph : block.before) line(paragraph);
  for (const auto& row : block.rows) {
    if (!text.empty()) text += '\n';
    for (std::size_t c = 0; c < row.size(); ++c) text.append(c == 0 ? "" : "\t").append(oneLine(row[c]));
  }
  for (const auto& paragraph : block.after) line(paragraph);
  return text;
}

TextBlock readTextBlock(std::string_view text) {
  TextBlock block;
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(from, end - from);
    if (line.find('\t') != std::string_view::npos && block.after.empty()) {
      block.rows.push_back(cellsOf(line));
    } else {
      (block.rows.empty() ? block.before : block.after).emplace_back(line);
    }
    from = end + 1;
  }
  return block;
}

}  // namespace pedivo
