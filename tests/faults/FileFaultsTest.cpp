// Faults of the disk under every kind of save the station makes (grey picture, its .bak
// twin, colour picture, JPEG, print work file, conf300.dat): a disk that fills during the
// write, a disk too full for the save to start, a read-only folder, and strange things
// planted under the names the station reads and writes (a FIFO, a device, a folder, a
// link). After each: the previous file is intact or the new one complete, no temporary
// file is left, nothing blocks, and the operator saw exactly the station's words.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <thread>

#include "ConfigFile.h"
#include "FaultMounts.h"
#include "FileTexts.h"
#include "FileWrite.h"
#include "FilesTestSupport.h"
#include "GreyBmp.h"
#include "PictureEncoders.h"
#include "PictureFiles.h"
#include "PrintTestSupport.h"
#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"
#include "SettingsConstants.h"
#include "TDrukVid.h"

namespace orvix {
namespace {

using namespace test;
using files::kJpegWorkFile;
using files::kPrintWorkFile;

constexpr const char* kNotSaved = "   ERROR ??? - not saved    ";
constexpr const char* kNoSpace =
    "          Zbyt mało miejsca na dysku.             \r\n\r\n           Plik nie jest "
    "zapisany.             ";
constexpr const char* kReadDenied =
    "   Błąd w odczycie pliku.  \r\n\r\n"
    "   Zabroniony dostęp do pliku.                                ";
constexpr const char* kCaption = "Picture 2 clear  ";

// The save kinds, each run through the station's own code path.
enum class Kind { Grey, Bak, Colour, Jpeg, Print, Config };
const char* KindName(Kind k) {
  switch (k) {
    case Kind::Grey: return "grey BMP";
    case Kind::Bak: return "grey BMP with .bak";
    case Kind::Colour: return "colour BMP";
    case Kind::Jpeg: return "JPEG";
    case Kind::Print: return "print work file";
    case Kind::Config: return "conf300.dat";
  }
  return "?";
}

struct Bed {
  Bed(uint64_t saveBytes = 16u << 20, uint64_t programBytes = 16u << 20)
      : saveDir(saveBytes), programDir(programBytes) {
    folders.ProgramDir = programDir.path();
    folders.SaveDir = folders.OpenDir = saveDir.path();
    files = std::make_unique<PictureFiles>(*s, dialogs, folders, surfaces, strip);
    files->AttachMainWindow(&main);
    s->WorkMode = 0x10;
    s->ViewMode = 2;
    s->UnsavedChannels = 0x0F;
    s->RegNumber = 7;
    s->Config.SetFlag(cfg::kRegIncrementOnSaveRow, true);
    s->ViewCaptions[2] = kCaption;
    std::mt19937 noise(5);
    for (int x = 0; x < 560; ++x)
      for (int y = 0; y < 410; ++y) s->ImageStore[StoreIndex(x, y, 2)] = uint8_t(noise());
    // Noise, so the colour JPEG is larger than the grey picture's free-space margin.
    surfaces.Image1.fill(Qt::white);
    PictureArea area = surfaces.Picture();
    for (int r = 0; r < 800; ++r)
      for (int c = 0; c < 1100; ++c) area.SetPixel(r, c, qRgb(noise() & 255, noise() & 255, noise() & 255));
    for (int i = 0; i < 4112; ++i) s->Config.bytes[size_t(i % 4096)] = uint8_t(i * 7);
  }

  // conf300.dat's load and save make the program folder the current folder.
  ~Bed() { QDir::setCurrent(QDir::tempPath()); }

