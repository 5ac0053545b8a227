#pragma once
// The main window: choose a base type, see its diagram, open its input window.

#include <QList>
#include <QPointer>
#include <QWidget>

#include "design/common/module.h"
#include "design/common/project.h"
#include "forms/interaction.h"

class QAction;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace pedivo::forms {
class InputWindow;
}

namespace pedivo::app {

class MainWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(forms::AppContext& context);
  ~MainWindow() override;

 // Opens a design file in a new input window of its base type; false (and told) when it is not one.
  bool openDesign(const QString& path);
  // A new input window of the base type holding the given entries (and project block, if not empty).
  forms::InputWindow* openDesignWindow(const ModuleDescriptor& module, const Entries& entries,
                                       const Project& project = {});

 public slots:
  void openInputWindow();  // "输入设计参数"
  void openDesignFile();   // Ctrl+O, and the window's context menu
  void openBatchWindow();  // Ctrl+B, and the window's context menu
  void editProject();      // 文件 > 项目信息…: the project block new windows start with
  void showHelp();         // 帮助 > 使用说明
  void showAbout();        // 帮助 > 关于
  void openTemplateFolder();  // 文件 > 打开模板文件夹: the user's templates, created on first use

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QRadioButton* addOption(const QString& name, const QString& caption);
  void setBoltGroupEnabled(bool enabled);
  void loadPicture(const QString& fileName);
  forms::InputWindow* openModule(const ModuleDescriptor& module);
  void openModule(const char* id);
  void addFileActions();
  void addMenuBar();
  void connectClicks();

  forms::AppContext& context_;
  QRadioButton* twoBolt_ = nullptr;        // RadioButton10
  QRadioButton* fourBolt_ = nullptr;       // RadioButton11
  QRadioButton* plainRigid_ = nullptr;     // RadioButton12
  QRadioButton* eightBolt_ = nullptr;      // RadioButton3
  QRadioButton* tenBolt_ = nullptr;        // RadioButton5
  QRadioButton* tBootBeam_ = nullptr;      // RadioButton13
  QRadioButton* channelBootBeam_ = nullptr;  // RadioButton14
  QRadioButton* embedded_ = nullptr;       // RadioButton15
  QGroupBox* boltGroup_ = nullptr;         // GroupBox1
  QLabel* picture_ = nullptr;              // Image1
  QAction* openAction_ = nullptr;
  QAction* batchAction_ = nullptr;
  QList<QPointer<QWidget>> inputWindows_;
};

}  // namespace pedivo::app
