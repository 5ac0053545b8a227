#include "single_case.h"

#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>

#include "calc_case.h"
#include "case_input.h"
#include "design/common/module.h"
#include "design/common/report_writer.h"
#include "design/files/design_report.h"
#include "design/drawing/dxf_file.h"
#include "design/files/data_folders.h"
#include "design/files/replace_file.h"
#include "design/files/software_version.h"
#include "standard_output.h"

namespace pedivo::calc {
namespace {

// Keeps the first case and counts the cases; reading stops at the second. An input file that
// cannot be opened stops the run, even after the second case.
class SingleCase final : public CaseLines {
 public:
  SingleCase(bool withReport, bool withDrawing, bool withDetail)
      : withReport_(withReport), withDrawing_(withDrawing), withDetail_(withDetail) {}

  bool wantsLines() const override { return count_ < 2; }
  bool wantsInputs() const override { return true; }
  void line(std::string&& text, bool) override {
    if (isBlankLine(text)) return;
    if (++count_ == 1) first_ = runCase(text, withReport_, withDrawing_, withDetail_);
  }
  void lineTooLong() override {
    if (++count_ == 1) first_ = CaseResult{errorLine(lineTooLongMessage()), true, std::nullopt, {}, {}};
  }
  void inputDone() override {}
  bool cannotOpen(const std::string& name) override {
    std::cerr << "pedivo-calc: 无法打开输入文件“" << name << "” (cannot open the input file)\n";
    return false;
  }

  // The case, when the input held exactly one.
  const CaseResult* onlyCase() const { return count_ == 1 ? &*first_ : nullptr; }

 private:
  bool withReport_;
  bool withDrawing_;
  bool withDetail_;
  int count_ = 0;
  std::optional<CaseResult> first_;
};

// The filled report of the single case. Through a symbolic link to the file it names; a file the
// user may not write is left as it was.
int writeReportFile(const CaseResult& reportCase, const std::filesystem::path& reportPath, const PicturePainter& paint) {
  const auto target = writableTarget(reportPath);
  if (const auto* refusal = std::get_if<FileProblem>(&target)) {
    std::cerr << "pedivo-calc: 无法写入“" << reportPath.string() << "”：" << refusal->reason
              << "，文件保持不变 (the file is left as it was)\n";
    return 2;
  }
  DesignReport report{findModule(*reportCase.moduleId), reportCase.report, std::nullopt};
  for (auto& stamp : writingTags(std::time(nullptr))) report.tags.push_back(std::move(stamp));
  if (std::holds_alternative<drawing::Drawing>(*reportCase.drawing))
    report.drawing = std::get<drawing::Drawing>(*reportCase.drawing);
  const DataFolders folders = dataFolders(processEnvironment(), runningProgramFolder());
  const auto error = writeDesignReport(report, findDataFile(templateSearchPath(folders), report.module->templateFile),
                                       std::get<std::filesystem::path>(target), paint);
  if (error) {
    std::cerr << "pedivo-calc: " << error->message << '\n';
    return 2;
  }
  return 0;
}

// The drawing of the single case as DXF; a design that did not complete is not drawn.
int writeDrawingFile(const CaseResult& drawnCase, const std::filesystem::path& dxfPath) {
  const auto& drawing = *drawnCase.sheet;
  if (const auto* refusal = std::get_if<drawing::DrawingRefusal>(&drawing)) {
    std::cerr << "pedivo-calc: " << refusal->message << "DXF文件“" << dxfPath.string()
              << "”未写出 (no completed design: the DXF file was not written)\n";
    return 1;
  }
  if (const auto failure = drawing::writeDxf(std::get<drawing::Drawing>(drawing), dxfPath)) {
    std::cerr << "pedivo-calc: " << *failure << '\n';
    return 2;
  }
  // The report says so in its state line; a drawing has no such line, so it is said here.
  if (drawnCase.entriesChanged)
    std::cerr << "pedivo-calc: 输入在最后一次计算后已修改，DXF文件“" << dxfPath.string()
              << "”是最后一次计算的设计 (the entries changed after the last calculation: the drawing is of that design)\n";
  return 0;
}

}  // namespace

int designSingleCase(const Options& options, const PicturePainter& paint) {
  // The drawing goes into the report as well as into the DXF file.
  SingleCase single(options.report.has_value(), options.report || options.dxf, options.detail);
  if (!readCaseLines(options.inputs, single)) return 2;
  const CaseResult* only = single.onlyCase();
  if (only == nullptr) {
    if (options.report)
      std::cerr << "pedivo-calc: --report 只能用于一个算例 (--report takes exactly one case)\n";
    else
      std::cerr << "pedivo-calc: --dxf 只能用于一个算例 (--dxf takes exactly one case)\n";
    return 2;
  }
  if (!writeOutput(only->output + '\n') || !flushOutput()) {
    std::cerr << cannotWriteOutput;
    return 2;
  }
  if (only->failed) return 1;
  if (options.report) {
    if (const int status = writeReportFile(*only, *options.report, paint)) return status;
  }
  if (options.dxf) return writeDrawingFile(*only, *options.dxf);
  return 0;
}

}  // namespace pedivo::calc
