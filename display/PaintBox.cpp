#include "PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace orvix {

TPaintBox::TPaintBox(PictureSurfaces& surfaces, QWidget* parent)
    : QWidget(parent), surfaces_(surfaces) {
  setObjectName("PaintBox1");
  setFixedSize(display::kSurfaceWidth, display::kSurfaceHeight);
  // Image1 covers the whole widget: no background fill before each paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::RepaintRows(int firstSurfaceRow, int lastSurfaceRow) {
  firstSurfaceRow = std::max(firstSurfaceRow, 0);
  lastSurfaceRow = std::min(lastSurfaceRow, display::kLastSurfaceRow);
  if (firstSurfaceRow > lastSurfaceRow) return;
  update(QRect(0, firstSurfaceRow, display::kSurfaceWidth, lastSurfaceRow - firstSurfaceRow + 1));
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect r = event->rect();
  painter.drawImage(r, surfaces_.Image1, r);
  ++paints_;
}

void TPaintBox::SetMouseDown(MouseHandler handler) { mouseDown_ = std::move(handler); }

void TPaintBox::SetMouseMove(MouseHandler handler) {
  mouseMove_ = std::move(handler);
  setMouseTracking(bool(mouseMove_));  // moves without a pressed button reach it too
}

QPoint TPaintBox::ToPicture(QPoint p) const {
  const int w = std::max(width(), 1);
  const int h = std::max(height(), 1);
  if (w == display::kSurfaceWidth && h == display::kSurfaceHeight) return p;
  return QPoint(int(int64_t(p.x()) * display::kSurfaceWidth / w),
                int(int64_t(p.y()) * display::kSurfaceHeight / h));
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && mouseDown_) {
    // The handler may detach itself; it runs from a copy.
    const MouseHandler h = mouseDown_;
    h(ToPicture(event->position().toPoint()));
  }
  QWidget::mousePressEvent(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (mouseMove_) {
    const MouseHandler h = mouseMove_;
    h(ToPicture(event->position().toPoint()));
  }
  QWidget::mouseMoveEvent(event);
}

}  // namespace orvix
