#pragma once
// What the main window asks of the linescan window TOscyl.
namespace orvix {

class LinescanWindowLink {
 public:
  virtual ~LinescanWindowLink() = default;
  // start_oscylograf: opens the window, or closes it when it is open.
  virtual void ToggleLinescan() = 0;
  // The window's own close button: marker hidden, mouse hook detached, window hidden.
  virtual void CloseLinescan() = 0;
  // The mouse moved to (x, y) on the picture: follow that row and column.
  virtual void FollowMouse(int x, int y) = 0;
  // The followed row was drawn again: redraw its trace.
  virtual void RedrawLine() = 0;
};

}  // namespace orvix
