// The main window's timer steps for the largest frame (1600 lines, four channels): the
// work of one frame display (Timer1Timer: mark unsaved, the mix rule, the marked redraw)
// and of one RECORD progress tick late in a 1600-line frame (Timer3Timer: collect what
// has arrived, draw the new band). Their periods are 50 ms and 250 ms; the figures show
// how much of a period one step takes. Widget repaints are not included.
#include <benchmark/benchmark.h>

#include "DisplayStepSupport.h"

namespace orvix {
namespace {
using bench::BestSeconds;
using bench::LargestFrame;
using bench::TimeDisplayStep;

void DisplayStep(benchmark::State& state, int view) {
  auto s = LargestFrame(false);
  TimeDisplayStep(state, *s, view);
}
void BM_Timer1Step_1600x4_Single(benchmark::State& st) { DisplayStep(st, 1); }
void BM_Timer1Step_1600x4_All(benchmark::State& st) { DisplayStep(st, kAllView); }

void BM_Timer3Tick_Record1600x4(benchmark::State& state) {
  auto s = LargestFrame(true);
  s->ViewMode = 1;
  bench::DisplaySteps steps(*s);
  const double t = BestSeconds(state, [&] {
    s->LastDrawnLine = 1475;  // the band of one 250 ms tick: 25 lines
    steps.run.ShowRecordProgress();
  });
  state.counters["ms"] = t * 1e3;
  state.counters["pct_of_250ms"] = 100.0 * t / 0.250;
}

BENCHMARK(BM_Timer1Step_1600x4_Single)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Timer1Step_1600x4_All)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Timer3Tick_Record1600x4)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace orvix
