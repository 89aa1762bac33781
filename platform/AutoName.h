#pragma once
// Numbered picture names (base-0001.bmp ... base-9999.bmp): the first free one in a folder,
// and the base a chosen file name gives. The folder and base in use are PictureFolders'
// SaveDir and AutoNameBase.
#include <optional>
#include <string>

namespace orvix {

inline constexpr const char* kNoName = "NoName.bmp";
inline constexpr int kAutoNumberLimit = 10000;  // numbers 1..9999

// The first free numbered name of `base` in `folder` (which ends in a separator), or
// "NoName.bmp" when 1..9999 are all taken. Only ".bmp" names are probed.
std::string NextAutoName(const std::string& folder, const std::string& base);

// The base of a chosen file name: the characters before its first dot; nothing when the
// name begins with a dot (or is empty).
std::optional<std::string> AutoNameBaseOf(const std::string& fileName);

}  // namespace orvix
