#include "Collector.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "LineStream.h"

namespace orvix {
namespace {

// Lines found by the header search are copied in blocks: for each column, the cells of
// all lines of the block are written together, so the column-major store is written in
// short contiguous runs instead of one cache line per byte. Lines are applied in the
// order found, so a row met twice (the parking row) ends with the later line, exactly as
// a line-by-line copy would leave it.
constexpr int kBlockLines = 32;
constexpr int kPrefetchColumns = 8;

struct PendingLine {
  size_t row;     // store row
  size_t source;  // RawStream byte of the line's first sample
};

struct LineBlock {
  PendingLine lines[kBlockLines];
  int count = 0;
};

// Copies a block of lines into ImageStore: each pixel of each line gives one byte per
// channel of Mask, in the order kan1..kan4.
template <unsigned Mask>
void FlushStoreBlock(uint8_t* store, const uint8_t* raw, const LineBlock& block, int pixels) {
  constexpr int kCount = std::popcount(Mask);
  constexpr auto kOffsets = [] {
    std::array<int, 4> o{};
    int n = 0;
    for (int k = 0; k < 4; ++k)
      if (Mask & (1u << k)) o[n++] = k;
    return o;
  }();
  constexpr bool kContiguous = kCount > 0 && kOffsets[kCount - 1] - kOffsets[0] == kCount - 1;
  // Local copies: byte stores may alias anything, so values kept in the block itself
  // would be reloaded for every cell.
  size_t rowOffset[kBlockLines];
  const uint8_t* source[kBlockLines];
  const int n = block.count;
  for (int b = 0; b < n; ++b) {
    rowOffset[b] = block.lines[b].row * kCellBytes + size_t(kOffsets[0]);
    source[b] = raw + block.lines[b].source;
  }
  for (int x = 0; x < pixels; ++x) {
    uint8_t* __restrict column = store + size_t(x) * kColumnStride;
    const size_t sx = size_t(x) * kCount;
    // The column stride is beyond what the hardware prefetcher follows: ask for the
    // cells of a column a few columns ahead.
    uint8_t* ahead = column + kPrefetchColumns * kColumnStride + rowOffset[0];
    for (int l = 0; l < kBlockLines * kCellBytes; l += 64) __builtin_prefetch(ahead + l, 1);
    // The block's lines are read side by side, more streams than the hardware
    // prefetcher follows: once per cache line of samples, fetch each line ahead.
    if (sx % 64 < size_t(kCount))
      for (int b = 0; b < n; ++b) __builtin_prefetch(source[b] + sx + 384);
    for (int b = 0; b < n; ++b) {
      uint8_t* __restrict cell = column + rowOffset[b];
      const uint8_t* __restrict src = source[b] + sx;
      if constexpr (kContiguous) {
        std::memcpy(cell, src, kCount);  // one store for adjacent channels
      } else {
        for (int j = 0; j < kCount; ++j) cell[kOffsets[j] - kOffsets[0]] = src[j];
      }
    }
  }
}

using FlushFn = void (*)(uint8_t*, const uint8_t*, const LineBlock&, int);

template <unsigned... M>
constexpr std::array<FlushFn, 16> MakeFlushTable(std::integer_sequence<unsigned, M...>) {
  return {&FlushStoreBlock<M>...};
}
constexpr auto kFlushStore = MakeFlushTable(std::make_integer_sequence<unsigned, 16>{});

void FlushAddBlock(uint8_t* add, const uint8_t* raw, const LineBlock& block, int slot) {
  for (int x = 0; x < kAddPixels; ++x) {
    uint8_t* column = add + size_t(x) * kAddColumnStride + size_t(slot);
    for (int b = 0; b < block.count; ++b)
      column[block.lines[b].row * kAddSlots] = raw[block.lines[b].source + size_t(x)];
  }
}

// Start position of the samples of a line whose header stands at `position`, or -1 when
// the samples would lie outside the published stream.
int64_t LineSource(const SharedState& s, size_t position, int32_t start, int64_t lineBytes) {
  const int64_t source = int64_t(position) + start;
  if (source < 0) return -1;
  if (source + lineBytes > int64_t(ReadableStreamBytes(s))) return -1;
  return source;
}

int64_t ClampLimit(long double v) {
  if (v > kRawStreamMaxBytes) return kRawStreamMaxBytes;
  return static_cast<int64_t>(v);
}

bool HeaderOfLineOne(const uint8_t* p) { return p[12] == 0 && p[13] == 1; }

// Sets the channels of `mask` to `value` in the cells of a run of whole cells starting at
// `p`. One pass with a byte pattern of 80 bytes (16 cells), so the loop body is a plain
// masked store the compiler can vectorise.
void FillCells(uint8_t* p, size_t bytes, uint8_t mask, uint8_t value) {
  constexpr int kSpan = 16 * kCellBytes;
  uint8_t keep[kSpan];
  uint8_t set[kSpan];
  for (int i = 0; i < kSpan; ++i) {
    const int ch = i % kCellBytes;
    const bool hit = ch < 4 && (mask & (1u << ch));
    keep[i] = hit ? 0x00 : 0xFF;
    set[i] = hit ? value : 0x00;
  }
  size_t i = 0;
  for (; i + kSpan <= bytes; i += kSpan)
    for (int j = 0; j < kSpan; ++j) p[i + j] = static_cast<uint8_t>((p[i + j] & keep[j]) | set[j]);
  for (int j = 0; i < bytes; ++i, ++j) p[i] = static_cast<uint8_t>((p[i] & keep[j]) | set[j]);
}

// Sets the bytes of the channels in `mask` to `value` in every cell of ImageStore.
void FillChannels(SharedState& s, uint8_t mask, uint8_t value) {
  if ((mask & 0x0F) == 0) return;
  FillCells(s.ImageStore.data(), s.ImageStore.size(), mask, value);
}

// Sum of the first k slots of one ADD cell (at most 51 x 255, so 16 bits suffice).
// Whole 16-byte chunks are summed with SAD; the last chunk is masked to k. A chunk that
// would reach past the end of AddStore is summed byte by byte instead.
inline uint16_t SlotSum(const uint8_t* slots, const uint8_t* end, int k, const uint8_t* tailMask) {
#if defined(__SSE2__)
  const int chunks = (k + 15) / 16;
  if (slots + 16 * chunks <= end) {
    __m128i acc = _mm_setzero_si128();
    const __m128i zero = _mm_setzero_si128();
    for (int c = 0; c < chunks; ++c) {
      __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(slots + 16 * c));
      if (c == chunks - 1) v = _mm_and_si128(v, _mm_load_si128(reinterpret_cast<const __m128i*>(tailMask)));
      acc = _mm_add_epi64(acc, _mm_sad_epu8(v, zero));
    }
    return static_cast<uint16_t>(_mm_cvtsi128_si32(acc) + _mm_extract_epi16(acc, 4));
  }
#else
  (void)end;
  (void)tailMask;
#endif
  uint16_t sum = 0;
  for (int j = 0; j < k; ++j) sum = static_cast<uint16_t>(sum + slots[j]);
  return sum;
}

// How one collector mode walks the lines of a frame.
struct LineWalk {
  int64_t limit;       // a frame whose search runs past this stream byte is incomplete
  int32_t start;       // from a header to the line's first sample
  size_t skip;         // bytes skipped after a header before the next search
  int64_t lineBytes;   // samples read from each line
  int offsetV;
  int parkingRow;      // store row of lines outside the picture
  int lastLine;        // the frame is complete once more lines than this were taken
};

// The plain picture: each pending block goes into the planes of the mask. Lines taken
// are counted in PrevFrameLines, which the RECORD progress timer draws up to.
struct StoreCopy {
  static constexpr bool kCountsLines = true;
  uint8_t* store;
  const uint8_t* raw;
  FlushFn flush;
  int pixels;
  uint8_t mask;
  // A fresh VISUAL frame starts on cleared planes; RECORD adds lines to what is there.
  void Begin(SharedState& s) const {
    if (s.RecordOn.load() == 0) ClearChannels(s, mask, false);
    s.PrevFrameLines = 0;
  }
  void Flush(const LineBlock& block) const { flush(store, raw, block, pixels); }
};

// ADD: each pending block goes into one slot of AddStore; the planes stay as they are
// until the average is taken.
struct AddCopy {
  static constexpr bool kCountsLines = false;
  uint8_t* add;
  const uint8_t* raw;
  int slot;
  void Begin(SharedState&) const {}
  void Flush(const LineBlock& block) const { FlushAddBlock(add, raw, block, slot); }
};

// The walk both collectors share: finds line 1 within the first half of the limit,
// then follows the headers and hands the lines found to `copy` in blocks. A line that
// lands in row 0 before kRestartRows lines were taken restarts the count, since the
// picture starts there (earlier lines were parked above it by OffsetV). Returns true
// once lastLine + 1 lines were taken; false when line 1 is missing or the search ran
// past the limit first (the lines found up to then are copied all the same).
template <typename Copy>
bool WalkLines(SharedState& s, const LineWalk& w, const Copy& copy) {
  size_t position = FindFirstLine(s, w.limit / 2);
  if (position == 0) return false;
  copy.Begin(s);
  int taken = 0;
  LineBlock block;
  auto flushBlock = [&] {
    if (block.count > 0) copy.Flush(block);
    block.count = 0;
  };
  for (;;) {
    if (!FindNextHeader(s, position)) {
      if (int64_t(position) > w.limit) {
        flushBlock();
        return false;
      }
      continue;
    }
    const int row = StoreRow(s.CurrentLine.load(), w.offsetV, w.parkingRow);
    if (row < 1 && taken < kRestartRows) {
      s.PrevFrameLines = 0;
      s.CurrentLine = 0;
      taken = 0;
    }
    const int64_t source = LineSource(s, position, w.start, w.lineBytes);
    position += w.skip;
    if (source >= 0) {
      block.lines[block.count++] = PendingLine{size_t(row), size_t(source)};
      if (block.count == kBlockLines) flushBlock();
    }
    ++taken;
    if constexpr (Copy::kCountsLines) s.PrevFrameLines.fetch_add(1);
    if (taken > w.lastLine) {
      flushBlock();
      return true;
    }
    if (int64_t(position) > w.limit) {
      flushBlock();
      return false;
    }
  }
}

}  // namespace

