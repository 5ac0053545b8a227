#include "forms/adjust_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "design/common/calculation.h"
#include "forms/appearance.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

QTableWidget* table(const QString& name, const QStringList& headers) {
  auto* t = new QTableWidget(0, static_cast<int>(headers.size()));
  t->setObjectName(name);
  t->setHorizontalHeaderLabels(headers);
  t->verticalHeader()->hide();
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::NoSelection);
  // Value columns as wide as the widest caption of the three tables with room either side: the
  // tables line up, and no caption or value is cut when a scroll bar takes its share.
  const int valueWidth = t->fontMetrics().horizontalAdvance(QStringLiteral("建议利用率"));
  t->horizontalHeader()->setMinimumSectionSize(valueWidth + 4 * t->fontMetrics().averageCharWidth());
  t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int c = 1; c < headers.size(); ++c) t->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  return t;
}

void addRow(QTableWidget* t, const QStringList& cells) {
  const int row = t->rowCount();
  t->insertRow(row);
  for (int c = 0; c < cells.size(); ++c) t->setItem(row, c, new QTableWidgetItem(cells[c]));
}

// A failing utilisation reads red, as a failing result caption does.
void markFailing(QTableWidget* t, int column, const DesignCheck* check) {
  if (check == nullptr || check->ok()) return;
  t->item(t->rowCount() - 1, column)->setForeground(failingTextColour);
}

// The caption of an entry as the window shows it.
QString entryCaption(const ModuleDescriptor& module, const std::string& name) {
  if (name == "cbsize") return QStringLiteral("底板尺寸按构造要求选取");
  if (name == "module") return QStringLiteral("柱脚类型");
  const ControlSpec* control = module.findControl(name);
  return control == nullptr ? qs(name) : qs(control->label);
}

QString entryText(const Entries& entries, const std::string& name) {
  if (name == "cbsize") return entries.cbsize ? QStringLiteral("勾选") : QStringLiteral("不勾选");
  const auto found = entries.texts.find(name);
  return found == entries.texts.end() ? QString() : qs(found->second);
}

QString ratioText(const DesignCheck* check) {
  if (check == nullptr) return QStringLiteral("—");
  if (check->decision) return qs(*check->decision);
  return qs(utilisationText(check->ratio())) + (check->ok() ? QString() : QStringLiteral(" 不满足"));
}

const DesignCheck* findCheck(const std::vector<DesignCheck>& checks, std::string_view id) {
  for (const auto& check : checks)
    if (check.id == id) return &check;
  return nullptr;
}

QString governingName(const DesignCheck& check) {
  return check.governing ? qs(check.governing->name) : QStringLiteral("—");
}

// "建议设计的最大利用率 0.97（锚栓抗拉），控制组合 2：B": where the proposal is closest to its limits,
// under all the combinations it was checked for.
QString largestRatioText(const std::vector<DesignCheck>& checks) {
  const DesignCheck* largest = nullptr;
  for (const auto& check : checks)
    if (!check.decision && std::isfinite(check.ratio()) && (largest == nullptr || check.ratio() > largest->ratio()))
      largest = &check;
  if (largest == nullptr) return {};
  QString text = QStringLiteral("建议设计的最大利用率 %1（%2）").arg(qs(utilisationText(largest->ratio())), qs(largest->name));
  if (largest->governing)
    text += QStringLiteral("，控制组合 %1：%2").arg(largest->governing->index + 1).arg(qs(largest->governing->name));
  return text + QStringLiteral("；各项验算已按全部荷载组合逐一验算。");
}

// What the search found and what "采用" does with it.
QString headingText(const ModuleDescriptor& own, const adjust::SearchResult& found) {
  const adjust::Proposal& proposal = *found.best;
  if (proposal.typeChange)
    return qs(*proposal.typeChange) +
           QStringLiteral("（试算 %1 次）。“采用”将打开%2的输入窗口，填入下列输入并计算；本窗口保持不变。")
               .arg(found.candidates)
               .arg(qs(proposal.module->title));
  if (proposal.passes)
    return QStringLiteral("找到满足全部验算的最轻设计（试算 %1 次）。“采用”将下列输入写入窗口并重新计算。").arg(found.candidates);
  QString others;
  for (const ModuleDescriptor* other : adjust::familyOf(own))
    others += (others.isEmpty() ? QString() : QStringLiteral("、")) + qs(other->title);
  return QStringLiteral("在可调整的范围内（a、c、lt、bt 为构造值的 1～3 倍%1%2）没有找到满足全部验算的设计。"
                        "下面是找到的最接近的设计及其处理建议。")
      .arg(adjust::boltDiameterControl(own) ? QStringLiteral("，锚栓直径") : QString())
      .arg(others.isEmpty() ? QString() : QStringLiteral("，或改用") + others);
}

}  // namespace

