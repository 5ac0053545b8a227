#pragma once
// The base's drawing in the result window: scaled to fit, zoomed with the wheel about the point
// under the cursor, moved by dragging, back to fit on a double click. Without a completed design
// it draws nothing and says why, in red.

#include <QPointF>
#include <QString>
#include <QWidget>
#include <optional>

#include "design/drawing/drawing.h"

namespace pedivo::forms {

class DrawingView final : public QWidget {
  Q_OBJECT
 public:
  explicit DrawingView(QWidget* parent = nullptr);

  void setDrawing(const drawing::Drawing& drawing);
  void setRefusal(const QString& message);
  bool hasDrawing() const { return drawing_.has_value(); }
  const QString& refusal() const { return refusal_; }
  double zoom() const { return zoom_; }
  // Zooms by `steps` wheel notches about a point of the view.
  void zoomAt(QPointF at, double steps);
  void resetView();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::optional<drawing::Drawing> drawing_;
  QString refusal_;
  double zoom_ = 1;
  QPointF pan_;
  QPointF dragFrom_;
};

}  // namespace pedivo::forms
