// Batch tables: the rows of a mixed table designed one after another, as the batch window and
// pedivo-calc --csv did, and on the shared worker pool in input order, as they do now; and the
// result rows written as CSV cells with their guards.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "design/files/batch.h"
#include "design/files/batch_run.h"
#include "design/files/spreadsheet_cells.h"

namespace {

// 700 designs, a hundred of each base type.
pedivo::BatchTable mixedTable() {
  const char* rows[] = {"j1,,2000,100", "j2,,800,40",    "g11,160,80,40", "g12,250,300,40",
                        "g2,160,80,40", "g3,120,500,40", "gc,300,80,40"};
  std::string csv = "module,EdtM,EdtN,EdtV\n";
  for (int i = 0; i < 100; ++i)
    for (const char* row : rows) csv.append(row).append("\n");
  return std::get<pedivo::BatchTable>(pedivo::readBatchTable(csv));
}

void BatchRowsOneAfterAnother(benchmark::State& state) {
  const auto table = mixedTable();
  for (auto _ : state)
    for (std::size_t i = 0; i < table.rows.size(); ++i) benchmark::DoNotOptimize(pedivo::designRow(table, i));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(table.rows.size()));
}
BENCHMARK(BatchRowsOneAfterAnother)->Unit(benchmark::kMillisecond)->UseRealTime();

void BatchRowsOnThePool(benchmark::State& state) {
  const auto table = mixedTable();
  pedivo::WorkerPool pool;
  std::size_t designed = 0;
  for (auto _ : state) {
    pedivo::OrderedRowDesigns rows(pool, table.header);
    for (const auto& cells : table.rows) {
      rows.add(cells);
      while (rows.batchesInFlight() > 4 * pool.workers()) rows.takeOldest([&](pedivo::BatchRow&&) { ++designed; });
    }
    rows.submitPartial();
    while (rows.batchesInFlight() > 0) rows.takeOldest([&](pedivo::BatchRow&&) { ++designed; });
  }
  benchmark::DoNotOptimize(designed);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(table.rows.size()));
}
BENCHMARK(BatchRowsOnThePool)->Unit(benchmark::kMillisecond)->UseRealTime();

// The CSV text of designed rows: cells checked for UTF-8 and length, guarded and quoted.
void BatchResultCsv(benchmark::State& state) {
  const auto table = mixedTable();
  std::vector<pedivo::BatchRow> rows;
  for (std::size_t i = 0; i < table.rows.size(); ++i) rows.push_back(pedivo::designRow(table, i));
  for (auto _ : state) benchmark::DoNotOptimize(pedivo::csvText(pedivo::batchResultTable(rows)));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}
BENCHMARK(BatchResultCsv)->Unit(benchmark::kMillisecond);

}  // namespace
