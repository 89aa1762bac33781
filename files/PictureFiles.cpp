#include "PictureFiles.h"

#include <mutex>

#include "AutoName.h"
#include "FileErrors.h"
#include "FileTexts.h"
#include "FileWrite.h"
#include "GreyBmp.h"
#include "PictureEncoders.h"
#include "SaveNames.h"

namespace orvix {

using namespace files;

PictureFiles::PictureFiles(SharedState& s, OperatorDialogs& dialogs, PictureFolders& folders,
                           PictureSurfaces& surfaces, StationStrip& strip)
    : s_(s), dialogs_(dialogs), folders_(folders), surfaces_(surfaces), strip_(strip) {}

void PictureFiles::Repaint() {
  if (main_) main_->RepaintPicture();
}

void PictureFiles::ShowFileError(const std::string& text) {
  dialogs_.Message(MsgType::Error, text, MsgButtons::Ok);
}

void PictureFiles::ReportFileError(uint8_t kind, uint16_t code) {
  const FileErrorBox box = orvix::ReportFileError(kind, code);
  if (box.show) dialogs_.Message(MsgType::Error, box.text, box.buttons);
}

bool PictureFiles::EnoughSpace(const std::string& folder) const {
  const int64_t free = FreeSpace(folder);
  if (free < 0) return true;  // unknown: the write itself will tell
  return double(free) > kFreeSpaceFactor * double(PictureGeometry(s_.WorkMode.load()).fileSize);
}

void PictureFiles::SetViewCaption(int view, const std::string& text) {
  if (view < 1 || view > 5) return;
  const QString full = QString::fromStdString(text);
  const QString shown =
      main_ ? ShortenCaption(full, [this](const QString& c) { return main_->CaptionWidth(c); })
            : full.left(kCaptionMaxChars);
  s_.ViewCaptions[size_t(view)] = shown.toStdString();
  if (main_) main_->ShowPictureCaption(s_.ViewCaptions[size_t(view)]);
}

bool PictureFiles::WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (bytes.empty() || !WriteFileReplacing(path, bytes.data(), bytes.size()).ok) {
    ShowFileError(kNotSavedText);
    return false;
  }
  return true;
}

bool PictureFiles::WriteGreyFile(const std::string& path, int ch) {
  if (ch < 1 || ch > 4) {
    ShowFileError(kNotSavedText);
    return false;
  }
  std::vector<uint8_t> bytes;
  {
    const std::lock_guard<std::mutex> store(s_.StoreLock);
    bytes = GreyBmpBytes(s_, s_.WorkMode.load(), ch);
  }
  return WriteBytes(path, bytes);
}

bool PictureFiles::WriteGreyBmp(const std::string& path) {
  const int ch = s_.ViewMode.load();
  if (!WriteGreyFile(path, ch)) return false;
  MarkPictureSaved(s_, ch);
  return true;
}

QImage PictureFiles::VisiblePicture(int colourMode) const {
  const QImage picture = surfaces_.Picture().Copy();
  if (colourMode == 1 && s_.Config.Flag(cfg::kAnaglyphRotate90Row) != 0)
    return picture.copy(150, 0, 800, 800);
  return picture;
}

bool PictureFiles::WriteVisiblePicture(const std::string& path, int colourMode) {
  return WriteBytes(path, ColourBmpBytes(VisiblePicture(colourMode)));
}

bool PictureFiles::WriteJpegFromBmp(const std::string& jpegPath, const std::string& bmpPath) {
  if (orvix::WriteJpegFromBmp(jpegPath, bmpPath)) return true;
  ShowFileError(kNotSavedText);
  return false;
}

bool PictureFiles::WritePrintPicture() {
  const bool ok = WriteVisiblePicture(folders_.ProgramDir + "/" + kPrintWorkFile, 0);
  const int v = s_.ViewMode.load();
  if (v >= 1 && v <= 5) SetViewCaption(v, s_.ViewCaptions[size_t(v)]);
  return ok;
}

void PictureFiles::AfterSaveNumbering() {
  if (s_.Config.Flag(cfg::kRegIncrementOnSaveRow) == 0) return;
  strip_.NumeracjaZdjecia();
  strip_.BurnTakingLock();
}

