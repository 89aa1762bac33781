#pragma once
// The arithmetic and the key rules of the calibration window: the correction from a
// measured reference length, the stored correction, the kV value and its command bytes for
// the bar module PLM7731, and what the boxes Edit1 and Edit22 accept. Kernels only: they
// return what the window is to show and never show anything themselves.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orvix {

namespace calib {
inline constexpr int kLowestCorrection = 50, kHighestCorrection = 150;
inline constexpr int kLowestTyped = 1, kHighestTyped = 200;
inline constexpr int kLowestKV = 0, kHighestKV = 49;
inline constexpr int kCommandBytes = 40;
inline constexpr int kKVFirstByte = 26, kKVLastByte = 39;
inline constexpr uint8_t kKVCommand = 204;  // 0xCC
inline constexpr int kKVOffset = 16;
inline constexpr char32_t kBackspace = 8;
}  // namespace calib

using UnitCommandBlock = std::array<uint8_t, calib::kCommandBytes>;

// The known length typed in Edit1, in µm ("," or "." as decimal point, "E" exponent).
// Nothing when the box is empty, not a number, or zero.
std::optional<double> ReferenceLength(const std::string& edit1);

struct CorrectionResult {
  int32_t m = 0;           // the measured length in whole µm
  int32_t correction = 0;  // percent, 50..150
};
// KlawiszLicz: from d pixels measured with the bar in force and the reference length.
// Nothing when the bar is unset or the reference length unusable.
std::optional<CorrectionResult> CorrectionFromMeasurement(int32_t d, double barNanometres,
                                                          int32_t barPixels2,
                                                          const std::string& edit1);

// "Wprowadz do tablicy": the box read as an integer and limited to 50..150; nothing when
// the box holds no number.
std::optional<int32_t> StoredCorrection(const std::string& edit22);
// Edit22 after a key is released: the trimmed number limited to 1..200; nothing to write
// when the box is empty or not a number.
std::optional<std::string> Edit22AfterKey(const std::string& edit22);

// Edit22 takes digits and backspace only.
bool Edit22Accepts(char32_t key);
// Edit1 takes digits, backspace and "E"; "." and "," go in as ",", and only while the text
// holds no "," yet. Returns the character to enter, nothing when the key is refused.
std::optional<char32_t> Edit1Key(const std::u32string& text, char32_t key);

// The kV spin: one step, kept within 0..49; the label "12 kV".
int32_t StepKV(int32_t kv, int32_t delta);
std::string KVLabel(int32_t kv);
// Bytes 26..39 of the command block for the kV write.
void FillKVCommand(UnitCommandBlock& block, int32_t kv);

}  // namespace orvix
