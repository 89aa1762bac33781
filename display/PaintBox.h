#pragma once
// PaintBox1: the on-screen picture of the main window. It paints Image1 (1102 x 802) and
// repaints only the rows the drawing code reports; the main window connects
// PictureSurfaces::rowsChanged to RepaintRows in its wiring function.
//
// Mouse presses and moves over the picture go to the handlers attached at the time, with
// Image1 pixel coordinates; with none attached the picture ignores the mouse. The
// measurement and the linescan attach theirs only while their mode is active.
#include <QPoint>
#include <QWidget>
#include <functional>

#include "PictureSurfaces.h"

namespace orvix {

class TPaintBox : public QWidget {
 public:
  explicit TPaintBox(PictureSurfaces& surfaces, QWidget* parent = nullptr);

  // Schedules a repaint of surface rows first..last (clipped to the picture).
  void RepaintRows(int firstSurfaceRow, int lastSurfaceRow);
  // Paint events handled so far (the benchmarks wait for the next one).
  int Paints() const { return paints_; }

  // Image1 pixel coordinates; an empty handler detaches.
  using MouseHandler = std::function<void(QPoint)>;
  void SetMouseDown(MouseHandler handler);
  void SetMouseMove(MouseHandler handler);
  bool MouseDownAttached() const { return bool(mouseDown_); }
  bool MouseMoveAttached() const { return bool(mouseMove_); }
  // The Image1 pixel under widget position `p` (the widget may be shown at another size).
  QPoint ToPicture(QPoint p) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  PictureSurfaces& surfaces_;
  MouseHandler mouseDown_;
  MouseHandler mouseMove_;
  int paints_ = 0;
};

}  // namespace orvix
