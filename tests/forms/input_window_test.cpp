#include <QCheckBox>
#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <set>

#include "design/common/input_checks.h"
#include "design/common/module.h"
#include "design/common/tables.h"
#include "design/files/software_version.h"
#include "forms/input_window.h"
#include "forms/result_window.h"
#include "recording_interaction.h"
#include "../design/package_part.h"

using namespace pedivo;
using pedivo::forms::AppContext;
using pedivo::forms::InputWindow;
using pedivo::forms::RecordingInteraction;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

void setText(InputWindow& window, const char* name, const QString& text) {
  window.findChild<QLineEdit*>(name)->setText(text);
}

void press(InputWindow& window, const QString& button) { window.findChild<QPushButton*>(button)->click(); }

// A ten-bolt base that nothing within reach makes pass: 自动调整 tries its thousand designs.
const std::pair<const char*, const char*> slowSearch[] = {{"EdtN", "90000"}, {"EdtM", "90000"}, {"EdtV", "9000"}};

}  // namespace

class InputWindowTest : public QObject {
  Q_OBJECT
  QString appFolder = QCoreApplication::applicationDirPath() + "/";
  QTemporaryDir temp;

 private slots:
  void initTestCase() {
    QVERIFY(temp.isValid());
    qputenv("TMPDIR", temp.path().toUtf8());  // reports go here
  }

