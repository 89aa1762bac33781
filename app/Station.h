#pragma once
// The station under the windows: the run state with its buffers, the station's folders,
// its conf300.dat, its information strip, its picture, the picture files, the scan unit and
// the acquisition run. Built once, before the windows, by whatever runs the station (the
// program, a test, a benchmark), and handed to them by constructor: each window gets the
// parts it works on. It holds no widget.
#include <memory>

#include "ConfigFile.h"
#include "OperatorDialogs.h"
#include "PictureFiles.h"
#include "PictureFolders.h"
#include "PictureSurfaces.h"
#include "RunState.h"
#include "ScanUnit.h"
#include "StationRun.h"
#include "StationStrip.h"

namespace orvix {

class Station {
 public:
  // The saves and opens show their boxes through `dialogs`, which outlives the station.
  explicit Station(OperatorDialogs& dialogs) : files_(*state_, dialogs, folders_, picture_, strip_) {}
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  SharedState& State() { return *state_; }
  PictureFolders& Folders() { return folders_; }
  // The one load and save of conf300.dat in ProgramDir.
  SettingsFile& Settings() { return settings_; }
  // The information strip and the registration number.
  StationStrip& Strip() { return strip_; }
  // The picture the display steps draw (Image1 and the row bitmaps): the main window
  // shows it, the linescan reads it, the saves and the print write it.
  PictureSurfaces& Picture() { return picture_; }
  // Saving, opening and numbering pictures.
  PictureFiles& Files() { return files_; }
  // The scan unit the acquisition thread and the windows reach.
  ScanUnit& Unit() { return unit_; }
  // The acquisition thread, its requests to the windows and the display steps.
  StationRun& Run() { return run_; }

 private:
  // The buffers are large: the state lives on the heap, once, for the station's life.
  std::unique_ptr<SharedState> state_ = std::make_unique<SharedState>();
  PictureFolders folders_;
  SettingsFile settings_{*state_, folders_};
  StationStrip strip_{*state_};
  PictureSurfaces picture_;
  PictureFiles files_;
  SimulatedScanUnit unit_;
  StationRun run_{*state_, unit_, strip_, picture_};  // last: its thread is joined first
};

}  // namespace orvix
