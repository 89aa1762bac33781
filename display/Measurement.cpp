#include "Measurement.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace orvix {

using namespace measure;

namespace {

void SetPixel(QImage& img, int x, int y, QRgb c) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  reinterpret_cast<QRgb*>(img.scanLine(y))[x] = c;
}

bool Inside(const QImage& img, int x, int y) {
  return x >= 0 && y >= 0 && x < img.width() && y < img.height();
}

// Visits the band's pixels: A + (Round(i dx / n), Round(i dy / n)) for i = 0..n.
template <class F>
void ForBand(QPoint a, QPoint end, F&& f) {
  const int dx = end.x() - a.x();
  const int dy = end.y() - a.y();
  int32_t n = PixelDistance(a, end);
  if (n == 0) n = 1;
  for (int i = 0; i <= n; ++i)
    f(a.x() + int(RoundEven(double(i) * dx / n)), a.y() + int(RoundEven(double(i) * dy / n)));
}

QFont ResultFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPointSize(kFontSize);
  return f;
}

}  // namespace

int64_t RoundEven(double v) { return int64_t(std::nearbyint(v)); }

int32_t PixelDistance(QPoint from, QPoint to) {
  const double dx = to.x() - from.x();
  const double dy = to.y() - from.y();
  return int32_t(RoundEven(std::sqrt(dx * dx + dy * dy)));
}

int64_t MeasuredLength(int32_t d, double barNanometres, int32_t barPixels2) {
  if (d <= 0) d = 1;
  if (barPixels2 <= 0) barPixels2 = 1;
  return RoundEven(double(d) * barNanometres / barPixels2);
}

std::string LengthText(int64_t L) {
  if (L < 0) L = 0;
  // k: divisions by 10 until the quotient is below 1 (at least one).
  int k = 0;
  int64_t power = 1;  // 10^k
  do {
    ++k;
    power *= 10;
  } while (power <= L && k < 10);
  std::string value;
  const char* unit = "mm";
  if (power <= L || k >= 10) {
    value = "?";
  } else {
    // S = Round(L * 100 / 10^k) * 10^(k+1), in thousandths of a nm.
    const int64_t r = RoundEven(double(L) * 100.0 / double(power));
    const double S = double(r) * double(power) * 10.0;
    double shown = 0;
    int decimals = 0;
    if (k <= 3) {
      shown = S / 1e3;
      unit = "nm";
      decimals = k == 1 ? 1 : 0;
    } else if (k <= 6) {
      shown = S / 1e6;
      unit = "µm";
      decimals = k == 4 ? 1 : 0;
    } else {
      shown = S / 1e9;
      unit = "mm";
      decimals = k == 7 ? 1 : 0;
    }
    // Always a point as the decimal separator, whatever the desktop's locale says.
    char buf[32];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::fixed, decimals);
    value.assign(buf, written.ptr);
  }
  // Right-aligned in six characters, the unit after it, trimmed, one blank on each side.
  return " " + value + unit + " ";
}

QPoint ResultPlacement(QPoint a, QPoint b, int textWidth) {
  const int w = textWidth + kTextPad;
  int x = int(RoundEven((a.x() + b.x()) / 2.0)) + kTextRight;
  if (x + w > kRightLimit) x = x - w - kTextRight;
  int y = int(RoundEven((a.y() + b.y()) / 2.0)) - kTextAbove;
  if (y < kTopLimit) y += kTopLimit;
  return {x, y};
}

void RysujKrzyz(QImage& image1, QPoint click) {
  const int x = click.x() - 1;
  const int y = click.y() - 1;
  for (int t = 0; t < kCrossThickness; ++t) {
    for (int c = x - kCrossBefore; c < x + kCrossAfter; ++c) SetPixel(image1, c, y + t, kBandRed);
    for (int r = y - kCrossBefore; r < y + kCrossAfter; ++r) SetPixel(image1, x + t, r, kBandRed);
  }
}

void EraseBand(QImage& image1, const QImage& image4, QPoint a, QPoint end) {
  ForBand(a, end, [&](int x, int y) {
    if (!Inside(image4, x, y)) return;
    SetPixel(image1, x, y, image4.pixel(x, y));
  });
}

void DrawBand(QImage& image1, QPoint a, QPoint end) {
  ForBand(a, end, [&](int x, int y) { SetPixel(image1, x, y, kBandRed); });
}

void DimensionMeasurement::Arm() { PointA = PointB = LastMouse = QPoint(0, 0); }

DimensionMeasurement::Result DimensionMeasurement::MouseDown(SharedState& s, PictureSurfaces& p,
                                                             QPoint click) {
  Result res;
  RysujKrzyz(p.Image1, click);
  if (!Set(PointA)) {
    p.Image4 = p.Image1.copy();
    PointA = LastMouse = click;
  } else {
    PointB = click;
  }
  if (!(Set(PointA) && Set(PointB))) {
    p.MarkRows(0, display::kLastSurfaceRow);
    return res;
  }
  res.step = Step::Finished;
  QPainter painter(&p.Image1);
  painter.setPen(QPen(QColor(255, 0, 0), 1, Qt::SolidLine));
  painter.drawLine(PointA, PointB);
  res.d = PixelDistance(PointA, PointB);
  if (res.d == 0) res.d = 1;
  if (s.BarPixels2 == 0) s.BarPixels2 = 1;
  res.nanometres = MeasuredLength(res.d, s.BarNanometres, s.BarPixels2);
  res.text = LengthText(res.nanometres);
  const QString text = QString::fromStdString(res.text);
  const QFont font = ResultFont();
  painter.setFont(font);
  const QFontMetrics fm(font);
  res.textAt = ResultPlacement(PointA, PointB, fm.horizontalAdvance(text));
  // The text stands on the black brush, its top at textAt.
  const QRect box(res.textAt, QSize(fm.horizontalAdvance(text), fm.height()));
  painter.fillRect(box, Qt::black);
  painter.setPen(Qt::white);
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
  painter.end();
  s.MeasureOn = 0;
  s.PictureAnnotated = 1;
  p.MarkRows(0, display::kLastSurfaceRow);
  return res;
}

void DimensionMeasurement::MouseMove(PictureSurfaces& p, QPoint to) {
  RysujKrzyz(p.Image1, PointA);
  EraseBand(p.Image1, p.Image4, PointA, LastMouse);
  DrawBand(p.Image1, PointA, to);
  const int top = std::min({PointA.y(), LastMouse.y(), to.y()}) - measure::kCrossBefore - 1;
  const int bottom = std::max({PointA.y(), LastMouse.y(), to.y()}) + measure::kCrossAfter;
  LastMouse = to;
  p.MarkRows(top, bottom);
}

}  // namespace orvix
