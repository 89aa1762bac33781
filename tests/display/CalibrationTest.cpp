// The calibration window's arithmetic and key rules: the correction from a reference
// length (unusable lengths compute nothing), the stored correction, the kV spin and its
// command bytes, and what Edit1 and Edit22 accept.
#include <gtest/gtest.h>

#include <utility>

#include "Calibration.h"

namespace orvix {
namespace {

TEST(Calibration, CorrectionFromTheReferenceLength) {
  auto r = CorrectionFromMeasurement(300, 5000, 240, "5");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->m, 6);  // 6.25 µm
  EXPECT_EQ(r->correction, 120);
  r = CorrectionFromMeasurement(48, 5000, 240, "10");  // m = 1 -> 10, limited to 50
  ASSERT_TRUE(r);
  EXPECT_EQ(r->m, 1);
  EXPECT_EQ(r->correction, 50);
  EXPECT_EQ(CorrectionFromMeasurement(480, 5000, 240, "1")->correction, 150);
  EXPECT_EQ(CorrectionFromMeasurement(300, 5000, 240, "2,5")->correction, 150);
  EXPECT_EQ(CorrectionFromMeasurement(300, 5000, 240, "5E0")->correction, 120);
  for (const char* bad : {"", "  ", "0", "0,0", "abc", ",", "E", "1,2,3", "nan", "inf", "0x10"})
    EXPECT_FALSE(CorrectionFromMeasurement(300, 5000, 240, bad)) << bad;
  EXPECT_FALSE(CorrectionFromMeasurement(300, 5000, 0, "5"));
  // A reference length so small that m x 100 / v is beyond any integer (typed with the
  // keys Edit1 accepts, or pasted) is still the highest correction, never the lowest.
  EXPECT_EQ(CorrectionFromMeasurement(300, 5000, 240, "0,0000000000000000001")->correction, 150);
  EXPECT_EQ(CorrectionFromMeasurement(300, 5000, 240, "1E-300")->correction, 150);
  EXPECT_EQ(CorrectionFromMeasurement(48, 5000, 240, "1E300")->correction, 50);
}

// The same reference length under every locale (these tests also run under pl_PL.UTF-8).
TEST(Calibration, ReferenceLengthReadTheSameEverywhere) {
  for (const auto& [text, value] : {std::pair{"1,5", 1.5}, {"1.5", 1.5}, {" +2,25 ", 2.25},
                                    {"15E-1", 1.5}, {",5", 0.5}, {"-1,5", -1.5}}) {
    const auto v = ReferenceLength(text);
    ASSERT_TRUE(v) << text;
    EXPECT_DOUBLE_EQ(*v, value) << text;
  }
  for (const char* bad : {"+-1", "1,5E", "1 5", "0x1p3", "1e400"})
    EXPECT_FALSE(ReferenceLength(bad)) << bad;
}

TEST(Calibration, StoredAndTypedCorrections) {
  EXPECT_EQ(StoredCorrection("120"), 120);
  EXPECT_EQ(StoredCorrection("20"), 50);
  EXPECT_EQ(StoredCorrection("200"), 150);
  EXPECT_FALSE(StoredCorrection(""));
  EXPECT_FALSE(StoredCorrection("12a"));
  EXPECT_EQ(Edit22AfterKey(" 250 "), "200");
  EXPECT_EQ(Edit22AfterKey("0"), "1");
  EXPECT_EQ(Edit22AfterKey("99"), "99");
  EXPECT_FALSE(Edit22AfterKey(""));
  EXPECT_FALSE(Edit22AfterKey("99999999999999999999999"));
}

TEST(Calibration, KVSpinAndCommandBytes) {
  EXPECT_EQ(StepKV(0, -1), 0);
  EXPECT_EQ(StepKV(48, 1), 49);
  EXPECT_EQ(StepKV(49, 1), 49);
  EXPECT_EQ(KVLabel(12), "12 kV");
  UnitCommandBlock b;
  b.fill(0xAA);
  FillKVCommand(b, 20);
  EXPECT_EQ(b[26], 204);
  EXPECT_EQ(b[27], 0);
  EXPECT_EQ(b[28], 36);
  for (int i = 29; i <= 39; ++i) EXPECT_EQ(b[size_t(i)], 0) << i;
  EXPECT_EQ(b[25], 0xAA);  // bytes before the kV write are not touched
}

TEST(Calibration, KeyFilters) {
  for (char32_t k : {U'0', U'5', U'9', char32_t(8)}) EXPECT_TRUE(Edit22Accepts(k));
  for (char32_t k : {U'a', U'-', U'.', U',', U'E', U' '}) EXPECT_FALSE(Edit22Accepts(k));
  EXPECT_EQ(Edit1Key(U"1", U'7'), U'7');
  EXPECT_EQ(Edit1Key(U"1", U'E'), U'E');
  EXPECT_EQ(Edit1Key(U"1", char32_t(8)), char32_t(8));
  EXPECT_EQ(Edit1Key(U"1", U'.'), U',');
  EXPECT_EQ(Edit1Key(U"1", U','), U',');
  EXPECT_FALSE(Edit1Key(U"1,5", U','));
  EXPECT_FALSE(Edit1Key(U"1,5", U'.'));
  EXPECT_FALSE(Edit1Key(U"1", U'e'));
  EXPECT_FALSE(Edit1Key(U"1", U'-'));
}

}  // namespace
}  // namespace orvix