  // Runs one save of `kind`; the dialog save answers Yes to "already exists".
  bool Save(Kind kind) {
    const int entry = kind == Kind::Colour ? 2 : kind == Kind::Jpeg ? 1 : 0;
    const char* name = kind == Kind::Jpeg ? "pic.jpg" : "pic.bmp";
    switch (kind) {
      case Kind::Grey:
      case Kind::Bak:
      case Kind::Colour:
      case Kind::Jpeg:
        s->BackupCopiesOn = kind == Kind::Bak ? 1 : 0;
        dialogs.fileAnswers.push_back(FileDialogAnswer{saveDir / name, entry});
        if (FileExists(saveDir / name)) dialogs.answers.push_back(MsgResult::Yes);
        files->SavePictureAs();
        return true;
      case Kind::Print: return files->WritePrintPicture();
      case Kind::Config: {
        const ConfigFileOutcome o = SaveConfig(*s, folders.ProgramDir);
        if (!o.ok) dialogs.Message(MsgType::Error, o.text, MsgButtons::Ok, {}, {});
        return o.ok;
      }
    }
    return false;
  }
  // The folder and the name that a save of `kind` replaces.
  std::string Target(Kind kind) const {
    switch (kind) {
      case Kind::Jpeg: return saveDir / "pic.jpg";
      case Kind::Print: return programDir / kPrintWorkFile;
      case Kind::Config: return programDir / settings::kConfigFileName;
      default: return saveDir / "pic.bmp";
    }
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const ShownMessage& m : dialogs.shown) t.push_back(m.text);
    return t;
  }

  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
  ScriptedDialogs dialogs;
  PictureFolders folders;
  PictureSurfaces surfaces;
  StationStrip strip{*s};
  ScratchFolder saveDir;
  ScratchFolder programDir;
  std::unique_ptr<PictureFiles> files;
  test::FakeMainWindowLink main;
};

std::vector<uint8_t> OldBytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(seed + i * 13);
  return b;
}

// The old files of a save of `kind` (and the twin), written before the fault.
void PlantOld(Bed& b, Kind kind) {
  WriteBytesTo(b.Target(kind), OldBytes(3000, 1));
  if (kind == Kind::Bak) WriteBytesTo(b.saveDir / "pic.bak", OldBytes(3000, 2));
}

// After a failed save: old files as they were, nothing else in either folder, the channel
// still unsaved, the registration number and the caption where they were.
void ExpectNothingChanged(const Bed& b, Kind kind, const std::string& fault) {
  SCOPED_TRACE(std::string(KindName(kind)) + ", " + fault);
  EXPECT_EQ(ReadBytes(b.Target(kind)), OldBytes(3000, 1)) << "the old file changed";
  std::vector<std::string> save, program;
  if (kind == Kind::Print || kind == Kind::Config)
    program = {std::string(kind == Kind::Print ? kPrintWorkFile : settings::kConfigFileName)};
  else
    save = {kind == Kind::Jpeg ? "pic.jpg" : "pic.bmp"};
  if (kind == Kind::Bak) {
    EXPECT_EQ(ReadBytes(b.saveDir / "pic.bak"), OldBytes(3000, 2));
    save = {"pic.bak", "pic.bmp"};
  }
  EXPECT_EQ(Entries(b.saveDir.path()), save) << "a temporary or partial file was left";
  EXPECT_EQ(Entries(b.programDir.path()), program) << "a temporary or partial file was left";
  EXPECT_EQ(b.s->UnsavedChannels.load(), 0x0F);
  EXPECT_EQ(b.s->SavedChannels.load(), 0);
  EXPECT_EQ(b.s->RegNumber.load(), 7);
  EXPECT_EQ(b.s->ViewCaptions[2], kCaption);
}

// The texts shown, without the dialog save's question whether to replace the old file.
std::vector<std::string> WithoutQuestion(std::vector<std::string> texts) {
  if (!texts.empty() && texts.front().find("już istnieje") != std::string::npos)
    texts.erase(texts.begin());
  return texts;
}

std::string ConfigSaveFailed(const Bed& b, int error) {
  return std::string(settings::kSaveFailedHead) + (b.programDir / settings::kConfigFileName) +
         " \r\n\r\n  " + std::strerror(error) + " ";
}

