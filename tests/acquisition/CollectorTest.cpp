// The collector turns the stream into pictures. These tests write frames with the real
// writer and check that every stored pixel is the sample the writer put there, compare
// the blocked fast path with a plain line-by-line reference, and check the parking rows,
// frame restarts, ADD averaging and the mix rule at their boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <random>

#include "Collector.h"
#include "LineStream.h"
#include "ScanUnit.h"
#include "FakeSeam.h"

namespace orvix {
namespace {

std::unique_ptr<SharedState> Fresh(uint8_t workMode, uint8_t mask) {
  auto s = std::make_unique<SharedState>();
  s->WorkMode = workMode;
  s->ChannelMask = mask;
  s->ChannelCount = uint8_t(std::popcount(unsigned(mask)));
  s->ChannelCode = uint8_t(16 * s->ChannelCount + mask);
  return s;
}

void WriteOneFrame(SharedState& s) {
  test::FakeSeam seam;
  bool found = true;
  UnitClearStream(s);
  WriteFrame(s, seam, found);
  ASSERT_TRUE(found);
}

// The collection written plainly, one pixel at a time, to check the blocked copy against.
void ReferenceCollectFrame(SharedState& s, bool& found) {
  const int f = FrameFormat(s);
  const int lines = VisibleLines[f], last = VisiblePixels[f] - 1;
  const int mask = s.AnaglyphOn ? s.AnaglyphSource.load() : s.ChannelMask.load();
  const int count = s.AnaglyphOn ? 1 : (s.ChannelCount & 0x0F);
  int64_t limit = int64_t((long double)((StreamPixels[f] + 32 + s.OffsetH) * StreamLines[f]) *
                          1.35L * count);
  limit = std::min<int64_t>(limit, kRawStreamMaxBytes);
  const int64_t start = DataOffset(s);
  const int64_t skip = int64_t(last * count * 0.5);
  const uint8_t* raw = s.RawStream.data();
  int64_t pos = 0;
  for (int64_t p = 1; p <= limit / 2 && pos == 0; ++p)
    if (IsHeaderAt(raw, kRawStreamSize, size_t(p)) && raw[p + 12] == 0 && raw[p + 13] == 1)
      pos = p;
  if (pos == 0) {
    found = false;
    return;
  }
  if (s.RecordOn == 0)
    for (size_t c = 0; c < kImageStoreSize; c += kCellBytes)
      for (int k = 0; k < 4; ++k)
        if (mask & (1 << k)) s.ImageStore[c + size_t(k)] = 0;
  s.PrevFrameLines = 0;
  int taken = 0;
  for (;;) {
    int64_t hit = -1;
    for (int64_t p = pos; p < pos + 128; ++p)
      if (IsHeaderAt(raw, kRawStreamSize, size_t(p))) {
        hit = p;
        break;
      }
    if (hit < 0) {
      pos += 128;
      if (pos > limit) {
        found = false;
        return;
      }
      continue;
    }
    pos = hit;
    s.CurrentLine = raw[pos + 12] * 256 + raw[pos + 13];
    int row = (s.CurrentLine & 0xFFF) - s.OffsetV - 1;
    if (row > 1613 || row < 0) row = 1613;
    if (row < 1 && taken < 222) {
      s.PrevFrameLines = 0;
      s.CurrentLine = 0;
      taken = 0;
    }
    int64_t src = pos + start;
    pos += skip;
    for (int x = 0; x <= last; ++x)
      for (int k = 1; k <= 4; ++k)
        if (mask & (1 << (k - 1))) s.ImageStore[StoreIndex(x, row, k)] = raw[src++];
    ++taken;
    s.PrevFrameLines = s.PrevFrameLines + 1;
    if (taken > lines) {
      s.PrevFrameLines = lines;
      return;
    }
    if (pos > limit) {
      found = false;
      return;
    }
  }
}

struct RoundTrip {
  uint8_t workMode;
  uint8_t mask;
  int16_t offsetH;
  int16_t offsetV;
  bool testPicture;
};

class CollectRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(CollectRoundTrip, EveryStoredPixelIsTheWrittenSample) {
  const RoundTrip p = GetParam();
  auto s = Fresh(p.workMode, p.mask);
  s->OffsetH = p.offsetH;
  s->OffsetV = p.offsetV;
  s->TestPictureOn = p.testPicture;
  WriteOneFrame(*s);
  // A channel outside the mask must keep what it held.
  const int untouched = std::countr_one(unsigned(p.mask)) < 4 ? std::countr_one(unsigned(p.mask)) + 1 : 0;
  if (untouched) s->ImageStore[StoreIndex(3, 3, untouched)] = 77;

