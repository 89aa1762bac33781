// The lamp rules of the button column: each rule's conditions and the order in which later
// rules override earlier ones (a wrong order or a missing condition lights the wrong lamp).
#include <gtest/gtest.h>

#include <memory>

#include "ButtonStates.h"

namespace orvix {
namespace {

constexpr Lamp kOn{true, LampColour::Lime};
constexpr Lamp kOff{false, LampColour::Grey};
constexpr Lamp kRedOff{false, LampColour::Red};
constexpr Lamp kRedOn{true, LampColour::Red};

// Idle station: unit open, kan1 in use and not yet saved, VISUAL selected, kan1 shown.
std::unique_ptr<SharedState> Idle() {
  auto s = std::make_unique<SharedState>();
  s->DeviceOpen = 1;
  s->ChannelCode = 0x11;
  s->ChannelMask = 1;
  s->UnsavedChannels = 1;
  s->ViewMode = 1;
  return s;
}

RunButtonLamps RunLamps(const SharedState& s, bool autoNumbering = false) {
  return ComputeRunButtons(s, SettingsFacts{autoNumbering});
}

TEST(ButtonStates, IdleStation) {
  auto s = Idle();
  const RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Record, kOn);
  EXPECT_EQ(r.Add, kOn);
  EXPECT_EQ(r.Visual, kRedOn);
  EXPECT_FALSE(r.ModeTextGrey);
  EXPECT_EQ(r.Start, kOn);
  EXPECT_EQ(r.Stop, kRedOn);
  EXPECT_EQ(r.Exit, kOn);
  EXPECT_EQ(r.Change, kOn);
  EXPECT_EQ(r.Print, kOn);
  EXPECT_EQ(r.Save, kOn);
  EXPECT_EQ(r.Open, kOn);
  EXPECT_EQ(r.Wymiar, kOn);
  const ViewButtonLamps v = ComputeViewButtons(*s);
  EXPECT_EQ(v.Pic[0], kRedOn);
  for (int k = 1; k < 4; ++k) EXPECT_EQ(v.Pic[k], kOn) << k;
  EXPECT_EQ(v.PicAl, kOn);
  EXPECT_EQ(v.Linescan, kOn);
}

TEST(ButtonStates, SelectedRunModeIsRedWithAddBeforeRecord) {
  auto s = Idle();
  s->RecordOn = -1;
  RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Record, kRedOn);
  EXPECT_EQ(r.Visual, kOn);
  s->AddOn = 1;  // both set: ADD wins
  r = RunLamps(*s);
  EXPECT_EQ(r.Add, kRedOn);
  EXPECT_EQ(r.Record, kOn);
  // Selected but unavailable: red and disabled.
  s->FileBusy = 1;
  r = RunLamps(*s);
  EXPECT_EQ(r.Add, kRedOff);
  EXPECT_EQ(r.Record, kOff);
  EXPECT_TRUE(r.ModeTextGrey);
}

TEST(ButtonStates, DuringARun) {
  auto s = Idle();
  s->AcquisitionBusy = -1;
  const RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Record, kOff);
  EXPECT_EQ(r.Add, kOff);
  EXPECT_EQ(r.Visual, kRedOff);
  EXPECT_TRUE(r.ModeTextGrey);
  EXPECT_EQ(r.Start, kRedOff);
  EXPECT_EQ(r.Stop, kOn);
  EXPECT_EQ(r.Exit, kOff);
  EXPECT_EQ(r.Change, kOff);
  EXPECT_EQ(r.Print, kOff);
  EXPECT_EQ(r.Save, kOff);
  EXPECT_EQ(r.Open, kOff);
  EXPECT_EQ(r.Wymiar, kOff);
  const ViewButtonLamps v = ComputeViewButtons(*s);
  for (int k = 0; k < 4; ++k) EXPECT_TRUE(v.Pic[k].enabled) << k;
  EXPECT_EQ(v.PicAl, kOn);
  EXPECT_EQ(v.Linescan, kOn);

  // Busy with the unit never opened: EXIT stays available, START/STOP are off.
  s->DeviceOpen = 0;
  const RunButtonLamps u = RunLamps(*s);
  EXPECT_EQ(u.Exit, kOn);
  EXPECT_EQ(u.Start, kOff);
  EXPECT_EQ(u.Stop, kOff);
}

