// The paint box shows Image1 under its design name and size.
#include <gtest/gtest.h>

#include <QApplication>

#include "PaintBox.h"
#include "ViewBuilders.h"

namespace orvix {
namespace {

TEST(PaintBox, ShowsImageOne) {
  auto s = std::make_unique<SharedState>();
  s->ImageStore[StoreIndex(0, 0, 1)] = 123;
  PictureSurfaces p;
  TPaintBox box(p);
  p.rowsChanged = [&](int a, int b) { box.RepaintRows(a, b); };
  EXPECT_EQ(box.objectName(), "PaintBox1");
  EXPECT_EQ(box.size(), QSize(1102, 802));
  RedrawPicture(*s, p, 1, 0x20, "r");
  const QImage shot = box.grab().toImage();
  EXPECT_EQ(shot.pixel(1, 1), display::GreyArgb(123));
  EXPECT_EQ(shot.pixel(0, 0), 0xFFFF00FFu);
  box.RepaintRows(-10, 5000);
}

}  // namespace
}  // namespace orvix
