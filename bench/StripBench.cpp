// The information strip on the largest frame: ObrazekPasek for four marked channels at
// 1600 lines (each strip built, its texts rendered, burnt at 4x), and the whole Timer1Timer
// display step with the strip on (mark unsaved, the mix rule, the strip, the marked
// redraw). The step's period is 50 ms. Widget repaints are not included.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "DisplayStepSupport.h"
#include "StripText.h"

namespace orvix {
namespace {
using bench::BestSeconds;
using bench::LargestFrame;
using bench::TimeDisplayStep;

// The strip's font needs a QGuiApplication; one for the whole program, offscreen.
void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "orvix_bench";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance()) return;
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
}

// The largest frame with the strip wanted everywhere: all four channels marked, every text
// and the bar in its fields look.
std::unique_ptr<SharedState> MarkedLargestFrame() {
  auto s = LargestFrame(false);
  for (int k = 1; k <= 4; ++k) s->Config.SetMarkerChannel(k, true);
  for (int row = cfg::kStripMagnificationRow; row <= cfg::kStripDimensionRow; ++row)
    s->Config.SetFlag(row, true);
  s->Config.SetFlag(cfg::kBarFieldsRow, true);
  s->CorrectionTable.fill(100);
  s->RegNumber = 7;
  UnitReadState(*s);
  return s;
}

// One burn of the strips, prepared once: the marked frame, the strip buffer, the rendered
// texts and the correction box.
struct StripBurn {
  bool gui = (EnsureGuiApplication(), true);  // before anything renders text
  std::unique_ptr<SharedState> s = MarkedLargestFrame();
  StripBuffer b;
  StripTextCanvas text;
  CorrectionBox box;
  StripBurn() { text.Prepare(); }
  StripsOutcome operator()() { return BurnMarkedStrips(b, *s, box, text, "09.12.2026"); }
};

void BM_ObrazekPasek_1600x4(benchmark::State& state) {
  StripBurn burn;
  const double t = BestSeconds(state, [&] {
    burn.s->UnsavedChannels = 0x0F;
    benchmark::DoNotOptimize(burn().burnt);
  });
  state.counters["ms"] = t * 1e3;
  state.counters["pct_of_50ms"] = 100.0 * t / 0.050;
}

void DisplayStepWithStrip(benchmark::State& state, int view) {
  EnsureGuiApplication();
  std::unique_ptr<SharedState> s = MarkedLargestFrame();
  TimeDisplayStep(state, *s, view, true);
}
void BM_Timer1StepStrip_1600x4_Single(benchmark::State& st) { DisplayStepWithStrip(st, 1); }
void BM_Timer1StepStrip_1600x4_All(benchmark::State& st) { DisplayStepWithStrip(st, kAllView); }

BENCHMARK(BM_ObrazekPasek_1600x4)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Timer1StepStrip_1600x4_Single)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Timer1StepStrip_1600x4_All)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace orvix
