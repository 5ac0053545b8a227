#pragma once
// The reports of --report-dir taken back in order: a report that could not be written is told on
// standard error with its reason, and the run ends with exit status 2.

#include <iostream>

#include "design/files/report_folder.h"

namespace pedivo::calc {

class TakenReports {
 public:
  void take(ReportFolder& reports) {
    const ReportFolder::Outcome outcome = reports.takeOldest();
    if (!outcome.problem) return;
    anyFailed_ = true;
    std::cerr << "pedivo-calc: " << *outcome.problem << '\n';
  }
  bool anyFailed() const { return anyFailed_; }

 private:
  bool anyFailed_ = false;
};

}  // namespace pedivo::calc
