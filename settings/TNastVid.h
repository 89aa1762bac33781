#pragma once
// The settings window "     Konfigurowanie nastaw": a page control whose first four pages
// share one channel panel, the Add, frame and file pages, the strip options and the
// anaglyph page, and the load / save / close buttons. Every control writes its value into
// the configuration table at once. Controls carry the names of the window design; they are
// public for the window's tests only: the main window reaches this window through
// SettingsWindowLink.
#include <QFrame>
#include <QWidget>
#include <array>
#include <string>

#include "CalibrationWindowLink.h"
#include "ConfigFile.h"
#include "MainWindowLink.h"
#include "OperatorDialogs.h"
#include "RunState.h"
#include "ScanUnit.h"
#include "SettingsWindowLink.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QToolButton;

namespace orvix {

struct FrameValue;
struct ModeTextResult;
struct WorkModeCheck;

// A panel that reports a mouse press (the page indicators).
class ClickPanel : public QFrame {
  Q_OBJECT
 public:
  using QFrame::QFrame;
 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* e) override;
};

class TNastVid : public QWidget, public SettingsWindowLink {
  Q_OBJECT
 public:
  // Page tags.
  static constexpr int kAddPage = 5, kFramePage = 6, kFilePage = 7, kStripPage = 8,
                       kAnaglyphPage = 9, kPages = 9;

  // Builds and wires every control, so each handler and link call works from here on;
  // FormCreate adds placement, captions and the drawn scales.
  // `folders` gives the save folder and base of numbered names ("ustaw nazwę" changes
  // them), `settingsFile` the station's conf300.dat, `unit` the scan unit.
  TNastVid(MainWindowLink* link, SharedState& s, OperatorDialogs& dialogs,
           PictureFolders& folders, SettingsFile& settingsFile, ScanUnit& unit,
           QWidget* parent = nullptr);

  // --- What the main window asks of this window ---
  void SetUpAtFirstShow(const QRect& picturePanel) override;
  void ShowRunMode(RunModeKind mode) override;
  void ShowChannelState() override;
  void RefreshAfterRunModeChange() override;
  void OpenSettings() override;
  void CloseSettings() override;
  void ShowStartControls(bool askBoxesVisible) override;
  void AdaptToDetectorCount() override { UstawZakladki(); }

  // --- 3D mode and the detector count ---
  void SpeedButton1Click();  // 3D mode on / off
  void UstawZakladki();      // pages, indicators and ADD buttons of missing channels dropped

  // Set-up run by the main window at its first show: captions, the drawn scales and, from
  // `picturePanel` (global coordinates), the window centred over it 10 pixels below its top.
  void FormCreate(const QRect& picturePanel = {});

  // --- Window frame and channel pages ---
  int ActiveTag() const;
  void OpenPage(int tag);  // makes the page of `tag` active (PageControl1Change follows)
  void PageControl1Change();
  void Panel5Click(int tag);
  void nastawy_koniec();
  void Button4Click() { nastawy_koniec(); }
  void SpeedButton11Click();
  void TrackBar1Change(int position);
  void TrackBar2Change(int position);
  void RadioButton1Click(int tag);
  void SpeedButton13Click();
  void SpeedButton12Click();
  void WyswietlFiltr(int channel);
  // The ADD channel buttons' colours, the page indicators, "On / Off" and the on/off panel,
  // on every page; off a channel page the panel shows channel 1.
  void WyswietlOnOff(int channel);

  // --- Add page ---
  void TrackBar3Change(int position);
  void RadioButton51Click(int tag);

  // --- Frame page ---
  void liczdzielnik(int step);  // time between samples
  void liczoffseth(int step);   // " Offset H "
  void liczoffsetv(int step);   // " Offset V "
  void SpinButton51UPClick() { liczdzielnik(1); }
  void SpinButton51DownClick() { liczdzielnik(-1); }
  void SpinButton52UpClick() { liczoffseth(1); }
  void SpinButton52DownClick() { liczoffseth(-1); }
  void SpinButton1UpClick() { liczoffsetv(1); }
  void SpinButton1DownClick() { liczoffsetv(-1); }
  void CheckBox10Click();
  void UstawPanAut();

  // --- Working modes ---
  void RadioButton11Click(int index) { ModeRadioClick(ModeList::Lines, index); }  // 0..7
  void RadioButton12Click(int index) { ModeRadioClick(ModeList::Time, index); }   // 0..7
  void WyswietlTrybyPracy();
  void UstawTrybyPracy(uint8_t mode);
  // Checks the LINES and TIME buttons of `mode` (ERROR 1503 / 1504 for impossible ones).
  void ShowWorkModeRadios(uint8_t mode) override;
  // Checking a button that is not checked yet runs its click handling.
  void CheckLinesRadio(int index) override { CheckModeRadio(ModeList::Lines, index); }
  void CheckTimeRadio(int index) override { CheckModeRadio(ModeList::Time, index); }

