#include "forms/paint_drawing.h"

#include <QBuffer>
#include <QFont>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <limits>
#include <unordered_map>

#include "design/drawing/printed_sheet.h"
#include "design/drawing/strokes.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

using namespace pedivo::drawing;

QColor layerColour(Layer layer) {
  switch (layer) {
    case Layer::Outline: return {0, 0, 0};
    case Layer::Bolts: return {200, 0, 0};
    case Layer::Stiffeners: return {0, 70, 190};
    case Layer::Welds: return {170, 0, 170};
    case Layer::Dimensions: return {0, 120, 0};
    case Layer::Text: return {0, 0, 0};
    case Layer::Centre: return {200, 0, 0};
  }
  return {0, 0, 0};
}

double penWidth(Layer layer) { return layer == Layer::Outline ? 1.6 : 1.0; }

const QColor steelHatchColour(90, 90, 90);
const QColor concreteHatchColour(150, 150, 150);

// The report's picture in 256 colours: every ink of the drawing (the layers' colours and the
// hatches') in shades towards the white paper, which are the colours the painter's smoothed
// edges take. A pixel gets the nearest of them, looked up once for each colour the picture
// holds; solid lines and the paper keep their colours exactly.
QImage paletteImage(const QImage& image) {
  const QColor inks[] = {layerColour(Layer::Outline),  layerColour(Layer::Bolts), layerColour(Layer::Stiffeners),
                         layerColour(Layer::Welds),    layerColour(Layer::Dimensions), steelHatchColour,
                         concreteHatchColour};  // the centre lines share the bolts' red
  constexpr int shades = 36;  // 7 inks × 36 shades and the paper: 253 colours
  QList<QRgb> palette{qRgb(255, 255, 255)};
  for (const QColor& ink : inks)
    for (int i = 0; i < shades; ++i) {
      const auto toward = [i](int c) { return c + (255 - c) * i / shades; };
      palette.push_back(qRgb(toward(ink.red()), toward(ink.green()), toward(ink.blue())));
    }
  const auto nearest = [&palette](QRgb colour) {
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size(); ++i) {
      const int r = qRed(colour) - qRed(palette[i]), g = qGreen(colour) - qGreen(palette[i]),
                b = qBlue(colour) - qBlue(palette[i]);
      const int distance = r * r + g * g + b * b;
      if (distance < bestDistance) best = i, bestDistance = distance;
    }
    return static_cast<uchar>(best);
  };
  QImage indexed(image.size(), QImage::Format_Indexed8);
  indexed.setColorTable(palette);
  indexed.setDotsPerMeterX(image.dotsPerMeterX());
  indexed.setDotsPerMeterY(image.dotsPerMeterY());
  // Most of a picture is paper, and a line is a run of one colour: the colour just looked up is
  // kept, and the table is asked only where the colour changes.
  std::unordered_map<QRgb, uchar> found{{qRgb(255, 255, 255), 0}};
  QRgb last = 0xffffffffu;
  uchar lastIndex = 0;
  const int width = image.width(), height = image.height();
  for (int y = 0; y < height; ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* to = indexed.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const QRgb colour = from[x] | 0xff000000u;
      if (colour != last) {
        auto known = found.find(colour);
        if (known == found.end()) known = found.emplace(colour, nearest(colour)).first;
        last = colour;
        lastIndex = known->second;
      }
      to[x] = lastIndex;
    }
  }
  return indexed;
}

// Model millimetres (y up) to the painter's pixels (y down).
struct Mapping {
  double scale, left, top, x0, y0, smallestText;
  QPointF operator()(Point p) const { return {x0 + (p.x - left) * scale, y0 + (top - p.y) * scale}; }
};

void drawText(QPainter& painter, const Mapping& map, const PlacedText& text, const QColor& colour) {
  const double pixels = std::max(text.height * map.scale, map.smallestText);
  if (pixels < 1) return;
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
  painter.setFont(font);
  painter.setPen(colour);
  painter.save();
  painter.translate(map(text.at));
  painter.rotate(-text.angle);
  const QString s = qs(text.text);
  if (text.centred) {
    const double w = painter.fontMetrics().horizontalAdvance(s) + pixels;
    painter.drawText(QRectF(-w / 2, -pixels, w, 2 * pixels), Qt::AlignCenter, s);
  } else {
    painter.drawText(QPointF(0, 0), s);
  }
  painter.restore();
}

}  // namespace

