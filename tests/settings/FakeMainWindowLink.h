#pragma once
// The main window as the settings window's tests see it: every call it gets is recorded.
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "MainWindowLink.h"
#include "ScriptedDialogs.h"

namespace orvix::test {

struct FakeMainWindowLink final : MainWindowLink {
  std::string record, add, visual, addButton, saveButton;
  int hidePicture = 0, repaint = 0, runButtons = 0, viewButtons = 0, selectVisual = 0;
  const ScriptedDialogs* dialogs = nullptr;
  size_t boxesAtHide = 0;  // boxes already shown when the start-up picture was hidden
  std::vector<std::tuple<int, int, std::string>> redraws;
  std::vector<std::pair<int32_t, uint8_t>> refreshes;
  std::vector<bool> layouts;  // ShowStereoLayout calls
  void SetRecordModeText(const std::string& t) override { record = t; }
  void SetAddModeText(const std::string& t) override { add = t; }
  void SetVisualModeText(const std::string& t) override { visual = t; }
  void SetAddButtonCaption(const std::string& t) override { addButton = t; }
  void SetSaveButtonCaption(const std::string& t) override { saveButton = t; }
  void HideStartupPicture() override {
    ++hidePicture;
    boxesAtHide = dialogs ? dialogs->shown.size() : 0;
  }
  void RepaintViews() override { ++repaint; }
  void UpdateRunButtons() override { ++runButtons; }
  void UpdateViewButtons() override { ++viewButtons; }
  void RedrawPicture(int v, int m, const std::string& l) override { redraws.emplace_back(v, m, l); }
  void OdswierzRecVis(int32_t r, uint8_t m) override { refreshes.emplace_back(r, m); }
  void ShowStereoLayout(bool on) override { layouts.push_back(on); }
  void SelectVisual() override { ++selectVisual; }
};

}  // namespace orvix::test
