#include "forms/result_window.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QHeaderView>
#include <QTableWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "design/drawing/dxf_file.h"
#include "forms/appearance.h"
#include "forms/drawing_painter.h"
#include "forms/drawing_view.h"
#include "forms/interaction.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

constexpr int fieldWidth = 64;
constexpr int minimumFieldWidth = 44;
constexpr int groupMargin = 8;  // inside a group box
constexpr int rowSpacing = 3;
constexpr int captionGap = 8;  // between a caption, its field and its unit
constexpr std::size_t fieldsInOneColumn = 12;  // longer windows show their groups in two columns

void addFieldRows(QGridLayout* grid, const std::vector<ResultFieldSpec>& fields, int labelWidth) {
  grid->setVerticalSpacing(rowSpacing);
  grid->setHorizontalSpacing(captionGap);
  grid->setColumnMinimumWidth(0, labelWidth);
  int row = grid->rowCount();
  for (const auto& field : fields) {
    auto* caption = new QLabel(qs(field.label));
    caption->setObjectName(qs(field.name + "Caption"));
    auto* edit = new QLineEdit;
    edit->setObjectName(qs(field.name));
    // A result is read, never typed over: what is typed here would be dropped unseen.
    edit->setReadOnly(true);
    // Fields give way before captions do where a window's fixed width is tight.
    edit->setMinimumWidth(minimumFieldWidth);
    edit->setMaximumWidth(fieldWidth);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    if (field.wide) {
      // A text such as a section name and its depth: the whole width of the group, under its caption.
      edit->setMaximumWidth(QWIDGETSIZE_MAX);
      grid->addWidget(edit, ++row, 0, 1, 4);
      ++row;
      continue;
    }
    grid->addWidget(edit, row, 1);
    if (!field.unit.empty()) grid->addWidget(new QLabel(qs(field.unit)), row, 2);
    ++row;
  }
  grid->setColumnStretch(3, 1);
}

// The frame a group box keeps round its contents in the current style.
QMargins groupBoxFrame() {
  const QGroupBox probe(QStringLiteral("底板"));
  return probe.contentsMargins();
}

// The result fields in their groups, at the result window's fixed size.
void buildFields(QWidget* host, const ModuleDescriptor& module, const ResultView& view) {
  std::size_t fieldCount = 0;
  int labelWidth = 0;
  const QFontMetrics metrics(host->font());
  for (const auto& group : module.resultGroups) {
    fieldCount += group.fields.size();
    for (const auto& field : group.fields)
      labelWidth = std::max(labelWidth, metrics.horizontalAdvance(qs(field.label)) + 4);
  }

  auto* columns = new QHBoxLayout(host);
  columns->setContentsMargins(6, 6, 6, 6);
  auto* column = new QVBoxLayout;
  columns->addLayout(column);
  std::size_t placed = 0;
  for (const auto& group : module.resultGroups) {
    if (fieldCount > fieldsInOneColumn && placed >= (fieldCount + 1) / 2 && columns->count() == 1) {
      column->addStretch();
      column = new QVBoxLayout;
      columns->addLayout(column);
    }
    placed += group.fields.size();
    if (group.caption.empty()) {
      // Rows outside any group box sit where the rows inside one do: the box's frame plus the
      // same inner margin.
      auto* grid = new QGridLayout;
      const QMargins frame = groupBoxFrame();
      grid->setContentsMargins(frame.left() + groupMargin, 0, frame.right() + groupMargin, 0);
      addFieldRows(grid, group.fields, labelWidth);
      column->addLayout(grid);
    } else {
      auto* box = new QGroupBox(qs(group.caption));
      box->setObjectName(qs(group.name));
      auto* grid = new QGridLayout(box);
      grid->setContentsMargins(groupMargin, 6, groupMargin, 6);
      addFieldRows(grid, group.fields, labelWidth);
      column->addWidget(box);
    }
  }
  column->addStretch();

  for (const auto& name : view.blackCaptions)
    if (auto* caption = host->findChild<QLabel*>(qs(name + "Caption"))) setTextColour(caption, normalTextColour);
  for (const auto& field : view.fields)
    if (auto* edit = host->findChild<QLineEdit*>(qs(field.field))) edit->setText(qs(field.text));
  for (const auto& name : view.redCaptions)
    if (auto* caption = host->findChild<QLabel*>(qs(name + "Caption"))) setTextColour(caption, QColor(255, 0, 0));

  if (module.resultClientSize.width > 0) {
    host->setFixedSize(module.resultClientSize.width, module.resultClientSize.height);
  } else {
    host->setFixedSize(host->sizeHint());
  }
}

