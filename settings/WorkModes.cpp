#include "WorkModes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Lines.h"
#include "ChannelSelection.h"
#include "ConfigFile.h"
#include "SettingsConstants.h"

namespace orvix {

using namespace settings;

namespace {
constexpr ModeTable MakeTable(std::initializer_list<std::pair<int, int>> on) {
  ModeTable t{};
  for (auto [row, column] : on) t[size_t(row)][size_t(column)] = 1;
  return t;
}
constexpr int kRecordHalf = 8;
}  // namespace

// TIME buttons: 400 and 800 lines offer 2, 5, 10 ms in VISUAL/ADD; 800 and 1600 lines offer
// 10, 20 ms in RECORD.
const ModeTable TimeTable = MakeTable({{0, 1}, {0, 2}, {0, 3},
                                       {1, 1}, {1, 2}, {1, 3}, {1, kRecordHalf + 3}, {1, kRecordHalf + 4},
                                       {2, kRecordHalf + 3}, {2, kRecordHalf + 4}});
// LINES buttons: 2, 5, 10 ms offer 400 and 800 lines in VISUAL/ADD; 10 and 20 ms offer
// 800 and 1600 lines in RECORD.
const ModeTable LinesTable = MakeTable({{0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 1}, {2, 2},
                                        {2, kRecordHalf + 2}, {2, kRecordHalf + 3},
                                        {3, kRecordHalf + 2}, {3, kRecordHalf + 3}});

ModeTextResult ModeText(uint8_t mode) {
  static const char* const kLines[] = {nullptr, " 400", " 800", "1600", "error"};
  static const char* const kTimes[] = {"2", "5", "10", "20", "50", "error", "error", "error"};
  const int l = (mode >> 4) & 7;
  ModeTextResult r;
  if (l >= 1 && l <= 4) {
    r.text = kLines[l];
  } else {
    r.text = "Error";
    r.error1502 = true;
  }
  r.text += std::string("/") + kTimes[mode & 7];
  return r;
}

WorkModeCheck CheckWorkMode(SharedState& s) {
  const uint8_t mode = s.WorkMode.load() & 0x7F;
  if (LinesOf(mode) == Lines::None) {
    s.WorkMode = kFallbackWorkMode;
    return {kFallbackWorkMode, true};
  }
  return {mode, false};
}

void SetCurrentWorkMode(SharedState& s, uint8_t mode) {
  s.WorkMode = mode;
  if (s.AddOn.load() != 0)
    s.AddWorkMode = mode;
  else if (s.RecordOn.load() != 0)
    s.RecordWorkMode = mode;
  else
    s.VisualWorkMode = mode;
}

bool WorkModeInRange(uint8_t mode) {
  return mode >= kLowestWorkMode && mode <= kHighestWorkMode;
}

ModePanelTexts ModePanels(SharedState& s, bool autoIdent) {
  ModePanelTexts t;
  t.record = ModeText(s.RecordWorkMode.load());
  t.add = ModeText(s.AddWorkMode.load());
  t.visual = ModeText(s.VisualWorkMode.load());
  if (autoIdent) t.visual.text += kAutoIdentSuffix;
  return t;
}

namespace {
int CheckedButton(const std::array<bool, kModeButtons>& checked) {
  for (int i = 0; i < kModeButtons; ++i)
    if (checked[size_t(i)]) return i + 1;
  return 0;
}

void CheckOnly(std::array<bool, kModeButtons>& checked, int button) {
  checked.fill(false);
  checked[size_t(button - 1)] = true;
}

// Shows the offered buttons of one list and moves its check onto an offered one.
// Returns true when the check moved.
bool OfferButtons(const ModeTable& table, int otherChecked, bool record,
                  std::array<bool, kModeButtons>& shown, std::array<bool, kModeButtons>& checked) {
  const auto& row = table[size_t(otherChecked > 0 ? otherChecked - 1 : 0)];
  const int half = record ? kRecordHalf : 0;
  for (int n = 1; n <= kRuledModeButtons; ++n) shown[size_t(n - 1)] = row[size_t(half + n)] != 0;

  const int c = CheckedButton(checked);
  if (c >= 1 && c <= kRuledModeButtons && shown[size_t(c - 1)]) return false;
  for (int n = 2; n <= kRuledModeButtons; ++n)
    if (shown[size_t(n - 1)]) {
      CheckOnly(checked, n);
      return true;
    }
  for (int n = 6; n >= 1; --n)
    if (shown[size_t(n - 1)]) {
      CheckOnly(checked, n);
      return true;
    }
  return false;
}
}  // namespace

bool RefreshModeRadios(const SharedState& s, ModeRadios& r, uint8_t& mode) {
  const bool record = s.RecordOn.load() != 0;
  bool changed = OfferButtons(TimeTable, CheckedButton(r.linesChecked), record, r.timeShown,
                              r.timeChecked);
  changed |= OfferButtons(LinesTable, CheckedButton(r.timeChecked), record, r.linesShown,
                          r.linesChecked);
  uint8_t m = s.WorkMode.load();
  if (s.AddOn.load() != 0 || s.AnaglyphOn.load() != 0) {
    for (int n = 1; n <= kRuledModeButtons; ++n) r.linesShown[size_t(n - 1)] = false;
    r.linesShown[1] = true;
    if (CheckedButton(r.linesChecked) != 2) {
      CheckOnly(r.linesChecked, 2);
      changed = true;
    }
    m = kAddWorkModeLines;
  }
  if (const int n = CheckedButton(r.linesChecked); n > 0)
    m = static_cast<uint8_t>((m & 0x0F) + 16 * n);
  if (const int n = CheckedButton(r.timeChecked); n > 0)
    m = static_cast<uint8_t>((m & 0xF0) + (n - 1));
  mode = m;
  return changed;
}

uint8_t DefaultWorkMode(const SharedState& s) {
  if (s.AddOn.load() != 0) return kDefaultAddMode;
  if (s.RecordOn.load() != 0) return kDefaultRecordMode;
  return kDefaultVisualMode;
}

namespace {
bool AnyOf(const std::array<bool, kModeButtons>& a) {
  return std::find(a.begin(), a.end(), true) != a.end();
}

// Each pass that checks a button stands for one more click handler in the chain; eight end
// any chain the tables can make.
constexpr int kMostRefreshPasses = 8;

void Settle(const SharedState& s, ModeRadios& r, uint8_t& mode) {
  for (int pass = 0; pass < kMostRefreshPasses; ++pass)
    if (!RefreshModeRadios(s, r, mode)) break;
}
}  // namespace

void SettleModeRadios(const SharedState& s, ModeRadios& r, uint8_t& mode) {
  Settle(s, r, mode);
  if (AnyOf(r.linesShown) && AnyOf(r.timeShown)) return;
  const uint8_t d = DefaultWorkMode(s);
  ModeRadios offer;
  CheckOnly(offer.linesChecked, (d >> 4) & 7);
  CheckOnly(offer.timeChecked, (d & 7) + 1);
  uint8_t unused = d;
  Settle(s, offer, unused);
  offer.linesChecked.fill(false);
  offer.timeChecked.fill(false);
  r = offer;
}

namespace {
int CurrentRow(const SharedState& s) { return s.WorkMode.load() & 0x7F; }

std::string WithUnit(int v, const char* unit) { return std::to_string(v) + unit; }
}  // namespace

const FrameValue kDividerValue{
    kDividerMin, kDividerMax, true,
    [](const ConfigTable& c, int mode) { return int(c.RecDivider(mode)); },
    [](SharedState& s, int mode, int v) {
      s.Config.SetRecDivider(mode, static_cast<uint16_t>(v));
      s.SampleDivider = static_cast<uint16_t>(v);
    },
    [](int v) { return DividerText(static_cast<uint16_t>(v)); }};

const FrameValue kOffsetHValue{
    kOffsetHMin, kOffsetHMax, false,
    [](const ConfigTable& c, int mode) { return int(c.RecOffsetH(mode)); },
    [](SharedState& s, int mode, int v) {
      s.Config.SetRecOffsetH(mode, static_cast<int16_t>(v));
      s.OffsetH = static_cast<int16_t>(v);
    },
    [](int v) { return WithUnit(v, " pixels"); }};

const FrameValue kOffsetVValue{
    kOffsetVMin, kOffsetVMax, false,
    [](const ConfigTable& c, int mode) { return int(c.RecOffsetV(mode)); },
    [](SharedState& s, int mode, int v) {
      s.Config.SetRecOffsetV(mode, static_cast<int16_t>(v));
      s.OffsetV = static_cast<int16_t>(v);
    },
    [](int v) { return WithUnit(v, " lines"); }};

int StepFrameValue(SharedState& s, const FrameValue& f, int step) {
  const int row = CurrentRow(s);
  int v = f.read(s.Config, row) + step;
  if (f.wraps16) v &= 0xFFFF;
  v = std::clamp(v, f.low, f.high);
  f.store(s, row, v);
  return v;
}

std::string DividerText(uint16_t d) {
  // Integer nanoseconds, so the three decimals are exact.
  const long ns = (long(d) + 2) * kDividerNsPerStep;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld.%03ld µs", ns / 1000, ns % 1000);
  return buf;
}

WorkModeCheck StoreFilter(SharedState& s, int k, uint8_t code) {
  const WorkModeCheck check = CheckWorkMode(s);
  s.Config.SetRecFilter(check.mode, k, code);
  return check;
}

FilterReading CurrentFilter(SharedState& s, int k) {
  const WorkModeCheck check = CheckWorkMode(s);
  return {s.Config.RecFilter(check.mode, k), check};
}

WorkModeCheck ApplyConfigTable(SharedState& s) {
  const WorkModeCheck check = CheckWorkMode(s);
  uint8_t code = 0;
  for (int k = 1; k <= 4; ++k)
    if (s.Config.ChannelOn(k)) code = static_cast<uint8_t>(code + kChannelCodes[k]);
  s.ChannelCode = code;
  ValidateConfigTable(s);
  RefreshMixMirror(s);
  s.SampleDivider = s.Config.RecDivider(check.mode);
  s.OffsetH = s.Config.RecOffsetH(check.mode);
  s.OffsetV = s.Config.RecOffsetV(check.mode);
  return check;
}

std::string TenthsText(int position) {
  const int a = std::abs(position);
  return std::string(position < 0 ? "-" : "") + std::to_string(a / 10) + "." +
         std::to_string(a % 10);
}

}  // namespace orvix
