// The acquisition thread against a test user interface that plays the display timer's
// part on its own thread. Guards against: frames collected while the previous one is
// still shown, a stop that hangs or leaves the busy flags set, a thread that waits on a
// UI which is itself waiting for the thread, and a thread outliving its run.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <algorithm>
#include <memory>
#include <optional>
#include <mutex>
#include <random>
#include <thread>

#include "Collector.h"
#include "LineStream.h"
#include "ScanUnit.h"
#include "TUSBThread.h"

namespace orvix {
namespace {

// The scan unit the threads under test read (stateless: its effects are on the state).
SimulatedScanUnit unit;

using namespace std::chrono_literals;

enum class Ev { Indicator, Timer1, Timer3, Timer4, LinesRadio, TimeRadio, Buttons, Done };

struct Event {
  Ev kind;
  int value = 0;
  std::string text;
  std::function<void()> done = nullptr;
};

// Records every request of the thread in a queue; never blocks the caller.
class QueueUi final : public AcquisitionUi {
 public:
  void SetRecordIndicator(const std::string& t) override { Push({Ev::Indicator, 0, t}); }
  void EnableTimer1() override { Push({Ev::Timer1, 0, ""}); }
  void EnableTimer3() override { Push({Ev::Timer3, 0, ""}); }
  void EnableTimer4() override { Push({Ev::Timer4, 0, ""}); }
  void CheckLinesRadio(int i) override { Push({Ev::LinesRadio, i, ""}); }
  void CheckTimeRadio(int i) override { Push({Ev::TimeRadio, i, ""}); }
  void UpdateButtons() override { Push({Ev::Buttons, 0, ""}); }
  void MarkDone(std::function<void()> done) override {
    Push({Ev::Done, 0, "", std::move(done)});
  }

  // Next event, or nothing after `timeout`.
  std::optional<Event> Next(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_);
    if (!cv_.wait_for(lock, timeout, [this] { return !q_.empty(); })) return {};
    Event e = q_.front();
    q_.pop_front();
    return e;
  }

 private:
  void Push(Event e) {
    {
      std::lock_guard<std::mutex> lock(m_);
      q_.push_back(std::move(e));
    }
    cv_.notify_all();
  }
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<Event> q_;
};

std::unique_ptr<SharedState> Fresh(uint8_t workMode) {
  auto s = std::make_unique<SharedState>();
  s->WorkMode = workMode;
  s->ChannelMask = 1;
  s->ChannelCount = 1;
  s->ChannelCode = 0x11;
  s->DeviceOpen = 1;
  UnitClearStream(*s);
  return s;
}

constexpr ThreadPacing kFast{0, 0};

uint64_t PlaneSum(const SharedState& s, int k) {
  uint64_t sum = 0;
  for (int x = 0; x < 1100; x += 3)
    for (int y = 0; y < 800; y += 5) sum = sum * 31 + s.ImageStore[StoreIndex(x, y, k)];
  return sum;
}

// A collected VISUAL pixel is the saw-tooth of its stream byte plus noise 0..62.
bool LooksCollected(const SharedState& s, int x, int y) {
  const int i = DataOffset(s) + x;
  const int base = int(std::nearbyint(double((i >> 1) & 255) * 0.75));
  const int v = s.ImageStore[StoreIndex(x, y, 1)];
  return v >= base && v <= base + 62;
}

// A collected RECORD pixel is the slower saw-tooth plus noise 0..30.
bool LooksCollectedRecord(const SharedState& s, int x, int y) {
  const int i = DataOffset(s) + x;
  const int base = int(std::nearbyint(double((i >> 2) & 255) * 0.87));
  const int v = s.ImageStore[StoreIndex(x, y, 1)];
  return v >= base && v <= base + 30;
}

// Plays the frame display handler: pause, mark pending, check the picture holds still,
// clear pending, resume. Returns the number of frames shown.
struct Display {
  SharedState& s;
  TUSBThread& t;
  int shown = 0;
  int addTarget = 0;  // > 0: ADD run of this many frames
  bool changedWhilePending = false;
  bool badPixel = false;

