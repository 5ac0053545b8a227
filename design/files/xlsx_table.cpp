#include "design/files/xlsx_table.h"

#include <xlsxwriter.h>

#include "design/common/numbers.h"
#include "design/files/replace_file.h"

namespace pedivo {

struct XlsxTableWriter::State {
  FileReplacement file;
  lxw_workbook* workbook = nullptr;
  lxw_worksheet* sheet = nullptr;
  lxw_format* bold = nullptr;
  lxw_format* red = nullptr;
  lxw_row_t nextRow = 0;
  bool failed = false;
};

std::variant<std::unique_ptr<XlsxTableWriter>, std::string> XlsxTableWriter::begin(const std::filesystem::path& path) {
  auto started = FileReplacement::begin(path);
  if (auto* problem = std::get_if<FileProblem>(&started)) return problem->reason;
  auto state = std::make_unique<State>(State{std::move(std::get<FileReplacement>(started))});
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go to a temporary file as they are finished
  state->workbook = workbook_new_opt(state->file.temporary().c_str(), &options);
  if (state->workbook == nullptr) return std::string("无法创建工作簿");
  state->sheet = workbook_add_worksheet(state->workbook, "设计结果");
  state->bold = workbook_add_format(state->workbook);
  format_set_bold(state->bold);
  state->red = workbook_add_format(state->workbook);
  format_set_font_color(state->red, 0xBE0000);
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

bool XlsxTableWriter::addHeader(const CsvRow& row) { return add(row, true, false); }
bool XlsxTableWriter::addRow(const CsvRow& row, bool marked) { return add(row, false, marked); }

bool XlsxTableWriter::add(const CsvRow& row, bool header, bool marked) {
  State& s = *state_;
  if (s.failed || s.workbook == nullptr) return false;
  lxw_format* format = header ? s.bold : (marked ? s.red : nullptr);
  for (std::size_t c = 0; c < row.size() && !s.failed; ++c) {
    const auto column = static_cast<lxw_col_t>(c);
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
  if (s.failed || closed != LXW_NO_ERROR) return std::string("无法写入工作簿");
  return s.file.commit();
}

std::optional<std::string> writeXlsxTable(const std::filesystem::path& path, const std::vector<CsvRow>& rows,
                                          const std::vector<bool>& marked) {
  auto started = XlsxTableWriter::begin(path);
  if (auto* why = std::get_if<std::string>(&started)) return *why;
  auto& writer = *std::get<std::unique_ptr<XlsxTableWriter>>(started);
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (!(r == 0 ? writer.addHeader(rows[r]) : writer.addRow(rows[r], r - 1 < marked.size() && marked[r - 1]))) break;
  return writer.finish();
}

}  // namespace pedivo
