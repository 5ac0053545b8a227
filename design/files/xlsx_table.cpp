#include "design/files/xlsx_table.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "design/common/numbers.h"
#include "design/files/replace_file.h"

namespace pedivo {

std::optional<std::string> writeXlsxTable(const std::filesystem::path& path, const std::vector<CsvRow>& rows,
                                          const std::vector<bool>& marked) {
  // A fresh name beside the target: libxlsxwriter writes the file itself.
  std::string tempName = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return std::string(std::strerror(errno));
  ::close(fd);
  lxw_workbook* workbook = workbook_new(tempName.c_str());
  if (workbook == nullptr) {
    ::unlink(tempName.c_str());
    return std::string("无法创建工作簿");
  }
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "设计结果");
  lxw_format* header = workbook_add_format(workbook);
  format_set_bold(header);
  lxw_format* red = workbook_add_format(workbook);
  format_set_font_color(red, 0xBE0000);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    lxw_format* format = r == 0 ? header : (r - 1 < marked.size() && marked[r - 1] ? red : nullptr);
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      const auto row = static_cast<lxw_row_t>(r);
      const auto column = static_cast<lxw_col_t>(c);
      const std::string& text = rows[r][c];
      const auto number = r == 0 ? std::nullopt : parseNumber(text);
      if (number && text.find_first_of("eE") == std::string::npos) {
        worksheet_write_number(sheet, row, column, *number, format);
      } else if (!text.empty()) {
        worksheet_write_string(sheet, row, column, text.c_str(), format);
      }
    }
  }
  if (workbook_close(workbook) != LXW_NO_ERROR) {
    ::unlink(tempName.c_str());
    return std::string("无法写入工作簿");
  }
  return moveOver(tempName, path);
}

}  // namespace pedivo
