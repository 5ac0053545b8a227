#include "forms/result_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "forms/appearance.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

constexpr int fieldWidth = 80;

void addFieldRows(QGridLayout* grid, const std::vector<ResultFieldSpec>& fields) {
  int row = grid->rowCount();
  for (const auto& field : fields) {
    auto* caption = new QLabel(qs(field.label));
    caption->setObjectName(qs(field.name + "Caption"));
    auto* edit = new QLineEdit;
    edit->setObjectName(qs(field.name));
    edit->setFixedWidth(fieldWidth);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    if (!field.unit.empty()) grid->addWidget(new QLabel(qs(field.unit)), row, 2);
    ++row;
  }
  grid->setColumnStretch(0, 1);
}

}  // namespace

ResultWindow::ResultWindow(const ModuleDescriptor& module, const ResultView& view) : QDialog(nullptr) {
  setObjectName(qs(module.resultFormName));
  setWindowTitle(QStringLiteral("计算结果"));
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  for (const auto& group : module.resultGroups) {
    if (group.caption.empty()) {
      auto* grid = new QGridLayout;
      addFieldRows(grid, group.fields);
      layout->addLayout(grid);
    } else {
      auto* box = new QGroupBox(qs(group.caption));
      box->setObjectName(qs(group.name));
      auto* grid = new QGridLayout(box);
      addFieldRows(grid, group.fields);
      layout->addWidget(box);
    }
  }

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