int StoreRow(int lineNumber, int offsetV, int parking) {
  const int row = (lineNumber & 0xFFF) - offsetV - 1;
  return (row > parking || row < 0) ? parking : row;
}

size_t FindFirstLine(SharedState& s, int64_t n) {
  if (n < 1) return 0;
  const uint8_t* raw = s.RawStream.data();
  const size_t end = ReadableStreamBytes(s);
  if (end < size_t(kHeaderMatchBytes)) return 0;
  const size_t lastPos = std::min(size_t(n), end - kHeaderMatchBytes);
  size_t pos = 1;
  while (pos <= lastPos) {
    // Samples never reach 0xFE, so the first sync byte is a cheap place to look.
    const void* hit = std::memchr(raw + pos, kSyncPattern[0], lastPos - pos + 1);
    if (hit == nullptr) return 0;
    pos = size_t(static_cast<const uint8_t*>(hit) - raw);
    if (IsHeaderAt(raw, end, pos) && HeaderOfLineOne(raw + pos)) {
      s.CurrentLine = 0;
      return pos;
    }
    ++pos;
  }
  return 0;
}

bool FindNextHeader(SharedState& s, size_t& position) {
  const uint8_t* raw = s.RawStream.data();
  const size_t end = ReadableStreamBytes(s);
  const size_t windowEnd = position + kHeaderWindow;  // exclusive
  if (end >= size_t(kHeaderMatchBytes) && position <= end - kHeaderMatchBytes) {
    const size_t lastPos = std::min(windowEnd - 1, end - kHeaderMatchBytes);
    size_t pos = position;
    while (pos <= lastPos) {
      const void* hit = std::memchr(raw + pos, kSyncPattern[0], lastPos - pos + 1);
      if (hit == nullptr) break;
      pos = size_t(static_cast<const uint8_t*>(hit) - raw);
      if (IsHeaderAt(raw, end, pos)) {
        position = pos;
        s.CurrentLine = ReadHeader(raw, pos).lineNumber;
        return true;
      }
      ++pos;
    }
  }
  position = windowEnd;
  return false;
}