  // --- File page ---
  void CheckBox1Click();
  void Button5Click();
  void CheckBox2Click();
  void CheckBox3Click();
  // Looks up the next numbered name of `base` in `folder` and shows it in Label2.
  void ShowNextAutoName(const std::string& folder, const std::string& base) override;
  void BringToFrontIfShown() override;

  // --- Configuration ---
  void ApplyConfig(uint8_t mode);
  void ReloadConfig() override;
  void DefaultConfig();
  void Button1Click();  // "Wyslij nastawy"
  void Button2Click() { ReloadConfig(); }
  void Button3Click();  // "Zapisz nastawy"

  // The calibration window, which "Prog. wymiarów" opens (may stay null).
  void AttachCalibration(CalibrationWindowLink* calibration) { calibration_ = calibration; }

  // --- Strip options, test view and anaglyph choices ---
  void StripBoxClick(int index);  // CheckBox11..CheckBox16, index 0..5
  void BarLookClick(int index);   // RadioButton211/221/231, index 0..2
  void RegIncrementChoice(bool onSave);          // "Po zapisie na dysk" or "... cyklu RECORD"
  void AnaglyphTurnChoice(bool rotate90);        // "     0 °  " or "   90 °  "
  void AnaglyphColourChoice(bool greenMagenta);  // " Red - Cyan  " or " Green - Magenta "
  void RadioButton4Click() { RegIncrementChoice(true); }
  void RadioButton5Click() { RegIncrementChoice(false); }
  void Button9Click();
  void RadioButton6Click() { AnaglyphTurnChoice(false); }
  void RadioButton7Click() { AnaglyphTurnChoice(true); }
  void RadioButton13Click() { AnaglyphColourChoice(false); }
  void RadioButton15Click() { AnaglyphColourChoice(true); }
  void CheckBox7Click();   // both flip boxes: their colours and the flip mirror
  void Button11Click();    // "Prog. wymiarów": settings closed, calibration window opened
  void Panel6Click();      // the hidden hot spot: page 8 becomes the test view "TESTY"
  void CheckBox4Click();   // "Test picture "
  void Button6Click();     // "TEST": the scan unit's identification text

  // --- Controls ---
  QTabWidget* PageControl1 = nullptr;
  std::array<QWidget*, kPages + 1> TabSheet{};  // index = tag
  std::array<ClickPanel*, 5> PageIndicators{};  // tags 1..5
  QPushButton* Button1 = nullptr;  // "Wyslij nastawy"
  QPushButton* Button2 = nullptr;  // "Odczytaj nastawy"
  QPushButton* Button3 = nullptr;  // "Zapisz nastawy"
  QPushButton* Button4 = nullptr;  // "Zamknij"

  // Channel panel.
  QFrame* Panel3 = nullptr;
  QPushButton* SpeedButton11 = nullptr;  // "On / Off"
  QLabel* PanelOnOff = nullptr;          // "Kanał załączony" / "Kanał wyłączony"
  QGroupBox* GainGroup = nullptr;
  QLabel* GainScale = nullptr;
  QSlider* TrackBar1 = nullptr;
  QGroupBox* OffsetGroup = nullptr;
  QLabel* OffsetScale = nullptr;
  QSlider* TrackBar2 = nullptr;
  QGroupBox* FilterGroup = nullptr;
  std::array<QRadioButton*, 6> FilterButtons{};  // tags 1..6
  QFrame* MixPanel = nullptr;
  QPushButton* SpeedButton13 = nullptr;  // "Mix 4 to " + channel
  QFrame* MarkerPanel = nullptr;
  QPushButton* SpeedButton12 = nullptr;  // " Znacznik "

  // Add page.
  QGroupBox* AddGroup = nullptr;
  QLabel* AddScale = nullptr;
  QSlider* TrackBar3 = nullptr;
  std::array<QRadioButton*, 4> AddChannelButtons{};  // RadioButton51, tags 1..4

