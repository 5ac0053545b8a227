#include "forms/project_dialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/text.h"

namespace pedivo::forms {
namespace {

QString settingsKey(const ProjectField& field) {
  return QStringLiteral("project/") + QString::fromUtf8(field.key.data(), qsizetype(field.key.size()));
}

QString caption(const ProjectField& field) {
  return QString::fromUtf8(field.caption.data(), qsizetype(field.caption.size()));
}

}  // namespace

ProjectDialog::ProjectDialog(const Project& project, const QString& scope, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProjectDialog"));
  setWindowTitle(QStringLiteral("项目信息"));
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < projectFields.size(); ++i) {
    const ProjectField& field = projectFields[i];
    auto* edit = new QLineEdit(qs(project.*field.text));
    edit->setObjectName(QStringLiteral("project_") + QString::fromUtf8(field.key.data(), qsizetype(field.key.size())));
    // No maxLength: it counts UTF-16 units and cuts a pasted text without a word.
    edit->setMinimumWidth(260);
    edits_[i] = edit;
    if (field.key != "date") {
      form->addRow(caption(field), edit);
      continue;
    }
    // The date is free text, as it is signed on paper; one press fills in today's.
    edit->setPlaceholderText(QStringLiteral("例如 %1").arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    auto* today = new QPushButton(QStringLiteral("今天"));
    today->setObjectName(QStringLiteral("todayButton"));
    today->setAutoDefault(false);
    connect(today, &QPushButton::clicked, edit,
            [edit] { edit->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))); });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(today);
    form->addRow(caption(field), row);
  }
  auto* note = new QLabel(scope + QStringLiteral("空白的项目在计算书中留空。"));
  note->setObjectName(QStringLiteral("scopeLabel"));
  note->setWordWrap(true);
  problem_ = new QLabel;
  problem_->setObjectName(QStringLiteral("projectProblem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #C00000"));
  problem_->hide();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("buttonBox"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProjectDialog::accept() {
  Project checked;
  for (std::size_t i = 0; i < projectFields.size(); ++i)
    if (auto refused = setProjectText(checked, projectFields[i].key, ss(edits_[i]->text().trimmed()))) {
      problem_->setText(qs(*refused));
      problem_->show();
      edits_[i]->setFocus(Qt::OtherFocusReason);
      return;
    }
  QDialog::accept();
}

Project ProjectDialog::project() const {
  Project project;
  for (std::size_t i = 0; i < projectFields.size(); ++i)
    project.*projectFields[i].text = ss(edits_[i]->text().trimmed());
  return project;
}

std::optional<Project> editProject(Interaction& interaction, QWidget* parent, const Project& current,
                                   const QString& scope) {
  ProjectDialog dialog(current, scope, parent);
  interaction.runModal(dialog);
  if (dialog.result() != QDialog::Accepted) return std::nullopt;
  Project project = dialog.project();
  rememberProject(interaction, project);
  return project;
}

Project rememberedProject(Interaction& interaction) {
  Project project;
  for (const auto& field : projectFields) {
    // A setting edited by hand may be anything; what does not fit is not taken.
    std::string text = ss(interaction.rememberedChoice(settingsKey(field)));
    if (setProjectText(project, field.key, std::move(text))) project.*field.text = {};
  }
  return project;
}

void rememberProject(Interaction& interaction, const Project& project) {
  for (const auto& field : projectFields) interaction.rememberChoice(settingsKey(field), qs(project.*field.text));
}

}  // namespace pedivo::forms
