#pragma once
// The printed page of the print window: where the picture, its frame, the footer line and
// the text block go, in device pixels, from the printer's resolution and printable area.
// Plain arithmetic, no printer: the print window draws what this returns, and the tests
// check it at any resolution and orientation.
#include <array>
#include <string>
#include <vector>

namespace orvix {

namespace print {
inline constexpr double kPictureWidthMm = 150.0;
// 150 mm across 1100 columns, 800 rows high.
inline constexpr double kPictureHeightMm = 150.0 * 800.0 / 1100.0;
inline constexpr double kTopPortraitMm = 30.0;
inline constexpr double kTopLandscapeMm = 20.0;
inline constexpr int kFrameGap = 16;   // device pixels between picture and frame
inline constexpr int kFramePen = 4;    // frame pen width in device pixels
inline constexpr int kFooterRise = 100;  // footer top above the bottom, device pixels
inline constexpr double kLabelMm = 2.0;   // labels, from the picture's left edge
inline constexpr double kValueMm = 30.0;  // values, from the picture's left edge
inline constexpr double kNameStepMm = 4.0;
inline constexpr double kDateStepMm = 4.0;
inline constexpr double kFirstCommentStepMm = 10.0;
inline constexpr double kCommentStepMm = 5.0;
inline constexpr int kTextPoints = 8;
inline constexpr int kFooterPoints = 4;
inline constexpr const char* kFont = "Courier New";
inline constexpr const char* kNameLabel = "nazwa pliku   ";
inline constexpr const char* kDateLabel = "data wydruku  ";
inline constexpr const char* kValuePrefix = "-   ";
// The station's identification line at the foot of every page.
inline constexpr const char* kFooter = "ORVIX - stacja operatora mikroskopu skaningowego";
inline constexpr int kCommentLines = 5;
}  // namespace print

// One line of the text block: its top row and left column, and the text.
struct PrintTextLine {
  int x = 0;
  int y = 0;
  std::string text;
};

struct PrintPage {
  double k = 0;        // device pixels per millimetre
  double leftMm = 0;   // picture's left edge
  double topMm = 0;    // picture's top edge
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // picture rectangle
  int footerTop = 0;   // top row of the footer line
  std::vector<PrintTextLine> lines;  // labels, values and comment lines, top to bottom
};

// The page for a printer of `dpi` dots per inch and a printable area of width x height
// device pixels. A single-channel view (1..4) prints the file name `fileName`; every page
// prints the date and the five comment lines (empty ones print nothing but keep their
// place). A printer that reports no resolution gets no page: k stays 0 and nothing is
// placed.
PrintPage LayOutPrintPage(int dpi, int width, int height, int viewMode,
                          const std::string& fileName, const std::string& date,
                          const std::array<std::string, print::kCommentLines>& comments);

// Left column of the footer line of width `textWidth` on a page `width` wide.
int FooterLeft(int width, int textWidth);

}  // namespace orvix
