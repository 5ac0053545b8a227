#include "forms/batch_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>

#include "design/files/batch_run.h"
#include "design/files/data_folders.h"
#include "design/files/file_text.h"
#include "design/files/replace_file.h"
#include "design/files/report_folder.h"
#include "design/files/xlsx_table.h"
#include "forms/column_map_dialog.h"
#include "forms/paint_drawing.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

constexpr const char* columnMapKey = "batchColumns";

// A header with captions of the analysis software's kind: words other than the program's column
// names (Chinese ones, "N(kN)"), at least one of which means a column.
bool offersColumnMapping(const std::string& text) {
  const auto rows = parseCsv(text);
  if (!std::holds_alternative<std::vector<CsvRow>>(rows) || std::get<std::vector<CsvRow>>(rows).empty()) return false;
  const CsvRow& header = std::get<std::vector<CsvRow>>(rows).front();
  return std::any_of(header.begin(), header.end(), [](const std::string& caption) {
    const std::string guess = guessedColumn(caption);
    return !guess.empty() && guess != caption;
  });
}

// How long the window waits for the oldest batch before it looks at its own events again.
constexpr std::chrono::milliseconds eventPause(30);

QPushButton* button(const QString& name, const QString& text) {
  auto* b = new QPushButton(text);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

BatchWindow::BatchWindow(AppContext& context, OpenDesign openDesign)
    : QWidget(nullptr), context_(context), openDesign_(std::move(openDesign)) {
  setObjectName(QStringLiteral("BatchWindow"));
  setWindowTitle(QStringLiteral("批量设计"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* open = button(QStringLiteral("openTableButton"), QStringLiteral("打开表格…"));
  saveButton_ = button(QStringLiteral("saveResultsButton"), QStringLiteral("保存结果…"));
  openRowButton_ = button(QStringLiteral("openRowButton"), QStringLiteral("打开所选设计"));
  reportsButton_ = button(QStringLiteral("reportsButton"), QStringLiteral("生成计算书…"));
  reportsButton_->setToolTip(QStringLiteral("为所选各行各写一份计算书（带柱脚图），以编号命名"));
  cancelButton_ = button(QStringLiteral("cancelButton"), QStringLiteral("取消"));
  // Off by default: a search a failing row makes the batch several times slower.
  adjustRows_ = new QCheckBox(QStringLiteral("未满足的行自动调整"));
  adjustRows_->setObjectName(QStringLiteral("adjustRowsBox"));
  progress_ = new QProgressBar;
  progress_->setObjectName(QStringLiteral("progressBar"));
  summary_ = new QLabel(QStringLiteral("打开一个 CSV 表格：每行一个设计，表头为 module、id 和输入控件名（Edthc、EdtN……），"
                                       "可另有项目信息列 name、number、member、designer、checker、approver、date。"));
  summary_->setObjectName(QStringLiteral("summaryLabel"));
  summary_->setWordWrap(true);
  model_ = new BatchTableModel(this);
  table_ = new QTableView;
  table_->setObjectName(QStringLiteral("resultTable"));
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setWordWrap(false);
  // Rows of one height: the view places ten thousand rows without measuring each.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

  auto* commands = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{open, saveButton_, openRowButton_, reportsButton_, adjustRows_})
    commands->addWidget(w);
  commands->addStretch();
  commands->addWidget(progress_);
  commands->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(commands);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);

  saveButton_->setEnabled(false);
  openRowButton_->setEnabled(false);
  reportsButton_->setEnabled(false);
  cancelButton_->setEnabled(false);
  connect(reportsButton_, &QPushButton::clicked, this, &BatchWindow::chooseReportFolder);
  connect(open, &QPushButton::clicked, this, &BatchWindow::chooseTable);
  connect(saveButton_, &QPushButton::clicked, this, &BatchWindow::chooseResultFile);
  connect(openRowButton_, &QPushButton::clicked, this, &BatchWindow::openSelectedRow);
  connect(cancelButton_, &QPushButton::clicked, this, &BatchWindow::cancel);
  connect(table_, &QTableView::doubleClicked, this, &BatchWindow::openSelectedRow);
  resize(960, 560);
}

bool BatchWindow::runTable(const QString& path) {
  if (running_) return false;
  const auto fail = [&](const QString& why) {
    context_.interaction.showMessage(this, QStringLiteral("无法读取表格“%1”：%2").arg(path, why));
    return false;
  };
  const auto text = readFileText(localPath(path), maximumTableBytes);
  if (const auto* problem = std::get_if<FileProblem>(&text)) return fail(qs(problem->reason));
  auto table = readBatchTable(std::get<std::string>(text));
  // A table exported from analysis software, its columns named in its own words: the engineer
  // says which is which, and the table is read under those names.
  if (std::holds_alternative<std::string>(table) && offersColumnMapping(std::get<std::string>(text))) {
    const auto mapped = mapColumns(std::get<std::string>(text));
    if (!mapped) return false;
    table = readBatchTable(*mapped);
  }
  if (const auto* error = std::get_if<std::string>(&table)) return fail(qs(*error));
  if (std::get<BatchTable>(table).rows.size() > maximumRows)
    return fail(QStringLiteral("表格有 %1 行，批量设计窗口最多计算 %2 行；更大的表格请用命令行 pedivo-calc --csv 计算")
                    .arg(std::get<BatchTable>(table).rows.size())
                    .arg(maximumRows));
  designs_ = std::move(std::get<BatchTable>(table));
  groups_ = designGroups(designs_);
  setWindowTitle(QStringLiteral("批量设计 - ") + QFileInfo(path).fileName());
  designRows();
  return true;
}

// Designed on the worker pool; the window takes the finished batches back in the table's order
// and hands itself its events in between, so that it repaints, shows the rows as they come and
// the cancel button can be pressed.
void BatchWindow::designRows() {
  running_ = true;
  cancelled_ = false;
  cancelButton_->setEnabled(true);
  saveButton_->setEnabled(false);
  openRowButton_->setEnabled(false);
  if (!pool_) pool_ = std::make_unique<WorkerPool>();

  std::vector<const ModuleDescriptor*> modules;
  for (const CsvRow& cells : designs_.rows)
    if (const ModuleDescriptor* module = rowModule(designs_.header, cells);
        module != nullptr && std::find(modules.begin(), modules.end(), module) == modules.end())
      modules.push_back(module);
  const ResultColumns columns = resultColumns(modules);
  const bool withAdjust = adjustRows_->isChecked();
  model_->reset(resultHeader(columns, hasProjectColumn(designs_.header), withAdjust, isGroupedTable(designs_.header)));
  showVerdictsFirst(withAdjust, isGroupedTable(designs_.header));

  const std::size_t total = designs_.rows.size();
  // Counted in designs, as the table below counts them.
  progress_->setRange(0, static_cast<int>(groups_.size()));
  progress_->setValue(0);
  OrderedRowDesigns designing(*pool_, designs_.header, withAdjust);
  const std::size_t inFlight = 4 * pool_->workers();
  std::size_t next = 0;
  std::vector<CsvRow> arrived;
  std::vector<bool> failing;
  const auto take = [&](BatchRow&& row) {
    arrived.push_back(resultRow(row, columns, model_->header()));
    failing.push_back(isFailing(row));
  };
  for (;;) {
    while (!cancelled_ && next < total && designing.batchesInFlight() < inFlight) designing.add(designs_.rows[next++]);
    if (cancelled_ || next == total) designing.submitPartial();
    if (designing.batchesInFlight() == 0) break;
    if (designing.oldestReady(eventPause)) {
      while (designing.oldestReady()) designing.takeOldest(take);
      model_->append(std::move(arrived), failing);
      arrived.clear();
      failing.clear();
      progress_->setValue(model_->rowCount());
    }
    QCoreApplication::processEvents();
  }
  running_ = false;
  cancelButton_->setEnabled(false);
  table_->resizeColumnsToContents();
  for (int c = 0; c < model_->columnCount(); ++c) table_->setColumnWidth(c, std::min(table_->columnWidth(c), 280));
  // The message beside the number is what a reader looks for first: room for a sentence.
  table_->setColumnWidth(static_cast<int>(resultMessageColumn),
                         std::max(table_->columnWidth(static_cast<int>(resultMessageColumn)), 220));
  showSummary(groups_.size() - static_cast<std::size_t>(model_->rowCount()));
  if (closeWhenDone_) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

// The verdict columns (不满足验算数, 最大利用率, 控制组合 and the 自动调整 pair) close the table's header,
// after every result field; on screen they stand beside the base type, where a reader sees them
// without scrolling. Only the view moves: a saved table keeps the header's order.
void BatchWindow::showVerdictsFirst(bool withAdjust, bool withGoverning) {
  QHeaderView* header = table_->horizontalHeader();
  const int total = model_->columnCount();
  constexpr int afterBaseType = 3;
  const int firstVerdict = total - 2 - (withGoverning ? 1 : 0) - (withAdjust ? 2 : 0);
  if (firstVerdict < afterBaseType) return;
  for (int logical = firstVerdict; logical < total; ++logical)
    header->moveSection(header->visualIndex(logical), afterBaseType + (logical - firstVerdict));
}

void BatchWindow::closeEvent(QCloseEvent* event) {
  if (running_) {
    // The run is on this window's stack: the window goes once it has returned.
    cancelled_ = true;
    closeWhenDone_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void BatchWindow::showSummary(std::size_t notDesigned) {
  QString text = QStringLiteral("共 %1 个设计，其中 %2 个有错误或不满足的验算（红色）。双击一行在输入窗口中打开。")
                     .arg(model_->rowCount())
                     .arg(model_->failingCount());
  if (groups_.size() < designs_.rows.size())
    text += QStringLiteral("表格 %1 行按编号合并为 %2 个设计，各含其荷载组合。").arg(designs_.rows.size()).arg(groups_.size());
  if (notDesigned > 0) text += QStringLiteral("（已取消，其余 %1 个设计未计算）").arg(notDesigned);
  summary_->setText(text);
  saveButton_->setEnabled(model_->rowCount() > 0);
  openRowButton_->setEnabled(model_->rowCount() > 0);
  reportsButton_->setEnabled(model_->rowCount() > 0);
}

// As an Excel workbook when the name ends in .xlsx, otherwise as CSV.
bool BatchWindow::saveResults(const QString& path) {
  std::optional<std::string> why;
  if (path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) {
    auto started = XlsxTableWriter::begin(localPath(path));
    if (auto* refused = std::get_if<std::string>(&started)) {
      why = *refused;
    } else {
      auto& workbook = *std::get<std::unique_ptr<XlsxTableWriter>>(started);
      workbook.setColumnStyles(resultColumnStyles(model_->header()));
      bool written = workbook.addHeader(model_->header());
      for (std::size_t r = 0; written && r < model_->rows().size(); ++r)
        written = workbook.addRow(model_->rows()[r], model_->failing()[r]);
      why = workbook.finish();
    }
  } else {
    std::string text(csvByteOrderMark);
    appendCsvLine(text, model_->header());
    for (const CsvRow& row : model_->rows()) appendCsvLine(text, row);
    why = replaceFile(localPath(path), text);
  }
  if (why) {
    context_.interaction.showMessage(this, QStringLiteral("无法保存结果表格“%1”：%2").arg(path, qs(*why)));
    return false;
  }
  return true;
}

std::optional<std::string> BatchWindow::mapColumns(const std::string& text) {
  const auto rows = std::get<std::vector<CsvRow>>(parseCsv(text));
  ColumnMap remembered = parseColumnMap(ss(context_.interaction.rememberedChoice(QString::fromUtf8(columnMapKey))));
  ColumnMapDialog dialog(rows.front(), rows.size() > 1 ? rows[1] : CsvRow{}, remembered, this);
  context_.interaction.runModal(dialog);
  if (dialog.result() != QDialog::Accepted) return std::nullopt;
  const CsvRow names = dialog.names();
  rememberColumns(remembered, rows.front(), names);
  context_.interaction.rememberChoice(QString::fromUtf8(columnMapKey), qs(columnMapText(remembered)));
  return csvText(mappedTable(rows, names, dialog.moduleId()));
}

void BatchWindow::chooseTable() {
  const QString path = context_.interaction.chooseFileToOpen(this, QStringLiteral("打开设计表格"),
                                                             QStringLiteral("CSV 表格 (*.csv);;所有文件 (*)"));
  if (!path.isEmpty()) runTable(path);
}

void BatchWindow::chooseResultFile() {
  QString path = context_.interaction.chooseFileToSave(
      this, QStringLiteral("保存结果表格"), QStringLiteral("CSV 表格 (*.csv);;Excel 工作簿 (*.xlsx)"), QString());
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) &&
      !path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
    path += QStringLiteral(".csv");
  saveResults(path);
}

std::optional<BatchRow> BatchWindow::redesign(int resultRow) const {
  if (resultRow < 0 || static_cast<std::size_t>(resultRow) >= groups_.size() || resultRow >= model_->rowCount())
    return std::nullopt;
  return pedivo::designRows(designs_, groups_[static_cast<std::size_t>(resultRow)]);
}

void BatchWindow::openSelectedRow() {
  const std::optional<BatchRow> design = redesign(table_->currentIndex().row());
  if (!design) return;
  if (design->module == nullptr || design->entries.texts.empty()) {
    context_.interaction.showMessage(this, QStringLiteral("编号 %1 没有可以打开的设计：%2")
                                               .arg(qs(design->id), qs(design->error.value_or(""))));
    return;
  }
  if (openDesign_)
    openDesign_(DesignFile{design->module, design->entries, design->project, design->sizes, design->loads});
}

void BatchWindow::chooseReportFolder() {
  std::vector<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  if (rows.empty()) {
    context_.interaction.showMessage(this, QStringLiteral("请先在表格中选择要生成计算书的行（可按住 Ctrl 或 Shift 选择多行）。"));
    return;
  }
  const QString folder = context_.interaction.chooseFolder(this, QStringLiteral("计算书写入的文件夹"));
  if (folder.isEmpty()) return;
  const std::size_t written = writeReports(folder, rows);
  if (written > 0) context_.interaction.openFolder(folder);
}

// The reports are made on the worker pool, the rows designed again there; the window takes them
// back in order and handles its events in between, with the progress bar counting them.
std::size_t BatchWindow::writeReports(const QString& folder, const std::vector<int>& rows) {
  if (running_) return 0;
  if (const auto problem = ReportFolder::prepare(localPath(folder))) {
    context_.interaction.showMessage(this, qs(*problem));
    return 0;
  }
  running_ = true;
  if (!pool_) pool_ = std::make_unique<WorkerPool>();
  ReportFolder reports(*pool_, localPath(folder), templateSearchPath(context_.folders()),
                       [](const drawing::Drawing& d) -> std::optional<ReportPicture> { return reportPicture(d); }, true);
  const auto header = std::make_shared<const CsvRow>(designs_.header);
  const std::time_t when = std::time(nullptr);
  for (const int r : rows) {
    if (r < 0 || static_cast<std::size_t>(r) >= groups_.size() || r >= model_->rowCount()) continue;
    const auto index = static_cast<std::size_t>(r);
    // The design's own rows, copied: the task on the pool reads nothing of the window's.
    const RowGroup group = groups_[index];
    const auto first = designs_.rows.begin() + static_cast<std::ptrdiff_t>(group.first);
    reports.add(model_->rows()[index].front(), index + 1,
                [header, cells = std::vector<CsvRow>(first, first + static_cast<std::ptrdiff_t>(group.count)), group,
                 when]() -> std::variant<DesignReport, std::string> {
                  const BatchRow row = pedivo::designRows(*header, cells, group);
                  if (auto report = rowReport(row, when)) return std::move(*report);
                  return "编号 " + row.id + " 没有计算书：" + row.error.value_or("输入无法读取");
                });
  }
  progress_->setRange(0, static_cast<int>(reports.inFlight()));
  progress_->setValue(0);
  std::size_t written = 0, taken = 0;
  QStringList problems;
  while (reports.inFlight() > 0) {
    while (reports.oldestReady(eventPause)) {
      const ReportFolder::Outcome outcome = reports.takeOldest();
      ++taken;
      if (outcome.problem)
        problems << qs(*outcome.problem);
      else
        ++written;
      progress_->setValue(static_cast<int>(taken));
    }
    QCoreApplication::processEvents();
  }
  running_ = false;
  summary_->setText(QStringLiteral("已在文件夹“%1”中生成 %2 份计算书。").arg(folder).arg(written));
  if (!problems.isEmpty()) context_.interaction.showMessage(this, problems.join(QStringLiteral("\n")));
  if (closeWhenDone_) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  return written;
}

}  // namespace pedivo::forms
