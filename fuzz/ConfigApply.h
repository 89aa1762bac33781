#pragma once
// The start of both configuration targets: a conf300.dat image is loaded and applied as
// the start-up timer does it, in the run mode, view and switches the image's last bytes
// pick. Afterwards every value the apply step guards must lie within its range, whatever
// the file held.
#include <cstddef>
#include <cstdint>

#include "ChannelSelection.h"
#include "ConfigFile.h"
#include "FuzzSupport.h"
#include "SettingsConstants.h"
#include "WorkModes.h"

namespace orvix::fuzz {

// Loads and applies the image; false when it is not a whole conf300.dat. With checkTable,
// every row of the applied table is checked too (fuzz_config does; fuzz_config_run spends
// its time on the frame instead).
inline bool ApplyImage(SharedState& s, const uint8_t* data, size_t size, bool checkTable) {
  using namespace settings;
  if (!ConfigFromImage(data, size, s.Config)) return false;
  // The image is at least 4112 bytes: the last three are free to pick the run.
  const uint8_t pick = data[size - 1];
  LoadWorkModesFromTable(s);
  const uint8_t modes[3] = {s.VisualWorkMode.load(), s.RecordWorkMode.load(),
                            s.AddWorkMode.load()};
  const int run = pick % 3;
  s.WorkMode = modes[run];
  s.RecordOn = run == 1 ? -1 : 0;
  s.AddOn = run == 2 ? 1 : 0;
  s.TestPictureOn = (pick >> 4) & 1;
  s.AnaglyphOn = (pick >> 5) & 1;
  s.AnaglyphSource = uint8_t(1 + ((pick >> 6) & 1));
  s.DetectorCount = 1 + (data[size - 3] & 3);
  s.ViewMode = uint8_t(1 + data[size - 2] % 5);
  s.LastSingleView = uint8_t(1 + (data[size - 2] >> 4) % 4);

  const WorkModeCheck check = ApplyConfigTable(s);
  UpdateChannelCode(s);

  // The mode applied has a LINES choice; its record was used.
  ORVIX_FUZZ_CHECK((check.mode & 0x70) != 0 && (check.mode & 0x80) == 0);
  ORVIX_FUZZ_CHECK(check.error1505 == ((modes[run] & 0x70) == 0));
  const ConfigTable& c = s.Config;
  for (int k = 1; k <= 4; ++k) {
    ORVIX_FUZZ_CHECK(c.ChannelGain(k) >= kGainRange.low && c.ChannelGain(k) <= kGainRange.high);
    ORVIX_FUZZ_CHECK(c.ChannelOffset(k) >= kOffsetRange.low &&
                     c.ChannelOffset(k) <= kOffsetRange.high);
  }
  ORVIX_FUZZ_CHECK(c.AddFrameCount() >= kAddFrameRange.low &&
                   c.AddFrameCount() <= kAddFrameRange.high);
  for (int r = 1; r <= cfg::kDimCalibrationCount; ++r)
    ORVIX_FUZZ_CHECK(s.CorrectionTable[size_t(r - 1)] >= kDimCalibrationRange.low &&
                     s.CorrectionTable[size_t(r - 1)] <= kDimCalibrationRange.high);
  for (int r = 1; r < cfg::kRows && checkTable; ++r) {
    for (int k = 1; k <= 4; ++k)
      ORVIX_FUZZ_CHECK(c.RecFilter(r, k) >= kFilterRange.low && c.RecFilter(r, k) <= kFilterRange.high);
    ORVIX_FUZZ_CHECK(c.RecDivider(r) >= kDividerRange.low && c.RecDivider(r) <= kDividerRange.high);
  }
  ORVIX_FUZZ_CHECK(s.OffsetH.load() >= kOffsetHRange.low && s.OffsetH.load() <= kOffsetHRange.high);
  ORVIX_FUZZ_CHECK(s.OffsetV.load() >= kOffsetVRange.low && s.OffsetV.load() <= kOffsetVRange.high);
  // The channel variables agree with each other and with the fitted detectors.
  const uint8_t mask = s.ChannelMask.load();
  ORVIX_FUZZ_CHECK(mask != 0);
  if (s.AddOn.load() == 0 && s.TestPictureOn.load() == 0)
    ORVIX_FUZZ_CHECK(mask < (1u << s.DetectorCount.load()));
  ORVIX_FUZZ_CHECK(s.ChannelCount.load() == __builtin_popcount(mask));
  return true;
}

}  // namespace orvix::fuzz
