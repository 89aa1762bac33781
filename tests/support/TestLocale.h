#pragma once
// The test programs take the locale of their environment as the station does (its
// QApplication sets it from LANG and LC_ALL). A locale named in LC_ALL that the machine
// does not have would leave the C locale in force and let a run meant for Polish desktops
// pass unnoticed, so it stops the program instead; a missing LANG alone is only ignored.
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace orvix::test {

// A locale named in LC_ALL is made LANG too, as on a desktop of that language.
inline bool TakeEnvironmentLocale() {
  const char* wanted = std::getenv("LC_ALL");
  if (wanted != nullptr && *wanted != '\0') ::setenv("LANG", wanted, 1);
  if (std::setlocale(LC_ALL, "") != nullptr) return true;
  if (wanted == nullptr || *wanted == '\0') return true;
  std::fprintf(stderr, "locale %s is not installed (scripts/install-deps.sh test makes it)\n",
               wanted);
  return false;
}

}  // namespace orvix::test
