#pragma once
// The main window: choose a base type, see its diagram, open its input window.

#include <QList>
#include <QPointer>
#include <QWidget>

#include "forms/interaction.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace pedivo::app {

class MainWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(forms::AppContext& context);
  ~MainWindow() override;

 public slots:
  void openInputWindow();  // "输入设计参数"

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QRadioButton* addOption(const QString& name, const QString& caption);
  void setBoltGroupEnabled(bool enabled);
  void loadPicture(const QString& fileName);
  void openModule(const char* id);
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
  QList<QPointer<QWidget>> inputWindows_;
};

}  // namespace pedivo::app
