#pragma once
// Row drawing: the one-row bitmaps go onto Image1 row by row, with a coloured progress
// marker row below the newest row, the linescan window kept in step, and the fixed
// decorations (border, ALL dividers). A detector value v is shown as grey (v, v, v); no
// gain or offset is applied on the display side.
//
// Every write is clipped to the row bitmaps and to Image1, whatever rows arrive.
#include <cstdint>
#include <string>

#include "RunState.h"
#include "PictureSurfaces.h"

namespace orvix {

// Pixels 0..1099 of the bitmap in the colour of the letter (first character; unknown or
// empty is fuchsia).
void FillRow(const std::string& letter, QImage& bitmap);

// ALL view: MarkerRowA black, lime over columns 1..549 when bits 0-1 of the mask are 1,
// 551..1099 when 2, both when 3, pixel 550 fuchsia; MarkerRowB likewise with bits 2-3.
void SetMarkerRows(PictureSurfaces& p, uint8_t mask);

// RowBitmapA at surface row y + 1; MarkerRowA at y + 1 + d while y + 1 < 797; then the
// linescan redraw when it follows surface row y + 1.
void BlitRow(SharedState& s, PictureSurfaces& p, int y, int d);

// RowBitmapA at surface row y, RowBitmapB at y + 400, the linescan redraw when it follows
// either, then the marker rows at y + 1 and y + 401 while y < 398.
void BlitQuadrantRow(SharedState& s, PictureSurfaces& p, int y);

// ALL frame: black rows 399 and 800, fuchsia row 400, RowBitmapA/B black with the fuchsia
// divider pixel 550; the linescan redraw when it follows row 0, 400 or 799.
void DrawQuadrantFrame(SharedState& s, PictureSurfaces& p);

// The fuchsia rectangle around the picture: surface rows 0 and 801, columns 0 and 1101.
void DrawPictureBorder(PictureSurfaces& p);

// Negative values to 0, end raised to start, both lowered to at most 799.
void ClampRows(int& start, int& end);
// start and end to at least 1, end raised to start, count of 400 or more lowered to 399.
void ClampQuadrantRows(int& start, int& end, int& count);

// --- Row output for the builders ------------------------------------------------------
// The builders compute whole rows and hand them over here; one row copy per row.
namespace rows {
// The 1100 picture pixels of surface row `surfaceRow` (column 1 on); nullptr outside Image1.
uint32_t* SurfaceRow(PictureSurfaces& p, int surfaceRow);
// A row bitmap as 1100 Image1 pixels, and back.
void BitmapToArgb(const QImage& bitmap, uint32_t* out);
void ArgbToBitmap(const uint32_t* in, QImage& bitmap);
void GreyToBitmap(const uint8_t* grey, QImage& bitmap);
// One finished row onto Image1 (dropped outside it), reported as written.
void PutArgbRow(PictureSurfaces& p, int surfaceRow, const uint32_t* row);
void PutGreyRow(PictureSurfaces& p, int surfaceRow, const uint8_t* grey);
// Asks the linescan window to redraw when it is open and follows this surface row.
void CheckLinescan(SharedState& s, PictureSurfaces& p, int surfaceRow);
}  // namespace rows

}  // namespace orvix
