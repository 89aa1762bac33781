#pragma once
// The picture of the main window and the one-row bitmaps it is built from.
//
// Image1 (1102 x 802, 32-bit RGB) is the one picture surface: the paint box PaintBox1 shows
// it, and save, print, the linescan trace and the measurement read it. "Drawing on
// PaintBox1" means writing Image1 and reporting the rows written through rowsChanged; the
// paint box then repaints those rows. The picture proper (1100 x 800) sits inside a
// one-pixel border; reach it through Picture(), never with +1 offsets of your own.
//
// UI thread only.
#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <string>

#include "DisplayConstants.h"

namespace orvix {

// The anaglyph choices of the settings window's " Anaglif " page: the colour pair
// (RadioButton13 / RadioButton15), the turn (RadioButton6 = 0 degrees, RadioButton7 = 90
// degrees) and the flips (CheckBox7 top to bottom, CheckBox17 left to right).
struct AnaglyphOptions {
  bool redCyan = true;
  bool greenMagenta = false;
  bool rotate90 = false;
  bool flipVertical = false;
  bool flipHorizontal = false;
};

// The 1100 x 800 picture area of Image1: display row r, column c is surface row r + 1,
// column c + 1. Reads outside the area give 0; writes outside it are dropped.
class PictureArea {
 public:
  static constexpr int kColumns = display::kPictureColumns;
  static constexpr int kRows = display::kPictureRows;

  explicit PictureArea(QImage& surface) : surface_(&surface) {}

  static bool Inside(int row, int column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
  }
  // Where the area lies on Image1.
  static QRect SurfaceRect() {
    return QRect(display::kPictureLeft, display::kPictureTop, kColumns, kRows);
  }
  static QPoint ToSurface(int row, int column) {
    return QPoint(column + display::kPictureLeft, row + display::kPictureTop);
  }

  QRgb Pixel(int row, int column) const;
  void SetPixel(int row, int column, QRgb colour);
  // The 1100 pixels of display row `row`; nullptr outside 0..799.
  const QRgb* Row(int row) const;
  QRgb* Row(int row);
  // The picture on its own, 1100 x 800.
  QImage Copy() const;

 private:
  QImage* surface_;
};

class PictureSurfaces {
 public:
  PictureSurfaces();
  PictureSurfaces(const PictureSurfaces&) = delete;
  PictureSurfaces& operator=(const PictureSurfaces&) = delete;

  QImage Image1;      // 1102 x 802, Format_RGB32, black at creation
  QImage RowBitmapA;  // 1100 x 1, Format_RGB888 each
  QImage RowBitmapB;
  QImage MarkerRowA;
  QImage MarkerRowB;
  // Backup of Image1 taken at the first click of a measurement; the rubber band is erased
  // by copying its pixels back from here.
  QImage Image4;

  // Mirror of the settings window's anaglyph controls: that window's handlers keep it
  // current, and the full redraws compose the anaglyph with it.
  AnaglyphOptions Anaglyph;

  // Hooks, all optional.
  // Surface rows first..last of Image1 were written (one call per drawing run).
  std::function<void(int firstSurfaceRow, int lastSurfaceRow)> rowsChanged;
  // The row followed by the linescan window was redrawn: it redraws its current line.
  std::function<void()> linescanRedraw;
  // The view caption after a full redraw (the main window shows it right-aligned).
  std::function<void(const std::string&)> captionChanged;

  PictureArea Picture() { return PictureArea(Image1); }
  const PictureArea Picture() const { return PictureArea(const_cast<QImage&>(Image1)); }

  // Row bookkeeping for the drawing code: rows written inside a batch are reported once,
  // when the outermost batch ends (see RowBatch).
  void MarkRows(int firstSurfaceRow, int lastSurfaceRow);
  void BeginBatch() { ++batchDepth_; }
  void EndBatch();

 private:
  int batchDepth_ = 0;
  int dirtyFirst_ = -1;
  int dirtyLast_ = -1;
};

// Collects the rows written while it lives and reports them in one rowsChanged call.
class RowBatch {
 public:
  explicit RowBatch(PictureSurfaces& p) : p_(p) { p_.BeginBatch(); }
  ~RowBatch() { p_.EndBatch(); }
  RowBatch(const RowBatch&) = delete;
  RowBatch& operator=(const RowBatch&) = delete;

 private:
  PictureSurfaces& p_;
};

}  // namespace orvix
