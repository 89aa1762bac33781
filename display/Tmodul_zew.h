#pragma once
// The calibration window "Wprowadzanie kalibracji paska": the scale-bar calibration per
// magnification range and the kV value of the bar module. Created at start with the other
// windows. Its correction box Edit22 is the correction the station's strip uses while the
// window is open: the box's handler keeps the strip's mirror of it current.
// UI thread only.
#include <QWidget>
#include <array>
#include <string>

#include "Calibration.h"
#include "CalibrationWindowLink.h"
#include "ConfigFile.h"
#include "MainWindowLink.h"
#include "OperatorDialogs.h"
#include "RunState.h"
#include "ScanUnit.h"
#include "StationStrip.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace orvix {

class Tmodul_zew : public QWidget, public CalibrationWindowLink {
  Q_OBJECT
 public:
  // "Zapis nastaw" writes `settingsFile` and shows a failure through `dialogs`; the
  // measurement buttons burn and measure with `strip`; the kV goes to `unit`.
  Tmodul_zew(SharedState& s, OperatorDialogs& dialogs, SettingsFile& settingsFile,
             StationStrip& strip, ScanUnit& unit, QWidget* parent = nullptr);
  ~Tmodul_zew() override;

  // The main window, for the measurement, the lamps and the window's place.
  void AttachMainWindow(MainWindowLink* main) { main_ = main; }

  // --- The window ---
  void FormCreate();
  // Shows the window on the dimension page, range buttons unchecked, beside the picture.
  void FormOtwieraj();
  void Button1Click();
  void FormClose();
  void Button3Click();
  void Button5Click();
  void SpinButton1UpClick();
  void SpinButton1DownClick();
  void Button2Click();
  // Click and mouse-down of every range button: range i's correction into Edit22, the
  // measurement buttons up and a measurement in progress dropped.
  void RadioButton1Click(int range);
  void SpeedButton1Click();
  void SpeedButton2Click();
  // The correction from the measurement just finished, `d` pixels long.
  void KlawiszLicz(int d);
  void Button4Click();
  void Button8Click();
  void Edit22KeyUp();
  // The range button checked, or -1.
  int CheckedRange() const;

  // --- CalibrationWindowLink ---
  void OpenCalibration() override { FormOtwieraj(); }
  void ReleaseMeasureButtons() override;
  void MeasurementFinished(int d) override;

  QLineEdit* Edit22 = nullptr;  // "Współczynnik korekcji", percent, default "100"
  QPushButton* Button5 = nullptr;  // "Kalibracja wymiarów"
  QPushButton* Button3 = nullptr;  // "Ustawianie progów KV"
  QPushButton* Button8 = nullptr;  // "Zapis nastaw"
  QPushButton* Button1 = nullptr;  // "Zamknij"
  QWidget* Panel1 = nullptr;       // kV page
  QWidget* Panel2 = nullptr;       // dimension page
  QLabel* Label3 = nullptr;        // "0 kV"
  QToolButton* SpinButton1Up = nullptr;
  QToolButton* SpinButton1Down = nullptr;
  QPushButton* Button2 = nullptr;  // "Zapis do modułu PLM7731"
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RadioButton1 = nullptr;  // the designed range button the others copy
  std::array<QRadioButton*, 14> RangeRadios{};
  QLineEdit* Edit1 = nullptr;            // known length, µm
  QPushButton* SpeedButton1 = nullptr;   // "A - B - 100"
  QPushButton* SpeedButton2 = nullptr;   // "A - B - kor"
  QPushButton* Button4 = nullptr;        // "Wprowadz do tablicy"

  int32_t KVSetting = 0;
  UnitCommandBlock UnitCommand{};

 private:
  void ShowPage(bool dimension);
  void StartMeasuring(QPushButton* down);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  SharedState& s_;
  OperatorDialogs& dialogs_;
  SettingsFile& settingsFile_;
  StationStrip& strip_;
  ScanUnit& unit_;
  MainWindowLink* main_ = nullptr;
};

}  // namespace orvix
