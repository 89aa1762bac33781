// Anaglyph: swapped colour pairs, the 90-degree turn off by a column or a row, flips that
// mirror the wrong axis, and columns that must stay black.
#include <gtest/gtest.h>

#include "Anaglyph.h"
#include "RowDrawing.h"
#include "ViewBuilders.h"
#include "DisplayTestSupport.h"

namespace orvix {
namespace {
using test::SurfacePixel;
constexpr uint32_t kBlack = 0xFF000000;

void SetPair(SharedState& s, int x, int line, int first, int second) {
  s.ImageStore[StoreIndex(x, line, 1)] = uint8_t(first);
  s.ImageStore[StoreIndex(x, line, 2)] = uint8_t(second);
}

// Display pixel (row, column) of the picture.
uint32_t Shown(const PictureSurfaces& p, int row, int column) { return p.Picture().Pixel(row, column); }

TEST(Anaglyph, ColourPairs) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  SetPair(*s, 5, 7, 200, 50);
  ComposeAnaglyph(*s, p, 0, 799, {.redCyan = true, .greenMagenta = false});
  EXPECT_EQ(Shown(p, 7, 5), display::Argb(200, 50, 50));
  ComposeAnaglyph(*s, p, 0, 799, {.redCyan = false, .greenMagenta = true});
  EXPECT_EQ(Shown(p, 7, 5), display::Argb(50, 200, 50));
  ComposeAnaglyph(*s, p, 0, 799, {.redCyan = false, .greenMagenta = false});
  EXPECT_EQ(Shown(p, 7, 5), kBlack);
  ComposeAnaglyph(*s, p, 0, 799, {.redCyan = true, .greenMagenta = false, .rotate90 = true});
  EXPECT_EQ(Shown(p, 7, 5), kBlack);  // columns 0..149 stay black
  SetPair(*s, 900, 7, 200, 50);      // source column 900 is display row 49
  ComposeAnaglyph(*s, p, 0, 799, {.redCyan = false, .greenMagenta = true, .rotate90 = true});
  EXPECT_EQ(Shown(p, 49, 7 + 150), display::Argb(50, 200, 50));
}

TEST(Anaglyph, TurnAndFlipMapping) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  SetPair(*s, 949, 0, 11, 1);
  SetPair(*s, 949, 949, 12, 1);
  SetPair(*s, 150, 0, 13, 1);
  SetPair(*s, 0, 0, 14, 1);
  SetPair(*s, 3, 799, 15, 1);
  const auto red = [](int v) { return display::Argb(uint8_t(v), 1, 1); };

  ComposeAnaglyph(*s, p, 0, 799, {.rotate90 = true});
  EXPECT_EQ(Shown(p, 0, 150), red(11));   // source column 949, line 0
  EXPECT_EQ(Shown(p, 0, 1099), red(12));  // line 949
  EXPECT_EQ(Shown(p, 799, 150), red(13));  // row 799 is source column 150
  for (int row : {0, 400, 799})
    for (int c : {0, 149}) EXPECT_EQ(Shown(p, row, c), kBlack) << row << "," << c;

  ComposeAnaglyph(*s, p, 0, 799, {.rotate90 = true, .flipHorizontal = true});
  EXPECT_EQ(Shown(p, 0, 949), red(11));
  EXPECT_EQ(Shown(p, 0, 0), red(12));
  for (int c : {950, 1099}) EXPECT_EQ(Shown(p, 0, c), kBlack) << c;

  ComposeAnaglyph(*s, p, 0, 799, {.rotate90 = true, .flipVertical = true});
  EXPECT_EQ(Shown(p, 0, 150), red(13));  // row 0 shows source column 150
  EXPECT_EQ(Shown(p, 799, 150), red(11));

  ComposeAnaglyph(*s, p, 0, 799, {.flipVertical = true});
  EXPECT_EQ(Shown(p, 0, 3), red(15));  // row 0 shows line 799
  ComposeAnaglyph(*s, p, 0, 799, {.flipHorizontal = true});
  EXPECT_EQ(Shown(p, 0, 1099), red(14));
  EXPECT_EQ(Shown(p, 799, 1096), red(15));
}

TEST(Anaglyph, RedrawOfViewThreeMatchesThePlainReading) {
  auto s = test::RandomStore(8);
  s->AnaglyphOn = 1;
  PictureSurfaces p;
  std::string caption;
  p.captionChanged = [&](const std::string& c) { caption = c; };
  for (int bits = 0; bits < 8; ++bits) {
    const AnaglyphOptions o{.redCyan = bits != 5, .greenMagenta = bits == 5,
                            .rotate90 = (bits & 1) != 0, .flipVertical = (bits & 2) != 0,
                            .flipHorizontal = (bits & 4) != 0};
    SCOPED_TRACE(bits);
    p.Anaglyph = o;
    test::FillSentinel(p);
    test::ReferenceDisplay ref(*s);
    ref.CopyFrom(p);
    RedrawPicture(*s, p, 3, 0x30, "r");
    ref.Border();
    ref.Whole(3, 0x30, 'r', 0);
    ref.Anaglyph(0, 799, o);
    EXPECT_TRUE(test::SameAsReference(p, ref));
    EXPECT_EQ(caption, "ANAGLIF");
  }
  // A partial band keeps the white markers two rows below its last two rows.
  test::FillSentinel(p);
  FillRow("w", p.MarkerRowA);
  ComposeAnaglyph(*s, p, 10, 20, {});
  EXPECT_EQ(SurfacePixel(p, 21, 1), display::Argb(s->ImageStore[StoreIndex(0, 20, 1)],
                                                  s->ImageStore[StoreIndex(0, 20, 2)],
                                                  s->ImageStore[StoreIndex(0, 20, 2)]));
  EXPECT_EQ(SurfacePixel(p, 22, 1), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 23, 1), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 24, 1), test::kSentinel);
  EXPECT_EQ(SurfacePixel(p, 10, 1), test::kSentinel);
}

}  // namespace
}  // namespace orvix
