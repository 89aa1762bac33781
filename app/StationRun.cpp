#include "StationRun.h"

#include <atomic>
#include <deque>
#include <functional>
#include <utility>

#include "AcquisitionUi.h"
#include "Anaglyph.h"
#include "ChannelSelection.h"
#include "Collector.h"
#include "Lines.h"
#include "UiWake.h"
#include "ViewBuilders.h"

namespace orvix {

// The request queue of one run. The thread puts each request into a mutex-guarded queue
// and, when the queue was empty, wakes the UI thread, which drains it. Nothing here waits
// on the UI: the thread goes on at once. The queue belongs to its run and goes with it.
class StationRun::Requests final : public AcquisitionUi {
 public:
  Requests(StationRun& run, UiWake& wake) : run_(run), wake_(wake) { ++live_; }
  ~Requests() override { --live_; }

  void SetRecordIndicator(const std::string& text) override {
    Post([r = &run_, text] {
      if (r->main_) r->main_->SetRecordIndicator(text);
    });
  }
  void EnableTimer1() override { EnableTimer(1); }
  void EnableTimer3() override { EnableTimer(3); }
  void EnableTimer4() override { EnableTimer(4); }
  void CheckLinesRadio(int index) override {
    Post([r = &run_, index] {
      if (r->settings_) r->settings_->CheckLinesRadio(index);
    });
  }
  void CheckTimeRadio(int index) override {
    Post([r = &run_, index] {
      if (r->settings_) r->settings_->CheckTimeRadio(index);
    });
  }
  void UpdateButtons() override { Post([r = &run_] { r->ThreadStateChanged(); }); }
  void MarkDone(std::function<void()> done) override { Post(std::move(done)); }

  // UI thread: runs the requests that arrived, in order.
  void Drain() {
    std::deque<std::function<void()>> ready;
    {
      std::lock_guard<std::mutex> lock(m_);
      ready.swap(queue_);
    }
    for (auto& f : ready) f();
  }

  static int Live() { return live_.load(); }

