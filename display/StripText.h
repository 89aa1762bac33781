#pragma once
// The texts of the information strip, measured and rendered with the strip's own font on a
// small off-screen bitmap, and the whole strip of a channel built and burnt from them.
// QtGui: the bitmap needs a QGuiApplication. UI thread; the burn writes ImageStore, so the
// callers of BuildAndBurnStrip and BurnMarkedStrips hold StoreLock.
#include <QFont>
#include <QImage>
#include <string>

#include "InfoStrip.h"

namespace orvix {

namespace strip {
inline constexpr int kBitmapWidth = 200;
inline constexpr int kBitmapHeight = 30;
inline constexpr int kTextBoxHeight = 15;  // the black box under a text: rows 0..15
// The windows name "MS Sans Serif" 10, a bitmap face of 13 pixels. Its metric stand-in here
// is Liberation Sans (Debian fonts-liberation, the Arial twin) at 13 pixels, unsmoothed like
// the bitmap face, so the cap tops land on bitmap row 3 and the descenders stay above row
// 15: the strip's text rows 10..21 hold whole letters.
inline constexpr const char* kStripFontFamily = "Liberation Sans";
inline constexpr const char* kStripFontDesignName = "MS Sans Serif";
inline constexpr int kStripFontPixels = 13;
}  // namespace strip

// The canvas of StripTextBitmap: 200 x 30, 24-bit, white regular text on black.
class StripTextCanvas {
 public:
  // Prepares the canvas once (font, colours, the bitmap filled black).
  void Prepare();
  bool Prepared() const { return !Bitmap.isNull(); }

  int TextWidth(const std::string& text) const;
  // Renders `text` into rows 10..21 of channel k, its left edge at column x0 (clipped to
  // the strip and to the bitmap's 200 columns).
  void Draw(StripBuffer& b, int k, const std::string& text, int x0);
  void DrawRightAligned(StripBuffer& b, int k, const std::string& text, int endColumn) {
    if (!Prepared()) Prepare();
    Draw(b, k, text, endColumn - TextWidth(text));
  }

  QImage Bitmap;
  QFont Font;
};

struct StripOutcome {
  BarResult bar;
  StripTexts texts;
  bool barDrawn = false;  // the bar's rows (absent without magnification or " Wymiar")
  BurnOutcome burn;
};

// WykonajPasek for channel k: rows 0..21 cleared, the test picture's readings when it is
// on, the bar and its label (or "? mm"), the five texts, then the burn into ImageStore.
StripOutcome BuildAndBurnStrip(StripBuffer& b, SharedState& s, int k, CorrectionBox& box,
                               StripTextCanvas& text, const std::string& date);

// ObrazekPasek: BuildAndBurnStrip for each channel 1..4 that StripWanted; returns the bits
// of the channels burnt, and keeps the last bar in the state's BarPixels, BarPixels2 and
// BarNanometres.
struct StripsOutcome {
  uint8_t burnt = 0;
  StripOutcome last;
};
StripsOutcome BurnMarkedStrips(StripBuffer& b, SharedState& s, CorrectionBox& box,
                               StripTextCanvas& text, const std::string& date);

}  // namespace orvix
