#include "Linescan.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "Lines.h"

namespace orvix {

using namespace linescan;

namespace {
constexpr int kAllView = 5;
bool Single(int view) { return view >= 1 && view <= 4; }
}  // namespace

std::optional<int32_t> TakeLinescanRow(int32_t n, int32_t current) {
  if (n == current) return std::nullopt;
  const int32_t L = n > kRedrawLimit ? n : current;
  return std::clamp(L, int32_t(kFirstRow), int32_t(kLastRow));
}

std::optional<int32_t> LinescanRowNumber(uint8_t linesCode, int view, int32_t L) {
  const bool all = view == kAllView;
  switch (LinesOf(linesCode)) {
    case Lines::L400: return all ? L % 400 : L / 2;
    case Lines::L800: return all ? (2 * L) % 800 : L;
    case Lines::L1600: return all ? (4 * L) % 1600 : 2 * L;
    case Lines::L1600b: return all ? (8 * L) % 1600 : 4 * L;
    default: return std::nullopt;
  }
}

std::optional<int32_t> LinescanPixelNumber(uint8_t linesCode, int view, int32_t x) {
  const bool all = view == kAllView;
  switch (LinesOf(linesCode)) {
    case Lines::L400: return all ? x % 550 : x / 2;
    case Lines::L800: return all ? (2 * x) % 1100 : x;
    case Lines::L1600: return all ? (4 * x) % 2200 : 2 * x;
    case Lines::L1600b: return all ? (8 * x) % 2200 : 4 * x;
    default: return std::nullopt;
  }
}

int32_t ClampMarkerColumn(int view, int32_t x) {
  return std::clamp<int32_t>(x, 1, view == kAllView ? kColumns - 1 : kColumns);
}

int32_t LinescanSpinStep(uint8_t linesCode, int view) {
  return LinesOf(linesCode) == Lines::L400 && Single(view) ? 2 : 1;
}

int32_t LevelPercent(int32_t v) { return int32_t(std::nearbyint(v * 100.0 / 256.0)); }

uint8_t ImageLevel(const QImage& image1, int column, int row) {
  if (column < 0 || row < 0 || column >= image1.width() || row >= image1.height()) return 0;
  return uint8_t(qRed(reinterpret_cast<const QRgb*>(image1.constScanLine(row))[column]));
}

void ReadProfile(const QImage& image1, int32_t L, LinescanProfile& v) {
  const int row = L - 1;
  if (row < 0 || row >= image1.height() || image1.width() < kColumns + 1) {
    for (int i = 0; i < kColumns; ++i) v[size_t(i)] = ImageLevel(image1, i + 1, row);
    return;
  }
  const QRgb* line = reinterpret_cast<const QRgb*>(image1.constScanLine(row));
  for (int i = 0; i < kColumns; ++i) v[size_t(i)] = uint8_t(qRed(line[i + 1]));
}

void DrawProfile(QImage& plot, const LinescanProfile& v) {
  QPainter p(&plot);
  p.fillRect(0, 0, kPlotWidth, kPlotHeight, Qt::black);
  p.setPen(QPen(QColor::fromRgb(kGrid), 1, Qt::DotLine));
  for (int k = 0; k <= 5; ++k) {
    const int y = int(k * kGridStep) + kGridTop;
    p.drawLine(0, y, kColumns - 1, y);
  }
  for (int k = 1; k <= 11; ++k) p.drawLine(100 * k - 1, kGridTop, 100 * k - 1, kGridBottom);
  p.drawLine(0, kGridTop, 0, kGridBottom);
  QPolygon trace(kColumns);
  for (int i = 0; i < kColumns; ++i) trace.setPoint(i, i, kBaseline - v[size_t(i)]);
  p.setPen(QPen(QColor::fromRgb(kTrace), 1, Qt::SolidLine));
  p.drawPolyline(trace);
}

}  // namespace orvix