  bool found = true;
  CollectFrame(*s, found, kCollectFactor);
  ASSERT_TRUE(found);
  const int f = FrameFormat(*s);
  EXPECT_EQ(s->PrevFrameLines, VisibleLines[f]);

  const size_t len = size_t(StreamLineLength(*s));
  const size_t start = size_t(DataOffset(*s));
  const int count = std::popcount(unsigned(p.mask));
  // Collection restarts at the first line whose row is 0 (or at line 1 when rows never
  // fall below 1) and takes VisibleLines + 1 lines.
  const int firstLine = p.offsetV > 0 ? p.offsetV + 1 : 1;
  for (int n = firstLine; n <= firstLine + VisibleLines[f]; ++n) {
    const int row = StoreRow(n, p.offsetV, kStoreParkingRow);
    if (row == kStoreParkingRow) continue;
    const uint8_t* src = s->RawStream.data() + 10 + size_t(n) * len + start;
    for (int x = 0; x < VisiblePixels[f]; ++x) {
      int j = 0;
      for (int k = 1; k <= 4; ++k) {
        if (!(p.mask & (1 << (k - 1)))) continue;
        ASSERT_EQ(s->ImageStore[StoreIndex(x, row, k)], src[size_t(x) * count + size_t(j)])
            << "line " << n << " x " << x << " kan" << k;
        ++j;
      }
    }
  }
  if (untouched) {
    EXPECT_EQ(s->ImageStore[StoreIndex(3, 3, untouched)], 77);
  }
}

INSTANTIATE_TEST_SUITE_P(
    FormatsMasksOffsets, CollectRoundTrip,
    ::testing::Values(RoundTrip{0x10, 0x1, 0, 0, false}, RoundTrip{0x20, 0x5, 0, 0, false},
                      RoundTrip{0x30, 0xF, 0, 0, false}, RoundTrip{0x40, 0x8, 0, 0, false},
                      RoundTrip{0x20, 0x1, 0, 0, true}, RoundTrip{0x20, 0x6, 12, 5, false},
                      RoundTrip{0x10, 0xA, -7, -3, false}, RoundTrip{0x20, 0x3, 0, 0, true},
                      RoundTrip{0x10, 0xE, 40, 1, true}, RoundTrip{0x30, 0x9, -100, -50, false}));

TEST(CollectFrame, BlockedCopyMatchesPlainReference) {
  const RoundTrip cases[] = {{0x20, 0x5, 3, 2, false}, {0x30, 0xF, 0, -4, false},
                             {0x10, 0x2, 0, 0, true}};
  for (const auto& c : cases) {
    auto a = Fresh(c.workMode, c.mask);
    a->OffsetH = c.offsetH;
    a->OffsetV = c.offsetV;
    a->TestPictureOn = c.testPicture;
    WriteOneFrame(*a);
    auto b = Fresh(c.workMode, c.mask);
    b->OffsetH = c.offsetH;
    b->OffsetV = c.offsetV;
    b->TestPictureOn = c.testPicture;
    std::memcpy(b->RawStream.data(), a->RawStream.data(), kRawStreamSize);
    b->StreamPublished = a->StreamPublished.load();
    std::mt19937 rng(7);
    for (size_t i = 0; i < kImageStoreSize; i += 997) a->ImageStore[i] = b->ImageStore[i] = uint8_t(rng());
    bool fa = true, fb = true;
    CollectFrame(*a, fa, kCollectFactor);
    ReferenceCollectFrame(*b, fb);
    EXPECT_EQ(fa, fb);
    EXPECT_EQ(a->PrevFrameLines, b->PrevFrameLines);
    EXPECT_EQ(a->CurrentLine, b->CurrentLine);
    EXPECT_EQ(std::memcmp(a->ImageStore.data(), b->ImageStore.data(), kImageStoreSize), 0)
        << "mode " << int(c.workMode) << " mask " << int(c.mask);
  }
}

TEST(CollectFrame, RowsParkingAndRestart) {
  auto s = Fresh(0x20, 0x1);
  WriteOneFrame(*s);
  bool found = true;
  CollectFrame(*s, found, kCollectFactor);
  ASSERT_TRUE(found);
  EXPECT_EQ(s->PrevFrameLines, 800);
  const size_t len = size_t(StreamLineLength(*s));
  const uint8_t* line1 = s->RawStream.data() + 10 + len + size_t(DataOffset(*s));
  const uint8_t* line800 = s->RawStream.data() + 10 + 800 * len + size_t(DataOffset(*s));
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 1)], line1[0]);
  EXPECT_EQ(s->ImageStore[StoreIndex(1099, 799, 1)], line800[1099]);
  // Line 801 went to row 800, the one beyond the picture.
  const uint8_t* line801 = s->RawStream.data() + 10 + 801 * len + size_t(DataOffset(*s));
  EXPECT_EQ(s->ImageStore[StoreIndex(5, 800, 1)], line801[5]);

  EXPECT_EQ(StoreRow(1, 5, kStoreParkingRow), kStoreParkingRow);
  EXPECT_EQ(StoreRow(5, 5, kStoreParkingRow), kStoreParkingRow);
  EXPECT_EQ(StoreRow(6, 5, kStoreParkingRow), 0);
  EXPECT_EQ(StoreRow(0x1000 + 6, 5, kStoreParkingRow), 0);  // only 12 bits count
  EXPECT_EQ(StoreRow(1700, 0, kStoreParkingRow), kStoreParkingRow);
  EXPECT_EQ(StoreRow(900, 0, kAddParkingRow), kAddParkingRow);

  // OffsetV 5: lines 1..5 park in row 1613, line 6 restarts the frame at row 0.
  auto v = Fresh(0x20, 0x1);
  v->OffsetV = 5;
  WriteOneFrame(*v);
  CollectFrame(*v, found, kCollectFactor);
  ASSERT_TRUE(found);
  EXPECT_EQ(v->PrevFrameLines, 800);
  const uint8_t* line5 = v->RawStream.data() + 10 + 5 * len + size_t(DataOffset(*v));
  const uint8_t* line6 = v->RawStream.data() + 10 + 6 * len + size_t(DataOffset(*v));
  EXPECT_EQ(v->ImageStore[StoreIndex(9, kStoreParkingRow, 1)], line5[9]);
  EXPECT_EQ(v->ImageStore[StoreIndex(9, 0, 1)], line6[9]);
}

