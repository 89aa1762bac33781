// Collector kernels against a memcpy of the same traffic (see BenchSupport.h).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "Collector.h"
#include "LineStream.h"
#include "ScanUnit.h"
#include "BenchSupport.h"
#include "FakeSeam.h"

namespace orvix {
namespace {
using bench::BestSeconds;
using bench::Report;

SharedState& FrameState(uint8_t workMode, uint8_t mask) {
  static std::unique_ptr<SharedState> s;
  static int key = -1;
  if (key != workMode * 16 + mask) {
    s = std::make_unique<SharedState>();
    s->WorkMode = workMode;
    s->ChannelMask = mask;
    s->ChannelCount = uint8_t(__builtin_popcount(mask));
    test::FakeSeam seam;
    bool found = true;
    WriteFrame(*s, seam, found);
    std::memset(s->ImageStore.data(), 1, kImageStoreSize);
    std::memset(s->AddStore.data(), 3, kAddStoreSize);
    key = workMode * 16 + mask;
  }
  return *s;
}

void CollectFrameBench(benchmark::State& state, uint8_t workMode, uint8_t mask) {
  SharedState& s = FrameState(workMode, mask);
  const int f = FrameFormat(s);
  const int c = __builtin_popcount(mask);
  const double t = BestSeconds(state, [&] {
    bool found = true;
    CollectFrame(s, found, kCollectFactor);
    if (!found) state.SkipWithError("frame not found");
  });
  // Reads: the lines taken from the stream, and the store once for the plane clear.
  // Writes: the store for the clear, and the cells of the picture rows.
  const double lines = VisibleLines[f] + 1;
  const double stream = lines * StreamLineLength(s);
  const double cells = double(VisiblePixels[f]) * lines * kCellBytes;
  const double clear = double(kImageStoreSize);
  Report(state, stream + clear + cells, clear + cells, t);
  state.counters["channels"] = c;
}

void BM_CollectFrame_1600x4(benchmark::State& st) { CollectFrameBench(st, 0x30, 0xF); }
void BM_CollectFrame_800x1(benchmark::State& st) { CollectFrameBench(st, 0x20, 0x1); }

void AverageBench(benchmark::State& state, int k) {
  SharedState& s = FrameState(0x20, 0x1);
  s.AddChannelCode = 0x11;
  const double t = BestSeconds(state, [&] { AverageAddFrames(s, k); });
  const double cells = double(kAddColumns) * kAddRows;
  // Slots 0..k-1 of every ADD cell (whole cache lines of AddStore for k near 51), and
  // the store read and written once for the plane.
  const double slots = std::min(double(kAddStoreSize), cells * std::max(k, 64 * k / kAddSlots));
  Report(state, slots + kImageStoreSize, kImageStoreSize, t);
}
void BM_AverageAddFrames_k10(benchmark::State& st) { AverageBench(st, 10); }
void BM_AverageAddFrames_k51(benchmark::State& st) { AverageBench(st, 51); }

void BM_ClearChannels_OnePlane(benchmark::State& state) {
  SharedState& s = FrameState(0x20, 0x1);
  const double t = BestSeconds(state, [&] { ClearChannels(s, 0x2, false); });
  Report(state, kImageStoreSize, kImageStoreSize, t);
}

void BM_MixClip(benchmark::State& state) {
  SharedState& s = FrameState(0x20, 0x1);
  s.Config.SetMixChannel(1, true);
  s.Config.SetMixChannel(2, true);
  RefreshMixMirror(s);
  for (size_t i = 3; i < kImageStoreSize; i += kCellBytes) s.ImageStore[i] = uint8_t(i * 7);
  const double t = BestSeconds(state, [&] { MixClip(s); });
  const double region = double(kMixColumns - 1) * kColumnStride + kMixRows * kCellBytes;
  Report(state, region, region, t);
  s.Config.SetMixChannel(1, false);
  s.Config.SetMixChannel(2, false);
  RefreshMixMirror(s);
}

BENCHMARK(BM_CollectFrame_1600x4)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CollectFrame_800x1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_AverageAddFrames_k10)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_AverageAddFrames_k51)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ClearChannels_OnePlane)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_MixClip)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace orvix
