#include "forms/load_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "design/common/numbers.h"
#include "design/files/csv_table.h"
#include "design/files/file_text.h"
#include "forms/interaction.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

constexpr int nameColumn = 0;
// The first row's name in a new window.
const QString firstRowName = QStringLiteral("组合1");
constexpr int forceColumnWidth = 58;
constexpr int nameColumnWidth = 76;
constexpr int rowHeight = 22;
constexpr int visibleRows = 3;
// A file of combinations is a few kilobytes; this is far beyond any analysis's list.
constexpr std::uintmax_t largestCombinationFile = 4u << 20;

QPushButton* smallButton(const QString& name, const QString& text, const QString& tip) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setToolTip(tip);
  return button;
}

// A clipboard of more than one cell: a spreadsheet's rows rather than a number.
bool holdsCells(const QString& text) { return text.contains('\t') || text.trimmed().contains('\n'); }

}  // namespace

LoadTable::LoadTable(const std::vector<const ControlSpec*>& forces, Interaction& interaction)
    : interaction_(interaction) {
  setObjectName(QStringLiteral("loadTablePanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  auto* caption = new QLabel(QStringLiteral("荷载组合（N、V：kN，M：kN·m；轴力以压为正）"));
  caption->setObjectName(QStringLiteral("loadTableCaption"));
  if (forces.size() < 3) caption->setText(QStringLiteral("荷载组合（N、V：kN；轴力以压为正）"));
  layout->addWidget(caption);

  table_ = new QTableWidget(1, 1 + static_cast<int>(forces.size()));
  table_->setObjectName(QStringLiteral("loadTable"));
  QStringList headers{QStringLiteral("名称")};
  for (const ControlSpec* force : forces)
    headers << (force->name == "EdtM" ? QStringLiteral("M (kN·m)")
                                      : qs(force->name.substr(3)) + QStringLiteral(" (kN)"));
  table_->setHorizontalHeaderLabels(headers);
  table_->verticalHeader()->setDefaultSectionSize(rowHeight);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->horizontalHeader()->setSectionResizeMode(nameColumn, QHeaderView::Stretch);
  for (int c = 1; c < table_->columnCount(); ++c) table_->setColumnWidth(c, forceColumnWidth);
  table_->setColumnWidth(nameColumn, nameColumnWidth);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setItem(0, nameColumn, new QTableWidgetItem(firstRowName));
  // The first row's forces are the window's entries, typed as in any other box.
  for (std::size_t f = 0; f < forces.size(); ++f) {
    auto* box = new QLineEdit(qs(forces[f]->defaultText));
    box->setObjectName(qs(forces[f]->name));
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setFrame(false);
    box->installEventFilter(this);
    table_->setCellWidget(0, static_cast<int>(f) + 1, box);
    boxes_.push_back(box);
  }
  const int height =
      table_->horizontalHeader()->sizeHint().height() + visibleRows * rowHeight + 2 * table_->frameWidth();
  table_->setFixedHeight(height);
  table_->setMinimumWidth(table_->verticalHeader()->sizeHint().width() + nameColumnWidth +
                          forceColumnWidth * (table_->columnCount() - 1) + 2 * table_->frameWidth() + 2);
  table_->installEventFilter(this);
  layout->addWidget(table_);

  layout->addLayout(buildButtons());
}

QHBoxLayout* LoadTable::buildButtons() {
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  auto* add =
      smallButton(QStringLiteral("addLoadButton"), QStringLiteral("添加"), QStringLiteral("在表末添加一组荷载组合"));
  auto* remove =
      smallButton(QStringLiteral("deleteLoadButton"), QStringLiteral("删除"), QStringLiteral("删除所选的荷载组合"));
  auto* paste = smallButton(QStringLiteral("pasteLoadButton"), QStringLiteral("粘贴"),
                            QStringLiteral("粘贴从 Excel 或 WPS 复制的行（名称、N、V、M），从所选行起填入（Ctrl+V）"));
  auto* import = smallButton(QStringLiteral("importLoadButton"), QStringLiteral("导入…"),
                             QStringLiteral("从 CSV 文件导入荷载组合，替换表中各行"));
  for (QPushButton* b : {add, remove, paste, import}) buttons->addWidget(b);
  buttons->addStretch();
  connect(add, &QPushButton::clicked, this, &LoadTable::addRow);
  connect(remove, &QPushButton::clicked, this, &LoadTable::deleteSelectedRows);
  connect(paste, &QPushButton::clicked, this, &LoadTable::pasteClipboard);
  connect(import, &QPushButton::clicked, this, &LoadTable::importCsvFile);
  return buttons;
}

int LoadTable::rowCount() const { return table_->rowCount(); }

std::vector<LoadRowText> LoadTable::rows() const {
  std::vector<LoadRowText> rows;
  const auto cell = [&](int r, int c) {
    if (r == 0 && c > 0) return ss(boxes_[static_cast<std::size_t>(c - 1)]->text());
    const QTableWidgetItem* item = table_->item(r, c);
    return item == nullptr ? std::string() : ss(item->text().trimmed());
  };
  for (int r = 0; r < table_->rowCount(); ++r)
    rows.push_back({cell(r, nameColumn), cell(r, 1), cell(r, 2), withMoment() ? cell(r, 3) : std::string()});
  return rows;
}

void LoadTable::setRows(const std::vector<LoadRowText>& rows) {
  if (rows.empty()) return;
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < table_->rowCount(); ++r) {
    const LoadRowText& row = rows[static_cast<std::size_t>(r)];
    const std::vector<const std::string*> forces{&row.N, &row.V, &row.M};
    table_->setItem(r, nameColumn, new QTableWidgetItem(qs(row.name)));
    for (std::size_t f = 0; f < boxes_.size(); ++f) {
      if (r == 0) {
        boxes_[f]->setText(qs(*forces[f]));
      } else {
        table_->setItem(r, static_cast<int>(f) + 1, new QTableWidgetItem(qs(*forces[f])));
      }
    }
  }
}

std::variant<std::vector<LoadCombination>, std::string> LoadTable::combinations() const {
  if (table_->rowCount() == 1) return std::vector<LoadCombination>{};
  const std::vector<LoadRowText> texts = rows();
  return combinationsFromRows(texts, withMoment());
}

std::variant<std::vector<LoadCombination>, std::string> LoadTable::savedCombinations() const {
  if (table_->rowCount() > 1) return combinations();
  const std::vector<LoadRowText> row = rows();
  if (row.front().name.empty() || qs(row.front().name) == firstRowName) return std::vector<LoadCombination>{};
  const auto read = combinationsFromRows(row, withMoment());
  if (std::holds_alternative<std::string>(read)) return std::vector<LoadCombination>{};
  return read;
}

void LoadTable::showCombinations(const std::vector<LoadCombination>& loads) {
  if (loads.empty()) {
    LoadRowText row = rows().front();
    row.name = ss(firstRowName);
    setRows({row});
    return;
  }
  std::vector<LoadRowText> texts;
  texts.reserve(loads.size());
  for (const LoadCombination& load : loads)
    texts.push_back({load.name, formatGeneral(load.N), formatGeneral(load.V),
                     withMoment() ? formatGeneral(load.M) : std::string()});
  setRows(texts);
}

// "组合k" with the first k no row has.
QString LoadTable::freshName() const {
  std::set<std::string> taken;
  for (const LoadRowText& row : rows()) taken.insert(row.name);
  for (int k = table_->rowCount() + 1;; ++k)
    if (!taken.contains(ss(QStringLiteral("组合%1").arg(k)))) return QStringLiteral("组合%1").arg(k);
}

void LoadTable::addRow() {
  if (static_cast<std::size_t>(table_->rowCount()) >= mostCombinations) {
    refuse(QStringLiteral("荷载组合最多 %1 组。").arg(mostCombinations));
    return;
  }
  const QString name = freshName();
  const int r = table_->rowCount();
  table_->insertRow(r);
  table_->setItem(r, nameColumn, new QTableWidgetItem(name));
  for (int c = 1; c < table_->columnCount(); ++c) table_->setItem(r, c, new QTableWidgetItem);
  table_->setCurrentCell(r, 1);
}

// The first row stays: its forces are the window's entries. Deleting it moves the next row up.
void LoadTable::deleteSelectedRows() {
  std::set<int> chosen;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) chosen.insert(index.row());
  if (chosen.empty() && table_->currentRow() >= 0) chosen.insert(table_->currentRow());
  std::vector<LoadRowText> kept;
  const std::vector<LoadRowText> all = rows();
  for (std::size_t r = 0; r < all.size(); ++r)
    if (!chosen.contains(static_cast<int>(r))) kept.push_back(all[r]);
  if (kept.empty()) kept.push_back(all.front());
  setRows(kept);
  table_->clearSelection();
}

