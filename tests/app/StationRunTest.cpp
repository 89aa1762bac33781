// The station's run without windows: one run at a time, nothing a run asked for acts in
// the run after it or reaches a window that has gone, and a display tick with no frame
// waiting changes nothing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <functional>

#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"
#include "Station.h"

namespace orvix::test {
namespace {

class StationRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.WorkMode = 0x12;  // 400 lines
    s.ChannelMask = 1;
    s.ChannelCount = 1;
    s.ChannelCode = 0x11;
    UnitClearStream(s);
    run.SetPacing(ThreadPacing{200, 1});  // a run's first frame is 400 ms away
    run.AttachWindows(&main, nullptr);
  }
  // Waits with (`events`) or without the UI thread's event loop running.
  static bool Wait(const std::function<bool()>& done, bool events, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
      if (t.elapsed() > ms) return false;
      if (events) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      else QThread::msleep(1);
    }
    return true;
  }
  bool Asked(const std::string& call) const {
    return std::count(main.calls.begin(), main.calls.end(), call) > 0;
  }

  ScriptedDialogs dialogs;
  Station station{dialogs};
  SharedState& s = station.State();
  StationRun& run = station.Run();
  FakeMainWindowLink main;
};

TEST_F(StationRunTest, TheLastRunsRequestsNeverActInTheNext) {
  run.Start();
  // The first run's frame is waiting and its Timer1 request queued, not yet delivered.
  ASSERT_TRUE(Wait([&] { return s.DisplayPending.load() != 0; }, false));
  run.Start();
  EXPECT_NE(run.Thread(), nullptr);
  EXPECT_LE(StationRun::LiveObjects(), 2);  // the new run's thread and queue only
  Wait([] { return false; }, true, 200);    // the old request would have come by now
  EXPECT_TRUE(main.calls.empty()) << main.calls.front();
  // The new run's own frame is shown by the station's step.
  ASSERT_TRUE(Wait([&] { return Asked("timer1"); }, true));
  run.ShowFrame();
  EXPECT_EQ(s.UnsavedChannels.load(), 1);
  EXPECT_EQ(s.DisplayPending.load(), 0);
  // Its end reaches the window; the ended run is joined and its queue goes.
  run.Terminate();
  ASSERT_TRUE(Wait([&] { return Asked("ended") && run.Thread() == nullptr; }, true));
  EXPECT_EQ(StationRun::LiveObjects(), 0);
}

TEST_F(StationRunTest, AGoneWindowGetsNothingAndALateTickShowsNothing) {
  FakeMainWindowLink other;
  run.Start();
  ASSERT_TRUE(Wait([&] { return s.DisplayPending.load() != 0; }, false));
  run.Detach(&other);  // not the attached window: nothing changes
  run.Detach(&main);
  Wait([] { return false; }, true, 100);
  EXPECT_TRUE(main.calls.empty());
  run.Stop();
  EXPECT_EQ(run.Thread(), nullptr);
  EXPECT_EQ(StationRun::LiveObjects(), 0);
  EXPECT_EQ(s.AcquisitionBusy.load(), 0);
  // The tick the stopped run asked for: no frame waits, so nothing is marked or numbered.
  s.UnsavedChannels = 0;
  s.RegNumber = 0;
  s.AcquisitionOn = 1;
  run.ShowFrame();
  EXPECT_EQ(s.UnsavedChannels.load(), 0);
  EXPECT_EQ(s.RegNumber.load(), 0);
}

}  // namespace
}  // namespace orvix::test
