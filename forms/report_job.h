#pragma once
// Filling a report away from the window's thread. A shipped template fills in a few
// milliseconds, but a user's template may be large: the window then shows a busy indicator and
// keeps repainting instead of freezing until the report is written.

#include <QWidget>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

#include "design/common/report_writer.h"

namespace pedivo::forms {

// writeReport on a worker thread. Returns when the report is written; if that takes longer than a
// moment, a window-modal progress dialog ("正在生成计算书……") is shown over parent meanwhile and
// the window's events are handled.
std::variant<std::filesystem::path, ReportError> writeReportInBackground(QWidget* parent,
                                                                         const std::filesystem::path& templatePath,
                                                                         std::vector<TagText> tags,
                                                                         const std::filesystem::path& folder,
                                                                         std::optional<ReportPicture> picture = {});

}  // namespace pedivo::forms
