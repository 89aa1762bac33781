#pragma once
// The texts the operator types or the system formats (correction and reference boxes,
// the date) without the blanks, tabs and line ends around them.
#include <string>

namespace orvix {

inline std::string Trimmed(const std::string& t) {
  const auto first = t.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = t.find_last_not_of(" \t\r\n");
  return t.substr(first, last - first + 1);
}

}  // namespace orvix