  // Frame page.
  QGroupBox* LinesGroup = nullptr;
  QGroupBox* GroupBox12 = nullptr;  // TIME group
  std::array<QRadioButton*, 8> LinesRadio{};
  std::array<QRadioButton*, 8> TimeRadio{};
  QLabel* DividerLabel = nullptr;
  QLabel* OffsetHLabel = nullptr;
  QLabel* OffsetVLabel = nullptr;
  QToolButton *SpinButton51Up = nullptr, *SpinButton51Down = nullptr;
  QToolButton *SpinButton52Up = nullptr, *SpinButton52Down = nullptr;
  QToolButton *SpinButton1Up = nullptr, *SpinButton1Down = nullptr;
  QGroupBox* AutoIdentGroup = nullptr;
  QCheckBox* CheckBox10 = nullptr;

  // File page.
  QCheckBox* CheckBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* Button5 = nullptr;
  QCheckBox* CheckBox5 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckBox3 = nullptr;

  // Page 8: strip options (Panel11) and test view (Panel10).
  QFrame* Panel10 = nullptr;
  QFrame* Panel11 = nullptr;
  std::array<QCheckBox*, 6> StripBoxes{};  // CheckBox11..CheckBox16
  QCheckBox* CheckBox16 = nullptr;
  std::array<QRadioButton*, 3> BarLookButtons{};  // RadioButton211, 221, 231
  QRadioButton* RadioButton4 = nullptr;
  QRadioButton* RadioButton5 = nullptr;
  QPushButton* Button9 = nullptr;
  QPushButton* Button11 = nullptr;  // "Prog. wymiarów"
  ClickPanel* Panel6 = nullptr;     // hidden 22 x 22 hot spot at the window's top right
  QLabel* Label4 = nullptr;         // "bufUSB  = "
  QLabel* Label6 = nullptr;         // "bufObr  = "
  QLabel* Label7 = nullptr;         // "bufSE   = "
  QLabel* Label8 = nullptr;         // "LL=" ... "  CL=" ...
  QRadioButton* RadioButton2 = nullptr;  // "picture test 1"
  QRadioButton* RadioButton3 = nullptr;  // "picture test 2"
  QCheckBox* CheckBox4 = nullptr;        // "Test picture "
  QPushButton* Button6 = nullptr;        // "TEST"
  QLabel* Label5 = nullptr;              // the identification text

  // Page 9: anaglyph.
  QRadioButton* RadioButton13 = nullptr;
  QRadioButton* RadioButton15 = nullptr;
  QRadioButton* RadioButton6 = nullptr;
  QRadioButton* RadioButton7 = nullptr;
  QRadioButton* RadioButton14 = nullptr;  // " Amber - Blue  ", never offered
  QCheckBox* CheckBox7 = nullptr;         // "Przerzuć w pionie"
  QCheckBox* CheckBox17 = nullptr;        // "Przerzuć w poziomie"

  // The 3D switch panel.
  QFrame* Panel14 = nullptr;
  QPushButton* SpeedButton1 = nullptr;

 private:
  enum class ModeList { Lines, Time };

  void BuildChannelPanel();
  void BuildAddPage();
  void BuildFramePage();
  void BuildFilePage();
  void BuildStripPage();
  void BuildAnaglyphPage();
  void BuildPageIndicators();
  void StereoOn();
  void StereoOff();
  void ShowPage(int tag, bool visible);
  // Closing without the redraw: channels, unit link, hidden, main window repainted.
  void LeaveSettings();
  void ShowLabel2Colours(bool autoNumbering);  // the file page's next-name label
  void Wire();
  void ShowGainCaption(int position);
  void ShowOffsetCaption(int position);
  void ShowAddCaption(int position);
  int ChannelShown() const;  // tag of the active page when it is a channel page, else 1

  // The LINES or TIME list: a click, and a check that runs the click when it is new.
  std::array<QRadioButton*, 8>& Radios(ModeList list);
  void ModeRadioClick(ModeList list, int index);
  void CheckModeRadio(ModeList list, int index);
  // A frame-page value stepped (0 re-reads it) and shown in its label.
  void ShowFrameValue(QLabel* label, const FrameValue& value, int step);

  // The boxes the kernels' verdicts call for, shown when they are met.
  void ShowModeCheck(const WorkModeCheck& check);              // ERROR 1505
  std::string ComposedModeText(const ModeTextResult& result);  // ERROR 1502
  // The channel variables recomputed; a view the test picture took back is redrawn.
  void UpdateChannels();

  QGroupBox* addChannelGroup_ = nullptr;
  MainWindowLink* link_;
  CalibrationWindowLink* calibration_ = nullptr;
  SharedState& s_;
  OperatorDialogs& dialogs_;
  PictureFolders& folders_;
  SettingsFile& settingsFile_;
  ScanUnit& unit_;
};

// Colour helpers used by the window and its tests.
void SetPanelColour(QWidget* w, const QColor& c);
QColor PanelColour(const QWidget* w);

}  // namespace orvix
