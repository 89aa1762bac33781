#pragma once
// The linescan's arithmetic and its trace: which display row is followed, the picture row
// and pixel numbers shown for a display row and column in every resolution and view, the
// level in percent, and the profile of one row of Image1 drawn as an oscilloscope trace.
// Kernels only; every read of Image1 is checked against its size, whatever row or column
// is asked for. UI thread.
#include <QImage>
#include <array>
#include <cstdint>
#include <optional>

namespace orvix {

namespace linescan {
inline constexpr int kFirstRow = 1, kLastRow = 800;
inline constexpr int kRedrawCurrent = -5;  // WezLinieWyswietl: redraw the row followed
inline constexpr int kRedrawLimit = -4;    // n at or below this redraws the current row
inline constexpr int kInitialRow = 2;
inline constexpr int kColumns = 1100;
inline constexpr int kPlotWidth = 1101, kPlotHeight = 270;
inline constexpr int kGridTop = 5, kGridBottom = 261;
inline constexpr double kGridStep = 51.2;
inline constexpr int kBaseline = 261;  // level 0
inline constexpr int kMarkerShift = 3;  // marker left = column + 3
inline constexpr QRgb kGrid = 0xFF808080;
inline constexpr QRgb kTrace = 0xFF00FF00;
}  // namespace linescan

using LinescanProfile = std::array<uint8_t, linescan::kColumns>;

// WezLinieWyswietl's choice of row: nothing when n is the row already followed; otherwise
// n (or the current row for n <= -4), kept within 1..800.
std::optional<int32_t> TakeLinescanRow(int32_t n, int32_t current);

// The picture row shown for display row L, and the picture pixel for display column x,
// by lines code (WorkMode AND 0x70) and view; nothing for an unknown lines code (the text
// stays as it was).
std::optional<int32_t> LinescanRowNumber(uint8_t linesCode, int view, int32_t L);
std::optional<int32_t> LinescanPixelNumber(uint8_t linesCode, int view, int32_t x);
// The marker column: 1..1100 in a single view, 1..1099 in the ALL view.
int32_t ClampMarkerColumn(int view, int32_t x);
// The spin's step: 2 display rows per picture row in the 400-line single view, else 1.
int32_t LinescanSpinStep(uint8_t linesCode, int view);
// Round(v * 100 / 256), halves to even.
int32_t LevelPercent(int32_t v);

// The red component of Image1 pixel (column, row); 0 outside Image1.
uint8_t ImageLevel(const QImage& image1, int column, int row);
// v[i] = level of Image1 pixel (i + 1, L - 1), i = 0..1099.
void ReadProfile(const QImage& image1, int32_t L, LinescanProfile& v);
// The trace on the 1101 x 270 plot: black, the dotted grey grid, the lime curve.
void DrawProfile(QImage& plot, const LinescanProfile& v);

}  // namespace orvix
