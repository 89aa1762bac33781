// The station's strip with the calibration window's correction box: a burn that takes
// StoreLock from inside a frame timer (a self-deadlock) or skips it elsewhere, the box's
// mirror not kept or not used while the window is open, a limited correction not written
// back into the box or an unreadable one overwritten, and the box used while the window is
// closed.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <chrono>
#include <future>
#include <thread>
#include <memory>

#include "ScriptedDialogs.h"
#include "Tmodul_zew.h"

namespace orvix {
namespace {

std::unique_ptr<SharedState> Marked() {
  auto s = std::make_unique<SharedState>();
  s->UnitScale = 12000;
  s->UnitKV = 20;
  s->WorkMode = 0x22;
  s->CorrectionTable.fill(100);
  s->Config.SetFlag(cfg::kStripDimensionRow, true);
  s->Config.SetFlag(cfg::kBarSingleRow, true);
  s->Config.SetMarkerChannel(2, true);
  s->ChannelCode = 0x02;
  s->UnsavedChannels = 0x02;
  return s;
}

// The station's strip with the calibration window on a marked channel 2.
struct StripWithBox : ::testing::Test {
  std::unique_ptr<SharedState> s = Marked();
  test::ScriptedDialogs dialogs;
  PictureFolders folders;
  SettingsFile file{*s, folders};
  StationStrip strip{*s};
  SimulatedScanUnit unit;
  Tmodul_zew w{*s, dialogs, file, strip, unit};
};

TEST_F(StripWithBox, BurnUnderTheCallersLockOrTakingItOnce) {
  strip.UstawDaneNapisow();
  {
    const std::lock_guard<std::mutex> held(s->StoreLock);  // as Timer1Timer holds it
    strip.ObrazekPasek();
  }
  EXPECT_EQ(s->ImageStore[StoreIndex(20, 757 + 2 * 2, 2)], 255);  // bar row 2 at 2x
  s->ImageStore.Zero();
  strip.BurnTakingLock();
  EXPECT_EQ(s->ImageStore[StoreIndex(20, 761, 2)], 255);
  ASSERT_TRUE(s->StoreLock.try_lock()) << "the lock was released";
  s->StoreLock.unlock();
  // While another holder has the lock, the burn waits for it (the window stays on this
  // thread; the other one only holds the lock for a while).
  std::promise<void> locked;
  std::thread holder([&] {
    const std::lock_guard<std::mutex> held(s->StoreLock);
    locked.set_value();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  });
  locked.get_future().wait();
  const auto start = std::chrono::steady_clock::now();
  strip.BurnTakingLock();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  holder.join();
  // Nothing wanted: nothing burnt.
  s->UnsavedChannels = 0;
  s->ImageStore.Zero();
  EXPECT_EQ(strip.ObrazekPasek(), 0);
  EXPECT_EQ(s->ImageStore[StoreIndex(20, 761, 2)], 0);
}

TEST_F(StripWithBox, CorrectionBoxIsReadOnEveryStrip) {
  w.Edit22->setText(QStringLiteral(" 300 "));
  EXPECT_EQ(s->CorrectionBoxText, " 300 ") << "the box's mirror";
  EXPECT_EQ(strip.ObrazekPasek(), 0x02);
  EXPECT_EQ(w.Edit22->text(), QStringLiteral("150")) << "limited and written back";
  EXPECT_EQ(s->BarPixels, 120) << "closed: the stored corrections, not the box";
  s->CalibrationOpen = 1;
  strip.ObrazekPasek();
  EXPECT_EQ(s->BarPixels, 180);
  EXPECT_EQ(s->BarPixels2, 360);
  w.Edit22->setText(QStringLiteral("1a"));
  strip.ObrazekPasek();
  EXPECT_EQ(w.Edit22->text(), QStringLiteral("1a"));
  EXPECT_EQ(s->BarPixels, 180) << "the previous correction";
  EXPECT_EQ(s->ImageStore[StoreIndex(2 * (9 + 180), 761, 2)], 255) << "the whole bar burnt";
  EXPECT_EQ(s->ImageStore[StoreIndex(2 * (10 + 180), 761, 2)], 0);
}

}  // namespace
}  // namespace orvix
