#include <QApplication>
#include <QFont>

#include "app/main_window.h"
#include "forms/interaction.h"
#include "forms/translations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Pedivo"));
  pedivo::forms::installChineseTranslations(application);
  // Chinese text in a CJK sans-serif wherever the desktop has one.
  QFont font = application.font();
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), font.family()});
  font.setPixelSize(12);
  application.setFont(font);

  pedivo::forms::DesktopInteraction desktop;
  pedivo::forms::AppContext context{desktop, QCoreApplication::applicationDirPath() + QStringLiteral("/")};
  pedivo::app::MainWindow window(context);
  window.show();
  return application.exec();
}
