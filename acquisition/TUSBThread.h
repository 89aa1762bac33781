#pragma once
// One acquisition run, from START until STOP (VISUAL), the last ADD frame, or the end of
// the single RECORD frame. The object owns a std::thread; it is created by START and
// joined by whoever ends the run (the main window when the thread reports its end, or
// shutdown through StopAndJoin).
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "AcquisitionUi.h"
#include "StreamSeam.h"
#include "RunState.h"

namespace orvix {

// Pacing of the writers; the station uses the documented pauses, tests shorten them.
struct ThreadPacing {
  int framePauseMs = 500;     // each of the two pauses around a VISUAL/ADD frame
  int recordLinePauseMs = 10; // per RECORD line
  int displayPollMs = 1;      // wait step while DisplayPending is set
};

class TUSBThread {
 public:
  // Creates the thread and starts it at once (highest priority the platform grants).
  TUSBThread(SharedState& s, AcquisitionUi& ui, ThreadPacing pacing = {});
  ~TUSBThread();  // StopAndJoin
  TUSBThread(const TUSBThread&) = delete;
  TUSBThread& operator=(const TUSBThread&) = delete;

  void Terminate();           // the stop request: ends after the line being written
  bool TerminateRequested() const;
  void Pause();               // the display step: the thread stops at its next gate (no wait)
  void Resume();
  bool Finished() const;      // the run loop and its clean-up are over
  void StopAndJoin();         // Terminate, release a pause, join
  // Held while a frame is collected into ImageStore (and AddStore); a redraw from the
  // store outside the frame display takes it too. Never held across a UI request.
  std::mutex& StoreLock() { return StoreLock_; }

 private:
  class Seam;
  void Execute();
  void FrameCycle();
  void AutoIdentify();
  void Gate();  // where a pause takes effect: no lock held, not inside a UI call

  SharedState& s_;
  AcquisitionUi& ui_;
  ThreadPacing pacing_;
  std::unique_ptr<Seam> seam_;
  std::mutex StreamLock_;
  std::mutex StoreLock_;
  std::atomic<bool> terminate_{false};
  std::atomic<bool> finished_{false};
  std::mutex gateMutex_;
  std::condition_variable gateCv_;
  bool pauseRequested_ = false;  // guarded by gateMutex_
  std::thread thread_;
};

// The auto-identification rule: from a header's line count and time code, the LINES and
// TIME choices; nothing when the values lie outside the limits.
struct AutoChoice {
  int lines = 0;  // 1..4
  int time = 0;   // 0..7
};
bool AutoIdentChoice(int headerLines, int timeCode, AutoChoice& out);
inline constexpr int LinesLimits[6] = {0, 200, 600, 1200, 3000, 10000};
inline constexpr int TimeLimits[9] = {15, 54, 115, 230, 460, 10000, 10000, 10000, 10000};

}  // namespace orvix
