// Row drawing: wrong colour tables, markers drawn one row off or past the limit, clamps
// that let a row outside 0..799 through, and decorations that cover the picture.
#include <gtest/gtest.h>

#include "RowDrawing.h"
#include "DisplayTestSupport.h"

namespace orvix {
namespace {
using namespace display;
using test::kSentinel;
using test::SurfacePixel;

uint32_t Px(const QImage& row, int x) { return row.pixel(x, 0); }

TEST(RowDrawing, FillRowColoursByFirstLetter) {
  PictureSurfaces p;
  const std::pair<std::string, uint32_t> cases[] = {
      {"a", 0xFF00FFFF}, {"b", 0xFF000000}, {"l", 0xFF00FF00}, {"r", 0xFFFF0000},
      {"w", 0xFFFFFFFF}, {"y", 0xFFFFFF00}, {"f", 0xFFFF00FF}, {"x", 0xFFFF00FF},
      {"", 0xFFFF00FF},  {"rb", 0xFFFF0000}, {"B", 0xFFFF00FF}};
  for (const auto& [letter, colour] : cases) {
    FillRow(letter, p.RowBitmapB);
    EXPECT_EQ(Px(p.RowBitmapB, 0), colour) << letter;
    EXPECT_EQ(Px(p.RowBitmapB, 1099), colour) << letter;
  }
  // The stored bytes are red, green, blue.
  FillRow("y", p.MarkerRowA);
  EXPECT_EQ(p.MarkerRowA.constScanLine(0)[3 * 7], 255);
  EXPECT_EQ(p.MarkerRowA.constScanLine(0)[3 * 7 + 2], 0);
}

TEST(RowDrawing, MarkerRowsShowTheAcquiredQuadrants) {
  PictureSurfaces p;
  const uint32_t lime = 0xFF00FF00, black = 0xFF000000, fuchsia = 0xFFFF00FF;
  struct Case { uint8_t mask; uint32_t aLeft, aRight, bLeft, bRight; };
  const Case cases[] = {{0x0, black, black, black, black}, {0x1, lime, black, black, black},
                        {0x2, black, lime, black, black},  {0x3, lime, lime, black, black},
                        {0x4, black, black, lime, black},  {0x8, black, black, black, lime},
                        {0xF, lime, lime, lime, lime}};
  for (const Case& c : cases) {
    SetMarkerRows(p, c.mask);
    for (auto [row, left, right] : {std::tuple{&p.MarkerRowA, c.aLeft, c.aRight},
                                    std::tuple{&p.MarkerRowB, c.bLeft, c.bRight}}) {
      EXPECT_EQ(Px(*row, 0), black) << int(c.mask);  // column 0 is never lit
      EXPECT_EQ(Px(*row, 1), left) << int(c.mask);
      EXPECT_EQ(Px(*row, 549), left) << int(c.mask);
      EXPECT_EQ(Px(*row, 550), fuchsia) << int(c.mask);
      EXPECT_EQ(Px(*row, 551), right) << int(c.mask);
      EXPECT_EQ(Px(*row, 1099), right) << int(c.mask);
    }
  }
}

TEST(RowDrawing, BlitRowPutsRowAndMarkerAtTheirRows) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  int linescan = 0;
  std::vector<std::pair<int, int>> reported;
  p.linescanRedraw = [&] { ++linescan; };
  p.rowsChanged = [&](int a, int b) { reported.push_back({a, b}); };
  FillRow("w", p.RowBitmapA);
  FillRow("r", p.MarkerRowA);

  test::FillSentinel(p);
  BlitRow(*s, p, 795, 2);
  EXPECT_EQ(SurfacePixel(p, 796, 1), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 796, 1100), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 796, 0), kSentinel);  // drawn from surface column 1
  EXPECT_EQ(SurfacePixel(p, 796, 1101), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 798, 1), 0xFFFF0000u);
  EXPECT_EQ(SurfacePixel(p, 797, 1), kSentinel);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], std::make_pair(796, 798));

  test::FillSentinel(p);
  BlitRow(*s, p, 796, 2);  // 797 is not below the limit: no marker
  EXPECT_EQ(SurfacePixel(p, 797, 5), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 799, 5), kSentinel);

  // Rows outside the surface are dropped; -1 is the border row 0.
  test::FillSentinel(p);
  BlitRow(*s, p, 801, 4);
  BlitRow(*s, p, -7, 1);
  for (int r = 0; r < 802; ++r) ASSERT_EQ(SurfacePixel(p, r, 9), kSentinel) << r;

  // The linescan follows surface row y + 1, and only while it is open.
  s->LinescanLine = 41;
  BlitRow(*s, p, 40, 2);
  EXPECT_EQ(linescan, 0);
  s->LinescanOn = 1;
  BlitRow(*s, p, 40, 2);
  BlitRow(*s, p, 41, 2);
  EXPECT_EQ(linescan, 1);
}

