#include "forms/batch_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "design/files/file_text.h"
#include "design/files/replace_file.h"
#include "design/files/xlsx_table.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

constexpr std::size_t rowsBetweenRepaints = 50;
const QColor failingText(190, 0, 0);
const QColor failingBackground(255, 228, 228);
constexpr std::uintmax_t maximumTableSize = 64u << 20;

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
  cancelButton_ = button(QStringLiteral("cancelButton"), QStringLiteral("取消"));
  progress_ = new QProgressBar;
  progress_->setObjectName(QStringLiteral("progressBar"));
  summary_ = new QLabel(QStringLiteral("打开一个 CSV 表格：每行一个设计，表头为 module、id 和输入控件名（Edthc、EdtN……）。"));
  summary_->setObjectName(QStringLiteral("summaryLabel"));
  summary_->setWordWrap(true);
  table_ = new QTableWidget;
  table_->setObjectName(QStringLiteral("resultTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(false);

  auto* commands = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{open, saveButton_, openRowButton_}) commands->addWidget(w);
  commands->addStretch();
  commands->addWidget(progress_);
  commands->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(commands);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);

  saveButton_->setEnabled(false);
  openRowButton_->setEnabled(false);
  cancelButton_->setEnabled(false);
  connect(open, &QPushButton::clicked, this, &BatchWindow::chooseTable);
  connect(saveButton_, &QPushButton::clicked, this, &BatchWindow::chooseResultFile);
  connect(openRowButton_, &QPushButton::clicked, this, &BatchWindow::openSelectedRow);
  connect(cancelButton_, &QPushButton::clicked, this, &BatchWindow::cancel);
  connect(table_, &QTableWidget::cellDoubleClicked, this, &BatchWindow::openSelectedRow);
  resize(960, 560);
}

bool BatchWindow::runTable(const QString& path) {
  if (running_) return false;
  const auto fail = [&](const QString& why) {
    context_.interaction.showMessage(this, QStringLiteral("无法读取表格“%1”：%2").arg(path, why));
    return false;
  };
  const auto text = readFileText(ss(path), maximumTableSize);
  if (const auto* problem = std::get_if<FileProblem>(&text)) return fail(qs(problem->reason));
  const auto table = readBatchTable(std::get<std::string>(text));
  if (const auto* error = std::get_if<std::string>(&table)) return fail(qs(*error));
  const BatchTable& designs = std::get<BatchTable>(table);

  // Designed here, on the window's thread, handing the window its events between stretches of
  // rows so that it repaints and the cancel button can be pressed.
  running_ = true;
  cancelled_ = false;
  cancelButton_->setEnabled(true);
  rows_.clear();
  rows_.reserve(designs.rows.size());
  progress_->setRange(0, static_cast<int>(designs.rows.size()));
  for (std::size_t i = 0; i < designs.rows.size() && !cancelled_; ++i) {
    rows_.push_back(designRow(designs, i));
    if (i % rowsBetweenRepaints == 0) {
      progress_->setValue(static_cast<int>(i));
      QCoreApplication::processEvents();
    }
  }
  progress_->setValue(static_cast<int>(rows_.size()));
  running_ = false;
  cancelButton_->setEnabled(false);
  setWindowTitle(QStringLiteral("批量设计 - ") + QFileInfo(path).fileName());
  showRows();
  if (cancelled_)
    summary_->setText(summary_->text() + QStringLiteral("（已取消，其余 %1 行未计算）").arg(designs.rows.size() - rows_.size()));
  return true;
}

void BatchWindow::showRows() {
  const std::vector<CsvRow> results = batchResultTable(rows_);
  const CsvRow& header = results.front();
  table_->clear();
  table_->setColumnCount(static_cast<int>(header.size()));
  table_->setRowCount(static_cast<int>(rows_.size()));
  QStringList headers;
  for (const auto& h : header) headers << qs(h);
  table_->setHorizontalHeaderLabels(headers);
  const std::vector<bool> marked = failingRows(rows_);
  std::size_t failing = 0;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    const bool fails = marked[r];
    failing += fails ? 1 : 0;
    for (std::size_t c = 0; c < header.size(); ++c) {
      QString text = qs(results[r + 1][c]);
      text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
      auto* item = new QTableWidgetItem(text);
      if (fails) {
        item->setForeground(failingText);
        item->setBackground(failingBackground);
      }
      table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  table_->resizeColumnsToContents();
  for (int c = 0; c < table_->columnCount(); ++c) table_->setColumnWidth(c, std::min(table_->columnWidth(c), 280));
  summary_->setText(QStringLiteral("共 %1 个设计，其中 %2 个有错误或不满足的验算（红色）。双击一行在输入窗口中打开。")
                        .arg(rows_.size())
                        .arg(failing));
  saveButton_->setEnabled(!rows_.empty());
  openRowButton_->setEnabled(!rows_.empty());
}

// As an Excel workbook when the name ends in .xlsx, otherwise as CSV.
bool BatchWindow::saveResults(const QString& path) {
  const auto table = batchResultTable(rows_);
  const auto why = path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)
                       ? writeXlsxTable(ss(path), table, failingRows(rows_))
                       : replaceFile(ss(path), csvText(table));
  if (why) {
    context_.interaction.showMessage(this, QStringLiteral("无法保存结果表格“%1”：%2").arg(path, qs(*why)));
    return false;
  }
  return true;
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

void BatchWindow::openSelectedRow() {
  const int row = table_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  const BatchRow& design = rows_[static_cast<std::size_t>(row)];
  if (design.module == nullptr || design.entries.texts.empty()) {
    context_.interaction.showMessage(this, QStringLiteral("第 %1 行没有可以打开的设计：%2")
                                               .arg(qs(design.id), qs(design.error.value_or(""))));
    return;
  }
  openDesign_(*design.module, design.entries);
}

}  // namespace pedivo::forms