  void Show() {
    t.Pause();
    s.DisplayPending = 1;
    if (s.AcquisitionOn != 0 && addTarget > 0 && s.AddFramesDone > addTarget - 1) {
      s.AcquisitionOn = 0;
      t.Terminate();
    }
    const uint64_t before = PlaneSum(s, 1);
    std::this_thread::sleep_for(2ms);
    if (PlaneSum(s, 1) != before) changedWhilePending = true;
    if (addTarget == 0)
      for (int y : {0, 399, 799})
        if (!LooksCollected(s, 17, y)) badPixel = true;
    ++shown;
    s.DisplayPending = 0;
    t.Resume();
  }
};

TEST(AcquisitionThread, VisualFramesAreHandedOverOneAtATime) {
  auto s = Fresh(0x20);
  QueueUi ui;
  int timer1 = 0;
  {
    TUSBThread t(*s, unit, ui, kFast);
    Display d{*s, t};
    while (d.shown < 6) {
      auto e = ui.Next(10s);
      ASSERT_TRUE(e.has_value()) << "no frame within 10 s";
      if (e->kind == Ev::Timer1) {
        ++timer1;
        d.Show();
      }
    }
    t.StopAndJoin();
    EXPECT_FALSE(d.changedWhilePending);
    EXPECT_FALSE(d.badPixel);
    EXPECT_TRUE(t.Finished());
  }
  while (auto e = ui.Next(0ms))
    if (e->kind == Ev::Timer1) ++timer1;
  // At most one frame was collected after the last display step, never two.
  EXPECT_LE(timer1, 7);
  EXPECT_EQ(s->AcquisitionBusy, 0);
  EXPECT_EQ(s->AcquisitionOn, 0);
  EXPECT_EQ(s->DisplayPending, 0);
}

TEST(AcquisitionThread, AddRunCountsItsFramesAndAverages) {
  auto s = Fresh(0x20);
  s->AddOn = 1;
  s->AddChannelCode = 0x11;
  s->AddFramesDone = 0;
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  Display d{*s, t, 0, 3};
  bool ended = false;
  while (!ended) {
    auto e = ui.Next(10s);
    ASSERT_TRUE(e.has_value());
    if (e->kind == Ev::Timer1) d.Show();
    if (e->kind == Ev::Buttons) ended = true;
  }
  t.StopAndJoin();
  EXPECT_EQ(s->AddFramesDone, 3);
  EXPECT_EQ(d.shown, 3);
  for (int x : {0, 300, 1099})
    for (int y : {0, 400, 799}) {
      int sum = 0;
      for (int j = 0; j < 3; ++j) sum += s->AddStore[AddIndex(x, y, j)];
      const int q = sum / 3, r = sum % 3;
      EXPECT_EQ(s->ImageStore[StoreIndex(x, y, 1)], q + (2 * r > 3 ? 1 : 0));
      EXPECT_NE(s->AddStore[AddIndex(x, y, 2)], 0);
    }
  EXPECT_EQ(s->AcquisitionBusy, 0);
}

TEST(AcquisitionThread, RecordRunEndsItselfAfterOneFrame) {
  auto s = Fresh(0x10);
  s->RecordOn = -1;
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  std::vector<Ev> seen;
  std::vector<std::string> indicator;
  for (;;) {
    auto e = ui.Next(10s);
    ASSERT_TRUE(e.has_value());
    seen.push_back(e->kind);
    if (e->kind == Ev::Indicator) indicator.push_back(e->text);
    if (e->kind == Ev::Buttons) break;
  }
  t.StopAndJoin();
  EXPECT_TRUE(t.TerminateRequested());
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Ev::Timer3), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Ev::Timer4), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Ev::Timer1), 0);
  EXPECT_EQ(indicator, (std::vector<std::string>{"R", " "}));
  // All 404 lines of the 400-line frame were written.
  const size_t len = size_t(StreamLineLength(*s));
  EXPECT_TRUE(IsHeaderAt(s->RawStream.data(), kRawStreamSize, 10 + 403 * len));
  EXPECT_EQ(s->AcquisitionBusy, 0);
  EXPECT_EQ(s->DisplayPending, 0);
}

TEST(AcquisitionThread, RecordProgressReadsTheStreamWhileItIsWritten) {
  // The progress timer collects from RawStream while the writer is still adding lines:
  // it must only ever see finished lines (and ThreadSanitizer must see no race).
  auto s = Fresh(0x10);
  s->RecordOn = -1;
  QueueUi ui;
  TUSBThread t(*s, unit, ui, ThreadPacing{0, 1});
  bool progress = false, ended = false;
  int lastRows = 0, ticks = 0;
  while (!ended) {
    auto e = ui.Next(progress ? 1ms : 10s);
    if (e && e->kind == Ev::Timer3) progress = true;
    if (e && e->kind == Ev::Timer4) ended = true;
    if (progress) {
      bool found = true;
      CollectFrame(*s, found, kCollectFactor);
      ++ticks;
      if (s->PrevFrameLines > 0) {
        EXPECT_GE(s->PrevFrameLines, lastRows);
        lastRows = s->PrevFrameLines;
        EXPECT_TRUE(LooksCollectedRecord(*s, 5, lastRows - 1));
      }
    }
  }
  t.StopAndJoin();
  bool found = true;
  CollectFrame(*s, found, kCollectFactor);
  EXPECT_TRUE(found);
  EXPECT_EQ(s->PrevFrameLines, 400);
  EXPECT_GT(ticks, 3);
}

