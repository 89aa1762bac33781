#pragma once
// Working modes: the WorkMode byte (16 x LINES choice + TIME choice), its text, its checks,
// the tables of LINES/TIME buttons offered per run mode, the per-mode divider and offsets
// of the frame page, and the apply step's transfer of the table into run-time values.
#include <array>
#include <cstdint>
#include <string>

#include "RunState.h"

namespace orvix {

inline constexpr int kModeButtons = 8;      // LinesRadio / TimeRadio buttons
inline constexpr int kRuledModeButtons = 7;  // buttons 1..7 take part in the rules

// Offered buttons: row = checked button of the other list - 1; columns 0..7 VISUAL/ADD,
// 8..15 RECORD; column n of a half stands for button n.
using ModeTable = std::array<std::array<uint8_t, 16>, 8>;
extern const ModeTable TimeTable;   // TIME buttons by the checked LINES button
extern const ModeTable LinesTable;  // LINES buttons by the checked TIME button

// The text of a mode (" 800/10", "error/error", ...) and whether ERROR 1502 applies: a
// LINES choice other than 1..4 reads "Error" and is reported by the window composing it.
struct ModeTextResult {
  std::string text;
  bool error1502 = false;
};
ModeTextResult ModeText(uint8_t mode);

// The mode whose working-mode record is to be used: WorkMode without bit 7. A mode without
// LINES choice is replaced: WorkMode becomes 0x12 and ERROR 1505 applies.
struct WorkModeCheck {
  uint8_t mode = 0;
  bool error1505 = false;
};
WorkModeCheck CheckWorkMode(SharedState& s);

// Makes `mode` current: WorkMode and the preset of the selected run mode (ADD, else
// RECORD, else VISUAL).
void SetCurrentWorkMode(SharedState& s, uint8_t mode);
// A current mode outside 0x10..0x7F is reported with ERROR 1501 (and kept as set).
bool WorkModeInRange(uint8_t mode);

// The three mode-panel texts, each with its ERROR 1502 verdict; the VISUAL one carries
// "  A" while auto-identification is on.
struct ModePanelTexts {
  ModeTextResult record, add, visual;
};
ModePanelTexts ModePanels(SharedState& s, bool autoIdent);

// Check and visibility of the LINES and TIME buttons (index 0..7 = button 1..8).
struct ModeRadios {
  std::array<bool, kModeButtons> linesChecked{}, linesShown{}, timeChecked{}, timeShown{};
};
// One refresh pass after a LINES or TIME click: shows the offered buttons, moves checks
// that fell on buttons not offered, forces 800 lines for ADD and 3D, and composes the mode.
// Returns true when it changed a check (the caller then runs another pass).
bool RefreshModeRadios(const SharedState& s, ModeRadios& r, uint8_t& mode);

// The fixed default mode of the selected run mode: ADD, else RECORD, else VISUAL.
uint8_t DefaultWorkMode(const SharedState& s);

// The whole refresh after a LINES or TIME click: passes until one changes no check (a
// button checked by a pass runs its own click, which refreshes again), at most eight. When
// the lists are then left with nothing to offer (a stored mode that no button can reach,
// such as 6 x 16 lines in RECORD), they offer what the run mode's default mode offers, with
// none checked, so that one click chooses a valid mode; `mode` stays as composed.
void SettleModeRadios(const SharedState& s, ModeRadios& r, uint8_t& mode);

// A value of the frame page: where it lives in the working-mode record and the run state,
// its editing limits, and how the page shows it.
struct FrameValue {
  int low, high;
  bool wraps16;  // the divider is unsigned: value + step is taken modulo 65536 first
  int (*read)(const ConfigTable& c, int mode);
  void (*store)(SharedState& s, int mode, int value);  // the record's field and its copy
  std::string (*text)(int value);
};
extern const FrameValue kDividerValue;  // "Czas pomiędzy próbkami": SampleDivider, 39..65493
extern const FrameValue kOffsetHValue;  // " Offset H ": OffsetH, -100..1000 pixels
extern const FrameValue kOffsetVValue;  // " Offset V ": OffsetV, -50..200 lines

// Steps a frame-page value of the current mode, limits it to its editing limits and stores
// it in the mode's record and the run-time copy. A step of 0 re-reads the value.
int StepFrameValue(SharedState& s, const FrameValue& v, int step);
// (d + 2) x 15 ns in microseconds with three decimals and " µs": 98 -> "1.500 µs".
std::string DividerText(uint16_t d);

// Filter of channel k in the record of the checked current mode; both report the check
// (ERROR 1505) made before the record is touched.
WorkModeCheck StoreFilter(SharedState& s, int k, uint8_t code);
struct FilterReading {
  uint8_t code = 0;
  WorkModeCheck check;
};
FilterReading CurrentFilter(SharedState& s, int k);

// The kernel of the apply step (steps 1, 2, 4 and 6): checks the mode, derives ChannelCode
// from the switches, replaces out-of-range values and loads the current mode's divider and
// offsets. Returns the check of step 1: the mode applied and whether ERROR 1505 applies.
WorkModeCheck ApplyConfigTable(SharedState& s);

// One decimal of a track-bar position over ten: 10 -> "1.0", -5 -> "-0.5".
std::string TenthsText(int position);

}  // namespace orvix
