#include "design/files/xlsx_table.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <array>
#include <memory>

#include "design/common/numbers.h"
#include "design/files/replace_file.h"

namespace pedivo {

struct XlsxTableWriter::State {
  FileReplacement file;
  lxw_workbook* workbook = nullptr;
  lxw_worksheet* sheet = nullptr;
  lxw_format* bold = nullptr;
  // A data cell's format by its column's look and the row's mark: [wrap or decimals][marked].
  std::array<std::array<lxw_format*, 2>, 3> cell{};
  std::vector<XlsxColumnStyle> styles;
  lxw_row_t nextRow = 0;
  bool failed = false;
};

namespace {

constexpr std::size_t plainCell = 0, wrappedCell = 1, decimalCell = 2;

// libxlsxwriter writes the workbook by name, through buffers whose last flush it may not see
// fail: the file it left is read back whole, every part to its end, where libzip compares the
// part's checksum. A file cut short by a full disk does not open or fails a part.
bool workbookReadsBack(const std::filesystem::path& path) {
  int error = 0;
  const std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error),
                                                              zip_discard);
  if (!archive) return false;
  const zip_int64_t parts = zip_get_num_entries(archive.get(), 0);
  if (parts <= 0) return false;
  std::array<char, 1 << 16> buffer;
  for (zip_int64_t i = 0; i < parts; ++i) {
    zip_file_t* part = zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0);
    if (part == nullptr) return false;
    zip_int64_t read = 0;
    while ((read = zip_fread(part, buffer.data(), buffer.size())) > 0) {
    }
    zip_fclose(part);
    if (read < 0) return false;
  }
  return true;
}

}  // namespace

std::variant<std::unique_ptr<XlsxTableWriter>, std::string> XlsxTableWriter::begin(const std::filesystem::path& path) {
  auto started = FileReplacement::begin(path);
  if (auto* problem = std::get_if<FileProblem>(&started)) return problem->reason;
  auto state = std::make_unique<State>(
      State{std::move(std::get<FileReplacement>(started)), nullptr, nullptr, nullptr, {}, {}, 0, false});
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go to a temporary file as they are finished
  state->workbook = workbook_new_opt(state->file.temporary().c_str(), &options);
  if (state->workbook == nullptr) return std::string("无法创建工作簿");
  state->sheet = workbook_add_worksheet(state->workbook, "设计结果");
  state->bold = workbook_add_format(state->workbook);
  format_set_bold(state->bold);
  format_set_text_wrap(state->bold);
  format_set_align(state->bold, LXW_ALIGN_VERTICAL_TOP);
  for (std::size_t look : {plainCell, wrappedCell, decimalCell})
    for (std::size_t marked : {0u, 1u}) {
      lxw_format* format = workbook_add_format(state->workbook);
      format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
      if (marked == 1) format_set_font_color(format, 0xBE0000);
      if (look == wrappedCell) format_set_text_wrap(format);
      if (look == decimalCell) format_set_num_format(format, "0.00");
      state->cell[look][marked] = format;
    }
  return std::make_unique<XlsxTableWriter>(std::move(state));
}

XlsxTableWriter::XlsxTableWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}

XlsxTableWriter::~XlsxTableWriter() {
  // Unfinished: libxlsxwriter's own temporary files go with the workbook, ours with the state.
  if (state_ && state_->workbook != nullptr) {
    workbook_close(state_->workbook);
    state_->workbook = nullptr;
  }
}

void XlsxTableWriter::setColumnStyles(std::vector<XlsxColumnStyle> styles) {
  State& s = *state_;
  s.styles = std::move(styles);
  for (std::size_t c = 0; c < s.styles.size() && s.sheet != nullptr; ++c)
    if (s.styles[c].width > 0)
      worksheet_set_column(s.sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), s.styles[c].width, nullptr);
  // The header stays in view while the rows scroll.
  if (s.sheet != nullptr) worksheet_freeze_panes(s.sheet, 1, 0);
}

bool XlsxTableWriter::addHeader(const CsvRow& row) { return add(row, true, false); }
bool XlsxTableWriter::addRow(const CsvRow& row, bool marked) { return add(row, false, marked); }

bool XlsxTableWriter::add(const CsvRow& row, bool header, bool marked) {
  State& s = *state_;
  if (s.failed || s.workbook == nullptr) return false;
  for (std::size_t c = 0; c < row.size() && !s.failed; ++c) {
    const auto column = static_cast<lxw_col_t>(c);
    const XlsxColumnStyle style = c < s.styles.size() ? s.styles[c] : XlsxColumnStyle{};
    const std::size_t look = style.wrap ? wrappedCell : style.twoDecimals ? decimalCell : plainCell;
    lxw_format* format = header ? s.bold : s.cell[look][marked ? 1 : 0];
    const std::string& text = row[c];
    const auto number = header ? std::nullopt : parseNumber(text);
    lxw_error error = LXW_NO_ERROR;
    if (number && text.find_first_of("eE") == std::string::npos) {
      error = worksheet_write_number(s.sheet, s.nextRow, column, *number, format);
    } else if (!text.empty()) {
      error = worksheet_write_string(s.sheet, s.nextRow, column, text.c_str(), format);
    }
    s.failed = error != LXW_NO_ERROR;
  }
  ++s.nextRow;
  return !s.failed;
}

std::optional<std::string> XlsxTableWriter::finish() {
  State& s = *state_;
  if (s.workbook == nullptr) return std::string("工作簿已经写完");
  const lxw_error closed = workbook_close(s.workbook);
  s.workbook = nullptr;
  if (s.failed || closed != LXW_NO_ERROR) return std::string(closed == LXW_ERROR_MEMORY_MALLOC_FAILED ? "内存不足" : "无法写入工作簿（磁盘可能已满）");
  if (!workbookReadsBack(s.file.temporary())) return std::string("写入的工作簿不完整（磁盘可能已满）");
  return s.file.commit();
}

std::optional<std::string> writeXlsxTable(const std::filesystem::path& path, const std::vector<CsvRow>& rows,
                                          const std::vector<bool>& marked, std::vector<XlsxColumnStyle> styles) {
  auto started = XlsxTableWriter::begin(path);
  if (auto* why = std::get_if<std::string>(&started)) return *why;
  auto& writer = *std::get<std::unique_ptr<XlsxTableWriter>>(started);
  writer.setColumnStyles(std::move(styles));
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (!(r == 0 ? writer.addHeader(rows[r]) : writer.addRow(rows[r], r - 1 < marked.size() && marked[r - 1]))) break;
  return writer.finish();
}

}  // namespace pedivo
