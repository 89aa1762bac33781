// conf300.dat comes from outside: any file must load and apply without a read or write
// outside the table, leave every guarded value in its range, and give working modes that
// the settings window can show and the stream writer can fit into RawStream. The input is
// a file image (its last bytes also pick the run mode, view and switches). No buffer is
// touched here: fuzz_config_run drives a frame with the applied settings.
#include <cstddef>
#include <cstdint>

#include "ConfigApply.h"
#include "GreyBmp.h"
#include "LineStream.h"

using namespace orvix;

namespace {

// The settings window after the apply step: the radios of the current mode are checked,
// the refresh settles them, and the mode it composes becomes current.
void ShowAndSettle(SharedState& s) {
  const uint8_t mode = s.WorkMode.load();
  ModeRadios r;
  if ((mode & 7) <= 6) r.timeChecked[size_t(mode & 7)] = true;
  switch (mode & 0x70) {
    case 0x10: r.linesChecked[0] = true; break;
    case 0x20: r.linesChecked[1] = true; break;
    case 0x30:
    case 0x40: r.linesChecked[2] = true; break;
    default: break;
  }
  uint8_t composed = mode;
  SettleModeRadios(s, r, composed);
  SetCurrentWorkMode(s, composed);
  const ModePanelTexts t = ModePanels(s, s.Config.Flag(cfg::kAutoIdentRow));
  ORVIX_FUZZ_CHECK(!t.record.text.empty() && !t.add.text.empty() && !t.visual.text.empty());
  (void)WorkModeInRange(s.WorkMode.load());
  StepFrameValue(s, kDividerValue, 0);
  StepFrameValue(s, kOffsetHValue, 0);
  StepFrameValue(s, kOffsetVValue, 0);
}

// The frame the writer would write in the current mode stays inside RawStream, and the
// collector's search limit is a byte count of it.
void CheckFrameGeometry(const SharedState& s) {
  const int f = FrameFormat(s);
  ORVIX_FUZZ_CHECK(f >= 0 && f < 8);
  const int64_t length = StreamLineLength(s);
  const int64_t frame = kStreamFirstLine + int64_t(StreamLines[size_t(f)] + 1) * length + 1;
  ORVIX_FUZZ_CHECK(length >= kLineHeaderSize && frame <= int64_t(kRawStreamSize));
  const int32_t limit = FrameLimit(s);
  ORVIX_FUZZ_CHECK(limit >= 0 && limit <= kRawStreamMaxBytes);
  const GreyGeometry g = PictureGeometry(s.WorkMode.load());
  ORVIX_FUZZ_CHECK(g.stride % 4 == 0 && g.stride >= g.width && g.width <= kStoreColumns &&
                   g.height <= kStoreRows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SharedState& s = fuzz::State();
  if (!fuzz::ApplyImage(s, data, size, true)) return 0;
  CheckFrameGeometry(s);
  ShowAndSettle(s);
  CheckFrameGeometry(s);
  for (const uint8_t mode : {s.VisualWorkMode.load(), s.RecordWorkMode.load(), s.AddWorkMode.load()}) {
    const ModeTextResult t = ModeText(mode);
    ORVIX_FUZZ_CHECK(t.error1502 == ((mode & 0x70) == 0 || (mode & 0x70) > 0x40));
  }
  return 0;
}
