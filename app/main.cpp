// The station: the title, the five windows in their order, the message loop.
#include <QApplication>

#include "PictureFolders.h"
#include "PrinterSeam.h"
#include "QtDialogs.h"
#include "RunState.h"
#include "StationWindows.h"
#include "TDrukVid.h"
#include "TNastVid.h"
#include "TOscyl.h"
#include "TVideo.h"
#include "Tmodul_zew.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The application's name only: a display name would be appended to every window title
  // (" — ORVIX"), and the titles are the windows' own captions.
  QApplication::setApplicationName(QStringLiteral("ORVIX"));
  orvix::SharedState& state = orvix::Shared();
  orvix::OperatorDialogs& dialogs = orvix::QtDialogs();

  orvix::TVideo video(state, dialogs, orvix::Folders());
  if (video.InstanceRefused()) return 0;  // another station runs; the operator was told
  orvix::TNastVid nastVid(&video, state, dialogs);
  orvix::TOscyl oscyl(state);
  orvix::TDrukVid drukVid(&video, state, dialogs, orvix::QtPrinters(), orvix::Folders());
  orvix::Tmodul_zew modulZew(state, dialogs);
  orvix::ConnectStationWindows(video, nastVid, oscyl, &drukVid, modulZew);
  video.show();
  const int rc = app.exec();
  // The acquisition is joined before the windows it reports to go away.
  video.StopAcquisition();
  return rc;
}
