// View builders and refresh: the banded fast paths against the plain per-pixel reading
// for every code and view, hand-computed pixels (2x enlargement, 2 x 2 means, quadrant
// means and dividers), the incremental refresh band, its wrap, a disabled channel, a start
// row above the frame, and counters far outside any frame.
#include <gtest/gtest.h>

#include <climits>

#include "RowDrawing.h"
#include "ViewBuilders.h"
#include "DisplayTestSupport.h"

namespace orvix {
namespace {
using test::kSentinel;
using test::ReferenceDisplay;
using test::SurfacePixel;

uint32_t Grey(int v) { return display::GreyArgb(uint8_t(v)); }
constexpr uint32_t kFuchsia = 0xFFFF00FF, kBlack = 0xFF000000, kLime = 0xFF00FF00;

void Set(SharedState& s, int x, int y, int k, int v) { s.ImageStore[StoreIndex(x, y, k)] = uint8_t(v); }

TEST(ViewBuilders, FullRedrawsMatchThePlainReading) {
  auto s = test::RandomStore(1);
  s->LinescanOn = 1;
  PictureSurfaces p;
  int linescan = 0, reports = 0;
  p.linescanRedraw = [&] { ++linescan; };
  p.rowsChanged = [&](int a, int b) {
    ++reports;
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 801);
  };
  for (int code : {0x10, 0x20, 0x30}) {
    for (int view = 1; view <= 5; ++view) {
      SCOPED_TRACE(testing::Message() << "code " << code << " view " << view);
      s->LinescanLine = 41 + view;  // odd and even rows: both halves of a 2x pair
      test::FillSentinel(p);
      ReferenceDisplay ref(*s);
      ref.CopyFrom(p);
      linescan = reports = 0;
      RedrawPicture(*s, p, view, uint8_t(code | 2), "y");
      ref.Border();
      ref.Whole(view, code, 'y', 0);
      EXPECT_TRUE(test::SameAsReference(p, ref));
      EXPECT_EQ(linescan, ref.linescanCalls);
      EXPECT_EQ(reports, 1);
    }
  }
}

TEST(ViewBuilders, MarkedRedrawsMatchThePlainReading) {
  auto s = test::RandomStore(2);
  PictureSurfaces p;
  for (int code : {0x10, 0x30}) {
    for (int view : {2, 5}) {
      SCOPED_TRACE(testing::Message() << "code " << code << " view " << view);
      test::FillSentinel(p);
      ReferenceDisplay ref(*s);
      ref.CopyFrom(p);
      RedrawPictureMarked(*s, p, view, uint8_t(code), 0x6);
      ref.Whole(view, code, 'l', 0x6);
      EXPECT_TRUE(test::SameAsReference(p, ref));
      EXPECT_EQ(SurfacePixel(p, 0, 0), kSentinel);  // no border
    }
  }
}

TEST(ViewBuilders, CodeErrorIsShownAsTheSixteenHundredLineFrame) {
  auto s = test::RandomStore(3);
  PictureSurfaces a, b;
  for (int view : {1, 5}) {
    RedrawPicture(*s, a, view, 0x40, "r");
    RedrawPicture(*s, b, view, 0x30, "r");
    EXPECT_EQ(a.Image1, b.Image1) << view;
  }
  s->LastDrawnLine = 1500;
  s->CurrentLine = 1612;
  RefreshNewLines(*s, a, 4, 0x44, 0xF);
  s->LastDrawnLine = 1500;
  RefreshNewLines(*s, b, 4, 0x34, 0xF);
  EXPECT_EQ(a.Image1, b.Image1);
  EXPECT_EQ(DisplayCode(0x43), 0x30);
  EXPECT_EQ(DisplayCode(0x52), 0x50);
  // Other codes draw nothing but the border.
  test::FillSentinel(a);
  RedrawPicture(*s, a, 1, 0x52, "r");
  EXPECT_EQ(SurfacePixel(a, 1, 1), kSentinel);
}

TEST(ViewBuilders, SingleViewPixelsByHand) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  // 400 lines, enlarged 2x: a = 100, right 50, below 0, diagonal 30.
  Set(*s, 10, 20, 1, 100);
  Set(*s, 11, 20, 1, 50);
  Set(*s, 10, 21, 1, 0);
  Set(*s, 11, 21, 1, 30);
  RedrawPicture(*s, p, 1, 0x12, "r");
  EXPECT_EQ(SurfacePixel(p, 41, 21), Grey(100));
  EXPECT_EQ(SurfacePixel(p, 41, 22), Grey(75));
  EXPECT_EQ(SurfacePixel(p, 42, 21), Grey(50));
  EXPECT_EQ(SurfacePixel(p, 42, 22), Grey(45));
  // The incremental refresh from line 20 puts the same line on surface rows 40 and 41.
  test::FillSentinel(p);
  s->LastDrawnLine = 20;
  s->CurrentLine = 24;
  RefreshNewLines(*s, p, 1, 0x12, 0x1);
  EXPECT_EQ(SurfacePixel(p, 40, 21), Grey(100));
  EXPECT_EQ(SurfacePixel(p, 40, 22), Grey(75));
  EXPECT_EQ(SurfacePixel(p, 41, 21), Grey(50));
  EXPECT_EQ(SurfacePixel(p, 41, 22), Grey(45));
  EXPECT_EQ(SurfacePixel(p, 39, 21), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 49, 21), Grey(0));  // last pair on rows 48, 49
  EXPECT_EQ(SurfacePixel(p, 50, 21), kLime);     // its marker just below
  EXPECT_EQ(SurfacePixel(p, 51, 21), kSentinel);

  // 1600 lines: the 2 x 2 block from column 2, line 1; columns 0, 1 and line 0 are unseen.
  Set(*s, 2, 1, 3, 10);
  Set(*s, 3, 1, 3, 20);
  Set(*s, 2, 2, 3, 30);
  Set(*s, 3, 2, 3, 41);
  Set(*s, 0, 1, 3, 255);
  Set(*s, 1, 2, 3, 255);
  Set(*s, 2, 0, 3, 255);
  Set(*s, 16, 11, 3, 1);  // display (7, 5): columns 16, 17, lines 11, 12
  Set(*s, 17, 11, 3, 2);
  Set(*s, 16, 12, 3, 3);
  Set(*s, 17, 12, 3, 5);
  RedrawPicture(*s, p, 3, 0x31, "r");
  EXPECT_EQ(SurfacePixel(p, 1, 1), Grey(25));
  EXPECT_EQ(SurfacePixel(p, 6, 8), Grey(2));
  EXPECT_EQ(SurfacePixel(p, 1, 2), Grey(0));

  // 800 lines: copied, last pixel at the last picture position.
  Set(*s, 1099, 799, 4, 77);
  Set(*s, 0, 0, 4, 9);
  RedrawPicture(*s, p, 4, 0x20, "r");
  EXPECT_EQ(SurfacePixel(p, 800, 1100), Grey(77));
  EXPECT_EQ(SurfacePixel(p, 1, 1), Grey(9));
}

