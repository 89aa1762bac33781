#include "StationWindows.h"

namespace orvix {

void ConnectStationWindows(TVideo& video, TNastVid& nastVid, TOscyl& oscyl,
                           PrintWindowLink* print, Tmodul_zew& modulZew) {
  nastVid.AttachCalibration(&modulZew);
  video.AttachWindows(&nastVid, &oscyl, print, &modulZew);
  video.AttachLinescan(&oscyl);
  oscyl.AttachPicture(&video.PictureLink());
  modulZew.AttachPicture(&video.PictureLink());
}

}  // namespace orvix
