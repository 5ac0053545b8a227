#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QTableView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "design/common/check_mode.h"
#include "design/common/module.h"
#include "design/files/design_file.h"
#include "../design/package_part.h"
#include "forms/batch_window.h"
#include "forms/input_window.h"
#include "forms/load_table.h"
#include "forms/result_window.h"
#include "forms/stock_dialog.h"
#include "recording_interaction.h"

using namespace pedivo;
using pedivo::forms::AppContext;
using pedivo::forms::InputWindow;
using pedivo::forms::LoadTable;
using pedivo::forms::RecordingInteraction;

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

LoadTable& loadTable(InputWindow& window) { return *window.findChild<LoadTable*>("loadTablePanel"); }
QTableWidget& cells(InputWindow& window) { return *window.findChild<QTableWidget*>("loadTable"); }
QLineEdit& box(InputWindow& window, const char* name) { return *window.findChild<QLineEdit*>(name); }
void press(QWidget& window, const char* name) { window.findChild<QPushButton*>(name)->click(); }

QString cell(InputWindow& window, int row, int column) {
  const QTableWidgetItem* item = cells(window).item(row, column);
  return item == nullptr ? QString() : item->text();
}

void saveShot(QWidget& widget, const char* name) {
  if (const QByteArray folder = qgetenv("PEDIVO_SCREENSHOT_DIR"); !folder.isEmpty())
    widget.grab().save(QString::fromUtf8(folder) + "/" + name);
}

}  // namespace

class LoadWindowTest : public QObject {
  Q_OBJECT
  QString appFolder = QCoreApplication::applicationDirPath() + "/";
  QTemporaryDir temp;

 private slots:
  void initTestCase() {
    QVERIFY(temp.isValid());
    qputenv("TMPDIR", temp.path().toUtf8());
  }

  // The force boxes are the first row of the table: typing into them is typing into the table,
  // and a table of one row designs exactly what the entries alone design.
  void oneRowIsTheWindowsOwnEntries() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    for (const ModuleDescriptor* module : allModules()) {
      InputWindow window(*module, context);
      LoadTable& table = loadTable(window);
      QCOMPARE(table.rowCount(), 1);
      const bool pinned = module->findControl("EdtM") == nullptr;
      QCOMPARE(table.withMoment(), !pinned);
      QCOMPARE(cells(window).columnCount(), pinned ? 3 : 4);
      QCOMPARE(cells(window).cellWidget(0, 1), &box(window, "EdtN"));
      QCOMPARE(cells(window).cellWidget(0, 2), &box(window, "EdtV"));
      // The caption says the units and the sign.
      QVERIFY(window.findChild<QLabel*>("loadTableCaption")->text().contains("轴力以压为正"));
    }