TEST(ViewBuilders, AllViewQuadrantsAndDividers) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  Set(*s, 5, 7, 2, 90);     // 0x10: kan2 line 7 -> quadrant row 7, right half
  Set(*s, 548, 399, 4, 60);  // kan4 last row and column
  Set(*s, 3, 0, 1, 200);     // line 0 is never shown
  test::FillSentinel(p);
  RedrawPicture(*s, p, 5, 0x10, "r");
  EXPECT_EQ(SurfacePixel(p, 7, 557), Grey(90));
  EXPECT_EQ(SurfacePixel(p, 799, 1100), Grey(60));
  for (int c = 0; c <= 1101; ++c) ASSERT_EQ(SurfacePixel(p, 0, c), kFuchsia) << c;

  for (int code : {0x10, 0x20, 0x30}) {
    RedrawPicture(*s, p, 5, uint8_t(code), "r");
    for (int c = 1; c <= 1100; ++c) {
      ASSERT_EQ(SurfacePixel(p, 0, c), kFuchsia);
      ASSERT_EQ(SurfacePixel(p, 400, c), kFuchsia);
      ASSERT_EQ(SurfacePixel(p, 800, c), kBlack);
    }
    for (int r : {1, 200, 399, 401, 799}) {
      EXPECT_EQ(SurfacePixel(p, r, 551), kFuchsia) << code << " row " << r;
      EXPECT_EQ(SurfacePixel(p, r, 550), kBlack) << code << " row " << r;
    }
  }

  // 0x20: mean of P(2x, s), P(2x+1, s+1), s = 1 + 2 * done, drawn at done + 1.
  Set(*s, 20, 7, 1, 100);
  Set(*s, 21, 8, 1, 51);
  RedrawPicture(*s, p, 5, 0x20, "r");
  EXPECT_EQ(SurfacePixel(p, 4, 11), Grey(75));
  // 0x30: mean of the diagonal P(4x+j, s+j), s = 1 + 4 * done.
  Set(*s, 16, 9, 3, 10);
  Set(*s, 17, 10, 3, 20);
  Set(*s, 18, 11, 3, 30);
  Set(*s, 19, 12, 3, 43);
  RedrawPicture(*s, p, 5, 0x30, "r");
  EXPECT_EQ(SurfacePixel(p, 403, 5), Grey(25));
}