TEST(FullDisk, DiskFillsDuringTheWriteOfEveryKindOfSave) {
  // Where the free-space check lets the save start but the file does not fit: a real small
  // tmpfs where the file is larger than the check's margin (colour, JPEG, print work file,
  // conf300.dat, which has no check); the grey files are smaller than the margin, so for
  // them (and where nothing can be mounted) a file-size limit stops the write part way.
  for (const Kind kind : {Kind::Grey, Kind::Bak, Kind::Colour, Kind::Jpeg, Kind::Print,
                          Kind::Config}) {
    Bed b;
    PlantOld(b, kind);
    const bool grey = kind == Kind::Grey || kind == Kind::Bak;
    std::string how = "file-size limit (EFBIG part way)";
    std::unique_ptr<FileSizeLimit> limit;
    bool small = false;
    if (!grey) {
      // The colour JPEG of the noise picture is over 1 MB; grey JPEGs fill the program
      // folder with their work file.
      if (kind == Kind::Jpeg) b.s->PictureAnnotated = 1;  // only colour entries then
      ScratchFolder& full = kind == Kind::Print || kind == Kind::Config ? b.programDir
                                                                         : b.saveDir;
      // Just over the check's 2.1 x 221,878 bytes; the colour files are larger.
      small = full.LeaveFree(kind == Kind::Config ? 4096 : 480 << 10);
      if (small) how = "tmpfs with " + std::to_string(full.Free()) + " bytes free";
    }
    if (!small) limit = std::make_unique<FileSizeLimit>(kind == Kind::Config ? 2000 : 100000);
    std::printf("[ fault    ] %s, disk full during the write: %s\n", KindName(kind), how.c_str());
    if (kind == Kind::Jpeg) {
      // The colour JPEG: entry 2 of the two colour entries.
      b.dialogs.fileAnswers.push_back(FileDialogAnswer{b.saveDir / "pic.jpg", 1});
      b.dialogs.answers.push_back(MsgResult::Yes);
      b.files->SavePictureAs();
    } else {
      b.Save(kind);
    }
    limit.reset();
    // On the small disk the JPEG's work file was written before the JPEG failed: it is the
    // program folder's work file, left there as always. Under the file-size limit the work
    // file itself failed, and nothing was made.
    if (kind == Kind::Jpeg) {
      const QImage work = LoadBmpFile(b.programDir / kJpegWorkFile);
      if (small) EXPECT_EQ(work.size(), QSize(1100, 800));
      else EXPECT_TRUE(work.isNull());
      QFile::remove(QString::fromStdString(b.programDir / kJpegWorkFile));
    }
    const std::vector<std::string> want =
        kind == Kind::Config ? std::vector<std::string>{ConfigSaveFailed(b, small ? ENOSPC : EFBIG)}
                             : std::vector<std::string>{kNotSaved};
    EXPECT_EQ(WithoutQuestion(b.Texts()), want) << KindName(kind);
    ExpectNothingChanged(b, kind, how);
  }
}