    InputWindow window(*findModule("g11"), context);
    InputWindow plain(*findModule("g11"), context);
    box(window, "EdtN").setText("300");
    box(window, "EdtM").setText("120");
    plain.loadEntries([&] {
      Entries e = plain.session().entries();
      e.texts["EdtN"] = "300";
      e.texts["EdtM"] = "120";
      return e;
    }());
    QCOMPARE(loadTable(window).rows().front().N, std::string("300"));
    window.calculate();
    plain.calculateSilently();
    QVERIFY(window.session().loads().empty());
    QCOMPARE(window.session().entries().texts, plain.session().entries().texts);
    QCOMPARE(window.session().sizes(), plain.session().sizes());
  }

  // Rows copied from a spreadsheet arrive as tab-separated lines; a header row is skipped.
  void pastedRowsFillTheTable() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    LoadTable& table = loadTable(window);
    QVERIFY(
        table.paste("组合\tN (kN)\tV (kN)\tM (kN·m)\r\n1.3D+1.5L\t850\t60\t210\r\n1.0D+1.5W\t-120\t95\t310\r\n"
                    "\r\n0.9D-1.5W\t40.5\t80\t-290\r\n"));
    QVERIFY(desktop.messages.isEmpty());
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(cell(window, 0, 0), QString("1.3D+1.5L"));
    QCOMPARE(box(window, "EdtN").text(), QString("850"));  // the first row is the window's entries
    QCOMPARE(box(window, "EdtM").text(), QString("210"));
    QCOMPARE(cell(window, 1, 1), QString("-120"));
    QCOMPARE(cell(window, 2, 0), QString("0.9D-1.5W"));
    QCOMPARE(cell(window, 2, 3), QString("-290"));
    const auto loads = std::get<std::vector<LoadCombination>>(table.combinations());
    QCOMPARE(loads.size(), std::size_t(3));
    QCOMPARE(loads[1].name, std::string("1.0D+1.5W"));
    QCOMPARE(loads[1].N, -120.0);
    QCOMPARE(loads[2].N, 40.5);
    QCOMPARE(loads[2].M, -290.0);

    // The header's captions place the columns, whatever their order.
    InputWindow reordered(*findModule("g11"), context);
    QVERIFY(loadTable(reordered).paste("弯矩M\t名称\t剪力V\t轴力N\n3\tA\t1\t2\n5\tB\t6\t7\n"));
    const auto placed = std::get<std::vector<LoadCombination>>(loadTable(reordered).combinations());
    QCOMPARE(placed[0].name, std::string("A"));
    QCOMPARE(placed[0].M, 3.0);
    QCOMPARE(placed[0].V, 1.0);
    QCOMPARE(placed[0].N, 2.0);
    QCOMPARE(placed[1].N, 7.0);

    // Rows without names are named by their place; a paste starts at the chosen row.
    cells(window).setCurrentCell(2, 0);
    QVERIFY(table.paste("10\t20\t30\n11\t21\t31"));
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(cell(window, 2, 0), QString("0.9D-1.5W"));  // the name the row had
    QCOMPARE(cell(window, 2, 1), QString("10"));
    QCOMPARE(cell(window, 3, 0), QString("组合4"));
    QCOMPARE(cell(window, 3, 3), QString("31"));
  }

  // Ctrl+V in the table pastes the clipboard's rows; in a force box a single number is pasted as
  // text, and a spreadsheet's rows go to the table.
  void ctrlVPastesRowsButNotASingleNumber() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    window.show();
    QApplication::clipboard()->setText("A\t100\t20\t30\nB\t200\t25\t35\n");
    cells(window).setFocus();
    QTest::keyClick(&cells(window), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(loadTable(window).rowCount(), 2);
    QCOMPARE(cell(window, 1, 0), QString("B"));

    QApplication::clipboard()->setText("555");
    box(window, "EdtV").selectAll();
    QTest::keyClick(&box(window, "EdtV"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box(window, "EdtV").text(), QString("555"));
    QCOMPARE(loadTable(window).rowCount(), 2);

    QApplication::clipboard()->setText("C\t1\t2\t3\n");
    QTest::keyClick(&box(window, "EdtN"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(window, 0, 0), QString("C"));  // from the first row on
    QCOMPARE(box(window, "EdtM").text(), QString("3"));
    QCOMPARE(cell(window, 1, 0), QString("B"));
  }

  // A number that does not read refuses the paste, naming the pasted row, and changes nothing.
  void aBadNumberIsRefusedWithItsRow() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    LoadTable& table = loadTable(window);
    const auto before = table.rows();
    QVERIFY(!table.paste("名称\tN\tV\tM\nA\t100\t20\t30\nB\t1OO\t20\t30\n"));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY2(desktop.messages[0].contains("第 3 行") && desktop.messages[0].contains("1OO"),
             qPrintable(desktop.messages[0]));
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(table.rows().front().N, before.front().N);

    // A typed row whose force is not a number stops "计算", naming the row, before any design.
    desktop.messages.clear();
    table.addRow();
    QCOMPARE(cell(window, 1, 0), QString("组合2"));
    cells(window).item(1, 1)->setText("100");
    cells(window).item(1, 2)->setText("abc");
    cells(window).item(1, 3)->setText("50");
    window.calculate();
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY2(desktop.messages[0].contains("第 2 行") && desktop.messages[0].contains("V"),
             qPrintable(desktop.messages[0]));
    QCOMPARE(window.session().status(), DesignStatus::NotCalculated);

    // Two rows of one name are refused by the combinations' own rule, naming the row.
    desktop.messages.clear();
    cells(window).item(1, 2)->setText("20");
    cells(window).item(1, 0)->setText("组合1");
    window.calculate();
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY2(desktop.messages[0].contains("第 2 组"), qPrintable(desktop.messages[0]));

    // Deleting rows keeps the first row's boxes; deleting the first moves the next one up.
    cells(window).item(1, 0)->setText("风");
    cells(window).selectionModel()->select(cells(window).model()->index(0, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table.deleteSelectedRows();
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(cell(window, 0, 0), QString("风"));
    QCOMPARE(box(window, "EdtN").text(), QString("100"));
    table.deleteSelectedRows();
    QCOMPARE(table.rowCount(), 1);
  }

  void aCsvFileReplacesTheRows() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("j1"), context);  // pinned: no moment column
    const QString path = temp.filePath("loads.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF名称,N,V\n\"1.2D+1.4L, 满载\",300,20\n1.0D+1.4W,150,45\n");
    file.close();
    desktop.filesToOpen << path;
    press(window, "importLoadButton");
    QVERIFY2(desktop.messages.isEmpty(), qPrintable(desktop.messages.join("\n")));
    QCOMPARE(loadTable(window).rowCount(), 2);
    QCOMPARE(cell(window, 0, 0), QString("1.2D+1.4L, 满载"));
    QCOMPARE(box(window, "EdtV").text(), QString("20"));
    QCOMPARE(cell(window, 1, 2), QString("45"));

    QVERIFY(!loadTable(window).importCsv(temp.filePath("missing.csv")));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].startsWith("无法导入荷载组合文件"));
    QCOMPARE(loadTable(window).rowCount(), 2);
  }

  // "验算模式" shows the given sizes, filled from the last design; "验算" checks them as they are.
  void checkModeChecksTheGivenSizes() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    const QSize plain = window.size();
    auto* group = window.findChild<QGroupBox*>("GivenSizes");
    QVERIFY(group->isHidden());
    window.calculate();
    QVERIFY(window.session().designed());
    const Sizes designed = window.session().sizes();
    window.findChild<QCheckBox*>("cbcheck")->setChecked(true);
    QVERIFY(!group->isHidden());
    QVERIFY(window.width() > plain.width());
    QCOMPARE(window.height(), plain.height());
    for (const SizeName& size : findModule("g11")->sizes)
      QCOMPARE(box(window, qPrintable("Given_" + text(size.name))).text().toDouble(), designed.at(size.name));

    desktop.messages.clear();
    press(window, "ButtonCheck");
    QVERIFY(window.session().checked());
    QCOMPARE(window.session().sizes(), designed);

    // The boxes in tab order down the column, the shear key's last, each under its caption.
    const auto& sizes = findModule("g11")->sizes;
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) {
      QWidget* next = &box(window, qPrintable("Given_" + text(sizes[i].name)));
      do next = next->nextInFocusChain();
      while (!(next->focusPolicy() & Qt::TabFocus));
      QCOMPARE(next->objectName(), "Given_" + text(sizes[i + 1].name));
    }
    QVERIFY(sizes.back().ofShearKey);
    for (const SizeName& size : sizes) {
      QLineEdit* edit = &box(window, qPrintable("Given_" + text(size.name)));
      const auto labels = window.findChildren<QLabel*>();
      QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == edit && l->text() == text(size.caption); }));
    }
    // Blank, the key is the one a design chooses; given in part, it is refused by its caption.
    for (const SizeName& size : sizes)
      if (size.ofShearKey) box(window, qPrintable("Given_" + text(size.name))).clear();
    press(window, "ButtonCheck");
    QVERIFY(window.session().checked());
    QCOMPARE(window.session().sizes(), designed);
    box(window, "Given_hk").setText("120");
    desktop.messages.clear();
    press(window, "ButtonCheck");
    QVERIFY(!desktop.messages.isEmpty());
    QVERIFY2(desktop.messages.join("\n").contains("缺少尺寸：抗剪键截面高度h（keyh）"), qPrintable(desktop.messages.join("\n")));
    window.findChild<QCheckBox*>("cbcheck")->setChecked(false);
    window.findChild<QCheckBox*>("cbcheck")->setChecked(true);

    // A thinner plate is checked as given, and fails.
    box(window, "Given_tpb").setText(QString::number(designed.at("tpb") / 2));
    desktop.messages.clear();
    press(window, "ButtonCheck");
    QCOMPARE(window.session().sizes().at("tpb"), designed.at("tpb") / 2);
    QVERIFY(std::any_of(window.session().checks().begin(), window.session().checks().end(),
                        [](const DesignCheck& c) { return !c.ok(); }));
    QVERIFY(!desktop.messages.isEmpty());

    // A size that is not a number is told by its caption and focused; nothing is checked.
    box(window, "Given_tpb").setText("2O");
    desktop.messages.clear();
    desktop.focused.clear();
    press(window, "ButtonCheck");
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY2(desktop.messages[0].contains("底板厚度"), qPrintable(desktop.messages[0]));
    QCOMPARE(desktop.focused, QStringList{"Given_tpb"});

    window.findChild<QCheckBox*>("cbcheck")->setChecked(false);
    QCOMPARE(window.size(), plain);
  }

  // "取规格尺寸": each thickness up to the stock series as remembered, the other sizes as they are.
  void stockRoundingGivesTheRoundedSizes() {
    RecordingInteraction desktop;
    desktop.choices["stockSeries"] = "10, 14, 21, 27, 33";
    AppContext context{desktop, appFolder};
    const ModuleDescriptor& module = *findModule("g11");
    InputWindow window(module, context);
    window.calculate();
    window.findChild<QCheckBox*>("cbcheck")->setChecked(true);
    const Sizes designed = window.session().sizes();
    box(window, "Given_tpb").setText("22.5");
    press(window, "ButtonStock");
    QCOMPARE(box(window, "Given_tpb").text(), QString("27"));
    QVERIFY(window.session().checked());
    const Sizes checked = window.session().sizes();
    QCOMPARE(checked.at("tpb"), 27.0);
    const std::vector<double> series{10, 14, 21, 27, 33};
    for (const auto& [name, value] : designed) {
      const bool plate = std::find(module.plateThicknesses.begin(), module.plateThicknesses.end(), name) !=
                         module.plateThicknesses.end();
      if (name == "tpb") continue;
      QCOMPARE(checked.at(name), plate ? stockThickness(value, series) : value);
    }
    saveShot(window, "input_window_check_mode.png");
  }

  // The series is kept only when it reads as one; a bad one is refused with a message, the dialog
  // stays open and what was remembered stays.
  void theSettingsRefuseABadSeries() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    int runs = 0;
    desktop.inspectModal = [&](QDialog& dialog) {
      ++runs;
      QCOMPARE(dialog.objectName(), QString("StockDialog"));
      auto* series = dialog.findChild<QLineEdit*>("stockSeries");
      QCOMPARE(series->text(), text(stockSeriesText(defaultStockThicknesses())));
      dialog.show();
      saveShot(dialog, "settings_dialog.png");
      series->setText("8, 12, 10");
      dialog.accept();
      QCOMPARE(desktop.messages.size(), 1);
      QVERIFY(desktop.messages[0].contains("8, 12, 10"));
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
      series->setText("8，12，16，20");  // full-width commas as typed with a Chinese keyboard
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    };
    window.editSettings();
    QCOMPARE(runs, 1);
    QCOMPARE(desktop.choices["stockSeries"], QString("8, 12, 16, 20"));
    QCOMPARE(forms::rememberedStockSeries(desktop), (std::vector<double>{8, 12, 16, 20}));
    // A remembered text that no longer reads gives the default series.
    desktop.choices["stockSeries"] = "abc";
    QCOMPARE(forms::rememberedStockSeries(desktop), defaultStockThicknesses());
  }

  // The result window lists the checks; with several combinations each names its governing one.
  void theResultWindowNamesTheGoverningCombination() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    window.calculate();
    std::vector<DesignCheck> checks = window.session().checks();
    QVERIFY(checks.size() >= 2);
    const auto table = [](forms::ResultWindow& result) { return result.findChild<QTableWidget*>("checkTable"); };
    {
      forms::ResultWindow result(*findModule("g11"), window.session().results(), drawing::DrawingRefusal{"—"}, desktop);
      result.showChecks(checks);
      QCOMPARE(table(result)->rowCount(), static_cast<int>(checks.size()));
      QCOMPARE(table(result)->columnCount(), 4);  // one combination: no column for it
      QCOMPARE(table(result)->item(0, 0)->text(), text(checks[0].name.str()));
    }
    checks[0].governing = GoverningCombination{1, "1.0D+1.5W"};
    forms::ResultWindow result(*findModule("g11"), window.session().results(), drawing::DrawingRefusal{"—"}, desktop);
    result.showChecks(checks);
    QCOMPARE(table(result)->columnCount(), 5);
    QCOMPARE(table(result)->horizontalHeaderItem(4)->text(), QString("控制组合"));
    QCOMPARE(table(result)->item(0, 4)->text(), QString("1.0D+1.5W"));
    QCOMPARE(table(result)->item(1, 4)->text(), QString());
    result.show();
    saveShot(result, "result_window_governing.png");
  }

  // A table of analysis software: its Chinese captions are mapped to the batch's columns in a
  // dialog, the base type chosen there; what the engineer chose is remembered for the next table.
  void aBatchTableOfChineseCaptionsIsMapped() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    const QString path = temp.filePath("members.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("柱号,序号,轴力N(kN),剪力V,弯矩M,截面\nC1,1,300,40,120,450\nC2,2,500,60,200,500\n");
    file.close();
    int dialogs = 0;
    QStringList shown;
    desktop.inspectModal = [&](QDialog& dialog) {
      ++dialogs;
      QCOMPARE(dialog.objectName(), QString("ColumnMapDialog"));
      shown.clear();
      for (int c = 0; c < 6; ++c)
        shown << dialog.findChild<QComboBox*>(QString("column%1").arg(c))->currentData().toString();
      auto* section = dialog.findChild<QComboBox*>("column5");
      section->setCurrentIndex(section->findData("Edthc"));
      auto* module = dialog.findChild<QComboBox*>("moduleChoice");
      module->setCurrentIndex(module->findData("g11"));
      if (dialogs == 1) saveShot(dialog, "column_map_dialog.png");
      dialog.accept();
    };
    {
      forms::BatchWindow batch(context, {});
      QVERIFY2(batch.runTable(path), qPrintable(desktop.messages.join("\n")));
      QCOMPARE(shown, (QStringList{"id", "", "EdtN", "EdtV", "EdtM", ""}));
      QCOMPARE(batch.results().rows().size(), std::size_t(2));
      QCOMPARE(batch.results().rows()[1].front(), std::string("C2"));
    }
    forms::BatchWindow again(context, {});
    QVERIFY(again.runTable(path));
    QCOMPARE(shown[5], QString("Edthc"));  // remembered for the caption "截面"
    QCOMPARE(dialogs, 2);

    // Cancelled: nothing is read and nothing is said.
    desktop.inspectModal = [](QDialog& dialog) { dialog.reject(); };
    desktop.messages.clear();
    forms::BatchWindow cancelled(context, {});
    QVERIFY(!cancelled.runTable(path));
    QVERIFY(desktop.messages.isEmpty());
    QCOMPARE(cancelled.results().rowCount(), 0);
  }

  // A design file keeps every row of 荷载组合, 验算模式 and the given sizes; opened in another window
  // it shows them exactly, and checks the same. A file of one set of forces opens as one row.
  void aDesignFileKeepsEveryCombinationAndTheGivenSizes() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    const ModuleDescriptor& module = *findModule("g11");
    InputWindow window(module, context);
    QVERIFY(loadTable(window).paste(
        "名称\tN\tV\tM\n1.3D+1.5L\t850\t60\t210\n1.0D+1.5W\t-120\t95\t310\n0.9D-1.5W\t40.5\t80\t-290.25\n"));
    window.calculate();
    QVERIFY2(window.session().designed(), qPrintable(desktop.messages.join("\n")));
    window.findChild<QCheckBox*>("cbcheck")->setChecked(true);
    box(window, "Given_tpb").setText("36");
    const QString path = temp.filePath("three.pedivo");
    QVERIFY2(window.saveDesign(path), qPrintable(desktop.messages.join("\n")));

    const auto read = readDesignFile(path.toStdString());
    QVERIFY(std::holds_alternative<DesignFile>(read));
    const DesignFile& file = std::get<DesignFile>(read);
    QCOMPARE(file.loads.size(), std::size_t(3));
    QCOMPARE(file.loads[2].M, -290.25);
    QVERIFY(file.sizes.has_value());
    QCOMPARE(file.sizes->at("tpb"), 36.0);

    InputWindow opened(module, context);
    opened.findChild<QCheckBox*>("cbcheck")->setChecked(false);
    QVERIFY(opened.openDesign(path));
    QCOMPARE(loadTable(opened).rowCount(), 3);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) {
        const QString shown = r == 0 && c > 0 ? cells(opened).cellWidget(0, c)->property("text").toString() : cell(opened, r, c);
        const QString saved = r == 0 && c > 0 ? cells(window).cellWidget(0, c)->property("text").toString() : cell(window, r, c);
        QCOMPARE(shown, saved);
      }
    QVERIFY(opened.findChild<QCheckBox*>("cbcheck")->isChecked());
    QVERIFY(!opened.findChild<QGroupBox*>("GivenSizes")->isHidden());
    for (const SizeName& size : module.sizes) {
      const QByteArray name = ("Given_" + text(size.name)).toUtf8();
      QCOMPARE(box(opened, name.constData()).text(), box(window, name.constData()).text());
    }
    for (const auto& group : module.groups)
      for (const auto& control : group.controls)
        if (auto* edit = opened.findChild<QLineEdit*>(text(control.name)))
          QCOMPARE(edit->text(), window.findChild<QLineEdit*>(text(control.name))->text());

    // Checked in both windows: the same verdicts under the same governing combinations.
    press(window, "ButtonCheck");
    press(opened, "ButtonCheck");
    QVERIFY(window.session().checked() && opened.session().checked());
    QCOMPARE(opened.session().checks().size(), window.session().checks().size());
    for (std::size_t i = 0; i < window.session().checks().size(); ++i) {
      const DesignCheck& a = window.session().checks()[i];
      const DesignCheck& b = opened.session().checks()[i];
      QCOMPARE(b.demand, a.demand);
      QCOMPARE(b.ok(), a.ok());
      QCOMPARE(b.governing.has_value(), a.governing.has_value());
      if (a.governing) QCOMPARE(b.governing->name, a.governing->name);
    }

    // One row of the window's own name and forces: the entries alone, opened as one row.
    InputWindow plain(module, context);
    box(plain, "EdtN").setText("640");
    const QString plainPath = temp.filePath("plain.pedivo");
    QVERIFY(plain.saveDesign(plainPath));
    QVERIFY(std::get<DesignFile>(readDesignFile(plainPath.toStdString())).loads.empty());
    QVERIFY(opened.openDesign(plainPath));
    QCOMPARE(loadTable(opened).rowCount(), 1);
    QCOMPARE(cell(opened, 0, 0), QString("组合1"));
    QCOMPARE(box(opened, "EdtN").text(), QString("640"));
    QVERIFY(!opened.findChild<QCheckBox*>("cbcheck")->isChecked());
    // One row named by the engineer keeps its name.
    cells(plain).item(0, 0)->setText("1.0D+1.0L");
    QVERIFY(plain.saveDesign(plainPath));
    QVERIFY(opened.openDesign(plainPath));
    QCOMPARE(cell(opened, 0, 0), QString("1.0D+1.0L"));
    QCOMPARE(box(opened, "EdtN").text(), QString("640"));
  }

  // What would not open again is not saved: the engineer hears why, and the file stays as it was.
  void aDesignThatWouldNotOpenAgainIsNotSaved() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    const QString path = temp.filePath("refused.pedivo");
    QVERIFY(loadTable(window).paste("A\t300\t20\t40\nA\t200\t30\t50\n"));
    QVERIFY(!window.saveDesign(path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY2(desktop.messages.front().startsWith("无法保存设计：") && desktop.messages.front().contains("A"),
             qPrintable(desktop.messages.front()));
    QCOMPARE(desktop.focused.back(), QString("loadTable"));

    cells(window).item(1, 0)->setText("B");
    cells(window).item(1, 2)->setText("3O");
    desktop.messages.clear();
    QVERIFY(!window.saveDesign(path));
    QVERIFY2(desktop.messages.front().contains("第 2 行"), qPrintable(desktop.messages.front()));

    cells(window).item(1, 2)->setText("30");
    window.findChild<QCheckBox*>("cbcheck")->setChecked(true);  // nothing designed: the sizes are blank
    desktop.messages.clear();
    QVERIFY(!window.saveDesign(path));
    QVERIFY(desktop.messages.front().startsWith("给定尺寸"));
    QVERIFY(!QFile::exists(path));
    window.findChild<QCheckBox*>("cbcheck")->setChecked(false);
    QVERIFY(window.saveDesign(path));
  }

  // A table exported from analysis software, two columns of three combinations each and one whose
  // rows disagree on the section: one result row a design, its governing combination in a column
  // of its own, the disagreeing one refused by its column; a design opens with its combinations.
  void theBatchWindowDesignsTheRowsOfOneIdTogether() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    const QString path = temp.filePath("combinations.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("柱号,组合,轴力N(kN),剪力V,弯矩M,截面\n"
               "C1,1.3D+1.5L,850,60,210,600\nC1,1.0D+1.5W,300,95,250,600\nC1,0.9D-1.5W,150,80,-200,600\n"
               "C2,1.3D+1.5L,900,40,120,650\nC2,1.0D+1.5W,700,70,200,650\nC2,0.9D-1.5W,200,60,-180,650\n"
               "C3,1.3D+1.5L,600,30,100,600\nC3,1.0D+1.5W,400,30,120,650\n");
    file.close();
    desktop.inspectModal = [&](QDialog& dialog) {
      auto* section = dialog.findChild<QComboBox*>("column5");
      section->setCurrentIndex(section->findData("Edthc"));
      auto* module = dialog.findChild<QComboBox*>("moduleChoice");
      module->setCurrentIndex(module->findData("g11"));
      QCOMPARE(dialog.findChild<QComboBox*>("column1")->currentData().toString(), QString("load"));
      dialog.accept();
    };
    std::vector<DesignFile> openedDesigns;
    forms::BatchWindow batch(context, [&](const DesignFile& design) { openedDesigns.push_back(design); });
    QVERIFY2(batch.runTable(path), qPrintable(desktop.messages.join("\n")));
    const auto& rows = batch.results().rows();
    const CsvRow& header = batch.results().header();
    QCOMPARE(rows.size(), std::size_t(3));
    const auto governing = std::find(header.begin(), header.end(), std::string("控制组合"));
    QVERIFY(governing != header.end());
    const auto at = static_cast<std::size_t>(governing - header.begin());
    const auto ratio = static_cast<std::size_t>(std::find(header.begin(), header.end(), std::string("最大利用率")) - header.begin());
    for (std::size_t r = 0; r < 2; ++r) {
      QCOMPARE(rows[r][0], std::string(r == 0 ? "C1" : "C2"));
      QVERIFY2(rows[r][ratio] != "", rows[r][1].c_str());  // designed
      // The governing combination is one of the design's, and its 提示 names it with the utilisation.
      QVERIFY(rows[r][at] == "1.3D+1.5L" || rows[r][at] == "1.0D+1.5W" || rows[r][at] == "0.9D-1.5W");
      QVERIFY2(QString::fromStdString(rows[r][1]).contains(text("最大利用率 " + rows[r][ratio] + " 的控制组合：" + rows[r][at])),
               rows[r][1].c_str());
    }
    QVERIFY(batch.results().failing()[2]);
    QVERIFY2(QString::fromStdString(rows[2][1]).contains("“C3”的各行在") &&
                 QString::fromStdString(rows[2][1]).contains("（Edthc）列不一致"),
             rows[2][1].c_str());
    QCOMPARE(rows[2][at], std::string());
    const auto* summary = batch.findChild<QLabel*>("summaryLabel");
    QVERIFY2(summary->text().contains("8 行按编号合并为 3 个设计"), qPrintable(summary->text()));
    // The column stands beside the verdicts on screen.
    auto* view = batch.findChild<QTableView*>("resultTable");
    QCOMPARE(view->horizontalHeader()->visualIndex(static_cast<int>(at)), 5);

    // The second design opens with its three combinations, as the batch designed it.
    view->setCurrentIndex(batch.results().index(1, 0));
    batch.openSelectedRow();
    QCOMPARE(openedDesigns.size(), std::size_t(1));
    QCOMPARE(openedDesigns[0].entries.texts.at("Edthc"), std::string("650"));
    QCOMPARE(openedDesigns[0].loads.size(), std::size_t(3));
    QCOMPARE(openedDesigns[0].loads[2].M, -180.0);

    // Its report is written from all three.
    QTemporaryDir reports;
    QCOMPARE(batch.writeReports(reports.path(), {1}), std::size_t(1));
    const QStringList written = QDir(reports.path()).entryList(QDir::Files);
    QCOMPARE(written.size(), 1);
    const auto xml = testing::packagePart((reports.path() + "/" + written.front()).toStdString(), "word/document.xml");
    QVERIFY(xml && xml->find("0.9D-1.5W") != std::string::npos);
    batch.show();
    saveShot(batch, "batch_window_grouped.png");
  }

  void screenshots() {
    if (qgetenv("PEDIVO_SCREENSHOT_DIR").isEmpty()) QSKIP("PEDIVO_SCREENSHOT_DIR not set");
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    loadTable(window).paste(
        "名称\tN\tV\tM\n1.3D+1.5L\t850\t60\t210\n1.0D+1.5W\t-120\t95\t310\n0.9D-1.5W\t40\t80\t290\n");
    window.show();
    saveShot(window, "input_window_loads.png");
    InputWindow pinned(*findModule("j1"), context);
    pinned.show();
    saveShot(pinned, "input_window_pinned.png");
    desktop.inspectModal = [&](QDialog& dialog) {
      dialog.show();
      saveShot(dialog, "result_window.png");
    };
    window.calculate();
    saveShot(window, "input_window_three_combinations.png");
    window.showResults();
    // The given sizes, and scrolled to their end, the shear key's.
    InputWindow keyed(*findModule("g11"), context);
    keyed.show();
    for (const auto& [control, value] : {std::pair{"EdtN", "150"}, {"EdtV", "200"}})
      keyed.findChild<QLineEdit*>(control)->setText(value);
    keyed.calculate();
    keyed.findChild<QCheckBox*>("cbcheck")->setChecked(true);
    saveShot(keyed, "input_window_given_sizes.png");
    QScrollBar* scroll = keyed.findChild<QScrollArea*>("givenScroll")->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    saveShot(keyed, "input_window_given_key.png");
  }
};

QTEST_MAIN(LoadWindowTest)
#include "load_window_test.moc"
