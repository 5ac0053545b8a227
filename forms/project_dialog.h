#pragma once
// "项目信息": the project block of the report's first page (工程名称 … 日期), edited in a small
// dialog. The project last confirmed is remembered for this user and new windows start with it.

#include <QDialog>
#include <array>
#include <optional>

#include "design/common/project.h"
#include "forms/interaction.h"

class QLineEdit;

namespace pedivo::forms {

class ProjectDialog final : public QDialog {
  Q_OBJECT
 public:
  // `scope` says in one line what the values apply to.
  ProjectDialog(const Project& project, const QString& scope, QWidget* parent = nullptr);
  Project project() const;

 private:
  std::array<QLineEdit*, projectFields.size()> edits_{};
};

// Shows the dialog through the interaction; the project as confirmed, or nothing when the user
// cancels. A confirmed project is also remembered for new windows.
std::optional<Project> editProject(Interaction& interaction, QWidget* parent, const Project& current,
                                   const QString& scope);

// The project remembered for this user (empty before one was confirmed).
Project rememberedProject(Interaction& interaction);
void rememberProject(Interaction& interaction, const Project& project);

}  // namespace pedivo::forms