TEST(FullDisk, TooLittleRoomRefusesEverySaveBeforeWriting) {
  Bed probe;
  if (!probe.saveDir.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
  for (const Kind kind : {Kind::Grey, Kind::Bak, Kind::Colour, Kind::Jpeg}) {
    Bed b;
    PlantOld(b, kind);
    // 2.1 x 221,878 bytes of the 550 x 400 grey picture are needed; 400 kB are free.
    ASSERT_TRUE(b.saveDir.LeaveFree(400000));
    std::printf("[ fault    ] %s, too little room: tmpfs with %llu bytes free\n", KindName(kind),
                (unsigned long long)b.saveDir.Free());
    b.Save(kind);
    ASSERT_FALSE(b.dialogs.shown.empty());
    EXPECT_EQ(b.dialogs.shown.back().text, kNoSpace) << KindName(kind);
    EXPECT_EQ(b.dialogs.shown.back().buttons, MsgButtons::Yes);
    ExpectNothingChanged(b, kind, "too little room");
  }
  // The automatic save checks the same room.
  Bed b;
  ASSERT_TRUE(b.saveDir.LeaveFree(400000));
  b.s->BackupCopiesOn = 1;
  b.files->SavePictureAuto();
  EXPECT_EQ(b.Texts(), std::vector<std::string>{kNoSpace});
  EXPECT_TRUE(Entries(b.saveDir.path()).empty());
  EXPECT_EQ(b.s->RegNumber.load(), 7);
}

TEST(ReadOnly, ReadOnlyFolderKeepsTheOldFileAndSaysNotSaved) {
  for (const Kind kind : {Kind::Grey, Kind::Bak, Kind::Colour, Kind::Jpeg, Kind::Print,
                          Kind::Config}) {
    Bed b;
    PlantOld(b, kind);
    ScratchFolder& folder =
        kind == Kind::Print || kind == Kind::Config ? b.programDir : b.saveDir;
    if (!folder.MakeReadOnly()) GTEST_SKIP() << "root without mounts: no folder is read-only";
    std::printf("[ fault    ] %s, read-only folder: %s\n", KindName(kind), folder.readOnlyHow());
    b.Save(kind);
    if (kind == Kind::Jpeg) {
      // The work file in the program folder was made; the JPEG could not be.
      QFile::remove(QString::fromStdString(b.programDir / kJpegWorkFile));
    }
    const int error = folder.mounted() ? EROFS : EACCES;
    const std::vector<std::string> want =
        kind == Kind::Config ? std::vector<std::string>{ConfigSaveFailed(b, error)}
                             : std::vector<std::string>{std::string(kNotSaved)};
    // The dialog save first asks whether to replace the file.
    EXPECT_EQ(WithoutQuestion(b.Texts()), want) << KindName(kind);
    ExpectNothingChanged(b, kind, folder.readOnlyHow());
  }
}

TEST(ReadOnly, ReadOnlyProgramFolderStopsTheJpegBeforeItIsMade) {
  Bed b;
  if (!b.programDir.MakeReadOnly()) GTEST_SKIP() << "root without mounts: no folder is read-only";
  std::printf("[ fault    ] JPEG work file, read-only program folder: %s\n",
              b.programDir.readOnlyHow());
  b.Save(Kind::Jpeg);
  EXPECT_EQ(b.Texts(), std::vector<std::string>{kNotSaved});
  EXPECT_TRUE(Entries(b.saveDir.path()).empty());
  EXPECT_TRUE(Entries(b.programDir.path()).empty());
  EXPECT_EQ(b.s->UnsavedChannels.load(), 0x0F);
  EXPECT_EQ(b.s->ViewCaptions[2], kCaption);
}

TEST(ReadOnly, ReadOnlyFileInAWritableFolderIsReplacedWhenTheOperatorAgrees) {
  Bed b;
  WriteBytesTo(b.saveDir / "pic.bmp", OldBytes(3000, 1));
  ASSERT_EQ(::chmod((b.saveDir / "pic.bmp").c_str(), 0444), 0);
  b.dialogs.fileAnswers.push_back(FileDialogAnswer{b.saveDir / "pic.bmp", 0});
  b.dialogs.answers = {MsgResult::Yes, MsgResult::Yes};
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 2u);
  EXPECT_NE(b.dialogs.shown[1].text.find("jest tylko do odczytu"), std::string::npos);
  EXPECT_EQ(ReadBytes(b.saveDir / "pic.bmp").size(), 221878u);
  EXPECT_EQ(Entries(b.saveDir.path()), std::vector<std::string>{"pic.bmp"});
  EXPECT_FALSE(IsReadOnly(b.saveDir / "pic.bmp"));
}

// --- Things planted under the station's names ------------------------------------------

enum class Node { Fifo, Device, Folder };
const char* NodeName(Node n) {
  return n == Node::Fifo ? "FIFO" : n == Node::Device ? "device" : "folder";
}