double paintDrawing(QPainter& painter, const Drawing& d, const QRectF& target, double zoom, QPointF pan,
                    double lineScale, double smallestText) {
  const Extent e = d.extent();
  if (e.width() <= 0 || e.height() <= 0) return 0;
  const double margin = pictureMargin;
  const double fit = std::min(target.width() * (1 - 2 * margin) / e.width(),
                              target.height() * (1 - 2 * margin) / e.height());
  const double scale = fit * zoom;
  const Mapping map{scale, e.left, e.top, target.center().x() - e.width() * scale / 2 + pan.x(),
                    target.center().y() - e.height() * scale / 2 + pan.y(), smallestText};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const auto pen = [&](Layer layer, LineStyle style = LineStyle::Solid) {
    QPen p(layerColour(layer), penWidth(layer) * lineScale);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    // Dashes in pen widths: a hidden edge 6 on 3 off, a centre line a long dash and a dot.
    if (style == LineStyle::Hidden) p.setDashPattern({6, 3});
    if (style == LineStyle::Centre) p.setDashPattern({16, 3, 2, 3});
    painter.setPen(p);
    painter.setBrush(Qt::NoBrush);
  };

  for (const auto& hatch : d.hatches) {
    QPolygonF polygon;
    for (const auto& p : hatch.boundary) polygon << map(p);
    QBrush brush(hatch.pattern == HatchPattern::Steel ? steelHatchColour : concreteHatchColour,
                 hatch.pattern == HatchPattern::Steel ? Qt::BDiagPattern : Qt::Dense6Pattern);
    brush.setTransform(QTransform::fromScale(lineScale, lineScale));
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawPolygon(polygon);
  }
  for (const auto& polyline : d.polylines) {
    pen(polyline.layer, polyline.style);
    QPolygonF polygon;
    for (const auto& p : polyline.points) polygon << map(p);
    if (polyline.closed)
      painter.drawPolygon(polygon);
    else
      painter.drawPolyline(polygon);
  }
  for (const auto& line : d.lines) {
    pen(line.layer, line.style);
    painter.drawLine(map(line.from), map(line.to));
  }
  for (const auto& circle : d.circles) {
    pen(circle.layer);
    const double r = circle.radius * scale;
    painter.drawEllipse(map(circle.centre), r, r);
  }
  for (const auto& arc : d.arcs) {
    pen(arc.layer);
    const QPointF c = map(arc.centre);
    const double r = arc.radius * scale;
    painter.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(arc.startAngle * 16),
                    static_cast<int>((arc.endAngle - arc.startAngle) * 16));
  }
  const double h = d.textHeight;
  for (const auto& dim : d.dimensions) {
    pen(Layer::Dimensions);
    painter.setPen(QPen(layerColour(Layer::Dimensions), 0.8 * lineScale));
    for (const auto& s : dimensionStrokes(dim, h)) painter.drawLine(map(s.from), map(s.to));
    drawText(painter, map, dimensionText(dim, h), layerColour(Layer::Dimensions));
  }
  for (const auto& leader : d.leaders) {
    pen(leader.layer);
    for (const auto& s : leaderStrokes(leader, h)) painter.drawLine(map(s.from), map(s.to));
    drawText(painter, map, leaderText(leader, h), layerColour(leader.layer));
  }
  for (const auto& label : d.labels) drawText(painter, map, labelText(label), layerColour(label.layer));
  painter.restore();
  return scale;
}

QImage drawingImage(const Drawing& d, double widthMm, double dpi) {
  const Extent e = d.extent();
  const double pixelsPerMm = dpi / 25.4;
  const int width = static_cast<int>(widthMm * pixelsPerMm);
  const int height = std::max(1, static_cast<int>(width * std::max(e.height(), 1.0) / std::max(e.width(), 1.0)));
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(pixelsPerMm * 1000));
  image.setDotsPerMeterY(static_cast<int>(pixelsPerMm * 1000));
  image.fill(Qt::white);
  QPainter painter(&image);
  paintDrawing(painter, d, QRectF(0, 0, width, height), 1, {}, dpi / 96);
  return image;
}

QByteArray drawingPng(const Drawing& d, double widthMm, double dpi) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  drawingImage(d, widthMm, dpi).save(&buffer, "PNG");
  return bytes;
}

ReportPicture reportPicture(const Drawing& d) {
  constexpr double dpi = 300;
  const PrintedSize page = printedSize(d.extent());
  // One byte a pixel instead of four, squeezed at zlib's fastest level: a third of the time of
  // the full-colour picture at its default level, and a smaller file. Qt sets the level from the
  // quality q as (100 − q)·9/91: 80 gives level 1.
  constexpr int fastestCompression = 80;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(fastestCompression);
  writer.write(paletteImage(drawingImage(d, page.widthMm, dpi)));
  return {std::string(png.constData(), static_cast<std::size_t>(png.size())), page.widthMm, page.heightMm,
          pictureCaption(d)};
}

}  // namespace pedivo::forms
