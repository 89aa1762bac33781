#pragma once
// The station's main window: picture on the left, button column on the right. Borderless
// and full-screen. The controls carry their design names; each button sits on its own
// panel whose colour is the button's lamp.
#include <QDate>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "app/ButtonStates.h"
#include "app/Layout.h"

class QCloseEvent;
class QLabel;
class QPushButton;
class QShowEvent;
class QTimer;

namespace orvix {

class InstanceLock;
class ScreenSaverInhibit;

// Where the window takes its surroundings from; the station leaves every field at its
// default, tests point them at temporary folders and chosen screens.
struct TVideoOptions {
  std::string lockFolder;          // single-instance lock; empty: the runtime folder
  QSize screenSize;                // invalid: the monitor that holds the window
  std::string programDir;          // empty: the folder of the program file
  QDate today;                     // invalid: the current date
  bool inhibitScreenSaver = true;
  int startDelayMs = 2000;         // first show until the start step
};

class TVideo : public QWidget {
  Q_OBJECT
 public:
  explicit TVideo(QWidget* parent = nullptr, TVideoOptions options = {});
  ~TVideo() override;

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
  QWidget* PanelRECORD = nullptr;   QPushButton* KlawiszRECORD = nullptr;
  QWidget* PanelADD = nullptr;      QPushButton* KlawiszADD = nullptr;
  QWidget* PanelVISUAL = nullptr;   QPushButton* KlawiszVISUAL = nullptr;
  QLabel* Panel101 = nullptr;  // mode text of RECORD
  QLabel* Panel102 = nullptr;  // mode text of ADD
  QLabel* Panel103 = nullptr;  // mode text of VISUAL
  QWidget* PanelSTART = nullptr;    QPushButton* KlawiszSTART = nullptr;
  QWidget* PanelSTOP = nullptr;     QPushButton* KlawiszSTOP = nullptr;
  QWidget* PanelPic1 = nullptr;     QPushButton* KlawiszPic1 = nullptr;
  QWidget* PanelPic2 = nullptr;     QPushButton* KlawiszPic2 = nullptr;
  QWidget* PanelPic3 = nullptr;     QPushButton* KlawiszPic3 = nullptr;
  QWidget* PanelPic4 = nullptr;     QPushButton* KlawiszPic4 = nullptr;
  QWidget* PanelPicAl = nullptr;    QPushButton* KlawiszPicAl = nullptr;
  QWidget* PanelLINESCAN = nullptr; QPushButton* KlawiszLINESCAN = nullptr;
  QWidget* PanelCHANGE = nullptr;   QPushButton* KlawiszCHANGE = nullptr;
  QWidget* PanelSAVE = nullptr;     QPushButton* KlawiszSAVE = nullptr;
  QWidget* PanelOPEN = nullptr;     QPushButton* KlawiszOPEN = nullptr;
  QWidget* PanelPRINT = nullptr;    QPushButton* KlawiszPRINT = nullptr;
  QWidget* PanelWymiar = nullptr;   QPushButton* KlawiszWymiar = nullptr;
  QWidget* PanelEXIT = nullptr;     QPushButton* KlawiszEXIT = nullptr;

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
  QPushButton* SlotButton(int slot) const;

  // --- Lamps ---
  void UpdateRunButtons();
  void UpdateViewButtons();

  // --- Picture selection ---
  void KlawiszPic1Click();
  void KlawiszPic2Click();
  void KlawiszPic3Click();
  void KlawiszPic4Click();
  void KlawiszPicAlClick();
  void UstawObrazek(int view, char letter);
  void ShowRunCaption();
  void ShowViewCaption();  // StaticText4 = ViewCaptions[ViewMode], right-aligned to Panel1
  void SetRecordIndicator(const std::string& text);
  void KlawiszEXITClick();

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
  void ApplyLamp(QWidget* panel, QPushButton* button, const Lamp& lamp);

  // Hooks into the display, the acquisition thread, the files and the other windows.
  // Each one is the single place where the main window reaches that part of the station.
  void RedrawView(int view, uint8_t mode, char letter);  // full redraw of a view
  void SavePictureAs();                                   // save dialog for the shown view
  void StopAcquisition();  // ends a running acquisition and waits for its end
  bool AutoNumberingChecked() const;                      // settings: CheckBox1
  void CloseLinescanWindow();                             // linescan: own close button
  void CloseOtherWindowsForShutdown();                    // linescan and settings
  void PrepareOtherWindows();      // first show: settings set-up, strip texts, file name
  void CreateDrawingBitmaps();     // first show: row and strip bitmaps
  void ReleaseDrawingBitmaps();    // shutdown
  void LoadSettingsAtStart();      // start step: configuration, working mode, tabs
  void SelectChannelsAtStart();    // start step: channel code, settings page shown

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
