// The printed page's geometry: a wrong truncation, a swapped orientation test or a text
// step off by a millimetre moves the picture, its frame or the comment on every printer.
#include <gtest/gtest.h>

#include "PrintPage.h"

namespace orvix {
namespace {

const std::array<std::string, 5> kComments{"pierwsza", "", "trzecia", "", "piąta"};

// A4 at 600 dpi less 5 mm margins: 4725 x 6779 device pixels printable.
TEST(PrintPageGeometry, PictureAt600DpiPortraitAndLandscape) {
  const PrintPage p = LayOutPrintPage(600, 4725, 6779, 1, "a.bmp", "09.12.2026", kComments);
  EXPECT_NEAR(p.k, 23.622, 0.001);
  EXPECT_NEAR(p.X2 - p.X1, 3543, 1);
  EXPECT_EQ(p.Y1, 708);
  EXPECT_EQ(p.Y2, 3285);
  // Centred: the margins left and right differ by at most the truncation.
  EXPECT_LE(std::abs(p.X1 - (4725 - p.X2)), 2);
  EXPECT_EQ(p.footerTop, 6779 - 100);

  const PrintPage l = LayOutPrintPage(600, 6779, 4725, 1, "a.bmp", "d", kComments);
  EXPECT_EQ(l.Y1, 472);  // 20 mm
  EXPECT_EQ(l.Y2, static_cast<int>((20 + 150.0 * 800 / 1100) * 600 / 25.4));
  EXPECT_LE(std::abs(l.X1 - (6779 - l.X2)), 2);
  // A square page is not portrait.
  EXPECT_EQ(LayOutPrintPage(600, 5000, 5000, 1, "", "", kComments).Y1, 472);
  // An odd resolution still centres the picture in whole pixels.
  const PrintPage odd = LayOutPrintPage(300, 2480, 3508, 5, "", "", kComments);
  EXPECT_NEAR(odd.X2 - odd.X1, 1771, 1);
  EXPECT_EQ(odd.Y1, 354);
  // No resolution: nothing placed, no division by zero.
  const PrintPage none = LayOutPrintPage(0, 100, 100, 1, "", "", kComments);
  EXPECT_EQ(none.k, 0);
  EXPECT_TRUE(none.lines.empty());
}

int Row(double mm) { return static_cast<int>(mm * 600 / 25.4); }

TEST(PrintPageGeometry, TextBlockStepsAndColumns) {
  const double bottom = 30 + 150.0 * 800 / 1100;
  // Single-channel view: name line 4 mm under the picture, date 4 mm further, comments
  // 10 mm under the date and 5 mm apart; empty comments keep their place.
  const PrintPage p = LayOutPrintPage(600, 4725, 6779, 2, "kan2.bmp", "09.12.2026", kComments);
  ASSERT_EQ(p.lines.size(), 9u);
  const int labelX = static_cast<int>((p.leftMm + 2) * p.k);
  const int valueX = static_cast<int>((p.leftMm + 30) * p.k);
  EXPECT_EQ(p.lines[0].text, "nazwa pliku   ");
  EXPECT_EQ(p.lines[0].x, labelX);
  EXPECT_EQ(p.lines[0].y, Row(bottom + 4));
  EXPECT_EQ(p.lines[1].text, "-   kan2.bmp");
  EXPECT_EQ(p.lines[1].x, valueX);
  EXPECT_EQ(p.lines[1].y, p.lines[0].y);
  EXPECT_EQ(p.lines[2].text, "data wydruku  ");
  EXPECT_EQ(p.lines[3].text, "-   09.12.2026");
  EXPECT_EQ(p.lines[2].y, Row(bottom + 8));
  const double firstComment = bottom + 8 + 10;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p.lines[size_t(4 + i)].text, kComments[size_t(i)]) << i;
    EXPECT_EQ(p.lines[size_t(4 + i)].x, labelX) << i;
    EXPECT_EQ(p.lines[size_t(4 + i)].y, Row(firstComment + 5 * i)) << i;
  }

  // ALL view: no file-name line, the date 4 mm under the picture, the rest moves up.
  const PrintPage all = LayOutPrintPage(600, 4725, 6779, 5, "x", "d", kComments);
  ASSERT_EQ(all.lines.size(), 7u);
  EXPECT_EQ(all.lines[0].text, "data wydruku  ");
  EXPECT_EQ(all.lines[0].y, Row(bottom + 4));
  EXPECT_EQ(all.lines[2].y, Row(bottom + 14));
  EXPECT_EQ(all.lines[6].y, Row(bottom + 34));
}

TEST(PrintPageGeometry, FooterCentred) {
  EXPECT_EQ(FooterLeft(4725, 1000), 1862);
  EXPECT_EQ(FooterLeft(4725, 1001), 1862);  // truncated
  EXPECT_EQ(FooterLeft(100, 100), 0);
}

}  // namespace
}  // namespace orvix
