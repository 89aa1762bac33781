#pragma once
// Every fixed number and text of the settings subsystem, in one place: value limits of the
// configuration table, editing limits of the frame page, defaults, and the operator texts.
#include <cstdint>

namespace orvix::settings {

// --- conf300.dat ------------------------------------------------------------------------
inline constexpr const char* kConfigFileName = "conf300.dat";
inline constexpr int kRecordBytes = 16;
inline constexpr int kConfigRecords = 257;                                // record 0 + 256 rows
inline constexpr int kConfigFileBytes = kConfigRecords * kRecordBytes;    // 4112

inline constexpr const char* kMissingConfigWarning =
    "  BRAK ZBIORU KONFIGURACYJNEGO \r\n\r\n              \"  conf300.dat  \" \r\n\r\n"
    "           lub błąd tego zbioru    \r\n\r\n  Będą wprowadzone nastawy stałe.      ";
// A failed save: the file and the reason follow.
inline constexpr const char* kSaveFailedHead = "  BŁĄD ZAPISU ZBIORU KONFIGURACYJNEGO  \r\n\r\n  ";

// --- Values accepted by the apply step, and what replaces anything else ------------------
struct Range {
  int32_t low, high, replacement;
  constexpr int32_t Fix(int32_t v) const { return v < low || v > high ? replacement : v; }
};
inline constexpr Range kGainRange{0, 50, 10};
inline constexpr Range kOffsetRange{-40, 40, 0};
inline constexpr Range kAddFrameRange{2, 50, 10};
inline constexpr Range kDimCalibrationRange{50, 150, 100};
inline constexpr Range kFilterRange{1, 7, 2};
inline constexpr Range kDividerRange{30, 65000, 98};
inline constexpr Range kOffsetHRange{-100, 1000, 0};
inline constexpr Range kOffsetVRange{-50, 200, 0};

// --- Defaults ---------------------------------------------------------------------------
inline constexpr int32_t kDefaultGain = 10;
inline constexpr int32_t kDefaultAddFrames = 10;
inline constexpr int32_t kDefaultCalibration = 100;
inline constexpr uint8_t kDefaultFilter = 2;
inline constexpr uint16_t kDefaultDivider = 98;
inline constexpr uint8_t kDefaultVisualMode = 0x10;
inline constexpr uint8_t kDefaultRecordMode = 0x22;
inline constexpr uint8_t kDefaultAddMode = 0x20;
inline constexpr uint8_t kDefaultChannelCode = 0x11;

// --- Frame page editing limits ----------------------------------------------------------
inline constexpr int kDividerMin = 39;
inline constexpr int kDividerMax = 65493;
inline constexpr int kDividerNsPerStep = 15;  // (d + 2) x 15 ns between samples
inline constexpr int kOffsetHMin = -100;
inline constexpr int kOffsetHMax = 1000;
inline constexpr int kOffsetVMin = -50;
inline constexpr int kOffsetVMax = 200;

// --- Working modes ----------------------------------------------------------------------
inline constexpr uint8_t kFallbackWorkMode = 0x12;  // replaces a mode without LINES choice
inline constexpr uint8_t kAddWorkModeLines = 0x20;  // ADD and 3D always scan 800 lines
inline constexpr uint8_t kLowestWorkMode = 0x10;
inline constexpr uint8_t kHighestWorkMode = 0x7F;
inline constexpr const char* kError1501 = "         ERROR 1501 !!!                 ";
inline constexpr const char* kError1502 = "         ERROR 1502 !!!                 ";
inline constexpr const char* kError1503 = "         ERROR 1503 !!!                 ";
inline constexpr const char* kError1504 = "         ERROR 1504 !!!                 ";
inline constexpr const char* kError1505 = "         ERROR 1505 !!!                 ";
inline constexpr const char* kAutoIdentSuffix = "  A";

// --- Automatic numbering ----------------------------------------------------------------
inline constexpr const char* kFormatNameError = "    ERROR format name       ";

}  // namespace orvix::settings
