#pragma once
// The surroundings of the whole-run tests: the main window and the settings window on a
// fresh state, the real acquisition thread, and ways to wait for what it does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <malloc.h>

#include <functional>
#include <memory>

#include "AppTestSupport.h"

namespace orvix::test {

// Processes events until `done` holds or `ms` pass; returns whether it held.
inline bool SpinUntil(const std::function<bool()>& done, int ms = 15000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Bytes of the heap in use (0 where the allocator is replaced by a sanitizer's).
inline size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  return 0;
#else
  return mallinfo2().uordblks;
#endif
}

// The whole station with the real acquisition thread (pauses shortened), after the start
// step.
class RunControlTest : public ::testing::Test, public WindowTestBed {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lockDir.isValid());
    ASSERT_TRUE(programDir.isValid());
    Rebuild(ThreadPacing{20, 1});
  }
  void TearDown() override { Close(); }

  // The windows (again), with these pauses for the acquisition, after the start step.
  void Rebuild(ThreadPacing pacing) {
    Close();
    TVideoOptions o = Options();
    o.startDelayMs = 1000000;  // the test runs the start step itself
    o.pacing = pacing;
    Assemble(o);
    video->StartTimer();
  }

  // Waits without running the UI's event loop: the thread goes on, the window does not.
  static bool WaitWithoutEvents(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
      if (t.elapsed() > ms) return false;
      QThread::msleep(1);
    }
    return true;
  }

  bool Idle() { return !station.Run().Thread() && S().AcquisitionBusy.load() == 0; }
  // Image1's picture area holds something other than black.
  bool PictureDrawn() {
    const PictureArea a = video->Surfaces.Picture();
    for (int r = 100; r < 700; r += 50)
      for (int c = 100; c < 1000; c += 50)
        if ((a.Pixel(r, c) & 0xFFFFFF) != 0) return true;
    return false;
  }
};


}  // namespace orvix::test
