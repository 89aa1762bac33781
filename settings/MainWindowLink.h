#pragma once
// What the settings window does to the main window. The main window implements it; the
// settings window holds a pointer that may be null (then these calls do nothing).
#include <cstdint>
#include <string>

namespace orvix {

class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  // The white mode-text panels of the run-mode buttons.
  virtual void SetRecordModeText(const std::string& text) = 0;  // Panel101 (RECORD)
  virtual void SetAddModeText(const std::string& text) = 0;     // Panel102 (ADD)
  virtual void SetVisualModeText(const std::string& text) = 0;  // Panel103 (VISUAL)
  // Caption of the ADD run-mode button ("ADD 25") and of the SAVE button
  // ("Zapisz" with automatic numbering, "Zapisz jako..." without).
  virtual void SetAddButtonCaption(const std::string& text) = 0;
  virtual void SetSaveButtonCaption(const std::string& text) = 0;
  // Hides the start-up picture (Image3) before the missing-configuration warning.
  virtual void HideStartupPicture() = 0;
  // Repaints the main window, and the linescan window when it is open.
  virtual void RepaintViews() = 0;
  virtual void UpdateRunButtons() = 0;
  virtual void UpdateViewButtons() = 0;
  virtual void RedrawPicture(int view, int workMode, const std::string& letter) = 0;
  // The main window's run-mode refresh (record: -1 or 0).
  virtual void OdswierzRecVis(int32_t record, uint8_t mode) = 0;
  // 3D mode: the stereo layout of the button column (on: RECORD, ADD, four-channel,
  // channel-4 and "Wymiar" hidden, the first three channel buttons the red and cyan
  // half-pictures and the anaglyph) or the four-channel one (off).
  virtual void ShowStereoLayout(bool /*on*/) {}
  // Selects VISUAL as its button does.
  virtual void SelectVisual() {}
};

}  // namespace orvix
