#include "design/files/report_folder.h"

#include "design/common/system_reason.h"
#include "design/files/data_folders.h"

namespace pedivo {

namespace fs = std::filesystem;

std::optional<std::string> ReportFolder::prepare(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return std::nullopt;
  if (fs::exists(folder, ec)) return "“" + folder.string() + "”不是文件夹";
  if (fs::create_directories(folder, ec); ec || !fs::is_directory(folder, ec))
    return "无法建立文件夹“" + folder.string() + "”：" + systemReason(ec);
  return std::nullopt;
}

ReportFolder::ReportFolder(WorkerPool& pool, fs::path folder, std::vector<fs::path> templateSearch,
                           PicturePainter paint, bool keepFiles)
    : pool_(pool), folder_(std::move(folder)), templateSearch_(std::move(templateSearch)), paint_(std::move(paint)) {
  if (!keepFiles) return;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder_, ec)) names_.take(entry.path().filename().string());
}

ReportFolder::~ReportFolder() {
  for (auto& report : pending_) report.wait();
}

void ReportFolder::add(const std::string& id, std::size_t number, Maker make) {
  fs::path path = folder_ / names_.next(id, number);
  pending_.push_back(pool_.submit([this, path = std::move(path), make = std::move(make)]() -> Outcome {
    try {
      auto made = make();
      if (const auto* none = std::get_if<std::string>(&made)) return {path, *none};
      const auto& report = std::get<DesignReport>(made);
      const fs::path templatePath = findDataFile(templateSearch_, report.module->templateFile);
      if (auto error = writeDesignReport(report, templatePath, path, paint_)) return {path, error->message};
      return {path, std::nullopt};
    } catch (const std::exception& error) {
      return {path, "无法生成计算书“" + path.string() + "”：" + unexpectedFailure(error)};
    }
  }));
}

bool ReportFolder::oldestReady(std::chrono::milliseconds wait) const {
  return !pending_.empty() && pending_.front().wait_for(wait) == std::future_status::ready;
}

ReportFolder::Outcome ReportFolder::takeOldest() {
  Outcome outcome = pending_.front().get();
  pending_.pop_front();
  return outcome;
}

}  // namespace pedivo
