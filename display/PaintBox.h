#pragma once
// PaintBox1: the on-screen picture of the main window. It paints Image1 (1102 x 802) and
// repaints only the rows the drawing code reports; the main window connects
// PictureSurfaces::rowsChanged to RepaintRows in its wiring function.
#include <QWidget>

#include "PictureSurfaces.h"

namespace orvix {

class TPaintBox : public QWidget {
 public:
  explicit TPaintBox(PictureSurfaces& surfaces, QWidget* parent = nullptr);

  // Schedules a repaint of surface rows first..last (clipped to the picture).
  void RepaintRows(int firstSurfaceRow, int lastSurfaceRow);
  // Paint events handled so far (the benchmarks wait for the next one).
  int Paints() const { return paints_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureSurfaces& surfaces_;
  int paints_ = 0;
};

}  // namespace orvix
