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

}  // namespace orvix::test
