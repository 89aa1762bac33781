#pragma once
// The lamps of the button column: from the shared run state alone, which buttons may be
// pressed and which colour each button's panel shows. Lime = available, grey = not
// available, red = selected or running, light red = the anaglyph source channel.
#include <array>
#include <cstdint>

#include "Colours.h"
#include "RunState.h"

namespace orvix {

enum class LampColour : uint8_t { Lime, Grey, Red, LightRed };


constexpr Rgb ToRgb(LampColour c) {
  switch (c) {
    case LampColour::Lime: return kLime;
    case LampColour::Grey: return kGrey;
    case LampColour::Red: return kRed;
    case LampColour::LightRed: return kLightRed;
  }
  return kGrey;
}

struct Lamp {
  bool enabled = false;
  LampColour colour = LampColour::Grey;
  bool operator==(const Lamp&) const = default;
};

// The run and window buttons.
struct RunButtonLamps {
  Lamp Record, Add, Visual;
  bool ModeTextGrey = true;  // text colour of Panel101..Panel103: grey, else black
  Lamp Start, Stop, Print, Change, Save, Open, Wymiar, Exit;
};

// The picture-selection buttons and Linescan.
struct ViewButtonLamps {
  std::array<Lamp, 4> Pic;  // kan1..kan4
  Lamp PicAl, Linescan;
};

// Facts of the settings window that the lamps depend on.
struct SettingsFacts {
  bool AutoNumbering = false;  // "Autonumerowanie zbiorów zapisywanych" (CheckBox1)
};

RunButtonLamps ComputeRunButtons(const SharedState& s, const SettingsFacts& settings);
ViewButtonLamps ComputeViewButtons(const SharedState& s);

}  // namespace orvix