AdjustDialog::AdjustDialog(const DesignSession& current, const adjust::SearchResult& found, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("AdjustDialog"));
  setWindowTitle(QStringLiteral("自动调整"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel;
  heading->setObjectName(QStringLiteral("adjustHeading"));
  heading->setWordWrap(true);
  layout->addWidget(heading);
  auto* buttons = new QDialogButtonBox;
  QPushButton* adopt = buttons->addButton(QStringLiteral("采用"), QDialogButtonBox::AcceptRole);
  adopt->setObjectName(QStringLiteral("adoptButton"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  if (found.refusal) {
    heading->setText(QStringLiteral("输入有误，不能自动调整：%1").arg(qs(*found.refusal)));
    adopt->setEnabled(false);
    layout->addWidget(buttons);
    return;
  }
  if (!found.best) {
    heading->setText(QStringLiteral("本柱脚类型没有可调整的尺寸（插入深度由计算确定）。请按各项验算的处理建议修改输入。"));
    adopt->setEnabled(false);
    layout->addWidget(buttons);
    return;
  }
  const adjust::Proposal& proposal = *found.best;
  const ModuleDescriptor& module = *proposal.module;
  heading->setText(headingText(current.module(), found));
  if (!proposal.passes) adopt->setEnabled(false);

  auto* changes = table(QStringLiteral("adjustChanges"), {QStringLiteral("输入项"), QStringLiteral("现值"), QStringLiteral("建议值")});
  for (const auto& name : proposal.changed) {
    if (name == "module") {
      addRow(changes, {entryCaption(module, name), qs(current.module().title), qs(module.title)});
    } else {
      addRow(changes, {entryCaption(module, name), entryText(current.entries(), name), entryText(proposal.entries, name)});
    }
  }
  layout->addWidget(new QLabel(QStringLiteral("改动的输入")));
  layout->addWidget(changes);

  // Sizes and weight: the proposal designed as the window will design it.
  DesignSession proposed(module);
  for (const auto& [control, text] : proposal.entries.texts) proposed.setText(control, text);
  proposed.setCbsize(proposal.entries.cbsize);
  proposed.setLoads(current.loads());
  proposed.calculate();
  const ResultView now = current.results(), then = proposed.results();
  auto* sizes = table(QStringLiteral("adjustSizes"), {QStringLiteral("项目"), QStringLiteral("当前"), QStringLiteral("建议")});
  const auto nowWeight = current.weight();
  // A closest design that stops or ends part way has no sizes and no weight: "—", as for the current.
  const bool designed = proposed.designed();
  addRow(sizes, {QStringLiteral("用钢量（kg）"), nowWeight ? qs(formatWeight(*nowWeight)) : QStringLiteral("—"),
                 designed ? qs(formatWeight(proposal.weight)) : QStringLiteral("—")});
  for (const auto& group : module.resultGroups)
    for (const auto& field : group.fields) {
      QString before = QStringLiteral("—"), after = designed ? QString() : QStringLiteral("—");
      for (const auto& f : now.fields)
        if (f.field == field.name && current.designed()) before = qs(f.text);
      for (const auto& f : then.fields)
        if (f.field == field.name && designed) after = qs(f.text);
      addRow(sizes, {qs(field.label + field.unit), before, after});
    }
  layout->addWidget(new QLabel(QStringLiteral("设计结果")));
  layout->addWidget(sizes);

  // Under several combinations each ratio is that of the proposal's governing combination.
  const bool combined = current.loads().size() > 1;
  QStringList ratioHeaders{QStringLiteral("验算"), QStringLiteral("当前利用率"), QStringLiteral("建议利用率")};
  if (combined) ratioHeaders << QStringLiteral("控制组合");
  auto* ratios = table(QStringLiteral("adjustChecks"), ratioHeaders);
  for (const auto& check : proposal.checks) {
    const DesignCheck* now = findCheck(current.checks(), check.id);
    QStringList cells{qs(check.name), ratioText(now), ratioText(&check)};
    if (combined) cells << governingName(check);
    addRow(ratios, cells);
    markFailing(ratios, 1, now);
    markFailing(ratios, 2, &check);
  }
  // Checks of the current type that the proposed type does not have (a layout of plate stiffeners).
  for (const auto& check : current.checks())
    if (findCheck(proposal.checks, check.id) == nullptr) {
      QStringList cells{qs(check.name), ratioText(&check), QStringLiteral("—")};
      if (combined) cells << QStringLiteral("—");
      addRow(ratios, cells);
      markFailing(ratios, 1, &check);
    }
  layout->addWidget(new QLabel(QStringLiteral("验算利用率")));
  layout->addWidget(ratios);
  if (combined) {
    auto* governing = new QLabel(largestRatioText(proposal.checks));
    governing->setObjectName(QStringLiteral("adjustGoverning"));
    governing->setWordWrap(true);
    layout->addWidget(governing);
  }

  if (!proposal.passes) {
    QString advice;
    if (proposal.stopRemedy) advice += qs(proposal.messages.empty() ? std::string() : proposal.messages.front()) +
                                       QStringLiteral("\n→ ") + qs(*proposal.stopRemedy) + QStringLiteral("\n");
    for (const auto& check : proposal.checks)
      if (!check.ok()) advice += qs(check.name) + QStringLiteral("\n→ ") + qs(check.remedy) + QStringLiteral("\n");
    auto* remedies = new QLabel(advice.trimmed());
    remedies->setObjectName(QStringLiteral("adjustRemedies"));
    remedies->setWordWrap(true);
    layout->addWidget(remedies);
  }
  layout->addWidget(buttons);
  resize(560, 640);
}

}  // namespace pedivo::forms
