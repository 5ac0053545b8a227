#include "forms/adjust_job.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <future>

namespace pedivo::forms {
namespace {

// A search this short shows no dialog at all.
constexpr std::chrono::milliseconds quietWait(150);
constexpr std::chrono::milliseconds eventPause(20);

}  // namespace

std::optional<adjust::SearchResult> adjustInBackground(QWidget* parent, const ModuleDescriptor& module,
                                                       const Entries& entries,
                                                       const std::vector<LoadCombination>& loads) {
  adjust::SearchProgress progress;
  auto job = std::async(std::launch::async, [&module, entries, loads, &progress] {
    return adjust::adjustDesign(module, entries, loads, &progress);
  });
  if (job.wait_for(quietWait) != std::future_status::ready) {
    // Owned by parent for Qt; removed as soon as the search ends.
    auto* dialog = new QProgressDialog(QStringLiteral("正在自动调整……"), QStringLiteral("取消"), 0, 0, parent);
    dialog->setObjectName(QStringLiteral("adjustProgress"));
    dialog->setWindowTitle(QStringLiteral("自动调整"));
    dialog->setWindowModality(Qt::WindowModal);  // the window takes no input meanwhile
    dialog->setMinimumDuration(0);
    dialog->setMinimumWidth(320);
    dialog->show();
    while (job.wait_for(eventPause) != std::future_status::ready) {
      if (dialog->wasCanceled()) progress.cancel = true;
      dialog->setLabelText(
          QStringLiteral("正在自动调整……已试算 %1 个设计").arg(progress.candidates.load(std::memory_order_relaxed)));
      QCoreApplication::processEvents();
    }
    dialog->close();
    dialog->deleteLater();
  }
  adjust::SearchResult found = job.get();
  if (found.cancelled) return std::nullopt;
  return found;
}

}  // namespace pedivo::forms
