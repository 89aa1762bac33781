#pragma once
// The station's named colours, shared by the button lamps and the picture's row fills.
#include <cstdint>

namespace orvix {

struct Rgb {
  uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kAqua{0, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kFuchsia{255, 0, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kLightRed{255, 125, 125};
inline constexpr Rgb kLime{0, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kYellow{255, 255, 0};

}  // namespace orvix
