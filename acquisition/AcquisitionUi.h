#pragma once
// The acquisition thread's only way into the user interface. Every call is a request
// that the implementation queues to the UI thread and returns at once: the thread never
// waits on the UI, so a UI that waits on the thread can never deadlock with it.
#include <functional>
#include <string>

namespace orvix {

class AcquisitionUi {
 public:
  virtual ~AcquisitionUi() = default;
  virtual void SetRecordIndicator(const std::string& text) = 0;  // StaticText10
  virtual void EnableTimer1() = 0;  // frame display
  virtual void EnableTimer3() = 0;  // RECORD progress
  virtual void EnableTimer4() = 0;  // end of RECORD
  // Auto-identification: check LinesRadio[index] / TimeRadio[index] in the settings
  // window, which runs their click handlers and so sets WorkMode.
  virtual void CheckLinesRadio(int index) = 0;
  virtual void CheckTimeRadio(int index) = 0;
  // UpdateRunButtons followed by UpdateViewButtons.
  virtual void UpdateButtons() = 0;
  // Runs `done` on the UI thread once every request made before it has been carried
  // out. The thread waits for that, but its wait also ends on its terminate request, so
  // a UI that never runs `done` (its window is gone, or it is itself waiting for the
  // thread) cannot hold the thread. `done` owns what it touches: running it after the
  // run has ended, or not at all, is harmless.
  virtual void MarkDone(std::function<void()> done) = 0;
};

}  // namespace orvix
