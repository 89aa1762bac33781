// The information strip in whole runs, with the calibration window attached: a frame timer
// that deadlocks by taking StoreLock twice, a strip burnt into an unmarked channel or never
// burnt, texts not prepared at first show, and the registration number not advanced
// (or not wrapped) at the end of a RECORD cycle.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <memory>

#include "RunControlFixture.h"
#include "Tmodul_zew.h"

namespace orvix {
namespace {

using test::SpinUntil;

class StripRunTest : public test::RunControlTest {
 protected:
  void SetUp() override {
    RunControlTest::SetUp();
    station.Strip().FixedDate = "09.12.2026";
    ConfigTable& c = S().Config;
    for (int row = cfg::kStripMagnificationRow; row <= cfg::kStripDimensionRow; ++row)
      c.SetFlag(row, true);
  }
  // Strip row 1 (the bar's top frame line) of channel 1 at 1x: line 379, all 551 columns.
  // Read under StoreLock, as every reader of the store does while a run may collect.
  bool FrameLineBurnt() {
    const std::lock_guard<std::mutex> store(S().StoreLock);
    for (int x = 0; x < strip::kColumns; ++x)
      if (S().ImageStore[StoreIndex(x, 379, 1)] != 255) return false;
    return true;
  }
  // The last frame step burnt channel 1's strip, whose row 1 is the line above. Seen from
  // the strip itself: polling the store from outside could always come after the next
  // frame's collection on a loaded machine.
  bool StripBurntIntoAFrame() {
    const StationStrip& burnt = station.Strip();
    if ((burnt.LastBurnt & 1) == 0) return false;
    for (int x = 0; x < strip::kColumns; ++x)
      if (burnt.Strip.At(x, 1, 1) != 255) return false;
    return true;
  }
  bool StoreLockFree() {
    if (!S().StoreLock.try_lock()) return false;
    S().StoreLock.unlock();
    return true;
  }

};

TEST_F(StripRunTest, VisualFramesOfAMarkedChannelCarryTheStrip) {
  EXPECT_TRUE(station.Strip().TextBitmap.Prepared()) << "prepared at first show";
  SharedState& s = S();
  ASSERT_EQ(s.WorkMode.load() & 0x70, 0x10);
  video->KlawiszSTART->click();
  ASSERT_TRUE(SpinUntil([&] { return PictureDrawn(); }));
  SpinUntil([] { return false; }, 200);
  EXPECT_FALSE(FrameLineBurnt()) << "channel 1 is not marked";

  EXPECT_FALSE(StripBurntIntoAFrame());
  s.Config.SetMarkerChannel(1, true);
  ASSERT_TRUE(SpinUntil([&] { return StripBurntIntoAFrame(); }));
  EXPECT_EQ(s.BarPixels, 120);  // magnification 12000, correction 100
  EXPECT_EQ(s.BarPixels2, 240);
  video->KlawiszSTOP->click();
  ASSERT_TRUE(SpinUntil([&] { return Idle(); }));
  EXPECT_TRUE(StoreLockFree());
}

TEST_F(StripRunTest, RecordCycleAdvancesAndWrapsTheRegistrationNumber) {
  SharedState& s = S();
  s.Config.SetMarkerChannel(1, true);
  s.Config.SetFlag(cfg::kRegIncrementOnSaveRow, false);  // "Po skończeniu cyklu RECORD"
  for (const auto& [from, to] : {std::pair<int, int>{1, 2}, {999, 1}}) {
    s.RegNumber = uint16_t(from);
    video->KlawiszRECORD->click();
    s.WorkMode = 0x12;
    video->KlawiszSTART->click();
    ASSERT_TRUE(SpinUntil([&] { return video->Timer3->isActive(); }));
    ASSERT_TRUE(SpinUntil([&] { return Idle() && !video->Timer3->isActive() &&
                                       !video->Timer4->isActive(); }, 30000));
    EXPECT_EQ(s.RegNumber.load(), to) << from;
    EXPECT_TRUE(FrameLineBurnt()) << "the strip of the finished RECORD frame";
    EXPECT_TRUE(StoreLockFree());
    s.UnsavedChannels = 0;  // no save question at the next RECORD
  }
}

}  // namespace
}  // namespace orvix
