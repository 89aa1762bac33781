#pragma once
// What the main window and the settings window ask of the calibration window Tmodul_zew.
// Callers hold this interface and never reach the window's controls.

namespace orvix {

class CalibrationWindowLink {
 public:
  virtual ~CalibrationWindowLink() = default;
  // "Prog. wymiarów": shows the calibration window.
  virtual void OpenCalibration() = 0;
  // The two calls below do nothing in a window without measurement buttons.
  // Both measurement buttons ("A - B - 100", "A - B - kor") pop up.
  virtual void ReleaseMeasureButtons() {}
  // A measurement on the picture ended with its rubber band `d` pixels long: while the
  // window is open with "A - B - 100" down, the correction is computed from it.
  virtual void MeasurementFinished(int) {}
};

}  // namespace orvix
