#include "design/files/spreadsheet_cells.h"

#include "design/common/numbers.h"
#include "design/common/utf8_text.h"

namespace pedivo {
namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

}  // namespace

std::string validUtf8(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = utf8CharacterLength(text, i);
    if (length == 0) {
      out += replacementCharacter;
      ++i;
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
  return out;
}

bool fitCell(std::string& text) {
  if (text.size() <= maximumCellBytes) return false;
  std::size_t end = maximumCellBytes - cutMarker.size();
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;  // not inside a character
  text.resize(end);
  text += cutMarker;
  return true;
}

void fitRow(CsvRow& row, const CsvRow& header, std::size_t noteColumn) {
  std::string note;
  for (std::size_t c = 0; c < row.size(); ++c) {
    // Scanned first: almost every cell is valid, and a copy of each would cost the batch.
    bool valid = true;
    for (std::size_t i = 0; valid && i < row[c].size();) {
      const std::size_t length = utf8CharacterLength(row[c], i);
      valid = length > 0;
      i += length;
    }
    if (!valid) row[c] = validUtf8(row[c]);
    if (fitCell(row[c])) {
      if (!note.empty()) note += "\n";
      note += "“" + (c < header.size() ? header[c] : std::to_string(c + 1)) + "”一栏超过 " +
              std::to_string(maximumCellBytes) + " 字节，已截断";
    }
  }
  if (note.empty() || noteColumn >= row.size()) return;
  std::string& cell = row[noteColumn];
  cell = cell.empty() ? note : cell + "\n" + note;
  fitCell(cell);
}

std::string_view csvGuarded(std::string_view cell, std::string& room) {
  if (cell.empty()) return cell;
  const char first = cell.front();
  if (first != '=' && first != '+' && first != '-' && first != '@' && first != '\t' && first != '\r') return cell;
  if (parseNumber(cell)) return cell;
  room.assign("'").append(cell);
  return room;
}

}  // namespace pedivo
