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
    hooks.burnStrip = [this] { BurnStrip(); };  // PictureFiles holds StoreLock here
    hooks.showAutoName = [this](const std::string& folder, const std::string& base) {
      if (Settings) Settings->ShowNextAutoName(folder, base);
    };
    files_ = std::make_unique<PictureFiles>(s_, dialogs_, folders_, Surfaces, std::move(hooks));
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
void TVideo::CloseLinescanWindow() {}

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
  if (ModulZew) ModulZew->PrepareStripTexts();
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
  UpdateChannelCode(s_, [this](int view, uint8_t mode, const std::string& letter) {
    RedrawPicture(view, mode, letter);
  });
  if (Settings) Settings->ShowStartControls(PanelRECORD->isVisible());
}

// The windows that come with their own work: the open dialog, printing, the linescan and
// the measurement. Until they are connected these do nothing.
void TVideo::OpenPicture() { Files().OpenPicture(); }
void TVideo::StartPrint() {
  if (Print) Print->StartDruk();
}
void TVideo::ToggleLinescan() {}
void TVideo::StartMeasurement() {}
void TVideo::LinescanMouseMove(int, int) {}

// The information strip on the stored pictures of the marked channels. The frame timers
// call this while they hold StoreLock, so the calibration window must not take it again.
void TVideo::BurnStrip() {
  if (ModulZew) ModulZew->BurnStrip();
}

}  // namespace orvix
