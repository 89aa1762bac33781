#pragma once
// The print window and the main window talk through these two small interfaces: the main
// window's PRINT button opens the print window (PrintWindowLink), and the print window
// asks the main window for the lamps, a repaint and the picture (PrintHost). Neither
// touches the other's controls.
#include <QRect>

namespace orvix {

class PrintWindowLink {
 public:
  virtual ~PrintWindowLink() = default;
  // PrintBusy set, the lamps refreshed, the window shown over the picture panel.
  virtual void StartDruk() = 0;
};

class PrintHost {
 public:
  virtual ~PrintHost() = default;
  virtual void UpdateRunButtons() = 0;
  virtual void UpdateViewButtons() = 0;
  // Paints the main window's picture again (the print window covered it).
  virtual void RepaintPicture() = 0;
  // Writes the visible picture to the work file ProgramDir/temp_dru.bmp.
  virtual bool WritePrintPicture() = 0;
  // The picture panel in global coordinates (the window is placed over it).
  virtual QRect PicturePanelRect() const = 0;
};

}  // namespace orvix
