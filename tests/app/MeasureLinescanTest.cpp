// The measurement, the calibration window and the linescan on the main window: refused in
// the ALL view and on a saved channel, two clicks that write the result and feed the
// calibration, a range button that drops a measurement, the picture's mouse going to the
// measurement or the linescan but never both, and the trace following a redrawn row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "AppTestSupport.h"
#include "PaintBox.h"
#include "TNastVid.h"
#include "TOscyl.h"
#include "TVideo.h"
#include "Tmodul_zew.h"

namespace orvix {
namespace {

class MeasureLinescan : public ::testing::Test, public test::WindowTestBed {
 protected:
  void SetUp() override {
    TVideoOptions o = Options();
    o.startDelayMs = 1000000;
    Assemble(o);
    SharedState& s = S();
    s.UnitScale = 12000;
    s.WorkMode = 0x22;
    s.CorrectionTable.fill(100);
    s.ViewMode = 1;
    s.UnsavedChannels = 0x01;
    s.BarNanometres = 5000;
    s.BarPixels2 = 240;
  }
  void TearDown() override { Close(); }
  TPaintBox& Box() { return *video->PaintBox1; }
  void Press(int x, int y) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Box(), &e);
  }
  void Move(int x, int y) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&Box(), &e);
  }
};

TEST_F(MeasureLinescan, MeasurementRefusedWhereNoNewPictureIsShown) {
  SharedState& s = S();
  modul->FormOtwieraj();
  for (auto [view, unsaved] : {std::pair{5, 0x0F}, std::pair{1, 0x0E}, std::pair{2, 0x01}}) {
    s.ViewMode = uint8_t(view);
    s.UnsavedChannels = uint8_t(unsaved);
    modul->SpeedButton2Click();
    EXPECT_EQ(s.MeasureOn.load(), 0) << view;
    EXPECT_FALSE(Box().MouseDownAttached()) << view;
    EXPECT_FALSE(modul->SpeedButton2->isChecked()) << "the button pops up, view " << view;
  }
  s.ViewMode = 1;
  s.UnsavedChannels = 0x01;
  s.BarNanometres = 0;  // no strip drawn yet: "Wymiar" computes the bar itself
  s.BarPixels2 = 0;
  video->KlawiszWymiarClick();
  EXPECT_EQ(s.BarNanometres, 5000);
  EXPECT_EQ(s.BarPixels2, 240);
  EXPECT_EQ(s.MeasureOn.load(), 1);
  EXPECT_TRUE(Box().MouseDownAttached());
  EXPECT_FALSE(Box().MouseMoveAttached());
}

TEST_F(MeasureLinescan, TwoClicksMeasureAndCalibrate) {
  SharedState& s = S();
  modul->FormOtwieraj();
  modul->Edit1->setText("5");
  modul->SpeedButton1Click();  // bar with 100 %: 5 µm over 240 pixels
  ASSERT_EQ(s.MeasureOn.load(), 1);
  Press(100, 300);
  EXPECT_TRUE(Box().MouseMoveAttached());
  Move(250, 300);
  Move(400, 300);
  Press(400, 300);
  EXPECT_FALSE(Box().MouseDownAttached());
  EXPECT_FALSE(Box().MouseMoveAttached());
  EXPECT_EQ(s.MeasureOn.load(), 0);
  EXPECT_EQ(s.PictureAnnotated.load(), 1);
  EXPECT_EQ(modul->Edit22->text(), "120");  // 300 px = 6 µm against 5 µm
  EXPECT_FALSE(modul->SpeedButton1->isChecked());
  EXPECT_EQ(video->Surfaces.Image1.pixel(250, 300), 0xFFFF0000u);  // the line

  // Checking with "A - B - kor" leaves the correction as it is.
  modul->SpeedButton2Click();
  Press(100, 500);
  Press(400, 500);
  EXPECT_EQ(modul->Edit22->text(), "120");
}

// "Prog. wymiarów" only repaints the picture: a measurement drawn on it stays. "Zamknij" of
// the calibration window brings back a settings window the operator opened meanwhile.
TEST_F(MeasureLinescan, CalibrationOpensOverTheMeasuredPictureAndReturnsToSettings) {
  SharedState& s = S();
  video->KlawiszWymiarClick();
  Press(100, 300);
  Press(400, 300);
  ASSERT_EQ(s.PictureAnnotated.load(), 1);
  video->KlawiszCHANGEClick();
  nastVid->Button11->click();
  EXPECT_EQ(s.PictureAnnotated.load(), 1);
  EXPECT_EQ(video->Surfaces.Image1.pixel(250, 300), 0xFFFF0000u);
  EXPECT_FALSE(nastVid->isVisible());
  ASSERT_TRUE(modul->isVisible());

  video->KlawiszCHANGEClick();
  modul->activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), modul);
  modul->Button1->click();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), nastVid);
}

TEST_F(MeasureLinescan, RangeButtonDropsAMeasurementInProgress) {
  SharedState& s = S();
  modul->FormOtwieraj();
  video->KlawiszWymiarClick();
  Press(100, 300);
  modul->RangeRadios[2]->click();
  EXPECT_FALSE(Box().MouseDownAttached());
  EXPECT_FALSE(Box().MouseMoveAttached());
  EXPECT_EQ(s.MeasureOn.load(), 0);
  video->KlawiszWymiarClick();  // "Wymiar" re-arms with both points cleared
  EXPECT_EQ(video->Measurement.PointA, QPoint(0, 0));
  EXPECT_TRUE(Box().MouseDownAttached());
}

TEST_F(MeasureLinescan, PictureMouseGoesToOneOfThemOnly) {
  SharedState& s = S();
  video->KlawiszLINESCANClick();
  ASSERT_EQ(s.LinescanOn.load(), 1);
  EXPECT_TRUE(oscyl->isVisible());
  EXPECT_TRUE(video->Image2->isVisible());
  EXPECT_TRUE(Box().MouseMoveAttached());
  EXPECT_FALSE(Box().MouseDownAttached());
  Move(500, 301);
  EXPECT_EQ(s.LinescanLine.load(), 300);
  EXPECT_EQ(oscyl->StaticText1->text(), "300");  // 800 lines, single view

  video->KlawiszWymiarClick();  // the measurement closes the linescan
  EXPECT_EQ(s.LinescanOn.load(), 0);
  EXPECT_FALSE(oscyl->isVisible());
  EXPECT_FALSE(video->Image2->isVisible());
  EXPECT_TRUE(Box().MouseDownAttached());
  Press(100, 100);
  EXPECT_TRUE(Box().MouseMoveAttached());

  video->KlawiszLINESCANClick();  // and the linescan drops the measurement
  EXPECT_EQ(s.MeasureOn.load(), 0);
  EXPECT_FALSE(Box().MouseDownAttached());
  Move(300, 201);
  EXPECT_EQ(s.LinescanLine.load(), 200);
  EXPECT_EQ(video->Measurement.LastMouse, QPoint(100, 100));  // no rubber band moved

  // The display's redraw of the followed row redraws the trace.
  const int before = oscyl->Redraws();
  video->RedrawPicture(1, s.WorkMode.load(), "b");
  EXPECT_GT(oscyl->Redraws(), before);
  video->KlawiszLINESCANClick();
  EXPECT_FALSE(Box().MouseMoveAttached());
}

}  // namespace
}  // namespace orvix
