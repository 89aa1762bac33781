#pragma once
// The operator's settings: 256 rows of 16 bytes, little-endian, kept in memory for the
// whole run and stored byte for byte in conf300.dat. Rows are reached by their role
// through the named accessors below; the row numbers live only in namespace cfg.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvix {

namespace cfg {
inline constexpr int kRows = 256;
inline constexpr int kRowBytes = 16;
inline constexpr int kTableBytes = kRows * kRowBytes;  // 4096

// Byte offsets inside a row.
inline constexpr int kValueByte = 0;      // signed 32-bit row value
inline constexpr int kRecFilterByte = 4;  // four filter codes, channels 1..4
inline constexpr int kRecDividerByte = 8;
inline constexpr int kRecOffsetHByte = 10;
inline constexpr int kRecOffsetVByte = 12;
inline constexpr int kStoredModeByte = 14;
inline constexpr int kFlagByte = 15;

// Rows carrying a value (bytes 0..3).
inline constexpr int kChannelGainRow = 1;    // + channel - 1, channels 1..4
inline constexpr int kChannelOffsetRow = 5;  // + channel - 1
inline constexpr int kAddFrameCountRow = 13;
inline constexpr int kDimCalibrationRow = 20;  // + range - 1, ranges 1..14
inline constexpr int kDimCalibrationCount = 14;

// Rows carrying a stored working mode (byte 14).
inline constexpr int kVisualWorkModeRow = 10;
inline constexpr int kRecordWorkModeRow = 11;
inline constexpr int kAddWorkModeRow = 12;

// Rows carrying a flag (byte 15).
inline constexpr int kChannelOnRow = 1;   // + channel - 1
inline constexpr int kAddChannelRow = 5;  // + channel - 1
inline constexpr int kAskSaveOnExitRow = 9;
inline constexpr int kAskSaveOnStartRow = 10;
inline constexpr int kMixChannelRow = 12;  // + channel - 1, channels 1..3
inline constexpr int kAnaglyphRotate90Row = 80;
inline constexpr int kAnaglyphGreenMagentaRow = 81;
inline constexpr int kStripMagnificationRow = 111;
inline constexpr int kStripKVRow = 112;
inline constexpr int kStripSettingsRow = 113;
inline constexpr int kStripRegNumberRow = 114;
inline constexpr int kStripDateRow = 115;
inline constexpr int kStripDimensionRow = 116;
inline constexpr int kRegIncrementOnSaveRow = 117;
inline constexpr int kMarkerChannelRow = 121;  // + channel - 1
inline constexpr int kBarTicksRow = 125;
inline constexpr int kBarFieldsRow = 126;
inline constexpr int kBarSingleRow = 127;
inline constexpr int kAutoIdentRow = 130;
}  // namespace cfg

class ConfigTable {
 public:
  std::array<uint8_t, cfg::kTableBytes> bytes{};

  uint8_t* Row(int r) { return bytes.data() + static_cast<size_t>(Clip(r)) * cfg::kRowBytes; }
  const uint8_t* Row(int r) const {
    return bytes.data() + static_cast<size_t>(Clip(r)) * cfg::kRowBytes;
  }

  // Raw fields of a row.
  int32_t RowValue(int r) const { return static_cast<int32_t>(Get32(Row(r) + cfg::kValueByte)); }
  void SetRowValue(int r, int32_t v) { Put32(Row(r) + cfg::kValueByte, static_cast<uint32_t>(v)); }
  uint8_t Flag(int r) const { return Row(r)[cfg::kFlagByte]; }
  void SetFlag(int r, bool on) { Row(r)[cfg::kFlagByte] = on ? 1 : 0; }
  uint8_t StoredMode(int r) const { return Row(r)[cfg::kStoredModeByte]; }
  void SetStoredMode(int r, uint8_t m) { Row(r)[cfg::kStoredModeByte] = m; }

  // Per-channel settings, channel k = 1..4.
  int32_t ChannelGain(int k) const { return RowValue(cfg::kChannelGainRow + k - 1); }
  void SetChannelGain(int k, int32_t v) { SetRowValue(cfg::kChannelGainRow + k - 1, v); }
  int32_t ChannelOffset(int k) const { return RowValue(cfg::kChannelOffsetRow + k - 1); }
  void SetChannelOffset(int k, int32_t v) { SetRowValue(cfg::kChannelOffsetRow + k - 1, v); }
  bool ChannelOn(int k) const { return Flag(cfg::kChannelOnRow + k - 1) != 0; }
  void SetChannelOn(int k, bool on) { SetFlag(cfg::kChannelOnRow + k - 1, on); }
  bool AddChannel(int k) const { return Flag(cfg::kAddChannelRow + k - 1) != 0; }
  void SetAddChannel(int k, bool on) { SetFlag(cfg::kAddChannelRow + k - 1, on); }
  // The "Mix 4 to " switches exist for channels 1..3 only.
  bool MixChannel(int k) const { return Flag(cfg::kMixChannelRow + k - 1) != 0; }
  void SetMixChannel(int k, bool on) { SetFlag(cfg::kMixChannelRow + k - 1, on); }
  bool AnyMixChannel() const { return MixChannel(1) || MixChannel(2) || MixChannel(3); }
  bool MarkerChannel(int k) const { return Flag(cfg::kMarkerChannelRow + k - 1) != 0; }
  void SetMarkerChannel(int k, bool on) { SetFlag(cfg::kMarkerChannelRow + k - 1, on); }

  int32_t AddFrameCount() const { return RowValue(cfg::kAddFrameCountRow); }
  void SetAddFrameCount(int32_t v) { SetRowValue(cfg::kAddFrameCountRow, v); }
  // Magnification ranges 1..14.
  int32_t DimCalibration(int range) const {
    return RowValue(cfg::kDimCalibrationRow + range - 1);
  }
  void SetDimCalibration(int range, int32_t v) {
    SetRowValue(cfg::kDimCalibrationRow + range - 1, v);
  }

  // The working-mode record of working mode `mode` (the WorkMode byte is the row number).
  uint8_t RecFilter(int mode, int k) const { return Row(mode)[cfg::kRecFilterByte + k - 1]; }
  void SetRecFilter(int mode, int k, uint8_t f) { Row(mode)[cfg::kRecFilterByte + k - 1] = f; }
  uint16_t RecDivider(int mode) const { return Get16(Row(mode) + cfg::kRecDividerByte); }
  void SetRecDivider(int mode, uint16_t d) { Put16(Row(mode) + cfg::kRecDividerByte, d); }
  int16_t RecOffsetH(int mode) const {
    return static_cast<int16_t>(Get16(Row(mode) + cfg::kRecOffsetHByte));
  }
  void SetRecOffsetH(int mode, int16_t v) {
    Put16(Row(mode) + cfg::kRecOffsetHByte, static_cast<uint16_t>(v));
  }
  int16_t RecOffsetV(int mode) const {
    return static_cast<int16_t>(Get16(Row(mode) + cfg::kRecOffsetVByte));
  }
  void SetRecOffsetV(int mode, int16_t v) {
    Put16(Row(mode) + cfg::kRecOffsetVByte, static_cast<uint16_t>(v));
  }

 private:
  static int Clip(int r) { return r < 0 ? 0 : (r >= cfg::kRows ? cfg::kRows - 1 : r); }
  static uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  static void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  }
  static uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
  static void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
  }
};

}  // namespace orvix