TEST(AcquisitionThread, StopDuringWriteFrameEndsPromptly) {
  auto s = Fresh(0x30);
  QueueUi ui;
  TUSBThread t(*s, unit, ui, ThreadPacing{300, 0});
  // Wait until the frame is being written (indicator "R"), then stop.
  for (;;) {
    auto e = ui.Next(10s);
    ASSERT_TRUE(e.has_value());
    if (e->kind == Ev::Indicator && e->text == "R") break;
  }
  const auto t0 = std::chrono::steady_clock::now();
  t.Terminate();
  t.StopAndJoin();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 2s);  // the pauses end on a stop
  EXPECT_EQ(s->AcquisitionBusy, 0);
  bool timer1 = false;
  while (auto e = ui.Next(0ms)) timer1 |= e->kind == Ev::Timer1;
  EXPECT_FALSE(timer1);
}

TEST(AcquisitionThread, StopWhileWaitingForTheDisplayCollectsNothing) {
  auto s = Fresh(0x10);
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  int timer1 = 0;
  while (timer1 == 0) {
    auto e = ui.Next(10s);
    ASSERT_TRUE(e.has_value());
    timer1 += e->kind == Ev::Timer1;
  }
  // Nobody shows the frame: the thread writes the next one and waits.
  std::this_thread::sleep_for(30ms);
  const uint64_t before = PlaneSum(*s, 1);
  t.StopAndJoin();
  EXPECT_EQ(PlaneSum(*s, 1), before);
  while (auto e = ui.Next(0ms)) timer1 += e->kind == Ev::Timer1;
  EXPECT_EQ(timer1, 1);
  EXPECT_EQ(s->AcquisitionBusy, 0);
  EXPECT_EQ(s->DisplayPending, 0);
}

// Reads events until one of `kind` (with `text`, for the indicator) arrives.
::testing::AssertionResult SkipTo(QueueUi& ui, Ev kind, const std::string& text = "") {
  for (;;) {
    auto e = ui.Next(10s);
    if (!e) return ::testing::AssertionFailure() << "no such request within 10 s";
    if (e->kind == kind && (kind != Ev::Indicator || e->text == text))
      return ::testing::AssertionSuccess();
  }
}

// How long the thread takes to finish its run after `stop`, up to 5 s.
template <typename Stop>
std::chrono::steady_clock::duration TimeToFinish(TUSBThread& t, Stop stop) {
  const auto t0 = std::chrono::steady_clock::now();
  stop();
  while (!t.Finished() && std::chrono::steady_clock::now() - t0 < 5s)
    std::this_thread::sleep_for(100us);
  return std::chrono::steady_clock::now() - t0;
}

// Returns once frame 1 is collected and frame 2 written: the thread then waits for
// frame 1 to leave the screen (a few instructions after its indicator went back to " ";
// the sleep covers them even on a loaded machine).
void UpToTheDisplayWait(QueueUi& ui) {
  ASSERT_TRUE(SkipTo(ui, Ev::Timer1));
  ASSERT_TRUE(SkipTo(ui, Ev::Indicator, " "));  // frame 2 finished
  std::this_thread::sleep_for(100ms);
}

TEST(AcquisitionThread, StopEndsTheDisplayWaitWithoutTheDisplayStep) {
  // STOP only terminates: DisplayPending stays set and no DisplayDone follows. A wait
  // that ended on the flag alone would keep the thread (and START's join) forever.
  auto s = Fresh(0x10);
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  UpToTheDisplayWait(ui);
  ASSERT_FALSE(t.Finished());
  ASSERT_EQ(s->DisplayPending, 1);
  const auto took = TimeToFinish(t, [&] { t.Terminate(); });
  EXPECT_TRUE(t.Finished());
  EXPECT_LT(took, 1s);  // a wait that missed the stop would still be waiting at 5 s
  t.StopAndJoin();
  bool timer1 = false;
  while (auto e = ui.Next(0ms)) timer1 |= e->kind == Ev::Timer1;
  EXPECT_FALSE(timer1);  // frame 2 was not collected
}

