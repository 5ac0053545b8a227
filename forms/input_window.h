#pragma once
// The input window of a base type, built from its descriptor.

#include <QWidget>
#include <map>
#include <string>

#include "design/common/design_session.h"
#include "forms/interaction.h"

class QCheckBox;
class QGroupBox;
class QLabel;

namespace pedivo::forms {

class InputWindow final : public QWidget {
  Q_OBJECT
 public:
  InputWindow(const ModuleDescriptor& module, AppContext& context);

  const DesignSession& session() const { return session_; }

 public slots:
  void calculate();     // "计算"
  void showResults();   // "查看结果"
  void writeReport();   // "打印计算书"

 private:
  QWidget* buildControlGroup(const ControlGroup& group);
  QWidget* buildPicturePanel();
  void applyDetailingToggle(bool ticked);
  void readControlsIntoSession();
  void writeEntriesToControls();
  QWidget* control(const std::string& name) const;

  AppContext& context_;
  DesignSession session_;
  std::map<std::string, QWidget*> controls_;
  QCheckBox* cbsize_ = nullptr;
  QGroupBox* sizeGroup_ = nullptr;
};

}  // namespace pedivo::forms