void LoadTable::refuse(const QString& why) { interaction_.showMessage(window(), why); }

bool LoadTable::placeRows(std::vector<LoadRowText> pasted, int firstRow) {
  std::vector<LoadRowText> all = rows();
  const std::size_t first = static_cast<std::size_t>(std::max(firstRow, 0));
  if (first + pasted.size() > mostCombinations) {
    refuse(QStringLiteral("荷载组合最多 %1 组，粘贴或导入后将有 %2 组。")
               .arg(mostCombinations)
               .arg(first + pasted.size()));
    return false;
  }
  all.resize(std::max(all.size(), first + pasted.size()));
  for (std::size_t i = 0; i < pasted.size(); ++i) {
    LoadRowText& row = all[first + i];
    // A row pasted without its name keeps the name the table gave that row.
    if (pasted[i].name.empty()) pasted[i].name = row.name.empty() ? "组合" + std::to_string(first + i + 1) : row.name;
    row = std::move(pasted[i]);
  }
  setRows(all);
  return true;
}

bool LoadTable::paste(const QString& text) {
  const auto read = loadRowsFromCells(pastedCells(ss(text)), withMoment());
  if (const auto* error = std::get_if<std::string>(&read)) {
    refuse(QStringLiteral("无法粘贴荷载组合：粘贴内容") + qs(*error) + QStringLiteral("。"));
    return false;
  }
  const auto& pasted = std::get<std::vector<LoadRowText>>(read);
  if (pasted.empty()) {
    refuse(QStringLiteral("剪贴板中没有荷载组合：请在 Excel 或 WPS 中选中名称、N、V、M 各列的行后复制。"));
    return false;
  }
  return placeRows(pasted, table_->currentRow());
}

