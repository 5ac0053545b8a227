// pedivo-drawing-preview FOLDER: the drawing of every base type's default design as a PNG, to
// look at the sheets as the report shows them, a picture of each result window with its drawing
// pane, and each report (from the templates beside this program) with its drawing.

#include <QApplication>
#include <QString>
#include <iostream>
#include <variant>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"
#include "design/drawing/base_drawing.h"
#include "forms/drawing_painter.h"
#include "forms/interaction.h"
#include "forms/result_window.h"
#include "forms/text.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  pedivo::forms::DesktopInteraction desktop;
  if (argc != 2) {
    std::cerr << "用法：pedivo-drawing-preview 文件夹\n";
    return 2;
  }
  for (const pedivo::ModuleDescriptor* module : pedivo::allModules()) {
    pedivo::DesignSession session(*module);
    session.calculate();
    const auto drawn = pedivo::drawing::drawDesign(session);
    pedivo::forms::ResultWindow window(*module, session.results(), drawn, desktop);
    window.resize(window.width(), 600);
    window.grab().save(QString::fromLocal8Bit(argv[1]) + "/" + pedivo::forms::qs(module->id) + "-window.png");
    if (const auto* refusal = std::get_if<pedivo::drawing::DrawingRefusal>(&drawn)) {
      std::cerr << module->id << ": " << refusal->message << '\n';
      continue;
    }
    const QString path = QString::fromLocal8Bit(argv[1]) + "/" + pedivo::forms::qs(module->id) + ".png";
    const auto& sheet = std::get<pedivo::drawing::Drawing>(drawn);
    const std::string folder = argv[1];
    pedivo::fillTemplate(QCoreApplication::applicationDirPath().toStdString() + "/" + module->templateFile,
                         session.report(), folder + "/" + module->id + ".docx", pedivo::DocumentKind::Document,
                         pedivo::forms::reportPicture(sheet));
    if (!pedivo::forms::drawingImage(std::get<pedivo::drawing::Drawing>(drawn), 160, 200).save(path)) {
      std::cerr << "无法写入 " << path.toStdString() << '\n';
      return 2;
    }
  }
  return 0;
}
