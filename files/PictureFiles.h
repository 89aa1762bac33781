#pragma once
// Saving the shown picture and opening a grey picture into a channel, for the main
// window, which owns one PictureFiles and runs it from its SAVE and OPEN buttons. It gets
// everything it works on by constructor: the state, the operator's dialogs, the picture
// folders, the picture surfaces, the station's strip and the main window's hooks below.
//
// UI thread only. ImageStore is read (save) and written (open) under StoreLock, taken
// here for the copy only and never across a dialog or a disk write.
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "OperatorDialogs.h"
#include "PictureFolders.h"
#include "PictureSurfaces.h"
#include "RunState.h"
#include "StationStrip.h"

namespace orvix {

// What the main window does for the picture files. Every hook is optional.
struct PictureFilesHooks {
  // Paints the picture again (a dialog may have covered it).
  std::function<void()> repaintPicture;
  // Paints the linescan window again while it is open.
  std::function<void()> repaintLinescan;
  // Full redraw of a view; takes StoreLock itself.
  std::function<void(int view, uint8_t mode, const std::string& letter)> redrawPicture;
  // Shows the caption over the picture (StaticText4), right-aligned to the picture panel.
  std::function<void(const std::string& caption)> showCaption;
  // Width in pixels of a caption in StaticText4's font.
  std::function<int(const QString& caption)> captionWidth;
  // Shows the numbered name of `base` in `folder` (ending in a separator) that the next
  // automatic save takes, in the settings window's file page.
  std::function<void(const std::string& folder, const std::string& base)> showAutoName;
};

class PictureFiles {
 public:
  PictureFiles(SharedState& s, OperatorDialogs& dialogs, PictureFolders& folders,
               PictureSurfaces& surfaces, StationStrip& strip, PictureFilesHooks hooks);

  // The two saves of the SAVE button (the dialog one also answers "save it now?").
  void SavePictureAs();
  void SavePictureAuto();
  // The OPEN button: a grey BMP into the channel of the shown view.
  void OpenPicture();

  // Stores `text` as the caption of `view` (shortened to fit the label) and shows it.
  void SetViewCaption(int view, const std::string& text);

  // The writers; each reports its own failure ("   ERROR ??? - not saved    ") and
  // returns false. A failed write leaves any previous file of that name as it was.
  bool WriteGreyBmp(const std::string& path);
  bool WriteVisiblePicture(const std::string& path, int colourMode);
  bool WriteJpegFromBmp(const std::string& jpegPath, const std::string& bmpPath);
  // The print work file ProgramDir/temp_dru.bmp; the caption is shown again.
  bool WritePrintPicture();
  // After a completed save: the registration number and the strip, when the settings
  // say the number advances on a save.
  void AfterSaveNumbering();

  void ShowFileError(const std::string& text);
  void ReportFileError(uint8_t kind, uint16_t code);

  // The picture the colour writer takes for colourMode: the 1100 x 800 picture area, or
  // the 800 x 800 turned anaglyph (picture columns 150..949).
  QImage VisiblePicture(int colourMode) const;

 private:
  void Repaint();
  bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
  // The grey BMP of the shown channel to `path`; marks nothing.
  bool WriteGreyFile(const std::string& path, int ch);
  bool EnoughSpace(const std::string& folder) const;

  SharedState& s_;
  OperatorDialogs& dialogs_;
  PictureFolders& folders_;
  PictureSurfaces& surfaces_;
  StationStrip& strip_;
  PictureFilesHooks hooks_;
};

}  // namespace orvix
