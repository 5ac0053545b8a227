#include "forms/diagram.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace pedivo::forms {
namespace {

constexpr double laneSpacing = 13;  // px between dimension lanes
constexpr double arrowLength = 5;
constexpr double minimumBoltSize = 7;

QFont labelFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(10);
  return font;
}

QFont captionFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(11);
  return font;
}

int lanesOn(const View& drawing, Axis axis, bool before) {
  int lanes = 0;
  for (const auto& d : drawing.dimensions)
    if (d.axis == axis && (before ? d.lane < 0 : d.lane > 0)) lanes = std::max(lanes, std::abs(d.lane));
  return lanes;
}

// Millimetres of the drawing to pixels of the picture.
struct Mapping {
  double scale, originX, originY;
  QPointF at(double x, double y) const { return {originX + x * scale, originY + y * scale}; }
  double length(double mm) const { return mm * scale; }
};

void paintArrow(QPainter& painter, QPointF tip, QPointF direction) {
  const QPointF side(-direction.y(), direction.x());
  const QPolygonF head{tip, tip - direction * arrowLength + side * 2.0, tip - direction * arrowLength - side * 2.0};
  painter.drawPolygon(head);
}

void paintPart(QPainter& painter, const Part& part, const Mapping& map) {
  const QRectF rect(map.at(part.x, part.y), QSizeF(map.length(part.width), map.length(part.height)));
  QPen outline(Qt::black, 1);
  switch (part.kind) {
    case PartKind::Plate:
      painter.setBrush(QColor(232, 232, 232));
      break;
    case PartKind::Steel:
      painter.setBrush(QColor(150, 150, 150));
      break;
    case PartKind::Stiffener:
      painter.setBrush(QColor(90, 90, 90));
      break;
    case PartKind::Concrete:
      painter.setBrush(QBrush(QColor(170, 170, 170), Qt::BDiagPattern));
      break;
    case PartKind::TopPlate:
      painter.setBrush(QBrush(QColor(120, 120, 120), Qt::FDiagPattern));
      outline.setStyle(Qt::DashLine);
      break;
  }
  painter.setPen(outline);
  painter.drawRect(rect);
}

void paintBolt(QPainter& painter, const Bolt& bolt, const Mapping& map) {
  const QPointF centre = map.at(bolt.x, bolt.y);
  const double radius = std::max(map.length(bolt.diameter), minimumBoltSize) / 2;
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawEllipse(centre, radius, radius);
  const double reach = radius + 3;
  painter.drawLine(centre - QPointF(reach, 0), centre + QPointF(reach, 0));
  painter.drawLine(centre - QPointF(0, reach), centre + QPointF(0, reach));
}

