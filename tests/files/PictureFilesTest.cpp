// Saving and opening through the operator's dialogs: the exact questions and boxes, the
// name rules as the dialog applies them, numbered names and backup twins, the colour and
// JPEG files, and a full disk during every kind of save (the old file stays, no temporary
// file is left, nothing is marked saved, the registration number does not move).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "AutoName.h"
#include "FileTexts.h"
#include "FilesTestSupport.h"
#include "GreyBmp.h"
#include "PictureFiles.h"
#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"

namespace orvix {
namespace {

using namespace test;

constexpr const char* kNotSaved = "   ERROR ??? - not saved    ";

struct Bed {
  Bed() {
    folders.ProgramDir = programDir.path().toStdString();
    folders.SaveDir = folders.OpenDir = saveDir.path().toStdString();
    files = std::make_unique<PictureFiles>(*s, dialogs, folders, surfaces, strip);
    files->AttachMainWindow(&main);
    files->AttachSettings(&settings);
    s->WorkMode = 0x10;
    s->ViewMode = 2;
    s->UnsavedChannels = 0x0F;
    for (int x = 0; x < 560; ++x)
      for (int y = 0; y < 410; ++y) s->ImageStore[StoreIndex(x, y, 2)] = uint8_t(x + 2 * y);
    // A recognisable colour picture: column c, row r -> (c, r, c + r), border white.
    surfaces.Image1.fill(Qt::white);
    PictureArea area = surfaces.Picture();
    for (int r = 0; r < 800; ++r)
      for (int c = 0; c < 1100; ++c) area.SetPixel(r, c, qRgb(c & 255, r & 255, (c + r) & 255));
  }
  std::string Saved(const std::string& name) const { return folders.SaveDir + "/" + name; }
  void Answer(const std::string& name, int entry) {
    dialogs.fileAnswers.push_back(FileDialogAnswer{Saved(name), entry});
  }
  QStringList Files() const { return QDir(saveDir.path()).entryList(QDir::Files); }

  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
  ScriptedDialogs dialogs;
  PictureFolders folders;
  PictureSurfaces surfaces;
  QTemporaryDir programDir;
  QTemporaryDir saveDir;
  std::unique_ptr<PictureFiles> files;
  test::FakeMainWindowLink main;
  test::FakeAutoNameView settings;
  StationStrip strip{*s};
  // Channel 1 marked for the strip with a new picture; StripBurnt tells whether a save
  // burnt it (its bar is then computed).
  void MarkChannel1ForStrip() {
    s->UnitScale = 12000;
    s->CorrectionTable.fill(100);
    s->Config.SetFlag(cfg::kStripDimensionRow, true);
    s->Config.SetMarkerChannel(1, true);
    s->ChannelCode = 0x01;
    s->BarPixels = 0;
  }
  bool StripBurnt() const { return s->BarPixels != 0; }
};

TEST(SavePictureAs, DialogTitleFilterAndNamesAsTyped) {
  Bed b;
  b.Answer("probe.jpg", 0);  // entry 1: grey BMP, the typed .jpg is replaced
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.fileRequests.size(), 1u);
  const FileDialogRequest& rq = b.dialogs.fileRequests[0];
  EXPECT_EQ(rq.title, " SAVE PICTURE");
  EXPECT_EQ(rq.folder, b.folders.SaveDir);
  EXPECT_EQ(rq.fileName, "");
  EXPECT_EQ(rq.filterIndex, 0);
  ASSERT_EQ(rq.filters.size(), 4u);
  EXPECT_EQ(rq.filters[0], "Obraz 550-400-grayscale (*.bmp)");
  EXPECT_TRUE(b.dialogs.shown.empty());
  EXPECT_EQ(b.Files(), QStringList{"probe.bmp"});
  const auto bytes = ReadBytes(b.Saved("probe.bmp"));
  EXPECT_EQ(bytes.size(), 221'878u);
  EXPECT_EQ(bytes[1078 + 10], uint8_t(10 + 2 * 399));
  EXPECT_EQ(b.s->UnsavedChannels.load(), 0x0D);
  EXPECT_EQ(b.s->SavedChannels.load(), 0x02);
  EXPECT_EQ(b.s->ViewCaptions[2], b.Saved("probe.bmp"));
  EXPECT_EQ(b.main.caption, b.Saved("probe.bmp"));

  // A refused name: its box exact (a single Yes button), nothing written.
  b.Answer("Probe.BMP", 0);
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text, files::kBadExtensionText);
  EXPECT_EQ(b.dialogs.shown[0].buttons, MsgButtons::Yes);
  EXPECT_EQ(b.Files(), QStringList{"probe.bmp"});

