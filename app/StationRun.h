#pragma once
// The station's acquisition run: the thread of the last START, the queue of what that
// thread asks of the windows, and the display steps the main window's timers call
// (Timer1: a frame, Timer3: RECORD progress, Timer4: the end of a RECORD frame). It holds
// no widget; the UI thread calls it, the thread reaches the windows only through the queue.
//
// One run at a time: Start retires the last run (joins its thread, drops its queue) before
// it makes the next, so nothing a run asked for acts in the run after it.
#include <memory>
#include <mutex>
#include <string>

#include "MainWindowLink.h"
#include "PictureSurfaces.h"
#include "RunState.h"
#include "ScanUnit.h"
#include "SettingsWindowLink.h"
#include "StationStrip.h"
#include "TUSBThread.h"

namespace orvix {

class UiWake;

class StationRun {
 public:
  StationRun(SharedState& s, ScanUnit& unit, StationStrip& strip, PictureSurfaces& picture);
  ~StationRun();  // joins a thread still running
  StationRun(const StationRun&) = delete;
  StationRun& operator=(const StationRun&) = delete;

  // Where the thread's requests go. Detach(main) drops them when `main` is the window
  // attached (its windows go; windows assembled since keep theirs).
  void AttachWindows(MainWindowLink* main, SettingsWindowLink* settings);
  void Detach(const MainWindowLink* main);
  void SetPacing(ThreadPacing pacing) { pacing_ = pacing; }

  // START's last step: the thread of a new run and its request queue.
  void Start();
  // STOP: the thread ends after the line it is writing.
  void Terminate();
  // Joins the thread of the last run and drops its queue with what it still asked for.
  void Retire();
  // Ends a running acquisition and waits until its clean-up is over; afterwards
  // AcquisitionBusy is 0 and no thread touches the buffers or the windows.
  void Stop();
  // Runs the requests the thread queued, in order (UI thread; the thread wakes it).
  void Drain();

  // The thread of the last START; null once it has ended and been joined.
  TUSBThread* Thread() const { return thread_.get(); }
  // Live objects of runs in the process (threads and their queues): at most one of each
  // while a run exists, none after it has been joined.
  static int LiveObjects();

  // Timer1: the frame the thread handed over, marked unsaved, mixed, stripped and drawn
  // (an ADD series ends after its last frame). A tick no frame waits for does nothing.
  void ShowFrame();
  // Timer3: the lines of the RECORD frame written so far, collected and drawn; the thread
  // ends once the frame is complete.
  void ShowRecordProgress();
  // Timer4: the end of a RECORD frame: its last lines, marked unsaved, mixed, numbered,
  // stripped and drawn.
  void FinishRecordFrame();
  // The picture of `view` redrawn from the store (a run may be collecting the next frame).
  void Redraw(int view, int workMode, const std::string& letter);

 private:
  class Requests;
  std::unique_lock<std::mutex> LockStore() { return std::unique_lock<std::mutex>(s_.StoreLock); }
  void SyncAnaglyphOptions();
  void ThreadStateChanged();
  void CollectNewLines();

  SharedState& s_;
  ScanUnit& unit_;
  StationStrip& strip_;
  PictureSurfaces& picture_;
  ThreadPacing pacing_;
  MainWindowLink* main_ = nullptr;
  SettingsWindowLink* settings_ = nullptr;
  std::unique_ptr<UiWake> wake_;  // made by the first START, on the UI thread
  std::unique_ptr<Requests> requests_;  // the request queue of the current run
  std::unique_ptr<TUSBThread> thread_;
  bool ended_ = false;  // the thread reported its end
};

}  // namespace orvix
