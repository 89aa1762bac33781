#pragma once
// How the station's windows are joined up, in one place: the main window reaches the
// settings, linescan, print and calibration windows through their links, and the linescan
// and calibration windows reach the picture through the main window's picture link. The
// program's main() and every test or benchmark that runs the whole station use it.
#include "PrintWindowLink.h"
#include "TNastVid.h"
#include "TOscyl.h"
#include "TVideo.h"
#include "Tmodul_zew.h"

namespace orvix {

// `print` may be null (a station without its print window, as in the tests).
void ConnectStationWindows(TVideo& video, TNastVid& nastVid, TOscyl& oscyl,
                           PrintWindowLink* print, Tmodul_zew& modulZew);

}  // namespace orvix
