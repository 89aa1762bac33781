#include "InfoStrip.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "Lines.h"
#include "TextTrim.h"

namespace orvix {

using namespace strip;

void StripBuffer::Fill(int k, int firstRow, int lastRow, int firstColumn, int lastColumn,
                       uint8_t v) {
  if (k < 1 || k > kChannels) return;
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, kRows - 1);
  firstColumn = std::max(firstColumn, 0);
  lastColumn = std::min(lastColumn, kLastColumn);
  for (int x = firstColumn; x <= lastColumn; ++x)
    for (int r = firstRow; r <= lastRow; ++r) bytes[Index(x, r, k)] = v;
}

namespace {

// The box as a number: a decimal, with "," accepted as the decimal sign.
bool ParseNumber(const std::string& text, double& value) {
  std::string t = Trimmed(text);
  std::replace(t.begin(), t.end(), ',', '.');
  if (t.empty()) return false;
  const char* first = t.data();
  if (*first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, t.data() + t.size(), value);
  return ec == std::errc() && end == t.data() + t.size() && std::isfinite(value);
}

int Limited(double v) {
  return static_cast<int>(std::clamp(v, double(kLowestCorrection), double(kHighestCorrection)));
}

// Trunc(c x UnitScale x 0.02 / divisor), kept inside int32 (a magnification far beyond any
// microscope still gives a finite bar; a negative or unreadable one gives no length).
int32_t ColumnsOf(int c, double scale, int32_t divisor) {
  const double v = double(c) * scale * kColumnsPerMagnification / double(divisor);
  if (!(v > 0)) return 0;  // negative or NaN
  if (v >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

}  // namespace

BarResult BarLength(const SharedState& s, CorrectionBox& box) {
  BarResult r;
  double typed = 0;
  if (ParseNumber(box.text, typed)) {
    box.lastGood = Limited(std::nearbyint(typed));
    r.boxText = std::to_string(box.lastGood);
    box.text = r.boxText;
  } else {
    // An empty or half-typed box keeps the correction of the last number it held.
    r.boxReadable = false;
    r.boxText = box.text;
  }
  const double scale = s.UnitScale.load();
  for (int i = 0; i <= kLastChosenRange; ++i) {
    const int c = box.calibrationOpen ? box.lastGood : Limited(s.CorrectionTable[size_t(i)]);
    r.range = i;
    r.correction = c;
    r.BarPixels = ColumnsOf(c, scale, BarDivisors[size_t(i)]);
    if (r.BarPixels < kShortBar) break;
  }
  if (r.BarPixels <= 0) r.BarPixels = 1;
  r.BarNanometres = BarNanometreTable[size_t(r.range)];
  r.BarPixels2 = r.BarPixels > std::numeric_limits<int32_t>::max() / 2
                     ? std::numeric_limits<int32_t>::max()
                     : 2 * r.BarPixels;
  return r;
}

BarLook ChosenBarLook(const ConfigTable& c) {
  if (c.Flag(cfg::kBarTicksRow) != 0) return BarLook::Ticks;
  if (c.Flag(cfg::kBarFieldsRow) != 0) return BarLook::Fields;
  if (c.Flag(cfg::kBarSingleRow) != 0) return BarLook::Single;
  return BarLook::None;
}

void DrawBarRows(StripBuffer& b, int k, BarLook look, int32_t barPixels) {
  if (barPixels < 1) barPixels = 1;
  switch (look) {
    case BarLook::Ticks:
    case BarLook::Fields: {
      b.Fill(k, kBarTop, kBarTop, 0, kLastColumn, kWhite);
      b.Fill(k, kBarBottom, kBarBottom, 0, kLastColumn, kWhite);
      for (int i = 0; i < kBarSpan; ++i) {
        const bool white = look == BarLook::Ticks
                               ? i % barPixels < kTickWidth
                               : (int64_t(i) % (2 * int64_t(barPixels))) < barPixels;
        if (white) b.Fill(k, kBarInnerTop, kBarInnerBottom, kBarStart + i, kBarStart + i, kWhite);
      }
      break;
    }
    case BarLook::Single: {
      // Columns 10 .. 9 + BarPixels, cut at the strip's last column.
      const int64_t end = std::min<int64_t>(int64_t(kBarStart) - 1 + barPixels, kLastColumn);
      b.Fill(k, kBarInnerTop, kBarInnerBottom, kBarStart, static_cast<int>(end), kWhite);
      break;
    }
    case BarLook::None: break;
  }
}

bool MagnificationAvailable(const SharedState& s) {
  return (s.UnitStatusWord.load() & 15) < kLowNibbleNoMagnification;
}

std::string MagnificationText(const SharedState& s) {
  if (!MagnificationAvailable(s)) return kNoMagnification;
  const double v = s.UnitScale.load();
  char buf[400];
  // The shortest decimal that reads back as the same number, without an exponent.
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  const std::string digits = ec == std::errc() ? std::string(buf, end) : std::string("?");
  return std::string(kMagnificationPrefix) + digits;
}

std::string KVText(const SharedState& s) {
  const int32_t kv = s.UnitKV.load();
  if (kv > kHighestKV) return kNoKV;
  return std::to_string(kv) + "kV";
}

std::string SettingsText(uint8_t workMode) {
  const char* lines;
  switch (LinesOf(workMode)) {
    case Lines::L400: lines = " 400"; break;
    case Lines::L800: lines = " 800"; break;
    case Lines::L1600: lines = "1600"; break;
    case Lines::L1600b: lines = "error"; break;
    default: lines = "Error"; break;
  }
  static const char* const kTimes[8] = {"2", "5", "10", "20", "50", "error", "error", "error"};
  return std::string(lines) + " lines" + "  " + kTimes[workMode & 7] + " ms";
}

std::string RegistrationText(int k, uint16_t regNumber) {
  const std::string padded = "00000" + std::to_string(regNumber);
  return "nr " + std::to_string(k) + "/" + padded.substr(padded.size() - 4);
}

StripTexts MakeStripTexts(const SharedState& s, int k, const std::string& date) {
  const ConfigTable& c = s.Config;
  StripTexts t;
  if (c.Flag(cfg::kStripMagnificationRow) != 0) t.magnification = MagnificationText(s);
  if (c.Flag(cfg::kStripKVRow) != 0) t.kv = KVText(s);
  if (c.Flag(cfg::kStripSettingsRow) != 0) t.settings = SettingsText(s.WorkMode.load());
  if (c.Flag(cfg::kStripRegNumberRow) != 0) t.registration = RegistrationText(k, s.RegNumber.load());
  if (c.Flag(cfg::kStripDateRow) != 0) t.date = Trimmed(date);
  return t;
}

int StripScale(uint8_t workMode) {
  switch (LinesOf(workMode)) {
    case Lines::L400: return 1;
    case Lines::L1600: return 4;
    default: return 2;
  }
}

BurnOutcome BurnStripIntoStore(const StripBuffer& b, SharedState& s, int k, bool withBar) {
  BurnOutcome o;
  if (k < 1 || k > kChannels) return o;
  const int n = StripScale(s.WorkMode.load());
  const int h = withBar ? kRowsWithBar : kRowsWithoutBar;
  // Strip row r lands on lines n*r + base .. n*r + base + n - 1: 378 at 1x, 755 at 2x,
  // 1511 at 4x, so the strip's last row is the line under a 400- or 800-line picture and
  // line 1602 of a 1600-line one.
  const int base = n == 1 ? 378 : (n == 2 ? 755 : 1511);
  o.scale = n;
  o.firstLine = n * (kLastBurntRow + 1 - h) + base;
  o.lastLine = n * kLastBurntRow + base + n - 1;
  o.firstColumn = 0;
  o.lastColumn = n * kColumns - 1;
  uint8_t* store = s.ImageStore.data();
  for (int x = 0; x < kColumns; ++x) {
    for (int r = kLastBurntRow + 1 - h; r <= kLastBurntRow; ++r) {
      const uint8_t v = b.At(x, r, k);
      for (int dx = 0; dx < n; ++dx) {
        const int column = n * x + dx;
        for (int dy = 0; dy < n; ++dy) {
          const int line = n * r + base + dy;
          if (column >= kStoreColumns || line >= kStoreRows) {
            o.clipped = true;
            continue;
          }
          store[StoreIndex(column, line, k)] = v;
        }
      }
    }
  }
  o.lastLine = std::min(o.lastLine, kStoreRows - 1);
  o.lastColumn = std::min(o.lastColumn, kStoreColumns - 1);
  return o;
}

bool StripWanted(const SharedState& s, int k) {
  if (k < 1 || k > kChannels) return false;
  const unsigned bit = 1u << (k - 1);
  return s.Config.MarkerChannel(k) && (s.ChannelCode.load() & 0x0F & bit) != 0 &&
         (s.UnsavedChannels.load() & bit) != 0;
}

void NumeracjaZdjecia(SharedState& s) { s.RegNumber = NextRegNumber(s.RegNumber.load()); }

}  // namespace orvix
