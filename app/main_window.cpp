#include "app/main_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QKeySequence>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "design/common/module.h"
#include "design/files/design_file.h"
#include "forms/batch_window.h"
#include "forms/appearance.h"
#include "forms/diagram.h"
#include "forms/input_window.h"

namespace pedivo::app {
namespace {

constexpr int clientWidth = 575;
constexpr int clientHeight = 304;
const QSize pictureSize(321, 193);

QLabel* heading(const QString& text) {
  auto* label = new QLabel(text);
  label->setFont(forms::headingFont());
  return label;
}

}  // namespace

MainWindow::MainWindow(forms::AppContext& context) : QWidget(nullptr), context_(context) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Pedivo  V1.0"));

  auto* left = new QVBoxLayout;
  left->addWidget(heading(QStringLiteral("外露式铰接柱脚")));
  auto* pinnedRow = new QHBoxLayout;
  twoBolt_ = addOption(QStringLiteral("RadioButton10"), QStringLiteral("两锚栓"));
  fourBolt_ = addOption(QStringLiteral("RadioButton11"), QStringLiteral("四锚栓"));
  pinnedRow->addSpacing(16);
  pinnedRow->addWidget(twoBolt_);
  pinnedRow->addWidget(fourBolt_);
  pinnedRow->addStretch();
  left->addLayout(pinnedRow);

  left->addWidget(heading(QStringLiteral("外露式刚接柱脚")));
  plainRigid_ = addOption(QStringLiteral("RadioButton12"), QStringLiteral("无靴梁的板式柱脚"));
  boltGroup_ = new QGroupBox(QStringLiteral("柱脚锚栓数"));
  boltGroup_->setObjectName(QStringLiteral("GroupBox1"));
  auto* boltRow = new QHBoxLayout(boltGroup_);
  eightBolt_ = new QRadioButton(QStringLiteral("八锚栓"));
  eightBolt_->setObjectName(QStringLiteral("RadioButton3"));
  tenBolt_ = new QRadioButton(QStringLiteral("十锚栓"));
  tenBolt_->setObjectName(QStringLiteral("RadioButton5"));
  boltRow->addWidget(eightBolt_);
  boltRow->addWidget(tenBolt_);
  tBootBeam_ = addOption(QStringLiteral("RadioButton13"), QStringLiteral("T型靴梁的板式柱脚"));
  channelBootBeam_ = addOption(QStringLiteral("RadioButton14"), QStringLiteral("槽型靴梁的板式柱脚"));
  embedded_ = addOption(QStringLiteral("RadioButton15"), QStringLiteral("插入式刚接柱脚"));
  embedded_->setFont(forms::headingFont());

  const auto indented = [](QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->addSpacing(16);
    row->addWidget(widget);
    return row;
  };
  left->addLayout(indented(plainRigid_));
  left->addLayout(indented(boltGroup_));
  left->addLayout(indented(tBootBeam_));
  left->addLayout(indented(channelBootBeam_));
  left->addSpacing(6);
  left->addWidget(embedded_);
  left->addStretch();

  auto* pictureBox = new QGroupBox(QStringLiteral("柱脚图示"));
  pictureBox->setObjectName(QStringLiteral("GroupBox3"));
  auto* pictureLayout = new QVBoxLayout(pictureBox);
  picture_ = new QLabel;
  picture_->setObjectName(QStringLiteral("Image1"));
  picture_->setFixedSize(pictureSize);
  picture_->setPixmap(QPixmap::fromImage(forms::diagramImage("g11", pictureSize)));
  pictureLayout->addWidget(picture_);

  auto* openButton = new QPushButton(QStringLiteral("输入设计参数"));
  openButton->setObjectName(QStringLiteral("Button1"));
  openButton->setFont(forms::headingFont());
  openButton->setMinimumHeight(32);
  connect(openButton, &QPushButton::clicked, this, &MainWindow::openInputWindow);

  auto* right = new QVBoxLayout;
  right->addWidget(pictureBox);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(openButton);
  buttonRow->addStretch();
  right->addLayout(buttonRow);
  right->addStretch();

  auto* columns = new QHBoxLayout(this);
  columns->addLayout(left, 1);
  columns->addLayout(right);

  // The six base types form one choice; the bolt count inside GroupBox1 a second one.
  auto* types = new QButtonGroup(this);
  for (QRadioButton* option : {twoBolt_, fourBolt_, plainRigid_, tBootBeam_, channelBootBeam_, embedded_})
    types->addButton(option);
  auto* boltCounts = new QButtonGroup(this);
  boltCounts->addButton(eightBolt_);
  boltCounts->addButton(tenBolt_);

  plainRigid_->setChecked(true);
  eightBolt_->setChecked(true);
  setBoltGroupEnabled(true);
  connectClicks();
  addFileActions();
  openButton->setToolTip(QStringLiteral("打开所选柱脚类型的输入窗口。右键单击本窗口可打开设计文件（Ctrl+O）或批量设计（Ctrl+B）。"));

  setFixedSize(clientWidth, clientHeight);
}

MainWindow::~MainWindow() {
  for (const QPointer<QWidget>& window : inputWindows_) delete window.data();
}

QRadioButton* MainWindow::addOption(const QString& name, const QString& caption) {
  auto* option = new QRadioButton(caption);
  option->setObjectName(name);
  return option;
}