TEST(ButtonStates, SettingsWindowOpen) {
  auto s = Idle();
  s->SettingsOpen = 1;
  const RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Change, kRedOff);
  EXPECT_EQ(r.Exit, kOff);
  EXPECT_EQ(r.Start, kOff);
  EXPECT_EQ(r.Stop, kOff);
  EXPECT_EQ(r.Record, kOn);  // the run modes stay selectable
  EXPECT_EQ(r.Save, kOff);
  EXPECT_EQ(r.Print, kOff);
  const ViewButtonLamps v = ComputeViewButtons(*s);
  EXPECT_EQ(v.Linescan, kOff);
  s->LinescanOn = 1;
  EXPECT_EQ(ComputeViewButtons(*s).Linescan, kRedOff);
  for (int k = 0; k < 4; ++k) EXPECT_TRUE(v.Pic[k].enabled) << k;
  EXPECT_TRUE(v.PicAl.enabled);
}

TEST(ButtonStates, AllViewAndAutonumbering) {
  auto s = Idle();
  s->ViewMode = 5;
  s->UnsavedChannels = 0x0F;
  RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Open, kOff);
  EXPECT_EQ(r.Wymiar, kOff);
  EXPECT_EQ(r.Save, kOn);
  r = RunLamps(*s, /*autoNumbering=*/true);
  EXPECT_EQ(r.Save, kOff);
  // Autonumbering alone does not block a single view.
  s->ViewMode = 1;
  EXPECT_EQ(RunLamps(*s, true).Save, kOn);
  s->ViewMode = 5;
  const ViewButtonLamps v = ComputeViewButtons(*s);
  EXPECT_EQ(v.PicAl, kRedOn);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(v.Pic[k], kOn) << k;
}

TEST(ButtonStates, WymiarNeedsAnUnsavedPicture) {
  auto s = Idle();
  s->ViewMode = 2;
  s->UnsavedChannels = 0x01;  // kan2 saved, kan1 not
  EXPECT_EQ(RunLamps(*s).Wymiar, kOff);
  s->UnsavedChannels = 0x02;
  EXPECT_EQ(RunLamps(*s).Wymiar, kOn);
  s->ViewMode = 4;
  s->UnsavedChannels = 0x08;
  EXPECT_EQ(RunLamps(*s).Wymiar, kOn);
  s->UnsavedChannels = 0x04;  // kan3's bit does not count for kan4
  EXPECT_EQ(RunLamps(*s).Wymiar, kOff);
  s->UnsavedChannels = 0x08;
  s->MeasureOn = 1;
  EXPECT_EQ(RunLamps(*s).Wymiar, kRedOff);
  s->MeasureOn = 0;
  s->AnaglyphOn = 1;
  EXPECT_EQ(RunLamps(*s).Wymiar, kOff);
  s->AnaglyphOn = 0;
  s->CalibrationOpen = 1;
  EXPECT_EQ(RunLamps(*s).Wymiar, kOff);
}

TEST(ButtonStates, StartStopNeedAChannelOrTheTestPicture) {
  auto s = Idle();
  s->ChannelCode = 0x10;  // a count without any channel bit
  EXPECT_EQ(RunLamps(*s).Start, kOff);
  EXPECT_EQ(RunLamps(*s).Stop, kOff);
  s->TestPictureOn = 1;
  EXPECT_EQ(RunLamps(*s).Start, kOn);
  s->TestPictureOn = 0;
  s->ChannelCode = 0x18;  // kan4 alone
  EXPECT_EQ(RunLamps(*s).Start, kOn);
  EXPECT_EQ(RunLamps(*s).Stop, kRedOn);
  for (auto set : {+[](SharedState& t) { t.MeasureOn = 1; },
                   +[](SharedState& t) { t.PrintBusy = -1; },
                   +[](SharedState& t) { t.ClosingDown = -1; },
                   +[](SharedState& t) { t.DeviceOpen = 0; }}) {
    auto t = Idle();
    set(*t);
    EXPECT_EQ(RunLamps(*t).Start, kOff);
    EXPECT_EQ(RunLamps(*t).Stop, kOff);
  }
}

TEST(ButtonStates, PrintChangeAndExitRules) {
  auto s = Idle();
  s->PrintBusy = -1;
  RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Print, kRedOff);
  EXPECT_EQ(r.Change, kOff);
  EXPECT_EQ(r.Exit, kOff);
  s->AcquisitionBusy = -1;  // a run outranks the print window's red
  EXPECT_EQ(RunLamps(*s).Print, kOff);

  auto k = Idle();
  k->CalibrationOpen = 1;
  r = RunLamps(*k);
  EXPECT_EQ(r.Print, kOff);
  EXPECT_EQ(r.Change, kOn);  // calibration does not block the settings
  EXPECT_EQ(r.Save, kOff);

  auto m = Idle();
  m->MeasureOn = 1;
  r = RunLamps(*m);
  EXPECT_EQ(r.Change, kOff);
  EXPECT_EQ(r.Exit, kOn);
  EXPECT_EQ(r.Record, kOff);
}

