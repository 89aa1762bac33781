#pragma once
// conf300.dat: 257 records of 16 bytes; record 0 is ignored, records 1..256 hold the rows
// 0..255 of the configuration table byte for byte. Also the fixed defaults and the range
// checks of the apply step. No widgets here: the settings window sets its own controls.
#include <cstddef>
#include <cstdint>
#include <string>

#include "PictureFolders.h"
#include "RunState.h"

namespace orvix {

// conf300.dat in the program folder `programDir` (no trailing separator).
std::string ConfigFilePath(const std::string& programDir);

// The table from the bytes of a conf300.dat image: records 1..256 when all are there (the
// rest is ignored); otherwise false and the table is left as it was.
bool ConfigFromImage(const uint8_t* data, size_t size, ConfigTable& table);

// What a load or a save came to; on failure, the text of the box the operator is to see
// (the window shows the load's as a warning, the save's as an error, with one OK button).
struct ConfigFileOutcome {
  bool ok = false;
  std::string text;
};

// Reads conf300.dat from `programDir` into the table. On any failure (missing, unreadable,
// shorter than 257 records) the table is left as it was and the outcome carries the
// missing-file warning; the window hides the start-up picture before showing it.
ConfigFileOutcome LoadConfig(SharedState& s, const std::string& programDir);

// Writes the table to conf300.dat through a temporary file that replaces the old one only
// once it is complete. On failure the old file stays as it was and the outcome carries the
// error text, which names the file and the reason.
ConfigFileOutcome SaveConfig(const SharedState& s, const std::string& programDir);

// The table part of the defaults, and the run-time values they set (SampleDivider,
// offsets, ChannelCode, the corrections). The window sets its controls afterwards.
void DefaultConfigTable(SharedState& s);

// Copies the three run-time stored working modes into rows 10..12 (done before a save) and
// back out (after a load).
void StoreWorkModesInTable(SharedState& s);
void LoadWorkModesFromTable(SharedState& s);

// The range checks of the apply step: out-of-range values are replaced by fixed ones, and
// the dimension calibrations are copied into CorrectionTable.
void ValidateConfigTable(SharedState& s);

// The station's conf300.dat in its program folder: the one load and the one save that the
// settings and the calibration windows call. A save puts the stored working modes into the
// table first.
class SettingsFile {
 public:
  SettingsFile(SharedState& s, const PictureFolders& folders) : s_(s), folders_(folders) {}
  ConfigFileOutcome Load() { return LoadConfig(s_, folders_.ProgramDir); }
  ConfigFileOutcome Save() {
    StoreWorkModesInTable(s_);
    return SaveConfig(s_, folders_.ProgramDir);
  }

 private:
  SharedState& s_;
  const PictureFolders& folders_;
};

}  // namespace orvix
