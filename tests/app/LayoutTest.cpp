// Screen fitting and the button column: truncating divisions, the refusal limits (one
// pixel either side) and the stacking of panels with their gaps.
#include <gtest/gtest.h>

#include "Layout.h"

namespace orvix::layout {
namespace {

TEST(Layout, FitToScreenLimits) {
  EXPECT_FALSE(FitToScreen(1280, 864).accepted);
  EXPECT_FALSE(FitToScreen(1220, 1024).accepted);
  EXPECT_TRUE(FitToScreen(1221, 865).accepted);
  EXPECT_TRUE(FitToScreen(1920, 1080).accepted);
}

TEST(Layout, FitToScreenPlacesPictureAndTexts) {
  const ScreenFit f = FitToScreen(1280, 1024);
  EXPECT_EQ(f.window, (Rect{0, 0, 1280, 1024}));
  EXPECT_EQ(f.panel1, (Rect{9, 109, 1106, 806}));  // (1024 - 805) / 2 = 109.5 -> 109
  EXPECT_EQ(f.staticText1Left, 9);
  EXPECT_EQ(f.staticText1Top, 917);
  EXPECT_EQ(f.staticText3Top, 81);
  EXPECT_EQ(f.staticText4Top, 917);
  EXPECT_EQ(RightAlignedLeft(f.panel1, 100), 1015);

  // Narrow screen: the left offset is negative and truncates toward zero.
  const ScreenFit n = FitToScreen(1221, 865);
  EXPECT_EQ(n.panel1.left, -10);  // -32 / 3 = -10.67
  EXPECT_EQ(n.panel1.top, 30);
  const ScreenFit w = FitToScreen(1920, 1200);
  EXPECT_EQ(w.panel1.left, 222);  // 667 / 3
  EXPECT_EQ(w.panel1.top, 197);   // 395 / 2
}

TEST(Layout, ColumnGapAndHeight) {
  const ScreenFit f = FitToScreen(1280, 1024);
  const ColumnLayout c = LayoutButtons(f.panel1, 1280, 1024);
  EXPECT_EQ(c.gap, 30);
  EXPECT_EQ(c.panel2, (Rect{1124, 82, 147, 858}));

  // A smaller picture panel shrinks the gap, never below 10.
  Rect small = f.panel1;
  small.height = 700;  // (700 + 52 - 678) / 6 = 12.3
  EXPECT_EQ(LayoutButtons(small, 1280, 1024).gap, 12);
  small.height = 686;  // exactly 10
  EXPECT_EQ(LayoutButtons(small, 1280, 1024).gap, 10);
  small.height = 600;  // negative before the floor
  const ColumnLayout m = LayoutButtons(small, 1280, 1024);
  EXPECT_EQ(m.gap, 10);
  EXPECT_EQ(m.panel2.height, 738);
}

TEST(Layout, ButtonStack) {
  const ScreenFit f = FitToScreen(1280, 1024);
  const ColumnLayout c = LayoutButtons(f.panel1, 1280, 1024);
  // Run modes carry their mode-text panels: 56 high; the others 36.
  EXPECT_EQ(c.panels[kRECORD].panel, (Rect{15, 32, 117, 56}));
  EXPECT_EQ(c.panels[kADD].panel.top, 88);
  EXPECT_EQ(c.panels[kVISUAL].panel.top, 144);
  EXPECT_EQ(c.panels[kSTART].panel, (Rect{15, 230, 117, 36}));  // after a gap
  EXPECT_EQ(c.panels[kSTOP].panel.top, 266);
  EXPECT_EQ(c.panels[kPic1].panel.top, 332);
  EXPECT_EQ(c.panels[kPicAl].panel.top, 476);
  EXPECT_EQ(c.panels[kLINESCAN].panel.top, 542);
  EXPECT_EQ(c.panels[kWymiar].panel.top, 722);
  EXPECT_EQ(c.panels[kEXIT].panel, (Rect{15, 788, 117, 36}));
  // The column ends gap + 4 below the last panel.
  EXPECT_EQ(c.panel2.height - c.panels[kEXIT].panel.bottom(), c.gap + 4);
  for (const PlacedPanel& p : c.panels) EXPECT_EQ(p.button, (Rect{6, 6, 105, 24}));
  EXPECT_EQ(c.modeText, (Rect{6, 33, 104, 15}));
  // Panels never overlap and keep their order.
  for (int s = 1; s < kSlotCount; ++s)
    EXPECT_GE(c.panels[s].panel.top, c.panels[s - 1].panel.bottom()) << s;
}

}  // namespace
}  // namespace orvix::layout
