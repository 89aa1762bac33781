#pragma once
// The main window's surroundings for tests: a fresh station, scripted dialogs, temporary
// lock and program folders, a chosen screen, a fixed date and no screen-saver calls.
#include <QDate>
#include <QSize>
#include <QTemporaryDir>

#include "ScriptedDialogs.h"
#include "Station.h"
#include "StationWindows.h"

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

struct WindowTestBed {
  SharedState& S() { return station.State(); }
  PictureFolders& Folders() { return station.Folders(); }
  TVideoOptions Options(QSize screen = QSize(1280, 1024)) const {
    return TestOptions(lockDir, programDir, screen);
  }
  // The station's windows as main() makes them (without the print window, which needs a
  // printer), the main window shown. Close() ends them, the acquisition joined first.
  void Assemble(const TVideoOptions& o) {
    windows = AssembleStation(station, dialogs, nullptr, o);
    video = windows.video.get();
    nastVid = windows.nastVid.get();
    oscyl = windows.oscyl.get();
    modul = windows.modulZew.get();
    video->show();
  }
  void Close() {
    windows.Close();
    video = nullptr;
    nastVid = nullptr;
    oscyl = nullptr;
    modul = nullptr;
  }

  ScriptedDialogs dialogs;
  Station station{dialogs};
  QTemporaryDir lockDir;
  QTemporaryDir programDir;
  StationWindows windows;
  TVideo* video = nullptr;
  TNastVid* nastVid = nullptr;
  TOscyl* oscyl = nullptr;
  Tmodul_zew* modul = nullptr;
};

}  // namespace orvix::test
