// The paint box shows Image1 under its design name and size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

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

// Mouse events reach only the handlers attached, in Image1 pixels also when the widget is
// shown at another size.
TEST(PaintBox, MouseGoesToAttachedHandlersInPicturePixels) {
  PictureSurfaces p;
  TPaintBox box(p);
  std::vector<QPoint> downs, moves;
  auto send = [&](QEvent::Type type, QPoint at) {
    QMouseEvent e(type, QPointF(at), QPointF(at), Qt::LeftButton,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &e);
  };
  send(QEvent::MouseButtonPress, {10, 10});  // nothing attached: ignored
  box.SetMouseDown([&](QPoint q) { downs.push_back(q); });
  box.SetMouseMove([&](QPoint q) { moves.push_back(q); });
  EXPECT_TRUE(box.hasMouseTracking());
  send(QEvent::MouseButtonPress, {388, 300});
  send(QEvent::MouseMove, {400, 301});
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0], QPoint(388, 300));
  EXPECT_EQ(moves.at(0), QPoint(400, 301));
  box.setFixedSize(551, 401);  // shown at half size
  send(QEvent::MouseButtonPress, {194, 150});
  EXPECT_EQ(downs.at(1), QPoint(388, 300));
  box.SetMouseDown(nullptr);
  box.SetMouseMove(nullptr);
  EXPECT_FALSE(box.hasMouseTracking());
  send(QEvent::MouseButtonPress, {1, 1});
  send(QEvent::MouseMove, {1, 1});
  EXPECT_EQ(downs.size(), 2u);
  EXPECT_EQ(moves.size(), 1u);
}

}  // namespace
}  // namespace orvix
