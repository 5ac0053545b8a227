// pedivo-drawing-preview FOLDER: the drawing of every base type's default design as a PNG and its
// issued sheet as DXF, to
// look at the sheets as the report shows them, a picture of each result window with its drawing
// pane, and each report (from the templates beside this program) with its drawing and a sample
// project block. Also pictures of the main window with its 文件 menu open, the 项目信息 dialog and
// the batch window after a small table with a failing row.

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QString>
#include <ctime>
#include <iostream>
#include <variant>

#include "app/main_window.h"
#include "forms/batch_window.h"
#include "forms/input_window.h"
#include "forms/project_dialog.h"

#include "design/common/design_session.h"
#include "design/common/report_writer.h"
#include "design/drawing/base_drawing.h"
#include "design/drawing/dxf_file.h"
#include "design/drawing/issued_sheet.h"
#include "design/files/software_version.h"
#include "forms/drawing_painter.h"
#include "forms/interaction.h"
#include "forms/result_window.h"
#include "forms/text.h"
#include "forms/translations.h"

namespace {

pedivo::Project sampleProject() {
  return pedivo::Project{"某工业园区一期厂房", "GC-2026-017", "KZ-3", "张工", "李工", "王工", "2026-12-09"};
}

// The main window with its 文件 menu open below the menu bar, as one picture.
QImage mainWindowWithMenu(pedivo::app::MainWindow& window) {
  window.show();
  auto* bar = window.findChild<QMenuBar*>("menuBar");
  auto* menu = bar->findChild<QMenu*>("fileMenu");
  const QImage shown = window.grab().toImage();
  const QImage opened = menu->grab().toImage();
  QImage sheet(shown.width(), std::max(shown.height(), bar->height() + opened.height()), QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  painter.drawImage(0, 0, shown);
  painter.drawImage(bar->actionGeometry(menu->menuAction()).left(), bar->height(), opened);
  return sheet;
}

void windowPictures(const QString& folder) {
  pedivo::forms::DesktopInteraction desktop;
  pedivo::forms::AppContext context{desktop, QCoreApplication::applicationDirPath() + "/"};
  pedivo::app::MainWindow window(context);
  mainWindowWithMenu(window).save(folder + "/main-window.png");
  pedivo::forms::ProjectDialog dialog(sampleProject(), QStringLiteral("用于本窗口的计算书和设计文件。"));
  dialog.grab().save(folder + "/project-dialog.png");

  const QString table = folder + "/batch.csv";
  QFile file(table);
  if (file.open(QIODevice::WriteOnly))
    file.write("id,module,member,EdtN,EdtV,EdtM,CBf\nC1,j1,KZ-1,80,40,,\nC2,j1,KZ-2,3000,100,,\nC3,gc,KZ-3,80,40,300,\n"
               "C4,zz,KZ-4,,,,\nC5,g11,KZ-5,,,,Q500\n");
  file.close();
  // Input windows with their 文件 button, and result windows of an unfinished and of an
  // out-of-date design with their reports.
  for (const char* id : {"j1", "j2", "g3"}) {
    pedivo::forms::InputWindow input(*pedivo::findModule(id), context);
    input.grab().save(folder + "/" + id + "-input.png");
    std::cout << id << " 输入窗口标题：" << input.windowTitle().toStdString() << '\n';
  }
  std::cout << "主窗口标题：" << window.windowTitle().toStdString() << '\n';
  const auto statePictures = [&](const char* id, const char* name, auto&& change) {
    pedivo::DesignSession session(*pedivo::findModule(id));
    session.setProject(sampleProject());
    change(session);
    pedivo::forms::ResultWindow result(session.module(), session.results(),
                                       pedivo::drawing::drawIssuedSheet(session, pedivo::softwareVersion()), desktop);
    result.showStatus(pedivo::forms::qs(session.statusLine()), session.status() == pedivo::DesignStatus::Unfinished);
    result.resize(result.width(), 600);
    result.grab().save(folder + "/" + id + "-" + name + "-window.png");
    auto tags = session.report();
    for (auto& stamp : pedivo::writingTags(std::time(nullptr))) tags.push_back(std::move(stamp));
    pedivo::fillTemplate(QCoreApplication::applicationDirPath().toStdString() + "/" + session.module().templateFile,
                         tags, (folder + "/" + id + "-" + name + ".docx").toStdString(),
                         pedivo::DocumentKind::Document, std::nullopt);
  };
  statePictures("g11", "stopped", [](pedivo::DesignSession& session) {
    session.calculate();
    for (const auto& [control, text] : {std::pair{"Edthc", "400"}, {"Edtbf", "400"}, {"Edttw", "13"}, {"Edttf", "21"},
                                        {"EdtN", "-2500"}, {"EdtM", "450"}})
      session.setText(control, text);
    session.calculate();
  });
  statePictures("g2", "stale", [](pedivo::DesignSession& session) {
    session.calculate();
    session.setText("EdtM", "400");
  });

  pedivo::forms::BatchWindow batch(context, {});
  batch.resize(1100, 320);
  batch.show();
  batch.runTable(table);
  batch.grab().save(folder + "/batch-window.png");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  pedivo::forms::installChineseTranslations(app);
  pedivo::forms::DesktopInteraction desktop;
  if (argc != 2) {
    std::cerr << "用法：pedivo-drawing-preview 文件夹\n";
    return 2;
  }
  for (const pedivo::ModuleDescriptor* module : pedivo::allModules()) {
    pedivo::DesignSession session(*module);
    session.setProject(sampleProject());
    session.calculate();
    const auto drawn = pedivo::drawing::drawDesign(session);
    const auto issued = pedivo::drawing::drawIssuedSheet(session, pedivo::softwareVersion());
    pedivo::forms::ResultWindow window(*module, session.results(), issued, desktop);
    window.resize(window.width(), 600);
    window.grab().save(QString::fromLocal8Bit(argv[1]) + "/" + pedivo::forms::qs(module->id) + "-window.png");
    if (const auto* refusal = std::get_if<pedivo::drawing::DrawingRefusal>(&drawn)) {
      std::cerr << module->id << ": " << refusal->message << '\n';
      continue;
    }
    const QString path = QString::fromLocal8Bit(argv[1]) + "/" + pedivo::forms::qs(module->id) + ".png";
    // The issued sheet as its DXF file, to open in CAD programs.
    if (const auto failure = pedivo::drawing::writeDxf(std::get<pedivo::drawing::Drawing>(issued),
                                                        std::string(argv[1]) + "/" + module->id + ".dxf"))
      std::cerr << *failure << '\n';
    const auto& sheet = std::get<pedivo::drawing::Drawing>(drawn);
    const std::string folder = argv[1];
    auto tags = session.report();
    for (auto& stamp : pedivo::writingTags(std::time(nullptr))) tags.push_back(std::move(stamp));
    pedivo::fillTemplate(QCoreApplication::applicationDirPath().toStdString() + "/" + module->templateFile,
                         tags, folder + "/" + module->id + ".docx", pedivo::DocumentKind::Document,
                         pedivo::forms::reportPicture(sheet));
    if (!pedivo::forms::drawingImage(std::get<pedivo::drawing::Drawing>(drawn), 160, 200).save(path)) {
      std::cerr << "无法写入 " << path.toStdString() << '\n';
      return 2;
    }
  }
  windowPictures(QString::fromLocal8Bit(argv[1]));
  return 0;
}