void PictureFiles::SavePictureAs() {
  const int view = s_.ViewMode.load();
  const SaveFilters filters =
      SaveFilterList(s_.WorkMode.load(), view, s_.AnaglyphOn.load() != 0,
                     s_.Config.Flag(cfg::kAnaglyphRotate90Row) != 0,
                     s_.PictureAnnotated.load() != 0);
  FileDialogRequest request;
  request.title = kSaveTitle;
  request.folder = folders_.SaveDir;
  request.filters = filters.entries;
  request.filterIndex = 0;
  const auto answer = dialogs_.SaveFile(request);
  Repaint();
  if (!answer) return;  // cancelled: nothing to report

  const uint8_t outcome = [&]() -> uint8_t {
    const std::string folder = FolderPart(answer->path);
    if (!EnoughSpace(folder)) return kKindNoSpace;
    std::string name = NamePart(answer->path);
    if (const uint8_t refused = CheckSaveName(name); refused != kKindNothing) return refused;
    const int entry = answer->filterIndex;
    const std::string ext = EntryExtension(filters, entry);
    name = WithExtension(name, ext);
    const std::string full = InFolder(folder, name);
    if (FileExists(full)) {
      if (dialogs_.Message(MsgType::Warning, ExistsQuestion(name), MsgButtons::YesNo) !=
          MsgResult::Yes)
        return kKindNothing;
      if (IsReadOnly(full) &&
          dialogs_.Message(MsgType::Warning, ReadOnlyQuestion(name), MsgButtons::YesNo) !=
              MsgResult::Yes)
        return kKindNothing;
    }
    // The save folder follows the dialog only into a folder that is there: a path typed
    // into a missing one fails below, and the next dialog and the automatic saves keep
    // the last good folder.
    if (IsFolder(folder)) folders_.SaveDir = folder;
    const bool colour = EntryIsColour(filters, entry);
    // The replacing writer puts a new file in place, so a read-only file the operator
    // agreed to replace becomes an ordinary writable one.
    if (ext == ".bmp") {
      if (colour) {
        if (!WriteVisiblePicture(full, filters.colourMode)) return kKindNothing;
        SetViewCaption(view, full);
      } else {
        if (!WriteGreyBmp(full)) return kKindNothing;
        SetViewCaption(view, full);
        if (s_.BackupCopiesOn.load() != 0)
          WriteGreyFile(InFolder(folder, WithExtension(name, ".bak")), view);
      }
    } else {
      // The JPEG is made from a BMP work file in the program folder; when that cannot be
      // written the save stops, so an older work file is never taken for this picture.
      const std::string work = InFolder(folders_.ProgramDir, kJpegWorkFile);
      if (colour ? !WriteVisiblePicture(work, filters.colourMode) : !WriteGreyFile(work, view))
        return kKindNothing;
      if (!WriteJpegFromBmp(full, work)) return kKindNothing;
      if (!colour) MarkPictureSaved(s_, view);
      SetViewCaption(view, full);
    }
    AfterSaveNumbering();
    return kKindNothing;
  }();
  ReportFileError(outcome, 0);
}

void PictureFiles::SavePictureAuto() {
  const uint8_t outcome = [&]() -> uint8_t {
    if (!EnoughSpace(folders_.SaveDir)) return kKindNoSpace;
    Repaint();
    std::string name = folders_.AutoNameBase + ".";
    if (name.size() < 2 || name[0] == '.') return kKindNoName;
    name = name.substr(0, name.find('.'));
    const std::string folder = InFolder(folders_.SaveDir, "");
    if (settings_) settings_->ShowNextAutoName(folder, name);
    name = NextAutoName(folder, name);
    const std::string full = InFolder(folders_.SaveDir, WithExtension(name, ".bmp"));
    if (!WriteGreyBmp(full)) return kKindNothing;
    const int view = s_.ViewMode.load();
    SetViewCaption(view, full);
    if (s_.BackupCopiesOn.load() != 0)
      WriteGreyFile(InFolder(folders_.SaveDir, WithExtension(name, ".bak")), view);
    AfterSaveNumbering();
    return kKindNothing;
  }();
  ReportFileError(outcome, 0);
}

void PictureFiles::OpenPicture() {
  FileDialogRequest request;
  request.title = kOpenTitle;
  request.folder = folders_.OpenDir;
  request.filters = {kOpenFilter};
  const auto answer = dialogs_.OpenFile(request);
  if (!answer) {
    Repaint();
    return;
  }
  if (s_.LinescanOn.load() != 0 && main_) main_->RepaintViews();
  Repaint();
  const std::string folder = FolderPart(answer->path);
  folders_.OpenDir = folder;
  // Choosing probe.jpg reads probe.bmp of the same folder.
  std::string name = NamePart(answer->path);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  const std::string path = InFolder(folder, name + ".bmp");
  const int ch = s_.ViewMode.load();
  if (ch < 1 || ch > 4) return;  // OPEN is offered only in a single-channel view

  GreyPicture picture;
  uint16_t code = 0;
  const uint8_t kind = ReadGreyBmpFile(path, picture, code);
  if (kind == kKindNothing) {
    {
      const std::lock_guard<std::mutex> store(s_.StoreLock);
      StoreGreyPicture(s_, ch, picture);
    }
    SetViewCaption(ch, answer->path);
    if (main_) main_->RedrawPicture(ch, s_.WorkMode.load(), "a");
    MarkPictureSaved(s_, ch);
  }
  ReportFileError(kind, code);
}

}  // namespace orvix
