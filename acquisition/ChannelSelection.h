#pragma once
// Channel selection: turns the channel switches of the configuration table, the number of
// fitted detectors, the run mode and the test-picture switch into the run-time channel
// variables (ChannelCode, ChannelMask, ChannelCount, AddChannelCode), and marks acquired
// channels as unsaved after each displayed frame.
#include <cstdint>
#include <functional>
#include <string>

#include "RunState.h"

namespace orvix {

// Per-channel code: the high nibble counts the channel, the low nibble is its mask bit.
inline constexpr uint8_t kChannelCodes[5] = {0, 0x11, 0x12, 0x14, 0x18};

// Full redraw of a view (view, work mode, colour letter), asked for when the test picture
// takes the view back from ALL to a single channel.
using RedrawHook = std::function<void(int view, int workMode, const std::string& letter)>;

// Recomputes the channel variables; may switch ChannelOn rows of the table and ViewMode.
void UpdateChannelCode(SharedState& s, const RedrawHook& redraw = {});

// Marks the acquired channels (or, with none, the channel on screen) unsaved.
void MarkUnsaved(SharedState& s);

}  // namespace orvix
