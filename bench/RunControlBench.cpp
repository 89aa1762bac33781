// The main window's timer steps for the largest frame (1600 lines, four channels): the
// work of one frame display (Timer1Timer: mark unsaved, the mix rule, the marked redraw)
// and of one RECORD progress tick late in a 1600-line frame (Timer3Timer: collect what
// has arrived, draw the new band). Their periods are 50 ms and 250 ms; the figures show
// how much of a period one step takes. Widget repaints are not included.
#include <benchmark/benchmark.h>

#include <memory>

#include "ChannelSelection.h"
#include "Collector.h"
#include "LineStream.h"
#include "ScanUnit.h"
#include "BenchSupport.h"
#include "FakeSeam.h"
#include "ViewBuilders.h"

namespace orvix {
namespace {
using bench::BestSeconds;

std::unique_ptr<SharedState> LargestFrame(bool record) {
  auto s = std::make_unique<SharedState>();
  s->WorkMode = 0x32;
  s->ChannelCode = 0x4F;
  s->ChannelMask = 0x0F;
  s->ChannelCount = 4;
  s->Config.SetMixChannel(1, true);  // the mix rule on: the heavier display step
  RefreshMixMirror(*s);
  UnitClearStream(*s);
  test::FakeSeam seam;
  if (record) {
    s->RecordOn = -1;
    seam.terminateAfterPolls = 1500;  // a RECORD frame 1500 lines in
    WriteRecordFrame(*s, seam);
  } else {
    bool found = true;
    WriteFrame(*s, seam, found);
    CollectFrame(*s, found, kCollectFactor);
  }
  return s;
}

void DisplayStep(benchmark::State& state, int view) {
  auto s = LargestFrame(false);
  s->ViewMode = uint8_t(view);
  PictureSurfaces p;
  const double t = BestSeconds(state, [&] {
    s->DisplayPending = 1;
    MarkUnsaved(*s);
    MixClip(*s);
    RedrawPictureMarked(*s, p, view, s->WorkMode, s->ChannelMask);
    s->DisplayPending = 0;
  });
  state.counters["ms"] = t * 1e3;
  state.counters["pct_of_50ms"] = 100.0 * t / 0.050;
}
void BM_Timer1Step_1600x4_Single(benchmark::State& st) { DisplayStep(st, 1); }
void BM_Timer1Step_1600x4_All(benchmark::State& st) { DisplayStep(st, kAllView); }

void BM_Timer3Tick_Record1600x4(benchmark::State& state) {
  auto s = LargestFrame(true);
  PictureSurfaces p;
  const double t = BestSeconds(state, [&] {
    s->LastDrawnLine = 1475;  // the band of one 250 ms tick: 25 lines
    bool found = true;
    CollectFrame(*s, found, kCollectFactor);
    RefreshNewLines(*s, p, 1, s->WorkMode, s->ChannelMask);
  });
  state.counters["ms"] = t * 1e3;
  state.counters["pct_of_250ms"] = 100.0 * t / 0.250;
}

BENCHMARK(BM_Timer1Step_1600x4_Single)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Timer1Step_1600x4_All)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Timer3Tick_Record1600x4)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace orvix
