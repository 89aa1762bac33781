// The main window's ways into the display, the acquisition thread, the picture files and
// the other windows. Each is one small function so the connection to that part of the
// station lives in exactly one place; until a part is connected, its hook does only what
// the main window itself can do.
#include <QLabel>

#include "app/RunState.h"
#include "app/TVideo.h"

namespace orvix {

// Full redraw of `view` in working mode `mode` with row fill `letter`.
void TVideo::RedrawView(int /*view*/, uint8_t /*mode*/, char /*letter*/) {}

// The save dialog for the shown view.
void TVideo::SavePictureAs() {}

// Ends a running acquisition and waits until its clean-up is over; afterwards
// AcquisitionBusy is 0. Without an acquisition thread there is nothing to wait for.
void TVideo::StopAcquisition() {
  SharedState& s = Shared();
  s.AcquisitionOn = 0;
  s.DisplayPending = 0;
  s.AcquisitionBusy = 0;
}

// The settings window's "Autonumerowanie zbiorów zapisywanych".
bool TVideo::AutoNumberingChecked() const { return false; }

// The linescan window's own closing after its state was cleared by the caller.
void TVideo::CloseLinescanWindow() {}

// Shutdown: an open linescan window closes as its own close button does; an open
// settings window closes through its own ending.
void TVideo::CloseOtherWindowsForShutdown() {
  SharedState& s = Shared();
  if (s.LinescanOn.load() != 0) {
    Image2->hide();
    s.LinescanOn = 0;
    CloseLinescanWindow();
  }
}

// First show: the settings window's set-up, the strip texts and the first free file name.
void TVideo::PrepareOtherWindows() {}

// First show: the display's row bitmaps and the strip bitmap.
void TVideo::CreateDrawingBitmaps() {}

// Shutdown: the bitmaps made at first show.
void TVideo::ReleaseDrawingBitmaps() {}

// Start step: load and apply the configuration (VISUAL selected), the settings tabs.
void TVideo::LoadSettingsAtStart() {}

// Start step: the channel variables from the channel switches; the settings "Frame" page.
void TVideo::SelectChannelsAtStart() {}

}  // namespace orvix
