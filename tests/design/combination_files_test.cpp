// Load combinations in files: design files carry them, batch tables group the rows of one id
// into one design.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "design/common/design_session.h"
#include "design/files/batch.h"
#include "design/files/batch_run.h"
#include "design/files/case_step.h"
#include "design/files/design_file.h"
#include "design/files/worker_pool.h"

namespace pedivo {
namespace {

TEST(CombinationFiles, ADesignFileKeepsItsCombinations) {
  const ModuleDescriptor& rigid = *findModule("g11");
  const std::vector<LoadCombination> loads{{"1.2D+1.4L", 1200, 40, 120}, {"1.0D-1.4W", 150, -50, -110}};
  const std::string text = designFileText(rigid, rigid.defaultEntries(), {}, std::nullopt, loads);
  EXPECT_EQ(text.find("\"EdtN\""), std::string::npos) << "the combinations stand for the forces";
  const auto parsed = parseDesignFile(text);
  ASSERT_TRUE(std::holds_alternative<DesignFile>(parsed)) << std::get<std::string>(parsed);
  const DesignFile& file = std::get<DesignFile>(parsed);
  ASSERT_EQ(file.loads.size(), 2u);
  EXPECT_EQ(file.loads[1].name, "1.0D-1.4W");
  EXPECT_EQ(file.loads[1].V, -50);
  EXPECT_EQ(file.loads[1].M, -110);

  const auto both = parseDesignFile(
      R"({"module": "g11", "entries": {"EdtM": "5"}, "loads": [{"name": "A", "N": 1, "V": 1, "M": 1}]})");
  ASSERT_TRUE(std::holds_alternative<std::string>(both));
  EXPECT_EQ(std::get<std::string>(both), loadsAndForcesMessage);
  const auto pinned = parseDesignFile(R"({"module": "j1", "loads": [{"name": "A", "N": 100, "V": 1, "M": 3}]})");
  ASSERT_TRUE(std::holds_alternative<std::string>(pinned));
  EXPECT_NE(std::get<std::string>(pinned).find("不承受弯矩"), std::string::npos);
}

// Rows through the pool as the batch window and pedivo-calc --csv take them.
std::vector<BatchRow> designTable(const std::string& csv) {
  const auto read = readBatchTable(csv);
  EXPECT_TRUE(std::holds_alternative<BatchTable>(read));
  if (!std::holds_alternative<BatchTable>(read)) return {};
  const BatchTable& table = std::get<BatchTable>(read);
  WorkerPool pool;
  OrderedRowDesigns designs(pool, table.header);
  for (const auto& cells : table.rows) designs.add(cells);
  designs.submitPartial();
  std::vector<BatchRow> rows;
  while (designs.batchesInFlight() > 0) designs.takeOldest([&](BatchRow&& row) { rows.push_back(std::move(row)); });
  return rows;
}

TEST(CombinationFiles, RowsOfOneIdAreOneDesign) {
  const auto rows = designTable(
      "id,module,load,EdtN,EdtV,EdtM,Edthc,Edtbf,Edttf,cbsize\n"
      "Z1,g11,1.2D+1.4L,1200,40,120,600,300,20,1\n"
      "Z1,g11,1.2D+1.4W,900,60,200,600,300,20,1\n"
      "Z1,g11,1.0D-1.4W,150,-50,-110,600,300,20,1\n"
      "Z2,j1,D,500,20,,,,,\n"
      "Z3,g11,A,900,40,150,600,300,20,1\n"
      "Z3,g11,B,400,40,150,650,300,20,1\n"
      "Z4,j1,D,500,20,,,,,\n"
      "Z4,j1,W,300,30,,,,,\n"
      "Z2,j1,W,400,30,,,,,\n");
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].id, "Z1");
  EXPECT_FALSE(rows[0].error) << *rows[0].error;
  EXPECT_EQ(rows[0].loads.size(), 3u);
  ASSERT_FALSE(rows[0].governing.empty());
  EXPECT_EQ(rows[0].messages.back(),
            "最大利用率 " + utilisationText(rows[0].largestRatio) + " 的控制组合：" + rows[0].governing);

  // The same design in a window: its checks, its results.
  DesignSession session(*findModule("g11"));
  for (const auto& [control, text] : {std::pair{"Edthc", "600"}, {"Edtbf", "300"}, {"Edttf", "20"}})
    session.setText(control, text);
  session.setCbsize(true);
  ASSERT_FALSE(
      session.setLoads({{"1.2D+1.4L", 1200, 40, 120}, {"1.2D+1.4W", 900, 60, 200}, {"1.0D-1.4W", 150, -50, -110}}));
  session.calculate();
  ASSERT_EQ(rows[0].fields.size(), session.results().fields.size());
  for (std::size_t i = 0; i < rows[0].fields.size(); ++i)
    EXPECT_EQ(rows[0].fields[i].text, session.results().fields[i].text);

