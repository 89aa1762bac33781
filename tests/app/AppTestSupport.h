#pragma once
// The main window's surroundings for tests: temporary lock and program folders, a chosen
// screen, a fixed date and no screen-saver calls.
#include <QDate>
#include <QSize>
#include <QTemporaryDir>
#include <memory>

#include "PictureFolders.h"
#include "RunState.h"
#include "ScriptedDialogs.h"
#include "StationWindows.h"
#include "TNastVid.h"
#include "TOscyl.h"
#include "TVideo.h"
#include "Tmodul_zew.h"

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

// What a main window under test is given: a fresh state, scripted dialogs, its own folders
// and temporary lock and program folders.
struct WindowTestBed {
  SharedState& S() { return *state; }
  TVideoOptions Options(QSize screen = QSize(1280, 1024)) const {
    return TestOptions(lockDir, programDir, screen);
  }

  std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
  ScriptedDialogs dialogs;
  PictureFolders folders;
  QTemporaryDir lockDir;
  QTemporaryDir programDir;
};

// The station's windows on the test bed, joined as main() joins them (without the print
// window, which needs a printer), the main window shown.
inline void BuildStationWindows(WindowTestBed& bed, const TVideoOptions& o,
                                std::unique_ptr<TVideo>& video,
                                std::unique_ptr<TNastVid>& nastVid,
                                std::unique_ptr<TOscyl>& oscyl,
                                std::unique_ptr<Tmodul_zew>& modul) {
  video = std::make_unique<TVideo>(bed.S(), bed.dialogs, bed.folders, o);
  nastVid = std::make_unique<TNastVid>(video.get(), bed.S(), bed.dialogs);
  oscyl = std::make_unique<TOscyl>(bed.S());
  modul = std::make_unique<Tmodul_zew>(bed.S(), bed.dialogs);
  ConnectStationWindows(*video, *nastVid, *oscyl, nullptr, *modul);
  video->show();
}

}  // namespace orvix::test
