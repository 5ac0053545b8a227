#pragma once
// The result window of a base type: a snapshot of the held results, shown modally. Given the
// drawing of the design, a "柱脚图" pane beside the fields shows it, with its DXF and picture export.

#include <QDialog>
#include <variant>

#include "design/common/design_check.h"
#include "design/common/module.h"
#include "design/drawing/base_drawing.h"

class QLabel;

namespace pedivo::forms {

class Interaction;

class ResultWindow final : public QDialog {
  Q_OBJECT
 public:
  // The fields alone, at the window's fixed size. Each field's caption label is named after the
  // field with "Caption" appended.
  ResultWindow(const ModuleDescriptor& module, const ResultView& view);
  // The fields (in "ResultFields", at the same fixed size) and the drawing pane beside them; the
  // window can be resized, the pane takes the room. File questions and messages go through
  // `interaction`.
  ResultWindow(const ModuleDescriptor& module, const ResultView& view,
               const std::variant<drawing::Drawing, drawing::DrawingRefusal>& drawing, Interaction& interaction);
  // A line above the fields that says where the design stands, in bold: red when it is unfinished,
  // dark orange when the entries changed since.
  void showStatus(const QString& line, bool unfinished);
  // "用钢量": the steel of the designed parts, kg, under the fields.
  void showWeight(const QString& kg);
  // "验算结果": each check with its numbers, utilisation and verdict under the drawing; with several
  // load combinations, a column "控制组合" names the one that governs each check.
  void showChecks(const std::vector<DesignCheck>& checks);

 private:
  void exportDxf();
  void exportPicture();

  const ModuleDescriptor* module_ = nullptr;
  Interaction* interaction_ = nullptr;
  std::optional<drawing::Drawing> drawing_;
  QLabel* status_ = nullptr;
  QLabel* weight_ = nullptr;
  QWidget* checkPane_ = nullptr;
};

}  // namespace pedivo::forms
