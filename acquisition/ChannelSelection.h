#pragma once
// Channel selection: turns the channel switches of the configuration table, the number of
// fitted detectors, the run mode and the test-picture switch into the run-time channel
// variables (ChannelCode, ChannelMask, ChannelCount, AddChannelCode), and marks acquired
// channels as unsaved after each displayed frame.
#include <cstdint>

#include "RunState.h"

namespace orvix {

// Per-channel code: the high nibble counts the channel, the low nibble is its mask bit.
inline constexpr uint8_t kChannelCodes[5] = {0, 0x11, 0x12, 0x14, 0x18};

// What a recomputation changed that its caller must show.
struct ChannelUpdate {
  // The test picture took the view back from ALL to the last single channel (ViewMode):
  // the caller redraws that view in WorkMode with row fill "r".
  bool viewTakenBack = false;
};

// Recomputes the channel variables; may switch ChannelOn rows of the table and ViewMode.
ChannelUpdate UpdateChannelCode(SharedState& s);

// Marks the acquired channels (or, with none, the channel on screen) unsaved.
void MarkUnsaved(SharedState& s);

}  // namespace orvix
