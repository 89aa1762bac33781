#pragma once
// The scan unit's line stream: every line starts with an 18-byte LineHeader followed by
// the interleaved samples of the enabled channels. With no unit attached, the station
// writes this stream itself with a synthetic signal, and everything downstream reads it
// exactly as it would read the unit's.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "StreamSeam.h"
#include "RunState.h"

namespace orvix {

inline constexpr int kLineHeaderSize = 18;
inline constexpr std::array<uint8_t, 12> kSyncPattern = {0xFE, 0x01, 0xFE, 0x01, 0x01, 0xFE,
                                                         0x01, 0xFE, 0xFE, 0x01, 0xFE, 0x01};
inline constexpr uint8_t kHeaderMarker = 0xAA;
inline constexpr int kHeaderMarkerByte = 14;
// Bytes 0..14 decide whether a header stands at a position.
inline constexpr int kHeaderMatchBytes = 15;
inline constexpr int kStreamFirstLine = 10;       // byte of RawStream where line 0 starts
inline constexpr int kStreamTimeCode = 200;       // time code the writers put in every header
inline constexpr int kProbePosition = 100;        // where HeaderProbe plants its own header
inline constexpr int kProbeScanPositions = 1025;  // start positions 0..1024
inline constexpr int kFramePauseMs = 500;
inline constexpr int kRecordLinePauseMs = 10;

// The header fields a reader derives.
struct LineHeader {
  int lineNumber = 0;  // byte 12 * 256 + byte 13
  int lines = 0;       // byte 15 * 16
  int timeCode = 0;    // (byte 17 & 0x0F) * 256 + byte 16
};

// A header stands at `pos` when the 12 sync bytes match and byte 14 is AA. Positions whose
// header would reach past `end` (exclusive) never match.
bool IsHeaderAt(const uint8_t* stream, size_t end, size_t pos);
LineHeader ReadHeader(const uint8_t* stream, size_t pos);

// Writes the 18 header bytes at RawStream[position] (nothing when they would not fit).
void WriteLineHeader(SharedState& s, size_t position, int lineNumber, int lineCount);

// Frame geometry of the current frame format and channel count.
int32_t StreamLineLength(const SharedState& s);
int32_t DataOffset(const SharedState& s);
int32_t FrameLimit(const SharedState& s);

// Plants a header at byte 100 and scans positions 0..1024 for the first header; returns
// it and sets HeaderLines and HeaderTimeCode from it. Returns nothing only when the
// thread was asked to terminate before a header was seen.
std::optional<LineHeader> HeaderProbe(SharedState& s, StreamSeam& seam);

// One VISUAL/ADD frame, written whole under the stream lock between two 500 ms pauses.
// Clears `found` when the probe before it was ended by a terminate request, and writes
// nothing then (nor when `found` comes in cleared).
void WriteFrame(SharedState& s, StreamSeam& seam, bool& found);

// One RECORD frame, line by line at 10 ms a line; ends by asking its thread to terminate.
void WriteRecordFrame(SharedState& s, StreamSeam& seam);

// Bytes of RawStream that readers may look at: the published part, never past the end.
size_t ReadableStreamBytes(const SharedState& s);

}  // namespace orvix
