#pragma once
// What the other windows and the station's run ask of the main window: the one link the
// main window implements. The settings, linescan, calibration and print windows and the
// run hold a pointer to it, which may be null (then these calls do nothing), and never
// touch the main window's controls.
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>

namespace orvix {

class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;

  // --- The button column ---
  virtual void UpdateRunButtons() = 0;
  virtual void UpdateViewButtons() = 0;
  void UpdateLamps() {
    UpdateRunButtons();
    UpdateViewButtons();
  }
  virtual void RepaintButtonColumn() = 0;
  // The white mode-text panels of the run-mode buttons.
  virtual void SetRecordModeText(const std::string& text) = 0;  // Panel101 (RECORD)
  virtual void SetAddModeText(const std::string& text) = 0;     // Panel102 (ADD)
  virtual void SetVisualModeText(const std::string& text) = 0;  // Panel103 (VISUAL)
  // Caption of the ADD run-mode button ("ADD 25") and of the SAVE button
  // ("Zapisz" with automatic numbering, "Zapisz jako..." without).
  virtual void SetAddButtonCaption(const std::string& text) = 0;
  virtual void SetSaveButtonCaption(const std::string& text) = 0;
  // The main window's run-mode refresh (record: -1 or 0).
  virtual void OdswierzRecVis(int32_t record, uint8_t mode) = 0;
  // 3D mode: the stereo layout of the button column (on: RECORD, ADD, four-channel,
  // channel-4 and "Wymiar" hidden, the first three channel buttons the red and cyan
  // half-pictures and the anaglyph) or the four-channel one (off).
  virtual void ShowStereoLayout(bool on) = 0;
  // VISUAL selected, as by its button.
  virtual void KlawiszVISUALClick() = 0;

  // --- The picture ---
  // Hides the start-up picture (Image3) before the missing-configuration warning.
  virtual void HideStartupPicture() = 0;
  // Repaints the main window, and the linescan window when it is open.
  virtual void RepaintViews() = 0;
  // Repaints the shown picture only.
  virtual void RepaintPicture() = 0;
  virtual void RedrawPicture(int view, int workMode, const std::string& letter) = 0;
  // The caption over the picture (StaticText4), right-aligned to the picture panel, and
  // the width in pixels a caption takes in its font.
  virtual void ShowPictureCaption(const std::string& caption) = 0;
  virtual int CaptionWidth(const QString& caption) const = 0;
  // The picture panel on screen (global coordinates); windows place themselves by it.
  virtual QRect PicturePanelGeometry() const = 0;
  // The red row marker over the picture: shown or hidden, and its top in the panel.
  virtual void ShowRowMarker(bool shown) = 0;
  virtual void MoveRowMarker(int top) = 0;
  // Mouse moves over the picture go to the linescan while attached; a measurement in
  // progress is dropped then.
  virtual void AttachLinescanMouse(bool attached) = 0;

  // --- What the acquisition thread asked (run on the UI thread) ---
  // The RECORD indicator (StaticText10).
  virtual void SetRecordIndicator(const std::string& text) = 0;
  // Starts display timer 1 (a frame), 3 (RECORD progress) or 4 (end of RECORD).
  virtual void EnableDisplayTimer(int timer) = 0;
  // The lamps refreshed; `threadEnded`: the run's thread is over and the frame display
  // timer stops.
  virtual void RunStateChanged(bool threadEnded) = 0;

  // --- The measurement ---
  // Arms a measurement on the picture (or refuses it for this view).
  virtual void start_wymiar() = 0;
  // Detaches the picture's measurement handlers; a measurement in progress is dropped.
  virtual void DropMeasurement() = 0;
  // Brings the settings window to the front when it is shown.
  virtual void ReturnToSettings() = 0;
};

}  // namespace orvix