TEST(ViewBuilders, RedrawClearsAnnotationAndPublishesTheCaption) {
  auto s = std::make_unique<SharedState>();
  PictureSurfaces p;
  std::vector<std::string> captions;
  p.captionChanged = [&](const std::string& c) { captions.push_back(c); };
  s->ViewCaptions = {"", "VISUAL  ", "RECORD  ", "Clear RAM", "four", "ALL"};
  s->ViewMode = 2;
  s->PictureAnnotated = 1;
  RedrawPicture(*s, p, 2, 0x20, "r");
  EXPECT_EQ(s->PictureAnnotated.load(), 0);

  // A marked redraw of a view whose channel is off only publishes the caption.
  s->PictureAnnotated = 1;
  test::FillSentinel(p);
  RedrawPictureMarked(*s, p, 2, 0x20, 0x1);
  EXPECT_EQ(SurfacePixel(p, 100, 100), kSentinel);
  EXPECT_EQ(s->PictureAnnotated.load(), 1);
  RedrawPictureMarked(*s, p, 2, 0x20, 0x2);
  EXPECT_EQ(SurfacePixel(p, 100, 100), Grey(0));
  EXPECT_EQ(s->PictureAnnotated.load(), 0);

  s->AnaglyphOn = 1;
  s->ViewMode = 3;
  RedrawPicture(*s, p, 3, 0x20, "r");
  s->ViewMode = 200;  // outside the table: empty caption
  RedrawPicture(*s, p, 1, 0x20, "r");
  EXPECT_EQ(captions, (std::vector<std::string>{"RECORD  ", "RECORD  ", "RECORD  ", "ANAGLIF", ""}));
}

struct Counters { int last, current, prev, offsetV; };

TEST(ViewBuilders, RefreshDrawsTheNewBand) {
  auto s = test::RandomStore(4);
  PictureSurfaces p;
  std::vector<std::pair<int, int>> reported;
  p.rowsChanged = [&](int a, int b) { reported.push_back({a, b}); };
  s->LastDrawnLine = 100;
  s->CurrentLine = 150;
  test::FillSentinel(p);
  reported.clear();
  RefreshNewLines(*s, p, 1, 0x22, 0x1);
  EXPECT_EQ(s->LastDrawnLine.load(), 150);
  EXPECT_EQ(SurfacePixel(p, 98, 1), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 99, 1), Grey(s->ImageStore[StoreIndex(0, 98, 1)]));
  EXPECT_EQ(SurfacePixel(p, 151, 1100), Grey(s->ImageStore[StoreIndex(1099, 150, 1)]));
  EXPECT_EQ(SurfacePixel(p, 152, 1), kLime);  // markers of rows 149 and 150 stay
  EXPECT_EQ(SurfacePixel(p, 153, 1), kLime);
  EXPECT_EQ(SurfacePixel(p, 154, 1), kSentinel);
  EXPECT_EQ(reported, (std::vector<std::pair<int, int>>{{99, 153}}));

  // Wrapped to a new frame: drawn up to the previous frame's end.
  s->LastDrawnLine = 700;
  s->CurrentLine = 10;
  s->PrevFrameLines = 800;
  test::FillSentinel(p);
  RefreshNewLines(*s, p, 1, 0x22, 0x1);
  EXPECT_EQ(s->LastDrawnLine.load(), 10);
  EXPECT_EQ(SurfacePixel(p, 698, 1), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 699, 1), Grey(s->ImageStore[StoreIndex(0, 698, 1)]));
  EXPECT_EQ(SurfacePixel(p, 800, 1), Grey(s->ImageStore[StoreIndex(0, 799, 1)]));
  EXPECT_EQ(SurfacePixel(p, 11, 1), kSentinel);

  // A view whose channel is off keeps its picture but still follows CurrentLine.
  s->LastDrawnLine = 100;
  s->CurrentLine = 300;
  test::FillSentinel(p);
  reported.clear();
  RefreshNewLines(*s, p, 2, 0x22, 0x1);
  EXPECT_EQ(s->LastDrawnLine.load(), 300);
  for (int r = 0; r < 802; ++r) ASSERT_EQ(SurfacePixel(p, r, 7), kSentinel);
  EXPECT_TRUE(reported.empty());
}

