#include "ButtonStates.h"

namespace orvix {

namespace {

// The predicates the lamp rules are written in.
struct Facts {
  bool B, D, F, S, C, P, M, K, AN;
  int V;
  bool W1, W2, W3, W4, W5;
  bool AnaglyphView;  // V = 3 while the anaglyph takes the place of kan3
};

Facts Read(const SharedState& s) {
  Facts f{};
  f.B = s.AcquisitionBusy.load() != 0;
  f.D = s.DeviceOpen.load() != 0;
  f.F = s.FileBusy.load() != 0;
  f.S = s.SettingsOpen.load() != 0;
  f.C = s.ClosingDown.load() != 0;
  f.P = s.PrintBusy.load() != 0;
  f.M = s.MeasureOn.load() != 0;
  f.K = s.CalibrationOpen.load() != 0;
  f.AN = s.AnaglyphOn.load() != 0;
  f.V = s.ViewMode.load();
  f.W1 = f.S || f.F || f.C;
  f.W2 = f.W1 || f.B;
  f.W3 = f.W2 || f.P;
  f.W4 = f.W3 || f.K;
  f.W5 = f.W4 || f.V == 5;
  f.AnaglyphView = f.V == 3 && f.AN;
  return f;
}

constexpr Lamp kOn{true, LampColour::Lime};
constexpr Lamp kOff{false, LampColour::Grey};

}  // namespace

RunButtonLamps ComputeRunButtons(const SharedState& s, const SettingsFacts& settings) {
  const Facts f = Read(s);
  RunButtonLamps L;

  // 1. The run-mode buttons and their mode texts.
  const bool modesFree = !(f.B || f.F || f.C || f.P || f.M) && !f.AnaglyphView;
  L.Record = L.Add = L.Visual = modesFree ? kOn : kOff;
  L.ModeTextGrey = !modesFree;

  // 2. The selected run mode shows red, available or not.
  if (s.AddOn.load() != 0)
    L.Add.colour = LampColour::Red;
  else if (s.RecordOn.load() != 0)
    L.Record.colour = LampColour::Red;
  else
    L.Visual.colour = LampColour::Red;

  // 3. No VISUAL while the anaglyph is on.
  if (f.AN) L.Visual.enabled = false;

  // 4. EXIT.
  L.Exit = (f.B && f.D) ? kOff : kOn;
  if (f.W1 || f.P) L.Exit = kOff;

  // 5. START and STOP.
  if (f.D) {
    if (f.B) {
      L.Start = {false, LampColour::Red};
      L.Stop = kOn;
    } else {
      L.Start = kOn;
      L.Stop = {true, LampColour::Red};
    }
  }
  const bool anyChannel = (s.ChannelCode.load() & 0x0F) != 0;
  if ((s.TestPictureOn.load() == 0 && !anyChannel) || f.W1 || !f.D || f.P || f.M) {
    L.Start = kOff;
    L.Stop = kOff;
  }

  // 6. PRINT.
  if (f.W2 || f.M || f.K)
    L.Print = kOff;
  else if (f.P)
    L.Print = {false, LampColour::Red};
  else
    L.Print = kOn;

  // 7. CHANGE (the settings window).
  if (!f.W3 && !f.M)
    L.Change = kOn;
  else
    L.Change = {false, f.S ? LampColour::Red : LampColour::Grey};

  // 8. SAVE.
  if (!f.W4 && !f.M && !(f.V == 5 && settings.AutoNumbering)) {
    L.Save = kOn;
  } else {
    L.Save = kOff;
    if (s.SaveBusy.load() != 0 && !(f.C && !f.F)) L.Save.colour = LampColour::Red;
  }

  // 9. OPEN.
  if (!f.W5 && !f.M && !f.AnaglyphView) {
    L.Open = kOn;
  } else {
    L.Open = kOff;
    if (s.OpenBusy.load() != 0 && (f.F || !(f.V == 5 || f.C))) L.Open.colour = LampColour::Red;
  }

  // 10. Wymiar (measurement): only on a picture not saved since it was acquired.
  const bool singleView = f.V >= 1 && f.V <= 4;
  if (singleView && (s.UnsavedChannels.load() & (1u << (f.V - 1))) == 0)
    L.Wymiar = kOff;
  else if (f.W5 || f.AN)
    L.Wymiar = kOff;
  else if (f.M)
    L.Wymiar = {false, LampColour::Red};
  else
    L.Wymiar = kOn;

  return L;
}

ViewButtonLamps ComputeViewButtons(const SharedState& s) {
  const Facts f = Read(s);
  const int source = s.AnaglyphSource.load();
  ViewButtonLamps L;

  // 1, 2. Picture panels: the shown one red; with the anaglyph, its source kan1/kan2
  // light red.
  for (int k = 1; k <= 4; ++k) {
    LampColour c = LampColour::Lime;
    if (f.V == k)
      c = LampColour::Red;
    else if (k <= 2 && f.AN && source == k)
      c = LampColour::LightRed;
    L.Pic[k - 1] = {true, c};
  }

  // 3. Linescan.
  const bool linescanFree = !(f.F || f.S || f.C || f.P || f.M) && !f.AnaglyphView;
  const bool linescanOn = s.LinescanOn.load() != 0;
  L.Linescan.enabled = linescanFree;
  L.Linescan.colour =
      linescanOn ? LampColour::Red : (linescanFree ? LampColour::Lime : LampColour::Grey);

  // 4. The picture buttons are locked while a file, the print window, a measurement or
  // the shutdown is in progress.
  if (f.F || f.C || f.P || f.M) {
    for (int k = 1; k <= 4; ++k) {
      L.Pic[k - 1].enabled = false;
      if (f.V != k) L.Pic[k - 1].colour = LampColour::Grey;
    }
    L.PicAl = {false, (f.V == 5 && f.P) ? LampColour::Red : LampColour::Grey};
  } else {
    L.PicAl = {true, f.V == 5 ? LampColour::Red : LampColour::Lime};
  }
  return L;
}

}  // namespace orvix
