#include "design/files/batch_run.h"

#include "design/common/system_reason.h"

namespace pedivo {

OrderedRowDesigns::OrderedRowDesigns(WorkerPool& pool, CsvRow header, bool withAdjust)
    : pool_(pool), header_(std::make_shared<const CsvRow>(std::move(header))), withAdjust_(withAdjust) {}

void OrderedRowDesigns::add(CsvRow cells) {
  gathering_.push_back(std::move(cells));
  if (gathering_.size() >= batchSize) submitPartial();
}

void OrderedRowDesigns::submitPartial() {
  if (gathering_.empty()) return;
  const std::size_t first = nextIndex_;
  nextIndex_ += gathering_.size();
  pending_.push_back(pool_.submit([header = header_, rows = std::move(gathering_), first, withAdjust = withAdjust_] {
    std::vector<BatchRow> designed;
    designed.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      // A row that fails beyond its own checks (memory) is that row's error: the results are
      // taken back inside the table reader's callbacks, which nothing may be thrown through.
      try {
        designed.push_back(designRow(*header, rows[i], first + i));
        if (withAdjust) adjustRow(designed.back());
      } catch (const std::exception& error) {
        BatchRow failed;
        failed.id = std::to_string(first + i + 1);
        failed.error = unexpectedFailure(error);
        designed.push_back(std::move(failed));
      }
    }
    return designed;
  }));
  gathering_.clear();
}

bool OrderedRowDesigns::oldestReady(std::chrono::milliseconds wait) const {
  return !pending_.empty() && pending_.front().wait_for(wait) == std::future_status::ready;
}

void OrderedRowDesigns::takeOldest(const std::function<void(BatchRow&&)>& done) {
  if (pending_.empty()) return;
  std::vector<BatchRow> rows = pending_.front().get();
  pending_.pop_front();
  for (BatchRow& row : rows) done(std::move(row));
}

}  // namespace pedivo
