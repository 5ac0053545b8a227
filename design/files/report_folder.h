#pragma once
// Reports of many designs written into one folder on the worker pool, one report a design, each
// named by its design's id (report_names.h) and handed back in the order they were asked for.
// pedivo-calc --report-dir writes a table's or a JSON Lines input's reports with it, the batch
// window those of the selected rows.

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "design/files/design_report.h"
#include "design/files/report_names.h"
#include "design/files/worker_pool.h"

namespace pedivo {

class ReportFolder {
 public:
  // The report of one design, made on a worker; or why the design has none.
  using Maker = std::function<std::variant<DesignReport, std::string>()>;

  struct Outcome {
    std::filesystem::path path;          // the report's file, named before it was made
    std::optional<std::string> problem;  // why it was not written (Chinese); none once written
  };

  // Creates the folder (and those above it) when it does not exist; the reason when it is not a
  // folder or cannot be made.
  static std::optional<std::string> prepare(const std::filesystem::path& folder);

  // With `keepFiles` the names of the files already in the folder are not given, so that no file
  // of the user's is replaced; without, a report replaces a file of its name, so that writing a
  // batch again gives the same files.
  ReportFolder(WorkerPool& pool, std::filesystem::path folder, std::vector<std::filesystem::path> templateSearch,
               PicturePainter paint, bool keepFiles);
  // Waits for the reports still being written: they use the folder's names and painter.
  ~ReportFolder();
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

  // Names the next design's report by `id` (or its `number` in the batch) and hands it to the pool.
  void add(const std::string& id, std::size_t number, Maker make);

  std::size_t inFlight() const { return pending_.size(); }
  // Waits at most `wait` for the oldest report; true when it is done.
  bool oldestReady(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) const;
  // Takes the oldest report back, waiting for it.
  Outcome takeOldest();

 private:
  WorkerPool& pool_;
  std::filesystem::path folder_;
  std::vector<std::filesystem::path> templateSearch_;
  PicturePainter paint_;
  ReportNames names_;
  std::deque<std::future<Outcome>> pending_;
};

}  // namespace pedivo
