#pragma once
// What the main window's PRINT button asks of the print window. The print window reaches
// the main window through its MainWindowLink; neither touches the other's controls.

namespace orvix {

class PrintWindowLink {
 public:
  virtual ~PrintWindowLink() = default;
  // PrintBusy set, the lamps refreshed, the window shown over the picture panel.
  virtual void StartDruk() = 0;
};

}  // namespace orvix
