#pragma once
// The station's information strip: the strip raster and its text bitmap, the correction it
// is computed with, the date, and the registration number. The frame display steps, the
// saves and the calibration window all burn through the one StationStrip the station owns.
//
// The correction in force is the calibration window's box (Edit22) while that window is
// open: the box's own handler mirrors its text in SharedState::CorrectionBoxText, so no
// widget is read on the frame path. A box number out of 50..150 is limited, and the limited
// text goes back to the mirror and to whoever shows the box (boxLimited).
//
// UI thread only. ObrazekPasek and WykonajPasek write ImageStore: their CALLER HOLDS
// StoreLock (the frame steps do); every other caller goes through BurnTakingLock.
#include <cstdint>
#include <functional>
#include <string>

#include "InfoStrip.h"
#include "RunState.h"
#include "StripText.h"

namespace orvix {

class StationStrip {
 public:
  explicit StationStrip(SharedState& s) : s_(s) {}

  // The strip of every channel that is marked (" Znacznik "), in use and holding an unsaved
  // picture; returns the channels burnt.
  uint8_t ObrazekPasek();
  // The strip of channel k.
  StripOutcome WykonajPasek(int k);
  // ObrazekPasek, taking StoreLock once around it.
  void BurnTakingLock();
  // The bar (BarPixels, BarPixels2, BarNanometres) for the magnification and correction
  // now in force, without a burn: a measurement converts with it.
  void PrepareBar();
  // The text bitmap's font and colours, once, at the main window's first show.
  void UstawDaneNapisow() { TextBitmap.Prepare(); }
  // The registration number + 1; above 999 it becomes 1.
  void NumeracjaZdjecia() { orvix::NumeracjaZdjecia(s_); }

  // Today's date as the strip shows it; tests fix it.
  std::string DateText() const;
  std::string FixedDate;  // empty: today in the system's short date format

  // Shows a box text the strip limited (the calibration window sets it).
  std::function<void(const std::string&)> boxLimited;

  // The channels the last ObrazekPasek burnt.
  uint8_t LastBurnt = 0;

  StripBuffer Strip;
  StripTextCanvas TextBitmap;

 private:
  CorrectionBox& Box();
  void Keep(const BarResult& bar);  // the bar in the state, a limited box text shown

  SharedState& s_;
  CorrectionBox box_;
};

}  // namespace orvix