void CollectFrame(SharedState& s, bool& found, double factor) {
  const int f = FrameFormat(s);
  const int lines = VisibleLines[f];
  const int last = VisiblePixels[f] - 1;
  uint8_t mask;
  int count;
  if (s.AnaglyphOn.load() != 0) {
    mask = s.AnaglyphSource.load() & 0x0F;
    count = 1;
  } else {
    mask = s.ChannelMask.load() & 0x0F;
    count = s.ChannelCount.load() & 0x0F;
  }
  const int32_t product = (StreamPixels[f] + 32 + s.OffsetH.load()) * StreamLines[f];
  const LineWalk walk{
      .limit = ClampLimit(static_cast<long double>(product) * factor * count),
      .start = DataOffset(s),
      .skip = static_cast<size_t>(static_cast<int64_t>(last * count * 0.5)),
      .lineBytes = int64_t(last + 1) * std::popcount(unsigned(mask)),
      .offsetV = s.OffsetV.load(),
      .parkingRow = kStoreParkingRow,
      .lastLine = lines,
  };
  StoreCopy copy{s.ImageStore.data(), s.RawStream.data(), kFlushStore[mask], last + 1, mask};
  if (WalkLines(s, walk, copy))
    s.PrevFrameLines = lines;
  else
    found = false;
}

