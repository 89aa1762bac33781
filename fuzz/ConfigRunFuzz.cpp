// A frame written and collected with whatever settings conf300.dat held: the applied
// offsets, channels and mode must keep the writer and both collectors inside RawStream,
// ImageStore and AddStore. The input is a file image; its last bytes pick the run (as in
// fuzz_config), how many lines the writer gets to write before it is stopped
// and how far past them the collectors search.
//
// Per input the work is bounded to a few lines: the writer is stopped after at most eight
// lines, the collectors' search limit ends a little past the written lines (the search
// only walks on to the limit once nothing more is published), the planes are not cleared
// first (RECORD collects without clearing), and only the stream bytes written are zeroed
// again afterwards. Nothing walks a whole buffer.
#include <cstddef>
#include <cstdint>

#include "Collector.h"
#include "ConfigApply.h"
#include "FakeSeam.h"
#include "LineStream.h"

using namespace orvix;

namespace {

// The search limit of CollectFrame is Trunc(product x factor x channels); the factor
// that gives the station's own limit, or one that ends the search `slack` bytes past the
// written lines when the station's limit lies further out.
double BoundedFactor(const SharedState& s, int64_t published, int64_t slack) {
  const int f = FrameFormat(s);
  const int64_t count = s.AnaglyphOn.load() != 0 ? 1 : (s.ChannelCount.load() & 0x0F);
  const int64_t product = int64_t(StreamPixels[size_t(f)] + 32 + s.OffsetH.load()) * StreamLines[size_t(f)];
  if (count == 0 || product <= 0) return kCollectFactor;
  const long double own = (long double)product * kCollectFactor * count;
  if (own <= published + slack) return kCollectFactor;
  return double(published + slack) / double(product * count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::StreamScratch scratch;
  SharedState& s = fuzz::State();
  scratch.Reset(s);
  if (!fuzz::ApplyImage(s, data, size, false)) return 0;
  const uint8_t steer = data[size - 4];
  // Collect the way the RECORD progress timer does: into the planes as they are.
  s.RecordOn = -1;

  test::FakeSeam seam;
  seam.terminateAfterPolls = steer >> 5;  // 1..8 lines
  bool found = true;
  WriteFrame(s, seam, found);
  ORVIX_FUZZ_CHECK(found);
  const int64_t published = s.StreamPublished.load();
  scratch.Dirty(kRawStreamSize > size_t(published) + 1 ? size_t(published) + 1 : kRawStreamSize);
  scratch.Dirty(kProbePosition + kLineHeaderSize);
  ORVIX_FUZZ_CHECK(published > 0 && published <= int64_t(kRawStreamSize));

  const int64_t slack = int64_t(steer & 0x1F) * 512;
  s.PrevFrameLines = 0;
  s.CurrentLine = 0;
  CollectFrame(s, found, BoundedFactor(s, published, slack));
  ORVIX_FUZZ_CHECK(s.PrevFrameLines.load() >= 0 && s.PrevFrameLines.load() <= VisibleLines[size_t(FrameFormat(s))]);
  found = true;
  const int32_t own = FrameLimit(s);
  const int32_t limit = own > published + slack ? int32_t(published + slack) : own;
  CollectAddFrame(s, 1 + data[size - 2] % 51, limit, found);
  return 0;
}
