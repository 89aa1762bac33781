#pragma once
// Distance measurement on the main picture: two clicks on Image1, a red cross at each, a
// red rubber band from the first point to the mouse, and the length between the points,
// rounded to two significant digits, written next to the line. Coordinates are Image1
// pixels (the paint box shows Image1 unscaled; it maps mouse positions back to Image1
// pixels before they reach this code).
//
// Kernels only: nothing here opens a box or touches a widget. Every pixel read or written
// is checked against Image1 (and Image4), whatever points are passed. UI thread.
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <string>

#include "PictureSurfaces.h"
#include "RunState.h"

namespace orvix {

namespace measure {
inline constexpr int kRightLimit = 1099;  // a result reaching past this goes left of the line
inline constexpr int kTextRight = 10;     // gap between the midpoint and the text
inline constexpr int kTextPad = 10;       // added to the text width
inline constexpr int kTextAbove = 30;
inline constexpr int kTopLimit = 40;      // a result above this row is moved down by 40
inline constexpr int kFontSize = 16;      // Arial, points
inline constexpr int kCrossBefore = 8, kCrossAfter = 10, kCrossThickness = 3;
inline constexpr QRgb kBandRed = 0xFFFF0000;
}  // namespace measure

// Round to the nearest integer, halves to the even neighbour.
int64_t RoundEven(double v);

// Round(sqrt(dx^2 + dy^2)).
int32_t PixelDistance(QPoint from, QPoint to);
// The measured length in nm: Round(d * nanometres / pixels2), d >= 1, pixels2 >= 1.
int64_t MeasuredLength(int32_t d, double barNanometres, int32_t barPixels2);
// " 6.0µm ", " 42nm ", " ?mm " (UTF-8): two significant digits and the unit.
std::string LengthText(int64_t nanometres);
// Where the result text of width `textWidth` goes for the line A-B.
QPoint ResultPlacement(QPoint a, QPoint b, int textWidth);

// The red cross of a click at `click`: three rows and three columns around it.
void RysujKrzyz(QImage& image1, QPoint click);
// The rubber band from `a` to `end`: erased by copying its pixels back from the backup,
// drawn by painting them red.
void EraseBand(QImage& image1, const QImage& image4, QPoint a, QPoint end);
void DrawBand(QImage& image1, QPoint a, QPoint end);

// One measurement: armed by Arm, the first click takes the backup and the rubber band
// follows the mouse, the second click writes the result.
class DimensionMeasurement {
 public:
  enum class Step { FirstPoint, Finished };
  struct Result {
    Step step = Step::FirstPoint;
    int32_t d = 0;              // pixels between the points, at least 1
    int64_t nanometres = 0;
    std::string text;           // written on the picture
    QPoint textAt;
  };

  // Both points cleared.
  void Arm();
  // A click at `p` on Image1: the first sets A (and takes Image4), the second B and
  // writes the result; then BarPixels2 is at least 1 and PictureAnnotated is set.
  Result MouseDown(SharedState& s, PictureSurfaces& p, QPoint click);
  // The mouse at `p` after the first click: the band moves there.
  void MouseMove(PictureSurfaces& p, QPoint to);

  QPoint PointA, PointB, LastMouse;

 private:
  static bool Set(QPoint q) { return q.x() > 0 && q.y() > 0; }
};

}  // namespace orvix
