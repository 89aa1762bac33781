// Channel selection: guards against a scan with no channel, channels beyond the fitted
// detectors, a wrong ADD channel or view, and the test picture scanning a channel that is
// not on screen.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ChannelSelection.h"

namespace orvix {
namespace {

std::unique_ptr<SharedState> Fresh() { return std::make_unique<SharedState>(); }

TEST(ChannelSelection, SwitchesAndDetectorCount) {
  {  // all off: channel 1 is switched on
    auto s = Fresh();
    UpdateChannelCode(*s);
    EXPECT_TRUE(s->Config.ChannelOn(1));
    EXPECT_EQ(s->ChannelCode, 0x11);
    EXPECT_EQ(s->ChannelCount, 1);
    EXPECT_EQ(s->ChannelMask, 1);
    EXPECT_EQ(s->AddChannelCode, 0);
  }
  {  // kan2 + kan4 with two detectors: kan4 goes off, written back into the table
    auto s = Fresh();
    s->Config.SetChannelOn(2, true);
    s->Config.SetChannelOn(4, true);
    s->DetectorCount = 2;
    UpdateChannelCode(*s);
    EXPECT_EQ(s->ChannelCode, 0x12);
    EXPECT_FALSE(s->Config.ChannelOn(4));
    EXPECT_FALSE(s->Config.ChannelOn(1));
  }
  {  // only kan3 and kan4 on with two detectors: kan1 stands in
    auto s = Fresh();
    s->Config.SetChannelOn(3, true);
    s->Config.SetChannelOn(4, true);
    s->DetectorCount = 2;
    UpdateChannelCode(*s);
    EXPECT_EQ(s->ChannelCode, 0x11);
  }
  {  // one detector keeps kan1 only
    auto s = Fresh();
    s->Config.SetChannelOn(2, true);
    s->DetectorCount = 1;
    UpdateChannelCode(*s);
    EXPECT_EQ(s->ChannelCode, 0x11);
    EXPECT_FALSE(s->Config.ChannelOn(2));
  }
  {  // four channels: count 4, mask F
    auto s = Fresh();
    for (int k = 1; k <= 4; ++k) s->Config.SetChannelOn(k, true);
    UpdateChannelCode(*s);
    EXPECT_EQ(s->ChannelCode, 0x4F);
    EXPECT_EQ(s->ChannelCount, 4);
    EXPECT_EQ(s->ChannelMask, 0x0F);
  }
  {  // kan1 + kan3
    auto s = Fresh();
    s->Config.SetChannelOn(1, true);
    s->Config.SetChannelOn(3, true);
    UpdateChannelCode(*s);
    EXPECT_EQ(s->ChannelCode, 0x25);
    EXPECT_EQ(s->ChannelCount, 2);
  }
}

TEST(ChannelSelection, AddUsesOneChannelAndItsView) {
  {
    auto s = Fresh();
    s->AddOn = 1;
    s->Config.SetChannelOn(1, true);
    s->Config.SetChannelOn(2, true);
    s->Config.SetAddChannel(3, true);
    UpdateChannelCode(*s);
    EXPECT_EQ(s->ChannelCode, 0x14);
    EXPECT_EQ(s->ViewMode, 3);
    EXPECT_EQ(s->AddChannelCode, 0x34);
    EXPECT_EQ(s->ChannelCount, 1);
    EXPECT_EQ(s->ChannelMask, 4);
  }
  {  // no AddChannel set: kan1, view 1; two set: the last one wins
    auto s = Fresh();
    s->AddOn = 1;
    s->ViewMode = 5;
    UpdateChannelCode(*s);
    EXPECT_EQ(s->AddChannelCode, 0x11);
    EXPECT_EQ(s->ViewMode, 1);
    s->Config.SetAddChannel(2, true);
    s->Config.SetAddChannel(4, true);
    UpdateChannelCode(*s);
    EXPECT_EQ(s->AddChannelCode, 0x48);
    EXPECT_EQ(s->ChannelCode, 0x18);
  }
}

TEST(ChannelSelection, TestPictureScansTheChannelOnScreen) {
  auto s = Fresh();
  s->TestPictureOn = 1;
  s->ViewMode = 5;
  s->LastSingleView = 2;
  s->WorkMode = 0x22;
  for (int k = 1; k <= 4; ++k) s->Config.SetChannelOn(k, true);
  EXPECT_TRUE(UpdateChannelCode(*s).viewTakenBack);
  EXPECT_EQ(s->ViewMode, 2);
  EXPECT_EQ(s->ChannelCode, 0x12);
  EXPECT_EQ(s->ChannelCount, 1);

  // A single view is kept and not redrawn.
  s->ViewMode = 4;
  EXPECT_FALSE(UpdateChannelCode(*s).viewTakenBack);
  EXPECT_EQ(s->ChannelCode, 0x18);
}

TEST(ChannelSelection, MarkUnsaved) {
  auto s = Fresh();
  s->ChannelMask = 0;
  s->ViewMode = 3;
  s->SavedChannels = 0x0F;
  MarkUnsaved(*s);
  EXPECT_EQ(s->UnsavedChannels, 0x04);
  EXPECT_EQ(s->SavedChannels, 0x0B);

  s->ViewMode = 5;  // anything but 1..4 counts as kan1
  MarkUnsaved(*s);
  EXPECT_EQ(s->UnsavedChannels, 0x05);

  s->ChannelMask = 0x0A;
  MarkUnsaved(*s);
  EXPECT_EQ(s->UnsavedChannels, 0x0F);
  EXPECT_EQ(s->SavedChannels, 0x00);
}

}  // namespace
}  // namespace orvix
