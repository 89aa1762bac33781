// The program the kill tests kill: it saves one kind of file again and again through the
// station's own save code, each time with new content (a value 1..250 that fills the whole
// picture or table), and writes "b" to its standard output before each save and "e" after
// it, so the test knows whether it killed it in the middle of a save.
//
//   save_kill_child <grey|bak|colour|jpeg|print|config> <picture folder> <program folder>
//                   [named]
// "named": as on a file system without unnamed files, every save's temporary file is named.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "ConfigFile.h"
#include "FileWrite.h"
#include "PictureFiles.h"
#include "ScriptedDialogs.h"

using namespace orvix;

namespace {

void Mark(char c) {
  while (::write(STDOUT_FILENO, &c, 1) < 0 && errno == EINTR) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[4], "named") == 0) UseUnnamedTemporaryFiles(false);
  else if (argc != 4) {
    std::fprintf(stderr, "usage: %s kind picture-folder program-folder\n", argv[0]);
    return 2;
  }
  const std::string kind = argv[1];
  auto s = std::make_unique<SharedState>();
  test::ScriptedDialogs dialogs;
  PictureFolders folders;
  folders.ProgramDir = argv[3];
  folders.SaveDir = folders.OpenDir = argv[2];
  PictureSurfaces surfaces;
  StationStrip strip(*s);
  PictureFiles files(*s, dialogs, folders, surfaces, strip);
  s->WorkMode = 0x10;
  s->ViewMode = 2;
  s->BackupCopiesOn = kind == "bak" ? 1 : 0;
  const std::string picture = folders.SaveDir + (kind == "jpeg" ? "/pic.jpg" : "/pic.bmp");

  Mark('R');
  for (unsigned i = 0;; ++i) {
    const uint8_t v = uint8_t(1 + i % 250);
    if (kind == "config") {
      s->Config.bytes.fill(v);
    } else if (kind == "colour" || kind == "print") {
      surfaces.Image1.fill(qRgb(v, 255 - v, v / 2));
    } else {
      // Rows 0..399 of a column lie together (all four channels): one fill per column.
      for (int x = 0; x < 552; ++x)
        std::memset(s->ImageStore.data() + StoreIndex(x, 0, 1), v, size_t(StoreIndex(0, 400, 1)));
    }
    dialogs.shown.clear();
    Mark('b');
    if (kind == "grey") {
      files.WriteGreyBmp(picture);
    } else if (kind == "bak" || kind == "jpeg") {
      // The dialog save: grey BMP (with the .bak twin) or grey JPEG, replacing the file.
      dialogs.fileAnswers.push_back(FileDialogAnswer{picture, kind == "jpeg" ? 1 : 0});
      dialogs.answers.push_back(MsgResult::Yes);
      files.SavePictureAs();
      dialogs.answers.clear();
    } else if (kind == "colour") {
      files.WriteVisiblePicture(picture, 0);
    } else if (kind == "print") {
      files.WritePrintPicture();
    } else if (kind == "config") {
      if (!SaveConfig(*s, folders.ProgramDir).ok) return 1;
    } else {
      return 2;
    }
    for (const test::ShownMessage& m : dialogs.shown)
      if (m.type == MsgType::Error) {
        std::fprintf(stderr, "save failed: %s\n", m.text.c_str());
        return 1;
      }
    Mark('e');
  }
}