// Plants `node` at `path`; a device is a character device like /dev/null where nodes can
// be made, else a link to /dev/null. Returns how.
std::string Plant(Node node, const std::string& path) {
  switch (node) {
    case Node::Fifo: EXPECT_EQ(::mkfifo(path.c_str(), 0666), 0); return "mkfifo";
    case Node::Folder: EXPECT_EQ(::mkdir(path.c_str(), 0755), 0); return "mkdir";
    case Node::Device:
      if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) return "mknod c 1 3";
      EXPECT_EQ(::symlink("/dev/null", path.c_str()), 0);
      return "link to /dev/null";
  }
  return "";
}

// Still the thing planted (a link to /dev/null counts as the device).
bool StillPlanted(Node node, const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return node == Node::Fifo ? S_ISFIFO(st.st_mode)
         : node == Node::Device ? S_ISCHR(st.st_mode)
                                : S_ISDIR(st.st_mode);
}

// Watches a FIFO while a station call runs: if anything opens it for reading (and would
// wait there for a writer that never comes), the watcher opens it for writing once, which
// lets the reader go on, and notes that the station blocked.
class FifoWatch {
 public:
  explicit FifoWatch(std::string path, bool active) : path_(std::move(path)) {
    if (active) thread_ = std::thread([this] { Run(); });
  }
  ~FifoWatch() { Stop(); }
  bool Blocked() {
    Stop();
    return blocked_;
  }

 private:
  void Run() {
    while (!stop_) {
      // Opening a FIFO for writing without waiting succeeds only while a reader has it open.
      const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode)) blocked_ = true;
        ::close(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::string path_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> blocked_{false};
  std::thread thread_;
};

TEST(Planted, Conf300DatIsAFifoADeviceOrAFolder) {
  for (const Node node : {Node::Fifo, Node::Device, Node::Folder}) {
    Bed b;
    const std::string path = b.programDir / settings::kConfigFileName;
    const std::string how = Plant(node, path);
    std::printf("[ fault    ] conf300.dat is a %s (%s)\n", NodeName(node), how.c_str());
    const ConfigTable before = b.s->Config;
    ConfigFileOutcome loaded;
    {
      FifoWatch watch(path, node == Node::Fifo);
      loaded = LoadConfig(*b.s, b.folders.ProgramDir);
      EXPECT_FALSE(watch.Blocked()) << "loading waited on the FIFO";
    }
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.text, settings::kMissingConfigWarning);
    EXPECT_EQ(b.s->Config.bytes, before.bytes);
    // Saving refuses to replace or write into it, and says why.
    const ConfigFileOutcome saved = SaveConfig(*b.s, b.folders.ProgramDir);
    EXPECT_FALSE(saved.ok) << NodeName(node);
    EXPECT_EQ(saved.text, ConfigSaveFailed(b, node == Node::Folder ? EISDIR : EACCES));
    EXPECT_TRUE(StillPlanted(node, path)) << NodeName(node) << " was replaced";
    EXPECT_EQ(Entries(b.programDir.path()), std::vector<std::string>{"conf300.dat"});
  }
}

TEST(Planted, JpegWorkFileIsAFifoADeviceOrAFolder) {
  for (const Node node : {Node::Fifo, Node::Device, Node::Folder}) {
    Bed b;
    const std::string work = b.programDir / kJpegWorkFile;
    const std::string how = Plant(node, work);
    std::printf("[ fault    ] temp_obr.bmp is a %s (%s)\n", NodeName(node), how.c_str());
    {
      FifoWatch watch(work, node == Node::Fifo);
      b.Save(Kind::Jpeg);
      EXPECT_FALSE(watch.Blocked()) << "the JPEG save waited on the FIFO";
    }
    EXPECT_EQ(b.Texts(), std::vector<std::string>{kNotSaved}) << NodeName(node);
    EXPECT_TRUE(StillPlanted(node, work)) << NodeName(node) << " was replaced";
    EXPECT_TRUE(Entries(b.saveDir.path()).empty()) << "a JPEG was made from no work file";
    EXPECT_EQ(b.s->UnsavedChannels.load(), 0x0F);
    EXPECT_EQ(b.s->ViewCaptions[2], kCaption);
    // Read as a work file, it is no picture, and reading it does not wait.
    FifoWatch watch(work, node == Node::Fifo);
    EXPECT_TRUE(LoadBmpFile(work).isNull());
    EXPECT_FALSE(WriteJpegFromBmp(b.saveDir / "x.jpg", work));
    EXPECT_FALSE(watch.Blocked());
  }
}

