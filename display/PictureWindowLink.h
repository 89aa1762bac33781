#pragma once
// What the linescan and calibration windows ask of the main window. They hold this
// interface and never reach the main window's controls.
#include <QRect>

namespace orvix {

class PictureSurfaces;
class TPaintBox;

class PictureWindowLink {
 public:
  virtual ~PictureWindowLink() = default;
  // The picture (Image1) the linescan reads, and the widget that shows it.
  virtual PictureSurfaces& ShownPicture() = 0;
  virtual TPaintBox* PictureWidget() = 0;
  // The picture panel on screen (global coordinates); windows place themselves by it.
  virtual QRect PicturePanelGeometry() = 0;
  // UpdateRunButtons and UpdateViewButtons.
  virtual void UpdateLamps() = 0;
  virtual void RepaintShownPicture() = 0;
  virtual void RepaintButtonColumn() = 0;
  // The red row marker over the picture: shown or hidden, and its top in the panel.
  virtual void ShowRowMarker(bool shown) = 0;
  virtual void MoveRowMarker(int top) = 0;
  // Mouse moves over the picture go to the linescan while attached.
  virtual void AttachLinescanMouse(bool attached) = 0;
  // start_wymiar: arms a measurement on the picture (or refuses it for this view).
  virtual void StartMeasurement() = 0;
  // Detaches the picture's measurement handlers; a measurement in progress is dropped.
  virtual void DropMeasurement() = 0;
  // Brings the settings window to the front when it is shown.
  virtual void ReturnToSettings() = 0;
};

}  // namespace orvix
