// Writes the diagram bitmaps that the main window loads from the program's folder.

#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "forms/diagram.h"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: pedivo-diagrams OUTPUT_FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const struct {
    const char* id;
    const char* file;
  } pictures[] = {{"j1", "j2.bmp"},  {"j2", "j4.bmp"}, {"g11", "g11.bmp"}, {"g12", "g12.bmp"},
                  {"g2", "g2.bmp"}, {"g3", "g3.bmp"}, {"gc", "gc.bmp"}};
  for (const auto& picture : pictures) {
    const QImage image = pedivo::forms::diagramImage(picture.id, QSize(321, 193));
    if (!image.save(folder + "/" + picture.file, "BMP")) {
      std::fprintf(stderr, "pedivo-diagrams: cannot write %s\n", picture.file);
      return 1;
    }
  }
  return 0;
}
