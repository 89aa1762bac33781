#include "PaintBox.h"

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

}  // namespace orvix
