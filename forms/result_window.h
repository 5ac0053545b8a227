#pragma once
// The result window of a base type: a snapshot of the held results, shown modally.

#include <QDialog>

#include "design/common/module.h"

namespace pedivo::forms {

class ResultWindow final : public QDialog {
  Q_OBJECT
 public:
  // Each field's caption label is named after the field with "Caption" appended.
  ResultWindow(const ModuleDescriptor& module, const ResultView& view);
};

}  // namespace pedivo::forms
