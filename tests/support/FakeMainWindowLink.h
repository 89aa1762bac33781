#pragma once
// The main window as the other windows' tests see it: every call it gets is recorded. And
// the settings window's file page as the picture files see it: the numbered name shown.
#include <QRect>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "AutoName.h"
#include "MainWindowLink.h"
#include "ScriptedDialogs.h"
#include "SettingsWindowLink.h"

namespace orvix::test {

struct FakeMainWindowLink final : MainWindowLink {
  std::string record, add, visual, addButton, saveButton;
  int hidePicture = 0, repaint = 0, runButtons = 0, viewButtons = 0, selectVisual = 0;
  const ScriptedDialogs* dialogs = nullptr;
  size_t boxesAtHide = 0;  // boxes already shown when the start-up picture was hidden
  std::vector<std::tuple<int, int, std::string>> redraws;
  std::vector<std::pair<int32_t, uint8_t>> refreshes;
  std::vector<bool> layouts;      // ShowStereoLayout calls
  std::vector<std::string> calls;  // the picture and measurement requests, in order
  bool rowMarkerShown = false;
  int rowMarkerTop = -1;
  bool linescanMouse = false;
  QRect panel{100, 0, 1106, 806};  // where the picture panel is on the screen

  void UpdateRunButtons() override { ++runButtons; }
  void UpdateViewButtons() override { ++viewButtons; }
  void RepaintButtonColumn() override { calls.push_back("column"); }
  void SetRecordModeText(const std::string& t) override { record = t; }
  void SetAddModeText(const std::string& t) override { add = t; }
  void SetVisualModeText(const std::string& t) override { visual = t; }
  void SetAddButtonCaption(const std::string& t) override { addButton = t; }
  void SetSaveButtonCaption(const std::string& t) override { saveButton = t; }
  void OdswierzRecVis(int32_t r, uint8_t m) override { refreshes.emplace_back(r, m); }
  void ShowStereoLayout(bool on) override { layouts.push_back(on); }
  void KlawiszVISUALClick() override { ++selectVisual; }
  void HideStartupPicture() override {
    ++hidePicture;
    boxesAtHide = dialogs ? dialogs->shown.size() : 0;
  }
  void RepaintViews() override { ++repaint; }
  void RepaintPicture() override { calls.push_back("repaint"); }
  void RedrawPicture(int v, int m, const std::string& l) override { redraws.emplace_back(v, m, l); }
  std::string caption;  // the last picture caption shown
  void ShowPictureCaption(const std::string& c) override { caption = c; }
  // Seven pixels a character, so the caption rule's cut is easy to count.
  int CaptionWidth(const QString& c) const override { return int(c.size()) * 7; }
  QRect PicturePanelGeometry() const override { return panel; }
  void ShowRowMarker(bool shown) override { rowMarkerShown = shown; }
  void MoveRowMarker(int top) override { rowMarkerTop = top; }
  void AttachLinescanMouse(bool attached) override { linescanMouse = attached; }
  void SetRecordIndicator(const std::string& t) override { calls.push_back("indicator " + t); }
  void EnableDisplayTimer(int timer) override { calls.push_back("timer" + std::to_string(timer)); }
  void RunStateChanged(bool ended) override { calls.push_back(ended ? "ended" : "lamps"); }
  void start_wymiar() override { calls.push_back("measure"); }
  void DropMeasurement() override { calls.push_back("drop"); }
  void ReturnToSettings() override { calls.push_back("settings"); }
};

struct FakeAutoNameView final : AutoNameView {
  std::string autoNameShown;  // the full path of the numbered name shown
  void ShowNextAutoName(const std::string& folder, const std::string& base) override {
    autoNameShown = folder + NextAutoName(folder, base);
  }
};

}  // namespace orvix::test
