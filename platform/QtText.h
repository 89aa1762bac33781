#pragma once
// The station's texts are UTF-8 in std::string and string literals; Q makes the toolkit's
// string of one.
#include <QString>
#include <string_view>

namespace orvix {

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline QString Q(const char* s) { return QString::fromUtf8(s); }

}  // namespace orvix
