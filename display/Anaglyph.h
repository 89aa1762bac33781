#pragma once
// The anaglyph: the stereo pair recorded in the kan1 plane (first picture) and the kan2
// plane (second picture), read as 1100 columns x 800 lines whatever the resolution, and
// combined into one colour picture for red/cyan or green/magenta glasses. It takes the
// place of view 3 while AnaglyphOn is set.
#include "RunState.h"
#include "PictureSurfaces.h"

namespace orvix {

// Composes display rows start..end (clamped to 0..799) with the given options, each row put
// on surface row y + 1 with the marker (MarkerRowA, as the caller filled it) two rows below,
// as BlitRow(y, 2) does. RowBitmapA is filled black first, so columns a composer does not
// write stay black; with neither colour pair chosen every row is black. Red-cyan wins when
// both pairs are set.
//   0 degrees: row y shows source line y (end - y flipped top to bottom), column x at
//     display column x (1099 - x flipped left to right).
//   90 degrees: row y shows source column 949 - y (949 - (end - y) flipped), source line x
//     at display column x + 150 (949 - x flipped); columns outside 0..1099 are dropped, so
//     display columns 0..149 (950..1099 flipped) stay black. Source lines 800..949 lie past
//     an 800-line frame and are shown as the store holds them.
void ComposeAnaglyph(SharedState& s, PictureSurfaces& p, int start, int end,
                     const AnaglyphOptions& options);

// The anaglyph page's choices as the composer takes them: colour pair and turn from the
// table, the two flips from their mirror in the state.
AnaglyphOptions AnaglyphChoices(const SharedState& s);

}  // namespace orvix
