#pragma once
// Diagrams of the base types, drawn by our own code from their geometry.

#include <QImage>
#include <QSize>
#include <string>

#include "forms/diagram_geometry.h"

class QPainter;
class QRectF;

namespace pedivo::forms {

// Paints a drawing scaled to fit the area, keeping its proportions.
void paintDrawing(QPainter& painter, const Drawing& drawing, const QRectF& area);

// The diagram of a base type (by its template name: "j1", "gc", ...) with representative sizes.
QImage diagramImage(const std::string& moduleId, QSize size);

}  // namespace pedivo::forms
