#pragma once
// What the main window and the settings window ask of the calibration window Tmodul_zew,
// which owns the information strip. Callers hold this interface and never reach the
// window's controls.
#include <cstdint>

namespace orvix {

class CalibrationWindowLink {
 public:
  virtual ~CalibrationWindowLink() = default;
  // Burns the information strip into the pictures of the marked, used, unsaved channels.
  // The caller already holds the state's StoreLock (the frame timers do); StoreLock is not
  // recursive, so this call never takes it.
  virtual void BurnStrip() = 0;
  // The same from a place that does not hold StoreLock: takes it once around the burn.
  virtual void BurnStripTakingLock() = 0;
  // First show of the main window: the strip's text bitmap and font.
  virtual void PrepareStripTexts() = 0;
  // After a save or a RECORD cycle: the registration number + 1, from 999 back to 1.
  virtual void NextRegistrationNumber() = 0;
  // "Prog. wymiarów": shows the calibration window.
  virtual void OpenCalibration() = 0;
  // The two calls below do nothing in a window without measurement buttons.
  // Both measurement buttons ("A - B - 100", "A - B - kor") pop up.
  virtual void ReleaseMeasureButtons() {}
  // A measurement on the picture ended with its rubber band `d` pixels long: while the
  // window is open with "A - B - 100" down, the correction is computed from it.
  virtual void MeasurementFinished(int) {}
  // The scale bar (BarPixels2, BarNanometres) for the magnification and correction now in
  // force, without burning a strip: a measurement converts with it.
  virtual void PrepareBar() {}
};

}  // namespace orvix
