#pragma once
// What the stream writers need from the thread that runs them: its terminate request,
// its pauses, the stream lock, and the few user-interface effects they cause. The
// acquisition thread supplies the real one (queued calls to the UI thread, real sleeps);
// tests supply one that does not wait.
#include <mutex>
#include <string>

namespace orvix {

class StreamSeam {
 public:
  virtual ~StreamSeam() = default;
  // The thread's terminate request, read fresh on every call.
  virtual bool TerminateRequested() = 0;
  // The RECORD writer asks its own thread to end after its one frame.
  virtual void RequestTerminate() = 0;
  // A pause of the writers: 500 ms around a VISUAL/ADD frame, 10 ms per RECORD line.
  virtual void Pause(int milliseconds) = 0;
  // Held by WriteFrame while it writes one frame.
  virtual std::mutex& StreamLock() = 0;
  // The main window's RecordIndicator text ("R" while a frame is written, " " after).
  virtual void SetRecordIndicator(const std::string& text) = 0;
  // Start the main window's RECORD progress timer (Timer3) and end-of-RECORD timer (Timer4).
  virtual void EnableTimer3() = 0;
  virtual void EnableTimer4() = 0;
};

}  // namespace orvix
