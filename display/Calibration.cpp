#include "Calibration.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "Measurement.h"
#include "TextTrim.h"

namespace orvix {

using namespace calib;

namespace {

// The whole trimmed text as an integer, or nothing.
std::optional<long long> WholeInteger(const std::string& t) {
  const std::string s = Trimmed(t);
  if (s.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(s.c_str(), &end, 10);
  if (errno != 0 || end != s.c_str() + s.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<double> ReferenceLength(const std::string& edit1) {
  std::string s = Trimmed(edit1);
  if (s.empty()) return std::nullopt;
  std::replace(s.begin(), s.end(), ',', '.');
  // Only a plain decimal number with an optional exponent: no hexadecimal, no inf or nan.
  if (s.find_first_not_of("0123456789.eE+-") != std::string::npos) return std::nullopt;
  // Read the same under every locale: "1,5" and "1.5" are both one and a half.
  const char* first = s.data();
  const char* last = s.data() + s.size();
  if (first != last && *first == '+') {  // from_chars takes no sign but '-'
    ++first;
    if (first != last && *first == '-') return std::nullopt;
  }
  double v = 0;
  const auto [end, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec != std::errc() || end != last || !std::isfinite(v) || v == 0.0) return std::nullopt;
  return v;
}

std::optional<CorrectionResult> CorrectionFromMeasurement(int32_t d, double barNanometres,
                                                          int32_t barPixels2,
                                                          const std::string& edit1) {
  if (barPixels2 == 0) return std::nullopt;
  CorrectionResult r;
  r.m = int32_t(RoundEven(double(d) * barNanometres / barPixels2 / 1000.0));
  const std::optional<double> v = ReferenceLength(edit1);
  if (!v) return std::nullopt;
  // Limited before it is rounded (the same result): a tiny reference length gives a ratio
  // far beyond any integer, which must still come out as the highest correction.
  const double c = std::clamp(r.m * 100.0 / *v, double(kLowestCorrection),
                              double(kHighestCorrection));
  r.correction = int32_t(RoundEven(c));
  return r;
}

std::optional<int32_t> StoredCorrection(const std::string& edit22) {
  const auto v = WholeInteger(edit22);
  if (!v) return std::nullopt;
  return int32_t(std::clamp<long long>(*v, kLowestCorrection, kHighestCorrection));
}

std::optional<std::string> Edit22AfterKey(const std::string& edit22) {
  const auto v = WholeInteger(edit22);
  if (!v) return std::nullopt;
  return std::to_string(std::clamp<long long>(*v, kLowestTyped, kHighestTyped));
}

bool Edit22Accepts(char32_t key) { return (key >= U'0' && key <= U'9') || key == kBackspace; }

std::optional<char32_t> Edit1Key(const std::u32string& text, char32_t key) {
  if ((key >= U'0' && key <= U'9') || key == kBackspace || key == U'E') return key;
  if (key == U'.' || key == U',') {
    if (text.find(U',') != std::u32string::npos) return std::nullopt;
    return U',';
  }
  return std::nullopt;
}

int32_t StepKV(int32_t kv, int32_t delta) { return std::clamp(kv + delta, kLowestKV, kHighestKV); }

std::string KVLabel(int32_t kv) { return std::to_string(kv) + " kV"; }

void FillKVCommand(UnitCommandBlock& block, int32_t kv) {
  for (int i = kKVFirstByte; i <= kKVLastByte; ++i) block[size_t(i)] = 0;
  block[size_t(kKVFirstByte)] = kKVCommand;
  block[size_t(kKVFirstByte + 2)] = uint8_t(std::clamp(kv, kLowestKV, kHighestKV) + kKVOffset);
}

}  // namespace orvix