  EXPECT_EQ(rows[1].id, "Z2");
  EXPECT_TRUE(rows[1].designed);
  ASSERT_TRUE(rows[2].error);
  EXPECT_NE(rows[2].error->find("”（Edthc）列不一致"), std::string::npos) << *rows[2].error;
  EXPECT_TRUE(rows[3].designed);
  EXPECT_EQ(rows[3].loads.size(), 2u);
  ASSERT_TRUE(rows[4].error) << "Z2 again, apart from its first row";
  EXPECT_NE(rows[4].error->find("不相连"), std::string::npos) << *rows[4].error;
}

// The designs of a table as a window finds them again to open a row or write its report: the same
// rows, the same results, as the pool's; and the result table names each design's governing
// combination in a column of its own.
TEST(CombinationFiles, AResultRowIsFoundAgainAndNamesItsGoverningCombination) {
  const std::string csv =
      "id,module,load,EdtN,EdtV,EdtM,Edthc\n"
      "Z1,g11,1.2D+1.4L,1200,40,120,600\n"
      "Z1,g11,1.2D+1.4W,900,60,260,600\n"
      "Z1,g11,1.0D-1.4W,150,-50,-110,600\n"
      ",j1,D,500,20,,\n"
      ",j1,W,400,30,,\n"
      "Z2,j1,D,500,20,,\n"
      "Z3,j1,D,300,20,,\n"
      "Z2,j1,W,400,30,,\n";
  const std::vector<BatchRow> pooled = designTable(csv);
  const BatchTable table = std::get<BatchTable>(readBatchTable(csv));
  const std::vector<RowGroup> groups = designGroups(table);
  ASSERT_EQ(groups.size(), pooled.size());
  EXPECT_EQ(groups[0].count, 3u);
  EXPECT_EQ(groups[1].first, 3u) << "a blank id is a design of its own row";
  EXPECT_EQ(groups[2].first, 4u);
  EXPECT_TRUE(groups[5].scattered);
  const std::vector<CsvRow> results = batchResultTable(pooled);
  const auto column = std::find(results.front().begin(), results.front().end(), std::string(governingCaption));
  ASSERT_NE(column, results.front().end());
  const auto at = static_cast<std::size_t>(column - results.front().begin());
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const BatchRow again = designRows(table, groups[g]);
    EXPECT_EQ(again.id, pooled[g].id);
    EXPECT_EQ(again.error, pooled[g].error);
    EXPECT_EQ(again.loads.size(), pooled[g].loads.size());
    EXPECT_EQ(again.entries.texts, pooled[g].entries.texts);
    EXPECT_EQ(results[g + 1][at], pooled[g].governing);
  }
  // Z1's governing combination is that of its check with the largest ratio.
  DesignSession session(*findModule("g11"));
  session.setText("Edthc", "600");
  ASSERT_FALSE(session.setLoads(pooled[0].loads));
  session.calculate();
  const DesignCheck* largest = nullptr;
  for (const DesignCheck& check : session.checks())
    if (!check.decision && std::isfinite(check.ratio()) && (largest == nullptr || check.ratio() > largest->ratio()))
      largest = &check;
  ASSERT_TRUE(largest != nullptr && largest->governing);
  EXPECT_EQ(results[1][at], largest->governing->name);
  EXPECT_EQ(results[2][at], "") << "one combination: none named";

  // A table of one set of forces a row has no such column.
  const CsvRow plain = batchResultTable(designTable("id,module,EdtN\nA,j1,300\n")).front();
  EXPECT_EQ(std::find(plain.begin(), plain.end(), std::string(governingCaption)), plain.end());
}

TEST(CombinationFiles, AModeColumnChecksTheSizesGiven) {
  const auto rows = designTable(
      "id,module,load,EdtN,EdtV,EdtM,mode,H2\n"
      "C1,gc,A,800,40,300,check,900\n"
      "C1,gc,B,300,60,-350,check,900\n"
      "C2,gc,A,800,40,300,验算,\n"
      "C3,gc,A,800,40,300,guess,900\n");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[0].designed);
  ASSERT_TRUE(rows[0].sizes);
  EXPECT_EQ(rows[0].sizes->at("H2"), 900);
  ASSERT_TRUE(rows[1].error);
  EXPECT_NE(rows[1].error->find("H2"), std::string::npos) << *rows[1].error;
  ASSERT_TRUE(rows[2].error);
  EXPECT_NE(rows[2].error->find("mode"), std::string::npos) << *rows[2].error;
}

}  // namespace
}  // namespace pedivo
