// Shutdown of the main window: the save questions for unsaved pictures, the end of a
// running acquisition, and the release of what start-up took.
#include <QLabel>

#include "RunState.h"
#include "TVideo.h"
#include "OperatorDialogs.h"
#include "ScreenSaver.h"
#include "SingleInstance.h"

namespace orvix {

namespace {
const char* const kNotSavedText =
    " Obraz nie został zapisany. \r\n\r\n    Czy zapisać teraz ?     ";
const char* const kDeviceRunningText =
    " Zewnętrzne urządzenie pracuje \r\n\r\n  Proszę wyłączyć je ręcznie    ";
constexpr int kQuestionX = 500;
}  // namespace

void TVideo::ZamykanieCalosci() {
  SharedState& s = s_;
  s.ClosingDown = -1;
  CloseOtherWindowsForShutdown();
  UpdateViewButtons();
  UpdateRunButtons();

  // Unsaved pictures, kan1 first; declining one leaves the rest unasked.
  bool declined = false;
  if (s.Config.Flag(cfg::kAskSaveOnExitRow) != 0 && s.AnaglyphOn.load() == 0) {
    for (int k = 1; k <= 4 && !declined; ++k) {
      if (s.UnsavedChannels.load() & (1u << (k - 1)))
        declined = AskSaveBeforeExit(k, 100 + 100 * k);
    }
  }

  if (!declined) {
    while (s.AcquisitionBusy.load() != 0) {
      dialogs_.Message(MsgType::Warning, kDeviceRunningText, MsgButtons::Yes);
      run_.Stop();
    }
  }
  // Whatever the operator answered, the acquisition ends before anything it may still
  // touch is released: the window closes in every case.
  run_.Stop();

  instanceMapping_.reset();
  if (screenSaver_) screenSaver_->Release();
  closedDown_ = true;
}

// Shutdown: an open linescan window closes as its own close button does; an open
// settings window closes through its own ending.
void TVideo::CloseOtherWindowsForShutdown() {
  SharedState& s = s_;
  if (s.LinescanOn.load() != 0) {
    Image2->hide();
    s.LinescanOn = 0;
    if (Linescan) Linescan->CloseLinescan();
  }
  if (s.SettingsOpen.load() != 0 && Settings) Settings->CloseSettings();
}

// Shows channel k's picture (redrawn with the marker letter) and asks whether to save it
// now; the box stands at (500, y). Yes saves through the save dialog.
MsgResult TVideo::AskNotSaved(int k, int y, char letter) {
  SharedState& s = s_;
  if (k != s.ViewMode.load()) {
    s.ViewMode = static_cast<uint8_t>(k);
    UpdateViewButtons();
    RedrawPicture(k, s.WorkMode.load(), std::string(1, letter));
  }
  const MsgResult r =
      dialogs_.Message(MsgType::Warning, kNotSavedText, MsgButtons::YesNo, {kQuestionX, y});
  if (r == MsgResult::Yes) files_.SavePictureAs();
  return r;
}

bool TVideo::AskSaveBeforeExit(int k, int y) {
  SharedState& s = s_;
  if (AskNotSaved(k, y, 'a') == MsgResult::Yes) return false;
  s.ClosingDown = 0;
  UpdateLamps();
  return true;
}

}  // namespace orvix