  // Cancel: nothing shown, nothing written.
  b.dialogs.shown.clear();
  b.files->SavePictureAs();
  EXPECT_TRUE(b.dialogs.shown.empty());
}

TEST(SavePictureAs, ExistingAndReadOnlyFilesAreReplacedOnlyOnYes) {
  Bed b;
  const std::vector<uint8_t> old(100, 7);
  WriteBytesTo(b.Saved("probe.bmp"), old);
  b.Answer("probe", 0);
  b.dialogs.answers = {MsgResult::No};
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text,
            "  Plik   \" probe.bmp \"   już istnieje   \r\n\r\n             Czy zapisać ?       "
            "       ");
  EXPECT_EQ(b.dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(b.dialogs.shown[0].type, MsgType::Warning);
  EXPECT_EQ(ReadBytes(b.Saved("probe.bmp")), old);
  EXPECT_EQ(b.s->SavedChannels.load(), 0);

  QFile::setPermissions(QString::fromStdString(b.Saved("probe.bmp")), QFile::ReadOwner);
  b.dialogs.shown.clear();
  b.Answer("probe", 0);
  b.dialogs.answers = {MsgResult::Yes, MsgResult::No};
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 2u);
  EXPECT_EQ(b.dialogs.shown[1].text,
            "  Plik   \" probe.bmp \"   jest tylko do odczytu   \r\n\r\n                 Czy "
            "zapisać ?                   ");
  EXPECT_EQ(ReadBytes(b.Saved("probe.bmp")), old);

  b.dialogs.shown.clear();
  b.Answer("probe", 0);
  b.dialogs.answers = {MsgResult::Yes, MsgResult::Yes};
  b.files->SavePictureAs();
  EXPECT_EQ(ReadBytes(b.Saved("probe.bmp")).size(), 221'878u);
  EXPECT_EQ(b.dialogs.shown.size(), 2u);  // the two questions, no error
}

TEST(SavePictureAs, BackupTwinColourPicturesAndTheTurnedAnaglyph) {
  Bed b;
  b.s->BackupCopiesOn = 1;
  b.Answer("grey", 0);
  b.files->SavePictureAs();
  EXPECT_EQ(ReadBytes(b.Saved("grey.bak")), ReadBytes(b.Saved("grey.bmp")));

  b.Answer("colour", 2);  // entry 3: colour BMP of the picture area, no twin
  b.files->SavePictureAs();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(b.Saved("colour.bak"))));
  QImage c(QString::fromStdString(b.Saved("colour.bmp")));
  ASSERT_EQ(c.size(), QSize(1100, 800));
  EXPECT_EQ(c.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(c.pixel(1099, 799), qRgb(1099 & 255, 799 & 255, (1099 + 799) & 255));
  EXPECT_EQ(b.s->SavedChannels.load(), 0x02);  // colour saves leave the masks

  b.s->ViewMode = 3;
  b.s->AnaglyphOn = 1;
  b.s->Config.SetFlag(cfg::kAnaglyphRotate90Row, true);
  b.Answer("turned", 0);
  b.files->SavePictureAs();
  EXPECT_EQ(b.dialogs.fileRequests.back().filters[0], "Obraz 800-800-kolor (*.bmp)");
  QImage t(QString::fromStdString(b.Saved("turned.bmp")));
  ASSERT_EQ(t.size(), QSize(800, 800));
  EXPECT_EQ(t.pixel(0, 0), qRgb(150, 0, 150));
  EXPECT_EQ(t.pixel(799, 799), qRgb(949 & 255, 799 & 255, (949 + 799) & 255));
  EXPECT_TRUE(b.dialogs.shown.empty());
}

