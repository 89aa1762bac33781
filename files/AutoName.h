#pragma once
// Numbered picture names (base-0001.bmp ... base-9999.bmp) and the folder and base that
// automatic numbering uses. These last until the program ends; they are not stored.
#include <optional>
#include <string>

namespace orvix {

std::string& SaveDir();       // Folders().SaveDir: folder of the last save, no trailing separator
std::string& AutoNameBase();  // base of numbered names, "backup" at start

// The first free numbered name of `base` in `folder` (which ends in a separator), or
// "NoName.bmp" when 1..9999 are all taken. Only ".bmp" names are probed.
std::string NextAutoName(const std::string& folder, const std::string& base);

// The base of a chosen file name: the characters before its first dot; nothing when the
// name begins with a dot (or is empty).
std::optional<std::string> AutoNameBaseOf(const std::string& fileName);

}  // namespace orvix
