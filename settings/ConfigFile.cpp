#include "ConfigFile.h"

#include <QDir>
#include <QString>
#include <array>
#include <cstring>

#include "QtText.h"
#include "FileWrite.h"
#include "SettingsConstants.h"

namespace orvix {

using namespace settings;

std::string ConfigFilePath(const std::string& programDir) {
  return programDir + "/" + kConfigFileName;
}

bool ConfigFromImage(const uint8_t* data, size_t size, ConfigTable& table) {
  // Fewer than 2 records, or fewer than 257: a missing or faulty file alike. Bytes past
  // record 256 are not part of the table.
  if (data == nullptr || size < size_t(kConfigFileBytes)) return false;
  std::copy(data + kRecordBytes, data + kConfigFileBytes, table.bytes.begin());
  return true;
}

ConfigFileOutcome LoadConfig(SharedState& s, const std::string& programDir) {
  QDir::setCurrent(Q(programDir));
  const std::string path = ConfigFilePath(programDir);
  MakeWritable(path);

  // The whole file is read into a buffer first: a short or unreadable file leaves the
  // table untouched, so nothing is half applied. A folder, FIFO or device in its place is
  // a missing file: it is not opened or waited on.
  std::string data;
  int error = 0;
  const bool ok = ReadRegularFile(path, data, error, size_t(kConfigFileBytes)) &&
                  ConfigFromImage(reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                                  s.Config);
  if (!ok) return {false, kMissingConfigWarning};
  return {true, {}};
}

ConfigFileOutcome SaveConfig(const SharedState& s, const std::string& programDir) {
  QDir::setCurrent(Q(programDir));
  const std::string path = ConfigFilePath(programDir);
  MakeWritable(path);

  std::array<uint8_t, kConfigFileBytes> image{};
  std::copy(s.Config.bytes.begin(), s.Config.bytes.end(), image.begin() + kRecordBytes);

  // The pictures' writer: the old file stays until the complete new one replaces it, a
  // short write (a full disk, a file-size limit) is seen, and a folder, FIFO or device in
  // the file's place is refused.
  const FileWriteResult written = WriteFileReplacing(path, image.data(), image.size());
  if (written.ok) return {true, {}};
  return {false, std::string(kSaveFailedHead) + path + " \r\n\r\n  " +
                     std::strerror(written.error) + " "};
}

void DefaultConfigTable(SharedState& s) {
  ConfigTable& c = s.Config;
  for (int k = 1; k <= 4; ++k) {
    c.SetChannelGain(k, kDefaultGain);
    c.SetChannelOffset(k, 0);
    c.SetChannelOn(k, false);
    c.SetAddChannel(k, false);
  }
  for (int r = 1; r <= cfg::kDimCalibrationCount; ++r) {
    s.CorrectionTable[size_t(r - 1)] = kDefaultCalibration;
    c.SetDimCalibration(r, kDefaultCalibration);
  }
  for (int r = 1; r < cfg::kRows; ++r) {
    for (int k = 1; k <= 4; ++k) c.SetRecFilter(r, k, kDefaultFilter);
    c.SetRecDivider(r, kDefaultDivider);
    c.SetRecOffsetH(r, 0);
    c.SetRecOffsetV(r, 0);
    c.SetFlag(r, false);
  }
  c.SetFlag(cfg::kStripDimensionRow, true);
  c.SetFlag(cfg::kRegIncrementOnSaveRow, false);
  c.SetFlag(cfg::kBarTicksRow, true);
  c.SetFlag(cfg::kAutoIdentRow, false);
  c.SetAddFrameCount(kDefaultAddFrames);
  c.SetChannelOn(1, true);
  c.SetAddChannel(1, true);
  s.SampleDivider = kDefaultDivider;
  s.OffsetH = 0;
  s.OffsetV = 0;
  c.SetStoredMode(cfg::kAddWorkModeRow, kDefaultAddMode);
  c.SetStoredMode(cfg::kRecordWorkModeRow, kDefaultRecordMode);
  c.SetStoredMode(cfg::kVisualWorkModeRow, kDefaultVisualMode);
  s.ChannelCode = kDefaultChannelCode;
  c.SetFlag(cfg::kAnaglyphRotate90Row, false);
  c.SetFlag(cfg::kAnaglyphGreenMagentaRow, false);
}

void StoreWorkModesInTable(SharedState& s) {
  s.Config.SetStoredMode(cfg::kRecordWorkModeRow, s.RecordWorkMode.load());
  s.Config.SetStoredMode(cfg::kVisualWorkModeRow, s.VisualWorkMode.load());
  s.Config.SetStoredMode(cfg::kAddWorkModeRow, s.AddWorkMode.load());
}

void LoadWorkModesFromTable(SharedState& s) {
  s.AddWorkMode = s.Config.StoredMode(cfg::kAddWorkModeRow);
  s.RecordWorkMode = s.Config.StoredMode(cfg::kRecordWorkModeRow);
  s.VisualWorkMode = s.Config.StoredMode(cfg::kVisualWorkModeRow);
}

void ValidateConfigTable(SharedState& s) {
  ConfigTable& c = s.Config;
  for (int k = 1; k <= 4; ++k) {
    c.SetChannelGain(k, kGainRange.Fix(c.ChannelGain(k)));
    c.SetChannelOffset(k, kOffsetRange.Fix(c.ChannelOffset(k)));
  }
  c.SetAddFrameCount(kAddFrameRange.Fix(c.AddFrameCount()));
  for (int r = 1; r <= cfg::kDimCalibrationCount; ++r) {
    c.SetDimCalibration(r, kDimCalibrationRange.Fix(c.DimCalibration(r)));
    s.CorrectionTable[size_t(r - 1)] = c.DimCalibration(r);
  }
  for (int r = 1; r < cfg::kRows; ++r) {
    for (int k = 1; k <= 4; ++k)
      c.SetRecFilter(r, k, static_cast<uint8_t>(kFilterRange.Fix(c.RecFilter(r, k))));
    c.SetRecOffsetH(r, static_cast<int16_t>(kOffsetHRange.Fix(c.RecOffsetH(r))));
    c.SetRecOffsetV(r, static_cast<int16_t>(kOffsetVRange.Fix(c.RecOffsetV(r))));
    c.SetRecDivider(r, static_cast<uint16_t>(kDividerRange.Fix(c.RecDivider(r))));
  }
}

}  // namespace orvix