QString withSuffix(QString path, const QString& suffix) {
  const QString ending = QFileInfo(path).suffix().toLower();
  if (ending != suffix && !(suffix == QStringLiteral("png") && ending == QStringLiteral("svg"))) path += "." + suffix;
  return path;
}

}  // namespace

ResultWindow::ResultWindow(const ModuleDescriptor& module, const ResultView& view) : QDialog(nullptr) {
  setObjectName(qs(module.resultFormName));
  setWindowTitle(QStringLiteral("计算结果"));
  setModal(true);
  buildFields(this, module, view);
}

ResultWindow::ResultWindow(const ModuleDescriptor& module, const ResultView& view,
                           const std::variant<drawing::Drawing, drawing::DrawingRefusal>& drawing,
                           Interaction& interaction)
    : QDialog(nullptr), module_(&module), interaction_(&interaction) {
  setObjectName(qs(module.resultFormName));
  setWindowTitle(QStringLiteral("计算结果"));
  setModal(true);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("designStatus"));
  status_->setWordWrap(true);
  status_->setContentsMargins(8, 6, 8, 0);
  status_->hide();
  outer->addWidget(status_);
  auto* row = new QHBoxLayout;
  outer->addLayout(row);
  weight_ = new QLabel;
  weight_->setObjectName(QStringLiteral("edtweight"));
  weight_->setContentsMargins(8, 0, 8, 6);
  weight_->hide();
  outer->addWidget(weight_);
  row->setContentsMargins(0, 0, 6, 6);
  auto* fields = new QWidget;
  fields->setObjectName(QStringLiteral("ResultFields"));
  buildFields(fields, module, view);
  row->addWidget(fields, 0, Qt::AlignTop);

  auto* pane = new QGroupBox(QStringLiteral("柱脚图"));
  pane->setObjectName(QStringLiteral("DrawingPane"));
  auto* paneLayout = new QVBoxLayout(pane);
  auto* drawingView = new DrawingView;
  paneLayout->addWidget(drawingView, 1);
  auto* buttons = new QHBoxLayout;
  auto* hint = new QLabel(QStringLiteral("滚轮缩放，拖动平移，双击复原"));
  hint->setObjectName(QStringLiteral("DrawingHint"));
  buttons->addWidget(hint, 1);
  auto* dxfButton = new QPushButton(QStringLiteral("导出DXF…"));
  dxfButton->setObjectName(QStringLiteral("ButtonDxf"));
  auto* pictureButton = new QPushButton(QStringLiteral("导出图片…"));
  pictureButton->setObjectName(QStringLiteral("ButtonPicture"));
  buttons->addWidget(dxfButton);
  buttons->addWidget(pictureButton);
  paneLayout->addLayout(buttons);
  auto* right = new QVBoxLayout;
  right->addWidget(pane, 3);
  auto* checkPane = new QGroupBox(QStringLiteral("验算结果"));
  checkPane->setObjectName(QStringLiteral("CheckPane"));
  auto* checkLayout = new QVBoxLayout(checkPane);
  auto* checkTable = new QTableWidget;
  checkTable->setObjectName(QStringLiteral("checkTable"));
  checkTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  checkTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  checkTable->verticalHeader()->hide();
  checkTable->verticalHeader()->setDefaultSectionSize(checkTable->fontMetrics().height() + 8);
  checkLayout->addWidget(checkTable);
  checkPane->hide();
  checkPane_ = checkPane;
  right->addWidget(checkPane, 2);
  row->addLayout(right, 1);

  if (const auto* refusal = std::get_if<drawing::DrawingRefusal>(&drawing)) {
    drawingView->setRefusal(qs(refusal->message));
    pane->setTitle(QStringLiteral("柱脚图（设计未完成）"));
    setTextColour(pane, QColor(255, 0, 0));
    // The buttons keep the style's own colours, so that they read as disabled and not as red.
    for (QPushButton* button : {dxfButton, pictureButton}) {
      button->setPalette(pane->style()->standardPalette());
      button->setEnabled(false);
      button->setToolTip(QStringLiteral("设计未完成，没有可导出的柱脚图"));
    }
  } else {
    drawing_ = std::get<drawing::Drawing>(drawing);
    drawingView->setDrawing(*drawing_);
  }
  connect(dxfButton, &QPushButton::clicked, this, &ResultWindow::exportDxf);
  connect(pictureButton, &QPushButton::clicked, this, &ResultWindow::exportPicture);
  resize(fields->width() + 780, std::max(fields->height(), 620));
}

