// The station's run without windows: one run at a time, nothing a run asked for acts in
// the run after it or reaches a window that has gone, a tick with no frame waiting does
// nothing.
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

struct StationRunTest : ::testing::Test {
  ScriptedDialogs dialogs;
  Station station{dialogs};
  SharedState& s = station.State();
  StationRun& run = station.Run();
  FakeMainWindowLink main;
  void SetUp() override {
    s.WorkMode = 0x12;  // 400 lines, one channel
    s.ChannelMask = s.ChannelCount = 1;
    s.ChannelCode = 0x11;
    run.SetPacing(ThreadPacing{200, 1});  // a run's first frame is 400 ms away
    run.AttachWindows(&main, nullptr);
    run.Start();
    // Its frame waits and its Timer1 request is queued, not yet delivered.
    EXPECT_TRUE(Wait([&] { return s.DisplayPending.load() != 0; }, false));
  }
  // Waits with (`events`) or without the UI thread's event loop running.
  static bool Wait(const std::function<bool()>& done, bool events, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
      if (events) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      else QThread::msleep(1);
    }
    return done();
  }
  bool Asked(const char* call) const {
    return std::find(main.calls.begin(), main.calls.end(), call) != main.calls.end();
  }
};

TEST_F(StationRunTest, TheLastRunsRequestsNeverActInTheNext) {
  run.Start();
  EXPECT_LE(StationRun::LiveObjects(), 2);  // the new run's thread and queue only
  Wait([] { return false; }, true, 200);    // the old request would have come by now
  EXPECT_TRUE(main.calls.empty());
  ASSERT_TRUE(Wait([&] { return Asked("timer1"); }, true));  // the new run's own frame
  run.ShowFrame();
  EXPECT_EQ(s.UnsavedChannels.load(), 1);
  run.Terminate();  // its end reaches the window; the run is joined, its queue goes
  ASSERT_TRUE(Wait([&] { return Asked("ended") && !run.Thread(); }, true));
  EXPECT_EQ(StationRun::LiveObjects(), 0);
}

TEST_F(StationRunTest, AGoneWindowGetsNothingAndALateTickShowsNothing) {
  FakeMainWindowLink other;
  run.Detach(&other);  // not the attached window: nothing changes
  run.Detach(&main);
  Wait([] { return false; }, true, 100);
  EXPECT_TRUE(main.calls.empty());
  run.Stop();
  EXPECT_EQ(StationRun::LiveObjects(), 0);
  EXPECT_EQ(s.AcquisitionBusy.load(), 0);
  s.UnsavedChannels = s.RegNumber = 0;
  s.AcquisitionOn = 1;
  run.ShowFrame();  // the stopped run's tick: nothing is marked or numbered
  EXPECT_EQ(s.UnsavedChannels.load() + s.RegNumber.load(), 0);
}

}  // namespace
}  // namespace orvix::test
