#pragma once
// The report of one design as a file of its own, as the batch reports are written: the design's
// tags with the version and time of writing, and its drawing as a picture, filled into the base
// type's template. The picture is painted outside the core by whatever the program paints with;
// the core hands over the drawing.

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"
#include "design/drawing/drawing.h"
#include "design/files/batch.h"

namespace pedivo {

struct DesignReport {
  const ModuleDescriptor* module = nullptr;
  std::vector<TagText> tags;               // with the version and the time of writing
  std::optional<drawing::Drawing> drawing;  // none for a design that did not complete
};

// The report of the session as it stands, written at `when`.
DesignReport designReport(const DesignSession& session, std::time_t when);

// A batch row designed again from the entries and project block it was designed with, as the
// window opens it; nothing for a row whose base type or entries could not be read.
std::optional<DesignReport> rowReport(const BatchRow& row, std::time_t when);

// The report's picture of a drawing; none when it cannot be painted.
using PicturePainter = std::function<std::optional<ReportPicture>(const drawing::Drawing&)>;

// Fills the template into `target` (replacing a file of that name) with the picture `paint`
// makes of the drawing. The reason, in the user's words, when it cannot.
std::optional<ReportError> writeDesignReport(const DesignReport& report, const std::filesystem::path& templatePath,
                                             const std::filesystem::path& target, const PicturePainter& paint);

}  // namespace pedivo
