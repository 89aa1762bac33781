#pragma once
// The collector: finds the lines of a frame in RawStream by their headers and copies the
// samples of the enabled channels into their planes of ImageStore (or, for ADD, into a
// slot of AddStore, then averages the slots). It also clears planes with their captions
// and applies the channel-4 mix rule.
//
// Every read of RawStream stays below the published part of the stream (the writers
// publish finished lines), and a line whose samples would run past it is not collected.
#include <cstddef>
#include <cstdint>

#include "RunState.h"

namespace orvix {

inline constexpr double kCollectFactor = 1.35;
inline constexpr int kHeaderWindow = 128;   // start positions tested per FindNextHeader call
inline constexpr int kRestartRows = 222;    // a row < 1 before this many rows restarts the frame
inline constexpr int kAddPixels = 1100;     // ADD frames: 1100 x 800, one channel
inline constexpr int kAddLines = 800;
inline constexpr int kAddSkip = 550;
inline constexpr uint8_t kMixGrey = 55;     // kan4 of a cleared plane when a mix switch is on
inline constexpr uint8_t kMixLow = 51;      // kan4 below this blacks out the mixed channels
inline constexpr uint8_t kMixHigh = 204;    // kan4 above this whitens them
inline constexpr int kMixRows = 1601;       // MixClip walks rows 0..1600
inline constexpr int kMixColumns = 2201;    // and columns 0..2200

// Start position (1..n) of the header of line 1, with CurrentLine = 0; 0 when none.
size_t FindFirstLine(SharedState& s, int64_t n);
// Tests positions position..position+127; on a hit leaves position on it and sets
// CurrentLine; otherwise advances position by 128 and returns false.
bool FindNextHeader(SharedState& s, size_t& position);

// Row of the store for a line number: (line & 0xFFF) - OffsetV - 1, parked at `parking`
// when it falls outside 0..parking.
int StoreRow(int lineNumber, int offsetV, int parking);

// Collects a frame into the planes of the enabled channels (VISUAL on the acquisition
// thread, RECORD on the progress timer). `found` is cleared when line 1 is missing or the
// frame ran past its limit before all its lines were taken.
void CollectFrame(SharedState& s, bool& found, double factor);
// Collects an ADD frame into slot k (1..51) of AddStore; `found` as for CollectFrame.
void CollectAddFrame(SharedState& s, int k, int32_t limit, bool& found);
void AverageAddFrames(SharedState& s, int k);
// Clears the planes of `mask` (kan4 goes grey instead while a mix switch is on, read from
// MixChannelBits). Only withCaptions touches ViewCaptions, which belong to the UI thread:
// the acquisition thread passes false.
void ClearChannels(SharedState& s, uint8_t mask, bool withCaptions);
// Clears the slots of the ADD run; reads the table's frame count, so UI thread only.
void ClearAddStore(SharedState& s);
// The channel-4 mix rule on the planes whose switch is on in MixChannelBits.
void MixClip(SharedState& s);

}  // namespace orvix
