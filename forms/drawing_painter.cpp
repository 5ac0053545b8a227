#include "forms/drawing_painter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

#include "design/files/replace_file.h"
#include "forms/text.h"

namespace pedivo::forms {

using namespace pedivo::drawing;

std::optional<QString> writeDrawingPicture(const Drawing& d, const QString& path) {
  const bool svg = QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
  QByteArray bytes;
  if (svg) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const Extent e = d.extent();
    // One SVG unit a millimetre of paper at 1:10, a size a browser shows whole.
    const QSize size(static_cast<int>(e.width() / 10 * 3.78) + 1, static_cast<int>(e.height() / 10 * 3.78) + 1);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(qs(d.title));
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintDrawing(painter, d, QRectF(QPointF(0, 0), size));
    painter.end();
  } else {
    bytes = drawingPng(d, 400, 150);
  }
  // An image that could not be encoded (no memory for it) is no picture: nothing is written.
  if (bytes.isEmpty()) return QStringLiteral("无法写入文件“%1”：无法生成图片").arg(path);
  // Written as every other file of the program: the reason in the user's words on failure.
  if (const auto why = replaceFile(localPath(path), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
    return QStringLiteral("无法写入文件“%1”：%2").arg(path, qs(*why));
  return std::nullopt;
}

}  // namespace pedivo::forms