void MainWindow::connectClicks() {
  connect(twoBolt_, &QRadioButton::clicked, this, [this] {
    setBoltGroupEnabled(false);
    if (twoBolt_->isChecked()) loadPicture(QStringLiteral("j2.bmp"));
  });
  connect(fourBolt_, &QRadioButton::clicked, this, [this] {
    setBoltGroupEnabled(false);
    if (fourBolt_->isChecked()) loadPicture(QStringLiteral("j4.bmp"));
  });
  connect(plainRigid_, &QRadioButton::clicked, this, [this] {
    setBoltGroupEnabled(true);
    if (eightBolt_->isChecked()) loadPicture(QStringLiteral("g11.bmp"));
    if (tenBolt_->isChecked()) loadPicture(QStringLiteral("g12.bmp"));
  });
  connect(tBootBeam_, &QRadioButton::clicked, this, [this] {
    setBoltGroupEnabled(false);
    loadPicture(QStringLiteral("g2.bmp"));
  });
  connect(channelBootBeam_, &QRadioButton::clicked, this, [this] {
    setBoltGroupEnabled(false);
    loadPicture(QStringLiteral("g3.bmp"));
  });
  connect(embedded_, &QRadioButton::clicked, this, [this] {
    setBoltGroupEnabled(false);
    loadPicture(QStringLiteral("gc.bmp"));
  });
  connect(eightBolt_, &QRadioButton::clicked, this, [this] {
    if (plainRigid_->isChecked()) loadPicture(QStringLiteral("g11.bmp"));
  });
  connect(tenBolt_, &QRadioButton::clicked, this, [this] {
    if (plainRigid_->isChecked()) loadPicture(QStringLiteral("g12.bmp"));
  });
}

// The bolt count only belongs to the rigid base without boot beams; elsewhere it is greyed.
void MainWindow::setBoltGroupEnabled(bool enabled) {
  const QColor colour = enabled ? forms::normalTextColour : forms::disabledTextColour;
  for (QWidget* widget : std::initializer_list<QWidget*>{boltGroup_, eightBolt_, tenBolt_}) {
    widget->setEnabled(enabled);
    forms::setTextColour(widget, colour);
  }
}

// A picture that cannot be read leaves the current one in place.
void MainWindow::loadPicture(const QString& fileName) {
  const QString path = context_.appFolder + fileName;
  QImage image;
  if (!image.load(path)) {
    context_.interaction.showMessage(this, QStringLiteral("无法打开文件“%1”。").arg(path));
    return;
  }
  picture_->setPixmap(QPixmap::fromImage(image));
}

forms::InputWindow* MainWindow::openModule(const ModuleDescriptor& module) {
  auto* window = new forms::InputWindow(module, context_);
  inputWindows_.append(QPointer<QWidget>(window));
  connect(window, &forms::InputWindow::adoptInOtherWindow, this,
          [this](const ModuleDescriptor* other, const Entries& entries) { openDesignWindow(*other, entries)->calculate(); });
  window->show();
  return window;
}

void MainWindow::openModule(const char* id) {
  if (const ModuleDescriptor* module = findModule(id)) openModule(*module);
}

forms::InputWindow* MainWindow::openDesignWindow(const ModuleDescriptor& module, const Entries& entries) {
  forms::InputWindow* window = openModule(module);
  window->loadEntries(entries);
  return window;
}

bool MainWindow::openDesign(const QString& path) {
  const auto read = readDesignFile(path.toStdString());
  if (const auto* error = std::get_if<std::string>(&read)) {
    context_.interaction.showMessage(this, QString::fromStdString(*error));
    return false;
  }
  const DesignFile& file = std::get<DesignFile>(read);
  // The window opens the file itself, so that it carries the file's name.
  return openModule(*file.module)->openDesign(path);
}

void MainWindow::openDesignFile() {
  const QString path =
      context_.interaction.chooseFileToOpen(this, QStringLiteral("打开设计文件"), forms::designFileFilter());
  if (!path.isEmpty()) openDesign(path);
}

void MainWindow::openBatchWindow() {
  // A row opens designed, as the batch designed it, ready for "查看结果" and "打印计算书".
  auto* window = new forms::BatchWindow(context_, [this](const ModuleDescriptor& module, const Entries& entries) {
    openDesignWindow(module, entries)->calculateSilently();
  });
  inputWindows_.append(QPointer<QWidget>(window));
  window->show();
}

// Design files and batch design, reached by keyboard and by the window's context menu, so that
// the window keeps its own look.
void MainWindow::addFileActions() {
  auto* open = new QAction(QStringLiteral("打开设计文件…"), this);
  open->setObjectName(QStringLiteral("openDesignAction"));
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, &MainWindow::openDesignFile);
  auto* batch = new QAction(QStringLiteral("批量设计…"), this);
  batch->setObjectName(QStringLiteral("batchAction"));
  batch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(batch, &QAction::triggered, this, &MainWindow::openBatchWindow);
  addAction(open);
  addAction(batch);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MainWindow::openInputWindow() {
  if (twoBolt_->isChecked()) {
    openModule("j1");
  } else if (fourBolt_->isChecked()) {
    openModule("j2");
  } else if (plainRigid_->isChecked()) {
    if (eightBolt_->isChecked()) openModule("g11");
    if (tenBolt_->isChecked()) openModule("g12");
  } else if (tBootBeam_->isChecked()) {
    openModule("g2");
  } else if (channelBootBeam_->isChecked()) {
    openModule("g3");
  } else if (embedded_->isChecked()) {
    openModule("gc");
  }
}

// Closing the main window ends the program with every window it opened.
void MainWindow::closeEvent(QCloseEvent* event) {
  for (const QPointer<QWidget>& window : inputWindows_)
    if (window) window->close();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace pedivo::app
