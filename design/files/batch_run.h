#pragma once
// Rows of a batch table designed on the shared worker pool and handed back in input order: rows
// are gathered into small batches, each batch is one task, and the oldest batch is taken first.
// The number of batches in flight is bounded by the caller, so memory stays flat however long
// the table is.

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "design/files/batch.h"
#include "design/files/worker_pool.h"

namespace pedivo {

class OrderedRowDesigns {
 public:
  // Rows a task: enough to outweigh handing a task over, few enough that a window shows progress.
  static constexpr std::size_t batchSize = 32;

  // With `withAdjust`, each row that does not pass also gets 自动调整's proposal.
  OrderedRowDesigns(WorkerPool& pool, CsvRow header, bool withAdjust = false);

  // Queues the next row; a full batch goes to the pool. In a table of load combinations (a "load"
  // column) the rows of one id, one after another, are one design and come back as one row.
  void add(CsvRow cells);
  // Hands the rows gathered so far to the pool.
  void submitPartial();

  // Batches handed to the pool and not yet taken back.
  std::size_t batchesInFlight() const { return pending_.size(); }
  bool idle() const { return pending_.empty() && gathering_.empty(); }
  // Waits at most `wait` for the oldest batch; true when it is done.
  bool oldestReady(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) const;
  // Takes the oldest batch back (waiting for it) and hands its rows on, in order.
  void takeOldest(const std::function<void(BatchRow&&)>& done);

 private:
  WorkerPool& pool_;
  std::shared_ptr<const CsvRow> header_;
  bool withAdjust_ = false;
  bool grouped_ = false;
  // Rows a design: one each, or the rows of one id; with the index of its first row and whether
  // rows of its id came before, apart from it.
  struct Design {
    std::vector<CsvRow> rows;
    std::size_t index;
    bool scattered = false;
  };
  std::vector<Design> gathering_;
  std::size_t nextIndex_ = 0;  // of the next row added
  std::string openId_;                  // the id of the last design gathered
  std::set<std::string> closedIds_;     // ids of the designs before it
  std::deque<std::future<std::vector<BatchRow>>> pending_;
};

}  // namespace pedivo
