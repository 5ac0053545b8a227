#include "streamed_cases.h"

#include <algorithm>
#include <iostream>
#include <thread>

#include "calc_case.h"
#include "case_input.h"
#include "case_pool.h"
#include "standard_output.h"

namespace pedivo::calc {
namespace {

// The lines go to the pool in batches; whatever cannot be designed gives an error line in its
// place among the results, so the lines before and after it keep their order.
class StreamedCases final : public CaseLines {
 public:
  StreamedCases(CasePool& pool, std::size_t inFlight, LineOptions options)
      : cases_(pool, inFlight, writeOutput, flushOutput, options) {}

  bool wantsLines() const override { return !cases_.outputFailed(); }
  bool wantsInputs() const override { return !cases_.outputFailed(); }
  void line(std::string&& text, bool inputWaiting) override {
    cases_.add(std::move(text));
    cases_.lineDone(inputWaiting);
  }
  void lineTooLong() override { cases_.writeErrorInPlace(errorLine(lineTooLongMessage())); }
  void inputDone() override { cases_.drain(); }
  bool cannotOpen(const std::string& name) override {
    cases_.writeErrorInPlace(errorLine("无法打开输入文件“" + name + "”"));
    return true;
  }

  bool outputFailed() const { return cases_.outputFailed(); }
  bool anyFailed() const { return cases_.anyFailed(); }

 private:
  OrderedCases cases_;
};

}  // namespace

int designStreamedCases(const std::vector<std::string>& inputs, LineOptions options) {
  const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  CasePool pool(workers);
  StreamedCases cases(pool, 2 * workers, options);
  readCaseLines(inputs, cases);
  if (cases.outputFailed()) {
    std::cerr << cannotWriteOutput;
    return 2;
  }
  return cases.anyFailed() ? 1 : 0;
}

}  // namespace pedivo::calc