TEST(AcquisitionThread, DisplayDoneLetsTheNextFrameBeCollected) {
  auto s = Fresh(0x10);
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  UpToTheDisplayWait(ui);
  // The flag alone does not wake the thread: it sleeps instead of polling.
  s->DisplayPending = 0;
  bool early = false;
  while (auto e = ui.Next(30ms)) early |= e->kind == Ev::Timer1;
  EXPECT_FALSE(early);
  s->PrevFrameLines = 0;
  t.DisplayDone();
  EXPECT_TRUE(SkipTo(ui, Ev::Timer1));
  EXPECT_EQ(s->PrevFrameLines, 400);
  EXPECT_EQ(s->DisplayPending, 1);
  t.StopAndJoin();
  EXPECT_EQ(s->AcquisitionBusy, 0);
}

TEST(AcquisitionThread, JoinCompletesWhileTheUiThreadHandlesNothing) {
  // The UI thread blocks in StopAndJoin without ever serving the thread's requests. If
  // the thread waited on the UI anywhere, this join would never return (and the test
  // would hit its timeout).
  for (uint8_t mode : {uint8_t(0x10), uint8_t(0x20)})
    for (int32_t record : {0, -1})
      for (auto delay : {0ms, 3ms, 20ms}) {
        auto s = Fresh(mode);
        s->RecordOn = record;
        QueueUi ui;  // never read
        TUSBThread t(*s, unit, ui, ThreadPacing{1, 1});
        std::this_thread::sleep_for(delay);
        t.StopAndJoin();
        EXPECT_TRUE(t.Finished());
        EXPECT_EQ(s->AcquisitionBusy, 0);
      }
}

TEST(AcquisitionThread, DestroyingARunningThreadStopsAndJoinsIt) {
  auto s = Fresh(0x20);
  QueueUi ui;
  {
    TUSBThread t(*s, unit, ui, ThreadPacing{5, 0});
    t.Pause();  // even a pause left standing does not keep it alive
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(s->AcquisitionBusy, 0);
  EXPECT_EQ(s->AcquisitionOn, 0);
}

TEST(AcquisitionThread, ManyStartsAndStopsAtRandomMoments) {
  auto s = Fresh(0x10);
  std::mt19937 rng(12345);
  for (int cycle = 0; cycle < 200; ++cycle) {
    const int kind = int(rng() % 3);
    s->RecordOn = kind == 1 ? -1 : 0;
    s->AddOn = kind == 2 ? 1 : 0;
    s->AddChannelCode = 0x11;
    s->AddFramesDone = 0;
    QueueUi ui;
    TUSBThread t(*s, unit, ui, ThreadPacing{0, 0});
    // A display that answers a few frames, then a stop at a random moment.
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(rng() % 4000);
    while (std::chrono::steady_clock::now() < until) {
      auto e = ui.Next(1ms);
      if (e && e->kind == Ev::Timer1) {
        t.Pause();
        s->DisplayPending = 0;
        t.Resume();
      }
    }
    if (rng() % 2) s->AcquisitionOn = 0;  // STOP clears the flags first
    s->DisplayPending = 0;
    t.StopAndJoin();
    ASSERT_TRUE(t.Finished()) << cycle;
    ASSERT_EQ(s->AcquisitionBusy, 0) << cycle;
    ASSERT_EQ(s->AcquisitionOn, 0) << cycle;
    ASSERT_EQ(s->DisplayPending, 0) << cycle;
    UnitClearStream(*s);
  }
}

TEST(AutoIdentification, ChoiceFromHeaderValues) {
  AutoChoice c;
  ASSERT_TRUE(AutoIdentChoice(800, 200, c));
  EXPECT_EQ(c.lines, 2);
  EXPECT_EQ(c.time, 2);
  ASSERT_TRUE(AutoIdentChoice(400, 200, c));
  EXPECT_EQ(c.lines, 1);
  ASSERT_TRUE(AutoIdentChoice(1616, 200, c));
  EXPECT_EQ(c.lines, 3);
  ASSERT_TRUE(AutoIdentChoice(3008, 15, c));
  EXPECT_EQ(c.lines, 4);
  EXPECT_EQ(c.time, 0);
  // Step edges: strictly greater than the limit.
  const std::pair<int, int> times[] = {{54, 0}, {55, 1}, {115, 1}, {116, 2}, {230, 2},
                                       {231, 3}, {460, 3}, {461, 4}, {10000, 4}};
  for (auto [t, tc] : times) {
    ASSERT_TRUE(AutoIdentChoice(800, t, c)) << t;
    EXPECT_EQ(c.time, tc) << t;
  }
  ASSERT_TRUE(AutoIdentChoice(200, 200, c));
  EXPECT_EQ(c.lines, 0);  // no LINES choice, only TIME
  ASSERT_TRUE(AutoIdentChoice(608, 200, c));
  EXPECT_EQ(c.lines, 2);
  // Outside the limits nothing is chosen.
  EXPECT_FALSE(AutoIdentChoice(800, 10, c));
  EXPECT_FALSE(AutoIdentChoice(800, 14, c));
  EXPECT_FALSE(AutoIdentChoice(800, 10001, c));
  EXPECT_FALSE(AutoIdentChoice(192, 200, c));
  EXPECT_FALSE(AutoIdentChoice(10016, 200, c));
}

// Runs a VISUAL thread with auto-identification until its first frame (or buttons) and
// returns the radio requests it made.
std::vector<Event> AutoRun(uint8_t workMode) {
  auto s = Fresh(workMode);
  s->AutoIdentOn = 1;
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  std::vector<Event> radios;
  for (;;) {
    auto e = ui.Next(10s);
    if (!e || e->kind == Ev::Timer1 || e->kind == Ev::Buttons) break;
    if (e->kind == Ev::LinesRadio || e->kind == Ev::TimeRadio) radios.push_back(*e);
    if (e->kind == Ev::Done) e->done();
  }
  t.StopAndJoin();
  EXPECT_EQ(s->WorkMode, workMode);  // only the settings window writes WorkMode
  return radios;
}

TEST(AutoIdentification, FirstFrameAfterStartReports800LinesAnd10ms) {
  EXPECT_TRUE(AutoRun(0x22).empty());
  const auto r = AutoRun(0x10);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].kind, Ev::LinesRadio);
  EXPECT_EQ(r[0].value, 1);  // " 800 lines"
  EXPECT_EQ(r[1].kind, Ev::TimeRadio);
  EXPECT_EQ(r[1].value, 2);  // " 10 ms"
}