TEST(ViewBuilders, RefreshWithOffsetAboveTheFrameStartsAtRowZero) {
  auto s = test::RandomStore(5);
  PictureSurfaces p;
  s->OffsetV = 10;
  s->LastDrawnLine = 0;
  s->CurrentLine = 100;
  test::FillSentinel(p);
  RefreshNewLines(*s, p, 1, 0x34, 0x1);  // rows -6..45 -> 0..45
  const auto mean = [&](int x, int y) {
    return (s->ImageStore[StoreIndex(2 + 2 * x, 2 * y + 1, 1)] +
            s->ImageStore[StoreIndex(3 + 2 * x, 2 * y + 1, 1)] +
            s->ImageStore[StoreIndex(2 + 2 * x, 2 * y + 2, 1)] +
            s->ImageStore[StoreIndex(3 + 2 * x, 2 * y + 2, 1)]) / 4;
  };
  EXPECT_EQ(SurfacePixel(p, 1, 1), Grey(mean(0, 0)));
  EXPECT_EQ(SurfacePixel(p, 46, 1100), Grey(mean(1099, 45)));
  EXPECT_EQ(SurfacePixel(p, 47, 1), kLime);  // markers of rows 43..45, three below each
  EXPECT_EQ(SurfacePixel(p, 49, 1), kLime);
  EXPECT_EQ(SurfacePixel(p, 50, 1), kSentinel);
  EXPECT_EQ(SurfacePixel(p, 800, 1), kSentinel);
}

TEST(ViewBuilders, RefreshPastThePictureLeavesDividerAndBorder) {
  auto s = test::RandomStore(9);
  PictureSurfaces p;
  for (auto [code, last] : {std::pair{0x30, 1604}, {0x30, 1610}, {0x20, 801}, {0x20, 806}}) {
    RedrawPicture(*s, p, 5, uint8_t(code), "r");
    const QImage before = p.Image1.copy();
    s->LastDrawnLine = last;
    s->CurrentLine = 1612;
    RefreshNewLines(*s, p, 5, uint8_t(code), 0xF);
    EXPECT_EQ(p.Image1, before) << code << " " << last;
  }
}

TEST(ViewBuilders, RefreshMatchesThePlainReading) {
  auto s = test::RandomStore(6);
  PictureSurfaces p;
  const Counters cases[] = {{0, 37, 0, 0},     {37, 120, 0, 3},  {380, 12, 400, 0},
                            {120, 500, 0, -4}, {790, 805, 0, 2}, {1500, 20, 1600, 0},
                            {1590, 1612, 0, 0}, {0, 0, 0, 30}};
  for (int code : {0x10, 0x20, 0x30}) {
    for (int view : {1, 3, 5}) {
      for (const Counters& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << code << " view " << view << " last "
                                        << c.last << " current " << c.current);
        s->LastDrawnLine = c.last;
        s->CurrentLine = c.current;
        s->PrevFrameLines = c.prev;
        s->OffsetV = int16_t(c.offsetV);
        test::FillSentinel(p);
        ReferenceDisplay ref(*s);
        ref.CopyFrom(p);
        RefreshNewLines(*s, p, view, uint8_t(code), 0xD);
        s->LastDrawnLine = c.last;
        ref.Refresh(view, code, 0xD);
        EXPECT_TRUE(test::SameAsReference(p, ref));
      }
    }
  }
}

TEST(ViewBuilders, CountersOutsideAnyFrameStayInBounds) {
  auto s = test::RandomStore(7);
  PictureSurfaces p;
  const Counters cases[] = {{INT_MAX, INT_MIN, INT_MIN, -32768}, {INT_MIN, INT_MAX, 0, 32767},
                            {5000, 4000, INT_MAX, 0}, {-9000, -8000, 0, 0}};
  for (int code : {0x10, 0x20, 0x30, 0x40}) {
    for (int view = 0; view <= 6; ++view) {
      for (const Counters& c : cases) {
        s->LastDrawnLine = c.last;
        s->CurrentLine = c.current;
        s->PrevFrameLines = c.prev;
        s->OffsetV = int16_t(c.offsetV);
        RefreshNewLines(*s, p, view, uint8_t(code), 0xF);
        EXPECT_EQ(s->LastDrawnLine.load(), c.current);
      }
    }
  }
  for (int k : {1, 2, 4, 3, 8})
    for (auto [a, b] : {std::pair{INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, {1600, 1600}, {-50, 3000}})
      BuildAllRows(*s, p, k, a, b);
  for (int k : {0, 1, 4, 5})
    for (int code : {0x10, 0x20, 0x30}) BuildSingle(*s, p, code, k, INT_MIN, INT_MAX);
}

}  // namespace
}  // namespace orvix
