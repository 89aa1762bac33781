// What the soak found at the end of a run, each pinned down on its own: a request the
// thread queued just before STOP must not leave the idle station with a display timer
// running.
#include <gtest/gtest.h>

#include <QSlider>
#include <QTimer>

#include "RunControlFixture.h"

namespace orvix {
namespace {

using test::RunControlTest;
using test::SpinUntil;

// STOP just after the thread handed a frame over: the frame's Timer1 request is still in
// the run's queue and runs after STOP; once the run has ended no display timer is left
// running, in VISUAL and in ADD.
TEST_F(RunControlTest, StopAsAFrameIsHandedOverLeavesNoDisplayTimerRunning) {
  SharedState& s = S();
  for (bool add : {false, true}) {
    SCOPED_TRACE(add ? "ADD" : "VISUAL");
    if (add) {
      nastVid->TrackBar3->setValue(50);
      video->KlawiszADDClick();
    } else {
      video->KlawiszVISUALClick();
    }
    video->KlawiszSTARTClick();
    // The thread has collected a frame and asked for its display; the window has not
    // run that request yet.
    ASSERT_TRUE(WaitWithoutEvents([&] { return s.DisplayPending.load() != 0; }));
    video->KlawiszSTOPClick();
    ASSERT_TRUE(SpinUntil([&] { return Idle(); }));
    EXPECT_FALSE(video->Timer1->isActive());
    EXPECT_FALSE(video->Timer3->isActive());
    EXPECT_EQ(s.DisplayPending.load(), 0);
  }
}

}  // namespace
}  // namespace orvix