TEST(CollectFrame, RecordFrameInProgressIsFoundIncomplete) {
  auto s = Fresh(0x20, 0x1);
  s->RecordOn = -1;
  UnitClearStream(*s);
  s->ImageStore[StoreIndex(0, 500, 1)] = 99;  // RECORD does not clear the plane
  test::FakeSeam seam;
  seam.terminateAfterPolls = 99;  // lines 0..99 written
  WriteRecordFrame(*s, seam);
  bool found = true;
  CollectFrame(*s, found, kCollectFactor);
  EXPECT_FALSE(found);
  EXPECT_EQ(s->PrevFrameLines, 99);
  EXPECT_EQ(s->CurrentLine, 99);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 500, 1)], 99);

  // Before line 1 is written there is nothing to find.
  auto e = Fresh(0x20, 0x1);
  UnitClearStream(*e);
  found = true;
  CollectFrame(*e, found, kCollectFactor);
  EXPECT_FALSE(found);
}

TEST(CollectFrame, AnaglyphSourceTakesOneBytePerPixel) {
  auto s = Fresh(0x20, 0x1);
  s->AnaglyphOn = 1;
  s->AnaglyphSource = 2;
  s->ChannelMask = 0x5;  // ignored while the anaglyph is on
  WriteOneFrame(*s);
  s->ImageStore[StoreIndex(10, 10, 1)] = 123;
  bool found = true;
  CollectFrame(*s, found, kCollectFactor);
  ASSERT_TRUE(found);
  const size_t len = size_t(StreamLineLength(*s));
  const uint8_t* line11 = s->RawStream.data() + 10 + 11 * len + size_t(DataOffset(*s));
  EXPECT_EQ(s->ImageStore[StoreIndex(10, 10, 2)], line11[10]);
  EXPECT_EQ(s->ImageStore[StoreIndex(10, 10, 1)], 123);
  EXPECT_EQ(s->ImageStore[StoreIndex(10, 10, 3)], 0);
}

