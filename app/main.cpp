// The station: the title, the five windows in their order, the message loop.
#include <QApplication>

#include "TVideo.h"
#include "TOscyl.h"
#include "Tmodul_zew.h"
#include "TDrukVid.h"
#include "QtDialogs.h"
#include "TNastVid.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ORVIX"));
  QApplication::setApplicationDisplayName(QStringLiteral("ORVIX"));
  orvix::SetDialogs(&orvix::QtDialogs());

  orvix::TVideo video;
  if (video.InstanceRefused()) return 0;  // another station runs; the operator was told
  orvix::TNastVid nastVid(&video);
  orvix::TOscyl oscyl;
  orvix::TDrukVid drukVid;
  orvix::Tmodul_zew modulZew;
  video.AttachWindows(&nastVid, &oscyl, &drukVid, &modulZew);
  video.show();
  const int rc = app.exec();
  // The acquisition is joined before the windows it reports to go away.
  video.StopAcquisition();
  return rc;
}
