#pragma once
// The test programs take their environment's locale as the station's QApplication does.
// A locale named in LC_ALL (and made LANG too) that the machine lacks would leave the C
// locale in force unnoticed, so the program stops instead.
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace orvix::test {

inline bool TakeEnvironmentLocale() {
  const char* wanted = std::getenv("LC_ALL");
  const bool named = wanted != nullptr && *wanted != '\0';
  if (named) ::setenv("LANG", wanted, 1);
  if (std::setlocale(LC_ALL, "") != nullptr || !named) return true;
  std::fprintf(stderr, "locale %s is not installed (scripts/install-deps.sh test makes it)\n", wanted);
  return false;
}

}  // namespace orvix::test