TEST(CollectFrame, LinesNearTheEndOfTheStreamAreNotCollected) {
  // Widest lines and a limit at the end of the buffer: a header just inside the end
  // would have its samples beyond it.
  auto s = Fresh(0x30, 0xF);
  s->OffsetH = 32767;
  ASSERT_EQ(FrameLimit(*s), kRawStreamMaxBytes);
  WriteLineHeader(*s, 10, 1, 1612);
  WriteLineHeader(*s, kRawStreamSize - 18, 2, 1612);
  s->StreamPublished = int32_t(kRawStreamSize);
  bool found = true;
  CollectFrame(*s, found, kCollectFactor);
  EXPECT_FALSE(found);
  EXPECT_EQ(s->CurrentLine, 2);  // the header was seen, its line was not read

  // The ADD collector reads 1100 bytes a line: same rule.
  found = true;
  s->OffsetH = 0;
  s->ChannelCount = 1;
  CollectAddFrame(*s, 1, kRawStreamMaxBytes, found);
  EXPECT_FALSE(found);
  // Slots outside the 51 of a pixel are refused.
  found = true;
  CollectAddFrame(*s, 52, kRawStreamMaxBytes, found);
  EXPECT_FALSE(found);

  // Nothing published: nothing read, even with headers in the buffer.
  s->StreamPublished = 0;
  size_t pos = 0;
  EXPECT_FALSE(FindNextHeader(*s, pos));
  EXPECT_EQ(pos, 128u);
  EXPECT_EQ(FindFirstLine(*s, 1000), 0u);
}

TEST(CollectAddFrame, FillsItsSlotWithTheFirstChannelSamples) {
  auto s = Fresh(0x20, 0x1);
  WriteOneFrame(*s);
  std::memset(s->ImageStore.data(), 7, kImageStoreSize);
  bool found = true;
  CollectAddFrame(*s, 3, FrameLimit(*s), found);
  ASSERT_TRUE(found);
  const size_t len = size_t(StreamLineLength(*s));
  for (int n : {1, 2, 400, 800}) {
    const uint8_t* src = s->RawStream.data() + 10 + size_t(n) * len + size_t(DataOffset(*s));
    for (int x : {0, 1, 549, 1099}) EXPECT_EQ(s->AddStore[AddIndex(x, n - 1, 2)], src[x]);
  }
  EXPECT_EQ(s->AddStore[AddIndex(5, 5, 1)], 0);
  EXPECT_EQ(s->AddStore[AddIndex(5, 5, 3)], 0);
  // Unlike a picture frame, ADD takes lines 1..800 only (line 801 would land in row 800),
  // leaves the planes to the averaging and does not count its lines.
  EXPECT_EQ(s->CurrentLine, 800);
  EXPECT_EQ(s->AddStore[AddIndex(5, 800, 2)], 0);
  EXPECT_EQ(s->ImageStore[StoreIndex(5, 5, 1)], 7);
  EXPECT_EQ(s->PrevFrameLines, 0);
}

