#pragma once
// A report tag's text that is a table: paragraphs, then the table's rows (the first its header),
// then paragraphs. Written as lines: the lines holding a tab are the rows, their cells parted by
// tabs. The report writer sets it as a table where the document can hold one, else as lines.

#include <string>
#include <string_view>
#include <vector>

namespace pedivo {

struct TextBlock {
  std::vector<std::string> before;
  std::vector<std::vector<std::string>> rows;  // rows[0]: the header
  std::vector<std::string> after;
};

// The block as lines; a tab or line feed within a cell or a paragraph becomes a space.
std::string blockText(const TextBlock& block);
// The lines read back: those before the first row, the rows, those after the last.
TextBlock readTextBlock(std::string_view text);

}  // namespace pedivo
