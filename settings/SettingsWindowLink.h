#pragma once
// What the main window (and the acquisition thread's requests, through it) asks of the
// settings window. The settings window implements it; the main window holds it and never
// touches the settings window's controls. Values the main window needs from the settings
// (ask-to-save switches, ADD count, bar looks, anaglyph choices, autonumbering) come from
// the configuration table or the run-state mirrors instead.
#include <cstdint>
#include <string>

class QRect;

namespace orvix {

enum class RunModeKind { Visual, Record, Add };

// Where the next numbered name is shown (the settings window's file page): the picture
// files tell it which name an automatic save takes.
class AutoNameView {
 public:
  virtual ~AutoNameView() = default;
  // The next numbered name of `base` in `folder` (ending in a separator).
  virtual void ShowNextAutoName(const std::string& folder, const std::string& base) = 0;
};

class SettingsWindowLink : public AutoNameView {
 public:
  // First show of the main window: placement over the picture panel (global coordinates),
  // captions and scales; the anaglyph page hidden.
  virtual void SetUpAtFirstShow(const QRect& picturePanel) = 0;
  // The run mode selected on the main window: the TIME group's caption and whether the
  // "Autoidentyfikacja" box may be used.
  virtual void ShowRunMode(RunModeKind mode) = 0;
  // The page indicators and the on/off panel for the page shown.
  virtual void ShowChannelState() = 0;
  // Checks the LINES and TIME buttons of `mode` (ERROR 1503 / 1504 for impossible ones).
  virtual void ShowWorkModeRadios(uint8_t mode) = 0;
  // After a run-mode change: the page shown, the working-mode lists' lock, a repaint.
  virtual void RefreshAfterRunModeChange() = 0;
  // "Nastawy...": the strip options on page 8 (" Znacznik "), the page refreshed, shown.
  virtual void OpenSettings() = 0;
  // Shutdown: closes the window the way "Zamknij" does, when it is open.
  virtual void CloseSettings() = 0;
  // The calibration window closed: the settings window, when shown, comes to the front.
  virtual void BringToFrontIfShown() = 0;
  // The start step: load or default the configuration and apply it (VISUAL selected).
  virtual void ReloadConfig() = 0;
  // The start step, after ReloadConfig: the pages of the channels DetectorCount leaves out
  // are dropped.
  virtual void AdaptToDetectorCount() = 0;
  // The start step: the 3D switch shown, the two ask-to-save boxes shown or hidden, and the
  // frame page opened.
  virtual void ShowStartControls(bool askBoxesVisible) = 0;
  // Auto-identification: checking LinesRadio[index] / TimeRadio[index] runs their clicks.
  virtual void CheckLinesRadio(int index) = 0;
  virtual void CheckTimeRadio(int index) = 0;
};

}  // namespace orvix
