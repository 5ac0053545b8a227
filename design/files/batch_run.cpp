#include "design/files/batch_run.h"

namespace pedivo {

OrderedRowDesigns::OrderedRowDesigns(WorkerPool& pool, CsvRow header)
    : pool_(pool), header_(std::make_shared<const CsvRow>(std::move(header))) {}

void OrderedRowDesigns::add(CsvRow cells) {
  gathering_.push_back(std::move(cells));
  if (gathering_.size() >= batchSize) submitPartial();
}

void OrderedRowDesigns::submitPartial() {
  if (gathering_.empty()) return;
  const std::size_t first = nextIndex_;
  nextIndex_ += gathering_.size();
  pending_.push_back(pool_.submit([header = header_, rows = std::move(gathering_), first] {
    std::vector<BatchRow> designed;
    designed.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) designed.push_back(designRow(*header, rows[i], first + i));
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