 private:
  void EnableTimer(int timer) {
    Post([r = &run_, timer] {
      if (r->main_) r->main_->EnableDisplayTimer(timer);
    });
  }
  void Post(std::function<void()> f) {
    bool wasEmpty;
    {
      std::lock_guard<std::mutex> lock(m_);
      wasEmpty = queue_.empty();
      queue_.push_back(std::move(f));
    }
    if (wasEmpty) wake_.Signal();
  }
  StationRun& run_;
  UiWake& wake_;
  std::mutex m_;
  std::deque<std::function<void()>> queue_;
  static inline std::atomic<int> live_{0};
};

StationRun::StationRun(SharedState& s, ScanUnit& unit, StationStrip& strip,
                       PictureSurfaces& picture)
    : s_(s), unit_(unit), strip_(strip), picture_(picture) {}

StationRun::~StationRun() { Retire(); }

void StationRun::AttachWindows(MainWindowLink* main, SettingsWindowLink* settings) {
  main_ = main;
  settings_ = settings;
}

void StationRun::Detach(const MainWindowLink* main) {
  if (main_ == main) AttachWindows(nullptr, nullptr);
}

int StationRun::LiveObjects() { return TUSBThread::Live() + Requests::Live(); }

void StationRun::Start() {
  Retire();
  if (!wake_) wake_ = std::make_unique<UiWake>([this] { Drain(); });
  requests_ = std::make_unique<Requests>(*this, *wake_);
  thread_ = std::make_unique<TUSBThread>(s_, unit_, *requests_, pacing_);
}

void StationRun::Terminate() {
  if (thread_) thread_->Terminate();
}

// The thread goes first: it may still be posting its last requests into the queue.
void StationRun::Retire() {
  if (thread_) thread_->StopAndJoin();
  thread_.reset();
  requests_.reset();  // what it still asked for is dropped with it
  ended_ = false;
}

void StationRun::Stop() {
  s_.AcquisitionOn = 0;
  s_.DisplayPending = 0;
  const bool running = thread_ != nullptr;
  Retire();  // its clean-up clears AcquisitionBusy
  if (!running) s_.AcquisitionBusy = 0;  // no thread: nothing can still be busy
}

void StationRun::Drain() {
  if (requests_) requests_->Drain();
  // The queue of a run whose thread has ended goes once its last requests have run.
  if (ended_) Retire();
}

// The thread asked for the lamps: at its start, and once its clean-up is over.
void StationRun::ThreadStateChanged() {
  const bool ended = thread_ && thread_->Finished();
  if (ended) ended_ = true;
  if (main_) main_->RunStateChanged(ended);
}

void StationRun::SyncAnaglyphOptions() { picture_.Anaglyph = AnaglyphChoices(s_); }

void StationRun::Redraw(int view, int workMode, const std::string& letter) {
  SyncAnaglyphOptions();
  const auto store = LockStore();
  RedrawPicture(s_, picture_, view, static_cast<uint8_t>(workMode), letter);
}

void StationRun::ShowFrame() {
  SharedState& s = s_;
  // A tick asked for by a frame that is no longer waiting (STOP, the end of its run) has
  // nothing to show: it must not mark, number or redraw anything.
  if (s.DisplayPending.load() == 0) return;
  if (thread_) thread_->Pause();
  if (s.AcquisitionOn.load() != 0) {
    const auto store = LockStore();
    if (s.AddOn.load() != 0) {
      int a = s.Config.AddFrameCount();
      if (a <= 0) a = 1;
      if (s.AddFramesDone.load() > a - 1) {
        s.AcquisitionOn = 0;
        Terminate();
      }
      const int n = s.AddChannelCode.load() >> 4;
      if (n >= 1 && n <= 4)
        s.ViewCaptions[n] = "ADD  " + std::to_string(s.AddFramesDone.load()) + "   ";
    }
    MarkUnsaved(s);
    MixClip(s);
    if (s.RegNumber.load() == 0) s.RegNumber = 1;
    strip_.ObrazekPasek();  // under the StoreLock held here
    SyncAnaglyphOptions();
    if (s.AcquisitionOn.load() != 0)
      RedrawPictureMarked(s, picture_, s.ViewMode.load(), s.WorkMode.load(),
                          s.ChannelMask.load());
    else
      RedrawPicture(s, picture_, s.ViewMode.load(), s.WorkMode.load(), "b");
  }
  s.DisplayPending = 0;
  if (thread_) thread_->Resume();
}

// The lines the writer has put in since the last collection, into the store and drawn.
void StationRun::CollectNewLines() {
  bool found = true;
  CollectFrame(s_, found, kCollectFactor);
  RefreshNewLines(s_, picture_, s_.ViewMode.load(), s_.WorkMode.load(), s_.ChannelMask.load());
}

void StationRun::ShowRecordProgress() {
  SharedState& s = s_;
  {
    const auto store = LockStore();
    CollectNewLines();
  }
  // The frame is complete once all its lines are in (at once for an impossible code).
  const int lines = FrameLines(LinesOf(s.WorkMode.load()));
  if (s.PrevFrameLines.load() > lines - 1) Terminate();
  s.DisplayPending = 0;
}

void StationRun::FinishRecordFrame() {
  SharedState& s = s_;
  {
    const auto store = LockStore();
    // The writer may have finished its last lines after the last progress tick: collect
    // once more, so the bottom band of the frame is not lost.
    CollectNewLines();
    MarkUnsaved(s);
    MixClip(s);
    // "Po zapisie na dysk" is the stored flag; "Po skończeniu cyklu RECORD" its opposite.
    const bool onSave = s.Config.Flag(cfg::kRegIncrementOnSaveRow) != 0;
    if (onSave && s.RegNumber.load() == 0) s.RegNumber = 1;
    if (!onSave) strip_.NumeracjaZdjecia();
    strip_.ObrazekPasek();
  }
  Redraw(s.ViewMode.load(), s.WorkMode.load(), "r");
}

}  // namespace orvix
