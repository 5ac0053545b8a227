#include "report_cases.h"

#include <ctime>
#include <iostream>

#include "calc_case.h"
#include "case_input.h"
#include "design/files/data_folders.h"
#include "design/files/report_folder.h"
#include "design/files/software_version.h"
#include "report_output.h"
#include "standard_output.h"

namespace pedivo::calc {
namespace {

// The designs run on this thread, a few hundred microseconds each; the reports, tens of
// milliseconds each for the picture and the package, on the workers.
class ReportCases final : public CaseLines {
 public:
  ReportCases(ReportFolder& reports, bool detail) : reports_(reports), detail_(detail) {}

  bool wantsLines() const override { return outputOk_; }
  bool wantsInputs() const override { return outputOk_; }
  void line(std::string&& text, bool inputWaiting) override {
    if (isBlankLine(text)) return;
    ++number_;
    CaseResult result = runCase(text, true, true, detail_);
    write(result.output, inputWaiting);
    if (result.failed) {
      anyFailed_ = true;
      return;
    }
    DesignReport report{findModule(*result.moduleId), std::move(result.report), std::nullopt};
    for (auto& stamp : writingTags(std::time(nullptr))) report.tags.push_back(std::move(stamp));
    if (result.drawing && std::holds_alternative<drawing::Drawing>(*result.drawing))
      report.drawing = std::get<drawing::Drawing>(std::move(*result.drawing));
    reports_.add(result.id.value_or(""), number_,
                 [report = std::move(report)]() mutable -> std::variant<DesignReport, std::string> {
                   return std::move(report);
                 });
    while (reports_.inFlight() > mostInFlight) taken_.take(reports_);
  }
  void lineTooLong() override {
    ++number_;
    anyFailed_ = true;
    write(errorLine(lineTooLongMessage()), false);
  }
  void inputDone() override {}
  bool cannotOpen(const std::string& name) override {
    anyFailed_ = true;
    write(errorLine("无法打开输入文件“" + name + "”"), false);
    return true;
  }

  // Waits for the reports still being written.
  void finish() {
    while (reports_.inFlight() > 0) taken_.take(reports_);
  }
  bool outputOk() const { return outputOk_; }
  bool anyFailed() const { return anyFailed_; }
  bool anyReportFailed() const { return taken_.anyFailed(); }

 private:
  void write(const std::string& line, bool inputWaiting) {
    outputOk_ = outputOk_ && writeOutput(line + '\n') && (inputWaiting || flushOutput());
  }

  static constexpr std::size_t mostInFlight = 16;
  ReportFolder& reports_;
  TakenReports taken_;
  bool detail_;
  std::size_t number_ = 0;
  bool outputOk_ = true;
  bool anyFailed_ = false;
};

}  // namespace

int designReportCases(const Options& options, const PicturePainter& paint) {
  if (const auto problem = ReportFolder::prepare(*options.reportDir)) {
    std::cerr << "pedivo-calc: " << *problem << '\n';
    return 2;
  }
  WorkerPool pool;
  const DataFolders folders = dataFolders(processEnvironment(), runningProgramFolder());
  ReportFolder reports(pool, *options.reportDir, templateSearchPath(folders), paint, false);
  ReportCases cases(reports, options.detail);
  readCaseLines(options.inputs, cases);
  cases.finish();
  if (!cases.outputOk() || !flushOutput()) {
    std::cerr << cannotWriteOutput;
    return 2;
  }
  if (cases.anyReportFailed()) return 2;
  return cases.anyFailed() ? 1 : 0;
}

}  // namespace pedivo::calc
