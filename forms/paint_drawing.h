#pragma once
// Paints a base's drawing with QPainter: in the result window and into the report's picture.
// Everything is drawn from the core's primitives and strokes, so what the window shows is what the
// DXF file and the report hold. Qt Gui alone: pedivo-calc paints its reports' pictures with it
// on Qt's offscreen platform.

#include <QByteArray>
#include <QImage>
#include <QRectF>

#include "design/common/report_picture.h"
#include "design/drawing/drawing.h"

class QPainter;

namespace pedivo::forms {

// Paints the drawing scaled to fit `target`, times `zoom`, shifted by `pan` pixels; `lineScale`
// widens the pens for high-resolution pictures. Texts are never smaller than `smallestText`
// pixels (on screen, where a true-scale text would be too small to read). Returns pixels per
// millimetre.
double paintDrawing(QPainter& painter, const drawing::Drawing& drawing, const QRectF& target, double zoom = 1,
                    QPointF pan = {}, double lineScale = 1, double smallestText = 0);

// The drawing on a white picture `widthMm` wide at `dpi`, for the report.
QImage drawingImage(const drawing::Drawing& drawing, double widthMm, double dpi);
QByteArray drawingPng(const drawing::Drawing& drawing, double widthMm, double dpi);

// The drawing for the report: a 300 dpi PNG as wide as the text on an A4 page, or less where
// the sheet is tall.
ReportPicture reportPicture(const drawing::Drawing& drawing);

}  // namespace pedivo::forms
