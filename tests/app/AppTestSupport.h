#pragma once
// The main window's surroundings for tests: temporary lock and program folders, a chosen
// screen, a fixed date and no screen-saver calls.
#include <QDate>
#include <QSize>
#include <QTemporaryDir>

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

}  // namespace orvix::test