TEST(ButtonStates, SaveAndOpenShowRedWhileBusy) {
  auto s = Idle();
  s->FileBusy = 1;
  s->SaveBusy = 1;
  EXPECT_EQ(RunLamps(*s).Save, kRedOff);
  EXPECT_EQ(RunLamps(*s).Open, kOff);
  s->ClosingDown = -1;  // closing with the file still busy: still red
  EXPECT_EQ(RunLamps(*s).Save, kRedOff);
  s->FileBusy = 0;  // closing, no file busy: grey
  EXPECT_EQ(RunLamps(*s).Save, kOff);

  auto o = Idle();
  o->FileBusy = 1;
  o->OpenBusy = 1;
  EXPECT_EQ(RunLamps(*o).Open, kRedOff);
  o->ViewMode = 5;  // the file flag keeps it red in the ALL view
  EXPECT_EQ(RunLamps(*o).Open, kRedOff);
  o->FileBusy = 0;
  EXPECT_EQ(RunLamps(*o).Open, kOff);
  o->ViewMode = 1;
  o->PrintBusy = -1;  // neither ALL nor closing: red
  EXPECT_EQ(RunLamps(*o).Open, kRedOff);
  o->ClosingDown = -1;
  EXPECT_EQ(RunLamps(*o).Open, kOff);
}

TEST(ButtonStates, Anaglyph) {
  auto s = Idle();
  s->AnaglyphOn = 1;
  s->AnaglyphSource = 2;
  RunButtonLamps r = RunLamps(*s);
  EXPECT_EQ(r.Record, kOn);
  EXPECT_EQ(r.Visual, kRedOff);  // no VISUAL, colour kept
  s->RecordOn = -1;
  EXPECT_EQ(RunLamps(*s).Visual, (Lamp{false, LampColour::Lime}));  // lime but not pressable
  ViewButtonLamps v = ComputeViewButtons(*s);
  EXPECT_EQ(v.Pic[0], kRedOn);
  EXPECT_EQ(v.Pic[1], (Lamp{true, LampColour::LightRed}));
  s->ViewMode = 2;  // the shown channel's red wins over light red
  v = ComputeViewButtons(*s);
  EXPECT_EQ(v.Pic[1], kRedOn);
  EXPECT_EQ(v.Pic[0], kOn);
  s->AnaglyphOn = 0;
  s->ViewMode = 1;
  EXPECT_EQ(ComputeViewButtons(*s).Pic[1], kOn);

  // The anaglyph shown in place of kan3.
  s->AnaglyphOn = 1;
  s->ViewMode = 3;
  s->UnsavedChannels = 0x04;
  r = RunLamps(*s);
  EXPECT_EQ(r.Record, kRedOff);
  EXPECT_EQ(r.Add, kOff);
  EXPECT_EQ(r.Open, kOff);
  EXPECT_EQ(r.Wymiar, kOff);
  EXPECT_EQ(r.Save, kOn);
  EXPECT_EQ(ComputeViewButtons(*s).Linescan, kOff);
}

TEST(ButtonStates, PictureButtonsLockedWhileBusyWithFilesPrintOrMeasurement) {
  for (auto set : {+[](SharedState& t) { t.FileBusy = 1; },
                   +[](SharedState& t) { t.ClosingDown = -1; },
                   +[](SharedState& t) { t.PrintBusy = -1; },
                   +[](SharedState& t) { t.MeasureOn = 1; }}) {
    auto s = Idle();
    s->ViewMode = 3;
    set(*s);
    const ViewButtonLamps v = ComputeViewButtons(*s);
    EXPECT_EQ(v.Pic[0], kOff);
    EXPECT_EQ(v.Pic[1], kOff);
    EXPECT_EQ(v.Pic[2], kRedOff);
    EXPECT_EQ(v.Pic[3], kOff);
    EXPECT_EQ(v.PicAl, kOff);
    EXPECT_FALSE(v.Linescan.enabled);
  }
  auto s = Idle();
  s->ViewMode = 5;
  s->PrintBusy = -1;
  EXPECT_EQ(ComputeViewButtons(*s).PicAl, kRedOff);
  s->PrintBusy = 0;
  s->FileBusy = 1;
  EXPECT_EQ(ComputeViewButtons(*s).PicAl, kOff);
}

}  // namespace
}  // namespace orvix
