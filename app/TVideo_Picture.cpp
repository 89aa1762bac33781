// The main window's picture: the measurement ("Wymiar") and the linescan on it, and what
// the linescan, calibration, print windows and the picture files ask of it (repaints, the
// caption, where the picture panel is, the linescan's row marker and mouse).
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

void TVideo::ShowPictureCaption(const std::string& caption) {
  ShowCaption(caption);
  update();
}

int TVideo::CaptionWidth(const QString& caption) const {
  return StaticText4->fontMetrics().horizontalAdvance(caption);
}

// "Wymiar": a new measurement on the picture as it is now.
void TVideo::KlawiszWymiarClick() {
  s_.PictureAnnotated = 0;
  UpdateChannels();
  // The bar of the magnification now in force: without a strip drawn since, the length
  // would be converted with no bar at all.
  strip_.PrepareBar();
  start_wymiar();
}

// Arms the measurement on a channel view whose picture is new; otherwise refuses it and
// pops up the calibration window's measurement buttons. The linescan closes first, so the
// picture's mouse goes to one of them only.
void TVideo::start_wymiar() {
  SharedState& s = s_;
  if (s.LinescanOn.load() != 0 && Linescan) Linescan->CloseLinescan();
  update();
  Panel2->update();
  const int view = s.ViewMode.load();
  const bool measurable =
      view >= 1 && view <= 4 && (s.UnsavedChannels.load() & (1u << (view - 1))) != 0;
  if (measurable && PaintBox1) {
    PaintBox1->SetMouseDown([this](QPoint p) { Image1MouseDown(p.x(), p.y()); });
    PaintBox1->SetMouseMove(nullptr);
    Measurement.Arm();
    s.MeasureOn = 1;
  } else {
    if (PaintBox1) {
      PaintBox1->SetMouseDown(nullptr);
      PaintBox1->SetMouseMove(nullptr);
    }
    if (ModulZew) ModulZew->ReleaseMeasureButtons();
    s.MeasureOn = 0;
  }
  UpdateLamps();
}

void TVideo::Image1MouseDown(int x, int y) {
  const DimensionMeasurement::Result r = Measurement.MouseDown(s_, Surfaces, QPoint(x, y));
  if (r.step == DimensionMeasurement::Step::FirstPoint) {
    PaintBox1->SetMouseMove([this](QPoint p) { Image1MouseMove(p.x(), p.y()); });
  } else {
    PaintBox1->SetMouseDown(nullptr);
    PaintBox1->SetMouseMove(nullptr);
    // The calibration takes the distance between the two clicks, as written on the picture.
    if (ModulZew) {
      ModulZew->MeasurementFinished(r.d);
      ModulZew->ReleaseMeasureButtons();
    }
  }
  UpdateLamps();
}

void TVideo::Image1MouseMove(int x, int y) { Measurement.MouseMove(Surfaces, QPoint(x, y)); }

void TVideo::AttachLinescan(LinescanWindowLink* linescan) {
  Linescan = linescan;
  Surfaces.linescanRedraw = [this] {
    if (Linescan) Linescan->RedrawLine();
  };
  QImage marker(layout::kPictureRect.width - 2, 1, QImage::Format_RGB32);
  marker.fill(Qt::red);
  Image2->setPixmap(QPixmap::fromImage(marker));
  Image2->resize(marker.size());
}

void TVideo::KlawiszLINESCANClick() {
  if (Linescan) Linescan->ToggleLinescan();
}

void TVideo::FormMouseMove(int x, int y) {
  if (s_.LinescanOn.load() != 0 && Linescan) Linescan->FollowMouse(x, y);
}

}  // namespace orvix
