#pragma once
// The batch window: a table of designs from a CSV file, designed on the shared worker pool with
// a progress bar and a way to stop; the rows are shown as they arrive, in the table's order,
// through a model; the results can be saved as CSV or Excel and any row opened in its input
// window.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/files/batch.h"
#include "design/files/design_file.h"
#include "design/files/worker_pool.h"
#include "forms/batch_table_model.h"
#include "forms/interaction.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace pedivo::forms {

class BatchWindow final : public QWidget {
  Q_OBJECT
 public:
  // Opens a row's design (its entries, load combinations, given sizes and project block) in a new
  // input window of its base type.
  using OpenDesign = std::function<void(const DesignFile&)>;

  BatchWindow(AppContext& context, OpenDesign openDesign);

  // Reads a table and designs its rows; a table that cannot be read is told and changes nothing.
  bool runTable(const QString& path);
  bool saveResults(const QString& path);
  // Writes the report of each of the result rows (0-based) into the folder, named by the row's id, with
  // its drawing; a file already there keeps its name and the report gets another. The number of
  // reports written.
  std::size_t writeReports(const QString& folder, const std::vector<int>& rows);
  const BatchTableModel& results() const { return *model_; }

  // More rows than a window shows well: such a table is for pedivo-calc --csv.
  static constexpr std::size_t maximumRows = 100000;

 public slots:
  void chooseTable();
  void chooseResultFile();
  void openSelectedRow();
  void chooseReportFolder();
  void cancel() { cancelled_ = true; }

 protected:
  // Closing while rows are being designed stops the run first; the window closes after it.
  void closeEvent(QCloseEvent* event) override;

 private:
  // The table under the column names the engineer chose in "列对应"; none when cancelled.
  std::optional<std::string> mapColumns(const std::string& text);
  void designRows();
  void showVerdictsFirst(bool withAdjust, bool withGoverning);
  void showSummary(std::size_t notDesigned);

  AppContext& context_;
  OpenDesign openDesign_;
  BatchTable designs_;  // the table as read: a row is designed again to open it
  // The table's rows of each result row: several where the rows of one id are one design.
  std::vector<RowGroup> groups_;
  // The design of a result row, again; none where the row is not one of this table's.
  std::optional<BatchRow> redesign(int resultRow) const;
  std::unique_ptr<WorkerPool> pool_;
  BatchTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QCheckBox* adjustRows_ = nullptr;  // "未满足的行自动调整": two more columns, the proposals
  QPushButton* saveButton_ = nullptr;
  QPushButton* openRowButton_ = nullptr;
  QPushButton* reportsButton_ = nullptr;
  QLabel* summary_ = nullptr;
  bool running_ = false;
  bool cancelled_ = false;
  bool closeWhenDone_ = false;
};

}  // namespace pedivo::forms
