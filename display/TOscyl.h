#pragma once
// The linescan window "     Linescan": the signal profile of one display row of the main
// picture as an oscilloscope trace, with the row and pixel numbers and the level under a
// movable marker. Created at start with the other windows and hidden; the Linescan button
// opens and closes it. It reads the station's picture (Image1) and talks to the main
// window only through its MainWindowLink. UI thread only.
#include <QWidget>

#include "Lines.h"
#include "Linescan.h"
#include "LinescanWindowLink.h"
#include "MainWindowLink.h"
#include "PictureSurfaces.h"
#include "RunState.h"

class QLabel;
class QToolButton;
class QPushButton;

namespace orvix {

class TOscyl : public QWidget, public LinescanWindowLink {
  Q_OBJECT
 public:
  // The trace is read from `picture`, the station's picture.
  TOscyl(SharedState& s, PictureSurfaces& picture, QWidget* parent = nullptr);

  void AttachMainWindow(MainWindowLink* main) { main_ = main; }

  void FormCreate();
  void start_oscylograf();
  void SpeedButton6Click();
  void WezLinieWyswietl(int n);
  void rysujznacznik(int x);
  void SpinButton2UpClick();
  void SpinButton2DownClick();
  void MouseMove_Image1_form1(int x, int y);
  void Image1MouseMove(int x);

  // --- LinescanWindowLink ---
  void ToggleLinescan() override { start_oscylograf(); }
  void CloseLinescan() override { SpeedButton6Click(); }
  void FollowMouse(int x, int y) override { MouseMove_Image1_form1(x, y); }
  void RedrawLine() override { WezLinieWyswietl(linescan::kRedrawCurrent); }

  // Traces drawn so far (tests and benchmarks count them).
  int Redraws() const { return redraws_; }
  int MarkerColumn() const { return markerX_; }
  const QImage& Plot() const { return plot_; }

  QWidget* Panel1 = nullptr;
  QLabel* Image1 = nullptr;  // the plot
  QLabel* Image2 = nullptr;  // the dotted red marker
  QLabel* Label1 = nullptr; QLabel* Label7 = nullptr; QLabel* Label6 = nullptr;
  QLabel* Label5 = nullptr; QLabel* Label4 = nullptr; QLabel* Label3 = nullptr;
  QWidget* Panel4 = nullptr; QLabel* Label12 = nullptr; QLabel* StaticText1 = nullptr;
  QToolButton* SpinButton2Up = nullptr; QToolButton* SpinButton2Down = nullptr;
  QWidget* Panel3 = nullptr; QLabel* Label8 = nullptr; QLabel* StaticText2 = nullptr;
  QWidget* Panel2 = nullptr; QLabel* Label9 = nullptr; QLabel* StaticText3 = nullptr;
  QWidget* Panel8 = nullptr; QPushButton* SpeedButton6 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int View() const { return s_.ViewMode.load(); }
  uint8_t LinesCode() const { return orvix::LinesCode(s_.WorkMode.load()); }
  void PlaceBesidePicture();
  int LeftBesidePicture() const;

  SharedState& s_;
  PictureSurfaces& surfaces_;
  MainWindowLink* main_ = nullptr;
  QImage plot_;
  LinescanProfile v_{};
  int markerX_ = 1;
  int redraws_ = 0;
};

}  // namespace orvix