TEST(AverageAddFrames, RoundsHalfToEvenAndClearsTheWholePlane) {
  auto s = Fresh(0x20, 0x4);
  s->AddChannelCode = 0x34;  // ADD on kan3
  auto set = [&](int x, int y, std::initializer_list<int> v) {
    int j = 0;
    for (int b : v) s->AddStore[AddIndex(x, y, j++)] = uint8_t(b);
  };
  set(0, 0, {10, 11, 13});
  set(1, 0, {10, 11, 0});
  set(2, 0, {11, 12, 0});
  set(1101, 801, {255, 255, 255});
  s->ImageStore[StoreIndex(2000, 1500, 3)] = 9;  // outside the ADD picture: cleared
  s->ImageStore[StoreIndex(0, 0, 1)] = 8;        // other channels stay
  AverageAddFrames(*s, 3);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 3)], 11);  // 34 / 3 = 11.33
  EXPECT_EQ(s->ImageStore[StoreIndex(1101, 801, 3)], 255);
  EXPECT_EQ(s->ImageStore[StoreIndex(2000, 1500, 3)], 0);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 1)], 8);
  AverageAddFrames(*s, 2);
  EXPECT_EQ(s->ImageStore[StoreIndex(1, 0, 3)], 10);  // 10.5 -> 10
  EXPECT_EQ(s->ImageStore[StoreIndex(2, 0, 3)], 12);  // 11.5 -> 12

  // Against a plain mean for k = 51 on random slots.
  std::mt19937 rng(3);
  for (size_t i = 0; i < kAddStoreSize; i += 13) s->AddStore[i] = uint8_t(rng());
  AverageAddFrames(*s, 51);
  for (int x = 0; x < kAddColumns; x += 37)
    for (int y = 0; y < kAddRows; y += 29) {
      int sum = 0;
      for (int j = 0; j < 51; ++j) sum += s->AddStore[AddIndex(x, y, j)];
      const int q = sum / 51, r = sum % 51;
      ASSERT_EQ(s->ImageStore[StoreIndex(x, y, 3)], q + (2 * r > 51 ? 1 : 0)) << x << "," << y;
    }
}

TEST(ClearAddStore, ClearsTheSlotsOfTheRun) {
  const std::pair<int, int> cases[] = {{10, 11}, {60, 51}, {1, 2}, {0, 51}, {49, 50}};
  for (auto [frames, slots] : cases) {
    auto s = std::make_unique<SharedState>();
    s->Config.SetAddFrameCount(frames);
    std::memset(s->AddStore.data(), 7, kAddStoreSize);
    ClearAddStore(*s);
    for (int x : {0, 1101})
      for (int y : {0, 801}) {
        for (int j = 0; j < slots; ++j) ASSERT_EQ(s->AddStore[AddIndex(x, y, j)], 0) << frames;
        if (slots < 51) {
          EXPECT_EQ(s->AddStore[AddIndex(x, y, slots)], 7) << frames;
        }
      }
  }
}

TEST(ClearChannels, ZeroesPlanesOrGreysKan4WhenMixed) {
  auto s = std::make_unique<SharedState>();
  std::memset(s->ImageStore.data(), 200, kImageStoreSize);
  ClearChannels(*s, 0x5, true);
  EXPECT_EQ(s->ImageStore[StoreIndex(2601, 1613, 1)], 0);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 3)], 0);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 2)], 200);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 4)], 200);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 0, 1) + 4], 200);  // the fifth byte is never written
  EXPECT_EQ(s->ViewCaptions[1], "Picture 1 clear  ");
  EXPECT_EQ(s->ViewCaptions[3], "Picture 3 clear  ");
  EXPECT_EQ(s->ViewCaptions[2], "");

  // The switch counts once its mirror is refreshed: the thread reads only the mirror.
  s->Config.SetMixChannel(2, true);
  ClearChannels(*s, 0x8, false);
  EXPECT_EQ(s->ImageStore[StoreIndex(1234, 777, 4)], 0);
  std::memset(s->ImageStore.data(), 200, kImageStoreSize);
  RefreshMixMirror(*s);
  ClearChannels(*s, 0x8, true);
  EXPECT_EQ(s->ImageStore[StoreIndex(1234, 777, 4)], 55);
  EXPECT_EQ(s->ImageStore[StoreIndex(1234, 777, 2)], 200);
  EXPECT_EQ(s->ViewCaptions[4], "Picture 4 color gray  ");
  s->Config.SetMixChannel(2, false);
  RefreshMixMirror(*s);
  ClearChannels(*s, 0x8, false);
  EXPECT_EQ(s->ImageStore[StoreIndex(1234, 777, 4)], 0);
  EXPECT_EQ(s->ViewCaptions[4], "Picture 4 color gray  ");  // without captions: kept
}

