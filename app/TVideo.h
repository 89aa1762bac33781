#pragma once
// The station's main window: picture on the left, button column on the right. Borderless
// and full-screen. The controls carry their design names; each button sits on its own
// panel whose colour is the button's lamp.
#include <QDate>
#include <QSize>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "ButtonStates.h"
#include "CalibrationWindowLink.h"
#include "LampButton.h"
#include "Layout.h"
#include "MainWindowLink.h"
#include "OperatorDialogs.h"
#include "PictureFiles.h"
#include "PrintWindowLink.h"
#include "PictureFolders.h"
#include "PictureSurfaces.h"
#include "RunState.h"
#include "SettingsWindowLink.h"
#include "Station.h"
#include "TUSBThread.h"
#include "LinescanWindowLink.h"
#include "Measurement.h"

class QCloseEvent;
class QLabel;
class QPushButton;
class QShowEvent;
class QTimer;

namespace orvix {

class InstanceLock;
class ScreenSaverInhibit;
class TOscyl;
class TPaintBox;

// Where the window takes its surroundings from; the station leaves every field at its
// default, tests point them at temporary folders and chosen screens.
struct TVideoOptions {
  std::string lockFolder;          // single-instance lock; empty: the runtime folder
  QSize screenSize;                // invalid: the monitor that holds the window
  std::string programDir;          // empty: chosen by ChooseProgramDir
  QDate today;                     // invalid: the current date
  bool inhibitScreenSaver = true;
  int startDelayMs = 2000;         // first show until the start step
  ThreadPacing pacing;             // the acquisition's pauses; tests shorten them
};

class TVideo : public QWidget, public MainWindowLink {
  Q_OBJECT
 public:
  // The window works on the station's state and folders and shows its boxes through
  // `dialogs`; both outlive it.
  TVideo(Station& station, OperatorDialogs& dialogs, TVideoOptions options = {},
         QWidget* parent = nullptr);
  ~TVideo() override;

  // The other windows, created after this one. The settings, print and calibration windows
  // are reached only through their links; the linescan window is held by its type.
  void AttachWindows(SettingsWindowLink* settings, TOscyl* oscyl, PrintWindowLink* print,
                     CalibrationWindowLink* modulZew);
  SettingsWindowLink* Settings = nullptr;
  TOscyl* Oscyl = nullptr;
  PrintWindowLink* Print = nullptr;  // the PRINT button opens it
  CalibrationWindowLink* ModulZew = nullptr;  // the calibration window

  // The station's picture (Image1 and the row bitmaps) and the paint box that shows it; the
  // acquisition is always joined before the window goes.
  PictureSurfaces& Surfaces;
  TPaintBox* PaintBox1 = nullptr;

  // True when another station already runs: this one showed its notice and must end.
  bool InstanceRefused() const { return instanceRefused_; }

  // --- Picture panel ---
  QWidget* Panel1 = nullptr;
  QWidget* PictureSlot = nullptr;  // where the picture surface PaintBox1 goes, (2, 2) 1102 x 802
  QLabel* Image2 = nullptr;        // linescan row marker
  QLabel* Image3 = nullptr;        // start-up picture
  QLabel* Image4 = nullptr;        // hidden work image, size of Image1
  QLabel* Image5 = nullptr;        // hidden work image, 800 x 800

  // --- Button column ---
  QWidget* Panel2 = nullptr;
  QWidget* PanelRECORD = nullptr;   TLampButton* KlawiszRECORD = nullptr;
  QWidget* PanelADD = nullptr;      TLampButton* KlawiszADD = nullptr;
  QWidget* PanelVISUAL = nullptr;   TLampButton* KlawiszVISUAL = nullptr;
  QLabel* Panel101 = nullptr;  // mode text of RECORD
  QLabel* Panel102 = nullptr;  // mode text of ADD
  QLabel* Panel103 = nullptr;  // mode text of VISUAL
  QWidget* PanelSTART = nullptr;    TLampButton* KlawiszSTART = nullptr;
  QWidget* PanelSTOP = nullptr;     TLampButton* KlawiszSTOP = nullptr;
  QWidget* PanelPic1 = nullptr;     TLampButton* KlawiszPic1 = nullptr;
  QWidget* PanelPic2 = nullptr;     TLampButton* KlawiszPic2 = nullptr;
  QWidget* PanelPic3 = nullptr;     TLampButton* KlawiszPic3 = nullptr;
  QWidget* PanelPic4 = nullptr;     TLampButton* KlawiszPic4 = nullptr;
  QWidget* PanelPicAl = nullptr;    TLampButton* KlawiszPicAl = nullptr;
  QWidget* PanelLINESCAN = nullptr; TLampButton* KlawiszLINESCAN = nullptr;
  QWidget* PanelCHANGE = nullptr;   TLampButton* KlawiszCHANGE = nullptr;
  QWidget* PanelSAVE = nullptr;     TLampButton* KlawiszSAVE = nullptr;
  QWidget* PanelOPEN = nullptr;     TLampButton* KlawiszOPEN = nullptr;
  QWidget* PanelPRINT = nullptr;    TLampButton* KlawiszPRINT = nullptr;
  QWidget* PanelWymiar = nullptr;   TLampButton* KlawiszWymiar = nullptr;
  QWidget* PanelEXIT = nullptr;     TLampButton* KlawiszEXIT = nullptr;

  // --- Texts ---
  QLabel* StaticText1 = nullptr;   // one-line station text under the picture
  QLabel* StaticText3 = nullptr;   // date and time over the picture
  QLabel* StaticText4 = nullptr;   // caption of the shown picture
  QLabel* StaticText10 = nullptr;  // the RECORD indicator "R"

