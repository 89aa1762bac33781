#pragma once
// Saving the shown picture and opening a grey picture into a channel: the station owns one,
// the main window runs it from its SAVE and OPEN buttons and the print window writes its
// work file through it. It gets what it works on by constructor (the state, the operator's
// dialogs, the folders, the picture and the strip) and shows what it did through the main
// and settings windows' links, attached once they exist (null: nothing is shown).
//
// UI thread only. ImageStore is read (save) and written (open) under StoreLock, taken
// here for the copy only and never across a dialog or a disk write.
#include <QString>
#include <cstdint>
#include <string>

#include "MainWindowLink.h"
#include "OperatorDialogs.h"
#include "PictureFolders.h"
#include "PictureSurfaces.h"
#include "RunState.h"
#include "SettingsWindowLink.h"
#include "StationStrip.h"

namespace orvix {

class PictureFiles {
 public:
  PictureFiles(SharedState& s, OperatorDialogs& dialogs, PictureFolders& folders,
               PictureSurfaces& surfaces, StationStrip& strip);
  // The windows it shows what it did through; a window that goes detaches itself.
  void AttachMainWindow(MainWindowLink* main) { main_ = main; }
  void AttachSettings(AutoNameView* settings) { settings_ = settings; }
  void Detach(const MainWindowLink* main, const AutoNameView* settings) {
    if (main_ == main) main_ = nullptr;
    if (settings_ == settings) settings_ = nullptr;
  }

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
  MainWindowLink* main_ = nullptr;
  AutoNameView* settings_ = nullptr;
};

}  // namespace orvix
