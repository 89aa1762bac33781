#include "RowDrawing.h"

#include <algorithm>
#include <cstring>

namespace orvix {

using namespace display;

namespace rows {

uint32_t* SurfaceRow(PictureSurfaces& p, int surfaceRow) {
  if (surfaceRow < 0 || surfaceRow > kLastSurfaceRow) return nullptr;
  return reinterpret_cast<uint32_t*>(p.Image1.scanLine(surfaceRow)) + kPictureLeft;
}

void BitmapToArgb(const QImage& bitmap, uint32_t* out) {
  const uint8_t* src = bitmap.constScanLine(0);
  for (int x = 0; x < kPictureColumns; ++x, src += 3) out[x] = Argb(src[0], src[1], src[2]);
}

void ArgbToBitmap(const uint32_t* in, QImage& bitmap) {
  uint8_t* dst = bitmap.scanLine(0);
  for (int x = 0; x < kPictureColumns; ++x, dst += 3) {
    dst[0] = uint8_t(in[x] >> 16);
    dst[1] = uint8_t(in[x] >> 8);
    dst[2] = uint8_t(in[x]);
  }
}

void GreyToBitmap(const uint8_t* grey, QImage& bitmap) {
  uint8_t* dst = bitmap.scanLine(0);
  for (int x = 0; x < kPictureColumns; ++x, dst += 3) dst[0] = dst[1] = dst[2] = grey[x];
}

void PutArgbRow(PictureSurfaces& p, int surfaceRow, const uint32_t* row) {
  uint32_t* dst = SurfaceRow(p, surfaceRow);
  if (dst == nullptr) return;
  std::memcpy(dst, row, kPictureColumns * sizeof(uint32_t));
  p.MarkRows(surfaceRow, surfaceRow);
}

void PutGreyRow(PictureSurfaces& p, int surfaceRow, const uint8_t* grey) {
  uint32_t* dst = SurfaceRow(p, surfaceRow);
  if (dst == nullptr) return;
  for (int x = 0; x < kPictureColumns; ++x) dst[x] = GreyArgb(grey[x]);
  p.MarkRows(surfaceRow, surfaceRow);
}

void CheckLinescan(SharedState& s, PictureSurfaces& p, int surfaceRow) {
  if (s.LinescanOn.load() != 0 && s.LinescanLine.load() == surfaceRow && p.linescanRedraw)
    p.linescanRedraw();
}

}  // namespace rows

namespace {

void FillColour(QImage& bitmap, Rgb c, int first, int last) {
  uint8_t* dst = bitmap.scanLine(0);
  first = std::max(first, 0);
  last = std::min(last, kPictureColumns - 1);
  for (int x = first; x <= last; ++x) {
    dst[3 * x] = c.r;
    dst[3 * x + 1] = c.g;
    dst[3 * x + 2] = c.b;
  }
}

// Draws a row bitmap at a surface row.
void PutBitmap(PictureSurfaces& p, const QImage& bitmap, int surfaceRow) {
  uint32_t* dst = rows::SurfaceRow(p, surfaceRow);
  if (dst == nullptr) return;
  rows::BitmapToArgb(bitmap, dst);
  p.MarkRows(surfaceRow, surfaceRow);
}

void SetMarkerRow(QImage& marker, int bits) {
  FillColour(marker, kBlack, 0, kPictureColumns - 1);
  if (bits & 1) FillColour(marker, kLime, 1, kQuadrantColumns);
  if (bits & 2) FillColour(marker, kLime, kRightQuadrantColumn, kPictureColumns - 1);
  FillColour(marker, kFuchsia, kDividerColumn, kDividerColumn);
}

}  // namespace

void FillRow(const std::string& letter, QImage& bitmap) {
  FillColour(bitmap, ColourOfLetter(letter.empty() ? '\0' : letter[0]), 0, kPictureColumns - 1);
}

void SetMarkerRows(PictureSurfaces& p, uint8_t mask) {
  SetMarkerRow(p.MarkerRowA, mask & 3);
  SetMarkerRow(p.MarkerRowB, (mask >> 2) & 3);
}

void BlitRow(SharedState& s, PictureSurfaces& p, int y, int d) {
  RowBatch batch(p);
  const int row = y + 1;
  PutBitmap(p, p.RowBitmapA, row);
  if (row < kMarkerLimit) PutBitmap(p, p.MarkerRowA, row + d);
  rows::CheckLinescan(s, p, row);
}

void BlitQuadrantRow(SharedState& s, PictureSurfaces& p, int y) {
  RowBatch batch(p);
  PutBitmap(p, p.RowBitmapA, y);
  PutBitmap(p, p.RowBitmapB, y + kQuadrantRows);
  rows::CheckLinescan(s, p, y);
  rows::CheckLinescan(s, p, y + kQuadrantRows);
  if (y < kQuadrantMarkerLimit) {
    PutBitmap(p, p.MarkerRowA, y + 1);
    PutBitmap(p, p.MarkerRowB, y + kQuadrantRows + 1);
  }
}

void DrawQuadrantFrame(SharedState& s, PictureSurfaces& p) {
  RowBatch batch(p);
  FillRow("b", p.MarkerRowA);
  PutBitmap(p, p.MarkerRowA, kDividerRow - 1);
  PutBitmap(p, p.MarkerRowA, kPictureRows);
  FillRow("f", p.MarkerRowA);
  PutBitmap(p, p.MarkerRowA, kDividerRow);
  for (QImage* row : {&p.RowBitmapA, &p.RowBitmapB}) {
    FillRow("b", *row);
    FillColour(*row, kFuchsia, kDividerColumn, kDividerColumn);
  }
  const int line = s.LinescanLine.load();
  if (s.LinescanOn.load() != 0 && (line == 0 || line == kDividerRow || line == kLastDisplayRow) &&
      p.linescanRedraw)
    p.linescanRedraw();
}

void DrawPictureBorder(PictureSurfaces& p) {
  const uint32_t fuchsia = Argb(kFuchsia);
  uint32_t* top = reinterpret_cast<uint32_t*>(p.Image1.scanLine(0));
  uint32_t* bottom = reinterpret_cast<uint32_t*>(p.Image1.scanLine(kLastSurfaceRow));
  std::fill(top, top + kSurfaceWidth, fuchsia);
  std::fill(bottom, bottom + kSurfaceWidth, fuchsia);
  for (int r = 1; r < kLastSurfaceRow; ++r) {
    uint32_t* line = reinterpret_cast<uint32_t*>(p.Image1.scanLine(r));
    line[0] = fuchsia;
    line[kLastSurfaceColumn] = fuchsia;
  }
  p.MarkRows(0, kLastSurfaceRow);
}

void ClampRows(int& start, int& end) {
  start = std::max(start, 0);
  end = std::max(end, 0);
  end = std::max(end, start);
  start = std::min(start, kLastDisplayRow);
  end = std::min(end, kLastDisplayRow);
}

void ClampQuadrantRows(int& start, int& end, int& count) {
  start = std::max(start, 1);
  end = std::max(end, 1);
  end = std::max(end, start);
  if (count >= kQuadrantRows) count = kQuadrantRows - 1;
}

}  // namespace orvix
