#pragma once
// The station's five windows built on a Station and joined up, in one place: the program's
// main(), the tests and the benchmarks all call AssembleStation. The main window reaches the
// settings, linescan, print and calibration windows through their links; they and the
// station's run reach the main window through its one link, MainWindowLink.
#include <memory>

#include "OperatorDialogs.h"
#include "PrinterSeam.h"
#include "Station.h"
#include "TDrukVid.h"
#include "TNastVid.h"
#include "TOscyl.h"
#include "TVideo.h"
#include "Tmodul_zew.h"

namespace orvix {

struct StationWindows {
  StationWindows() = default;
  StationWindows(StationWindows&& other) noexcept { *this = std::move(other); }
  StationWindows& operator=(StationWindows&& other) noexcept;
  ~StationWindows() { Close(); }
  // The acquisition is joined before the windows it reports to go; the windows go in the
  // reverse order of their making. Nothing is left afterwards.
  void Close();

  std::unique_ptr<TVideo> video;
  std::unique_ptr<TNastVid> nastVid;
  std::unique_ptr<TOscyl> oscyl;
  std::unique_ptr<TDrukVid> drukVid;  // none without printers
  std::unique_ptr<Tmodul_zew> modulZew;
  StationRun* run = nullptr;  // the station's run, which reports to these windows
};

// Makes the windows in the station's order (main, settings, linescan, print, calibration)
// and joins them. When another station already runs, only the main window is made (it has
// told the operator) and the caller ends. Without `printers` there is no print window.
StationWindows AssembleStation(Station& station, OperatorDialogs& dialogs,
                               PrinterSeam* printers, TVideoOptions options = {});

}  // namespace orvix
