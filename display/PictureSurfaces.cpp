#include "PictureSurfaces.h"

#include <algorithm>

namespace orvix {

using namespace display;

QRgb PictureArea::Pixel(int row, int column) const {
  if (!Inside(row, column)) return 0;
  return reinterpret_cast<const QRgb*>(
      std::as_const(*surface_).constScanLine(row + kPictureTop))[column + kPictureLeft];
}

void PictureArea::SetPixel(int row, int column, QRgb colour) {
  if (!Inside(row, column)) return;
  reinterpret_cast<QRgb*>(surface_->scanLine(row + kPictureTop))[column + kPictureLeft] = colour;
}

const QRgb* PictureArea::Row(int row) const {
  if (row < 0 || row >= kRows) return nullptr;
  return reinterpret_cast<const QRgb*>(std::as_const(*surface_).constScanLine(row + kPictureTop)) +
         kPictureLeft;
}

QRgb* PictureArea::Row(int row) {
  if (row < 0 || row >= kRows) return nullptr;
  return reinterpret_cast<QRgb*>(surface_->scanLine(row + kPictureTop)) + kPictureLeft;
}

QImage PictureArea::Copy() const { return surface_->copy(SurfaceRect()); }

PictureSurfaces::PictureSurfaces()
    : Image1(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32),
      RowBitmapA(kPictureColumns, 1, QImage::Format_RGB888),
      RowBitmapB(kPictureColumns, 1, QImage::Format_RGB888),
      MarkerRowA(kPictureColumns, 1, QImage::Format_RGB888),
      MarkerRowB(kPictureColumns, 1, QImage::Format_RGB888) {
  Image1.fill(Qt::black);
  for (QImage* row : {&RowBitmapA, &RowBitmapB, &MarkerRowA, &MarkerRowB}) row->fill(Qt::black);
}

void PictureSurfaces::MarkRows(int firstSurfaceRow, int lastSurfaceRow) {
  firstSurfaceRow = std::max(firstSurfaceRow, 0);
  lastSurfaceRow = std::min(lastSurfaceRow, kLastSurfaceRow);
  if (firstSurfaceRow > lastSurfaceRow) return;
  if (dirtyFirst_ < 0) {
    dirtyFirst_ = firstSurfaceRow;
    dirtyLast_ = lastSurfaceRow;
  } else {
    dirtyFirst_ = std::min(dirtyFirst_, firstSurfaceRow);
    dirtyLast_ = std::max(dirtyLast_, lastSurfaceRow);
  }
  if (batchDepth_ == 0) {
    BeginBatch();
    EndBatch();
  }
}

void PictureSurfaces::EndBatch() {
  if (batchDepth_ > 0) --batchDepth_;
  if (batchDepth_ > 0 || dirtyFirst_ < 0) return;
  const int first = dirtyFirst_;
  const int last = dirtyLast_;
  dirtyFirst_ = dirtyLast_ = -1;
  if (rowsChanged) rowsChanged(first, last);
}

}  // namespace orvix
