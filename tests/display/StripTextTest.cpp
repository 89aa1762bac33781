// The strip with its texts rendered: a font that silently falls back to another face, text
// rows one off, a right-aligned text that overshoots its end column, a strip left half-built
// by an unreadable correction box, leftovers of the previous strip, and bar rows burnt
// without the dimension.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <memory>

#include "StripText.h"

namespace orvix {
namespace {

bool AnyWhite(const StripBuffer& b, int k, int firstRow, int lastRow, int firstColumn,
              int lastColumn) {
  for (int x = firstColumn; x <= lastColumn; ++x)
    for (int r = firstRow; r <= lastRow; ++r)
      if (b.At(x, r, k) != 0) return true;
  return false;
}

std::unique_ptr<SharedState> MarkedState() {
  auto s = std::make_unique<SharedState>();
  s->UnitScale = 12000;
  s->UnitKV = 20;
  s->WorkMode = 0x22;
  s->RegNumber = 7;
  s->CorrectionTable.fill(100);
  for (int row = cfg::kStripMagnificationRow; row <= cfg::kStripDimensionRow; ++row)
    s->Config.SetFlag(row, true);
  s->Config.SetFlag(cfg::kBarTicksRow, true);
  return s;
}

TEST(StripText, FontAndTextPlacement) {
  StripTextCanvas t;
  t.Prepare();
  EXPECT_EQ(t.Bitmap.size(), QSize(200, 30));
  EXPECT_EQ(QFontInfo(t.Font).family(), QString::fromLatin1(strip::kStripFontFamily))
      << "the strip font is not installed";
  const int w = t.TextWidth("nr 1/0007");
  EXPECT_GT(w, 30);
  EXPECT_LT(w, 90);

  StripBuffer b;
  t.DrawRightAligned(b, 2, "nr 1/0007", 445);
  EXPECT_TRUE(AnyWhite(b, 2, 10, 21, 445 - w, 444));
  EXPECT_TRUE(AnyWhite(b, 2, 10, 21, 440, 444)) << "the text ends near its column";
  EXPECT_FALSE(AnyWhite(b, 2, 0, 30, 445, 550));
  EXPECT_FALSE(AnyWhite(b, 2, 0, 30, 0, 445 - w - 1));
  EXPECT_FALSE(AnyWhite(b, 2, 0, 9, 0, 550)) << "text only in rows 10..21";
  EXPECT_FALSE(AnyWhite(b, 2, 22, 30, 0, 550));
  for (int k : {1, 3, 4}) EXPECT_FALSE(AnyWhite(b, k, 0, 30, 0, 550)) << k;
  // Capitals fill the text rows from their top (row 10) to the base line.
  b = StripBuffer{};
  t.Draw(b, 1, "MMMM", 80);
  EXPECT_TRUE(AnyWhite(b, 1, 10, 11, 80, 140));
  EXPECT_TRUE(AnyWhite(b, 1, 18, 19, 80, 140));
  // A text wider than the bitmap and one near the strip's edge stay inside.
  b = StripBuffer{};
  t.Draw(b, 1, std::string(80, 'W'), 500);
  EXPECT_TRUE(AnyWhite(b, 1, 10, 21, 500, 550));
}

TEST(StripText, WholeStripOfAChannel) {
  auto s = MarkedState();
  StripTextCanvas t;
  t.Prepare();
  StripBuffer b;
  CorrectionBox box;
  StripOutcome o = BuildAndBurnStrip(b, *s, 3, box, t, "09.12.2026");
  EXPECT_EQ(o.bar.range, 7);
  EXPECT_TRUE(o.barDrawn);
  EXPECT_EQ(o.texts.registration, "nr 3/0007");
  EXPECT_EQ(b.At(0, 1, 3), 255);                 // frame line of the ticks
  EXPECT_TRUE(AnyWhite(b, 3, 10, 21, 15, 40));   // "5µm"
  EXPECT_TRUE(AnyWhite(b, 3, 10, 21, 80, 120));  // magnification
  EXPECT_TRUE(AnyWhite(b, 3, 10, 21, 198, 220));
  EXPECT_TRUE(AnyWhite(b, 3, 10, 21, 255, 300));
  EXPECT_TRUE(AnyWhite(b, 3, 10, 21, 500, 539));  // date
  EXPECT_FALSE(AnyWhite(b, 3, 10, 21, 541, 550));
  EXPECT_EQ(o.burn.firstLine, 757);
  EXPECT_EQ(o.burn.lastLine, 800);
  EXPECT_EQ(s->ImageStore[StoreIndex(0, 757, 3)], 255);  // strip row 1 at 2x
  EXPECT_EQ(s->ImageStore[StoreIndex(1, 758, 3)], 255);

  // The next strip starts from scratch: the date switched off leaves nothing behind.
  s->Config.SetFlag(cfg::kStripDateRow, false);
  o = BuildAndBurnStrip(b, *s, 3, box, t, "09.12.2026");
  EXPECT_FALSE(AnyWhite(b, 3, 10, 21, 450, 550));

  // No magnification: "? mm" instead of the bar, whatever " Wymiar" says.
  s->UnitStatusWord = 10;
  o = BuildAndBurnStrip(b, *s, 3, box, t, "");
  EXPECT_FALSE(o.barDrawn);
  EXPECT_EQ(o.texts.magnification, "Magn = ?");
  EXPECT_FALSE(AnyWhite(b, 3, 0, 9, 0, 550));
  EXPECT_TRUE(AnyWhite(b, 3, 10, 21, 15, 40));

  // Without " Wymiar": no bar, no label, 16 rows burnt.
  s->UnitStatusWord = 0;
  s->Config.SetFlag(cfg::kStripDimensionRow, false);
  s->ImageStore.Zero();
  s->WorkMode = 0x12;
  o = BuildAndBurnStrip(b, *s, 3, box, t, "");
  EXPECT_FALSE(AnyWhite(b, 3, 0, 9, 0, 550));
  EXPECT_FALSE(AnyWhite(b, 3, 10, 21, 0, 70));
  EXPECT_EQ(o.burn.firstLine, 385);
  EXPECT_EQ(o.burn.lastLine, 400);
}

TEST(StripText, TestPictureReadingsAndAnUnreadableBox) {
  auto s = MarkedState();
  StripTextCanvas t;
  t.Prepare();
  StripBuffer b;
  CorrectionBox box;
  s->TestPictureOn = 1;
  s->UnitStatusWord = 12;  // would hide the magnification; the test picture's 161 does not
  StripOutcome o = BuildAndBurnStrip(b, *s, 1, box, t, "");
  EXPECT_EQ(s->UnitScale.load(), 100.0);
  EXPECT_EQ(s->UnitStatusWord.load(), 161);
  EXPECT_EQ(s->UnitKV.load(), 20);
  EXPECT_EQ(o.bar.range, 0);
  EXPECT_EQ(o.bar.BarPixels, 200);
  EXPECT_EQ(o.texts.magnification, "Magn = 100");

  // A box without a number: the whole strip, with the previous correction.
  s->TestPictureOn = 0;
  s->UnitScale = 12000;
  s->UnitStatusWord = 0;
  box.calibrationOpen = true;
  box.text = "120";
  BuildAndBurnStrip(b, *s, 1, box, t, "");
  box.text = "";
  o = BuildAndBurnStrip(b, *s, 1, box, t, "09.12.2026");
  EXPECT_EQ(o.bar.correction, 120);
  EXPECT_EQ(o.bar.BarPixels, 144);
  EXPECT_TRUE(o.barDrawn);
  EXPECT_TRUE(AnyWhite(b, 1, 10, 21, 500, 539)) << "texts after the bar are still drawn";
  EXPECT_GT(o.burn.lastLine, o.burn.firstLine);
}

}  // namespace
}  // namespace orvix
