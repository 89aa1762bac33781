#pragma once
// The information strip burnt into the bottom of every marked picture: the scale bar and its
// label, the magnification, the high voltage, the scan settings, the registration number
// and the date. Each channel's strip is built in StripBuffer at the reference width of 551
// columns and then copied into ImageStore at 1x, 2x or 4x, so it has the same size on
// screen in 400, 800 and 1600 lines.
//
// Kernels only: they take the state and what else they need as arguments and return what
// they did. Nothing here writes outside StripBuffer or ImageStore, whatever UnitScale, the
// correction or WorkMode hold. UI thread; the burn writes ImageStore, so its caller holds
// StoreLock.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "RunState.h"

namespace orvix {

namespace strip {
inline constexpr int kColumns = 551;
inline constexpr int kRows = 31;
inline constexpr int kChannels = 4;
// Byte (column x, row r, channel k) sits at x * 124 + r * 4 + (k - 1).
inline constexpr size_t kRowStride = kChannels;                 // 4
inline constexpr size_t kColumnStride = size_t(kRows) * kRowStride;  // 124
inline constexpr size_t kBytes = size_t(kColumns) * kColumnStride;  // 68,324
static_assert(kColumnStride == 124);

inline constexpr int kLastColumn = kColumns - 1;  // 550
inline constexpr int kClearedRows = 22;           // rows 0..21 are rebuilt on every strip
inline constexpr int kLastBurntRow = 22;          // always 0: the black line under the texts
inline constexpr int kBarTop = 1, kBarBottom = 7;  // frame lines of the bar
inline constexpr int kBarInnerTop = 2, kBarInnerBottom = 6;
inline constexpr int kBarStart = 10;               // first bar column
inline constexpr int kBarSpan = 541;               // columns 10..550 of the ticks and fields
inline constexpr int kTickWidth = 3;
inline constexpr int kTextTopRow = 10;             // text rows 10..21 = bitmap rows 3..14
inline constexpr int kBitmapFirstRow = 3, kBitmapLastRow = 14;
inline constexpr int kBitmapToStripRow = 7;

// Where the texts go: left edges, or the column a right-aligned text ends at.
inline constexpr int kLabelLeft = 15;
inline constexpr int kMagnificationLeft = 80;
inline constexpr int kKVLeft = 198;
inline constexpr int kSettingsLeft = 255;
inline constexpr int kRegistrationEnd = 445;
inline constexpr int kDateEnd = 540;

// Strip rows burnt: 23 - h .. 22, with h = 22 when the bar is shown, 16 without it.
inline constexpr int kRowsWithBar = 22;
inline constexpr int kRowsWithoutBar = 16;

inline constexpr uint8_t kWhite = 255;
inline constexpr int kShortBar = 218;  // a range whose bar is shorter than this is chosen
inline constexpr int kLastChosenRange = 12;
inline constexpr int kRanges = 14;
inline constexpr int kLowestCorrection = 50, kHighestCorrection = 150;
inline constexpr int kUncorrected = 100;
inline constexpr double kColumnsPerMagnification = 0.02;

inline constexpr uint16_t kLowNibbleNoMagnification = 10;  // UnitStatusWord & 15 >= 10
inline constexpr int32_t kHighestKV = 200;

// While the test picture is on the strip shows these readings.
inline constexpr double kTestScale = 100.0;
inline constexpr int32_t kTestStatusWord = 161;
inline constexpr int32_t kTestKV = 20;

inline constexpr const char* kNoMagnification = "Magn = ?";
inline constexpr const char* kMagnificationPrefix = "Magn = ";
inline constexpr const char* kNoKV = "?kV";
inline constexpr const char* kNoBar = "? mm";
}  // namespace strip

// Range tables, index 0 = the longest bar.
inline constexpr std::array<int32_t, strip::kRanges> BarDivisors = {
    1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
inline constexpr std::array<double, strip::kRanges> BarNanometreTable = {
    1'000'000, 500'000, 200'000, 100'000, 50'000, 20'000, 10'000,
    5'000,     2'000,   1'000,   500,     200,    100,    50};
inline constexpr std::array<const char*, strip::kRanges> BarLabels = {
    "1mm", "500µm", "200µm", "100µm", "50µm", "20µm", "10µm",
    "5µm", "2µm",   "1µm",   "500nm", "200nm", " ",   " "};

// One channel's strip raster, 551 x 31 x 4 bytes. Reads outside it give 0 and writes
// outside it are dropped, so no drawing can run past the strip.
class StripBuffer {
 public:
  static constexpr size_t Index(int x, int r, int k) {
    return size_t(x) * strip::kColumnStride + size_t(r) * strip::kRowStride + size_t(k - 1);
  }
  static constexpr bool Inside(int x, int r, int k) {
    return x >= 0 && x < strip::kColumns && r >= 0 && r < strip::kRows && k >= 1 &&
           k <= strip::kChannels;
  }
  uint8_t At(int x, int r, int k) const { return Inside(x, r, k) ? bytes[Index(x, r, k)] : 0; }
  void Set(int x, int r, int k, uint8_t v) {
    if (Inside(x, r, k)) bytes[Index(x, r, k)] = v;
  }
  // Rows first..last of channel k, columns first..last, set to v (clipped to the strip).
  void Fill(int k, int firstRow, int lastRow, int firstColumn, int lastColumn, uint8_t v);

  std::array<uint8_t, strip::kBytes> bytes{};
};

// The correction the bar is computed with. While the calibration window is open its box
// (Edit22) gives one correction for every range; while it is closed each range uses its own
// stored correction from CorrectionTable.
struct CorrectionBox {
  std::string text = "100";  // the box as the operator left it
  bool calibrationOpen = false;
  int lastGood = strip::kUncorrected;  // used while the box holds no number
};

struct BarResult {
  int32_t BarPixels = 1;    // strip columns
  int32_t BarPixels2 = 2;   // pixels of the 1100-wide picture
  double BarNanometres = 0;
  int range = 0;
  int correction = strip::kUncorrected;  // of the chosen range
  // What the box shows afterwards: its number limited to 50..150; unchanged when it holds
  // no number (boxReadable false), and the previous correction is used instead.
  std::string boxText;
  bool boxReadable = true;
};

// Reads the box (trimmed, rounded to the nearest integer, limited to 50..150), then tries
// ranges 0, 1, ... until the bar is shorter than 218 columns, stopping at range 12.
// `box.lastGood` is updated when the box holds a number.
BarResult BarLength(const SharedState& s, CorrectionBox& box);

enum class BarLook { Ticks, Fields, Single, None };
// The look chosen on the strip page (the first flag set wins; none set draws no bar).
BarLook ChosenBarLook(const ConfigTable& c);

// Draws the bar of `bar` into channel k: frame lines and ticks, fields, or one bar cut at the
// strip's last column. Labels are texts and drawn by the caller.
void DrawBarRows(StripBuffer& b, int k, BarLook look, int32_t barPixels);

bool MagnificationAvailable(const SharedState& s);

// The five texts of channel k's strip, empty when their box is off (`date` is today's date
// in the short format, already trimmed).
struct StripTexts {
  std::string magnification, kv, settings, registration, date;
};
std::string MagnificationText(const SharedState& s);
std::string KVText(const SharedState& s);
std::string SettingsText(uint8_t workMode);
std::string RegistrationText(int k, uint16_t regNumber);
StripTexts MakeStripTexts(const SharedState& s, int k, const std::string& date);

// Scale of the copy into ImageStore by WorkMode & 0x70: 0x10 1x, 0x30 4x, else 2x.
int StripScale(uint8_t workMode);

struct BurnOutcome {
  int scale = 0;
  int firstLine = 0, lastLine = -1;   // ImageStore lines written
  int firstColumn = 0, lastColumn = -1;
  bool clipped = false;  // something would have fallen outside ImageStore and was dropped
};
// Copies strip rows 23 - h .. 22 of channel k into channel k of ImageStore at the scale of
// WorkMode, over the full strip width (h = 22 with the bar's dimension shown, else 16).
// The caller holds StoreLock.
BurnOutcome BurnStripIntoStore(const StripBuffer& b, SharedState& s, int k, bool withBar);

// Whether channel k gets its strip: marked for it, in use and holding a new picture.
bool StripWanted(const SharedState& s, int k);

// The registration number after a save or a RECORD cycle: + 1, from 999 back to 1.
void NumeracjaZdjecia(SharedState& s);

}  // namespace orvix
