#pragma once
// The lines choice of a working mode, WorkMode AND 0x70: 0x10 = 400, 0x20 = 800,
// 0x30 = 1600 lines, 0x40 = the second 1600-line format ("error lines"), 0x00 = none
// chosen, anything else an impossible code. Every part that depends on the picture's size
// (display, strip, files, linescan, working modes, the main window) decodes it here.
#include <cstdint>

namespace orvix {

enum class Lines : uint8_t { None, L400, L800, L1600, L1600b, Invalid };

constexpr uint8_t LinesCode(uint8_t workMode) { return uint8_t(workMode & 0x70); }

constexpr Lines LinesOf(uint8_t workMode) {
  switch (LinesCode(workMode)) {
    case 0x00: return Lines::None;
    case 0x10: return Lines::L400;
    case 0x20: return Lines::L800;
    case 0x30: return Lines::L1600;
    case 0x40: return Lines::L1600b;
    default: return Lines::Invalid;
  }
}

// The lines of a frame: 400, 800 or 1600; 0 for none or an impossible code.
constexpr int FrameLines(Lines l) {
  switch (l) {
    case Lines::L400: return 400;
    case Lines::L800: return 800;
    case Lines::L1600:
    case Lines::L1600b: return 1600;
    default: return 0;
  }
}

}  // namespace orvix