void CollectAddFrame(SharedState& s, int k, int32_t limitIn, bool& found) {
  if (k < 1 || k > kAddSlots) {
    found = false;
    return;
  }
  const LineWalk walk{
      .limit = limitIn > kRawStreamMaxBytes ? kRawStreamMaxBytes : limitIn,
      .start = DataOffset(s),
      .skip = kAddSkip,
      .lineBytes = kAddPixels,
      .offsetV = s.OffsetV.load(),
      .parkingRow = kAddParkingRow,
      .lastLine = kAddLines - 1,
  };
  AddCopy copy{s.AddStore.data(), s.RawStream.data(), k - 1};
  if (!WalkLines(s, walk, copy)) found = false;
}

void AverageAddFrames(SharedState& s, int k) {
  const int n = s.AddChannelCode.load() >> 4;
  if (n < 1 || n > 4 || k < 1) return;
  k = std::min(k, kAddSlots);
  // Round(sum / k), to nearest with ties to even, for every possible sum.
  static thread_local std::array<uint8_t, kAddSlots * 255 + 1> mean;
  static thread_local int meanFor = 0;
  if (meanFor != k) {
    for (int sum = 0; sum <= kAddSlots * 255; ++sum) {
      const int q = sum / k, r = sum % k;
      const int up = (2 * r > k) || (2 * r == k && (q & 1));
      mean[size_t(sum)] = static_cast<uint8_t>(std::min(q + up, 255));
    }
    meanFor = k;
  }
  uint8_t* plane = s.ImageStore.data();
  uint8_t* store = plane + (n - 1);
  const uint8_t* add = s.AddStore.data();
  const uint8_t* addEnd = add + s.AddStore.size();
  alignas(16) uint8_t tailMask[16];
  for (int i = 0; i < 16; ++i) tailMask[i] = (k % 16 == 0 || i < k % 16) ? 0xFF : 0x00;
  const uint8_t bit = static_cast<uint8_t>(1u << (n - 1));
  // Columns of the ADD picture: the mean in rows 0..801, zero below.
  for (int x = 0; x < kAddColumns; ++x) {
    uint8_t* column = store + size_t(x) * kColumnStride;
    const uint8_t* cells = add + size_t(x) * kAddColumnStride;
    for (int y = 0; y < kAddRows; ++y) {
      const uint8_t* slots = cells + size_t(y) * kAddSlots;
      column[size_t(y) * kCellBytes] = mean[SlotSum(slots, addEnd, k, tailMask)];
    }
    FillCells(plane + size_t(x) * kColumnStride + size_t(kAddRows) * kCellBytes,
              size_t(kStoreRows - kAddRows) * kCellBytes, bit, 0);
  }
  // The columns right of it: zero.
  FillCells(plane + size_t(kAddColumns) * kColumnStride,
            size_t(kStoreColumns - kAddColumns) * kColumnStride, bit, 0);
}

