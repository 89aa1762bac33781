// Information strip kernels: a range chosen one step early or late, a truncation turned into
// rounding, one correction applied to every range, a half-typed correction box, a bar or a
// burn that runs past the strip or the store, swapped strides, texts off by a blank or a
// digit, the strip burnt into channels that are not marked, used and unsaved.
#include <gtest/gtest.h>

#include <memory>

#include "InfoStrip.h"

namespace orvix {
namespace {

std::unique_ptr<SharedState> State(double scale, int correction = 100) {
  auto s = std::make_unique<SharedState>();
  s->UnitScale = scale;
  s->CorrectionTable.fill(correction);
  return s;
}

BarResult Bar(const SharedState& s, const std::string& box = "100", bool open = false) {
  CorrectionBox b;
  b.text = box;
  b.calibrationOpen = open;
  return BarLength(s, b);
}

TEST(InfoStrip, BarLengthChoosesTheFirstRangeUnder218Columns) {
  auto s = State(12000);
  BarResult r = Bar(*s);
  EXPECT_EQ(r.range, 7);
  EXPECT_STREQ(BarLabels[size_t(r.range)], "5µm");
  EXPECT_EQ(r.BarPixels, 120);
  EXPECT_EQ(r.BarPixels2, 240);
  EXPECT_EQ(r.BarNanometres, 5000);

  s->UnitScale = 100;  // the test picture's magnification
  r = Bar(*s);
  EXPECT_EQ(r.range, 0);
  EXPECT_STREQ(BarLabels[0], "1mm");
  EXPECT_EQ(r.BarPixels, 200);

  // The limits: 10,900 x divisor / c is the first magnification of the next range.
  s->UnitScale = 108.99;
  EXPECT_EQ(Bar(*s).range, 0);
  s->UnitScale = 109;
  EXPECT_EQ(Bar(*s).range, 1);  // 218 columns is not shorter than 218
  EXPECT_EQ(Bar(*s).BarPixels, 109);
  s->UnitScale = 21799;
  EXPECT_EQ(Bar(*s).range, 7);
  EXPECT_EQ(Bar(*s).BarPixels, 217);  // 217.98 truncated

  // Beyond every range: range 12 with its own length; past int32 it saturates.
  s->UnitScale = 5e6;
  r = Bar(*s);
  EXPECT_EQ(r.range, 12);
  EXPECT_STREQ(BarLabels[12], " ");
  EXPECT_EQ(r.BarPixels, 1000);
  EXPECT_EQ(r.BarNanometres, 100);
  s->UnitScale = 1e300;
  EXPECT_EQ(Bar(*s).range, 12);
  EXPECT_GT(Bar(*s).BarPixels, 0);

  // A tiny, zero or negative magnification still gives a one-column bar.
  for (double v : {0.001, 0.0, -5.0}) {
    s->UnitScale = v;
    EXPECT_EQ(Bar(*s).BarPixels, 1) << v;
    EXPECT_EQ(Bar(*s).BarPixels2, 2) << v;
  }
}

TEST(InfoStrip, EachRangeUsesItsOwnCorrectionUnlessTheCalibrationWindowIsOpen) {
  auto s = State(12000);
  s->CorrectionTable[7] = 150;  // a calibration stored for range 7 only
  BarResult r = Bar(*s, "100", false);
  EXPECT_EQ(r.range, 7);
  EXPECT_EQ(r.correction, 150);
  EXPECT_EQ(r.BarPixels, 180);
  // Range 0's correction does not bend range 7.
  s->CorrectionTable.fill(100);
  s->CorrectionTable[0] = 50;
  EXPECT_EQ(Bar(*s, "100", false).BarPixels, 120);
  // Out-of-range table values are limited to 50..150.
  s->CorrectionTable[7] = 400;
  EXPECT_EQ(Bar(*s, "100", false).BarPixels, 180);
  // Open: the box's value for every range, the table ignored.
  s->CorrectionTable.fill(150);
  r = Bar(*s, "50", true);
  EXPECT_EQ(r.range, 6);  // 240 x 0.5 = 120 columns already in range 6
  EXPECT_EQ(r.BarPixels, 120);
  EXPECT_EQ(r.correction, 50);
  EXPECT_EQ(Bar(*s, "120", true).BarPixels, 144);
}

TEST(InfoStrip, CorrectionBoxIsRoundedLimitedAndAHalfTypedBoxKeepsThePrevious) {
  auto s = State(12000);
  CorrectionBox b;
  b.calibrationOpen = true;
  const std::pair<std::string, int> cases[] = {
      {" 120 ", 120}, {"120.5", 120}, {"121.5", 122}, {"99,5", 100},
      {"10", 50},     {"200", 150},   {"-7", 50}};
  for (const auto& [text, want] : cases) {
    b.text = text;
    const BarResult r = BarLength(*s, b);
    EXPECT_TRUE(r.boxReadable) << text;
    EXPECT_EQ(r.correction, want) << text;
    EXPECT_EQ(r.boxText, std::to_string(want)) << text;
    EXPECT_EQ(b.text, std::to_string(want)) << text;
  }
  b.text = "130";
  BarLength(*s, b);
  for (const std::string bad : {"", "   ", "abc", "12x", "nan", "inf"}) {
    b.text = bad;
    const BarResult r = BarLength(*s, b);
    EXPECT_FALSE(r.boxReadable) << bad;
    EXPECT_EQ(r.correction, 130) << bad;
    EXPECT_EQ(r.BarPixels, 156) << bad;
    EXPECT_EQ(b.text, bad) << "the box is left as typed";
  }
}

// Strip column x of rows first..last as a string of '#' (white) and '.' (black).
std::string Columns(const StripBuffer& b, int k, int row, int first, int last) {
  std::string t;
  for (int x = first; x <= last; ++x) t += b.At(x, row, k) == 255 ? '#' : '.';
  return t;
}

TEST(InfoStrip, BarLooksRowByRow) {
  StripBuffer b;
  DrawBarRows(b, 2, BarLook::Ticks, 120);
  for (int r : {1, 7}) EXPECT_EQ(Columns(b, 2, r, 0, 550), std::string(551, '#')) << r;
  for (int r = 2; r <= 6; ++r) {
    EXPECT_EQ(Columns(b, 2, r, 0, 15), "..........###...") << r;
    EXPECT_EQ(Columns(b, 2, r, 128, 134), "..###..") << r;  // i = 120..122
    EXPECT_EQ(Columns(b, 2, r, 548, 550), "...") << r;      // i = 538..540
  }
  for (int r : {0, 8, 22}) EXPECT_EQ(Columns(b, 2, r, 0, 550), std::string(551, '.')) << r;

  b = StripBuffer{};
  DrawBarRows(b, 1, BarLook::Fields, 100);
  EXPECT_EQ(Columns(b, 1, 1, 0, 550), std::string(551, '#'));
  for (int r = 2; r <= 6; ++r) {
    EXPECT_EQ(Columns(b, 1, r, 0, 9), "..........");
    EXPECT_EQ(Columns(b, 1, r, 108, 111), "##..");  // i = 98..101
    EXPECT_EQ(Columns(b, 1, r, 208, 211), "..##");  // i = 198..201
    EXPECT_EQ(Columns(b, 1, r, 550, 550), ".");     // i = 540: second field of the third pair
  }

  b = StripBuffer{};
  DrawBarRows(b, 4, BarLook::Single, 120);
  for (int r : {1, 7}) EXPECT_EQ(Columns(b, 4, r, 0, 550), std::string(551, '.'));
  for (int r = 2; r <= 6; ++r) EXPECT_EQ(Columns(b, 4, r, 8, 131), ".." + std::string(120, '#') + "..");

  // A range-12 bar longer than the strip is cut at its last column.
  b = StripBuffer{};
  DrawBarRows(b, 3, BarLook::Single, 2'000'000'000);
  EXPECT_EQ(Columns(b, 3, 4, 0, 550), std::string(10, '.') + std::string(541, '#'));
  EXPECT_EQ(b.At(551, 4, 3), 0);
}

TEST(InfoStrip, Texts) {
  auto s = State(12000);
  s->UnitKV = 20;
  EXPECT_EQ(MagnificationText(*s), "Magn = 12000");
  s->UnitScale = 12000.5;
  EXPECT_EQ(MagnificationText(*s), "Magn = 12000.5");
  s->UnitStatusWord = 0x1A;  // low bits 10
  EXPECT_EQ(MagnificationText(*s), "Magn = ?");
  EXPECT_EQ(KVText(*s), "20kV");
  s->UnitKV = 200;
  EXPECT_EQ(KVText(*s), "200kV");
  s->UnitKV = 201;
  EXPECT_EQ(KVText(*s), "?kV");

  EXPECT_EQ(SettingsText(0x22), " 800 lines  10 ms");
  EXPECT_EQ(SettingsText(0x10), " 400 lines  2 ms");
  EXPECT_EQ(SettingsText(0x34), "1600 lines  50 ms");
  EXPECT_EQ(SettingsText(0x41), "error lines  5 ms");
  EXPECT_EQ(SettingsText(0x05), "Error lines  error ms");

  EXPECT_EQ(RegistrationText(1, 7), "nr 1/0007");
  EXPECT_EQ(RegistrationText(3, 999), "nr 3/0999");
  EXPECT_EQ(RegistrationText(4, 12), "nr 4/0012");
  EXPECT_EQ(RegistrationText(2, 12345), "nr 2/2345");

  // Only the texts whose box is on; the date trimmed.
  s->UnitScale = 12000;
  s->UnitKV = 20;
  s->WorkMode = 0x22;
  s->RegNumber = 7;
  StripTexts t = MakeStripTexts(*s, 1, " 09.12.2026 ");
  EXPECT_TRUE(t.magnification.empty() && t.kv.empty() && t.settings.empty() &&
              t.registration.empty() && t.date.empty());
  for (int row = cfg::kStripMagnificationRow; row <= cfg::kStripDateRow; ++row)
    s->Config.SetFlag(row, true);
  t = MakeStripTexts(*s, 1, " 09.12.2026 ");
  EXPECT_EQ(t.kv, "20kV");
  EXPECT_EQ(t.settings, " 800 lines  10 ms");
  EXPECT_EQ(t.registration, "nr 1/0007");
  EXPECT_EQ(t.date, "09.12.2026");
  s->Config.SetFlag(cfg::kStripKVRow, false);
  EXPECT_TRUE(MakeStripTexts(*s, 1, "").kv.empty());
}

TEST(InfoStrip, BurnGeometryPerScale) {
  StripBuffer b;
  for (int x = 0; x < strip::kColumns; ++x)
    for (int r = 0; r <= 22; ++r) b.Set(x, r, 2, uint8_t(1 + r));
  struct Case {
    uint8_t mode;
    int scale, first, last, lastColumn;
  };
  for (const Case c : {Case{0x12, 1, 379, 400, 550}, Case{0x22, 2, 757, 800, 1101},
                       Case{0x32, 4, 1515, 1602, 2203}, Case{0x42, 2, 757, 800, 1101}}) {
    auto s = std::make_unique<SharedState>();
    s->WorkMode = c.mode;
    const BurnOutcome o = BurnStripIntoStore(b, *s, 2, true);
    EXPECT_EQ(o.scale, c.scale);
    EXPECT_EQ(o.firstLine, c.first);
    EXPECT_EQ(o.lastLine, c.last);
    EXPECT_EQ(o.lastColumn, c.lastColumn);
    EXPECT_FALSE(o.clipped);
    const auto at = [&](int x, int y, int k) { return s->ImageStore[StoreIndex(x, y, k)]; };
    EXPECT_EQ(at(0, c.first, 2), 2) << "strip row 1 on the first line";
    EXPECT_EQ(at(c.lastColumn, c.last, 2), 23) << "strip row 22 on the last line";
    EXPECT_EQ(at(0, c.first - 1, 2), 0) << "the line above is untouched";
    EXPECT_EQ(at(c.lastColumn + 1, c.last, 2), 0) << "the column beyond is untouched";
    if (c.last + 1 < kStoreRows) {
      EXPECT_EQ(at(0, c.last + 1, 2), 0);
    }
    EXPECT_EQ(at(0, c.first, 1), 0) << "other channels untouched";
    EXPECT_EQ(at(0, c.first, 3), 0);
    // Row r at n*r + base .. + n - 1, column x at n*x .. n*x + n - 1.
    const int n = c.scale;
    const int base = c.first - n;
    EXPECT_EQ(at(n * 100 + n - 1, n * 10 + base + n - 1, 2), 11);
    EXPECT_EQ(at(n * 100, n * 10 + base + n, 2), 12);
  }
  // Without the dimension only rows 7..22 are burnt: lines 385..400 at 1x.
  auto s = std::make_unique<SharedState>();
  s->WorkMode = 0x12;
  const BurnOutcome o = BurnStripIntoStore(b, *s, 2, false);
  EXPECT_EQ(o.firstLine, 385);
  EXPECT_EQ(o.lastLine, 400);
  EXPECT_EQ(s->ImageStore[StoreIndex(5, 384, 2)], 0);
  EXPECT_EQ(s->ImageStore[StoreIndex(5, 385, 2)], 8);
}

TEST(InfoStrip, StripOnlyForMarkedUsedUnsavedChannels) {
  auto s = std::make_unique<SharedState>();
  s->Config.SetMarkerChannel(1, true);
  s->Config.SetMarkerChannel(3, true);
  s->Config.SetMarkerChannel(4, true);
  s->ChannelCode = 0x25;       // channels 1 and 3 in use (high nibble is not a channel)
  s->UnsavedChannels = 0x0E;   // 2, 3, 4 unsaved
  EXPECT_FALSE(StripWanted(*s, 1));  // saved
  EXPECT_FALSE(StripWanted(*s, 2));  // not marked
  EXPECT_TRUE(StripWanted(*s, 3));
  EXPECT_FALSE(StripWanted(*s, 4));  // not in use
  s->ChannelCode = 0x80 | 0x08;
  EXPECT_TRUE(StripWanted(*s, 4));
}

TEST(InfoStrip, RegistrationNumberWrapsFrom999To1) {
  auto s = std::make_unique<SharedState>();
  const std::pair<uint16_t, uint16_t> steps[] = {{0, 1}, {1, 2}, {998, 999}, {999, 1}, {1200, 1}};
  for (const auto& [from, to] : steps) {
    s->RegNumber = from;
    NumeracjaZdjecia(*s);
    EXPECT_EQ(s->RegNumber.load(), to) << from;
  }
}

}  // namespace
}  // namespace orvix
