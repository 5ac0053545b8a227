#pragma once
// Worker threads for the headless calculator. Cases are independent (each starts from a fresh
// window), so a batch of input lines is designed on any worker while the main thread reads the
// next lines and writes finished batches in input order.

#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "design/files/worker_pool.h"
#include "line_options.h"
#include "text_buffer.h"

namespace pedivo::calc {

// The output lines of a batch, each ended by a line feed.
struct BatchOutput {
  TextBuffer text;
  bool anyFailed = false;
};

// Designs a batch of JSON Lines cases into `text` (emptied first; its room is reused); blank
// lines give no output.
BatchOutput designCaseBatch(const std::vector<std::string>& lines, TextBuffer text, LineOptions options = {});

// The shared worker pool, with JSON Lines batches as its tasks.
class CasePool : public WorkerPool {
 public:
  using WorkerPool::submit;
  using WorkerPool::WorkerPool;

  std::future<BatchOutput> submit(std::vector<std::string> lines, TextBuffer text, LineOptions options = {}) {
    return submit([lines = std::move(lines), text = std::move(text), options]() mutable {
      return designCaseBatch(lines, std::move(text), options);
    });
  }
};

// Reads cases, designs them on the pool and writes each batch's lines in input order. A batch is
// handed over once it is full or no further input is waiting; with nothing waiting every batch
// in flight is written and flushed first, so a pipe sees each result as soon as it exists.
class OrderedCases {
 public:
  static constexpr std::size_t batchSize = 256;

  // write: hands a block of output on (false when it cannot be written); flush: pushes it out.
  OrderedCases(CasePool& pool, std::size_t inFlight, std::function<bool(std::string_view)> write,
               std::function<bool()> flush, LineOptions options = {})
      : pool_(pool), inFlight_(inFlight), write_(std::move(write)), flush_(std::move(flush)), options_(options) {}

  void add(std::string line) { batch_.push_back(std::move(line)); }
  // After each line: inputWaiting tells whether more input can be read without waiting.
  void lineDone(bool inputWaiting);
  // Writes everything queued; before a line that does not come from the pool, and at the end.
  void drain();
  // An error line in its place among the results (an input file that cannot be opened).
  void writeErrorInPlace(const std::string& line);

  bool outputFailed() const { return outputFailed_; }
  bool anyFailed() const { return anyFailed_; }

 private:
  void submitBatch();
  void writeOldest();

  CasePool& pool_;
  std::size_t inFlight_;
  std::function<bool(std::string_view)> write_;
  std::function<bool()> flush_;
  std::vector<std::string> batch_;
  std::deque<std::future<BatchOutput>> pending_;
  // Output blocks already written, kept with their room: a block of a batch is larger than what
  // the allocator hands out from its heap, and a fresh one each time would be mapped anew.
  std::vector<TextBuffer> spare_;
  bool outputFailed_ = false;
  bool anyFailed_ = false;
  LineOptions options_;  // what each line holds besides the design
  // The largest block written so far: a fresh block gets that much room at once, rather than
  // growing to it by doubling and copying.
  std::size_t largestBlock_ = 0;
};

}  // namespace pedivo::calc
