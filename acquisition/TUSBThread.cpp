#include "TUSBThread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

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
    std::unique_lock<std::mutex> lock(t_.gateMutex_);
    t_.gateCv_.wait_for(lock, std::chrono::milliseconds(scaled),
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

TUSBThread::TUSBThread(SharedState& s, AcquisitionUi& ui, ThreadPacing pacing)
    : s_(s), ui_(ui), pacing_(pacing), seam_(std::make_unique<Seam>(*this)) {
  thread_ = std::thread([this] {
    RaiseOwnPriority();
    Execute();
  });
}

TUSBThread::~TUSBThread() { StopAndJoin(); }

void TUSBThread::Terminate() {
  {
    std::lock_guard<std::mutex> lock(gateMutex_);
    terminate_ = true;
  }
  gateCv_.notify_all();
}

bool TUSBThread::TerminateRequested() const { return terminate_.load(); }

void TUSBThread::Pause() {
  std::lock_guard<std::mutex> lock(gateMutex_);
  pauseRequested_ = true;
}

void TUSBThread::Resume() {
  {
    std::lock_guard<std::mutex> lock(gateMutex_);
    pauseRequested_ = false;
  }
  gateCv_.notify_all();
}

bool TUSBThread::Finished() const { return finished_.load(); }

void TUSBThread::StopAndJoin() {
  Terminate();
  Resume();
  if (thread_.joinable()) thread_.join();
}

void TUSBThread::Gate() {
  std::unique_lock<std::mutex> lock(gateMutex_);
  gateCv_.wait(lock, [this] { return !pauseRequested_ || terminate_.load(); });
}

void TUSBThread::Execute() {
  s_.AcquisitionBusy = -1;
  s_.AcquisitionOn = 1;
  try {
    do {
      Gate();
      UnitReadState(s_);
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
  if (s_.DeviceOpen.load() != 0) UnitSendSettings(s_);
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
  // The previous frame is still being shown: wait without holding anything.
  while (s_.DisplayPending.load() != 0 && !TerminateRequested()) {
    std::unique_lock<std::mutex> lock(gateMutex_);
    gateCv_.wait_for(lock, std::chrono::milliseconds(pacing_.displayPollMs),
                     [this] { return terminate_.load(); });
  }
  Gate();
  if (s_.AcquisitionOn.load() == 0 || TerminateRequested()) return;
  // The picture buttons may redraw from the store while a run goes on: they take the same
  // lock, so they never see a frame half written.
  std::unique_lock<std::mutex> store(StoreLock_);
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
  auto done = std::make_shared<std::atomic<bool>>(false);
  ui_.MarkDone(done);
  while (!done->load() && !TerminateRequested()) {
    std::unique_lock<std::mutex> lock(gateMutex_);
    gateCv_.wait_for(lock, std::chrono::milliseconds(pacing_.displayPollMs),
                     [this] { return terminate_.load(); });
  }
  if (s_.TestPictureOn.load() == 0) UnitSendSettings(s_);
}

}  // namespace orvix
