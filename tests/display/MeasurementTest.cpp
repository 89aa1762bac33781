// The measurement kernels: the length and its text, the placement next to the line, the
// rubber band that must leave the picture exactly as it was, and the two-click cycle.
#include <gtest/gtest.h>

#include "Measurement.h"

namespace orvix {
namespace {

TEST(Measurement, LengthTextTwoSignificantDigits) {
  EXPECT_EQ(MeasuredLength(288, 5000, 240), 6000);
  EXPECT_EQ(LengthText(6000), " 6.0µm ");
  EXPECT_EQ(LengthText(6250), " 6.2µm ");  // 62.5 rounds to even
  EXPECT_EQ(LengthText(6350), " 6.4µm ");
  EXPECT_EQ(LengthText(999), " 1000nm ");
  EXPECT_EQ(LengthText(5), " 5.0nm ");
  EXPECT_EQ(LengthText(42), " 42nm ");
  EXPECT_EQ(LengthText(123456), " 120µm ");
  EXPECT_EQ(LengthText(2500000), " 2.5mm ");
  EXPECT_EQ(LengthText(999999999), " 1000mm ");
  EXPECT_EQ(LengthText(1000000000), " ?mm ");
  EXPECT_EQ(LengthText(INT64_MAX), " ?mm ");
}

TEST(Measurement, DistanceNeverZeroAndBarNeverDividesByZero) {
  EXPECT_EQ(PixelDistance({10, 10}, {13, 14}), 5);
  EXPECT_EQ(MeasuredLength(0, 5000, 240), 21);   // d = 0 counts as 1
  EXPECT_EQ(MeasuredLength(3, 5000, 0), 15000);  // BarPixels2 = 0 counts as 1
}

TEST(Measurement, ResultPlacedBesideTheLineInsideThePicture) {
  EXPECT_EQ(ResultPlacement({100, 200}, {300, 400}, 50), QPoint(210, 270));
  // Past column 1099 the text goes left of the midpoint.
  EXPECT_EQ(ResultPlacement({1000, 300}, {1100, 300}, 60), QPoint(1060 - 70 - 10, 270));
  EXPECT_EQ(ResultPlacement({1000, 300}, {1020, 300}, 59), QPoint(1020, 270));  // 1099 fits
  // Above row 40 it moves 40 lower.
  EXPECT_EQ(ResultPlacement({100, 50}, {100, 60}, 50).y(), 65);
  EXPECT_EQ(ResultPlacement({100, 70}, {100, 70}, 50).y(), 40);
}

QImage Pattern() {
  QImage img(1102, 802, QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb(x & 255, y & 255, 7));
  return img;
}

TEST(Measurement, RubberBandErasedLeavesThePictureExactly) {
  PictureSurfaces p;
  p.Image1 = Pattern();
  const QImage before = p.Image1.copy();
  p.Image4 = p.Image1.copy();
  const QPoint a(500, 400);
  for (const QPoint end : {QPoint(510, 700), QPoint(0, 0), QPoint(1101, 801), QPoint(500, 400),
                           QPoint(-300, 5000), QPoint(2000, -40)}) {
    DrawBand(p.Image1, a, end);
    EXPECT_EQ(p.Image1.pixel(a), 0xFFFF0000u);
    EraseBand(p.Image1, p.Image4, a, end);
    EXPECT_EQ(p.Image1, before) << end.x() << "," << end.y();
  }
  // A cross at the very corner stays inside Image1.
  RysujKrzyz(p.Image1, {0, 0});
  EXPECT_EQ(p.Image1.pixel(0, 0), 0xFFFF0000u);
  RysujKrzyz(p.Image1, {5000, -5000});
}

TEST(Measurement, TwoClicksWriteTheResultAndTheBandFollowsTheMouse) {
  SharedState s;
  s.BarNanometres = 5000;
  s.BarPixels2 = 240;
  s.MeasureOn = 1;
  PictureSurfaces p;
  p.Image1 = Pattern();
  const QImage before = p.Image1.copy();
  DimensionMeasurement m;
  m.Arm();
  auto r = m.MouseDown(s, p, {100, 300});
  EXPECT_EQ(r.step, DimensionMeasurement::Step::FirstPoint);
  EXPECT_EQ(p.Image4, p.Image1);  // backup taken with the first cross on it
  EXPECT_EQ(p.Image4.pixel(99, 299), 0xFFFF0000u);
  m.MouseMove(p, {200, 300});
  EXPECT_EQ(p.Image1.pixel(150, 300), 0xFFFF0000u);
  m.MouseMove(p, {100, 500});
  EXPECT_EQ(p.Image1.pixel(150, 300), before.pixel(150, 300));  // old band erased
  EXPECT_EQ(m.LastMouse, QPoint(100, 500));
  r = m.MouseDown(s, p, {388, 300});
  EXPECT_EQ(r.step, DimensionMeasurement::Step::Finished);
  EXPECT_EQ(r.d, 288);
  EXPECT_EQ(r.text, " 6.0µm ");
  EXPECT_EQ(r.textAt, QPoint(254, 270));
  EXPECT_EQ(s.MeasureOn.load(), 0);
  EXPECT_EQ(s.PictureAnnotated.load(), 1);
  bool white = false;  // the text is white on black
  for (int y = 270; y < 300 && !white; ++y)
    for (int x = 254; x < 330 && !white; ++x) white = p.Image1.pixel(x, y) == 0xFFFFFFFFu;
  EXPECT_TRUE(white);

  // Two clicks on one point: d = 1; BarPixels2 = 0 is taken as 1.
  s.BarPixels2 = 0;
  s.BarNanometres = 50;
  m.Arm();
  m.MouseDown(s, p, {600, 600});
  r = m.MouseDown(s, p, {600, 600});
  EXPECT_EQ(r.d, 1);
  EXPECT_EQ(s.BarPixels2, 1);
  EXPECT_EQ(r.text, " 50nm ");
}

}  // namespace
}  // namespace orvix