void LoadTable::pasteClipboard() { paste(QApplication::clipboard()->text()); }

void LoadTable::importCsvFile() {
  const QString path = interaction_.chooseFileToOpen(this, QStringLiteral("导入荷载组合"),
                                                     QStringLiteral("CSV 表格 (*.csv);;所有文件 (*)"));
  if (!path.isEmpty()) importCsv(path);
}

bool LoadTable::importCsv(const QString& path) {
  const auto fail = [&](const QString& why) {
    refuse(QStringLiteral("无法导入荷载组合文件“%1”：%2").arg(path, why));
    return false;
  };
  const auto text = readFileText(localPath(path), largestCombinationFile);
  if (const auto* problem = std::get_if<FileProblem>(&text)) return fail(qs(problem->reason));
  const auto cells = parseCsv(std::get<std::string>(text));
  if (const auto* error = std::get_if<std::string>(&cells)) return fail(qs(*error));
  const auto read = loadRowsFromCells(std::get<std::vector<CsvRow>>(cells), withMoment());
  if (const auto* error = std::get_if<std::string>(&read)) return fail(QStringLiteral("文件") + qs(*error));
  const auto& loads = std::get<std::vector<LoadRowText>>(read);
  if (loads.empty()) return fail(QStringLiteral("文件中没有荷载组合"));
  if (loads.size() > mostCombinations)
    return fail(QStringLiteral("文件中有 %1 组荷载组合，最多 %2 组").arg(loads.size()).arg(mostCombinations));
  std::vector<LoadRowText> named = loads;
  for (std::size_t i = 0; i < named.size(); ++i)
    if (named[i].name.empty()) named[i].name = "组合" + std::to_string(i + 1);
  setRows(named);
  return true;
}

// Ctrl+V in the table pastes rows; in a force box of the first row it does too when the
// clipboard holds a spreadsheet's cells rather than one number.
bool LoadTable::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
    const QString text = QApplication::clipboard()->text();
    if (watched == table_ || holdsCells(text)) {
      if (watched != table_) table_->setCurrentCell(0, nameColumn);
      paste(text);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace pedivo::forms
