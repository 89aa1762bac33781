// What the linescan, calibration and print windows ask of the main window about its
// picture: repaints, where the picture panel is, the linescan's row marker and mouse, and
// the measurement.
#include <QLabel>

#include "PaintBox.h"
#include "TVideo.h"

namespace orvix {

namespace {
constexpr int kRowMarkerLeft = 2;
}  // namespace

void TVideo::RepaintPicture() {
  if (PaintBox1) PaintBox1->update();
}

void TVideo::RepaintButtonColumn() { Panel2->update(); }

QRect TVideo::PicturePanelGeometry() const {
  return QRect(Panel1->mapToGlobal(QPoint(0, 0)), Panel1->size());
}

void TVideo::ShowRowMarker(bool shown) {
  Image2->setVisible(shown);
  if (shown) Image2->raise();
}

void TVideo::MoveRowMarker(int top) { Image2->move(kRowMarkerLeft, top); }

// Opening the linescan drops a measurement in progress: the picture's mouse goes to one of
// them only.
void TVideo::AttachLinescanMouse(bool attached) {
  if (attached) {
    PaintBox1->SetMouseDown(nullptr);
    if (s_.MeasureOn.load() != 0 && ModulZew) ModulZew->ReleaseMeasureButtons();
    s_.MeasureOn = 0;
    PaintBox1->SetMouseMove([this](QPoint p) { FormMouseMove(p.x(), p.y()); });
  } else {
    PaintBox1->SetMouseMove(nullptr);
  }
}

void TVideo::DropMeasurement() {
  PaintBox1->SetMouseDown(nullptr);
  if (s_.LinescanOn.load() == 0) PaintBox1->SetMouseMove(nullptr);
  s_.MeasureOn = 0;
  UpdateLamps();
}

// The operator may have opened the settings again while calibrating.
void TVideo::ReturnToSettings() {
  if (Settings) Settings->BringToFrontIfShown();
}

}  // namespace orvix