TEST(SavePictureAs, JpegIsBaselineThreeComponentQuality90AsTheSystemReadsIt) {
  Bed b;
  b.Answer("probe", 3);  // entry 4: colour JPEG
  b.files->SavePictureAs();
  b.Answer("grey.jpg", 1);  // entry 2: grey JPEG through the work file
  b.files->SavePictureAs();
  EXPECT_TRUE(b.dialogs.shown.empty());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(b.folders.ProgramDir + "/temp_obr.bmp")));
  EXPECT_EQ(b.s->SavedChannels.load(), 0x02);
  for (const auto& [name, w, h] : {std::tuple{"probe.jpg", 1100, 800}, {"grey.jpg", 550, 400}}) {
    QProcess djpeg;
    djpeg.start(QStringLiteral("djpeg"),
                {"-verbose", "-verbose", "-outfile", "/dev/null",
                 QString::fromStdString(b.Saved(name))});
    ASSERT_TRUE(djpeg.waitForFinished(20000)) << "djpeg (libjpeg-turbo-progs) is needed";
    ASSERT_EQ(djpeg.exitCode(), 0);
    const QString out = QString::fromUtf8(djpeg.readAllStandardError());
    EXPECT_TRUE(out.contains(QStringLiteral("Start Of Frame 0xc0: width=%1, height=%2, "
                                            "components=3").arg(w).arg(h)))
        << out.toStdString();
    // The quantisation table of quality 90: the luminance DC entry is 3.
    EXPECT_TRUE(out.contains(QStringLiteral("Define Quantization Table 0  precision 0")));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Table 0  precision 0\\n\\s+3 +2 +2 +3 +5 +8 +10 +12\\n"))))
        << out.toStdString();
  }
  QProcess identify;
  identify.start(QStringLiteral("identify"),
                 {"-format", "%Q %[colorspace] %[jpeg:sampling-factor]",
                  QString::fromStdString(b.Saved("probe.jpg"))});
  ASSERT_TRUE(identify.waitForFinished(20000));
  EXPECT_TRUE(QString::fromUtf8(identify.readAllStandardOutput()).startsWith("90 sRGB"));
}

TEST(SavePictureAuto, NumberedNamesTwinsAndTheLastName) {
  Bed b;
  for (int n = 1; n <= 3; ++n) WriteBytesTo(b.Saved("backup-000" + std::to_string(n) + ".bmp"), {});
  b.s->BackupCopiesOn = 1;
  b.s->Config.SetFlag(cfg::kRegIncrementOnSaveRow, true);
  b.s->RegNumber = 999;
  b.MarkChannel1ForStrip();
  b.files->SavePictureAuto();
  EXPECT_EQ(ReadBytes(b.Saved("backup-0004.bmp")).size(), 221'878u);
  EXPECT_EQ(ReadBytes(b.Saved("backup-0004.bak")), ReadBytes(b.Saved("backup-0004.bmp")));
  EXPECT_EQ(b.settings.autoNameShown, b.Saved("backup-0004.bmp"));  // the name it took, shown
  EXPECT_EQ(b.s->RegNumber.load(), 1);
  EXPECT_TRUE(b.StripBurnt());
  EXPECT_TRUE(b.s->StoreLock.try_lock()) << "the lock taken for the burn is free again";
  b.s->StoreLock.unlock();
  EXPECT_EQ(b.s->SavedChannels.load(), 0x02);
  EXPECT_TRUE(b.dialogs.shown.empty());
  EXPECT_TRUE(b.dialogs.fileRequests.empty());

  b.folders.AutoNameBase = "";
  b.files->SavePictureAuto();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text, files::kNoNameText);
}

