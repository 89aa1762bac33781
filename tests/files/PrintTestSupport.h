#pragma once
// Helpers of the print tests: a printer seam with a scripted set of printers, and a printed
// PDF turned back into a picture with pdftoppm, where the frame, the picture and the text
// lines are looked for.
#include <QImage>
#include <QPrinter>
#include <QStringList>
#include <cstdlib>
#include <string>

#include "PrintWindowLink.h"
#include "PrinterSeam.h"
#include "TDrukVid.h"

namespace orvix::test {

class ScriptedPrinters final : public PrinterSeam {
 public:
  QStringList printers;  // the installed ones; the first is the default
  int setups = 0;
  QString choose;  // the printer the set-up dialog picks; empty: cancelled
  QString DefaultPrinter() override { return printers.isEmpty() ? QString() : printers[0]; }
  bool PrinterExists(const QString& name) override { return printers.contains(name); }
  std::optional<QString> Setup(QPrinter&, QWidget*) override {
    ++setups;
    if (choose.isEmpty()) return std::nullopt;
    return choose;
  }
};

// The first page of `pdf` at `dpi` in grey; a null picture when pdftoppm fails.
inline QImage RasterisePdf(const std::string& pdf, int dpi, const std::string& outBase) {
  const std::string cmd = "pdftoppm -f 1 -l 1 -singlefile -gray -png -r " +
                          std::to_string(dpi) + " '" + pdf + "' '" + outBase + "' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return {};
  return QImage(QString::fromStdString(outBase + ".png")).convertToFormat(QImage::Format_Grayscale8);
}

inline bool HavePdftoppm() { return std::system("pdftoppm -v >/dev/null 2>&1") == 0; }

// Where the printed page shows its frame, picture and text, in pixels of the raster.
struct FoundPage {
  int frameLeft = -1, frameTop = -1;      // first black pixel of the frame's outline
  int pictureLeft = -1, pictureTop = -1;  // first grey pixel of the picture
  int pictureRight = -1;                  // last grey pixel on the middle row
};

inline bool Dark(const QImage& g, int x, int y) { return qGray(g.pixel(x, y)) < 70; }
inline bool Grey(const QImage& g, int x, int y) {
  const int v = qGray(g.pixel(x, y));
  return v > 90 && v < 170;
}

// Scans the middle row of the picture rectangle (from the geometry) for the frame and the
// picture from the left, and its middle column from the top.
inline FoundPage FindPage(const QImage& g, const TDrukVid::PrintedPage& printed, int dpi) {
  const double s = double(dpi) / printed.dpi;
  const PrintPage& p = printed.page;
  const int midY = int((printed.printable.top() + (p.Y1 + p.Y2) / 2) * s);
  const int midX = int((printed.printable.left() + (p.X1 + p.X2) / 2) * s);
  FoundPage f;
  for (int x = 0; x < g.width() && f.pictureLeft < 0; ++x) {
    if (f.frameLeft < 0 && Dark(g, x, midY)) f.frameLeft = x;
    if (f.frameLeft >= 0 && Grey(g, x, midY)) f.pictureLeft = x;
  }
  for (int x = g.width() - 1; x > 0 && f.pictureRight < 0; --x)
    if (Grey(g, x, midY)) f.pictureRight = x;
  for (int y = 0; y < g.height() && f.pictureTop < 0; ++y) {
    if (f.frameTop < 0 && Dark(g, midX, y)) f.frameTop = y;
    if (f.frameTop >= 0 && Grey(g, midX, y)) f.pictureTop = y;
  }
  return f;
}

// Dark pixels in the band of the text line whose top is device row `top`, from device
// column `left` over `widthMm` millimetres, 3 mm high.
inline int InkInLine(const QImage& g, const TDrukVid::PrintedPage& printed, int dpi, int left,
                     int top, double widthMm) {
  const double s = double(dpi) / printed.dpi;
  const int x0 = int((printed.printable.left() + left) * s);
  const int y0 = int((printed.printable.top() + top) * s);
  const int w = int(widthMm * dpi / 25.4), h = int(3.0 * dpi / 25.4);
  int ink = 0;
  for (int y = y0; y < y0 + h && y < g.height(); ++y)
    for (int x = x0; x < x0 + w && x < g.width(); ++x) ink += Dark(g, x, y) ? 1 : 0;
  return ink;
}

}  // namespace orvix::test
