#pragma once
// What the display-step benchmarks share: the largest frame (1600 lines, four channels,
// the mix rule on) and the station's own display steps to time on it.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSupport.h"
#include "ChannelSelection.h"
#include "Collector.h"
#include "FakeSeam.h"
#include "LineStream.h"
#include "ScanUnit.h"
#include "StationRun.h"
#include "ViewBuilders.h"

namespace orvix::bench {

// The largest frame collected into the store (VISUAL), or a RECORD frame 1500 lines in.
inline std::unique_ptr<SharedState> LargestFrame(bool record) {
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

// The station's display steps on `s`, without a window: its strip, picture and run.
struct DisplaySteps {
  explicit DisplaySteps(SharedState& s) : strip(s), run(s, unit, strip, picture) {
    strip.FixedDate = "09.12.2026";
  }
  SimulatedScanUnit unit;
  StationStrip strip;
  PictureSurfaces picture;
  StationRun run;
};

// Times the station's frame display step (Timer1) of `view` on `s` (mark unsaved, the mix
// rule, the strip of the marked channels, the marked redraw) and reports it as a share of
// the 50 ms period. `stripText`: the strip's texts are drawn (needs a QGuiApplication).
inline void TimeDisplayStep(benchmark::State& state, SharedState& s, int view,
                            bool stripText = false) {
  s.ViewMode = uint8_t(view);
  s.AcquisitionOn = 1;
  DisplaySteps steps(s);
  if (stripText) steps.strip.UstawDaneNapisow();
  const double t = BestSeconds(state, [&] {
    s.DisplayPending = 1;
    steps.run.ShowFrame();
  });
  state.counters["ms"] = t * 1e3;
  state.counters["pct_of_50ms"] = 100.0 * t / 0.050;
}

}  // namespace orvix::bench
