#pragma once
// One acquisition run, from START until STOP (VISUAL), the last ADD frame, or the end of
// the single RECORD frame. The object owns a std::thread; it is created by START and
// joined by whoever ends the run (the main window when the thread reports its end, or
// shutdown through StopAndJoin).
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "AcquisitionUi.h"
#include "StreamSeam.h"
#include "RunState.h"
#include "ScanUnit.h"

namespace orvix {

// Pacing of the writers; the station uses its fixed pauses, tests shorten them.
struct ThreadPacing {
  int framePauseMs = 500;     // each of the two pauses around a VISUAL/ADD frame
  int recordLinePauseMs = 10; // per RECORD line
};

class TUSBThread {
 public:
  // Creates the thread and starts it at once (highest priority the platform grants).
  TUSBThread(SharedState& s, ScanUnit& unit, AcquisitionUi& ui, ThreadPacing pacing = {});
  ~TUSBThread();  // StopAndJoin
  TUSBThread(const TUSBThread&) = delete;
  TUSBThread& operator=(const TUSBThread&) = delete;

  void Terminate();           // the stop request: ends after the line being written
  bool TerminateRequested() const;
  void Pause();               // the display step: the thread stops at its next gate (no wait)
  // Ends the pause. Like DisplayDone it also wakes a thread that waits for DisplayPending,
  // so the display step's "DisplayPending = 0; Resume();" needs nothing else.
  void Resume();
  // Call after clearing DisplayPending: a thread waiting for the frame on screen to be
  // done with goes on and collects the next one. The thread does not poll the flag, so a
  // clear with neither this, Resume nor Terminate after it leaves the thread waiting.
  void DisplayDone();
  bool Finished() const;      // the run loop and its clean-up are over
  // Thread objects alive in the process: one per run until its owner has joined and
  // released it.
  static int Live() { return live_.load(); }
  void StopAndJoin();         // Terminate, release a pause, join

 private:
  class Seam;
  void Execute();
  void FrameCycle();
  void AutoIdentify();
  void Gate();  // where a pause takes effect: no lock held, not inside a UI call
  // Waits, holding no other lock, until `ready` holds or a stop is requested. `ready`
  // is tested under the gate mutex; whoever makes it true stores its flag, then takes
  // the gate mutex and notifies, so no wake-up is lost between test and wait.
  template <typename Ready>
  void WaitUntil(Ready ready);

  // Every wait of the thread (pause gate, display hand-over, the UI's done-marks, the
  // writers' pauses) sleeps on this one condition variable; every event that ends one
  // (Resume, DisplayDone, Terminate, a done-mark) notifies it. The done callbacks handed
  // to the UI share ownership, so one that runs after the run has ended is harmless.
  struct GateState {
    std::mutex mutex;
    std::condition_variable cv;
    bool pauseRequested = false;  // guarded by mutex
    uint64_t marksDone = 0;       // guarded by mutex: the latest done-mark the UI ran
  };

  SharedState& s_;
  ScanUnit& unit_;
  AcquisitionUi& ui_;
  ThreadPacing pacing_;
  std::unique_ptr<Seam> seam_;
  std::mutex StreamLock_;
  std::atomic<bool> terminate_{false};
  std::atomic<bool> finished_{false};
  std::shared_ptr<GateState> gate_ = std::make_shared<GateState>();
  uint64_t marksAsked_ = 0;  // acquisition thread only
  std::thread thread_;
  static inline std::atomic<int> live_{0};
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
