#include "design/files/batch_run.h"

#include "design/common/system_reason.h"

namespace pedivo {

OrderedRowDesigns::OrderedRowDesigns(WorkerPool& pool, CsvRow header, bool withAdjust)
    : pool_(pool),
      header_(std::make_shared<const CsvRow>(std::move(header))),
      withAdjust_(withAdjust),
      grouped_(isGroupedTable(*header_)) {}

void OrderedRowDesigns::add(CsvRow cells) {
  const std::size_t index = nextIndex_++;
  if (grouped_) {
    std::string id = rowId(*header_, cells);
    // A blank id is a design of its own row.
    if (!id.empty() && !gathering_.empty() && id == openId_) {
      gathering_.back().rows.push_back(std::move(cells));
      return;
    }
    // A new design: the one before is complete, and a full batch can go.
    if (gathering_.size() >= batchSize) submitPartial();
    if (!openId_.empty()) closedIds_.insert(openId_);
    // Rows of an id that came before, or whose design was handed on before this row came.
    const bool scattered = !id.empty() && (closedIds_.contains(id) || id == openId_);
    openId_ = std::move(id);
    gathering_.push_back({{std::move(cells)}, index, scattered});
    return;
  }
  gathering_.push_back({{std::move(cells)}, index, false});
  if (gathering_.size() >= batchSize) submitPartial();
}

void OrderedRowDesigns::submitPartial() {
  if (gathering_.empty()) return;
  pending_.push_back(pool_.submit([header = header_, designs = std::move(gathering_), withAdjust = withAdjust_] {
    std::vector<BatchRow> designed;
    designed.reserve(designs.size());
    for (const Design& design : designs) {
      // A row that fails beyond its own checks (memory) is that row's error: the results are
      // taken back inside the table reader's callbacks, which nothing may be thrown through.
      try {
        designed.push_back(design.rows.size() == 1 && !design.scattered
                               ? designRow(*header, design.rows.front(), design.index)
                               : designGroup(*header, design.rows, design.index, design.scattered));
        if (withAdjust) adjustRow(designed.back());
      } catch (const std::exception& error) {
        BatchRow failed;
        failed.id = std::to_string(design.index + 1);
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
