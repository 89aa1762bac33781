// Full redraws of the picture against a memcpy of the same traffic (see BenchSupport.h).
// Bytes read are the cells of the store a view takes its pixels from (five bytes per
// pixel, since every cell shares its cache line with its neighbours); bytes written are
// the 800 picture rows of Image1.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "BenchSupport.h"
#include "Anaglyph.h"
#include "ViewBuilders.h"

namespace orvix {
namespace {
using bench::BestSeconds;
using bench::Report;

constexpr double kPictureBytes = 1100.0 * 800 * 4;

SharedState& FilledState() {
  static std::unique_ptr<SharedState> s;
  if (!s) {
    s = std::make_unique<SharedState>();
    uint32_t x = 12345;
    for (size_t i = 0; i < kImageStoreSize; ++i) {
      x = x * 1664525u + 1013904223u;
      s->ImageStore[i] = uint8_t(x >> 24);
    }
  }
  return *s;
}

// columns x lines of source cells read by the view.
void RedrawBench(benchmark::State& state, int view, uint8_t workMode, double columns,
                 double lines, bool anaglyph = false, bool rotate90 = false) {
  SharedState& s = FilledState();
  s.AnaglyphOn = anaglyph ? 1 : 0;
  PictureSurfaces p;
  p.Anaglyph.rotate90 = rotate90;
  const double t = BestSeconds(state, [&] { RedrawPicture(s, p, view, workMode, "r"); });
  Report(state, columns * lines * kCellBytes, kPictureBytes, t);
  s.AnaglyphOn = 0;
}

void BM_Redraw_Single_0x10(benchmark::State& st) { RedrawBench(st, 1, 0x12, 551, 401); }
void BM_Redraw_Single_0x20(benchmark::State& st) { RedrawBench(st, 1, 0x22, 1100, 800); }
void BM_Redraw_Single_0x30(benchmark::State& st) { RedrawBench(st, 1, 0x32, 2200, 1600); }
void BM_Redraw_All_0x20(benchmark::State& st) { RedrawBench(st, 5, 0x22, 1098, 800); }
void BM_Redraw_All_0x30(benchmark::State& st) { RedrawBench(st, 5, 0x32, 2196, 1600); }
void BM_Anaglyph_0(benchmark::State& st) { RedrawBench(st, 3, 0x22, 1100, 800, true, false); }
void BM_Anaglyph_90(benchmark::State& st) { RedrawBench(st, 3, 0x22, 800, 950, true, true); }

BENCHMARK(BM_Redraw_Single_0x10)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Redraw_Single_0x20)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Redraw_Single_0x30)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Redraw_All_0x20)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Redraw_All_0x30)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Anaglyph_0)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Anaglyph_90)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace orvix
