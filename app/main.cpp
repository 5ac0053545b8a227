// pedivo [设计文件.pedivo …]: the main window, and an input window for each design file named (as
// the desktop's file manager passes the file a user opens).

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/main_window.h"
#include "design/files/data_folders.h"
#include "forms/interaction.h"
#include "forms/text.h"
#include "forms/translations.h"

namespace {

// With PEDIVO_QUIT_AFTER_START set, the program closes itself once its main window is on the screen,
// and its exit status says whether it got there: a start-up check of an installed copy, without a
// desktop or a user to close it.
void quitOnceShown(QWidget& window) {
  auto* poll = new QTimer(&window);
  constexpr int pollMilliseconds = 50;
  constexpr int longestWait = 200;  // ten seconds of polls
  QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, waited = 0]() mutable {
    const bool shown = window.isVisible() && window.windowHandle() != nullptr && window.windowHandle()->isExposed();
    if (!shown && ++waited < longestWait) return;
    poll->stop();
    std::fprintf(stderr, shown ? "pedivo: 主窗口已显示，自动关闭\n" : "pedivo: 主窗口没有显示\n");
    QCoreApplication::exit(shown ? 0 : 1);  // before closing, whose own quit would say 0
    window.close();
  });
  poll->start(pollMilliseconds);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Pedivo"));
  // The menu entry and the icon of an installed copy; in the build folder there is no icon to find.
  application.setDesktopFileName(QStringLiteral("pedivo"));
  application.setWindowIcon(QIcon::fromTheme(QStringLiteral("pedivo")));
  pedivo::forms::installChineseTranslations(application);
  // Chinese text in a CJK sans-serif wherever the desktop has one.
  QFont font = application.font();
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), font.family()});
  font.setPixelSize(12);
  application.setFont(font);

  pedivo::forms::DesktopInteraction desktop;
  const QString programFolder = QCoreApplication::applicationDirPath();
  pedivo::forms::AppContext context{desktop, programFolder + QStringLiteral("/"),
                                    pedivo::dataFolders(pedivo::processEnvironment(), pedivo::forms::localPath(programFolder))};
  pedivo::app::MainWindow window(context);
  window.show();
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  for (const QString& path : arguments) window.openDesign(path);
  if (qEnvironmentVariableIsSet("PEDIVO_QUIT_AFTER_START")) quitOnceShown(window);
  return application.exec();
}
