// The station: the title, the station under the windows, its five windows, the message loop.
#include <QApplication>

#include "PrinterSeam.h"
#include "QtDialogs.h"
#include "Station.h"
#include "StationWindows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The application's name only: a display name would be appended to every window title
  // (" — ORVIX"), and the titles are the windows' own captions.
  QApplication::setApplicationName(QStringLiteral("ORVIX"));
  orvix::OperatorDialogs& dialogs = orvix::QtDialogs();
  orvix::Station station(dialogs);
  orvix::StationWindows windows = orvix::AssembleStation(station, dialogs, &orvix::QtPrinters());
  if (windows.video->InstanceRefused()) return 0;  // another station runs; the operator was told
  windows.video->show();
  return app.exec();  // the windows join the acquisition before they go
}