TEST(Planted, PrintWorkFileIsAFifoADeviceOrAFolder) {
  for (const Node node : {Node::Fifo, Node::Device, Node::Folder}) {
    Bed b;
    const std::string work = b.programDir / kPrintWorkFile;
    const std::string how = Plant(node, work);
    std::printf("[ fault    ] temp_dru.bmp is a %s (%s)\n", NodeName(node), how.c_str());
    FifoWatch watch(work, node == Node::Fifo);
    EXPECT_FALSE(b.Save(Kind::Print));
    EXPECT_TRUE(LoadBmpFile(work).isNull());
    EXPECT_FALSE(watch.Blocked()) << "the print work file was waited on";
    EXPECT_EQ(b.Texts(), std::vector<std::string>{kNotSaved});
    EXPECT_TRUE(StillPlanted(node, work)) << NodeName(node) << " was replaced";
  }
}

TEST(Planted, PictureBeingOpenedIsAFifoADeviceOrAFolder) {
  for (const Node node : {Node::Fifo, Node::Device, Node::Folder}) {
    Bed b;
    const std::string path = b.saveDir / "pic.bmp";
    const std::string how = Plant(node, path);
    std::printf("[ fault    ] picture opened is a %s (%s)\n", NodeName(node), how.c_str());
    b.s->ImageStore[StoreIndex(3, 3, 2)] = 99;
    b.dialogs.fileAnswers.push_back(FileDialogAnswer{path, 0});
    FifoWatch watch(path, node == Node::Fifo);
    b.files->OpenPicture();
    EXPECT_FALSE(watch.Blocked()) << "opening waited on the FIFO";
    EXPECT_EQ(b.Texts(), std::vector<std::string>{kReadDenied}) << NodeName(node);
    EXPECT_EQ(b.s->ImageStore[StoreIndex(3, 3, 2)], 99) << "the channel was changed";
    EXPECT_EQ(b.s->ViewCaptions[2], kCaption);
    EXPECT_EQ(b.s->SavedChannels.load(), 0);
  }
}

TEST(Planted, PictureOrItsBakTwinSavedOverAFifoADeviceOrAFolder) {
  for (const Node node : {Node::Fifo, Node::Device, Node::Folder}) {
    for (const char* name : {"pic.bmp", "pic.bak"}) {
      Bed b;
      const std::string path = b.saveDir / name;
      Plant(node, path);
      std::printf("[ fault    ] %s saved over a %s\n", name, NodeName(node));
      b.Save(Kind::Bak);
      EXPECT_TRUE(StillPlanted(node, path)) << NodeName(node) << " " << name << " was replaced";
      std::vector<std::string> texts = b.Texts();
      if (std::string(name) == "pic.bmp") {
        // Asked to replace the "file", then told it could not be saved; nothing else.
        ASSERT_EQ(texts.size(), 2u) << NodeName(node);
        EXPECT_NE(texts[0].find("już istnieje"), std::string::npos);
        EXPECT_EQ(texts[1], kNotSaved);
        EXPECT_EQ(Entries(b.saveDir.path()), std::vector<std::string>{"pic.bmp"});
        EXPECT_EQ(b.s->UnsavedChannels.load(), 0x0F);
      } else {
        // The picture itself is saved; its twin cannot be.
        EXPECT_EQ(texts, std::vector<std::string>{kNotSaved});
        EXPECT_EQ(ReadBytes(b.saveDir / "pic.bmp").size(), 221878u);
        EXPECT_EQ(Entries(b.saveDir.path()), (std::vector<std::string>{"pic.bak", "pic.bmp"}));
      }
    }
  }
}

