#include "StripText.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace orvix {

using namespace strip;

void StripTextCanvas::Prepare() {
  Font = QFont(QString::fromLatin1(kStripFontFamily));
  Font.setPixelSize(kStripFontPixels);
  Font.setWeight(QFont::Normal);
  Font.setItalic(false);
  Font.setStyleStrategy(QFont::NoAntialias);
  Font.setHintingPreference(QFont::PreferFullHinting);
  Bitmap = QImage(kBitmapWidth, kBitmapHeight, QImage::Format_RGB888);
  Bitmap.fill(Qt::black);
}

int StripTextCanvas::TextWidth(const std::string& text) const {
  if (!Prepared()) return 0;
  return QFontMetrics(Font).horizontalAdvance(QString::fromStdString(text));
}

void StripTextCanvas::Draw(StripBuffer& b, int k, const std::string& text, int x0) {
  if (text.empty()) return;
  if (!Prepared()) Prepare();
  const int w = std::min(TextWidth(text), kBitmapWidth);
  {
    QPainter p(&Bitmap);
    p.setFont(Font);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.fillRect(QRect(0, 0, w + 1, kTextBoxHeight + 1), Qt::black);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kBitmapWidth, kBitmapHeight), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(text));
  }
  for (int row = kBitmapFirstRow; row <= kBitmapLastRow; ++row) {
    const uchar* line = Bitmap.constScanLine(row);
    for (int col = 0; col < w; ++col)
      b.Set(x0 + col, row + kBitmapToStripRow, k, line[3 * col]);  // the red component
  }
}

namespace {
void UseTestReadings(SharedState& s) {
  s.UnitScale = kTestScale;
  s.UnitStatusWord = kTestStatusWord;
  s.UnitKV = kTestKV;
}
}  // namespace

StripOutcome BuildAndBurnStrip(StripBuffer& b, SharedState& s, int k, CorrectionBox& box,
                               StripTextCanvas& text, const std::string& date) {
  StripOutcome o;
  b.Fill(k, 0, kClearedRows - 1, 0, kLastColumn, 0);
  if (s.TestPictureOn.load() != 0) UseTestReadings(s);

  // The bar: its length is computed in every case, for the measurement.
  o.bar = BarLength(s, box);
  const bool dimension = s.Config.Flag(cfg::kStripDimensionRow) != 0;
  if (!MagnificationAvailable(s)) {
    text.Draw(b, k, kNoBar, kLabelLeft);
  } else if (dimension) {
    DrawBarRows(b, k, ChosenBarLook(s.Config), o.bar.BarPixels);
    text.Draw(b, k, BarLabels[size_t(o.bar.range)], kLabelLeft);
    o.barDrawn = true;
  }

  o.texts = MakeStripTexts(s, k, date);
  text.Draw(b, k, o.texts.magnification, kMagnificationLeft);
  text.Draw(b, k, o.texts.kv, kKVLeft);
  text.Draw(b, k, o.texts.settings, kSettingsLeft);
  if (!o.texts.registration.empty())
    text.DrawRightAligned(b, k, o.texts.registration, kRegistrationEnd);
  if (!o.texts.date.empty()) text.DrawRightAligned(b, k, o.texts.date, kDateEnd);

  o.burn = BurnStripIntoStore(b, s, k, dimension);
  return o;
}

StripsOutcome BurnMarkedStrips(StripBuffer& b, SharedState& s, CorrectionBox& box,
                               StripTextCanvas& text, const std::string& date) {
  StripsOutcome o;
  for (int k = 1; k <= kChannels; ++k) {
    if (!StripWanted(s, k)) continue;
    o.last = BuildAndBurnStrip(b, s, k, box, text, date);
    o.burnt = static_cast<uint8_t>(o.burnt | (1u << (k - 1)));
    s.BarPixels = o.last.bar.BarPixels;
    s.BarPixels2 = o.last.bar.BarPixels2;
    s.BarNanometres = o.last.bar.BarNanometres;
  }
  return o;
}

}  // namespace orvix
