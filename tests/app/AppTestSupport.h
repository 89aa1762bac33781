#pragma once
// The main window's surroundings for tests: temporary lock and program folders, a chosen
// screen, a fixed date and no screen-saver calls.
#include <QDate>
#include <QSize>
#include <QTemporaryDir>

#include "RunState.h"
#include "TVideo.h"

namespace orvix::test {

inline TVideoOptions TestOptions(const QTemporaryDir& lockDir, const QTemporaryDir& programDir,
                                 QSize screen = QSize(1280, 1024)) {
  TVideoOptions o;
  o.lockFolder = lockDir.path().toStdString();
  o.programDir = programDir.path().toStdString();
  o.screenSize = screen;
  o.today = QDate(2026, 12, 8);
  o.inhibitScreenSaver = false;
  return o;
}

// The process-wide state as a freshly started station has it, for window tests that run
// one after another in one process.
inline void ResetSharedForWindowTests() {
  SharedState& s = Shared();
  s.Config = ConfigTable{};
  s.ChannelCode = 0;
  s.ChannelMask = 0;
  s.UnsavedChannels = 0;
  s.RecordOn = 0;
  s.AddOn = 0;
  s.MeasureOn = 0;
  s.CalibrationOpen = 0;
  s.LinescanOn = 0;
  s.SaveBusy = 0;
  s.OpenBusy = 0;
}

}  // namespace orvix::test