TEST(MixClip, ThresholdsAndReach) {
  auto s = std::make_unique<SharedState>();
  auto cell = [&](int x, int y, int k) -> uint8_t& { return s->ImageStore[StoreIndex(x, y, k)]; };
  const int kan4[] = {50, 51, 204, 205};
  for (int i = 0; i < 4; ++i)
    for (int k = 1; k <= 3; ++k) cell(i, 0, k) = 100;
  for (int i = 0; i < 4; ++i) cell(i, 0, 4) = uint8_t(kan4[i]);
  cell(2201, 0, 4) = 0;
  cell(2201, 0, 1) = 100;  // beyond column 2200
  cell(0, 1601, 4) = 0;
  cell(0, 1601, 1) = 100;  // beyond row 1600

  MixClip(*s);  // all switches off: nothing changes
  EXPECT_EQ(cell(0, 0, 1), 100);

  s->Config.SetMixChannel(1, true);
  s->Config.SetMixChannel(3, true);
  MixClip(*s);  // table only, mirror not yet refreshed: nothing changes
  EXPECT_EQ(cell(0, 0, 1), 100);
  RefreshMixMirror(*s);
  s->AnaglyphOn = 1;
  MixClip(*s);
  EXPECT_EQ(cell(0, 0, 1), 100);
  s->AnaglyphOn = 0;
  MixClip(*s);
  EXPECT_EQ(cell(0, 0, 1), 0);
  EXPECT_EQ(cell(0, 0, 3), 0);
  EXPECT_EQ(cell(0, 0, 2), 100);  // not mixed
  EXPECT_EQ(cell(1, 0, 1), 100);
  EXPECT_EQ(cell(2, 0, 1), 100);
  EXPECT_EQ(cell(3, 0, 1), 255);
  EXPECT_EQ(cell(3, 0, 3), 255);
  EXPECT_EQ(cell(3, 0, 4), 205);
  EXPECT_EQ(cell(2201, 0, 1), 100);
  EXPECT_EQ(cell(0, 1601, 1), 100);
}

TEST(FindHeaders, ScanContiguouslyAndFindLineOne) {
  auto s = std::make_unique<SharedState>();
  WriteLineHeader(*s, 300, 0, 802);
  WriteLineHeader(*s, 700, 1, 802);
  s->StreamPublished = 2000;
  s->CurrentLine = 9;
  EXPECT_EQ(FindFirstLine(*s, 699), 0u);
  EXPECT_EQ(FindFirstLine(*s, 700), 700u);
  EXPECT_EQ(s->CurrentLine, 0);
  size_t pos = 200;
  EXPECT_TRUE(FindNextHeader(*s, pos));  // window 200..327 holds the header at 300
  EXPECT_EQ(pos, 300u);
  EXPECT_EQ(s->CurrentLine, 0);
  pos = 301;
  EXPECT_FALSE(FindNextHeader(*s, pos));
  EXPECT_EQ(pos, 429u);
  EXPECT_FALSE(FindNextHeader(*s, pos));
  EXPECT_FALSE(FindNextHeader(*s, pos));
  EXPECT_EQ(pos, 685u);
  EXPECT_TRUE(FindNextHeader(*s, pos));
  EXPECT_EQ(pos, 700u);
  EXPECT_EQ(s->CurrentLine, 1);
}

}  // namespace
}  // namespace orvix
