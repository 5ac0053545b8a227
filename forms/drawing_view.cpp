#include "forms/drawing_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "forms/drawing_painter.h"

namespace pedivo::forms {
namespace {
constexpr double notch = 1.25;  // zoom of one wheel notch
constexpr double smallest = 0.5, largest = 40;
constexpr double smallestText = 8;  // pixels: a dimension stays readable with the whole sheet in view
}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DrawingView"));
  setMinimumSize(360, 300);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setCursor(Qt::OpenHandCursor);
}

void DrawingView::setDrawing(const drawing::Drawing& drawing) {
  drawing_ = drawing;
  refusal_.clear();
  resetView();
}

void DrawingView::setRefusal(const QString& message) {
  drawing_.reset();
  refusal_ = message;
  resetView();
}

void DrawingView::resetView() {
  zoom_ = 1;
  pan_ = {};
  update();
}

void DrawingView::zoomAt(QPointF at, double steps) {
  const double next = std::clamp(zoom_ * std::pow(notch, steps), smallest, largest);
  const QPointF centre = QRectF(rect()).center();
  // The point under the cursor stays where it is.
  pan_ = at - centre - (at - centre - pan_) * (next / zoom_);
  zoom_ = next;
  update();
}

void DrawingView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (drawing_) {
    paintDrawing(painter, *drawing_, QRectF(rect()), zoom_, pan_, 1, smallestText);
    return;
  }
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap, refusal_);
}

void DrawingView::wheelEvent(QWheelEvent* event) {
  if (!drawing_) return;
  zoomAt(event->position(), event->angleDelta().y() / 120.0);
  event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event) { dragFrom_ = event->position(); }

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  pan_ += event->position() - dragFrom_;
  dragFrom_ = event->position();
  update();
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent*) { resetView(); }

}  // namespace pedivo::forms
