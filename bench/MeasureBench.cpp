// One rubber-band mouse move of the measurement (erase the old band from the Image4
// backup, draw the new one, cross redrawn) and one linescan trace redraw (the row read
// from Image1, grid and curve drawn on the plot). Each must stay far below a 16 ms screen
// refresh so the line and the trace follow the mouse without lag.
#include <benchmark/benchmark.h>

#include "Linescan.h"
#include "Measurement.h"
#include "PictureSurfaces.h"

namespace orvix {
namespace {

void FillPicture(QImage& img) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb((x + y) & 255, 0, 0));
}

void BM_RubberBandMove(benchmark::State& state) {
  PictureSurfaces p;
  FillPicture(p.Image1);
  p.Image4 = p.Image1.copy();
  DimensionMeasurement m;
  m.PointA = m.LastMouse = QPoint(50, 50);
  bool far = false;
  for (auto _ : state) {
    // The longest bands: corner to corner and back.
    m.MouseMove(p, far ? QPoint(1100, 800) : QPoint(1090, 790));
    far = !far;
    benchmark::DoNotOptimize(p.Image1.constBits());
  }
}
BENCHMARK(BM_RubberBandMove)->Unit(benchmark::kMicrosecond);

void BM_LinescanTraceRedraw(benchmark::State& state) {
  QImage image1(1102, 802, QImage::Format_RGB32);
  FillPicture(image1);
  QImage plot(linescan::kPlotWidth, linescan::kPlotHeight, QImage::Format_RGB32);
  LinescanProfile v{};
  int row = 1;
  for (auto _ : state) {
    ReadProfile(image1, row, v);
    DrawProfile(plot, v);
    row = row % 800 + 1;
    benchmark::DoNotOptimize(plot.constBits());
  }
}
BENCHMARK(BM_LinescanTraceRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvix
