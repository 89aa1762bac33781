// The linescan kernels: the row taken (no redraw for the same row, -5 redraws), the row
// and pixel numbers per resolution and view, the spin step, the level rounding, and reads
// that stay inside Image1.
#include <gtest/gtest.h>

#include "Linescan.h"

namespace orvix {
namespace {

TEST(Linescan, RowTaken) {
  EXPECT_FALSE(TakeLinescanRow(2, 2));          // the same row: no redraw
  EXPECT_EQ(TakeLinescanRow(-5, 2), 2);         // redraw of the current row
  EXPECT_EQ(TakeLinescanRow(-1, 2), 1);         // -1 is a row asked for: clamped to 1
  EXPECT_EQ(TakeLinescanRow(-5, 0), 1);
  EXPECT_EQ(TakeLinescanRow(0 - 1 + 0, 7), 1);  // mouse at y = 0
  EXPECT_EQ(TakeLinescanRow(801 - 1, 7), 800);
  EXPECT_EQ(TakeLinescanRow(5000, 7), 800);
}

TEST(Linescan, RowAndPixelNumbers) {
  EXPECT_EQ(LinescanRowNumber(0x10, 1, 401), 200);
  EXPECT_EQ(LinescanPixelNumber(0x10, 1, 1100), 550);
  EXPECT_EQ(LinescanRowNumber(0x10, 5, 401), 1);
  EXPECT_EQ(LinescanPixelNumber(0x10, 5, 600), 50);
  EXPECT_EQ(LinescanRowNumber(0x20, 2, 300), 300);
  EXPECT_EQ(LinescanRowNumber(0x20, 5, 500), 200);
  EXPECT_EQ(LinescanPixelNumber(0x20, 5, 700), 300);
  EXPECT_EQ(LinescanRowNumber(0x30, 1, 300), 600);
  EXPECT_EQ(LinescanRowNumber(0x30, 5, 500), 400);
  EXPECT_EQ(LinescanPixelNumber(0x30, 5, 700), 600);
  EXPECT_EQ(LinescanRowNumber(0x40, 3, 300), 1200);
  EXPECT_EQ(LinescanPixelNumber(0x40, 5, 300), 200);
  EXPECT_FALSE(LinescanRowNumber(0x50, 1, 300));
  EXPECT_FALSE(LinescanPixelNumber(0x00, 5, 300));
  EXPECT_EQ(ClampMarkerColumn(1, 0), 1);
  EXPECT_EQ(ClampMarkerColumn(1, 1200), 1100);
  EXPECT_EQ(ClampMarkerColumn(5, 1100), 1099);
  EXPECT_EQ(LinescanSpinStep(0x10, 1), 2);
  EXPECT_EQ(LinescanSpinStep(0x10, 5), 1);
  EXPECT_EQ(LinescanSpinStep(0x20, 1), 1);
}

TEST(Linescan, LevelsRoundHalfToEven) {
  EXPECT_EQ(LevelPercent(32), 12);   // 12.5
  EXPECT_EQ(LevelPercent(96), 38);   // 37.5
  EXPECT_EQ(LevelPercent(255), 100);
  EXPECT_EQ(LevelPercent(0), 0);
}

TEST(Linescan, ProfileReadsInsideImage1AndDrawsTheTrace) {
  QImage image1(1102, 802, QImage::Format_RGB32);
  for (int x = 0; x < 1102; ++x) image1.setPixel(x, 9, qRgb(x & 255, 1, 2));
  LinescanProfile v{};
  ReadProfile(image1, 10, v);  // row 10 reads Image1 row 9, columns 1..1100
  EXPECT_EQ(v[0], 1);
  EXPECT_EQ(v[254], 255);
  EXPECT_EQ(v[1099], 1100 & 255);
  for (int row : {-100, 0, 900, 1 << 30}) {
    v.fill(9);
    ReadProfile(image1, row, v);
    EXPECT_EQ(v[0], 0) << row;
  }
  EXPECT_EQ(ImageLevel(image1, -1, 9), 0);
  EXPECT_EQ(ImageLevel(image1, 1102, 9), 0);
  EXPECT_EQ(ImageLevel(image1, 255, 9), 255);

  QImage plot(1101, 270, QImage::Format_RGB32);
  plot.fill(Qt::white);
  LinescanProfile flat{};
  flat.fill(0);
  flat[500] = 255;
  DrawProfile(plot, flat);
  EXPECT_EQ(plot.pixel(300, 261), 0xFF00FF00u);  // level 0 on the bottom line
  EXPECT_EQ(plot.pixel(500, 6), 0xFF00FF00u);    // 255 at y = 6
  EXPECT_EQ(plot.pixel(50, 30), 0xFF000000u);    // black between
  EXPECT_EQ(plot.pixel(99, 5), 0xFF808080u);     // grid crossing
  EXPECT_EQ(plot.pixel(1100, 269), 0xFF000000u);
}

}  // namespace
}  // namespace orvix
