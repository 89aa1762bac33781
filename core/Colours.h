#pragma once
// The station's named colours, shared by the button lamps and the picture's row fills.
#include <cstdint>
#include <type_traits>

namespace orvix {

struct Rgb {
  uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  // Becomes a toolkit colour made of red, green and blue (QColor) where one is wanted.
  template <class Colour>
    requires(!std::is_arithmetic_v<Colour> && std::is_constructible_v<Colour, int, int, int>)
  operator Colour() const {
    return Colour(r, g, b);
  }
};

inline constexpr Rgb kAqua{0, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kFuchsia{255, 0, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kLightRed{255, 125, 125};
inline constexpr Rgb kLime{0, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kYellow{255, 255, 0};

}  // namespace orvix
