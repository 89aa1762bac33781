#pragma once
// The acquisition thread's only way into the user interface. Every call is a request
// that the implementation queues to the UI thread and returns at once: the thread never
// waits on the UI, so a UI that waits on the thread can never deadlock with it.
#include <atomic>
#include <memory>
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
  // Sets *done once every request made before it has been carried out. The thread may
  // wait for it, but only in short steps that also test its terminate request, so a UI
  // that waits for the thread (stop and join) never deadlocks with it.
  virtual void MarkDone(std::shared_ptr<std::atomic<bool>> done) = 0;
};

}  // namespace orvix
