// The batch window designing a table: reading, designing every row and showing it, as a user
// waits for it. Run headless: QT_QPA_PLATFORM=offscreen build/bin/pedivo_window_bench TABLE.csv
// (scripts/mixed_batch.py writes a mixed table of every base type).

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "forms/batch_window.h"

namespace {

// Answers nothing: a benchmark never waits on a dialog.
class SilentDesktop final : public pedivo::forms::Interaction {
 public:
  void showMessage(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void runModal(QDialog&) override {}
  void moveFocus(QWidget*) override {}
  bool openDocument(const QString&) override { return true; }
  bool openFolder(const QString&) override { return true; }
  QString chooseFileToOpen(QWidget*, const QString&, const QString&) override { return {}; }
  QString chooseFileToSave(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString chooseFolder(QWidget*, const QString&) override { return {}; }
  QString rememberedChoice(const QString&) override { return {}; }
  void rememberChoice(const QString&, const QString&) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: pedivo_window_bench TABLE.csv\n");
    return 2;
  }
  SilentDesktop desktop;
  pedivo::forms::AppContext context{desktop, QCoreApplication::applicationDirPath() + "/"};
  pedivo::forms::BatchWindow window(context, [](const pedivo::DesignFile&) {});
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.show();
  QElapsedTimer timer;
  timer.start();
  const bool read = window.runTable(QString::fromLocal8Bit(argv[1]));
  QApplication::processEvents();
  std::printf("batch window: %s in %.2f s\n", read ? "designed" : "refused",
              static_cast<double>(timer.elapsed()) / 1000);
  return read ? 0 : 1;
}
