#include "LineStream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace orvix {
namespace {

// Saw-tooth bases of the synthetic signal, one period each, with the rounding done once:
// WriteFrame: Round(((i >> 1) & 255) * 0.75), period 512 bytes;
// WriteRecordFrame: Round(((i >> 2) & 255) * 0.87), period 1024 bytes.
template <int Shift, int Period>
std::array<uint8_t, Period> MakeSaw(double gain) {
  std::array<uint8_t, Period> t{};
  for (int i = 0; i < Period; ++i)
    t[i] = static_cast<uint8_t>(std::nearbyint(double((i >> Shift) & 255) * gain));
  return t;
}
const std::array<uint8_t, 512> kFrameSaw = MakeSaw<1, 512>(0.75);
const std::array<uint8_t, 1024> kRecordSaw = MakeSaw<2, 1024>(0.87);
// Largest noise added to the saw of each writer.
constexpr uint32_t kFrameNoiseMax = 62;
constexpr uint32_t kRecordNoiseMax = 30;

// Noise source: xorshift64*, one generator per writing thread.
struct Noise {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint64_t Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1Dull;
  }
};
thread_local Noise t_noise;

// Fills bytes 0..length of the line at `pos` (one byte into the next line) with saw + R,
// R uniform in 0..maxNoise. The caller has checked that pos + length is inside RawStream.
template <size_t Period>
void FillLine(uint8_t* line, size_t length, const std::array<uint8_t, Period>& saw,
              uint32_t maxNoise) {
  const uint32_t span = maxNoise + 1;
  size_t i = 0;
  while (i <= length) {
    uint64_t r = t_noise.Next();
    for (int k = 0; k < 4 && i <= length; ++k, ++i) {
      const uint32_t noise = (uint32_t(r & 0xFFFF) * span) >> 16;
      r >>= 16;
      line[i] = static_cast<uint8_t>(saw[i & (Period - 1)] + noise);
    }
  }
}

// True when a line of `length` bytes plus its one trailing signal byte fits at `pos`.
bool LineFits(size_t pos, int32_t length) {
  return length >= kLineHeaderSize && pos + size_t(length) < kRawStreamSize;
}

void Publish(SharedState& s, size_t end) {
  const auto e = static_cast<int32_t>(std::min(end, kRawStreamSize));
  if (e > s.StreamPublished.load(std::memory_order_relaxed))
    s.StreamPublished.store(e, std::memory_order_release);
}

// Writes lines 0..lines of a frame from byte kStreamFirstLine on: samples (saw + noise),
// header, then the line is published. After each line come the pause of `linePauseMs`
// (none when 0) and the terminate test; a line that would not fit ends the frame early.
template <size_t Period>
void WriteLines(SharedState& s, StreamSeam& seam, int lines, int32_t length,
                const std::array<uint8_t, Period>& saw, uint32_t maxNoise, int linePauseMs) {
  size_t position = kStreamFirstLine;
  int n = 0;
  do {
    if (!LineFits(position, length)) break;
    FillLine(s.RawStream.data() + position, size_t(length), saw, maxNoise);
    WriteLineHeader(s, position, n, lines);
    Publish(s, position + size_t(length));
    position += size_t(length);
    ++n;
    if (linePauseMs > 0) seam.Pause(linePauseMs);
  } while (n <= lines && !seam.TerminateRequested());
}

// Resets the indicator however the frame writer is left.
struct IndicatorReset {
  StreamSeam& seam;
  ~IndicatorReset() { seam.SetRecordIndicator(" "); }
};

}  // namespace

bool IsHeaderAt(const uint8_t* stream, size_t end, size_t pos) {
  if (end < size_t(kHeaderMatchBytes) || pos > end - kHeaderMatchBytes) return false;
  const uint8_t* p = stream + pos;
  return p[kHeaderMarkerByte] == kHeaderMarker &&
         std::memcmp(p, kSyncPattern.data(), kSyncPattern.size()) == 0;
}

LineHeader ReadHeader(const uint8_t* stream, size_t pos) {
  const uint8_t* p = stream + pos;
  return LineHeader{p[12] * 256 + p[13], p[15] * 16, (p[17] & 0x0F) * 256 + p[16]};
}

