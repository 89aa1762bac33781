// Runs from the buttons to the picture: the main window with the settings window and the
// real acquisition thread (pauses shortened). Guards against a run whose frames never
// reach Image1, an ADD run that miscounts or does not stop, a RECORD run that never ends,
// a START that starts twice, a stop that leaves the station busy, and questions asked on
// the wrong picture or at the wrong place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "RunState.h"
#include "TVideo.h"
#include "AppTestSupport.h"
#include "RunControlFixture.h"
#include "TNastVid.h"
#include "ScriptedDialogs.h"

namespace orvix {
namespace {

using test::RunControlTest;
using test::ScriptedDialogs;
using test::SpinUntil;

const char* const kMissingConfig =
    "  BRAK ZBIORU KONFIGURACYJNEGO \r\n\r\n              \"  conf300.dat  \" \r\n\r\n"
    "           lub błąd tego zbioru    \r\n\r\n  Będą wprowadzone nastawy stałe.      ";
const char* const kNotSaved = " Obraz nie został zapisany. \r\n\r\n    Czy zapisać teraz ?     ";

QColor PanelColour(const QWidget* w) { return w->palette().color(QPalette::Window); }
const QColor kLime(0, 255, 0), kRed(255, 0, 0);

TEST_F(RunControlTest, StartStepWithoutConfigurationWarnsOnceAndSelectsVisual) {
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, kMissingConfig);
  SharedState& s = S();
  EXPECT_EQ(s.WorkMode, 0x10);
  EXPECT_EQ(s.ChannelCode, 0x11);
  EXPECT_EQ(s.DeviceOpen, 1);
  EXPECT_EQ(PanelColour(video->PanelVISUAL), kRed);
  EXPECT_EQ(PanelColour(video->PanelSTART), kLime);
  EXPECT_TRUE(video->KlawiszSTART->isEnabled());
  EXPECT_EQ(video->Panel103->text(), QStringLiteral(" 400/2"));
  EXPECT_EQ(video->Panel101->text(), QStringLiteral(" 800/10"));
}

TEST_F(RunControlTest, VisualFramesReachThePictureUntilStop) {
  SharedState& s = S();
  video->KlawiszSTART->click();
  EXPECT_EQ(s.AcquisitionBusy, -1);
  EXPECT_EQ(s.ViewCaptions[1], "VISUAL  ");
  EXPECT_EQ(PanelColour(video->PanelSTART), kRed);
  EXPECT_FALSE(video->KlawiszSTART->isEnabled());
  EXPECT_FALSE(video->KlawiszCHANGE->isEnabled());
  ASSERT_TRUE(SpinUntil([&] { return PictureDrawn(); }));
  EXPECT_NE(s.UnsavedChannels & 1, 0);
  EXPECT_EQ(s.RegNumber, 1);

  // Switching pictures during the run redraws from the store while frames keep coming.
  for (int i = 0; i < 6; ++i) {
    video->KlawiszPicAl->click();
    SpinUntil([] { return false; }, 30);
    video->KlawiszPic1->click();
    SpinUntil([] { return false; }, 30);
  }
  EXPECT_EQ(s.ViewMode, 1);
  EXPECT_EQ(s.AnaglyphSource, 1);

  // START again while running: ignored, the same thread goes on.
  TUSBThread* running = station.Run().Thread();
  video->KlawiszSTARTClick();
  EXPECT_EQ(station.Run().Thread(), running);

  video->KlawiszSTOP->click();
  ASSERT_TRUE(SpinUntil([&] { return Idle(); }));
  EXPECT_EQ(s.AcquisitionOn, 0);
  EXPECT_EQ(s.DisplayPending, 0);
  EXPECT_EQ(PanelColour(video->PanelSTART), kLime);
  EXPECT_TRUE(video->KlawiszSTART->isEnabled());
  EXPECT_TRUE(video->KlawiszCHANGE->isEnabled());
}

TEST_F(RunControlTest, StopWhileAFrameIsWrittenEndsTheRun) {
  SharedState& s = S();
  video->KlawiszSTARTClick();
  ASSERT_TRUE(SpinUntil([&] { return video->StaticText10->text() == QStringLiteral("R"); }));
  video->KlawiszSTOPClick();
  ASSERT_TRUE(SpinUntil([&] { return Idle(); }, 5000));
  ASSERT_TRUE(SpinUntil([&] { return video->StaticText10->text() == QStringLiteral(" "); }));
  EXPECT_EQ(s.AcquisitionBusy, 0);
  EXPECT_EQ(PanelColour(video->PanelSTOP), kRed);
}

TEST_F(RunControlTest, AddOfTenFramesCountsItsCaptionAndStops) {
  SharedState& s = S();
  nastVid->TrackBar3->setValue(10);
  video->KlawiszADD->click();
  EXPECT_EQ(s.AddOn, 1);
  EXPECT_EQ(s.WorkMode, 0x20);
  video->KlawiszSTART->click();
  EXPECT_EQ(s.ViewCaptions[1], "Picture 1 clear  ");  // "Clear RAM" shows while clearing
  std::vector<std::string> captions;
  ASSERT_TRUE(SpinUntil([&] {
    const std::string& c = s.ViewCaptions[1];
    if (c.rfind("ADD", 0) == 0 && (captions.empty() || captions.back() != c)) captions.push_back(c);
    return Idle();
  }, 60000));
  ASSERT_EQ(captions.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(captions[size_t(i)], "ADD  " + std::to_string(i + 1) + "   ");
  EXPECT_EQ(s.AddFramesDone, 10);
  EXPECT_EQ(s.AcquisitionOn, 0);
  // The last display redrew without a marker row: the marker bitmap is black.
  EXPECT_EQ(video->Surfaces.MarkerRowA.pixel(500, 0) & 0xFFFFFF, 0u);
  EXPECT_TRUE(PictureDrawn());
}

TEST_F(RunControlTest, RecordAt400LinesEndsThroughItsTimers) {
  SharedState& s = S();
  video->KlawiszRECORD->click();
  EXPECT_EQ(s.RecordOn, -1);
  s.WorkMode = 0x12;  // 400 lines, set directly: the LINES list offers it only outside RECORD
  video->KlawiszSTART->click();
  EXPECT_EQ(s.ViewCaptions[1], "RECORD  ");
  ASSERT_TRUE(SpinUntil([&] { return video->Timer3->isActive(); }));
  ASSERT_TRUE(SpinUntil([&] { return Idle() && !video->Timer3->isActive() &&
                                     !video->Timer4->isActive(); }, 30000));
  // Every row of the frame is in the store, also the rows written after the last tick.
  EXPECT_EQ(s.PrevFrameLines, 400);
  EXPECT_NE(s.ImageStore[StoreIndex(300, 399, 1)], 0);
  EXPECT_NE(s.UnsavedChannels & 1, 0);  // Timer4Timer marked the picture
  EXPECT_TRUE(PictureDrawn());
  EXPECT_EQ(video->StaticText10->text(), QStringLiteral(" "));
  EXPECT_EQ(PanelColour(video->PanelRECORD), kRed);
  EXPECT_TRUE(video->KlawiszSTART->isEnabled());
}

TEST_F(RunControlTest, RecordStartAsksForUnsavedPicturesOnTheirOwnView) {
  SharedState& s = S();
  video->KlawiszRECORDClick();
  nastVid->CheckBox3->click();  // the operator ticks it: the table holds the answer
  s.UnsavedChannels = 0x02;
  video->KlawiszPic1Click();
  std::vector<int> viewsAtQuestion;
  dialogs.onMessage = [&](const test::ShownMessage&) {
    viewsAtQuestion.push_back(s.ViewMode.load());
  };
  dialogs.shown.clear();
  dialogs.answers = {MsgResult::No};
  video->KlawiszSTARTClick();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, kNotSaved);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(dialogs.shown[0].pos.x, 500);
  EXPECT_EQ(dialogs.shown[0].pos.y, 300);
  EXPECT_EQ(viewsAtQuestion, std::vector<int>{2});
  EXPECT_EQ(s.ViewMode, 1);  // restored before the run
  video->KlawiszSTOPClick();
  ASSERT_TRUE(SpinUntil([&] { return Idle(); }));
}

TEST_F(RunControlTest, ExitDuringARunStopsAndJoinsTheThread) {
  SharedState& s = S();
  video->KlawiszSTARTClick();
  ASSERT_TRUE(station.Run().Thread() != nullptr);
  dialogs.shown.clear();
  video->close();
  EXPECT_FALSE(station.Run().Thread());
  EXPECT_EQ(s.AcquisitionBusy, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            " Zewnętrzne urządzenie pracuje \r\n\r\n  Proszę wyłączyć je ręcznie    ");
}

TEST_F(RunControlTest, DecliningToSaveAtExitStillEndsTheRunFirst) {
  SharedState& s = S();
  s.Config.SetFlag(cfg::kAskSaveOnExitRow, true);
  video->KlawiszSTARTClick();
  s.UnsavedChannels = 0x05;
  dialogs.shown.clear();
  dialogs.answers = {MsgResult::No};
  video->close();
  ASSERT_EQ(dialogs.shown.size(), 1u);  // No at kan1: kan3 is not asked, no busy box
  EXPECT_EQ(dialogs.shown[0].pos.y, 200);
  EXPECT_FALSE(station.Run().Thread());
  EXPECT_EQ(s.AcquisitionBusy, 0);
}


// A display tick asked for by the last frame of one run must not act in the next run:
// it would mark channels unsaved, number the picture and redraw from a store that the new
// run is filling.
TEST_F(RunControlTest, StopThenStartAtOnceRunsNoStaleDisplayStep) {
  Rebuild(ThreadPacing{400, 1});  // the new run's first frame is 800 ms away
  SharedState& s = S();
  video->KlawiszSTARTClick();
  ASSERT_TRUE(SpinUntil([&] { return video->Timer1->isActive(); }));  // a frame is due
  video->KlawiszSTOPClick();
  EXPECT_FALSE(video->Timer1->isActive());
  // The thread ends; its last requests stay queued, the window has not run them yet.
  ASSERT_TRUE(WaitWithoutEvents([&] { return s.AcquisitionBusy.load() == 0; }));
  s.UnsavedChannels = 0;
  s.RegNumber = 0;
  video->KlawiszSTARTClick();
  ASSERT_TRUE(station.Run().Thread());
  EXPECT_LE(StationRun::LiveObjects(), 2);  // the new run's thread and queue only
  const uint8_t busyBefore = s.UnsavedChannels.load();
  SpinUntil([] { return false; }, 200);  // the old run's tick would have come by now
  EXPECT_EQ(busyBefore, 0);
  EXPECT_EQ(s.UnsavedChannels.load(), 0);
  EXPECT_EQ(s.RegNumber.load(), 0);
  EXPECT_FALSE(video->Timer1->isActive());
  // The new run itself still shows its frames.
  ASSERT_TRUE(SpinUntil([&] { return s.UnsavedChannels.load() != 0; }));
  video->KlawiszSTOPClick();
  ASSERT_TRUE(SpinUntil([&] { return Idle(); }));
  EXPECT_EQ(StationRun::LiveObjects(), 0);
}

// The operator changes settings while frames arrive: the thread reads only the mirrors,
// the window writes the table; nothing tears and the run goes on.
TEST_F(RunControlTest, SettingsChangedDuringARun) {
  SharedState& s = S();
  nastVid->OpenPage(1);  // kan1's page: its mix switch and gain
  video->KlawiszSTARTClick();
  ASSERT_TRUE(SpinUntil([&] { return s.UnsavedChannels.load() != 0; }));
  for (int i = 0; i < 6; ++i) {
    nastVid->SpeedButton13Click();  // "Mix 4 to 1" on, off, ...
    EXPECT_EQ(s.MixChannelBits.load() & 1, s.Config.MixChannel(1) ? 1 : 0);
    nastVid->TrackBar1->setValue(i * 3);
    nastVid->TrackBar3->setValue(5 + i);  // the ADD count, 5 .. 10
    s.UnsavedChannels = 0;
    ASSERT_TRUE(SpinUntil([&] { return s.UnsavedChannels.load() != 0; }));  // frames go on
  }
  video->KlawiszSTOPClick();
  ASSERT_TRUE(SpinUntil([&] { return Idle(); }));
  EXPECT_EQ(s.Config.AddFrameCount(), 10);
}

// The settings window's 3D switch reaches the main window's column through the link: the
// stereo captions and hidden buttons, and back.
TEST_F(RunControlTest, ThreeDModeSwitchesTheColumnAndBack) {
  nastVid->SpeedButton1Click();
  EXPECT_EQ(S().AnaglyphOn.load(), 1);
  EXPECT_EQ(video->KlawiszPic1->text(), QStringLiteral(" Obraz Red "));
  EXPECT_EQ(video->KlawiszPic2->text(), QStringLiteral(" Obraz Cyan "));
  EXPECT_EQ(video->KlawiszPic3->text(), QStringLiteral(" Anaglif "));
  EXPECT_TRUE(video->PanelRECORD->isHidden());
  EXPECT_TRUE(video->PanelPicAl->isHidden());
  nastVid->SpeedButton1Click();
  EXPECT_EQ(S().AnaglyphOn.load(), 0);
  EXPECT_EQ(video->KlawiszPic1->text(), QStringLiteral(" Kanał 1 "));
  EXPECT_EQ(video->KlawiszPic3->text(), QStringLiteral(" Kanał 3 "));
  EXPECT_FALSE(video->PanelRECORD->isHidden());
  EXPECT_FALSE(video->PanelWymiar->isHidden());
}

// A run-mode click reaches the settings window before it was ever shown or set up.
TEST(RunControlBeforeFirstShow, RunModeClicksBeforeTheSettingsWindowWasShown) {
  test::WindowTestBed bed;
  StationWindows w = AssembleStation(bed.station, bed.dialogs, nullptr, bed.Options());
  w.video->KlawiszRECORDClick();
  w.video->KlawiszADDClick();
  w.video->KlawiszVISUALClick();
  EXPECT_EQ(bed.S().AddOn.load(), 0);
  EXPECT_EQ(bed.S().RecordOn.load(), 0);
}

}  // namespace
}  // namespace orvix