// The print window with a work file it could not write prints the page without a picture,
// never the older temp_dru.bmp left from an earlier print.
TEST(Planted, PrintWithAnUnwritableWorkFilePrintsNoOldPicture) {
  if (!HavePdftoppm()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  Bed b;
  // A black picture from an earlier print, in a program folder that is now read-only.
  QImage old(1100, 800, QImage::Format_RGB888);
  old.fill(Qt::black);
  ASSERT_TRUE(old.save(QString::fromStdString(b.programDir / kPrintWorkFile), "BMP"));
  if (!b.programDir.MakeReadOnly()) GTEST_SKIP() << "root without mounts: no folder is read-only";
  std::printf("[ fault    ] print, work file not writable: %s\n", b.programDir.readOnlyHow());
  ScriptedPrinters printers;  // none installed: the page goes to a PDF file
  TDrukVid w(nullptr, *b.s, b.dialogs, printers, b.folders, *b.files);
  b.dialogs.answers = {MsgResult::Ok, MsgResult::Yes};  // the error, then "print to a file?"
  b.dialogs.fileAnswers.push_back(FileDialogAnswer{b.saveDir / "page.pdf", 0});
  w.drukuj1();
  ASSERT_FALSE(b.dialogs.shown.empty());
  EXPECT_EQ(b.dialogs.shown[0].text, kNotSaved);
  const QImage g = RasterisePdf(b.saveDir / "page.pdf", 75, b.saveDir / "page");
  ASSERT_FALSE(g.isNull());
  const TDrukVid::PrintedPage& p = w.LastPage();
  const double s = 75.0 / p.dpi;
  const QPoint centre(int((p.printable.left() + (p.page.X1 + p.page.X2) / 2) * s),
                      int((p.printable.top() + (p.page.Y1 + p.page.Y2) / 2) * s));
  EXPECT_GT(qGray(g.pixel(centre)), 200) << "the old work file was printed as this picture";
}

// --- Links -------------------------------------------------------------------------------

bool IsLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

TEST(Links, ALinkToARegularFileIsFollowedByReadsAndSaves) {
  Bed b;
  ScratchFolder elsewhere;
  // conf300.dat as a link to the user's own file elsewhere.
  const std::string realConf = elsewhere / "settings.dat";
  WriteBytesTo(realConf, OldBytes(4112, 3));
  const std::string conf = b.programDir / settings::kConfigFileName;
  ASSERT_EQ(::symlink(realConf.c_str(), conf.c_str()), 0);
  ASSERT_TRUE(LoadConfig(*b.s, b.folders.ProgramDir).ok);
  EXPECT_EQ(b.s->Config.bytes[0], OldBytes(4112, 3)[16]);
  b.s->Config.bytes.fill(0x42);
  ASSERT_TRUE(SaveConfig(*b.s, b.folders.ProgramDir).ok);
  EXPECT_TRUE(IsLink(conf)) << "the link was replaced by a file";
  const std::vector<uint8_t> conf2 = ReadBytes(realConf);
  ASSERT_EQ(conf2.size(), 4112u);
  EXPECT_EQ(conf2[16], 0x42);
  EXPECT_EQ(conf2[4111], 0x42);

  // A picture name that is a link: the save writes the file it points at, the open reads it.
  const std::string realPic = elsewhere / "real.bmp";
  WriteBytesTo(realPic, OldBytes(3000, 1));
  const std::string pic = b.saveDir / "pic.bmp";
  ASSERT_EQ(::symlink(realPic.c_str(), pic.c_str()), 0);
  b.Save(Kind::Bak);
  EXPECT_TRUE(IsLink(pic));
  EXPECT_EQ(ReadBytes(realPic).size(), 221878u);
  EXPECT_EQ(ReadBytes(b.saveDir / "pic.bak"), ReadBytes(realPic));
  b.s->ImageStore[StoreIndex(5, 5, 2)] ^= 0xFF;
  const uint8_t saved = uint8_t(b.s->ImageStore[StoreIndex(5, 5, 2)] ^ 0xFF);
  b.dialogs.fileAnswers.push_back(FileDialogAnswer{pic, 0});
  b.files->OpenPicture();
  EXPECT_EQ(b.s->ImageStore[StoreIndex(5, 5, 2)], saved);
  EXPECT_EQ(Entries(elsewhere.path()), (std::vector<std::string>{"real.bmp", "settings.dat"}));

  // The JPEG work file as a link: written through it, and the JPEG made from it.
  const std::string realWork = elsewhere / "work.bmp";
  WriteBytesTo(realWork, OldBytes(100, 4));
  ASSERT_EQ(::symlink(realWork.c_str(), (b.programDir / kJpegWorkFile).c_str()), 0);
  b.dialogs.shown.clear();
  b.Save(Kind::Jpeg);
  EXPECT_TRUE(b.dialogs.shown.empty());
  EXPECT_EQ(ReadBytes(realWork).size(), 221878u);
  EXPECT_EQ(QImage(QString::fromStdString(b.saveDir / "pic.jpg")).size(), QSize(550, 400));
}

// A link to a name where no file is yet: the save makes that file and keeps the link.
TEST(Links, ALinkToAFileNotMadeYetGetsTheFileMade) {
  Bed b;
  ScratchFolder elsewhere;
  const std::string conf = b.programDir / settings::kConfigFileName;
  ASSERT_EQ(::symlink((elsewhere / "new.dat").c_str(), conf.c_str()), 0);
  EXPECT_FALSE(LoadConfig(*b.s, b.folders.ProgramDir).ok);
  ASSERT_TRUE(SaveConfig(*b.s, b.folders.ProgramDir).ok);
  EXPECT_TRUE(IsLink(conf));
  EXPECT_EQ(ReadBytes(elsewhere / "new.dat").size(), 4112u);
  EXPECT_TRUE(LoadConfig(*b.s, b.folders.ProgramDir).ok);
  // Relative, through a second link, into a folder that is not there: not saved.
  ASSERT_EQ(::symlink("hop", (b.saveDir / "pic.bmp").c_str()), 0);
  ASSERT_EQ(::symlink("sub/real.bmp", (b.saveDir / "hop").c_str()), 0);
  b.Save(Kind::Grey);
  EXPECT_EQ(b.Texts().back(), kNotSaved);
  ASSERT_EQ(::mkdir((b.saveDir / "sub").c_str(), 0755), 0);
  b.dialogs.shown.clear();
  b.Save(Kind::Grey);
  EXPECT_TRUE(b.dialogs.shown.empty());
  EXPECT_EQ(ReadBytes(b.saveDir / "sub/real.bmp").size(), 221878u);
  EXPECT_TRUE(IsLink(b.saveDir / "pic.bmp"));
  EXPECT_TRUE(IsLink(b.saveDir / "hop"));
}

// A link to a folder or a device is no regular file: refused as the thing itself is.
TEST(Links, ALinkToAFolderOrDeviceIsRefused) {
  Bed b;
  ScratchFolder elsewhere;
  const std::string conf = b.programDir / settings::kConfigFileName;
  ASSERT_EQ(::symlink(elsewhere.path().c_str(), conf.c_str()), 0);
  EXPECT_FALSE(LoadConfig(*b.s, b.folders.ProgramDir).ok);
  EXPECT_EQ(SaveConfig(*b.s, b.folders.ProgramDir).text, ConfigSaveFailed(b, EISDIR));
  EXPECT_TRUE(IsLink(conf));
  const std::string pic = b.saveDir / "pic.bmp";
  ASSERT_EQ(::symlink("/dev/null", pic.c_str()), 0);
  b.Save(Kind::Grey);
  EXPECT_EQ(b.Texts().back(), kNotSaved);
  EXPECT_TRUE(IsLink(pic));
  EXPECT_TRUE(Entries(elsewhere.path()).empty());
}

}  // namespace
}  // namespace orvix
