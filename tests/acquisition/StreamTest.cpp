// The line stream as the scan unit would deliver it: header bytes, geometry, the probe,
// and the two writers' pacing, locking and ending. A wrong byte here makes every reader
// of the stream lose lines.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "LineStream.h"
#include "ScanUnit.h"
#include "FakeSeam.h"

namespace orvix {
namespace {

std::unique_ptr<SharedState> Fresh(uint8_t workMode = 0x20, uint8_t channels = 1) {
  auto s = std::make_unique<SharedState>();
  s->WorkMode = workMode;
  s->ChannelCount = channels;
  return s;
}

TEST(LineHeader, BytesOfLineNumberCountAndTimeCode) {
  auto s = Fresh();
  WriteLineHeader(*s, 1000, 300, 802);
  const uint8_t* p = s->RawStream.data() + 1000;
  for (int i = 0; i < 12; ++i) EXPECT_EQ(p[i], kSyncPattern[size_t(i)]) << i;
  EXPECT_EQ(p[12], 0x01);
  EXPECT_EQ(p[13], 0x2C);
  EXPECT_EQ(p[14], 0xAA);
  EXPECT_EQ(p[15], 50);
  EXPECT_EQ(p[16], 0xC8);
  EXPECT_EQ(p[17], 0x00);

  // Line count / 16, rounded to nearest with ties to even.
  const std::pair<int, int> counts[] = {{802, 50}, {403, 25}, {806, 50}, {1612, 101},
                                        {10, 1},   {8, 0},    {24, 2},   {40, 2}};
  for (auto [lines, byte15] : counts) {
    WriteLineHeader(*s, 2000, 0, lines);
    EXPECT_EQ(s->RawStream[2000 + 15], byte15) << lines;
  }
  // A 1612-line frame reads back as 1616 lines.
  EXPECT_EQ(ReadHeader(s->RawStream.data(), 2000).lines, 32);
  WriteLineHeader(*s, 2000, 0, 1612);
  EXPECT_EQ(ReadHeader(s->RawStream.data(), 2000).lines, 1616);
  EXPECT_EQ(ReadHeader(s->RawStream.data(), 2000).timeCode, 200);

  // A header that would not fit at the end of the stream is not written.
  WriteLineHeader(*s, kRawStreamSize - 17, 1, 802);
  EXPECT_EQ(s->RawStream[kRawStreamSize - 17], 0);
}

TEST(LineHeader, RecognisedOnlyWithSyncAndMarkerInsideTheReadablePart) {
  auto s = Fresh();
  WriteLineHeader(*s, 500, 7, 802);
  const uint8_t* raw = s->RawStream.data();
  EXPECT_TRUE(IsHeaderAt(raw, kRawStreamSize, 500));
  EXPECT_FALSE(IsHeaderAt(raw, kRawStreamSize, 501));
  EXPECT_FALSE(IsHeaderAt(raw, 514, 500));  // byte 14 lies beyond the end
  EXPECT_TRUE(IsHeaderAt(raw, 515, 500));
  s->RawStream[500 + 14] = 0xAB;
  EXPECT_FALSE(IsHeaderAt(raw, kRawStreamSize, 500));
  s->RawStream[500 + 14] = 0xAA;
  s->RawStream[500 + 5] = 0x00;
  EXPECT_FALSE(IsHeaderAt(raw, kRawStreamSize, 500));
}

TEST(FrameGeometry, LineLengthDataOffsetAndLimit) {
  auto s = Fresh(0x20, 2);
  EXPECT_EQ(StreamLineLength(*s), 2864);
  EXPECT_EQ(DataOffset(*s), 34);
  s->OffsetH = 7;
  EXPECT_EQ(StreamLineLength(*s), (1300 + 32 + 7 + 100) * 2);
  EXPECT_EQ(DataOffset(*s), 2 * 8 + 32);
  s->TestPictureOn = 1;  // test picture: format 0 and no extra pixel before the data
  EXPECT_EQ(StreamLineLength(*s), (1060 + 32 + 7 + 100) * 2);
  EXPECT_EQ(DataOffset(*s), 2 * 7 + 32);

  auto big = Fresh(0x30, 4);
  EXPECT_EQ(FrameLimit(*big), 22'911'033);  // 2632 * 1612 * 1.35 * 4 = 22,911,033.6
  big->WorkMode = 0x40;                      // the second 1600-line format repeats it
  EXPECT_EQ(FrameLimit(*big), 22'911'033);
  big->OffsetH = 32767;
  EXPECT_EQ(FrameLimit(*big), kRawStreamMaxBytes);
  auto small = Fresh(0x10, 1);
  EXPECT_EQ(FrameLimit(*small), static_cast<int32_t>((650 + 32) * 403 * 1.35L));
}

TEST(FrameGeometry, FrameFormatFollowsTestPictureThenLinesChoice) {
  auto s = Fresh(0x32, 1);
  EXPECT_EQ(FrameFormat(*s), 3);
  s->WorkMode = 0x44;
  EXPECT_EQ(FrameFormat(*s), 4);
  s->TestPictureOn = 1;
  EXPECT_EQ(FrameFormat(*s), 0);
}

TEST(HeaderProbe, FirstProbeAfterClearFindsItsOwnHeaderThenTheLastFrame) {
  auto s = Fresh(0x30, 1);
  UnitClearStream(*s);
  test::FakeSeam seam;
  const auto own = HeaderProbe(*s, seam);
  ASSERT_TRUE(own.has_value());
  EXPECT_EQ(own->lineNumber, 1);
  EXPECT_EQ(own->lines, 800);
  EXPECT_EQ(own->timeCode, 200);
  EXPECT_EQ(s->HeaderLines, 800);
  EXPECT_EQ(s->HeaderTimeCode, 200);

  bool found = true;
  WriteFrame(*s, seam, found);  // a 1600-line frame: line 0 at byte 10 reports 1616
  ASSERT_TRUE(found);
  const auto last = HeaderProbe(*s, seam);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->lineNumber, 0);
  EXPECT_EQ(last->lines, 1616);
  EXPECT_EQ(s->HeaderLines, 1616);
}

TEST(WriteFrame, WritesEveryLineWithHeaderAndSignalUnderTheLock) {
  auto s = Fresh(0x10, 2);
  test::FakeSeam seam;
  bool found = true;
  WriteFrame(*s, seam, found);
  ASSERT_TRUE(found);
  EXPECT_EQ(seam.pauses, (std::vector<int>{500, 500}));
  EXPECT_TRUE(seam.lockHeldDuringSecondPause);
  EXPECT_EQ(seam.indicator, (std::vector<std::string>{"R", " "}));

  const size_t len = size_t(StreamLineLength(*s));
  for (int n = 0; n <= 403; ++n) {
    const size_t pos = 10 + size_t(n) * len;
    ASSERT_TRUE(IsHeaderAt(s->RawStream.data(), kRawStreamSize, pos)) << n;
    EXPECT_EQ(ReadHeader(s->RawStream.data(), pos).lineNumber, n);
  }
  // Saw-tooth plus noise 0..62 on every sample; never a sync byte.
  const size_t line = 10 + 5 * len;
  for (size_t i = kLineHeaderSize; i < len; ++i) {
    const int base = int(std::nearbyint(double((i >> 1) & 255) * 0.75));
    const int v = s->RawStream[line + i];
    ASSERT_GE(v, base) << i;
    ASSERT_LE(v, base + 62) << i;
    ASSERT_LE(v, 253);
  }
  // One signal byte stands behind the last line.
  EXPECT_EQ(s->StreamPublished.load(), int32_t(10 + 404 * len));
}

TEST(WriteFrame, TerminateEndsAfterTheCurrentLineAndAlwaysLeavesLockAndIndicator) {
  auto s = Fresh(0x20, 1);
  test::FakeSeam seam;
  seam.terminateAfterPolls = 3;  // the 4th test after a line sees the request
  bool found = true;
  WriteFrame(*s, seam, found);
  EXPECT_TRUE(found);
  const size_t len = size_t(StreamLineLength(*s));
  EXPECT_TRUE(IsHeaderAt(s->RawStream.data(), kRawStreamSize, 10 + 3 * len));
  EXPECT_FALSE(IsHeaderAt(s->RawStream.data(), kRawStreamSize, 10 + 4 * len));
  EXPECT_TRUE(seam.lock.try_lock());
  seam.lock.unlock();
  EXPECT_EQ(seam.indicator.back(), " ");
}

TEST(WriteRecordFrame, PacedLineByLineThenEndsItsOwnThread) {
  auto s = Fresh(0x10, 1);
  s->LastDrawnLine = 55;
  s->CurrentLine = 66;
  s->PrevFrameLines = 77;
  test::FakeSeam seam;
  WriteRecordFrame(*s, seam);
  EXPECT_EQ(s->LastDrawnLine, 0);
  EXPECT_EQ(s->CurrentLine, 0);
  EXPECT_EQ(s->PrevFrameLines, 0);
  EXPECT_EQ(s->AcquisitionBusy, -1);
  EXPECT_EQ(s->DisplayPending, 1);
  EXPECT_EQ(seam.timer3, 1);
  EXPECT_EQ(seam.timer4, 1);
  EXPECT_EQ(seam.ownTerminate, 1);
  EXPECT_EQ(seam.indicator, (std::vector<std::string>{"R", " "}));
  EXPECT_EQ(seam.pauses.size(), 404u);  // lines 0..403, 10 ms each
  EXPECT_EQ(seam.pauses.front(), 10);

  const size_t len = size_t(StreamLineLength(*s));
  const size_t line = 10 + 7 * len;
  for (size_t i = kLineHeaderSize; i < len; ++i) {
    const int base = int(std::nearbyint(double((i >> 2) & 255) * 0.87));
    const int v = s->RawStream[line + i];
    ASSERT_GE(v, base);
    ASSERT_LE(v, base + 30);
    ASSERT_LE(v, 252);
  }
}

TEST(WriteRecordFrame, PublishesOnlyFinishedLines) {
  auto s = Fresh(0x20, 1);
  UnitClearStream(*s);
  EXPECT_EQ(s->StreamPublished.load(), 0);
  test::FakeSeam seam;
  seam.terminateAfterPolls = 4;  // lines 0..4 written
  WriteRecordFrame(*s, seam);
  const size_t len = size_t(StreamLineLength(*s));
  EXPECT_EQ(s->StreamPublished.load(), int32_t(10 + 5 * len));
  EXPECT_EQ(ReadableStreamBytes(*s), 10 + 5 * len);
  EXPECT_TRUE(IsHeaderAt(s->RawStream.data(), kRawStreamSize, 10 + 4 * len));
  EXPECT_EQ(seam.indicator.back(), " ");
}

TEST(ScanUnit, OperationsHaveTheirFixedEffects) {
  auto s = Fresh();
  EXPECT_EQ(UnitIdentify(), "   USB 2.0   ");
  EXPECT_EQ(UnitIdentify().size(), 13u);
  s->AcquisitionBusy = -1;
  UnitOpen(*s);
  EXPECT_EQ(s->AcquisitionBusy, 0);
  EXPECT_EQ(s->DeviceOpen, 1);
  s->AcquisitionBusy = -1;
  UnitSendSettings(*s);
  EXPECT_EQ(s->AcquisitionBusy, 0);
  UnitReadState(*s);
  EXPECT_EQ(s->UnitStatusWord, 10000);
  EXPECT_EQ(s->UnitScale, 12000.0);
  EXPECT_EQ(s->UnitKV, 20);
  s->RawStream[12345] = 9;
  s->RawStream[kRawStreamSize - 1] = 9;
  UnitClearStream(*s);
  EXPECT_EQ(s->RawStream[12345], 0);
  EXPECT_EQ(s->RawStream[kRawStreamSize - 1], 0);
}

TEST(SharedStateTest, BuffersHaveTheirShapesAndStartZero) {
  auto s = Fresh();
  EXPECT_EQ(s->RawStream.size(), 51'612'888u);
  EXPECT_EQ(s->ImageStore.size(), 20'998'140u);
  EXPECT_EQ(s->AddStore.size(), 45'074'004u);
  EXPECT_EQ(StoreIndex(1, 2, 3), 8070u + 10u + 2u);
  EXPECT_EQ(AddIndex(1, 2, 3), 40'902u + 102u + 3u);
  EXPECT_EQ(s->ViewMode, 1);
  EXPECT_EQ(s->LastSingleView, 1);
  EXPECT_EQ(s->AnaglyphSource, 1);
  EXPECT_EQ(s->DetectorCount, 4);
  EXPECT_EQ(s->ImageStore[kImageStoreSize - 1], 0);
  EXPECT_EQ(NextRegNumber(999), 1);
  EXPECT_EQ(NextRegNumber(1), 2);
}

}  // namespace
}  // namespace orvix
