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
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "design/common/module.h"
#include "design/files/data_folders.h"
#include "design/files/design_file.h"
#include "design/files/software_version.h"
#include "forms/batch_window.h"
#include "forms/appearance.h"
#include "forms/diagram.h"
#include "forms/input_window.h"
#include "forms/project_dialog.h"
#include "forms/text.h"

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
  setWindowTitle(QStringLiteral("Pedivo V1.0"));

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
  addMenuBar();
  openButton->setToolTip(QStringLiteral("打开所选柱脚类型的输入窗口。右键单击本窗口可打开设计文件（Ctrl+O）或批量设计（Ctrl+B）。"));

  // The menu bar sits above the option area, which keeps its size.
  setFixedSize(clientWidth, clientHeight + layout()->menuBar()->sizeHint().height());
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
  const QString path = forms::qpath(findDataFile(diagramSearchPath(context_.folders()), fileName.toStdString()));
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
          [this](const ModuleDescriptor* other, const Entries& entries, const std::vector<LoadRowText>& rows) {
            forms::InputWindow* adopted = openDesignWindow(*other, entries);
            adopted->setLoadRows(rows);
            adopted->calculate();
          });
  window->show();
  return window;
}

void MainWindow::openModule(const char* id) {
  if (const ModuleDescriptor* module = findModule(id)) openModule(*module);
}

forms::InputWindow* MainWindow::openDesignWindow(const ModuleDescriptor& module, const Entries& entries,
                                                 const Project& project) {
  forms::InputWindow* window = openModule(module);
  window->loadEntries(entries);
  if (!project.empty()) window->setProject(project);
  return window;
}

bool MainWindow::openDesign(const QString& path) {
  const auto read = readDesignFile(forms::localPath(path));
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
  auto* window = new forms::BatchWindow(
      context_, [this](const DesignFile& design) {
        forms::InputWindow* window = openModule(*design.module);
        window->showDesign(design);
        window->calculateSilently();
      });
  inputWindows_.append(QPointer<QWidget>(window));
  window->show();
}

// Design files and batch design, reached by keyboard and by the window's context menu, so that
// the window keeps its own look.
void MainWindow::addFileActions() {
  auto* open = openAction_ = new QAction(QStringLiteral("打开设计文件…"), this);
  open->setObjectName(QStringLiteral("openDesignAction"));
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, &MainWindow::openDesignFile);
  auto* batch = batchAction_ = new QAction(QStringLiteral("批量设计…"), this);
  batch->setObjectName(QStringLiteral("batchAction"));
  batch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(batch, &QAction::triggered, this, &MainWindow::openBatchWindow);
  addAction(open);
  addAction(batch);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

// 文件 and 帮助 above the option area: every command can be found without knowing a shortcut.
void MainWindow::addMenuBar() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menuBar"));
  QMenu* file = bar->addMenu(QStringLiteral("文件(&F)"));
  file->setObjectName(QStringLiteral("fileMenu"));
  file->addAction(openAction_);
  file->addAction(batchAction_);
  QAction* project = file->addAction(QStringLiteral("项目信息…"), this, &MainWindow::editProject);
  project->setObjectName(QStringLiteral("projectAction"));
  QAction* templates = file->addAction(QStringLiteral("打开模板文件夹"), this, &MainWindow::openTemplateFolder);
  templates->setObjectName(QStringLiteral("templateFolderAction"));
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("退出"), this, &QWidget::close);
  quit->setObjectName(QStringLiteral("quitAction"));
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
  help->setObjectName(QStringLiteral("helpMenu"));
  QAction* guide = help->addAction(QStringLiteral("使用说明"), this, &MainWindow::showHelp);
  guide->setObjectName(QStringLiteral("helpAction"));
  guide->setShortcut(QKeySequence::HelpContents);
  QAction* about = help->addAction(QStringLiteral("关于"), this, &MainWindow::showAbout);
  about->setObjectName(QStringLiteral("aboutAction"));
  layout()->setMenuBar(bar);
}

void MainWindow::editProject() {
  forms::editProject(context_.interaction, this, forms::rememberedProject(context_.interaction),
                     QStringLiteral("用于此后打开的输入窗口（已打开的窗口在其“文件”菜单中修改）。"));
}

void MainWindow::showHelp() {
  context_.interaction.showMessage(
      this, QStringLiteral(
                "使用说明\n\n"
                "1. 在本窗口中选择柱脚类型，按“输入设计参数”打开输入窗口。\n"
                "2. 输入柱截面、材料和柱底内力（长度 mm，力 kN，弯矩 kN·m，小数点用“.”），按“计算”。\n"
                "3. “查看结果”显示主要结果和柱脚图，“打印计算书”生成 Word 计算书并用文字处理软件打开。\n"
                "4. 有验算不满足或计算未完成时，“自动调整”寻找满足全部验算、用钢量最小的设计，列出改动的输入"
                "（原值 → 新值），按“采用”写入输入窗口并重新计算。\n"
                "5. 输入窗口的“文件”菜单保存、打开设计文件（.pedivo），并填写计算书首页的项目信息"
                "（工程名称、工程编号、构件编号、设计、校对、审核、日期）。\n"
                "6. “文件 > 批量设计…”（Ctrl+B）逐行设计一个 CSV 表格中的柱脚，结果可存为 CSV 或 Excel 工作簿，"
                "每行的“提示”栏说明计算结果或出错的原因；勾选“未满足的行自动调整”时另列出各行自动调整的改动和用钢量。\n"
                "7. “文件 > 打开模板文件夹”打开用户的计算书模板文件夹：放在其中的模板（如 j1.docx）优先于程序自带的模板。"));
}

void MainWindow::showAbout() {
  context_.interaction.showMessage(
      this, QStringLiteral("Pedivo 柱脚设计  版本 %1\n\n钢结构房屋中 H 型钢柱柱脚的设计计算程序：外露式铰接柱脚"
                           "（两锚栓、四锚栓）、外露式刚接柱脚（八锚栓、十锚栓、T型靴梁、槽型靴梁）和插入式刚接柱脚。")
                .arg(QString::fromStdString(std::string(softwareVersion()))));
}

// The folder opens in the desktop's file manager; its note says how a template placed there is used.
void MainWindow::openTemplateFolder() {
  const DataFolders folders = context_.folders();
  if (const auto error = makeUserTemplateFolder(folders)) {
    context_.interaction.showMessage(this, QString::fromStdString(*error));
    return;
  }
  const QString path = QString::fromStdString(userTemplateFolder(folders).string());
  if (!context_.interaction.openFolder(path))
    context_.interaction.showMessage(
        this, QStringLiteral("模板文件夹为“%1”，但没有找到可以打开它的文件管理器。").arg(path));
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
