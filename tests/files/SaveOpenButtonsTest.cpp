// The main window's SAVE and OPEN buttons reach the picture files: the numbered save when
// the file page asks for it, the dialog save otherwise, the open into the shown channel;
// the busy flags are set while they run and clear afterwards.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>

#include "AppTestSupport.h"
#include "AutoName.h"
#include "GreyBmp.h"

namespace orvix {
namespace {

using namespace test;

TEST(SaveOpenButtons, SaveAndOpenRunThePictureFilesWithTheBusyFlags) {
  WindowTestBed bed;
  TVideo v(bed.station, bed.dialogs, bed.Options());
  v.show();
  bed.dialogs.shown.clear();
  SharedState& s = bed.S();
  s.WorkMode = 0x10;
  s.ViewMode = 1;
  for (int x = 0; x < 552; ++x) s.ImageStore[StoreIndex(x, 7, 1)] = uint8_t(x);

  s.AutoNumberingOn = 1;
  int busyWhileSaving = 0;
  v.KlawiszSAVEClick();
  const std::string numbered = bed.Folders().SaveDir + "/backup-0001.bmp";
  EXPECT_TRUE(QFile::exists(QString::fromStdString(numbered)));
  EXPECT_TRUE(bed.dialogs.fileRequests.empty());

  s.AutoNumberingOn = 0;
  bed.dialogs.onMessage = [&](const ShownMessage&) { busyWhileSaving += s.SaveBusy.load(); };
  bed.dialogs.fileAnswers.push_back(FileDialogAnswer{bed.Folders().SaveDir + "/backup-0001", 0});
  v.KlawiszSAVEClick();  // asks before it replaces the numbered file
  ASSERT_EQ(bed.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(bed.dialogs.fileRequests[0].title, " SAVE PICTURE");
  EXPECT_EQ(busyWhileSaving, 1);
  EXPECT_EQ(s.FileBusy.load() | s.SaveBusy.load(), 0);

  s.ViewMode = 3;
  bed.dialogs.fileAnswers.push_back(FileDialogAnswer{numbered, 0});
  v.KlawiszOPENClick();
  EXPECT_EQ(s.ImageStore[StoreIndex(300, 7, 3)], uint8_t(300));
  EXPECT_EQ(s.FileBusy.load() | s.OpenBusy.load(), 0);
  EXPECT_EQ(s.SavedChannels.load() & 0x05, 0x05);
  EXPECT_NE(v.StaticText4->text().indexOf(QStringLiteral("backup-0001.bmp")), -1);
}

}  // namespace
}  // namespace orvix
