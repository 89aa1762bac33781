#pragma once
// The views of the main picture: one channel at full size (views 1..4) or the four
// channels in quadrants (view 5, ALL), built from ImageStore for every resolution code and
// scaled to the 1100 x 800 picture (enlarged 2x with interpolation, copied, or averaged).
//
// Resolution codes are WorkMode AND 0x70. Code 0x40 ("error lines") is shown exactly like
// 0x30: the acquisition delivers the same 2200 x 1600 frame for both, and that is the
// only reading of 0x40 that stays inside the store (see DisplayCode). Other codes draw
// nothing.
//
// The builders compute a band of rows per pass over the column-major store (one column
// record holds consecutive lines of a column), then put each finished row on Image1 with
// one row copy. What ends up on Image1 and in the row bitmaps is the same as drawing each
// row through RowBitmapA and BlitRow one by one; marker rows that the next rows of the same
// run would cover at once are simply not written.
#include <cstdint>
#include <string>

#include "RunState.h"
#include "PictureSurfaces.h"

namespace orvix {

inline constexpr int kCode400 = 0x10;
inline constexpr int kCode800 = 0x20;
inline constexpr int kCode1600 = 0x30;
inline constexpr int kCodeError = 0x40;

// The resolution code the display uses for a working mode: WorkMode AND 0x70, except that
// 0x40 is shown as 0x30 (the single view of 0x40 would otherwise read source columns up
// to 4399 and lines up to 3199 of a 2602 x 1614 store).
int DisplayCode(uint8_t workMode);

// Single-channel builders for channel k (1..4) over display rows start..end (clamped to
// 0..799). The marker row is MarkerRowA as the caller filled it.
// 550 x 400 enlarged 2x: rows in pairs from start + 1; marker one row below the pair.
void BuildSingle10(SharedState& s, PictureSurfaces& p, int k, int start, int end);
// 1100 x 800 copied; marker two rows below.
void BuildSingle20(SharedState& s, PictureSurfaces& p, int k, int start, int end);
// 2200 x 1600, mean of each 2 x 2 block from column 2, line 1; marker three rows below.
void BuildSingle30(SharedState& s, PictureSurfaces& p, int k, int start, int end);
// By display code (DisplayCode); other codes and channels draw nothing.
void BuildSingle(SharedState& s, PictureSurfaces& p, int code, int k, int start, int end);

// ALL builder with reduction k = 1 (0x10), 2 (0x20) or 4 (0x30) over source lines
// start..end; quadrant rows are drawn with BlitQuadrantRow's rules.
void BuildAllRows(SharedState& s, PictureSurfaces& p, int k, int start, int end);
// By display code; other codes draw nothing.
void BuildAll(SharedState& s, PictureSurfaces& p, int code, int start, int end);

// Incremental refresh while a RECORD frame is scanned: the rows that arrived since the
// last refresh (plus a few before them), with the marker below the newest row. A single
// view whose channel is not in the mask keeps its picture. LastDrawnLine always follows
// CurrentLine afterwards.
void RefreshNewLines(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                     uint8_t mask);

// Full redraw with border. The marker letter colours the marker row of a single view.
// With AnaglyphOn, view 3 shows the anaglyph composed with p.Anaglyph (the settings
// window's mirror) under the caption "ANAGLIF". Clears PictureAnnotated and publishes the
// caption.
void RedrawPicture(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                   const std::string& letter);

// Full redraw without border after each whole frame while acquisition continues: ALL
// marks the acquired quadrants from the mask; a single view is redrawn (lime marker) only
// when its channel is in the mask or an anaglyph is on, otherwise only the caption is
// published again.
void RedrawPictureMarked(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                         uint8_t mask);

// The caption of the current ViewMode (empty for a value outside 0..5).
std::string ViewCaption(const SharedState& s);

}  // namespace orvix
