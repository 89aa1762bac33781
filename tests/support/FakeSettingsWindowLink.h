#pragma once
// The settings window as the picture files' tests see it: the numbered name it was told to
// show; everything else it is asked is ignored.
#include <string>

#include "AutoName.h"
#include "SettingsWindowLink.h"

namespace orvix::test {

struct FakeSettingsWindowLink final : SettingsWindowLink {
  std::string autoNameShown;  // the full path of the numbered name shown
  void ShowNextAutoName(const std::string& folder, const std::string& base) override {
    autoNameShown = folder + NextAutoName(folder, base);
  }
  void SetUpAtFirstShow(const QRect&) override {}
  void ShowRunMode(RunModeKind) override {}
  void ShowChannelState() override {}
  void ShowWorkModeRadios(uint8_t) override {}
  void RefreshAfterRunModeChange() override {}
  void OpenSettings() override {}
  void CloseSettings() override {}
  void BringToFrontIfShown() override {}
  void ReloadConfig() override {}
  void AdaptToDetectorCount() override {}
  void ShowStartControls(bool) override {}
  void CheckLinesRadio(int) override {}
  void CheckTimeRadio(int) override {}
};

}  // namespace orvix::test
