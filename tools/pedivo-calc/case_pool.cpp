#include "case_pool.h"

#include "calc_case.h"
#include "design/common/system_reason.h"

namespace pedivo::calc {
BatchOutput designCaseBatch(const std::vector<std::string>& lines, TextBuffer text, LineOptions options) {
  BatchOutput out{std::move(text), false};
  out.text.clear();
  QuickCaseReader reader;
  for (const auto& line : lines) {
    if (isBlankLine(line)) continue;
    const bool failed = appendCase(line, out.text, reader, options);
    out.anyFailed = out.anyFailed || failed;
  }
  return out;
}

void OrderedCases::lineDone(bool inputWaiting) {
  if (batch_.size() >= batchSize || !inputWaiting) submitBatch();
  while (pending_.size() > inFlight_) writeOldest();
  if (!inputWaiting) drain();
}

void OrderedCases::drain() {
  submitBatch();
  while (!pending_.empty()) writeOldest();
  outputFailed_ = outputFailed_ || !flush_();
}

void OrderedCases::writeErrorInPlace(const std::string& line) {
  drain();
  anyFailed_ = true;
  outputFailed_ = outputFailed_ || !write_(line + '\n') || !flush_();
}

void OrderedCases::submitBatch() {
  if (batch_.empty()) return;
  TextBuffer text;
  if (!spare_.empty()) {
    text = std::move(spare_.back());
    spare_.pop_back();
  }
  text.reserve(largestBlock_);
  pending_.push_back(pool_.submit(std::move(batch_), std::move(text), options_));
  batch_.clear();
}

void OrderedCases::writeOldest() {
  BatchOutput out;
  try {
    out = pending_.front().get();
  } catch (const std::exception& error) {
    // Only running out of memory gets here: each case catches its own faults.
    out = BatchOutput{TextBuffer{}, true};
    appendErrorLine(out.text, unexpectedFailure(error));
    out.text.append("\n");
  }
  pending_.pop_front();
  anyFailed_ = anyFailed_ || out.anyFailed;
  largestBlock_ = std::max(largestBlock_, out.text.size());
  outputFailed_ = outputFailed_ || !write_(out.text.view());
  spare_.push_back(std::move(out.text));
}

}  // namespace pedivo::calc