void WriteLineHeader(SharedState& s, size_t position, int lineNumber, int lineCount) {
  if (position + kLineHeaderSize > kRawStreamSize) return;
  uint8_t* p = s.RawStream.data() + position;
  std::memcpy(p, kSyncPattern.data(), kSyncPattern.size());
  p[12] = static_cast<uint8_t>(lineNumber >> 8);
  p[13] = static_cast<uint8_t>(lineNumber & 0xFF);
  p[14] = kHeaderMarker;
  p[15] = static_cast<uint8_t>(std::nearbyint(double(lineCount) / 16.0));
  p[16] = static_cast<uint8_t>(kStreamTimeCode & 0xFF);
  p[17] = static_cast<uint8_t>((kStreamTimeCode >> 8) & 0x0F);
}

int32_t StreamLineLength(const SharedState& s) {
  const int f = FrameFormat(s);
  const int32_t c = s.ChannelCount.load() & 0x0F;
  return (StreamPixels[f] + 32 + s.OffsetH.load() + 100) * c;
}

int32_t DataOffset(const SharedState& s) {
  const int32_t c = s.ChannelCount.load() & 0x0F;
  const int32_t h = s.OffsetH.load();
  return s.TestPictureOn.load() != 0 ? c * h + 32 : c * (h + 1) + 32;
}

int32_t FrameLimit(const SharedState& s) {
  const int f = FrameFormat(s);
  const int32_t c = s.ChannelCount.load() & 0x0F;
  const int32_t product = (StreamPixels[f] + 32 + s.OffsetH.load()) * StreamLines[f];
  const long double v = static_cast<long double>(product) * 1.35L * c;
  if (v > kRawStreamMaxBytes) return kRawStreamMaxBytes;
  return static_cast<int32_t>(v);
}

size_t ReadableStreamBytes(const SharedState& s) {
  const int32_t p = s.StreamPublished.load(std::memory_order_acquire);
  return p <= 0 ? 0 : std::min(size_t(p), kRawStreamSize);
}

std::optional<LineHeader> HeaderProbe(SharedState& s, StreamSeam& seam) {
  static constexpr std::array<uint8_t, kLineHeaderSize> kPlanted = {
      0xFE, 0x01, 0xFE, 0x01, 0x01, 0xFE, 0x01, 0xFE, 0xFE,
      0x01, 0xFE, 0x01, 0x00, 0x01, 0xAA, 0x32, 0xC8, 0x00};
  uint8_t* raw = s.RawStream.data();
  std::memcpy(raw + kProbePosition, kPlanted.data(), kPlanted.size());
  for (;;) {
    for (size_t pos = 0; pos < size_t(kProbeScanPositions); ++pos) {
      if (IsHeaderAt(raw, kRawStreamSize, pos)) {
        const LineHeader h = ReadHeader(raw, pos);
        s.HeaderLines = h.lines;
        s.HeaderTimeCode = h.timeCode;
        return h;
      }
    }
    if (seam.TerminateRequested()) return std::nullopt;
  }
}

void WriteFrame(SharedState& s, StreamSeam& seam, bool& found) {
  const int f = FrameFormat(s);
  const int lines = StreamLines[f];
  const int32_t length = StreamLineLength(s);
  if (!HeaderProbe(s, seam)) found = false;
  if (!found) return;

  seam.Pause(kFramePauseMs);
  seam.SetRecordIndicator("R");
  IndicatorReset reset{seam};
  std::lock_guard<std::mutex> lock(seam.StreamLock());
  seam.Pause(kFramePauseMs);

  WriteLines(s, seam, lines, length, kFrameSaw, kFrameNoiseMax, 0);
}

void WriteRecordFrame(SharedState& s, StreamSeam& seam) {
  s.LastDrawnLine = 0;
  s.CurrentLine = 0;
  s.PrevFrameLines = 0;
  const int f = FrameFormat(s);
  const int lines = StreamLines[f];
  const int32_t length = StreamLineLength(s);

  seam.SetRecordIndicator("R");
  s.AcquisitionBusy = -1;
  s.DisplayPending = 1;
  seam.EnableTimer3();
  {
    IndicatorReset reset{seam};
    WriteLines(s, seam, lines, length, kRecordSaw, kRecordNoiseMax, kRecordLinePauseMs);
  }
  seam.RequestTerminate();
  seam.EnableTimer4();
}

}  // namespace orvix