  // --- Timers ---
  QTimer* Start = nullptr;   // one-shot start step
  QTimer* Timer1 = nullptr;  // 50 ms, frame display
  QTimer* Timer3 = nullptr;  // 250 ms, RECORD progress
  QTimer* Timer4 = nullptr;  // 100 ms, end of RECORD

  // The panel and button of a column slot, in stacking order.
  QWidget* SlotPanel(int slot) const;
  TLampButton* SlotButton(int slot) const;

  // --- Lamps ---
  void UpdateRunButtons() override;
  void UpdateViewButtons() override;

  // --- Picture selection ---
  void KlawiszPic1Click();
  void KlawiszPic2Click();
  void KlawiszPic3Click();
  void KlawiszPic4Click();
  void KlawiszPicAlClick();
  void UstawObrazek(int view, char letter);
  void ShowRunCaption();
  void ShowViewCaption();  // StaticText4 = ViewCaptions[ViewMode], right-aligned to Panel1
  void SetRecordIndicator(const std::string& text) override;
  void KlawiszEXITClick();

  // --- Run control ---
  void KlawiszRECORDClick();
  void KlawiszADDClick();
  void KlawiszVISUALClick() override;
  void OdswierzRecVis(int32_t record, uint8_t mode) override;
  void KlawiszSTARTClick();
  void AskSaveBeforeStart(int k, int y);
  void KlawiszSTOPClick();
  void KlawiszCHANGEClick();
  void KlawiszSAVEClick();
  void KlawiszOPENClick();
  void KlawiszPRINTClick();
  void KlawiszLINESCANClick();
  void KlawiszWymiarClick();
  // The dimension measurement: armed by start_wymiar, then the picture's mouse handlers.
  void start_wymiar() override;
  void Image1MouseDown(int x, int y);
  void Image1MouseMove(int x, int y);
  DimensionMeasurement Measurement;
  // The linescan window, reached through its link; its trace follows the redrawn row.
  void AttachLinescan(LinescanWindowLink* linescan);
  LinescanWindowLink* Linescan = nullptr;
  void FormMouseMove(int x, int y);
  // The display timers run the station's display steps.
  void Timer1Timer();
  void Timer3Timer();
  void Timer4Timer();
  // What the acquisition thread asked, through the station's run.
  void EnableDisplayTimer(int timer) override;
  void RunStateChanged(bool threadEnded) override;

  // --- What the settings window does here ---
  void SetRecordModeText(const std::string& text) override;
  void SetAddModeText(const std::string& text) override;
  void SetVisualModeText(const std::string& text) override;
  void SetAddButtonCaption(const std::string& text) override;
  void SetSaveButtonCaption(const std::string& text) override;
  void HideStartupPicture() override;
  void RepaintViews() override;
  void RedrawPicture(int view, int workMode, const std::string& letter) override;
  void ShowStereoLayout(bool on) override;  // TVideo_Stereo.cpp
  // MainWindowLink's UpdateRunButtons / UpdateViewButtons are the lamp routines below.

  // --- What the linescan, calibration and print windows ask (TVideo_Picture.cpp) ---
  void RepaintPicture() override;
  void RepaintButtonColumn() override;
  QRect PicturePanelGeometry() const override;
  void ShowRowMarker(bool shown) override;
  void MoveRowMarker(int top) override;
  void AttachLinescanMouse(bool attached) override;
  void DropMeasurement() override;
  void ReturnToSettings() override;
  void ShowPictureCaption(const std::string& caption) override;
  int CaptionWidth(const QString& caption) const override;

  // --- Start-up ---
  void FormCreate();
  void FormShow();
  bool FitToScreen();  // false: the screen is too small and the window closes
  void LayoutButtons();
  void StartTimer();
  const layout::ScreenFit& ScreenGeometry() const { return fit_; }
  const layout::ColumnLayout& ColumnGeometry() const { return column_; }

  // --- Shutdown ---
  void ZamykanieCalosci();
  bool AskSaveBeforeExit(int k, int y);  // true: the operator declined to save

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void Wire();
  void ApplyLamp(QWidget* panel, TLampButton* button, const Lamp& lamp);

  void CloseOtherWindowsForShutdown();  // linescan and settings
  void PrepareOtherWindows();   // first show: settings set-up, strip texts, file name
  void LoadSettingsAtStart();   // start step: configuration, working mode, tabs
  void SelectChannelsAtStart(); // start step: channel code, settings page shown
  MsgResult AskNotSaved(int k, int y, char letter);
  // The picture store, for reading or writing it on this thread (see StoreLock).
  std::unique_lock<std::mutex> LockStore();
  // The display timers belong to one run: a due end-of-RECORD step still finishes its
  // picture, the other ticks are dropped.
  void EndDisplayTimers();
  // The channel variables recomputed; a view the test picture took back is redrawn.
  void UpdateChannels();
  void RunFileAction(std::atomic<uint8_t>& busy, void (PictureFiles::*action)());

  void ShowCaption(const std::string& caption);  // StaticText4, right-aligned to Panel1

  SharedState& s_;
  OperatorDialogs& dialogs_;
  PictureFolders& folders_;
  StationStrip& strip_;  // the information strip and the registration number
  PictureFiles& files_;  // the station's saving and opening of pictures
  ScanUnit& unit_;
  StationRun& run_;  // the acquisition thread and the display steps
  TVideoOptions options_;
  std::unique_ptr<InstanceLock> instanceMapping_;
  std::unique_ptr<ScreenSaverInhibit> screenSaver_;
  bool instanceRefused_ = false;
  bool shown_ = false;
  bool closedDown_ = false;
  layout::ScreenFit fit_;
  layout::ColumnLayout column_;
};

}  // namespace orvix