TEST(AutoIdentification, DoneMarkWaitEndsOnStopWhenTheUiNeverRunsIt) {
  auto s = Fresh(0x10);  // the stream reports 800 lines: the mode is to change
  s->AutoIdentOn = 1;
  QueueUi ui;
  auto t = std::make_unique<TUSBThread>(*s, unit, ui, kFast);
  std::function<void()> done;
  for (;;) {
    auto e = ui.Next(10s);
    ASSERT_TRUE(e.has_value());
    if (e->kind == Ev::Done) {
      done = e->done;
      break;
    }
  }
  // Until the mode is taken the thread writes nothing: no "R" of a next frame.
  bool written = false;
  while (auto e = ui.Next(30ms)) written |= e->kind == Ev::Indicator;
  EXPECT_FALSE(written);
  const auto took = TimeToFinish(*t, [&] { t->Terminate(); });
  EXPECT_TRUE(t->Finished());
  EXPECT_LT(took, 1s);
  t.reset();
  EXPECT_EQ(s->AcquisitionBusy, 0);
  // The window may drain its queue after the run is gone: the mark is then harmless.
  ASSERT_TRUE(done);
  done();
}

TEST(AutoIdentification, TheModeSettlesAndFramesUseIt) {
  // The UI plays the settings window: a radio check sets WorkMode. The thread must write
  // its next frame in the new mode, or the stream would report the old mode again and
  // the mode would swing back and forth.
  auto s = Fresh(0x10);
  s->AutoIdentOn = 1;
  QueueUi ui;
  TUSBThread t(*s, unit, ui, kFast);
  Display d{*s, t};
  int radios = 0;
  while (d.shown < 4) {
    auto e = ui.Next(10s);
    ASSERT_TRUE(e.has_value());
    // The window handles requests from a 5 ms timer: apply them no sooner.
    if (e->kind == Ev::LinesRadio || e->kind == Ev::TimeRadio) std::this_thread::sleep_for(5ms);
    if (e->kind == Ev::LinesRadio) {
      ++radios;
      s->WorkMode = uint8_t((e->value + 1) * 16 + (s->WorkMode & 7));
    }
    if (e->kind == Ev::TimeRadio) {
      ++radios;
      s->WorkMode = uint8_t((s->WorkMode & 0xF0) + e->value);
    }
    if (e->kind == Ev::Done) e->done();
    if (e->kind == Ev::Timer1) {
      EXPECT_EQ(s->WorkMode, 0x22);
      EXPECT_EQ(s->PrevFrameLines, 800);  // collected with the geometry it was written in
      d.Show();
    }
  }
  t.StopAndJoin();
  EXPECT_EQ(radios, 2);
  EXPECT_FALSE(d.badPixel);
}

}  // namespace
}  // namespace orvix
