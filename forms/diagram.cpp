#include "forms/diagram.h"

#include <QPainter>

namespace pedivo::forms {

QImage diagramImage(const std::string& moduleId, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  painter.drawText(image.rect(), Qt::AlignCenter, QString::fromStdString(moduleId));
  return image;
}

}  // namespace pedivo::forms