void ClearChannels(SharedState& s, uint8_t mask, bool withCaptions) {
  static const char* const kClear[5] = {"", "Picture 1 clear  ", "Picture 2 clear  ",
                                        "Picture 3 clear  ", "Picture 4 clear  "};
  // The mirror, not the table: this also runs on the acquisition thread.
  const bool mix4 = (s.MixChannelBits.load() & 0x07) != 0;
  uint8_t zeroMask = mask & 0x07;
  if ((mask & 0x08) && !mix4) zeroMask |= 0x08;
  FillChannels(s, zeroMask, 0);
  if ((mask & 0x08) && mix4) FillChannels(s, 0x08, kMixGrey);
  if (!withCaptions) return;
  for (int k = 1; k <= 4; ++k) {
    if (!(mask & (1u << (k - 1)))) continue;
    s.ViewCaptions[k] = (k == 4 && mix4) ? "Picture 4 color gray  " : kClear[k];
  }
}

void ClearAddStore(SharedState& s) {
  const int64_t count = int64_t(s.Config.AddFrameCount()) + 1;  // any table value
  const int n = (count > kAddSlots || count < 2) ? kAddSlots : int(count);
  uint8_t* add = s.AddStore.data();
  if (n == kAddSlots) {
    std::memset(add, 0, s.AddStore.size());
    return;
  }
  const size_t cells = size_t(kAddColumns) * kAddRows;
  for (size_t c = 0; c < cells; ++c) std::memset(add + c * kAddSlots, 0, size_t(n));
}

void MixClip(SharedState& s) {
  if (s.AnaglyphOn.load() != 0) return;
  const unsigned m = s.MixChannelBits.load() & 0x07u;
  if (m == 0) return;
  const bool m1 = m & 1, m2 = m & 2, m3 = m & 4;
  uint8_t* store = s.ImageStore.data();
  for (int x = 0; x < kMixColumns; ++x) {
    uint8_t* cell = store + size_t(x) * kColumnStride;
    for (int y = 0; y < kMixRows; ++y, cell += kCellBytes) {
      const uint8_t v = cell[3];
      // Branch-free: low values force 0, high values force 255, the rest keep the cell.
      const uint8_t low = v < kMixLow ? 0x00 : 0xFF;    // AND mask
      const uint8_t high = v > kMixHigh ? 0xFF : 0x00;  // OR mask
      if (m1) cell[0] = static_cast<uint8_t>((cell[0] & low) | high);
      if (m2) cell[1] = static_cast<uint8_t>((cell[1] & low) | high);
      if (m3) cell[2] = static_cast<uint8_t>((cell[2] & low) | high);
    }
  }
}

}  // namespace orvix
