#include <QApplication>
#include <QGroupBox>
#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTimer>
#include <QPointer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_window.h"
#include "design/files/software_version.h"
#include "forms/appearance.h"
#include "forms/batch_window.h"
#include "forms/input_window.h"
#include "forms/project_dialog.h"
#include "forms/translations.h"
#include "recording_interaction.h"
#include "tests/design/package_part.h"

using pedivo::app::MainWindow;
using pedivo::forms::AppContext;
using pedivo::forms::RecordingInteraction;

namespace {

QImage shownPicture(const MainWindow& window) {
  return window.findChild<QLabel*>("Image1")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage fileImage(const QString& path) { return QImage(path).convertToFormat(QImage::Format_RGB32); }

QStringList openInputWindows() {
  QStringList names;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName().startsWith("TForm") && widget->objectName() != "TForm1" && widget->isVisible())
      names.append(widget->objectName());
  names.sort();
  return names;
}

void closeInputWindows() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() != "TForm1") widget->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  QString appFolder = QCoreApplication::applicationDirPath() + "/";

 private slots:
  void cleanup() { closeInputWindows(); }

  // A Chinese program shows Qt's own texts in Chinese: the message box's button reads "确定".
  void standardButtonsSpeakChinese() {
    QVERIFY(pedivo::forms::installChineseTranslations(*QCoreApplication::instance()));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pedivo"), QStringLiteral("计算完毕！"), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("确定"));
  }

  void startsWithTheEightBoltBaseSelected() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    QCOMPARE(window.objectName(), QString("TForm1"));
    QCOMPARE(window.windowTitle(), QString("Pedivo V1.0"));
    // A window of fixed size that shows all of itself: the menu bar above the options, and no option,
    // group or button cut off at an edge.
    QCOMPARE(window.minimumSize(), window.maximumSize());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect client = window.rect();
    const auto* menuBar = window.findChild<QMenuBar*>("menuBar");
    for (const char* name : {"RadioButton10", "RadioButton11", "RadioButton12", "RadioButton3", "RadioButton5",
                             "RadioButton13", "RadioButton14", "RadioButton15", "GroupBox1", "GroupBox3", "Button1"}) {
      const auto* part = window.findChild<QWidget*>(name);
      QVERIFY2(part != nullptr, name);
      const QRect shown(part->mapTo(&window, QPoint(0, 0)), part->size());
      QVERIFY2(client.contains(shown), name);
      QVERIFY2(shown.top() >= menuBar->sizeHint().height(), name);
    }
    const std::vector<std::pair<const char*, const char*>> options{
        {"RadioButton10", "两锚栓"}, {"RadioButton11", "四锚栓"}, {"RadioButton12", "无靴梁的板式柱脚"},
        {"RadioButton3", "八锚栓"}, {"RadioButton5", "十锚栓"}, {"RadioButton13", "T型靴梁的板式柱脚"},
        {"RadioButton14", "槽型靴梁的板式柱脚"}, {"RadioButton15", "插入式刚接柱脚"}};
    for (const auto& [name, caption] : options) {
      auto* option = window.findChild<QRadioButton*>(name);
      QVERIFY2(option != nullptr, name);
      QCOMPARE(option->text(), QString(caption));
    }
    QVERIFY(window.findChild<QRadioButton*>("RadioButton12")->isChecked());
    QVERIFY(window.findChild<QRadioButton*>("RadioButton3")->isChecked());
    QVERIFY(window.findChild<QGroupBox*>("GroupBox1")->isEnabled());
    QCOMPARE(window.findChild<QGroupBox*>("GroupBox1")->title(), QString("柱脚锚栓数"));
    QCOMPARE(window.findChild<QGroupBox*>("GroupBox3")->title(), QString("柱脚图示"));
    // The diagram shows at the size the base types' pictures are drawn for, inside its group.
    const auto* picture = window.findChild<QLabel*>("Image1");
    const pedivo::WindowSize drawn = pedivo::ModuleDescriptor{}.imageSize;
    QCOMPARE(picture->size(), QSize(drawn.width, drawn.height));
    QVERIFY(window.findChild<QGroupBox*>("GroupBox3")->rect().contains(
        QRect(picture->mapTo(window.findChild<QGroupBox*>("GroupBox3"), QPoint(0, 0)), picture->size())));
    auto* button = window.findChild<QPushButton*>("Button1");
    QCOMPARE(button->text(), QString("输入设计参数"));
    QVERIFY(button->font().bold());
    QCOMPARE(button->font().pixelSize(), 14);
  }

  void optionsSwitchTheBoltGroupAndThePicture() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    auto* group = window.findChild<QGroupBox*>("GroupBox1");
    auto* eight = window.findChild<QRadioButton*>("RadioButton3");

    window.findChild<QRadioButton*>("RadioButton13")->click();
    QVERIFY(!group->isEnabled());
    QVERIFY(!eight->isEnabled());
    QCOMPARE(group->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(128, 128, 128));
    QCOMPARE(eight->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(128, 128, 128));
    QVERIFY(eight->isChecked());  // the bolt count is kept while greyed
    QCOMPARE(shownPicture(window), fileImage(appFolder + "g2.bmp"));

    window.findChild<QRadioButton*>("RadioButton12")->click();
    QVERIFY(group->isEnabled());
    QCOMPARE(group->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 0));
    QCOMPARE(shownPicture(window), fileImage(appFolder + "g11.bmp"));

    window.findChild<QRadioButton*>("RadioButton5")->click();
    QCOMPARE(shownPicture(window), fileImage(appFolder + "g12.bmp"));
    window.findChild<QRadioButton*>("RadioButton15")->click();
    QCOMPARE(shownPicture(window), fileImage(appFolder + "gc.bmp"));
    window.findChild<QRadioButton*>("RadioButton12")->click();
    QCOMPARE(shownPicture(window), fileImage(appFolder + "g12.bmp"));  // the kept choice of ten bolts

    for (const auto& [name, file] : std::vector<std::pair<const char*, const char*>>{
             {"RadioButton10", "j2.bmp"}, {"RadioButton11", "j4.bmp"}, {"RadioButton14", "g3.bmp"}}) {
      window.findChild<QRadioButton*>(name)->click();
      QVERIFY(!group->isEnabled());
      QCOMPARE(shownPicture(window), fileImage(appFolder + file));
    }
    QVERIFY(desktop.messages.isEmpty());
  }

  void bitmapsThatCannotBeOpenedLeaveThePictureAndNameTheFile() {
    QTemporaryDir empty;
    RecordingInteraction desktop;
    AppContext context{desktop, empty.path() + "/"};
    MainWindow window(context);
    const QImage before = shownPicture(window);
    window.findChild<QRadioButton*>("RadioButton10")->click();
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].contains(empty.path() + "/j2.bmp"));
    QCOMPARE(shownPicture(window), before);
    QVERIFY(!window.findChild<QGroupBox*>("GroupBox1")->isEnabled());  // the enabling change stays
    window.findChild<QPushButton*>("Button1")->click();
    QCOMPARE(openInputWindows(), QStringList{"TForm2"});
  }

  void openButtonOpensOneIndependentWindowOfTheSelectedType() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    window.findChild<QRadioButton*>("RadioButton5")->click();
    window.findChild<QPushButton*>("Button1")->click();
    QCOMPARE(openInputWindows(), QStringList{"TForm5"});
    closeInputWindows();

    const std::vector<std::pair<const char*, const char*>> choices{
        {"RadioButton10", "TForm2"}, {"RadioButton11", "TForm3"}, {"RadioButton13", "TForm6"},
        {"RadioButton14", "TForm7"}, {"RadioButton15", "TForm8"}};
    for (const auto& [option, form] : choices) {
      window.findChild<QRadioButton*>(option)->click();
      window.findChild<QPushButton*>("Button1")->click();
      window.findChild<QPushButton*>("Button1")->click();
      QCOMPARE(openInputWindows(), (QStringList{form, form}));
      closeInputWindows();
    }
  }

  // A design file opens the input window of its own base type, with its entries and its name.
  void designFileOpensTheWindowOfItsBaseType() {
    QTemporaryDir folder;
    const QString path = folder.filePath("foot.pedivo");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"module": "g2", "entries": {"EdtM": "250"}, "cbsize": false})");
    file.close();
    RecordingInteraction desktop;
    desktop.filesToOpen = {path};
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    window.findChild<QAction*>("openDesignAction")->trigger();
    QCOMPARE(openInputWindows(), QStringList{"TForm6"});
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == "TForm6") {
        QCOMPARE(widget->findChild<QLineEdit*>("EdtM")->text(), QString("250"));
        QVERIFY(!widget->findChild<QCheckBox*>("cbsize")->isChecked());
        QVERIFY(widget->windowTitle().endsWith("foot.pedivo"));
      }
    closeInputWindows();

    desktop.filesToOpen = {folder.filePath("missing.pedivo")};
    window.findChild<QAction*>("openDesignAction")->trigger();
    QCOMPARE(openInputWindows(), QStringList{});
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages.front().contains("missing.pedivo"));
  }

  // A building's column feet from one table: every row designed, failing ones marked red, the
  // results saved, and a row opened in its input window.
  void batchWindowDesignsATableAndOpensARow() {
    QTemporaryDir folder;
    const QString table = folder.filePath("feet.csv");
    QFile file(table);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFid,module,EdtN,EdtV,EdtM\nC1,j1,80,40,\nC2,j1,3000,100,\nC3,gc,80,40,300\nC4,zz,,,\n");
    file.close();
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    window.findChild<QAction*>("batchAction")->trigger();
    pedivo::forms::BatchWindow* batch = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == "BatchWindow") batch = qobject_cast<pedivo::forms::BatchWindow*>(widget);
    QVERIFY(batch != nullptr);
    desktop.filesToOpen = {table};
    batch->findChild<QPushButton*>("openTableButton")->click();
    auto* results = batch->findChild<QTableView*>("resultTable");
    QAbstractItemModel* model = results->model();
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->index(0, 0).data().toString(), QString("C1"));
    const auto colour = [&](int row) { return model->index(row, 0).data(Qt::ForegroundRole).value<QColor>(); };
    QVERIFY(colour(0) != QColor(190, 0, 0));    // a sound design
    QCOMPARE(colour(1), QColor(190, 0, 0));     // fails its checks
    QCOMPARE(colour(3), QColor(190, 0, 0));     // cannot be designed
    QCOMPARE(batch->findChild<QProgressBar*>("progressBar")->value(), 4);
    // A row's message next to its number: why C4 was not designed is read without scrolling.
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("提示"));
    QVERIFY(model->index(0, 1).data().toString().startsWith("计算完毕！"));
    QVERIFY(model->index(3, 1).data().toString().contains("柱脚类型“zz”未知"));
    QVERIFY(model->index(3, 1).data(Qt::ToolTipRole).toString().contains("柱脚类型“zz”未知"));

    const QString saved = folder.filePath("results.csv");
    desktop.filesToSave = {saved};
    batch->findChild<QPushButton*>("saveResultsButton")->click();
    QFile out(saved);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QVERIFY(out.readAll().startsWith("\xEF\xBB\xBF\"编号\""));
    desktop.filesToSave = {folder.filePath("results.xlsx")};
    batch->findChild<QPushButton*>("saveResultsButton")->click();
    QFile workbook(folder.filePath("results.xlsx"));
    QVERIFY(workbook.open(QIODevice::ReadOnly));
    QVERIFY(workbook.read(2) == "PK");  // an Office Open XML package

    results->setCurrentIndex(model->index(2, 0));
    desktop.messages.clear();
    batch->findChild<QPushButton*>("openRowButton")->click();
    QVERIFY(openInputWindows().contains("TForm8"));
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* input = qobject_cast<pedivo::forms::InputWindow*>(widget)) {
        // Opened designed, as in the table, without repeating its messages.
        QCOMPARE(input->findChild<QLineEdit*>("EdtM")->text(), QString("300"));
        QCOMPARE(input->session().results().fields.front().text, std::string("910"));
      }
    QVERIFY(desktop.messages.isEmpty());

    // With 自动调整 ticked, a row that does not pass gets its proposal's changes and weight.
    const QString tenBolts = folder.filePath("ten.csv");
    QFile ten(tenBolts);
    QVERIFY(ten.open(QIODevice::WriteOnly));
    ten.write("module,Edthc,Edtbf,Edttw,Edttf,EdtN,EdtV,CBf,CBfta,CBfc,EdtM,cbsize\n"
              "g12,294,200,8,12,563,78,Q235,Q235,C35,28,1\n"
              "g12,294,200,8,12,563,78,Q500,Q235,C35,28,1\n");
    ten.close();
    batch->findChild<QCheckBox*>("adjustRowsBox")->setChecked(true);
    QVERIFY(batch->runTable(tenBolts));
    const int last = model->columnCount() - 1;
    QCOMPARE(model->headerData(last, Qt::Horizontal).toString(), QString("自动调整用钢量（kg）"));
    QVERIFY(model->index(0, last - 1).data().toString().startsWith("module=g11；"));
    QVERIFY(model->index(0, last).data().toDouble() > 0);
    // A row refused while its cells are read keeps its message and gets no proposal.
    QVERIFY(model->index(1, 1).data().toString().contains("Q500"));
    QVERIFY(model->index(1, last - 1).data().toString().isEmpty());
    QVERIFY(model->index(1, last).data().toString().isEmpty());
    batch->close();
    closeInputWindows();
  }

  // A flange too narrow for any plate layout: 自动调整 proposes a boot-beam base, says so, shows the
  // failing utilisation in red, and "采用" opens that type's window designed with the entries,
  // leaving the eight-bolt window as it was, its title naming its type.
  void adoptingAnotherTypeOpensItsWindowAndKeepsThisOne() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow main(context);
    main.findChild<QRadioButton*>("RadioButton12")->click();
    main.findChild<QRadioButton*>("RadioButton3")->click();
    main.findChild<QPushButton*>("Button1")->click();  // the eight-bolt base
    pedivo::forms::InputWindow* eight = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* input = qobject_cast<pedivo::forms::InputWindow*>(widget)) eight = input;
    QVERIFY(eight != nullptr);
    const std::pair<const char*, const char*> narrow[] = {{"Edthc", "250"}, {"Edtbf", "125"}, {"Edttw", "6"},
                                                          {"Edttf", "9"},   {"EdtN", "120"},  {"EdtV", "12"},
                                                          {"EdtM", "40"}};
    for (const auto& [name, text] : narrow) eight->findChild<QLineEdit*>(name)->setText(text);
    eight->findChild<QComboBox*>("CBfc")->setCurrentText("C30");
    eight->findChild<QPushButton*>("Button1")->click();
    const pedivo::Entries before = eight->session().entries();
    QString heading;
    QColor failing;
    desktop.inspectModal = [&](QDialog& dialog) {
      heading = dialog.findChild<QLabel*>("adjustHeading")->text();
      const auto* ratios = dialog.findChild<QTableWidget*>("adjustChecks");
      for (int row = 0; row < ratios->rowCount(); ++row)
        if (ratios->item(row, 0)->text() == "加劲肋布置宽度") failing = ratios->item(row, 1)->foreground().color();
      if (const QByteArray folder = qgetenv("PEDIVO_SCREENSHOT_DIR"); !folder.isEmpty()) {
        dialog.show();
        dialog.grab().save(QString::fromUtf8(folder) + "/adjust_type_change.png");
      }
      dialog.findChild<QPushButton*>("adoptButton")->click();
    };
    desktop.messages.clear();
    eight->findChild<QPushButton*>("ButtonAdjust")->click();
    desktop.inspectModal = nullptr;
    QVERIFY2(heading.startsWith("本类型在可调整范围内没有满足要求的设计，建议改用"), qPrintable(heading));
    QCOMPARE(failing, QColor(255, 0, 0));
    const QStringList open = openInputWindows();
    QCOMPARE(open.size(), 2);
    QCOMPARE(eight->session().module().id, std::string("g11"));
    pedivo::forms::InputWindow* other = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* input = qobject_cast<pedivo::forms::InputWindow*>(widget); input != nullptr && input != eight)
        other = input;
    QVERIFY(other != nullptr);
    QVERIFY(heading.contains(QString::fromStdString(other->session().module().title)));
    QVERIFY(other->session().designed());
    QCOMPARE(other->findChild<QLineEdit*>("EdtN")->text(), QString("120"));
    QVERIFY(!other->findChild<QCheckBox*>("cbsize")->isChecked());
    QCOMPARE(desktop.messages, QStringList{"计算完毕！"});
    // The eight-bolt window keeps its entries and its failing design.
    QCOMPARE(eight->session().entries().texts, before.texts);
    QVERIFY(eight->windowTitle().contains("八锚栓刚接柱脚"));
  }

  // 生成计算书: one report a selected row, in the folder the user picks, named by the row's id,
  // each with its drawing; a file already there keeps its name, and the folder is shown.
  void batchWindowWritesAReportForEachSelectedRow() {
    QTemporaryDir folder;
    const QString table = folder.filePath("rows.csv");
    QFile file(table);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("module,id,EdtN\nj1,KZ-1,80\ng11,KZ-2,900\nzz,KZ-3,80\ngc,,80\n");
    file.close();
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    pedivo::forms::BatchWindow batch(context, {});
    batch.resize(1100, 420);
    batch.show();
    QVERIFY(batch.runTable(table));
    auto* button = batch.findChild<QPushButton*>("reportsButton");
    QVERIFY(button != nullptr && button->isEnabled());
    QCOMPARE(button->text(), QString("生成计算书…"));
    auto* view = batch.findChild<QTableView*>("resultTable");
    QCOMPARE(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    for (const int row : {0, 1, 2, 3}) view->selectionModel()->select(view->model()->index(row, 0),
                                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString out = folder.filePath("reports");
    QVERIFY(QDir().mkpath(out));
    QFile old(out + "/KZ-1.docx");  // the user's own file of that name
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("mine");
    old.close();
    desktop.foldersToChoose << out;
    button->click();
    if (const QByteArray shot = qgetenv("PEDIVO_SCREENSHOT"); !shot.isEmpty()) batch.grab().save(QString::fromUtf8(shot));
    QCOMPARE(desktop.openedFolders, QStringList{out});
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
             (QStringList{"4.docx", "KZ-1 (2).docx", "KZ-1.docx", "KZ-2.docx"}));
    QFile kept(out + "/KZ-1.docx");
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("mine"));
    const auto png = pedivo::testing::packagePart((out + "/KZ-2.docx").toStdString(), "word/media/pedivo-drawing.png");
    QVERIFY(png.has_value() && png->size() > 10000);
    // The row that could not be read is told, with its id.
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages.front().contains("编号 KZ-3 没有计算书"));
    QVERIFY(batch.findChild<QLabel*>("summaryLabel")->text().contains("生成 3 份计算书"));
  }

  // Closed in the middle of a run: the run stops at the next batch and the window goes after it,
  // never while its run is still on the stack.
  void closingTheBatchWindowWhileItDesignsStopsTheRunFirst() {
    QTemporaryDir folder;
    const QString table = folder.filePath("many.csv");
    QFile file(table);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("module,EdtN\n");
    for (int i = 0; i < 3000; ++i) file.write(QByteArray("g2,") + QByteArray::number(100 + i % 900) + "\n");
    file.close();
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    QPointer<pedivo::forms::BatchWindow> batch = new pedivo::forms::BatchWindow(context, {});
    batch->show();
    QTimer::singleShot(0, batch, [&] { batch->close(); });
    QVERIFY(batch->runTable(table));
    QVERIFY(!batch.isNull());  // still there when the run returns
    QVERIFY(batch->results().rowCount() < 3000);
    QVERIFY(batch->findChild<QLabel*>("summaryLabel")->text().contains("已取消"));
    QTRY_VERIFY(batch.isNull());  // then closed, and deleted
  }

  // Every command is in the menu bar; the context menu and the shortcuts are as they were.
  void menuBarOffersEveryCommand() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    auto* bar = window.findChild<QMenuBar*>("menuBar");
    QVERIFY(bar != nullptr);
    const auto names = [](QMenu* menu) {
      QStringList list;
      for (QAction* action : menu->actions())
        if (!action->isSeparator()) list.append(action->objectName() + ":" + action->text());
      return list;
    };
    QCOMPARE(names(bar->findChild<QMenu*>("fileMenu")),
             (QStringList{"openDesignAction:打开设计文件…", "batchAction:批量设计…", "projectAction:项目信息…",
                          "templateFolderAction:打开模板文件夹", "quitAction:退出"}));
    QCOMPARE(names(bar->findChild<QMenu*>("helpMenu")), (QStringList{"helpAction:使用说明", "aboutAction:关于"}));
    QCOMPARE(window.contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList rightClick;
    for (QAction* action : window.actions()) rightClick.append(action->objectName());
    QCOMPARE(rightClick, (QStringList{"openDesignAction", "batchAction"}));
    QCOMPARE(window.findChild<QAction*>("openDesignAction")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(window.findChild<QAction*>("batchAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));

    window.findChild<QAction*>("aboutAction")->trigger();
    window.findChild<QAction*>("helpAction")->trigger();
    QCOMPARE(desktop.messages.size(), 2);
    QVERIFY(desktop.messages[0].contains("Pedivo") &&
            desktop.messages[0].contains("版本 " + QString::fromStdString(std::string(pedivo::softwareVersion()))));
    QVERIFY(desktop.messages[1].contains("输入设计参数") && desktop.messages[1].contains("项目信息"));
  }

  // 打开模板文件夹 makes the user's template folder on first use and shows it in the file manager;
  // without a home folder it says why instead.
  void templateFolderIsMadeAndShown() {
    QTemporaryDir home;
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    context.data.user = (home.path() + "/share/pedivo").toStdString();
    MainWindow window(context);
    window.findChild<QAction*>("templateFolderAction")->trigger();
    const QString folder = home.path() + "/share/pedivo/templates";
    QCOMPARE(desktop.openedFolders, QStringList{folder});
    QVERIFY(QFileInfo(folder + "/说明.txt").isFile());
    QVERIFY(desktop.messages.isEmpty());

    desktop.canOpenDocuments = false;
    window.findChild<QAction*>("templateFolderAction")->trigger();
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].contains(folder));

    RecordingInteraction homeless;
    AppContext noHome{homeless, appFolder};
    MainWindow other(noHome);
    other.findChild<QAction*>("templateFolderAction")->trigger();
    QVERIFY(homeless.openedFolders.isEmpty());
    QCOMPARE(homeless.messages.size(), 1);
    QVERIFY(homeless.messages[0].contains("模板文件夹"));
  }

  // The project block: confirmed once, remembered, given to new windows, saved with a design,
  // printed in the report, and a design file's own block wins over the remembered one.
  void projectInformationReachesWindowsFilesAndReports() {
    QTemporaryDir folder;
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    const auto fill = [&](std::map<QString, QString> texts, bool confirm) {
      desktop.inspectModal = [texts, confirm](QDialog& dialog) {
        QCOMPARE(dialog.objectName(), QString("ProjectDialog"));
        for (const auto& [name, text] : texts) dialog.findChild<QLineEdit*>(name)->setText(text);
        confirm ? dialog.accept() : dialog.reject();
      };
    };
    fill({{"project_name", "某厂房"}, {"project_designer", "张工"}}, true);
    window.findChild<QAction*>("projectAction")->trigger();
    QCOMPARE(desktop.choices["project/name"], QString("某厂房"));
    QCOMPARE(desktop.choices["project/designer"], QString("张工"));
    fill({{"project_name", "取消的名称"}}, false);
    window.findChild<QAction*>("projectAction")->trigger();
    QCOMPARE(desktop.choices["project/name"], QString("某厂房"));  // cancelled: nothing changes
    QCOMPARE(desktop.fields["project_name"], QString("某厂房"));  // the dialog opened with the remembered block

    window.findChild<QPushButton*>("Button1")->click();
    pedivo::forms::InputWindow* input = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<pedivo::forms::InputWindow*>(widget)) input = found;
    QVERIFY(input != nullptr);
    QCOMPARE(input->session().project().name, std::string("某厂房"));

    fill({{"project_member", "KZ-7"}}, true);
    input->findChild<QAction*>("projectAction")->trigger();
    QCOMPARE(desktop.fields["project_designer"], QString("张工"));  // opened with the window's block
    QCOMPARE(input->session().project().member, std::string("KZ-7"));
    bool printed = false;
    for (const auto& tag : input->session().report())
      if (tag.tag == "<#project.member>") printed = tag.text == "KZ-7";
    QVERIFY(printed);

    const QString path = folder.filePath("kz7.pedivo");
    QVERIFY(input->saveDesign(path));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(saved.readAll()).contains("\"member\": \"KZ-7\""));
    desktop.choices["project/member"] = "KZ-1";
    QVERIFY(window.openDesign(path));
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* opened = qobject_cast<pedivo::forms::InputWindow*>(widget); opened != nullptr && opened != input)
        QCOMPARE(opened->session().project().member, std::string("KZ-7"));
    QVERIFY(desktop.messages.isEmpty());
  }

  // The dialog counts characters as the files and pedivo-calc do (code points, not UTF-16 units):
  // 200 emoji or 100 letters each with a combining mark are kept whole; one more, or a line
  // break, keeps the dialog open with the reason, and nothing is cut.
  void projectDialogCountsCharactersAndKeepsEveryOne() {
    QString emoji, marked;
    for (int i = 0; i < 200; ++i) emoji += QString::fromUtf8("😀");
    for (int i = 0; i < 100; ++i) marked += QString::fromUtf8("e\u0301");
    for (const QString& text : {emoji, marked}) {
      pedivo::forms::ProjectDialog dialog({}, QString());
      auto* name = dialog.findChild<QLineEdit*>("project_name");
      name->setText(text + "x");
      QCOMPARE(name->text(), text + "x");  // nothing cut while typing or pasting
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
      QCOMPARE(dialog.findChild<QLabel*>("projectProblem")->text(), QString("项目信息“工程名称”过长（最多 200 个字符）"));
      name->setText(text);
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      QCOMPARE(QString::fromStdString(dialog.project().name), text);
    }
    pedivo::forms::ProjectDialog dialog({}, QString());
    dialog.findChild<QLineEdit*>("project_member")->setText("KZ\t1");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.findChild<QLabel*>("projectProblem")->text(),
             QString("项目信息“构件编号”含有换行或其他控制字符，只能是一行文字"));
  }

  void closingTheMainWindowClosesEveryInputWindow() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    MainWindow window(context);
    window.show();
    window.findChild<QPushButton*>("Button1")->click();
    window.findChild<QRadioButton*>("RadioButton15")->click();
    window.findChild<QPushButton*>("Button1")->click();
    QCOMPARE(openInputWindows(), (QStringList{"TForm4", "TForm8"}));
    window.close();
    QCOMPARE(openInputWindows(), QStringList{});
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
