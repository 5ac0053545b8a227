// Times (processor time) a report with its picture as "打印计算书" writes it, one base type after another: the
// design's drawing painted and encoded as the report's picture, then the template filled and the
// report written into a folder. Prints the best of the runs for each stage, in milliseconds.
//   pedivo_report_picture_times templates-folder output-folder [runs]

#include <QGuiApplication>
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <variant>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"
#include "design/drawing/base_drawing.h"
#include "forms/drawing_painter.h"

namespace {

// Processor time of this thread: the machine may be shared, and waiting is not the program's cost.
double cpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::cerr << "usage: pedivo_report_picture_times templates-folder output-folder [runs]\n";
    return 2;
  }
  const std::filesystem::path templates = argv[1], output = argv[2];
  const int runs = argc > 3 ? std::stoi(argv[3]) : 10;
  for (const pedivo::ModuleDescriptor* module : pedivo::allModules()) {
    pedivo::DesignSession session(*module);
    session.calculate();
    const auto drawn = pedivo::drawing::drawDesign(session);
    const auto* drawing = std::get_if<pedivo::drawing::Drawing>(&drawn);
    if (drawing == nullptr) continue;
    double picture = 1e300, report = 1e300;
    std::size_t bytes = 0;
    for (int run = 0; run < runs; ++run) {
      double start = cpuMs();
      pedivo::ReportPicture encoded = pedivo::forms::reportPicture(*drawing);
      picture = std::min(picture, cpuMs() - start);
      bytes = encoded.png.size();
      start = cpuMs();
      const auto written = pedivo::writeReport(templates / module->templateFile, session.report(), output, encoded);
      report = std::min(report, cpuMs() - start);
      if (const auto* path = std::get_if<std::filesystem::path>(&written)) std::filesystem::remove(*path);
    }
    std::cout << module->id << ": picture " << picture << " ms (" << bytes << " bytes), report " << report
              << " ms, together " << picture + report << " ms\n";
  }
}
