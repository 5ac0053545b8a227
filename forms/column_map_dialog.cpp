#include "forms/column_map_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "design/common/module.h"
#include "forms/text.h"

namespace pedivo::forms {

ColumnMapDialog::ColumnMapDialog(const CsvRow& header, const CsvRow& sample, const ColumnMap& remembered,
                                 QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ColumnMapDialog"));
  setWindowTitle(QStringLiteral("列对应"));
  auto* layout = new QVBoxLayout(this);
  auto* note =
      new QLabel(QStringLiteral("表格的列名不是批量设计的列名。请为每一列选择它对应的输入；"
                                "不需要的列选“（不用）”。所作选择会记住，下次遇到同名的列时自动采用。"));
  note->setObjectName(QStringLiteral("columnMapNote"));
  note->setWordWrap(true);
  layout->addWidget(note);

  auto* table = new QTableWidget(static_cast<int>(header.size()), 3);
  table->setObjectName(QStringLiteral("columnMapTable"));
  table->setHorizontalHeaderLabels(
      {QStringLiteral("表格中的列"), QStringLiteral("第一行数据"), QStringLiteral("对应为")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const CsvRow guessed = mappedHeader(header, remembered);
  for (int r = 0; r < table->rowCount(); ++r) {
    const auto index = static_cast<std::size_t>(r);
    table->setItem(r, 0, new QTableWidgetItem(qs(header[index])));
    table->setItem(r, 1, new QTableWidgetItem(index < sample.size() ? qs(sample[index]) : QString()));
    auto* choice = new QComboBox;
    choice->setObjectName(QStringLiteral("column%1").arg(r));
    choice->addItem(QStringLiteral("（不用）"), QString());
    for (const MappableColumn& column : mappableColumns())
      choice->addItem(QStringLiteral("%1（%2）").arg(QString::fromUtf8(column.meaning), QString::fromUtf8(column.name)),
                      QString::fromUtf8(column.name));
    // A remembered name that is none of the offered ones (a control of one base type) is kept too.
    if (!guessed[index].empty() && choice->findData(qs(guessed[index])) < 0)
      choice->addItem(qs(guessed[index]), qs(guessed[index]));
    choice->setCurrentIndex(std::max(0, choice->findData(qs(guessed[index]))));
    table->setCellWidget(r, 2, choice);
    choices_.push_back(choice);
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table, 1);

  auto* form = new QFormLayout;
  module_ = new QComboBox;
  module_->setObjectName(QStringLiteral("moduleChoice"));
  for (const ModuleDescriptor* module : allModules()) module_->addItem(qs(module->title), qs(module->id));
  form->addRow(QStringLiteral("表中没有柱脚类型列时，各行按："), module_);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("buttonBox"));
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(620, 420);
}

CsvRow ColumnMapDialog::names() const {
  CsvRow names;
  for (const QComboBox* choice : choices_) names.push_back(ss(choice->currentData().toString()));
  return names;
}

std::string ColumnMapDialog::moduleId() const { return ss(module_->currentData().toString()); }

}  // namespace pedivo::forms
