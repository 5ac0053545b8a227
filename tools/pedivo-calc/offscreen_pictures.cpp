#include "offscreen_pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <clocale>
#include <iostream>

#include "forms/paint_drawing.h"

namespace pedivo::calc {
namespace {

// Qt's notes (such as that the C locale is not UTF-8) are no business of a command-line user;
// what stops Qt from working is told on standard error.
void criticalOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "pedivo-calc: Qt: " << message.toStdString() << '\n';
}

}  // namespace

OffscreenPictures::OffscreenPictures() {
  for (std::size_t i = 0; i < arguments_.size(); ++i) argv_[i] = arguments_[i].data();
  qInstallMessageHandler(criticalOnly);
  // "-platform offscreen" on the command line Qt is given outranks QT_QPA_PLATFORM.
  application_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
  // Qt takes the user's locale for the C library; numbers are read and written in the C locale
  // throughout the calculator (a decimal comma would change what "12.5" reads as).
  std::setlocale(LC_ALL, "C");
  // The font database is filled once here, on the main thread, rather than by the first worker.
  QImage warm(8, 8, QImage::Format_RGB32);
  QPainter painter(&warm);
  painter.setFont(QFont(QStringLiteral("Noto Sans CJK SC")));
  painter.drawText(0, 8, QStringLiteral("0柱"));
}

OffscreenPictures::~OffscreenPictures() = default;

PicturePainter OffscreenPictures::painter() const {
  return [](const drawing::Drawing& drawing) -> std::optional<ReportPicture> { return forms::reportPicture(drawing); };
}

}  // namespace pedivo::calc
