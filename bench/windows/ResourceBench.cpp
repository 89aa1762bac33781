// The station over a long run: resident memory after 1, 100 and 1,000 frames shown, and
// the process CPU time per frame (both threads), for VISUAL at 800 lines and for ADD
// series of 50 frames. The whole station runs offscreen with the real acquisition thread;
// only the thread's pauses are shortened, so the frames come as fast as the station can
// show them (Timer1's 50 ms sets the pace). Memory must level off: the growth from frame
// 100 to frame 1,000 is reported, and a growth past 64 MiB fails the benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "BenchStation.h"
#include "ProcessProbe.h"
#include "RunState.h"
#include "TNastVid.h"
#include "TVideo.h"

namespace orvix {
namespace {

// The station with the thread's pauses shortened to nothing.
struct LongRunStation : bench::BenchStation {
  LongRunStation() : BenchStation(ThreadPacing{0, 0}) { heartbeat.start(20); }

  // Runs until one more frame is on screen (its display step marks the channels unsaved);
  // an ADD series that has all its frames is started again. False after 30 s without one.
  // The loop sleeps until the next event, as the station's own event loop does, so the
  // CPU time measured is the station's and not a polling loop's; the heartbeat only makes
  // sure an ended ADD series is seen.
  bool NextFrame() {
    s->UnsavedChannels = 0;
    QElapsedTimer t;
    t.start();
    while (s->UnsavedChannels.load() == 0) {
      if (t.elapsed() > 30000) return false;
      if (Idle() && video->KlawiszSTART->isEnabled()) video->KlawiszSTART->click();
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
  }
  QTimer heartbeat;
};

void LongRun(benchmark::State& state, bool add) {
  LongRunStation st;
  if (add) {
    st.s->AddWorkMode = 0x22;  // 800 lines
    st.windows.nastVid->TrackBar3->setValue(50);
    st.video->KlawiszADDClick();
  } else {
    st.s->VisualWorkMode = 0x22;  // 800 lines, 10 ms a line
    st.video->KlawiszVISUALClick();
  }
  const long rssIdle = probe::ResidentKb();
  long rss1 = 0, rss100 = 0, rss1000 = 0;
  double cpuFrom1 = 0, cpuTo1000 = 0;
  for (auto _ : state) {
    for (int frame = 1; frame <= 1000; ++frame) {
      if (!st.NextFrame()) {
        state.SkipWithError("no frame shown for 30 s");
        return;
      }
      if (frame == 1) {
        rss1 = probe::ResidentKb();
        cpuFrom1 = probe::ProcessCpuSeconds();
      }
      if (frame == 100) rss100 = probe::ResidentKb();
    }
    rss1000 = probe::ResidentKb();
    cpuTo1000 = probe::ProcessCpuSeconds();
  }
  st.video->KlawiszSTOP->click();
  state.counters["channels"] = st.s->ChannelCount.load();
  state.counters["rss_idle_MiB"] = rssIdle / 1024.0;
  state.counters["rss_1_MiB"] = rss1 / 1024.0;
  state.counters["rss_100_MiB"] = rss100 / 1024.0;
  state.counters["rss_1000_MiB"] = rss1000 / 1024.0;
  state.counters["growth_100_1000_KiB"] = double(rss1000 - rss100);
  state.counters["cpu_ms_per_frame"] = 1e3 * (cpuTo1000 - cpuFrom1) / 999.0;
  if (rss1000 - rss100 > 64 * 1024) state.SkipWithError("resident memory grows with the frames");
}

void BM_LongRun_Visual800(benchmark::State& state) { LongRun(state, false); }
void BM_LongRun_Add50(benchmark::State& state) { LongRun(state, true); }

BENCHMARK(BM_LongRun_Visual800)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_LongRun_Add50)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace orvix
