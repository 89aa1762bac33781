#pragma once
// What the display-step benchmarks share: the largest frame (1600 lines, four channels,
// the mix rule on) and the timed work of one Timer1Timer step on it, with room for the
// strip burn between the mix rule and the marked redraw.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "BenchSupport.h"
#include "ChannelSelection.h"
#include "Collector.h"
#include "FakeSeam.h"
#include "LineStream.h"
#include "ScanUnit.h"
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

// Times one display step of `view` on `s` (mark unsaved, the mix rule, `strip`, the marked
// redraw) and reports it as a share of the 50 ms period.
inline void TimeDisplayStep(benchmark::State& state, SharedState& s, int view,
                            const std::function<void()>& strip = {}) {
  s.ViewMode = uint8_t(view);
  PictureSurfaces p;
  const double t = BestSeconds(state, [&] {
    s.DisplayPending = 1;
    MarkUnsaved(s);
    MixClip(s);
    if (strip) strip();
    RedrawPictureMarked(s, p, view, s.WorkMode, s.ChannelMask);
    s.DisplayPending = 0;
  });
  state.counters["ms"] = t * 1e3;
  state.counters["pct_of_50ms"] = 100.0 * t / 0.050;
}

}  // namespace orvix::bench