// A path typed into a folder that is not there fails with the error box (captioned
// "Error"), and the save folder stays where the last good save went: the next dialog opens
// there with an empty name, and the automatic save writes there.
TEST(SavePictureAs, AMissingFolderLeavesTheSaveFolderWhereItWas) {
  Bed b;
  const std::string good = b.folders.SaveDir;
  b.Answer("brak/obraz.bmp", 0);
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text, kNotSaved);
  EXPECT_EQ(b.dialogs.shown[0].title, "Error");
  EXPECT_EQ(b.folders.SaveDir, good);
  b.files->SavePictureAs();  // cancelled: only its request is looked at
  ASSERT_EQ(b.dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(b.dialogs.fileRequests[1].folder, good);
  EXPECT_EQ(b.dialogs.fileRequests[1].fileName, "");
  b.files->SavePictureAuto();
  EXPECT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(good + "/backup-0001.bmp")));
  // A warning box is captioned "Warning".
  b.Answer("backup-0001.bmp", 0);
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 2u);
  EXPECT_EQ(b.dialogs.shown[1].type, MsgType::Warning);
  EXPECT_EQ(b.dialogs.shown[1].title, "Warning");
}

TEST(SavePictures, AFullDiskLosesNothingAndClaimsNothing) {
  struct Save {
    const char* what;
    const char* name;
    int entry;
    const char* file;
  };
  const Save saves[] = {{"grey BMP", "probe", 0, "probe.bmp"},
                        {"colour BMP", "probe", 2, "probe.bmp"},
                        {"colour JPEG", "probe", 3, "probe.jpg"},
                        {"grey JPEG", "probe", 1, "probe.jpg"}};
  for (const Save& sv : saves) {
    Bed b;
    b.s->Config.SetFlag(cfg::kRegIncrementOnSaveRow, true);
    b.s->RegNumber = 5;
    b.MarkChannel1ForStrip();
    const std::vector<uint8_t> old(64, 9);
    WriteBytesTo(b.Saved(sv.file), old);
    b.Answer(sv.name, sv.entry);
    b.dialogs.answers = {MsgResult::Yes};
    {
      FileSizeLimit full(20'000);
      b.files->SavePictureAs();
    }
    ASSERT_EQ(b.dialogs.shown.size(), 2u) << sv.what;
    EXPECT_EQ(b.dialogs.shown[1].text, kNotSaved) << sv.what;
    EXPECT_EQ(ReadBytes(b.Saved(sv.file)), old) << sv.what;
    EXPECT_EQ(b.Files(), QStringList{QString::fromLatin1(sv.file)}) << sv.what;
    EXPECT_EQ(b.s->SavedChannels.load(), 0) << sv.what;
    EXPECT_EQ(b.s->UnsavedChannels.load(), 0x0F) << sv.what;
    EXPECT_EQ(b.s->RegNumber.load(), 5) << sv.what;
    EXPECT_FALSE(b.StripBurnt()) << sv.what;
    EXPECT_EQ(b.s->ViewCaptions[2], "") << sv.what;
    EXPECT_EQ(QDir(b.programDir.path()).entryList(QDir::Files).filter(".bmp.").size(), 0);
  }
  // The automatic save too.
  Bed b;
  {
    FileSizeLimit full(20'000);
    b.files->SavePictureAuto();
  }
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text, kNotSaved);
  EXPECT_TRUE(b.Files().isEmpty());
  EXPECT_EQ(b.s->SavedChannels.load(), 0);
}

TEST(SavePictureAs, AJpegWhoseWorkFileCannotBeWrittenStops) {
  Bed b;
  // A folder in the work file's place: no one, root included, can rename a file over it.
  ASSERT_TRUE(QDir(b.programDir.path()).mkpath(QStringLiteral("temp_obr.bmp/x")));
  b.Answer("probe", 3);
  b.files->SavePictureAs();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text, kNotSaved);
  EXPECT_TRUE(b.Files().isEmpty());

  // The work file is written, the JPEG itself cannot be: nothing is marked saved.
  Bed c;
  ASSERT_TRUE(QDir(c.saveDir.path()).mkpath(QStringLiteral("grey.jpg/x")));
  c.Answer("grey", 1);
  c.dialogs.answers = {MsgResult::Yes};  // replace the existing "grey.jpg"
  c.files->SavePictureAs();
  ASSERT_EQ(c.dialogs.shown.size(), 2u);
  EXPECT_EQ(c.dialogs.shown[1].text, kNotSaved);
  EXPECT_EQ(c.s->SavedChannels.load(), 0);
  EXPECT_EQ(c.s->UnsavedChannels.load(), 0x0F);
  EXPECT_TRUE(c.Files().isEmpty());  // no temporary file beside the target
}

