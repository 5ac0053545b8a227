#include "forms/stock_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "design/common/check_mode.h"
#include "forms/interaction.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {
constexpr const char* stockSeriesKey = "stockSeries";
}  // namespace

std::vector<double> rememberedStockSeries(Interaction& interaction) {
  const QString text = interaction.rememberedChoice(QString::fromUtf8(stockSeriesKey));
  if (!text.isEmpty())
    if (auto series = parseStockSeries(ss(text))) return *series;
  return defaultStockThicknesses();
}

void rememberStockSeries(Interaction& interaction, const std::vector<double>& series) {
  interaction.rememberChoice(QString::fromUtf8(stockSeriesKey), qs(stockSeriesText(series)));
}

StockDialog::StockDialog(const std::vector<double>& series, Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction), series_(series) {
  setObjectName(QStringLiteral("StockDialog"));
  setWindowTitle(QStringLiteral("设置"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("钢板规格厚度（mm）"));
  group->setObjectName(QStringLiteral("stockGroup"));
  auto* inner = new QVBoxLayout(group);
  edit_ = new QLineEdit(qs(stockSeriesText(series)));
  edit_->setObjectName(QStringLiteral("stockSeries"));
  edit_->setMinimumWidth(420);
  auto* note =
      new QLabel(QStringLiteral("“取规格尺寸”把底板、加劲肋、肋板、隔板和靴梁的厚度向上取到此系列中的厚度，\n"
                                "超出系列最大值时取 10 mm 的整倍数。各厚度由小到大，以逗号分隔。"));
  note->setObjectName(QStringLiteral("stockNote"));
  inner->addWidget(edit_);
  inner->addWidget(note);
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("buttonBox"));
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  auto* restore = buttons->addButton(QStringLiteral("恢复默认"), QDialogButtonBox::ResetRole);
  restore->setObjectName(QStringLiteral("restoreDefaultButton"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &StockDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &StockDialog::reject);
  connect(restore, &QPushButton::clicked, this, &StockDialog::restoreDefault);
}

void StockDialog::accept() {
  const auto series = parseStockSeries(ss(edit_->text()));
  if (!series) {
    interaction_.showMessage(this, QStringLiteral("钢板规格厚度“%1”无法识别：应为由小到大的正数（不超过 1000 mm），"
                                                  "以逗号分隔，例如“6, 8, 10, 12, 14, 16”。")
                                       .arg(edit_->text()));
    edit_->setFocus(Qt::OtherFocusReason);
    return;
  }
  series_ = *series;
  QDialog::accept();
}

void StockDialog::restoreDefault() { edit_->setText(qs(stockSeriesText(defaultStockThicknesses()))); }

}  // namespace pedivo::forms
