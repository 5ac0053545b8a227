#include "case_pool.h"

#include "calc_case.h"

namespace pedivo::calc {
BatchOutput runBatch(const std::vector<std::string>& lines, TextBuffer text) {
  BatchOutput out{std::move(text), false};
  out.text.clear();
  QuickCaseReader reader;
  for (const auto& line : lines) {
    if (isBlankLine(line)) continue;
    const bool failed = appendCase(line, out.text, reader);
    out.anyFailed = out.anyFailed || failed;
  }
  return out;
}

CasePool::CasePool(unsigned workers) {
  for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
}

CasePool::~CasePool() {
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_all();
  // The workers finish what is queued and are joined as workers_ goes.
}

std::future<BatchOutput> CasePool::submit(std::vector<std::string> lines, TextBuffer text) {
  std::packaged_task<BatchOutput()> task(
      [lines = std::move(lines), text = std::move(text)]() mutable { return runBatch(lines, std::move(text)); });
  auto result = task.get_future();
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(task));
  }
  wake_.notify_one();
  return result;
}

void CasePool::work() {
  for (;;) {
    std::packaged_task<BatchOutput()> task;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || !queue_.empty(); });
      if (queue_.empty()) return;  // closing, nothing left
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
  }
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
  pending_.push_back(pool_.submit(std::move(batch_), std::move(text)));
  batch_.clear();
}

void OrderedCases::writeOldest() {
  BatchOutput out;
  try {
    out = pending_.front().get();
  } catch (const std::exception& error) {
    // Only running out of memory gets here: each case catches its own faults.
    out = BatchOutput{TextBuffer{}, true};
    appendErrorLine(out.text, std::string("无法处理：") + error.what());
    out.text.append("\n");
  }
  pending_.pop_front();
  anyFailed_ = anyFailed_ || out.anyFailed;
  outputFailed_ = outputFailed_ || !write_(out.text.view());
  spare_.push_back(std::move(out.text));
}

}  // namespace pedivo::calc