TEST(OpenPicture, ReadsGreyFilesBackAndRefusesOthers) {
  for (uint8_t mode : {0x10, 0x30}) {
    Bed b;
    b.s->WorkMode = mode;
    for (int x = 0; x < 2602; ++x)
      for (int y = 0; y < 1614; ++y) b.s->ImageStore[StoreIndex(x, y, 2)] = uint8_t(x ^ y);
    b.Answer("probe", 0);
    b.files->SavePictureAs();
    const GreyGeometry g = PictureGeometry(mode);
    // Open into kan4 of a fresh state.
    Bed o;
    o.s->WorkMode = mode;
    o.s->ViewMode = 4;
    o.s->ImageStore[StoreIndex(g.width + 1, 3, 4)] = 5;
    o.folders.OpenDir = b.folders.SaveDir;
    o.dialogs.fileAnswers.push_back(FileDialogAnswer{b.Saved("probe.jpg"), 0});  // its .bmp
    o.files->OpenPicture();
    EXPECT_TRUE(o.dialogs.shown.empty()) << int(mode);
    EXPECT_EQ(o.dialogs.fileRequests[0].title, " OPEN PICTURE ");
    EXPECT_EQ(o.dialogs.fileRequests[0].filters, std::vector<std::string>{"Obrazy - grayscale (*.bmp)"});
    int wrong = 0;
    for (int x = 0; x < g.width; ++x)
      for (int y = 0; y < g.height; ++y)
        wrong += o.s->ImageStore[StoreIndex(x, y, 4)] != uint8_t(x ^ y);
    EXPECT_EQ(wrong, 0) << int(mode);
    EXPECT_EQ(o.s->ImageStore[StoreIndex(g.width + 1, 3, 4)], 0);  // the channel was cleared
    EXPECT_EQ(o.s->SavedChannels.load(), 0x08);
    EXPECT_EQ(o.main.redraws, (decltype(o.main.redraws){{4, o.s->WorkMode.load(), "a"}}));
    EXPECT_TRUE(QString::fromStdString(o.s->ViewCaptions[4]).endsWith("probe.jpg"));
  }

  Bed b;
  b.Answer("colour", 2);
  b.files->SavePictureAs();
  b.s->ImageStore[StoreIndex(1, 1, 2)] = 33;
  b.dialogs.fileAnswers.push_back(FileDialogAnswer{b.Saved("colour.bmp"), 0});
  b.files->OpenPicture();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text, files::kNotGreyText);
  EXPECT_EQ(b.s->ImageStore[StoreIndex(1, 1, 2)], 33);  // store unchanged

  b.dialogs.shown.clear();
  b.dialogs.fileAnswers.push_back(FileDialogAnswer{b.Saved("lonely.jpg"), 0});
  WriteBytesTo(b.Saved("lonely.jpg"), {1, 2, 3});
  b.files->OpenPicture();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].text,
            "   Błąd w odczycie pliku.  \r\n\r\n"
            "   Nie znaleziono pliku.                                      ");
  EXPECT_EQ(b.folders.OpenDir, b.folders.SaveDir);
}

}  // namespace
}  // namespace orvix
