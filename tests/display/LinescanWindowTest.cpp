// The linescan window: opening shows the row last followed, the row and pixel texts and the
// level for the resolution and view, the spin's step, the marker kept on its column, no
// redraw for the same row, the trace read from Image1, and closing detaches the mouse.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "FakeMainWindowLink.h"
#include "TOscyl.h"

namespace orvix {
namespace {

struct Linescan : ::testing::Test {
  SharedState s;
  test::FakeMainWindowLink main;
  PictureSurfaces picture;
  std::unique_ptr<TOscyl> w;
  void SetUp() override {
    s.WorkMode = 0x22;
    s.ViewMode = 1;
    w = std::make_unique<TOscyl>(s, picture);
    w->AttachMainWindow(&main);
  }
  QString Row() const { return w->StaticText1->text(); }
  QString Pixel() const { return w->StaticText2->text(); }
  QString Level() const { return w->StaticText3->text(); }
};

TEST_F(Linescan, WindowAsCreated) {
  EXPECT_EQ(w->windowTitle(), "     Linescan");
  EXPECT_EQ(w->width(), 1250);
  EXPECT_EQ(w->height(), 280);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->Label12->text(), "Numer linii");
  EXPECT_EQ(w->Label8->text(), "Numer punktu");
  EXPECT_EQ(w->Label9->text(), "Amplituda");
  EXPECT_EQ(w->SpeedButton6->text(), "Zamknij");
  EXPECT_EQ(Level(), "0");
  EXPECT_EQ(s.LinescanLine.load(), 2);
}

TEST_F(Linescan, OpenFollowAndClose) {
  for (int x = 0; x < 1102; ++x) picture.Image1.setPixel(x, 1, qRgb(32, 32, 32));
  for (int x = 0; x < 1102; ++x) picture.Image1.setPixel(x, 799, qRgb(255, 255, 255));
  w->start_oscylograf();
  EXPECT_EQ(s.LinescanOn.load(), 1);
  EXPECT_TRUE(main.linescanMouse);
  EXPECT_TRUE(main.rowMarkerShown);
  EXPECT_EQ(main.rowMarkerTop, 3);  // row 2 first
  EXPECT_EQ(Row(), "2");
  EXPECT_EQ(w->Redraws(), 1);
  EXPECT_EQ(w->Plot().pixel(10, 261 - 32), 0xFF00FF00u);  // the trace of Image1 row 1
  EXPECT_EQ(w->x(), 100 - 36);

  w->rysujznacznik(500);
  EXPECT_EQ(Pixel(), "500");
  EXPECT_EQ(Level(), "12");  // 12.5 to even
  w->WezLinieWyswietl(2);
  EXPECT_EQ(w->Redraws(), 1);  // the same row: no redraw
  w->RedrawLine();
  EXPECT_EQ(w->Redraws(), 2);

  w->FollowMouse(700, 0);  // above the picture: row 1
  EXPECT_EQ(s.LinescanLine.load(), 1);
  w->FollowMouse(1200, 801);
  EXPECT_EQ(s.LinescanLine.load(), 800);
  EXPECT_EQ(Pixel(), "1100");
  EXPECT_EQ(Level(), "100");
  // Reads stay inside Image1 whatever the row asked for.
  w->FollowMouse(-50, 100000);
  EXPECT_EQ(s.LinescanLine.load(), 800);

  w->start_oscylograf();  // the toggle closes it
  EXPECT_EQ(s.LinescanOn.load(), 0);
  EXPECT_FALSE(main.linescanMouse);
  EXPECT_FALSE(main.rowMarkerShown);
  EXPECT_FALSE(w->isVisible());
  main.panel.moveLeft(9);  // a 1280-wide screen: 36 to the left would be off the screen
  w->start_oscylograf();  // reopening shows the last row
  EXPECT_EQ(s.LinescanLine.load(), 800);
  EXPECT_EQ(w->x(), 0);
}

TEST_F(Linescan, NumbersPerResolutionAndView) {
  s.WorkMode = 0x12;
  w->start_oscylograf();
  w->FollowMouse(1100, 402);
  EXPECT_EQ(s.LinescanLine.load(), 401);
  EXPECT_EQ(Row(), "200");
  EXPECT_EQ(Pixel(), "550");
  w->SpinButton2DownClick();
  EXPECT_EQ(s.LinescanLine.load(), 403);
  EXPECT_EQ(w->MarkerColumn(), 1100);  // the marker stays on its column
  w->SpinButton2UpClick();
  EXPECT_EQ(s.LinescanLine.load(), 401);

  s.WorkMode = 0x22;
  s.ViewMode = 5;
  w->FollowMouse(700, 100);
  EXPECT_EQ(Pixel(), "300");
  w->FollowMouse(1100, 100);
  EXPECT_EQ(w->MarkerColumn(), 1099);
  w->SpinButton2DownClick();
  EXPECT_EQ(s.LinescanLine.load(), 100);  // step 1 in the ALL view

  s.WorkMode = 0x72;  // unknown lines code: the texts stay
  const QString before = Row();
  w->FollowMouse(10, 300);
  EXPECT_EQ(Row(), before);
}

}  // namespace
}  // namespace orvix