void ResultWindow::showStatus(const QString& line, bool unfinished) {
  if (status_ == nullptr || line.isEmpty()) return;
  status_->setText(line);
  // An unfinished design in red; results of inputs since changed in the warning's dark orange.
  setTextColour(status_, unfinished ? QColor(255, 0, 0) : QColor(176, 80, 0));
  QFont bold = status_->font();
  bold.setBold(true);
  status_->setFont(bold);
  status_->show();
}

void ResultWindow::showWeight(const QString& kg) {
  weight_->setText(QStringLiteral("用钢量（底板、加劲肋、靴梁、隔板等，不含锚栓和柱）：%1 kg").arg(kg));
  weight_->show();
}

void ResultWindow::showChecks(const std::vector<DesignCheck>& checks) {
  if (checkPane_ == nullptr || checks.empty()) return;
  auto* table = checkPane_->findChild<QTableWidget*>(QStringLiteral("checkTable"));
  const bool governed =
      std::any_of(checks.begin(), checks.end(), [](const DesignCheck& check) { return check.governing.has_value(); });
  QStringList headers{QStringLiteral("验算项目"), QStringLiteral("计算值"), QStringLiteral("限值"),
                      QStringLiteral("结论")};
  if (governed) headers << QStringLiteral("控制组合");
  table->setColumnCount(static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->setRowCount(static_cast<int>(checks.size()));
  for (int r = 0; r < table->rowCount(); ++r) {
    const DesignCheck& check = checks[static_cast<std::size_t>(r)];
    const bool numbered = !check.decision && !check.unnumbered;
    const CheckNumbers numbers = numbered ? checkNumbers(check) : CheckNumbers{"—", "—"};
    QStringList cells{qs(check.name), qs(numbers.demand), qs(numbers.limit), qs(verdictText(check))};
    if (governed) cells << (check.governing ? qs(check.governing->name) : QString());
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (!check.ok()) item->setForeground(QColor(255, 0, 0));
      if (c == 0) item->setToolTip(qs(check.formula));
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  checkPane_->show();
}

void ResultWindow::exportDxf() {
  if (!drawing_) return;
  QString path = interaction_->chooseFileToSave(this, QStringLiteral("导出DXF"), QStringLiteral("DXF 文件 (*.dxf)"),
                                                qs(module_->id) + QStringLiteral(".dxf"));
  if (path.isEmpty()) return;
  path = withSuffix(path, QStringLiteral("dxf"));
  if (const auto failure = drawing::writeDxf(*drawing_, localPath(path))) interaction_->showMessage(this, qs(*failure));
}

void ResultWindow::exportPicture() {
  if (!drawing_) return;
  QString path = interaction_->chooseFileToSave(this, QStringLiteral("导出图片"),
                                                QStringLiteral("PNG 图片 (*.png);;SVG 图片 (*.svg)"),
                                                qs(module_->id) + QStringLiteral(".png"));
  if (path.isEmpty()) return;
  path = withSuffix(path, QStringLiteral("png"));
  if (const auto failure = writeDrawingPicture(*drawing_, path)) interaction_->showMessage(this, *failure);
}

}  // namespace pedivo::forms
