#pragma once
// The fixed numbers of the picture on screen, in one place: surface and picture geometry,
// the quadrant layout of the ALL view, the marker limits, the row colours and the
// anaglyph caption.
#include <cstdint>

#include "Colours.h"

namespace orvix::display {

// Image1: the picture with a one-pixel border on every side.
inline constexpr int kSurfaceWidth = 1102;
inline constexpr int kSurfaceHeight = 802;
inline constexpr int kLastSurfaceRow = kSurfaceHeight - 1;    // 801, bottom border
inline constexpr int kLastSurfaceColumn = kSurfaceWidth - 1;  // 1101, right border

// The picture proper: display row r, column c sit at surface row r + 1, column c + 1.
inline constexpr int kPictureColumns = 1100;
inline constexpr int kPictureRows = 800;
inline constexpr int kPictureLeft = 1;
inline constexpr int kPictureTop = 1;
inline constexpr int kLastDisplayRow = kPictureRows - 1;  // 799

// A marker row is drawn below a picture row only while that row is above this surface row,
// so a full redraw leaves no marker behind.
inline constexpr int kMarkerLimit = 797;

// ALL view: four quadrants of 549 columns; column 550 and surface row 400 are the dividers.
inline constexpr int kQuadrantColumns = 549;
inline constexpr int kDividerColumn = 550;
inline constexpr int kRightQuadrantColumn = 551;
inline constexpr int kQuadrantRows = 400;        // surface row offset of the bottom half
inline constexpr int kDividerRow = 400;
inline constexpr int kQuadrantRowLimit = 399;    // quadrant rows drawn are below this (k = 2, 4)
inline constexpr int kQuadrantMarkerLimit = 398;

// Anaglyph turned by 90 degrees: display row y shows source column 949 - y, source line x
// goes to display column x + 150.
inline constexpr int kTurnColumn = 949;
inline constexpr int kTurnShift = 150;

inline constexpr const char* kAnaglyphCaption = "ANAGLIF";

// Row colours of the colour letters: the station's named colours.
using orvix::Rgb;
using orvix::kAqua;
using orvix::kBlack;
using orvix::kFuchsia;
using orvix::kLime;
using orvix::kRed;
using orvix::kWhite;
using orvix::kYellow;

// The colour of a fill letter: its first character decides; anything unknown is fuchsia.
constexpr Rgb ColourOfLetter(char c) {
  switch (c) {
    case 'a': return kAqua;
    case 'b': return kBlack;
    case 'l': return kLime;
    case 'r': return kRed;
    case 'w': return kWhite;
    case 'y': return kYellow;
    default: return kFuchsia;
  }
}

// Image1 pixel (QImage::Format_RGB32) of a colour, and of a grey value.
constexpr uint32_t Argb(Rgb c) {
  return 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b);
}
constexpr uint32_t Argb(uint8_t r, uint8_t g, uint8_t b) { return Argb(Rgb{r, g, b}); }
constexpr uint32_t GreyArgb(uint8_t v) { return 0xFF000000u | uint32_t(v) * 0x010101u; }

}  // namespace orvix::display
