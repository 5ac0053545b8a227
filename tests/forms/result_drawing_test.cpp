// The "柱脚图" pane of the result window: what it shows before and after a design, its zoom,
// and the DXF and picture files it exports through the desktop seam.

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <set>

#include "design/common/design_session.h"
#include "design/common/module.h"
#include "design/drawing/base_drawing.h"
#include "forms/drawing_painter.h"
#include "forms/drawing_view.h"
#include "forms/input_window.h"
#include "recording_interaction.h"

using namespace pedivo;
using namespace pedivo::forms;

namespace {

void press(QWidget& window, const QString& button) { window.findChild<QPushButton*>(button)->click(); }

int countPixels(const QImage& image, const std::function<bool(QColor)>& test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(image.pixelColor(x, y))) ++count;
  return count;
}

drawing::Drawing defaultDrawing(const char* id) {
  DesignSession session(*findModule(id));
  session.calculate();
  return std::get<drawing::Drawing>(drawing::drawDesign(session));
}

}  // namespace

class ResultDrawingTest : public QObject {
  Q_OBJECT
  QString appFolder = QCoreApplication::applicationDirPath() + "/";

 private slots:
  void beforeADesignThePaneSaysWhyAndExportsNothing() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("g11"), context);
    desktop.inspectModal = [&](QDialog& dialog) {
      auto* view = dialog.findChild<DrawingView*>("DrawingView");
      QVERIFY(view != nullptr);
      QVERIFY(!view->hasDrawing());
      QCOMPARE(view->refusal(), QString::fromUtf8(drawing::notDesignedMessage));
      QVERIFY(dialog.findChild<QGroupBox*>("DrawingPane")->title().contains("未完成"));
      QVERIFY(!dialog.findChild<QPushButton*>("ButtonDxf")->isEnabled());
      QVERIFY(!dialog.findChild<QPushButton*>("ButtonPicture")->isEnabled());
      // Nothing but the white ground and the red reason.
      const QImage shot = view->grab().toImage();
      QCOMPARE(countPixels(shot, [](QColor c) { return c.blue() < 200 && c.red() < 200; }), 0);
    };
    press(window, "Button5");
    QCOMPARE(desktop.modalRuns, 1);
  }

  void aDesignIsDrawnAndExportedAsDxfSvgAndPng() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("j2"), context);
    press(window, "Button1");
    QTemporaryDir folder;
    desktop.filesToSave = {folder.filePath("底板"), folder.filePath("底板.svg"), folder.filePath("图")};
    desktop.inspectModal = [&](QDialog& dialog) {
      auto* view = dialog.findChild<DrawingView*>("DrawingView");
      QVERIFY(view->hasDrawing());
      press(dialog, "ButtonDxf");
      press(dialog, "ButtonPicture");
      press(dialog, "ButtonPicture");
      press(dialog, "ButtonDxf");  // no more answers: the user cancels
    };
    press(window, "Button5");
    QVERIFY(desktop.messages.size() == 1);  // "计算完毕！" only: every export succeeded or was cancelled
    QFile dxf(folder.filePath("底板.dxf"));
    QVERIFY(dxf.open(QIODevice::ReadOnly));
    const QByteArray dxfText = dxf.readAll();
    QVERIFY(dxfText.contains("AC1015"));
    QCOMPARE(dxfText.count("\nCIRCLE"), 4);
    QFile svg(folder.filePath("底板.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
    const QImage png(folder.filePath("图.png"));
    QVERIFY(!png.isNull());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 3);
  }

  void anExportThatCannotBeWrittenIsTold() {
    RecordingInteraction desktop;
    AppContext context{desktop, appFolder};
    InputWindow window(*findModule("j1"), context);
    press(window, "Button1");
    desktop.filesToSave = {"/nonexistent-folder/a.dxf"};
    desktop.inspectModal = [&](QDialog& dialog) { press(dialog, "ButtonDxf"); };
    press(window, "Button5");
    QCOMPARE(desktop.messages.size(), 2);
    QVERIFY(desktop.messages[1].startsWith("无法写入DXF文件"));
  }

  // Pictures on a disk that fills up (the short_disk library, preloaded by CTest): at any byte the
  // export is told as failed, the old picture stays byte for byte and no temporary file is left.
  // Also under a name of 255 bytes, the longest a file system takes.
  void picturesOnAFullDiskKeepTheOldFile() {
    if (!qgetenv("LD_PRELOAD").contains("short_disk")) QSKIP("needs the short_disk library preloaded");
    QTemporaryDir folder;
    const drawing::Drawing d = defaultDrawing("g11");
    for (const QString& ending : {QStringLiteral(".png"), QStringLiteral(".svg")}) {
      QString name;
      while (name.toUtf8().size() + 3 + ending.size() <= 255) name += QStringLiteral("柱");
      while (name.toUtf8().size() + ending.size() < 255) name += QStringLiteral("x");
      const QString path = folder.filePath(name + ending);
      QCOMPARE(writeDrawingPicture(d, path), std::nullopt);
      QFile file(path);
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QByteArray old = file.readAll();
      file.close();
      for (const qsizetype bytes : {qsizetype(0), qsizetype(64), old.size() / 2, old.size() - 1}) {
        qputenv("PEDIVO_TEST_DISK_BYTES", QByteArray::number(bytes));
        const auto failure = writeDrawingPicture(d, path);
        qunsetenv("PEDIVO_TEST_DISK_BYTES");
        QVERIFY(failure.has_value());
        QVERIFY2(failure->startsWith("无法写入文件“"), qPrintable(*failure));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        file.close();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), ending == ".png" ? 1 : 2);
      }
    }
  }

  void wheelZoomKeepsThePointUnderTheCursorAndIsBounded() {
    DrawingView view;
    view.resize(600, 400);
    view.setDrawing(defaultDrawing("g11"));
    view.zoomAt({300, 200}, 2);
    QCOMPARE(view.zoom(), 1.5625);
    view.zoomAt({100, 100}, 100);
    QCOMPARE(view.zoom(), 40.0);
    view.resetView();
    QCOMPARE(view.zoom(), 1.0);
  }

  void bothPicturesShowTheBoltsInRedAndTheOutlineInBlack() {
    const QImage image = drawingImage(defaultDrawing("g12"), 160, 150);
    QCOMPARE(image.width(), static_cast<int>(160 * 150 / 25.4));
    const int red = countPixels(image, [](QColor c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; });
    const int black = countPixels(image, [](QColor c) { return c.red() < 60 && c.green() < 60 && c.blue() < 60; });
    QVERIFY2(red > 200, qPrintable(QString::number(red)));
    QVERIFY2(black > 2000, qPrintable(QString::number(black)));
    QVERIFY(drawingPng(defaultDrawing("gc"), 160, 300).startsWith("\x89PNG"));
  }

  // The report's picture is a palette PNG of the full-colour drawing: the same pixels where the
  // drawing has the paper or one of its inks, and everywhere else (the smoothed edges of lines
  // that meet) a near colour.
  void theReportPictureKeepsTheDrawingsColoursInAPalette() {
    const drawing::Drawing drawing = defaultDrawing("g3");
    const ReportPicture picture = reportPicture(drawing);
    const QImage read = QImage::fromData(QByteArray(picture.png.data(), static_cast<qsizetype>(picture.png.size())));
    QCOMPARE(read.format(), QImage::Format_Indexed8);
    const QImage full = drawingImage(drawing, picture.widthMm, 300);
    QCOMPARE(read.size(), full.size());
    const QImage shown = read.convertToFormat(QImage::Format_RGB32);
    const std::set<QRgb> inks{qRgb(255, 255, 255), qRgb(0, 0, 0),      qRgb(200, 0, 0),   qRgb(0, 70, 190),
                              qRgb(170, 0, 170),   qRgb(0, 120, 0),    qRgb(90, 90, 90),  qRgb(150, 150, 150)};
    long inked = 0, near = 0, pixels = 0;
    for (int y = 0; y < full.height(); ++y)
      for (int x = 0; x < full.width(); ++x) {
        const QRgb was = full.pixel(x, y) | 0xff000000u, is = shown.pixel(x, y);
        ++pixels;
        if (inks.contains(was)) {
          QCOMPARE(is, was);
          ++inked;
        } else {
          const int difference = std::max({std::abs(qRed(was) - qRed(is)), std::abs(qGreen(was) - qGreen(is)),
                                           std::abs(qBlue(was) - qBlue(is))});
          near += difference <= 8;
        }
      }
    QVERIFY(inked > pixels * 9 / 10);
    QVERIFY2(near * 2 > pixels - inked, qPrintable(QString::number(near) + " of " + QString::number(pixels - inked)));
  }
};

QTEST_MAIN(ResultDrawingTest)
#include "result_drawing_test.moc"
