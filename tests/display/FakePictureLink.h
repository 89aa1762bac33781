#pragma once
// A main window for the linescan and calibration windows' tests: it records what they ask.
#include <QRect>
#include <string>
#include <vector>

#include "PictureSurfaces.h"
#include "PictureWindowLink.h"

namespace orvix::test {

class FakePictureLink final : public PictureWindowLink {
 public:
  PictureSurfaces surfaces;
  std::vector<std::string> calls;
  bool rowMarkerShown = false;
  int rowMarkerTop = -1;
  bool linescanMouse = false;

  PictureSurfaces& ShownPicture() override { return surfaces; }
  TPaintBox* PictureWidget() override { return nullptr; }
  QRect panel{100, 0, 1106, 806};
  QRect PicturePanelGeometry() override { return panel; }
  void UpdateLamps() override { calls.push_back("lamps"); }
  void RepaintShownPicture() override { calls.push_back("repaint"); }
  void RepaintButtonColumn() override { calls.push_back("column"); }
  void ShowRowMarker(bool shown) override { rowMarkerShown = shown; }
  void MoveRowMarker(int top) override { rowMarkerTop = top; }
  void AttachLinescanMouse(bool attached) override { linescanMouse = attached; }
  void StartMeasurement() override { calls.push_back("measure"); }
  void DropMeasurement() override { calls.push_back("drop"); }
  void ReturnToSettings() override { calls.push_back("settings"); }
};

}  // namespace orvix::test
