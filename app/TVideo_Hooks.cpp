// The main window's ways into the display, the acquisition thread, the picture files and
// the other windows. Each is one small function so the connection to that part of the
// station lives in exactly one place; until a part is connected, its hook does only what
// the main window itself can do.
#include <QLabel>

#include "ChannelSelection.h"
#include "RunState.h"
#include "TVideo.h"
#include "PictureFolders.h"
#include "AutoName.h"
#include "PaintBox.h"
#include "TOscyl.h"

namespace orvix {

// Full redraw of `view` in working mode `mode` with row fill `letter`.
void TVideo::RedrawView(int view, uint8_t mode, char letter) {
  RedrawPicture(view, mode, std::string(1, letter));
}

// Saving and opening pictures: made on first use, with the main window's picture, caption
// label and strip as its hooks.
PictureFiles& TVideo::Files() {
  if (!files_) {
    PictureFilesHooks hooks;
    hooks.repaintPicture = [this] { if (PaintBox1) PaintBox1->update(); };
    hooks.repaintLinescan = [this] { if (Oscyl) Oscyl->update(); };
    hooks.redrawPicture = [this](int view, uint8_t mode, const std::string& letter) {
      RedrawPicture(view, mode, letter);
    };
    hooks.showCaption = [this](const std::string& caption) {
      ShowCaption(caption);
      update();
    };
    hooks.captionWidth = [this](const QString& caption) {
      return StaticText4->fontMetrics().horizontalAdvance(caption);
    };
    hooks.showAutoName = [this](const std::string& folder, const std::string& base) {
      if (Settings) Settings->ShowNextAutoName(folder, base);
    };
    files_ = std::make_unique<PictureFiles>(s_, dialogs_, folders_, Surfaces, strip_,
                                            std::move(hooks));
  }
  return *files_;
}

// The save dialog for the shown view, and the save under the next numbered name.
void TVideo::SavePictureAs() { Files().SavePictureAs(); }
void TVideo::SavePictureAuto() { Files().SavePictureAuto(); }

// Ends a running acquisition and waits until its clean-up is over; afterwards
// AcquisitionBusy is 0 and no thread touches the buffers or the windows.
void TVideo::StopAcquisition() {
  SharedState& s = s_;
  s.AcquisitionOn = 0;
  s.DisplayPending = 0;
  const bool running = AcqThread != nullptr;
  RetireRun();  // its clean-up clears AcquisitionBusy
  if (!running) s.AcquisitionBusy = 0;  // no thread: nothing can still be busy
}

// The linescan window's own closing after its state was cleared by the caller.
void TVideo::CloseLinescanWindow() {
  if (Linescan) Linescan->CloseLinescan();
}

// Shutdown: an open linescan window closes as its own close button does; an open
// settings window closes through its own ending.
void TVideo::CloseOtherWindowsForShutdown() {
  SharedState& s = s_;
  if (s.LinescanOn.load() != 0) {
    Image2->hide();
    s.LinescanOn = 0;
    CloseLinescanWindow();
  }
  if (s.SettingsOpen.load() != 0 && Settings) Settings->CloseSettings();
}

// First show: the settings window's set-up, the strip texts and the first free file name.
void TVideo::PrepareOtherWindows() {
  strip_.UstawDaneNapisow();
  if (!Settings) return;
  Settings->SetUpAtFirstShow(QRect(Panel1->mapToGlobal(QPoint(0, 0)), Panel1->size()));
  Settings->ShowNextAutoName(folders_.SaveDir + "/", "backup");
}

// Start step: load and apply the configuration (VISUAL selected), the settings tabs.
void TVideo::LoadSettingsAtStart() {
  if (!Settings) return;
  Settings->ReloadConfig();
  Settings->AdaptToDetectorCount();
}

// Start step: the channel variables from the channel switches; the settings "Frame" page.
void TVideo::SelectChannelsAtStart() {
  UpdateChannels();
  if (Settings) Settings->ShowStartControls(PanelRECORD->isVisible());
}

// The windows that come with their own work: the open dialog, printing, the linescan and
// the measurement. Until they are connected these do nothing.
void TVideo::OpenPicture() { Files().OpenPicture(); }
void TVideo::StartPrint() {
  if (Print) Print->StartDruk();
}
void TVideo::ToggleLinescan() {
  if (Linescan) Linescan->ToggleLinescan();
}
void TVideo::LinescanMouseMove(int x, int y) {
  if (Linescan) Linescan->FollowMouse(x, y);
}

// "Wymiar": a new measurement on the picture as it is now.
void TVideo::KlawiszWymiarClick() {
  s_.PictureAnnotated = 0;
  UpdateChannels();
  // The bar of the magnification now in force: without a strip drawn since, the length
  // would be converted with no bar at all.
  strip_.PrepareBar();
  start_wymiar();
}

// Arms the measurement on a channel view whose picture is new; otherwise refuses it and
// pops up the calibration window's measurement buttons. The linescan closes first, so the
// picture's mouse goes to one of them only.
void TVideo::start_wymiar() {
  SharedState& s = s_;
  if (s.LinescanOn.load() != 0 && Linescan) Linescan->CloseLinescan();
  update();
  Panel2->update();
  const int view = s.ViewMode.load();
  const bool measurable =
      view >= 1 && view <= 4 && (s.UnsavedChannels.load() & (1u << (view - 1))) != 0;
  if (measurable && PaintBox1) {
    PaintBox1->SetMouseDown([this](QPoint p) { Image1MouseDown(p.x(), p.y()); });
    PaintBox1->SetMouseMove(nullptr);
    Measurement.Arm();
    s.MeasureOn = 1;
  } else {
    if (PaintBox1) {
      PaintBox1->SetMouseDown(nullptr);
      PaintBox1->SetMouseMove(nullptr);
    }
    if (ModulZew) ModulZew->ReleaseMeasureButtons();
    s.MeasureOn = 0;
  }
  UpdateRunButtons();
  UpdateViewButtons();
}

void TVideo::Image1MouseDown(int x, int y) {
  const DimensionMeasurement::Result r = Measurement.MouseDown(s_, Surfaces, QPoint(x, y));
  if (r.step == DimensionMeasurement::Step::FirstPoint) {
    PaintBox1->SetMouseMove([this](QPoint p) { Image1MouseMove(p.x(), p.y()); });
  } else {
    PaintBox1->SetMouseDown(nullptr);
    PaintBox1->SetMouseMove(nullptr);
    // The calibration takes the distance between the two clicks, as written on the picture.
    if (ModulZew) {
      ModulZew->MeasurementFinished(r.d);
      ModulZew->ReleaseMeasureButtons();
    }
  }
  UpdateRunButtons();
  UpdateViewButtons();
}

void TVideo::Image1MouseMove(int x, int y) { Measurement.MouseMove(Surfaces, QPoint(x, y)); }

void TVideo::AttachLinescan(LinescanWindowLink* linescan) {
  Linescan = linescan;
  Surfaces.linescanRedraw = [this] {
    if (Linescan) Linescan->RedrawLine();
  };
  QImage marker(layout::kPictureRect.width - 2, 1, QImage::Format_RGB32);
  marker.fill(Qt::red);
  Image2->setPixmap(QPixmap::fromImage(marker));
  Image2->resize(marker.size());
}

}  // namespace orvix
