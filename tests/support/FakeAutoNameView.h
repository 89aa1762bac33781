#pragma once
// The settings window's file page as the picture files' tests see it: the numbered name it
// was told to show.
#include <string>

#include "AutoName.h"
#include "SettingsWindowLink.h"

namespace orvix::test {

struct FakeAutoNameView final : AutoNameView {
  std::string autoNameShown;  // the full path of the numbered name shown
  void ShowNextAutoName(const std::string& folder, const std::string& base) override {
    autoNameShown = folder + NextAutoName(folder, base);
  }
};

}  // namespace orvix::test
