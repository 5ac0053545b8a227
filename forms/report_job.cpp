#include "forms/report_job.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <future>

namespace pedivo::forms {
namespace {

// A shipped template is filled within this: no dialog flashes up for it.
constexpr std::chrono::milliseconds quietWait(150);
constexpr std::chrono::milliseconds eventPause(20);

}  // namespace

std::variant<std::filesystem::path, ReportError> writeReportInBackground(QWidget* parent,
                                                                         const std::filesystem::path& templatePath,
                                                                         std::vector<TagText> tags,
                                                                         const std::filesystem::path& folder,
                                                                         std::optional<ReportPicture> picture) {
  auto job = std::async(std::launch::async, [templatePath, tags = std::move(tags), folder, picture = std::move(picture)] {
    return writeReport(templatePath, tags, folder, picture);
  });
  if (job.wait_for(quietWait) == std::future_status::ready) return job.get();

  // Owned by parent for Qt; removed as soon as the report is written.
  auto* progress = new QProgressDialog(QStringLiteral("正在生成计算书……"), QString(), 0, 0, parent);
  progress->setObjectName(QStringLiteral("reportProgress"));
  progress->setWindowTitle(QStringLiteral("打印计算书"));
  progress->setWindowModality(Qt::WindowModal);  // the window takes no input meanwhile
  progress->setCancelButton(nullptr);
  progress->setMinimumDuration(0);
  progress->show();
  while (job.wait_for(eventPause) != std::future_status::ready) QCoreApplication::processEvents();
  progress->close();
  progress->deleteLater();
  return job.get();
}

}  // namespace pedivo::forms
