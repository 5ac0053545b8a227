#include "design/files/design_report.h"

#include "design/drawing/base_drawing.h"
#include "design/files/software_version.h"

namespace pedivo {

DesignReport designReport(const DesignSession& session, std::time_t when) {
  DesignReport report{&session.module(), session.report(), std::nullopt};
  for (auto& stamp : writingTags(when)) report.tags.push_back(std::move(stamp));
  if (auto drawn = drawing::drawDesign(session); std::holds_alternative<drawing::Drawing>(drawn))
    report.drawing = std::get<drawing::Drawing>(std::move(drawn));
  return report;
}

std::optional<DesignReport> rowReport(const BatchRow& row, std::time_t when) {
  if (row.module == nullptr || row.entries.texts.empty()) return std::nullopt;
  DesignSession session(*row.module);
  for (const auto& [name, text] : row.entries.texts)
    if (session.setText(name, text)) return std::nullopt;
  session.setCbsize(row.entries.cbsize);
  session.setProject(row.project);
  if (!row.loads.empty() && session.setLoads(row.loads)) return std::nullopt;
  if (row.sizes) {
    session.check(*row.sizes);
  } else {
    session.calculate();
  }
  return designReport(session, when);
}

std::optional<ReportError> writeDesignReport(const DesignReport& report, const std::filesystem::path& templatePath,
                                             const std::filesystem::path& target, const PicturePainter& paint) {
  std::optional<ReportPicture> picture;
  if (report.drawing && paint) picture = paint(*report.drawing);
  const auto written = fillTemplate(templatePath, report.tags, target, DocumentKind::Document, picture);
  if (const auto* error = std::get_if<ReportError>(&written)) return *error;
  return std::nullopt;
}

}  // namespace pedivo
