#pragma once
// "项目信息": the project block of the report's first page (工程名称 … 日期), edited in a small
// dialog. The project last confirmed is remembered for this user and new windows start with it.

#include <QDialog>
#include <array>
#include <optional>

#include "design/common/project.h"
#include "forms/interaction.h"

class QLabel;
class QLineEdit;

namespace pedivo::forms {

class ProjectDialog final : public QDialog {
  Q_OBJECT
 public:
  // `scope` says in one line what the values apply to.
  ProjectDialog(const Project& project, const QString& scope, QWidget* parent = nullptr);
  Project project() const;

  // "确定" closes the dialog only when every item can be kept as typed: at most
  // longestProjectText characters (code points: an emoji is one), one line. Otherwise the reason
  // is shown in the dialog and the item gets the focus; nothing is cut or dropped.
  void accept() override;

 private:
  std::array<QLineEdit*, projectFields.size()> edits_{};
  QLabel* problem_ = nullptr;
};

// Shows the dialog through the interaction; the project as confirmed, or nothing when the user
// cancels. A confirmed project is also remembered for new windows.
std::optional<Project> editProject(Interaction& interaction, QWidget* parent, const Project& current,
                                   const QString& scope);

// The project remembered for this user (empty before one was confirmed).
Project rememberedProject(Interaction& interaction);
void rememberProject(Interaction& interaction, const Project& project);

}  // namespace pedivo::forms
