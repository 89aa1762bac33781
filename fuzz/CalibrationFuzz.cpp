// The calibration window's boxes hold whatever the operator types or pastes: the number
// readers must take any text without undefined behaviour and keep their results within
// their limits, and the key rules must build only texts they allow. The input's first
// byte picks what its remaining bytes are: the text of a box (UTF-8, as pasted), or a key
// sequence typed into Edit1 and Edit22 (one key per code point). The first bytes of the
// text also give the measured distance and bar scale of the correction.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include <QList>
#include <QString>

#include "Calibration.h"
#include "FuzzSupport.h"

using namespace orvix;
using namespace orvix::calib;

namespace {

std::string Utf8(const std::u32string& t) {
  return QString::fromUcs4(t.data(), qsizetype(t.size())).toStdString();
}

// The readers on one text of each box.
void ReadBoxes(const std::string& text, int32_t d, double barNanometres, int32_t barPixels2) {
  if (const auto v = ReferenceLength(text)) ORVIX_FUZZ_CHECK(std::isfinite(*v) && *v != 0.0);
  if (const auto c = StoredCorrection(text))
    ORVIX_FUZZ_CHECK(*c >= kLowestCorrection && *c <= kHighestCorrection);
  if (const auto t = Edit22AfterKey(text)) {
    const auto back = StoredCorrection(*t);  // what is written back reads as a number
    ORVIX_FUZZ_CHECK(back.has_value());
    const long v = std::stol(*t);
    ORVIX_FUZZ_CHECK(v >= kLowestTyped && v <= kHighestTyped);
  }
  if (const auto r = CorrectionFromMeasurement(d, barNanometres, barPixels2, text))
    ORVIX_FUZZ_CHECK(r->correction >= kLowestCorrection && r->correction <= kHighestCorrection);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Controls in(data, size);
  const uint8_t what = in.Byte();
  // A measurement as the window makes one: up to the picture's diagonal in pixels, the
  // bar of one of the strip's ranges (1 mm down to 1 um over 1..1100 pixels).
  const int32_t d = in.Range(0, 1400);
  const double barNanometres = double(in.Range(1, 1000)) * 1000.0;
  const int32_t barPixels2 = in.Range(0, 1100);
  const std::string text(reinterpret_cast<const char*>(in.Rest()), in.RestSize());

  if ((what & 1) == 0) {
    ReadBoxes(text, d, barNanometres, barPixels2);
    return 0;
  }
  // Keys: each code point of the text, typed into both boxes in turn.
  const QString q = QString::fromUtf8(text.data(), qsizetype(text.size()));
  const QList<uint> keys = q.toUcs4();
  std::u32string edit1 = U"1";
  std::string edit22 = "100";
  for (const uint key : keys) {
    const char32_t k = char32_t(key);
    if (const auto c = Edit1Key(edit1, k)) {
      ORVIX_FUZZ_CHECK((*c >= U'0' && *c <= U'9') || *c == kBackspace || *c == U'E' || *c == U',');
      if (*c == kBackspace) {
        if (!edit1.empty()) edit1.pop_back();
      } else {
        ORVIX_FUZZ_CHECK(*c != U',' || edit1.find(U',') == std::u32string::npos);
        edit1.push_back(*c);
      }
    }
    if (Edit22Accepts(k)) {
      ORVIX_FUZZ_CHECK((k >= U'0' && k <= U'9') || k == kBackspace);
      if (k == kBackspace) {
        if (!edit22.empty()) edit22.pop_back();
      } else {
        edit22.push_back(char(k));
      }
      if (const auto t = Edit22AfterKey(edit22)) edit22 = *t;
    }
  }
  ReadBoxes(Utf8(edit1), d, barNanometres, barPixels2);
  ReadBoxes(edit22, d, barNanometres, barPixels2);
  return 0;
}
