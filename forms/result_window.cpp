#include "forms/result_window.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/appearance.h"
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
    // Fields give way before captions do where a window's fixed width is tight.
    edit->setMinimumWidth(minimumFieldWidth);
    edit->setMaximumWidth(fieldWidth);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
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

}  // namespace

ResultWindow::ResultWindow(const ModuleDescriptor& module, const ResultView& view) : QDialog(nullptr) {
  setObjectName(qs(module.resultFormName));
  setWindowTitle(QStringLiteral("计算结果"));
  setModal(true);

  std::size_t fieldCount = 0;
  int labelWidth = 0;
  const QFontMetrics metrics(font());
  for (const auto& group : module.resultGroups) {
    fieldCount += group.fields.size();
    for (const auto& field : group.fields)
      labelWidth = std::max(labelWidth, metrics.horizontalAdvance(qs(field.label)) + 4);
  }

  auto* columns = new QHBoxLayout(this);
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
    if (auto* caption = findChild<QLabel*>(qs(name + "Caption"))) setTextColour(caption, normalTextColour);
  for (const auto& field : view.fields)
    if (auto* edit = findChild<QLineEdit*>(qs(field.field))) edit->setText(qs(field.text));
  for (const auto& name : view.redCaptions)
    if (auto* caption = findChild<QLabel*>(qs(name + "Caption"))) setTextColour(caption, QColor(255, 0, 0));

  if (module.resultClientSize.width > 0) {
    setFixedSize(module.resultClientSize.width, module.resultClientSize.height);
  } else {
    setFixedSize(sizeHint());
  }
}

}  // namespace pedivo::forms
