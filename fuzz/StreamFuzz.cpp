// The line stream is the scan unit's data: whatever bytes stand in RawStream, wherever
// they stand and however much of them is published, the header probe, the
// auto-identification and both collectors must read nothing outside RawStream or past
// the published bytes, write nothing outside ImageStore and AddStore, and end.
//
// The input is a few control bytes (mode, channels, offsets within the ranges the apply
// step accepts, where the bytes go, how much is published, the collectors' limits) and
// then the stream bytes themselves. Per input the work stays near the bytes given: the
// published part ends within 32 KB of them, the search limits end within 64 KB of the
// published end, the planes are collected into as they are (RECORD does not clear them)
// and only the stream bytes written are zeroed again afterwards.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "Collector.h"
#include "FakeSeam.h"
#include "FuzzSupport.h"
#include "LineStream.h"
#include "TUSBThread.h"
#include "WorkModes.h"

using namespace orvix;

namespace {

constexpr int kControlBytes = 16;

// What the settings window does with an auto-identification: the radios of the current
// mode are checked, the identified LINES and TIME radios are clicked, the refresh settles
// them and the composed mode becomes current.
void ApplyAutoChoice(SharedState& s, const AutoChoice& c) {
  ORVIX_FUZZ_CHECK(c.lines >= 0 && c.lines <= 4 && c.time >= 0 && c.time <= 7);
  ModeRadios r;
  const uint8_t mode = s.WorkMode.load();
  if ((mode & 7) <= 6) r.timeChecked[size_t(mode & 7)] = true;
  if ((mode & 0x70) >= 0x10 && (mode & 0x70) <= 0x40)
    r.linesChecked[size_t(std::min((mode >> 4) & 7, 3) - 1)] = true;
  if (c.lines >= 1) {
    r.linesChecked.fill(false);
    r.linesChecked[size_t(c.lines - 1)] = true;
  }
  r.timeChecked.fill(false);
  r.timeChecked[size_t(c.time)] = true;
  uint8_t composed = mode;
  SettleModeRadios(s, r, composed);
  SetCurrentWorkMode(s, composed);
}

int64_t CollectCount(const SharedState& s) {
  return s.AnaglyphOn.load() != 0 ? 1 : (s.ChannelCount.load() & 0x0F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::StreamScratch scratch;
  SharedState& s = fuzz::State();
  scratch.Reset(s);
  if (size < size_t(kControlBytes)) return 0;
  fuzz::Controls in(data, kControlBytes);
  const uint8_t* stream = data + kControlBytes;
  // Streams longer than this add nothing the search has not seen, only copy time.
  const size_t length = std::min<size_t>(size - kControlBytes, size_t(1) << 17);

  s.WorkMode = in.Byte();
  const uint8_t switches = in.Byte();
  const uint8_t mask = switches & 0x0F;
  s.ChannelMask = mask;
  s.ChannelCount = uint8_t(std::popcount(unsigned(mask)));
  s.TestPictureOn = (switches >> 4) & 1;
  s.AnaglyphOn = (switches >> 5) & 1;
  s.AnaglyphSource = uint8_t(1 + ((switches >> 6) & 1));
  const bool autoIdent = (switches >> 7) & 1;
  s.RecordOn = -1;  // collect into the planes as they are
  s.AddOn = 0;
  s.OffsetH = int16_t(in.Range(-100, 1000));
  s.OffsetV = int16_t(in.Range(-50, 200));
  const size_t base = in.U16() % 2048;                    // first stream byte given
  const int32_t publishedDelta = int16_t(in.U16()) / 2;   // -16384..16383 bytes
  const int64_t frameSlack = in.U16();                    // search limit past the published end
  const int64_t addSlack = in.U16();
  const int k = int(in.Byte()) - 2;                       // ADD frame -2..253
  const uint8_t how = in.Byte();

  std::memcpy(s.RawStream.data() + base, stream, length);
  scratch.Dirty(base + length);
  scratch.Dirty(kProbePosition + kLineHeaderSize);
  const int64_t published = std::max<int64_t>(int64_t(base + length) + publishedDelta, (how & 1) ? -1 : 0);
  s.StreamPublished = int32_t(published);

  // The probe always ends: it plants a header of its own at byte 100.
  test::FakeSeam seam;
  const std::optional<LineHeader> h = HeaderProbe(s, seam);
  ORVIX_FUZZ_CHECK(h.has_value());
  ORVIX_FUZZ_CHECK(h->lines >= 0 && h->lines <= 255 * 16 && h->timeCode >= 0 && h->timeCode <= 4095);
  ORVIX_FUZZ_CHECK(s.HeaderLines.load() == h->lines && s.HeaderTimeCode.load() == h->timeCode);
  AutoChoice choice;
  if (autoIdent && AutoIdentChoice(h->lines, h->timeCode, choice)) ApplyAutoChoice(s, choice);

  // CollectFrame's limit is Trunc(product x factor x channels): the station's factor
  // when that limit ends near the published bytes, else one that ends it there.
  const int f = FrameFormat(s);
  const int64_t product = int64_t(StreamPixels[size_t(f)] + 32 + s.OffsetH.load()) * StreamLines[size_t(f)];
  const int64_t count = CollectCount(s);
  const int64_t end = std::max<int64_t>(published, 0);
  double factor = kCollectFactor;
  if (count > 0 && (long double)product * kCollectFactor * count > end + frameSlack)
    factor = double(end + frameSlack) / double(product * count);
  s.PrevFrameLines = 0;
  s.CurrentLine = 0;
  bool found = true;
  CollectFrame(s, found, factor);
  ORVIX_FUZZ_CHECK(s.PrevFrameLines.load() >= 0 && s.PrevFrameLines.load() <= VisibleLines[size_t(f)]);
  ORVIX_FUZZ_CHECK(s.CurrentLine.load() >= 0 && s.CurrentLine.load() <= 0xFFFF);

  // CollectAddFrame takes its limit as given: near the published end, or below 1.
  const int32_t own = FrameLimit(s);
  int32_t limit = int32_t(std::min<int64_t>(own, end + addSlack));
  if (how & 2) limit = -int32_t(addSlack);
  found = true;
  CollectAddFrame(s, k, limit, found);
  if (k < 1 || k > kAddSlots) ORVIX_FUZZ_CHECK(!found);
  return 0;
}
