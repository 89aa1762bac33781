#include "StationWindows.h"

#include <utility>

namespace orvix {

StationWindows& StationWindows::operator=(StationWindows&& other) noexcept {
  if (this == &other) return *this;
  Close();
  video = std::move(other.video);
  nastVid = std::move(other.nastVid);
  oscyl = std::move(other.oscyl);
  drukVid = std::move(other.drukVid);
  modulZew = std::move(other.modulZew);
  run = std::exchange(other.run, nullptr);
  return *this;
}

void StationWindows::Close() {
  if (run) {
    run->Stop();
    run->Detach(video.get());
  }
  modulZew.reset();
  drukVid.reset();
  oscyl.reset();
  nastVid.reset();
  video.reset();
}

StationWindows AssembleStation(Station& station, OperatorDialogs& dialogs,
                               PrinterSeam* printers, TVideoOptions options) {
  StationWindows w;
  SharedState& s = station.State();
  station.Run().SetPacing(options.pacing);
  w.video = std::make_unique<TVideo>(station, dialogs, std::move(options));
  if (w.video->InstanceRefused()) return w;
  w.nastVid = std::make_unique<TNastVid>(w.video.get(), s, dialogs, station.Folders(),
                                         station.Settings(), station.Unit());
  w.oscyl = std::make_unique<TOscyl>(s, station.Picture());
  if (printers)
    w.drukVid = std::make_unique<TDrukVid>(w.video.get(), s, dialogs, *printers,
                                           station.Folders(), station.Files());
  w.modulZew =
      std::make_unique<Tmodul_zew>(s, dialogs, station.Settings(), station.Strip(),
                                   station.Unit());

  w.run = &station.Run();
  w.run->AttachWindows(w.video.get(), w.nastVid.get());
  w.nastVid->AttachCalibration(w.modulZew.get());
  w.video->AttachWindows(w.nastVid.get(), w.oscyl.get(), w.drukVid.get(), w.modulZew.get());
  w.video->AttachLinescan(w.oscyl.get());
  w.oscyl->AttachMainWindow(w.video.get());
  w.modulZew->AttachMainWindow(w.video.get());
  return w;
}

}  // namespace orvix
