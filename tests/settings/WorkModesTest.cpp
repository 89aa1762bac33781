// Working modes and the frame page's values: guards against a wrong mode text, a missed or
// doubled ERROR 1502 / 1505 verdict, buttons offered in the wrong run mode, lists left with
// nothing to offer, a divider or offset escaping its editing limits or written to another
// mode's record, an inexact microsecond text, and numbered names off by one.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ConfigFile.h"
#include "WorkModes.h"

namespace orvix {
namespace {

std::unique_ptr<SharedState> Defaults() {
  auto s = std::make_unique<SharedState>();
  DefaultConfigTable(*s);
  return s;
}

TEST(WorkModes, ModeText) {
  struct Case {
    uint8_t mode;
    const char* text;
    bool error1502;
  };
  for (const Case& c : {Case{0x22, " 800/10", false}, Case{0x10, " 400/2", false},
                        Case{0x34, "1600/50", false}, Case{0x47, "error/error", false},
                        Case{0xB3, "1600/20", false},  // bit 7 is ignored
                        Case{0x05, "Error/error", true}, Case{0x51, "Error/5", true},
                        Case{0x64, "Error/50", true}, Case{0xF2, "Error/10", true}}) {
    const ModeTextResult r = ModeText(c.mode);
    EXPECT_EQ(r.text, c.text) << int(c.mode);
    EXPECT_EQ(r.error1502, c.error1502) << int(c.mode);
  }
}

TEST(WorkModes, CheckWorkModeReplacesAModeWithoutLines) {
  auto s = Defaults();
  s->WorkMode = 0x92;
  WorkModeCheck check = CheckWorkMode(*s);
  EXPECT_EQ(check.mode, 0x12);
  EXPECT_FALSE(check.error1505);
  EXPECT_EQ(s->WorkMode, 0x92);  // the stored byte keeps bit 7
  for (uint8_t bad : {0x05, 0x80, 0x00}) {
    s->WorkMode = bad;
    check = CheckWorkMode(*s);
    EXPECT_EQ(check.mode, 0x12) << int(bad);
    EXPECT_TRUE(check.error1505) << int(bad);
    EXPECT_EQ(s->WorkMode, 0x12);
  }
  // A filter stored under 0x05 is reported once and lands in the record of 0x12.
  s->WorkMode = 0x05;
  EXPECT_TRUE(StoreFilter(*s, 2, 5).error1505);
  const FilterReading reading = CurrentFilter(*s, 2);
  EXPECT_EQ(reading.code, 5);
  EXPECT_FALSE(reading.check.error1505);
  EXPECT_EQ(reading.check.mode, 0x12);
  EXPECT_EQ(s->Config.RecFilter(0x12, 2), 5);
  EXPECT_EQ(s->Config.RecFilter(0x05, 2), 2);
}

TEST(WorkModes, FiltersAreRememberedPerMode) {
  auto s = Defaults();
  s->WorkMode = 0x22;
  StoreFilter(*s, 1, 6);
  s->WorkMode = 0x10;
  EXPECT_EQ(CurrentFilter(*s, 1).code, 2);
  StoreFilter(*s, 1, 1);
  s->WorkMode = 0x22;
  EXPECT_EQ(CurrentFilter(*s, 1).code, 6);
  EXPECT_EQ(CurrentFilter(*s, 2).code, 2);
}

TEST(WorkModes, CurrentModeGoesToThePresetOfTheRunMode) {
  auto s = Defaults();
  SetCurrentWorkMode(*s, 0x21);
  EXPECT_EQ(s->VisualWorkMode, 0x21);
  s->RecordOn = -1;
  SetCurrentWorkMode(*s, 0x33);
  EXPECT_EQ(s->RecordWorkMode, 0x33);
  s->AddOn = 1;  // ADD wins over RECORD
  SetCurrentWorkMode(*s, 0x22);
  EXPECT_EQ(s->AddWorkMode, 0x22);
  EXPECT_EQ(s->RecordWorkMode, 0x33);
  EXPECT_EQ(s->WorkMode, 0x22);
  EXPECT_FALSE(WorkModeInRange(0x0F));
  EXPECT_TRUE(WorkModeInRange(0x10));
  EXPECT_TRUE(WorkModeInRange(0x7F));
  EXPECT_FALSE(WorkModeInRange(0x80));
  ModePanelTexts t = ModePanels(*s, true);
  EXPECT_EQ(t.record.text, "1600/20");
  EXPECT_EQ(t.add.text, " 800/10");
  EXPECT_EQ(t.visual.text, " 800/5  A");
  EXPECT_FALSE(t.record.error1502 || t.add.error1502 || t.visual.error1502);
  // Each panel carries its own verdict; the auto-identification mark follows the text.
  s->RecordWorkMode = 0x64;
  s->VisualWorkMode = 0x01;
  t = ModePanels(*s, true);
  EXPECT_TRUE(t.record.error1502);
  EXPECT_FALSE(t.add.error1502);
  EXPECT_TRUE(t.visual.error1502);
  EXPECT_EQ(t.visual.text, "Error/5  A");
  EXPECT_EQ(ModePanels(*s, false).visual.text, "Error/5");
}

// Index n-1 of the shown list for the buttons `on` (numbers 1..7).
std::array<bool, 8> Shown(std::initializer_list<int> on) {
  std::array<bool, 8> a{};
  for (int n : on) a[size_t(n - 1)] = true;
  return a;
}

TEST(WorkModes, OfferedButtonsPerRunMode) {
  auto s = Defaults();
  uint8_t mode = 0;
  {  // VISUAL: 400/800 lines, 2/5/10 ms; a LINES check of 1600 moves to 800
    ModeRadios r;
    r.linesChecked[2] = true;  // 1600 lines
    r.timeChecked[0] = true;
    s->WorkMode = 0x30;
    bool changed = RefreshModeRadios(*s, r, mode);
    EXPECT_TRUE(changed);
    EXPECT_EQ(r.linesShown, Shown({1, 2}));
    EXPECT_EQ(r.timeShown, Shown({}));  // 1600 lines offers no VISUAL time before the move
    while (changed) changed = RefreshModeRadios(*s, r, mode);
    EXPECT_EQ(r.linesShown, Shown({1, 2}));
    EXPECT_EQ(r.timeShown, Shown({1, 2, 3}));
    EXPECT_TRUE(r.linesChecked[1]);
    EXPECT_EQ(mode & 0xF0, 0x20);
  }
  {  // RECORD 800/10: LINES 800, 1600 and TIME 10, 20; 1600 keeps 10 ms
    s->RecordOn = -1;
    s->WorkMode = 0x22;
    ModeRadios r;
    r.linesChecked[2] = true;
    r.timeChecked[2] = true;
    EXPECT_FALSE(RefreshModeRadios(*s, r, mode));
    EXPECT_EQ(r.linesShown, Shown({2, 3}));
    EXPECT_EQ(r.timeShown, Shown({3, 4}));
    EXPECT_EQ(mode, 0x32);
    // 400 lines / 2 ms in RECORD offers nothing: the checks stay as they are.
    r.linesChecked = Shown({1});
    r.timeChecked = Shown({1});
    EXPECT_FALSE(RefreshModeRadios(*s, r, mode));
    EXPECT_EQ(r.linesShown, Shown({}));
    EXPECT_EQ(r.timeShown, Shown({}));
    EXPECT_EQ(mode, 0x10);
    s->RecordOn = 0;
  }
  {  // ADD: LINES hidden but 800; mode forced to 800 lines with the chosen time
    s->AddOn = 1;
    s->WorkMode = 0x11;
    ModeRadios r;
    r.linesChecked[0] = true;
    r.timeChecked[1] = true;
    bool changed = RefreshModeRadios(*s, r, mode);
    while (changed) changed = RefreshModeRadios(*s, r, mode);
    EXPECT_EQ(r.linesShown, Shown({2}));
    EXPECT_EQ(r.timeShown, Shown({1, 2, 3}));
    EXPECT_EQ(mode, 0x21);
  }
  // Tables: VISUAL/ADD never offer 1600 lines or 20/50 ms.
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(LinesTable[size_t(row)][3], 0);
    EXPECT_EQ(TimeTable[size_t(row)][4], 0);
    EXPECT_EQ(TimeTable[size_t(row)][5], 0);
  }
}

TEST(WorkModes, ListsWithNothingToOfferFallBackToTheRunModesDefault) {
  auto s = Defaults();
  EXPECT_EQ(DefaultWorkMode(*s), 0x10);
  s->AddOn = 1;
  s->RecordOn = -1;
  EXPECT_EQ(DefaultWorkMode(*s), 0x20);  // ADD wins over RECORD
  s->AddOn = 0;
  EXPECT_EQ(DefaultWorkMode(*s), 0x22);

  // Settles lists checked at `lines` / `times` (numbers 1..7) in the current WorkMode.
  uint8_t mode = 0;
  auto settle = [&](std::initializer_list<int> lines, std::initializer_list<int> times) {
    ModeRadios r;
    r.linesChecked = Shown(lines);
    r.timeChecked = Shown(times);
    SettleModeRadios(*s, r, mode);
    return r;
  };

  // RECORD 0x64: its 50 ms and its LINES choice 6 offer nothing; the default 0x22 offers
  // 800/1600 lines and 10/20 ms, none checked, and the mode stays as composed.
  s->WorkMode = 0x64;
  ModeRadios r = settle({}, {5});
  EXPECT_EQ(r.linesShown, Shown({2, 3}));
  EXPECT_EQ(r.timeShown, Shown({3, 4}));
  EXPECT_EQ(r.linesChecked, Shown({}));
  EXPECT_EQ(r.timeChecked, Shown({}));
  EXPECT_EQ(mode, 0x64);
  // One LINES choice then settles on a mode the lists offer.
  r = settle({2}, {});
  EXPECT_EQ(mode, 0x22);
  EXPECT_EQ(r.timeChecked, Shown({3}));

  // RECORD 400 lines / 2 ms is just as stuck.
  s->WorkMode = 0x10;
  r = settle({1}, {1});
  EXPECT_EQ(r.linesShown, Shown({2, 3}));
  EXPECT_EQ(r.linesChecked, Shown({}));
  EXPECT_EQ(mode, 0x10);

  // VISUAL repairs 0x64 by its own rules: no fallback, 800 lines / 5 ms checked.
  s->RecordOn = 0;
  s->WorkMode = 0x64;
  r = settle({}, {5});
  EXPECT_EQ(r.linesShown, Shown({1, 2}));
  EXPECT_EQ(r.timeShown, Shown({1, 2, 3}));
  EXPECT_EQ(r.linesChecked, Shown({2}));
  EXPECT_EQ(r.timeChecked, Shown({2}));
  EXPECT_EQ(mode, 0x21);
}

TEST(FramePage, DividerLimitsAndText) {
  auto s = Defaults();
  s->WorkMode = 0x22;
  EXPECT_EQ(DividerText(98), "1.500 µs");
  EXPECT_EQ(DividerText(39), "0.615 µs");
  EXPECT_EQ(DividerText(65493), "982.425 µs");
  EXPECT_EQ(DividerText(0), "0.030 µs");
  EXPECT_EQ(kDividerValue.text(98), "1.500 µs");
  auto step = [&](int n) { return StepFrameValue(*s, kDividerValue, n); };
  s->Config.SetRecDivider(0x22, 39);
  EXPECT_EQ(step(-1), 39);
  EXPECT_EQ(step(1), 40);
  s->Config.SetRecDivider(0x22, 65493);
  EXPECT_EQ(step(1), 65493);
  EXPECT_EQ(s->SampleDivider, 65493);
  s->Config.SetRecDivider(0x22, 30);  // accepted by the apply step, not by the page
  EXPECT_EQ(step(0), 39);
  EXPECT_EQ(s->Config.RecDivider(0x22), 39);
  s->Config.SetRecDivider(0x22, 65535);  // wraps to 0, then limited
  EXPECT_EQ(step(1), 39);
  // Only the current mode's record changes; bit 7 of WorkMode is ignored.
  s->WorkMode = 0xA2;
  EXPECT_EQ(step(5), 44);
  EXPECT_EQ(s->Config.RecDivider(0x22), 44);
  EXPECT_EQ(s->Config.RecDivider(0x32), 98);
  EXPECT_EQ(s->OffsetH, 0);  // the divider touches no offset
  EXPECT_EQ(s->Config.RecOffsetH(0x22), 0);
}

TEST(FramePage, OffsetLimits) {
  auto s = Defaults();
  s->WorkMode = 0x10;
  auto h = [&](int n) { return StepFrameValue(*s, kOffsetHValue, n); };
  auto v = [&](int n) { return StepFrameValue(*s, kOffsetVValue, n); };
  s->Config.SetRecOffsetH(0x10, 1000);
  EXPECT_EQ(h(1), 1000);
  EXPECT_EQ(h(-1), 999);
  s->Config.SetRecOffsetH(0x10, -100);
  EXPECT_EQ(h(-1), -100);
  EXPECT_EQ(s->OffsetH, -100);
  s->Config.SetRecOffsetV(0x10, -50);
  EXPECT_EQ(v(-1), -50);
  s->Config.SetRecOffsetV(0x10, 200);
  EXPECT_EQ(v(1), 200);
  EXPECT_EQ(v(-1), 199);
  EXPECT_EQ(s->OffsetV, 199);
  EXPECT_EQ(s->Config.RecOffsetV(0x20), 0);
  // A signed offset is never wrapped as the unsigned divider is.
  s->Config.SetRecOffsetH(0x10, -100);
  EXPECT_EQ(h(-5), -100);
  // Each value stays in its own field of the record.
  EXPECT_EQ(s->Config.RecOffsetH(0x10), -100);
  EXPECT_EQ(s->Config.RecOffsetV(0x10), 199);
  EXPECT_EQ(s->Config.RecDivider(0x10), 98);
  EXPECT_EQ(s->SampleDivider, 98);
  EXPECT_EQ(kOffsetHValue.text(-100), "-100 pixels");
  EXPECT_EQ(kOffsetVValue.text(199), "199 lines");
}

TEST(ApplyStep, ChannelCodeAndCurrentRecord) {
  auto s = Defaults();
  s->ChannelCode = 0x4F;
  s->Config.SetChannelOn(2, true);
  s->Config.SetRecDivider(0x10, 30);
  s->Config.SetRecOffsetH(0x10, 1001);
  s->Config.SetRecOffsetV(0x10, -7);
  s->WorkMode = 0x10;
  WorkModeCheck applied = ApplyConfigTable(*s);
  EXPECT_EQ(applied.mode, 0x10);
  EXPECT_FALSE(applied.error1505);
  EXPECT_EQ(s->ChannelCode, 0x23);
  EXPECT_EQ(s->SampleDivider, 30);
  EXPECT_EQ(s->OffsetH, 0);
  EXPECT_EQ(s->OffsetV, -7);
  // A mode without LINES choice is applied as 0x12, from 0x12's record, and reported.
  s->Config.SetRecDivider(0x12, 500);
  s->WorkMode = 0x03;
  applied = ApplyConfigTable(*s);
  EXPECT_EQ(applied.mode, 0x12);
  EXPECT_TRUE(applied.error1505);
  EXPECT_EQ(s->WorkMode, 0x12);
  EXPECT_EQ(s->SampleDivider, 500);
}

}  // namespace
}  // namespace orvix
