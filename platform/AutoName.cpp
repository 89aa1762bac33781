#include "AutoName.h"

#include <filesystem>
#include <system_error>

namespace orvix {

std::string NextAutoName(const std::string& folder, const std::string& base) {
  for (int n = 1; n < kAutoNumberLimit; ++n) {
    const char* pad = n <= 9 ? "-000" : n <= 99 ? "-00" : n <= 999 ? "-0" : "-";
    const std::string name = base + pad + std::to_string(n) + ".bmp";
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(folder + name), ec)) return name;
  }
  return kNoName;
}

std::optional<std::string> AutoNameBaseOf(const std::string& fileName) {
  const std::string name = fileName + ".";
  const size_t p = name.find('.');  // 0-based: a base needs p >= 1
  if (p < 1) return std::nullopt;
  return name.substr(0, p);
}

}  // namespace orvix
