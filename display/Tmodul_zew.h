#pragma once
// The calibration window "Wprowadzanie kalibracji paska": the scale-bar calibration per
// magnification range and the kV value of the bar module. Created at start with the other
// windows. It owns the information strip: ObrazekPasek burns it into the pictures, with
// the bar computed from this window's correction box Edit22 while the window is open.
// UI thread only.
#include <QWidget>
#include <string>

#include "CalibrationWindowLink.h"
#include "RunState.h"
#include "StripText.h"

class QLineEdit;

namespace orvix {

class Tmodul_zew : public QWidget, public CalibrationWindowLink {
  Q_OBJECT
 public:
  explicit Tmodul_zew(SharedState& s, QWidget* parent = nullptr);

  // --- The information strip ---
  // Builds and burns the strip of every channel that is marked (" Znacznik "), in use and
  // holding an unsaved picture. Writes ImageStore: the CALLER HOLDS s.StoreLock. The frame
  // timers call it with the lock already held; every other caller goes through
  // BurnStripTakingLock, which takes the lock exactly once. Returns the channels burnt.
  uint8_t ObrazekPasek();
  // The strip of channel k (the caller holds s.StoreLock).
  StripOutcome WykonajPasek(int k);
  // Prepares StripTextBitmap: font, colours, the bitmap filled black. Once, at first show.
  void UstawDaneNapisow();
  // The registration number + 1; above 999 it becomes 1.
  void NumeracjaZdjecia();
  // The calibration window's open routine. Placeholder: it is built with the rest of this
  // window; until then it shows nothing and changes no state.
  void FormOtwieraj();

  // --- CalibrationWindowLink ---
  void BurnStrip() override { ObrazekPasek(); }
  void BurnStripTakingLock() override;
  void PrepareStripTexts() override { UstawDaneNapisow(); }
  void NextRegistrationNumber() override { NumeracjaZdjecia(); }
  void OpenCalibration() override { FormOtwieraj(); }

  // Today's date as the strip shows it; tests fix it.
  std::string DateText() const;
  std::string FixedDate;  // empty: today in the system's short date format

  QLineEdit* Edit22 = nullptr;  // "Współczynnik korekcji", percent, default "100"
  StripBuffer Strip;
  StripTextCanvas StripTextBitmap;

 private:
  void ReadCorrectionBox();
  void ShowCorrectionBox(const BarResult& bar);

  SharedState& s_;
  CorrectionBox box_;
};

}  // namespace orvix