TEST(RowDrawing, QuadrantRowsAndFrame) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  int linescan = 0;
  p.linescanRedraw = [&] { ++linescan; };
  FillRow("w", p.RowBitmapA);
  FillRow("y", p.RowBitmapB);
  FillRow("r", p.MarkerRowA);
  FillRow("a", p.MarkerRowB);
  test::FillSentinel(p);
  BlitQuadrantRow(*s, p, 397);
  EXPECT_EQ(SurfacePixel(p, 397, 3), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 797, 3), 0xFFFFFF00u);
  EXPECT_EQ(SurfacePixel(p, 398, 3), 0xFFFF0000u);
  EXPECT_EQ(SurfacePixel(p, 798, 3), 0xFF00FFFFu);
  test::FillSentinel(p);
  BlitQuadrantRow(*s, p, 398);  // both rows, no markers
  EXPECT_EQ(SurfacePixel(p, 398, 3), 0xFFFFFFFFu);
  EXPECT_EQ(SurfacePixel(p, 798, 3), 0xFFFFFF00u);
  EXPECT_EQ(SurfacePixel(p, 399, 3), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 799, 3), kSentinel);

  s->LinescanOn = 1;
  s->LinescanLine = 700;
  BlitQuadrantRow(*s, p, 300);  // bottom row 700
  EXPECT_EQ(linescan, 1);

  test::FillSentinel(p);
  s->LinescanLine = 799;
  DrawQuadrantFrame(*s, p);
  EXPECT_EQ(linescan, 2);
  for (int c = 1; c <= 1100; ++c) {
    ASSERT_EQ(SurfacePixel(p, 399, c), 0xFF000000u);
    ASSERT_EQ(SurfacePixel(p, 400, c), 0xFFFF00FFu);
    ASSERT_EQ(SurfacePixel(p, 800, c), 0xFF000000u);
  }
  EXPECT_EQ(SurfacePixel(p, 400, 0), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 401, 5), kSentinel);
  for (const QImage* row : {&p.RowBitmapA, &p.RowBitmapB}) {
    EXPECT_EQ(Px(*row, 549), 0xFF000000u);
    EXPECT_EQ(Px(*row, 550), 0xFFFF00FFu);
    EXPECT_EQ(Px(*row, 551), 0xFF000000u);
  }
}

TEST(RowDrawing, BorderEnclosesThePictureOnly) {
  PictureSurfaces p;
  test::FillSentinel(p);
  DrawPictureBorder(p);
  for (int c = 0; c <= 1101; ++c) {
    ASSERT_EQ(SurfacePixel(p, 0, c), 0xFFFF00FFu);
    ASSERT_EQ(SurfacePixel(p, 801, c), 0xFFFF00FFu);
  }
  for (int r = 0; r <= 801; ++r) {
    ASSERT_EQ(SurfacePixel(p, r, 0), 0xFFFF00FFu);
    ASSERT_EQ(SurfacePixel(p, r, 1101), 0xFFFF00FFu);
  }
  EXPECT_EQ(SurfacePixel(p, 1, 1), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 800, 1100), kSentinel);
}

TEST(RowDrawing, Clamps) {
  struct Case { int start, end, wantStart, wantEnd; };
  for (const Case& c : {Case{-5, -1, 0, 0}, Case{900, 10, 799, 799}, Case{10, 5, 10, 10},
                        Case{3, 900, 3, 799}, Case{799, 800, 799, 799}, Case{0, 799, 0, 799}}) {
    int a = c.start, b = c.end;
    ClampRows(a, b);
    EXPECT_EQ(a, c.wantStart) << c.start << "," << c.end;
    EXPECT_EQ(b, c.wantEnd) << c.start << "," << c.end;
  }
  struct QCase { int start, end, count, wantStart, wantEnd, wantCount; };
  for (const QCase& c : {QCase{-3, 0, 500, 1, 1, 399}, QCase{5, 2, 400, 5, 5, 399},
                         QCase{5, 9, 399, 5, 9, 399}, QCase{0, 7, -2, 1, 7, -2}}) {
    int a = c.start, b = c.end, n = c.count;
    ClampQuadrantRows(a, b, n);
    EXPECT_EQ(a, c.wantStart);
    EXPECT_EQ(b, c.wantEnd);
    EXPECT_EQ(n, c.wantCount);
  }
}

TEST(PictureArea, OneOffsetForThePictureProper) {
  PictureSurfaces p;
  test::FillSentinel(p);
  PictureArea area = p.Picture();
  area.SetPixel(0, 0, 0xFF010203);
  area.SetPixel(799, 1099, 0xFF040506);
  area.SetPixel(800, 0, 0xFFFFFFFF);  // outside: dropped
  area.SetPixel(0, -1, 0xFFFFFFFF);
  EXPECT_EQ(SurfacePixel(p, 1, 1), 0xFF010203u);
  EXPECT_EQ(SurfacePixel(p, 800, 1100), 0xFF040506u);
  EXPECT_EQ(SurfacePixel(p, 801, 1), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 1, 0), kSentinel);
  EXPECT_EQ(area.Pixel(0, 0), 0xFF010203u);
  EXPECT_EQ(area.Pixel(-1, 0), 0u);
  EXPECT_EQ(area.Row(800), nullptr);
  EXPECT_EQ(area.Row(799)[1099], 0xFF040506u);
  const QImage copy = area.Copy();
  EXPECT_EQ(copy.size(), QSize(1100, 800));
  EXPECT_EQ(copy.pixel(1099, 799), 0xFF040506u);
}

}  // namespace
}  // namespace orvix
