#include "TUSBThread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "Collector.h"
#include "LineStream.h"
#include "ScanUnit.h"

namespace orvix {

// The writers' view of this thread: terminate request, pauses that end early on a stop,
// the stream lock, and UI effects forwarded as queued requests.
class TUSBThread::Seam final : public StreamSeam {
 public:
  explicit Seam(TUSBThread& t) : t_(t) {}
  bool TerminateRequested() override { return t_.TerminateRequested(); }
  void RequestTerminate() override { t_.Terminate(); }
  void Pause(int ms) override {
    const int scaled = ms == kFramePauseMs        ? t_.pacing_.framePauseMs
                       : ms == kRecordLinePauseMs ? t_.pacing_.recordLinePauseMs
                                                  : ms;
    if (scaled <= 0) return;
    std::unique_lock<std::mutex> lock(t_.gate_->mutex);
    t_.gate_->cv.wait_for(lock, std::chrono::milliseconds(scaled),
                          [this] { return t_.TerminateRequested(); });
  }
  std::mutex& StreamLock() override { return t_.StreamLock_; }
  void SetRecordIndicator(const std::string& text) override { t_.ui_.SetRecordIndicator(text); }
  void EnableTimer3() override { t_.ui_.EnableTimer3(); }
  void EnableTimer4() override { t_.ui_.EnableTimer4(); }

 private:
  TUSBThread& t_;
};

namespace {

// The highest priority an ordinary process gets on Linux: nice -20 for this thread. A
// real-time class could starve the UI thread on a small machine, so it is not used; when
// even this is refused (no privilege), the thread keeps its normal priority.
void RaiseOwnPriority() {
  const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
  (void)::setpriority(PRIO_PROCESS, tid, -20);
}

}  // namespace

bool AutoIdentChoice(int headerLines, int timeCode, AutoChoice& out) {
  if (timeCode > TimeLimits[8] || timeCode < TimeLimits[0]) return false;
  if (headerLines > LinesLimits[5] || headerLines < LinesLimits[1]) return false;
  int lc = 0;
  for (int i = 1; i <= 4; ++i)
    if (headerLines > LinesLimits[i]) lc = i;
  int tc = 0;
  for (int i = 1; i <= 7; ++i)
    if (timeCode > TimeLimits[i]) tc = i;
  out = AutoChoice{lc, tc};
  return true;
}

TUSBThread::TUSBThread(SharedState& s, ScanUnit& unit, AcquisitionUi& ui, ThreadPacing pacing)
    : s_(s), unit_(unit), ui_(ui), pacing_(pacing), seam_(std::make_unique<Seam>(*this)) {
  ++live_;
  thread_ = std::thread([this] {
    RaiseOwnPriority();
    Execute();
  });
}

TUSBThread::~TUSBThread() {
  StopAndJoin();
  --live_;
}

void TUSBThread::Terminate() {
  {
    std::lock_guard<std::mutex> lock(gate_->mutex);
    terminate_ = true;
  }
  gate_->cv.notify_all();
}

bool TUSBThread::TerminateRequested() const { return terminate_.load(); }

void TUSBThread::Pause() {
  std::lock_guard<std::mutex> lock(gate_->mutex);
  gate_->pauseRequested = true;
}

void TUSBThread::Resume() {
  {
    std::lock_guard<std::mutex> lock(gate_->mutex);
    gate_->pauseRequested = false;
  }
  gate_->cv.notify_all();
}

void TUSBThread::DisplayDone() {
  // DisplayPending was stored before this; taking the mutex orders that store before the
  // thread's next test of it, or the thread is already asleep and the notify wakes it.
  { std::lock_guard<std::mutex> lock(gate_->mutex); }
  gate_->cv.notify_all();
}

bool TUSBThread::Finished() const { return finished_.load(); }

void TUSBThread::StopAndJoin() {
  Terminate();
  Resume();
  if (thread_.joinable()) thread_.join();
}

template <typename Ready>
void TUSBThread::WaitUntil(Ready ready) {
  std::unique_lock<std::mutex> lock(gate_->mutex);
  gate_->cv.wait(lock, [&] { return terminate_.load() || ready(); });
}

void TUSBThread::Gate() {
  WaitUntil([this] { return !gate_->pauseRequested; });
}

void TUSBThread::Execute() {
  s_.AcquisitionBusy = -1;
  s_.AcquisitionOn = 1;
  try {
    do {
      Gate();
      unit_.ReadState(s_);
      if (s_.AutoIdentOn.load() != 0 && s_.RecordOn.load() == 0 && s_.AddOn.load() == 0)
        AutoIdentify();
      s_.AcquisitionBusy = -1;
      if (s_.RecordOn.load() != 0)
        WriteRecordFrame(s_, *seam_);
      else
        FrameCycle();
    } while (!TerminateRequested());
  } catch (...) {
    // Whatever went wrong, the clean-up below still runs and the thread ends.
  }
  if (s_.DeviceOpen.load() != 0) unit_.SendSettings(s_);
  s_.AcquisitionBusy = 0;
  s_.DisplayPending = 0;
  s_.AcquisitionOn = 0;
  finished_ = true;
  ui_.UpdateButtons();
}

void TUSBThread::FrameCycle() {
  bool found = true;
  WriteFrame(s_, *seam_, found);
  if (!found) return;
  // The previous frame is still being shown: wait without holding anything until the
  // display step clears DisplayPending and wakes us (DisplayDone or Resume).
  WaitUntil([this] { return s_.DisplayPending.load() == 0; });
  Gate();
  if (s_.AcquisitionOn.load() == 0 || TerminateRequested()) return;
  // The UI reads and clears the store under the same lock (redraws, the display step),
  // so it never sees a frame half written. Held for the collection only: no wait, no UI
  // request inside.
  std::unique_lock<std::mutex> store(s_.StoreLock);
  if (s_.AddOn.load() != 0) {
    const int k = s_.AddFramesDone.load() + 1;
    CollectAddFrame(s_, k, FrameLimit(s_), found);
    if (found) {
      AverageAddFrames(s_, k);
      s_.AddFramesDone.fetch_add(1);
    }
  } else {
    CollectFrame(s_, found, kCollectFactor);
  }
  store.unlock();
  if (found) {
    s_.DisplayPending = 1;
    ui_.EnableTimer1();
  }
}

void TUSBThread::AutoIdentify() {
  const std::optional<LineHeader> header = HeaderProbe(s_, *seam_);
  // No header (the probe was stopped), or a stop came meanwhile: the mode stays as it is.
  if (!header || TerminateRequested()) return;
  AutoChoice c;
  if (!AutoIdentChoice(header->lines, header->timeCode, c)) return;
  if (c.lines * 16 + c.time == s_.WorkMode.load()) return;
  if (c.lines >= 1 && c.lines <= 4) ui_.CheckLinesRadio(c.lines - 1);
  ui_.CheckTimeRadio(c.time);
  // The settings window sets WorkMode when it handles the radio checks. The next frame
  // must be written and collected in that mode, so wait until they are handled (or a
  // stop arrives): a frame written in the old mode would report the old mode again.
  const uint64_t mark = ++marksAsked_;
  ui_.MarkDone([gate = gate_, mark] {
    {
      std::lock_guard<std::mutex> lock(gate->mutex);
      gate->marksDone = std::max(gate->marksDone, mark);
    }
    gate->cv.notify_all();
  });
  WaitUntil([this, mark] { return gate_->marksDone >= mark; });
  if (s_.TestPictureOn.load() == 0) unit_.SendSettings(s_);
}

}  // namespace orvix