  void everyWindowIsBuiltFromItsDescriptor() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    for (const ModuleDescriptor* module : allModules()) {
      InputWindow window(*module, context);
      const QString form = qs(module->formName);
      QCOMPARE(window.objectName(), form);
      // Every title names its base type: two types share "铰接柱脚", two "无靴梁柱脚".
      QVERIFY(window.windowTitle().startsWith(qs(module->caption)));
      QVERIFY(window.windowTitle().contains(qs(module->title)));
      QCOMPARE(window.minimumSize(), window.maximumSize());
      // A window of a given size keeps at least that size; the 荷载组合 table may ask for more.
      if (module->clientSize.width > 0) {
        QVERIFY(window.width() >= module->clientSize.width);
        QVERIFY(window.height() >= module->clientSize.height);
      }
      QVERIFY2(window.size().width() >= window.minimumSizeHint().width(),
               qPrintable(form + " " + QString::number(window.size().width()) + " < " +
                          QString::number(window.minimumSizeHint().width())));
      for (const auto& group : module->groups) {
        auto* box = window.findChild<QGroupBox*>(qs(group.name));
        QVERIFY2(box != nullptr, qPrintable(form + " " + qs(group.name)));
        QCOMPARE(box->title(), qs(group.caption));
        for (const auto& entry : group.controls) {
          if (entry.isList()) {
            auto* list = window.findChild<QComboBox*>(qs(entry.name));
            QVERIFY2(list != nullptr, qPrintable(form + " " + qs(entry.name)));
            QVERIFY(!list->isEditable());
            QCOMPARE(list->currentText(), qs(entry.defaultText));
            // Grade lists show the grades of the edition the window starts with.
            const auto byEdition = editionItems(entry.name, tables::CodeEdition::Gb2003);
            QCOMPARE(list->count(), static_cast<int>(byEdition ? byEdition->size() : entry.items.size()));
          } else {
            auto* edit = window.findChild<QLineEdit*>(qs(entry.name));
            QVERIFY2(edit != nullptr, qPrintable(form + " " + qs(entry.name)));
            QCOMPARE(edit->text(), qs(entry.defaultText));
            QVERIFY(!edit->testAttribute(Qt::WA_InputMethodEnabled));
          }
        }
      }
      QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QString("柱脚示意图"));
      QCOMPARE(window.findChild<QLabel*>("Image1")->size(), QSize(module->imageSize.width, module->imageSize.height));
      QCOMPARE(window.findChild<QPushButton*>("Button1")->text(), QString("计算"));
      QCOMPARE(window.findChild<QPushButton*>("Button5")->text(), QString("查看结果"));
      QCOMPARE(window.findChild<QPushButton*>(qs(module->reportButton))->text(), QString("打印计算书"));
      auto* cbsize = window.findChild<QCheckBox*>("cbsize");
      QCOMPARE(cbsize != nullptr, module->hasDetailingToggle);
      if (cbsize != nullptr) {
        QVERIFY(cbsize->isChecked());
        QVERIFY(!window.findChild<QGroupBox*>("GroupBox4")->isEnabled());
      }
    }
  }

  // Switching the code edition carries Q345 over as Q355 and back; a grade the other edition
  // lacks falls back to Q235 with a message. New windows start with the edition chosen last.
  void editionSwitchMapsTheGradesAndIsRemembered() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    auto* code = window.findChild<QComboBox*>("CBcode");
    auto* steel = window.findChild<QComboBox*>("CBf");
    auto* bolts = window.findChild<QComboBox*>("CBfta");
    QCOMPARE(code->currentText(), QString("GB 50017-2003"));
    const auto choose = [&](const QString& edition) {
      code->setCurrentText(edition);
      emit code->activated(code->currentIndex());
    };
    steel->setCurrentText("Q345");
    bolts->setCurrentText("Q345");
    choose("GB 50017-2017");
    QCOMPARE(steel->currentText(), QString("Q355"));
    QCOMPARE(bolts->currentText(), QString("Q355"));
    QCOMPARE(steel->count(), 5);
    QVERIFY(desktop.messages.isEmpty());
    QCOMPARE(window.session().entries().texts.at("CBcode"), std::string("GB 50017-2017"));
    choose("GB 50017-2003");
    QCOMPARE(steel->currentText(), QString("Q345"));
    QCOMPARE(bolts->currentText(), QString("Q345"));

    choose("GB 50017-2017");
    steel->setCurrentText("Q460");
    bolts->setCurrentText("Q390");
    choose("GB 50017-2003");
    QCOMPARE(steel->currentText(), QString("Q235"));
    QCOMPARE(bolts->currentText(), QString("Q235"));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].contains("钢材牌号“Q460”"));
    QVERIFY(desktop.messages[0].contains("锚栓牌号“Q390”"));

    choose("GB 50017-2017");
    InputWindow next(*findModule("j1"), context);
    QCOMPARE(next.findChild<QComboBox*>("CBcode")->currentText(), QString("GB 50017-2017"));
    QCOMPARE(next.findChild<QComboBox*>("CBf")->count(), 5);
    press(next, "Button1");
    QCOMPARE(desktop.messages.last(), QString("计算完毕！"));
  }

  void detailingToggleSwitchesThePlateSizesAndKeepsTheirTexts() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g2"), context);
    auto* cbsize = window.findChild<QCheckBox*>("cbsize");
    auto* group = window.findChild<QGroupBox*>("GroupBox4");
    setText(window, "Edtsizea", "85");
    const auto labelColours = [&](QPalette::ColorGroup state) {
      QSet<QRgb> colours;
      colours.insert(group->palette().color(state, QPalette::WindowText).rgb());
      for (QLabel* label : group->findChildren<QLabel*>()) colours.insert(label->palette().color(state, QPalette::WindowText).rgb());
      return colours;
    };
    QCOMPARE(group->findChildren<QLabel*>().size(), 8);
    QCOMPARE(labelColours(QPalette::Disabled), QSet<QRgb>{QColor(128, 128, 128).rgb()});

    cbsize->click();
    QVERIFY(group->isEnabled());
    for (const char* name : {"Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"}) QVERIFY(window.findChild<QLineEdit*>(name)->isEnabled());
    QCOMPARE(labelColours(QPalette::Active), QSet<QRgb>{QColor(0, 0, 0).rgb()});

    cbsize->click();
    QVERIFY(!group->isEnabled());
    QVERIFY(!window.findChild<QLineEdit*>("Edtsizebt")->isEnabled());
    QCOMPARE(window.findChild<QLineEdit*>("Edtsizea")->text(), QString("85"));
    QCOMPARE(window.findChild<QLineEdit*>("Edtsizec")->text(), QString("60"));
  }

  void calculateReportsTheFirstFailedCheckAndFocusesItsEntry() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("j1"), context);
    setText(window, "Edttw", "0");
    setText(window, "Edtbf", "-3");
    press(window, "Button1");
    QCOMPARE(desktop.messages, QStringList{"柱翼缘宽度必须大于0"});
    QCOMPARE(desktop.focused, QStringList{"Edtbf"});

    // A plate size in the switched-off group is still checked but cannot take the focus.
    desktop.messages.clear();
    desktop.focused.clear();
    setText(window, "Edtsizea", "0");
    press(window, "Button1");
    QCOMPARE(desktop.messages, QStringList{"底板尺寸a必须大于0"});
    QCOMPARE(desktop.focused, QStringList{});

    desktop.messages.clear();
    setText(window, "Edtsizea", "七十");
    press(window, "Button1");
    QCOMPARE(desktop.messages, QStringList{"“七十”不是有效的数值"});
  }

  void resultsAreFreshModalSnapshotsOfTheLastCalculation() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("j1"), context);
    press(window, "Button5");
    QCOMPARE(desktop.modalRuns, 1);
    QCOMPARE(desktop.lastModalName, QString("TForm9"));
    QCOMPARE(desktop.lastModalTitle, QString("计算结果"));
    QCOMPARE(desktop.modality, Qt::ApplicationModal);
    QCOMPARE(desktop.fields["EdtL"], QString("0"));
    QCOMPARE(desktop.fields["edtshear"], QString("不需要"));

    press(window, "Button1");
    QCOMPARE(desktop.messages, QStringList{"计算完毕！"});
    press(window, "Button5");
    QCOMPARE(desktop.fields["EdtL"], QString("490"));
    QCOMPARE(desktop.fields["Edttpb"], QString("20"));
    QCOMPARE(desktop.fields["edtshear"], QString("需要"));

    QString status;
    desktop.inspectModal = [&](QDialog& dialog) {
      auto* line = dialog.findChild<QLabel*>("designStatus");
      status = line != nullptr && !line->isHidden() ? line->text() : QString();
    };
    press(window, "Button5");
    QCOMPARE(status, QString());  // a completed design of what the window shows
    setText(window, "EdtN", "2000");
    setText(window, "EdtV", "100");
    press(window, "Button5");  // not recalculated yet: the results say so on their first line
    QCOMPARE(desktop.fields["EdtL"], QString("490"));
    QVERIFY(status.startsWith("输入已于计算后修改"));
    QVERIFY(status.contains("柱底轴力N 80 → 2000"));
    desktop.inspectModal = nullptr;
    press(window, "Button1");
    press(window, "Button5");
    QCOMPARE(desktop.fields["EdtL"], QString("560"));
    QCOMPARE(desktop.fields["edtshear"], QString("不需要"));
    QCOMPARE(desktop.modalRuns, 5);
  }

  void everyResultWindowShowsItsFieldsWithCaptions() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    for (const ModuleDescriptor* module : allModules()) {
      InputWindow window(*module, context);
      desktop.inspectModal = [&](QDialog& dialog) {
        for (const auto& group : module->resultGroups) {
          if (!group.caption.empty()) QCOMPARE(dialog.findChild<QGroupBox*>(qs(group.name))->title(), qs(group.caption));
          for (const auto& field : group.fields) {
            QVERIFY2(dialog.findChild<QLineEdit*>(qs(field.name)) != nullptr, qPrintable(qs(field.name)));
            QCOMPARE(dialog.findChild<QLabel*>(qs(field.name + "Caption"))->text(), qs(field.label));
          }
        }
        // The fields keep the window's fixed size; the drawing pane beside them takes the rest.
        auto* fields = dialog.findChild<QWidget*>("ResultFields");
        QVERIFY(fields != nullptr);
        QCOMPARE(fields->minimumSize(), fields->maximumSize());
        if (module->resultFormName == "TForm10") QCOMPARE(fields->size(), QSize(301, 376));
        if (module->resultFormName == "TForm15") QCOMPARE(fields->size(), QSize(294, 44));
      };
      press(window, "Button5");
      for (const auto& [name, text] : desktop.fields)
        QCOMPARE(text, name == "edtshear" ? QString("不需要") : name == "edtkey" ? QString("不需设置") : QString("0"));
    }
    desktop.inspectModal = nullptr;
  }

  void aFailingDesignIsToldAfterTheClosingMessageAndShownInRed() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("j1"), context);
    setText(window, "EdtN", "3000");
    setText(window, "EdtV", "100");
    press(window, "Button1");
    QCOMPARE(desktop.messages.size(), 2);
    QCOMPARE(desktop.messages[0], QString("计算完毕！"));
    QVERIFY(desktop.messages[1].startsWith("以下验算不满足要求：\n柱翼缘轴压应力"));
    QColor weldCaption;
    desktop.inspectModal = [&](QDialog& dialog) {
      weldCaption = dialog.findChild<QLabel*>("edthf11Caption")->palette().color(QPalette::Active, QPalette::WindowText);
    };
    press(window, "Button5");
    QCOMPARE(weldCaption, QColor(255, 0, 0));
  }

  // 自动调整: enabled after a design that does not pass; "取消" changes nothing, "采用" writes the
  // proposal's entries with the detailing box cleared and designs them.
  void autoAdjustProposesCancelKeepsAndAdoptWrites() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    auto* adjust = window.findChild<QPushButton*>("ButtonAdjust");
    QVERIFY(adjust != nullptr);
    QCOMPARE(adjust->text(), QString("自动调整"));
    QVERIFY(!adjust->isEnabled());
    press(window, "Button1");  // the default design passes
    QVERIFY(!adjust->isEnabled());
    const std::pair<const char*, const char*> narrow[] = {{"Edthc", "294"}, {"Edtbf", "200"}, {"Edttw", "8"},
                                                          {"Edttf", "12"},  {"EdtN", "88"},   {"EdtV", "10"},
                                                          {"EdtM", "160"}};
    for (const auto& [name, text] : narrow) setText(window, name, text);
    window.findChild<QComboBox*>("CBf")->setCurrentText("Q345");
    window.findChild<QComboBox*>("CBfta")->setCurrentText("Q345");
    window.findChild<QComboBox*>("CBfc")->setCurrentText("C35");
    desktop.messages.clear();
    press(window, "Button1");
    QCOMPARE(desktop.messages.size(), 2);
    QVERIFY(desktop.messages[1].contains("\n    → 加劲肋布置需要翼缘宽度"));  // the remedy under the check
    QVERIFY(adjust->isEnabled());

    const Entries before = window.session().entries();
    QString heading;
    desktop.inspectModal = [&](QDialog& dialog) {
      QCOMPARE(dialog.objectName(), QString("AdjustDialog"));
      heading = dialog.findChild<QLabel*>("adjustHeading")->text();
      QVERIFY(dialog.findChild<QPushButton*>("adoptButton")->isEnabled());
      QVERIFY(dialog.findChild<QTableWidget*>("adjustChanges")->rowCount() > 0);
      if (const QByteArray folder = qgetenv("PEDIVO_SCREENSHOT_DIR"); !folder.isEmpty()) {
        dialog.show();
        dialog.grab().save(QString::fromUtf8(folder) + "/adjust_dialog.png");
        window.grab().save(QString::fromUtf8(folder) + "/input_window.png");
      }
      dialog.findChild<QPushButton*>("cancelButton")->click();
    };
    press(window, "ButtonAdjust");
    QVERIFY(heading.startsWith("找到满足全部验算的最轻设计"));
    QCOMPARE(window.session().entries().texts, before.texts);
    QCOMPARE(window.session().entries().cbsize, before.cbsize);
    QCOMPARE(window.findChild<QCheckBox*>("cbsize")->isChecked(), before.cbsize);

    desktop.messages.clear();
    desktop.inspectModal = [](QDialog& dialog) { dialog.findChild<QPushButton*>("adoptButton")->click(); };
    press(window, "ButtonAdjust");
    desktop.inspectModal = nullptr;
    QVERIFY(!window.findChild<QCheckBox*>("cbsize")->isChecked());
    QCOMPARE(desktop.messages, QStringList{"计算完毕！"});
    QString weight;
    desktop.inspectModal = [&](QDialog& dialog) { weight = dialog.findChild<QLabel*>("edtweight")->text(); };
    press(window, "Button5");
    desktop.inspectModal = nullptr;
    QVERIFY(weight.startsWith("用钢量") && weight.endsWith(" kg"));
    QVERIFY(!adjust->isEnabled());
    QVERIFY(window.session().entries().texts != before.texts);
  }

  // A column no base can carry stops every design: 自动调整 shows the closest one it found, and
  // its sizes and weight, which that design never reached, read "—" as the current ones do.
  void autoAdjustShowsNoSizesForAProposalThatStops() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g2"), context);
    const std::pair<const char*, const char*> overstressed[] = {{"Edthc", "792"},     {"Edtbf", "265"},
                                                                {"Edttw", "44.36"},   {"Edttf", "99.3"},
                                                                {"EdtM", "1.886e+05"}, {"EdtN", "122.3"},
                                                                {"EdtV", "3.815e+04"}};
    for (const auto& [name, text] : overstressed) setText(window, name, text);
    press(window, "Button1");
    QVERIFY(!window.session().designed());
    QStringList proposed;
    bool adoptable = true;
    desktop.inspectModal = [&](QDialog& dialog) {
      adoptable = dialog.findChild<QPushButton*>("adoptButton")->isEnabled();
      const auto* sizes = dialog.findChild<QTableWidget*>("adjustSizes");
      for (int row = 0; row < sizes->rowCount(); ++row) proposed << sizes->item(row, 2)->text();
      dialog.findChild<QPushButton*>("cancelButton")->click();
    };
    press(window, "ButtonAdjust");
    desktop.inspectModal = nullptr;
    QVERIFY(!adoptable);
    QVERIFY(!proposed.isEmpty());
    for (const QString& text : proposed) QCOMPARE(text, QString("—"));
  }

  // Entries typed after "计算" are what 自动调整 starts from: the window designs them first and
  // says so, and "采用" keeps them (N = 95 and M = 210 here, not the 88 and 160 of the calculation).
  void autoAdjustStartsFromTheEntriesShown() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    const std::pair<const char*, const char*> narrow[] = {{"Edthc", "294"}, {"Edtbf", "200"}, {"Edttw", "8"},
                                                          {"Edttf", "12"},  {"EdtN", "88"},   {"EdtV", "10"},
                                                          {"EdtM", "160"}};
    const auto designNarrow = [&] {
      for (const auto& [name, text] : narrow) setText(window, name, text);
      window.findChild<QComboBox*>("CBf")->setCurrentText("Q345");
      window.findChild<QComboBox*>("CBfta")->setCurrentText("Q345");
      window.findChild<QComboBox*>("CBfc")->setCurrentText("C35");
      window.findChild<QCheckBox*>("cbsize")->setChecked(true);
      press(window, "Button1");
      QVERIFY(window.findChild<QPushButton*>("ButtonAdjust")->isEnabled());
    };
    designNarrow();
    setText(window, "EdtN", "95");
    setText(window, "EdtM", "170");
    QString heading;
    desktop.messages.clear();
    desktop.inspectModal = [&](QDialog& dialog) {
      heading = dialog.findChild<QLabel*>("adjustHeading")->text();
      dialog.findChild<QPushButton*>("adoptButton")->click();
    };
    press(window, "ButtonAdjust");
    desktop.inspectModal = nullptr;
    QVERIFY2(heading.startsWith("输入在上次计算后已修改，已按窗口中的输入重新计算。找到"), qPrintable(heading));
    QCOMPARE(window.findChild<QLineEdit*>("EdtN")->text(), QString("95"));
    QCOMPARE(window.findChild<QLineEdit*>("EdtM")->text(), QString("170"));
    QCOMPARE(window.session().entries().texts.at("EdtM"), std::string("170"));
    QCOMPARE(window.session().status(), DesignStatus::Completed);

    // Typed entries that pass once designed (a wider flange): told, and nothing to adjust.
    designNarrow();
    setText(window, "Edtbf", "260");
    desktop.messages.clear();
    const int modals = desktop.modalRuns;
    press(window, "ButtonAdjust");
    QCOMPARE(desktop.modalRuns, modals);
    QVERIFY(!desktop.messages.isEmpty());
    QVERIFY2(desktop.messages.front().endsWith("不需要自动调整。"), qPrintable(desktop.messages.join("|")));
    QVERIFY(!window.findChild<QPushButton*>("ButtonAdjust")->isEnabled());

    // Typed entries that cannot be designed: told as "计算" tells them, no search.
    designNarrow();
    setText(window, "EdtN", "abc");
    desktop.messages.clear();
    press(window, "ButtonAdjust");
    QCOMPARE(desktop.modalRuns, modals);
    QVERIFY(desktop.messages.size() >= 2);
    QVERIFY(desktop.messages.front().endsWith("输入有误，无法自动调整。"));
  }

  // 自动调整 runs off the window's thread: a long search shows "正在自动调整……" with the count of
  // designs tried and a "取消" that ends it, leaving the window as it was.
  void autoAdjustShowsProgressAndCanBeCancelled() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g12"), context);
    window.show();
    for (const auto& [name, text] : slowSearch) setText(window, name, text);
    press(window, "Button1");
    QVERIFY(window.findChild<QPushButton*>("ButtonAdjust")->isEnabled());
    const Entries before = window.session().entries();
    QString label;
    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* progress = window.findChild<QProgressDialog*>("adjustProgress");
      if (progress == nullptr || !progress->isVisible() || cancelled) return;
      label = progress->labelText();
      if (!label.contains("已试算")) return;
      if (const QByteArray folder = qgetenv("PEDIVO_SCREENSHOT_DIR"); !folder.isEmpty())
      {
        // The window with the dialog over it, where the dialog stands.
        QPixmap shot = window.grab();
        QPainter painter(&shot);
        painter.drawPixmap(window.mapFromGlobal(progress->mapToGlobal(QPoint(0, 0))), progress->grab());
        painter.end();
        shot.save(QString::fromUtf8(folder) + "/adjust_progress.png");
      }
      cancelled = true;
      progress->findChild<QPushButton*>()->click();
    });
    poll.start(30);
    const int modals = desktop.modalRuns;
    press(window, "ButtonAdjust");
    poll.stop();
    QVERIFY2(cancelled, "the search ended before its progress was shown");
    QVERIFY2(label.startsWith("正在自动调整……已试算 "), qPrintable(label));
    QCOMPARE(desktop.modalRuns, modals);  // no proposal after a cancel
    QCOMPARE(window.session().entries().texts, before.texts);
  }

  // Fields of one column line up, inside a group box or not, and no caption runs into its field.
  void resultFieldsLineUpAndCaptionsKeepClearOfThem() {
    for (const ModuleDescriptor* module : allModules()) {
      pedivo::forms::ResultWindow window(*module, {});
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      std::map<int, int> columnOfField;  // left edge of each field, counted
      std::set<QString> wide;            // fields on a row of their own under their caption
      for (const auto& group : module->resultGroups)
        for (const auto& field : group.fields)
          if (field.wide) wide.insert(qs(field.name));
      for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        const QPoint topLeft = edit->mapTo(&window, QPoint(0, 0));
        auto* caption = window.findChild<QLabel*>(edit->objectName() + "Caption");
        const QPoint captionAt = caption->mapTo(&window, QPoint(0, 0));
        if (wide.count(edit->objectName()) != 0) {
          QVERIFY2(captionAt.y() + caption->sizeHint().height() <= topLeft.y(),
                   qPrintable(qs(module->resultFormName) + " " + edit->objectName()));
          continue;
        }
        ++columnOfField[topLeft.x()];
        const int captionEnd = captionAt.x() + caption->sizeHint().width();
        QVERIFY2(captionEnd + 4 <= topLeft.x(), qPrintable(qs(module->resultFormName) + " " + edit->objectName()));
      }
      // One left edge of the fields for each column of groups (two columns beyond 12 fields).
      std::size_t fields = 0;
      for (const auto& group : module->resultGroups) fields += group.fields.size();
      QCOMPARE(columnOfField.size(), fields > 12 ? 2u : 1u);
    }
  }

  // Ctrl+S saves the entries to a design file and the window carries its name; opening it in
  // another window gives back every entry; a file that is not this base type's design is told and
  // changes nothing.
  void designFilesSaveAndOpenTheEntries() {
    QTemporaryDir folder;
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow first(*findModule("g11"), context);
    setText(first, "EdtM", "321");
    first.findChild<QComboBox*>("CBfc")->setCurrentText("C35");
    first.findChild<QCheckBox*>("cbsize")->setChecked(false);
    setText(first, "Edtsizea", "77");
    desktop.filesToSave = {folder.filePath("base")};
    first.findChild<QAction*>("saveDesignAction")->trigger();
    QCOMPARE(first.designFile(), folder.filePath("base.pedivo"));
    QVERIFY(first.windowTitle().endsWith(" - base.pedivo"));
    setText(first, "EdtM", "400");
    first.findChild<QAction*>("saveDesignAction")->trigger();  // to the same file, without asking
    QVERIFY(desktop.filesToSave.isEmpty());

    InputWindow second(*findModule("g11"), context);
    desktop.filesToOpen = {folder.filePath("base.pedivo")};
    second.findChild<QAction*>("openDesignAction")->trigger();
    QCOMPARE(second.findChild<QLineEdit*>("EdtM")->text(), QString("400"));
    QCOMPARE(second.findChild<QComboBox*>("CBfc")->currentText(), QString("C35"));
    QVERIFY(!second.findChild<QCheckBox*>("cbsize")->isChecked());
    QVERIFY(second.findChild<QLineEdit*>("Edtsizea")->isEnabled());
    QCOMPARE(second.findChild<QLineEdit*>("Edtsizea")->text(), QString("77"));
    QCOMPARE(second.session().entries().texts, first.session().entries().texts);

    // Another base type's design, and a file that is no design at all.
    InputWindow other(*findModule("j1"), context);
    setText(other, "EdtN", "123");
    QFile junk(folder.filePath("junk.pedivo"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a design");
    junk.close();
    desktop.messages.clear();
    QVERIFY(!other.openDesign(folder.filePath("base.pedivo")));
    QVERIFY(!other.openDesign(folder.filePath("junk.pedivo")));
    QCOMPARE(desktop.messages.size(), 2);
    QVERIFY(desktop.messages[0].contains("八锚栓刚接柱脚"));
    QVERIFY(desktop.messages[1].contains("junk.pedivo"));
    QCOMPARE(other.findChild<QLineEdit*>("EdtN")->text(), QString("123"));
    QCOMPARE(other.windowTitle(), QString("两锚栓铰接柱脚-输入设计参数"));
  }

  void resultCaptionsTakeTheColoursTheCalculationAsksFor() {
    const ModuleDescriptor& module = *findModule("g2");
    ResultView view;
    view.fields = {{"Edthf5", "12"}, {"edtshear", "需要"}};
    view.blackCaptions = {"Edthfxlb", "Edthf5"};
    view.redCaptions = {"Edthf5"};
    pedivo::forms::ResultWindow window(module, view);
    const auto colour = [&](const char* field) {
      return window.findChild<QLabel*>(QString(field) + "Caption")->palette().color(QPalette::Active, QPalette::WindowText);
    };
    QCOMPARE(colour("Edthfxlb"), QColor(0, 0, 0));
    QCOMPARE(colour("Edthf5"), QColor(255, 0, 0));
    QCOMPARE(window.findChild<QLineEdit*>("Edthf5")->text(), QString("12"));
    QCOMPARE(window.findChild<QLineEdit*>("edtshear")->text(), QString("需要"));
    // Results are read, not typed over: every field refuses what is typed into it.
    for (auto* field : window.findChildren<QLineEdit*>()) {
      QVERIFY2(field->isReadOnly(), qPrintable(field->objectName()));
      const QString before = field->text();
      QTest::keyClicks(field, "99");
      QCOMPARE(field->text(), before);
    }
    QCOMPARE(window.findChildren<QPushButton*>().size(), 0);
  }

  void reportCommandWritesANewDocumentAndOpensIt() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("gc"), context);
    press(window, "Button1");
    press(window, "Button2");
    press(window, "Button2");
    QCOMPARE(desktop.opened.size(), 2);
    QVERIFY(desktop.opened[0] != desktop.opened[1]);
    for (const QString& path : desktop.opened) {
      QVERIFY(QFileInfo(path).fileName().startsWith("gc-"));
      QVERIFY(path.endsWith(".dotx"));
      QVERIFY(QFile::exists(path));
      QCOMPARE(QFileInfo(path).absolutePath(), QDir(temp.path()).absolutePath());
    }
    QCOMPARE(desktop.messages, QStringList{"计算完毕！"});
  }

  // A template in the user's folder wins over the shipped one; the report goes to the user's report
  // folder, where week-old reports are cleared away, and names the version and time that wrote it.
  void userTemplateAndReportFolder() {
    QTemporaryDir home;
    const QString templates = home.path() + "/share/pedivo/templates";
    const QString reports = home.path() + "/cache/pedivo/reports";
    QVERIFY(QDir().mkpath(templates) && QDir().mkpath(reports));
    QVERIFY(QFile::copy(appFolder + "j1.docx", templates + "/gc.docx"));  // recognisable by its title
    QFile old(reports + "/gc-20260101-080000.dotx");
    QVERIFY(old.open(QIODevice::WriteOnly));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-8), QFileDevice::FileModificationTime));
    old.close();

    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    context.data.user = (home.path() + "/share/pedivo").toStdString();
    context.data.reports = reports.toStdString();
    InputWindow window(*findModule("gc"), context);
    press(window, "Button1");
    press(window, "Button2");
    QCOMPARE(desktop.opened.size(), 1);
    QCOMPARE(QFileInfo(desktop.opened[0]).absolutePath(), reports);
    QVERIFY(!old.exists());
    const auto body = pedivo::testing::packagePart(desktop.opened[0].toStdString(), "word/document.xml");
    QVERIFY(body.has_value());
    QVERIFY(body->find("两锚栓铰接柱脚计算书") != std::string::npos);
    QVERIFY(body->find(std::string(pedivo::softwareVersion())) != std::string::npos);
  }

  void reportFailuresAreToldAndChangeNothing() {
    RecordingInteraction desktop;
    QTemporaryDir empty;
    AppContext context{desktop, empty.path() + "/"};
    InputWindow window(*findModule("j1"), context);
    press(window, "Button1");
    press(window, "Button2");
    QCOMPARE(desktop.opened, QStringList{});
    QCOMPARE(desktop.messages.size(), 2);
    QVERIFY(desktop.messages[1].contains(empty.path() + "/j1.docx"));

    RecordingInteraction noApplication;
    noApplication.canOpenDocuments = false;
    AppContext desktopWithoutWordProcessor{noApplication, appFolder};
    InputWindow other(*findModule("j1"), desktopWithoutWordProcessor);
    press(other, "Button2");
    QCOMPARE(noApplication.messages.size(), 1);
    QVERIFY(noApplication.messages[0].contains(noApplication.opened.value(0)));
    press(other, "Button5");
    QCOMPARE(noApplication.fields["EdtL"], QString("0"));
  }
};

QTEST_MAIN(InputWindowTest)
#include "input_window_test.moc"