void paintDimension(QPainter& painter, const Dimension& dim, const View& drawing, const Mapping& map) {
  const QFontMetricsF metrics(painter.font());
  const QString label = QString::fromStdString(dim.label);
  painter.setBrush(Qt::black);
  if (dim.axis == Axis::Horizontal) {
    const double edge = dim.lane < 0 ? map.at(0, drawing.top).y() : map.at(0, drawing.bottom).y();
    const double y = edge + dim.lane * laneSpacing;
    const QPointF a(map.at(dim.from, 0).x(), y), b(map.at(dim.to, 0).x(), y);
    painter.setPen(QPen(QColor(110, 110, 110), 0.6));
    painter.drawLine(QPointF(a.x(), edge), QPointF(a.x(), y + (dim.lane < 0 ? -2 : 2)));
    painter.drawLine(QPointF(b.x(), edge), QPointF(b.x(), y + (dim.lane < 0 ? -2 : 2)));
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawLine(a, b);
    paintArrow(painter, a, QPointF(-1, 0));
    paintArrow(painter, b, QPointF(1, 0));
    const double width = metrics.horizontalAdvance(label);
    // A label too long for its line goes beside the line, on the side away from the drawing's
    // middle, where no arrowhead covers it.
    double labelX = (a.x() + b.x() - width) / 2;
    if (std::fabs(b.x() - a.x()) < width + 2 * arrowLength + 2) {
      const double middle = map.at((drawing.left + drawing.right) / 2, 0).x();
      labelX = (a.x() + b.x()) / 2 < middle ? std::min(a.x(), b.x()) - width - 2 : std::max(a.x(), b.x()) + 2;
    }
    painter.drawText(QPointF(labelX, y - 2), label);
  } else {
    const double edge = dim.lane < 0 ? map.at(drawing.left, 0).x() : map.at(drawing.right, 0).x();
    const double x = edge + dim.lane * laneSpacing;
    const QPointF a(x, map.at(0, dim.from).y()), b(x, map.at(0, dim.to).y());
    painter.setPen(QPen(QColor(110, 110, 110), 0.6));
    painter.drawLine(QPointF(edge, a.y()), QPointF(x + (dim.lane < 0 ? -2 : 2), a.y()));
    painter.drawLine(QPointF(edge, b.y()), QPointF(x + (dim.lane < 0 ? -2 : 2), b.y()));
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawLine(a, b);
    paintArrow(painter, a, QPointF(0, -1));
    paintArrow(painter, b, QPointF(0, 1));
    // Vertical dimensions read from below, as on a drawing; a label too long for its line goes
    // beyond the line's end, away from the drawing's middle.
    const double width = metrics.horizontalAdvance(label);
    double labelBottom = (a.y() + b.y()) / 2 + width / 2;
    if (std::fabs(b.y() - a.y()) < width + 2 * arrowLength + 2) {
      const double middle = map.at(0, (drawing.top + drawing.bottom) / 2).y();
      labelBottom = (a.y() + b.y()) / 2 < middle ? std::min(a.y(), b.y()) - 2 : std::max(a.y(), b.y()) + width + 2;
    }
    painter.save();
    painter.translate(x - 2, labelBottom);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), label);
    painter.restore();
  }
}

// Paints one view scaled to fit the area, keeping its proportions.
void paintView(QPainter& painter, const View& view, const QRectF& area) {
  const double left = laneSpacing * lanesOn(view, Axis::Vertical, true) + 12;
  const double right = laneSpacing * lanesOn(view, Axis::Vertical, false) + 12;
  const double top = laneSpacing * lanesOn(view, Axis::Horizontal, true) + 12;
  const double bottom = laneSpacing * lanesOn(view, Axis::Horizontal, false) + 4;
  const double widthMm = view.right - view.left;
  const double heightMm = view.bottom - view.top;
  const double scale = std::min((area.width() - left - right) / widthMm, (area.height() - top - bottom) / heightMm);
  const double x0 = area.left() + left + (area.width() - left - right - widthMm * scale) / 2;
  const double y0 = area.top() + top + (area.height() - top - bottom - heightMm * scale) / 2;
  const Mapping map{scale, x0 - view.left * scale, y0 - view.top * scale};
  for (const auto& part : view.parts) paintPart(painter, part, map);
  for (const auto& bolt : view.bolts) paintBolt(painter, bolt, map);
  for (const auto& dim : view.dimensions) paintDimension(painter, dim, view, map);
}

}  // namespace

void paintDrawing(QPainter& painter, const Drawing& drawing, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(labelFont());
  const double captionHeight = 16;
  double shares = 0;
  for (const View& view : drawing.views) shares += view.widthShare;
  const double viewsHeight = area.height() - captionHeight - 2;
  double x = area.left();
  for (const View& view : drawing.views) {
    const double width = area.width() * view.widthShare / shares;
    paintView(painter, view, QRectF(x, area.top(), width, viewsHeight));
    x += width;
  }
  painter.setFont(captionFont());
  painter.setPen(Qt::black);
  painter.drawText(QRectF(area.left(), area.bottom() - captionHeight - 2, area.width(), captionHeight),
                   Qt::AlignHCenter | Qt::AlignVCenter, QString::fromStdString(drawing.caption));
  painter.restore();
}

QImage diagramImage(const std::string& moduleId, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintDrawing(painter, baseDrawing(moduleId, BaseDimensions{}), QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

}  // namespace pedivo::forms
