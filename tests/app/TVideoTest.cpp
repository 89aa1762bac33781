// The main window: start-up geometry and folders, the lamps as the operator sees them on
// the real panels, the picture buttons, the single-instance guard and the shutdown
// questions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "RunState.h"
#include "TVideo.h"
#include "AppTestSupport.h"
#include "ScriptedDialogs.h"

namespace orvix {
namespace {

using test::ScriptedDialogs;

const char* const kNotSaved = " Obraz nie został zapisany. \r\n\r\n    Czy zapisać teraz ?     ";

QColor PanelColour(const QWidget* w) { return w->palette().color(QPalette::Window); }
const QColor kLimeC(0, 255, 0), kGreyC(128, 128, 128), kRedC(255, 0, 0);

class TVideoTest : public ::testing::Test, public test::WindowTestBed {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lockDir.isValid());
    ASSERT_TRUE(programDir.isValid());
  }

  // A shown window after its start step, idle in VISUAL with kan1 in use.
  std::unique_ptr<TVideo> Started() {
    auto v = std::make_unique<TVideo>(station, dialogs, Options());
    v->show();
    v->StartTimer();
    SharedState& s = S();
    s.ChannelCode = 0x11;
    s.ChannelMask = 1;
    v->UpdateRunButtons();
    v->UpdateViewButtons();
    return v;
  }
};

TEST_F(TVideoTest, FirstShowLaysOutTheWindow) {
  TVideo v(station, dialogs, Options());
  EXPECT_FALSE(v.InstanceRefused());
  v.show();
  EXPECT_EQ(v.geometry(), QRect(0, 0, 1280, 1024));
  EXPECT_EQ(v.Panel1->geometry(), QRect(9, 109, 1106, 806));
  EXPECT_EQ(v.PictureSlot->geometry(), QRect(2, 2, 1102, 802));
  EXPECT_EQ(v.Panel2->geometry(), QRect(1124, 82, 147, 858));
  EXPECT_EQ(v.Image3->geometry(), QRect(199, 149, 702, 502));
  EXPECT_TRUE(v.Image3->isVisible());
  EXPECT_EQ(v.Image4->size(), QSize(1102, 802));
  EXPECT_EQ(v.Image5->size(), QSize(800, 800));
  EXPECT_EQ(v.StaticText10->geometry(), QRect(0, 0, 36, 36));
  EXPECT_EQ(v.StaticText10->text(), QStringLiteral(" "));

  EXPECT_EQ(v.KlawiszRECORD->text(), QStringLiteral(" RECORD "));
  EXPECT_EQ(v.KlawiszADD->text(), QStringLiteral(" ADD  "));
  EXPECT_EQ(v.KlawiszPic1->text(), QStringLiteral(" Kanał 1 "));
  EXPECT_EQ(v.KlawiszEXIT->text(), QStringLiteral(" Zakończ "));
  EXPECT_EQ(v.PanelEXIT->geometry(), QRect(15, 788, 117, 36));
  EXPECT_EQ(v.Panel101->geometry(), QRect(6, 33, 104, 15));

  // Only the EXIT panel shows until the start step.
  EXPECT_TRUE(v.PanelEXIT->isVisible());
  EXPECT_EQ(PanelColour(v.PanelEXIT), kLimeC);
  EXPECT_FALSE(v.PanelRECORD->isVisible());
  EXPECT_TRUE(v.Start->isActive());
  EXPECT_EQ(v.Start->interval(), 2000);

  // Captions right-aligned to the picture panel.
  EXPECT_EQ(v.StaticText4->text(), QStringLiteral("Program START"));
  EXPECT_EQ(v.StaticText4->geometry().left() + v.StaticText4->width(), 1115);
  EXPECT_EQ(v.StaticText4->y(), 917);
  EXPECT_EQ(v.StaticText1->pos(), QPoint(9, 917));
  EXPECT_EQ(v.StaticText3->y(), 81);
  EXPECT_EQ(S().ViewCaptions[1], "Picture 1 clear  ");
  EXPECT_EQ(S().ViewCaptions[5], " ");

  // The day's picture folders.
  const QString day = programDir.path() + QStringLiteral("/Pictures/2026/12/Session-26-12-08");
  EXPECT_TRUE(QDir(day).exists());
  EXPECT_TRUE(dialogs.shown.empty());

  v.StartTimer();
  EXPECT_FALSE(v.Start->isActive());
  EXPECT_FALSE(v.Image3->isVisible());
  EXPECT_EQ(S().DeviceOpen.load(), 1);
  for (int slot = 0; slot < layout::kSlotCount; ++slot)
    EXPECT_TRUE(v.SlotPanel(slot)->isVisible()) << slot;
  EXPECT_TRUE(v.StaticText3->isVisible());
}

// A station killed while it saved its settings or a JPEG work file left the temporary file
// in the program folder; the next start removes it and nothing else.
TEST_F(TVideoTest, FirstShowRemovesWhatAKilledSaveLeft) {
  const QString dir = programDir.path();
  for (const char* name : {"conf300.dat.orvix-aB3dE9", "conf300.dat", "conf300.dat.bak",
                           "conf300.dat.backup", "temp_obr.bmp.orvix-Zz09aA"}) {
    QFile f(dir + QLatin1Char('/') + QLatin1String(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
  }
  TVideo v(station, dialogs, Options());
  v.show();
  EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/conf300.dat.orvix-aB3dE9")));
  EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/temp_obr.bmp.orvix-Zz09aA")));
  EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/conf300.dat.backup")));
  EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/conf300.dat")));
  EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/conf300.dat.bak")));
}

// A picture folder that cannot be made is reported at the first show, level by level, and
// the station goes on with the program folder.
TEST_F(TVideoTest, FirstShowReportsPictureFoldersItCannotMake) {
  QFile block(programDir.path() + QStringLiteral("/Pictures"));  // a file in the way
  ASSERT_TRUE(block.open(QIODevice::WriteOnly));
  block.close();
  TVideo v(station, dialogs, Options());
  v.show();
  ASSERT_EQ(dialogs.shown.size(), 4u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Error);
  EXPECT_EQ(dialogs.shown[0].text, FolderErrorText(programDir.path().toStdString() + "/Pictures"));
  EXPECT_EQ(Folders().SaveDir, programDir.path().toStdString());
}

TEST_F(TVideoTest, TooSmallScreenWarnsAndCloses) {
  TVideo v(station, dialogs, Options(QSize(1280, 864)));
  v.show();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Warning);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(dialogs.shown[0].text,
            "                            Zbyt mała rozdzielczość ekranu        \r\n\r\n"
            "należy zwiększyć rozdzielczość ekranu i ponownie uruchomić program");
  EXPECT_FALSE(v.Start->isActive());
  QApplication::processEvents();
  EXPECT_FALSE(v.isVisible());

  ScriptedDialogs quiet;
  TVideo ok(station, dialogs, Options(QSize(1221, 865)));
  ok.show();
  EXPECT_TRUE(quiet.shown.empty());
  EXPECT_EQ(ok.Panel1->geometry(), QRect(-10, 30, 1106, 806));
}

TEST_F(TVideoTest, LampsOnThePanels) {
  auto v = Started();
  SharedState& s = S();
  EXPECT_EQ(PanelColour(v->PanelVISUAL), kRedC);
  EXPECT_EQ(PanelColour(v->PanelSTART), kLimeC);
  EXPECT_EQ(PanelColour(v->PanelSTOP), kRedC);
  EXPECT_TRUE(v->KlawiszSTOP->isEnabled());
  EXPECT_EQ(PanelColour(v->PanelEXIT), kLimeC);
  EXPECT_EQ(PanelColour(v->PanelPic1), kRedC);
  EXPECT_EQ(PanelColour(v->PanelPic2), kLimeC);
  EXPECT_EQ(v->Panel101->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(PanelColour(v->PanelWymiar), kGreyC);  // nothing acquired yet
  EXPECT_FALSE(v->KlawiszWymiar->isEnabled());

  // A run.
  s.AcquisitionBusy = -1;
  v->UpdateRunButtons();
  v->UpdateViewButtons();
  v->UpdateRunButtons();  // a second call changes nothing
  EXPECT_EQ(PanelColour(v->PanelSTART), kRedC);
  EXPECT_FALSE(v->KlawiszSTART->isEnabled());
  EXPECT_EQ(PanelColour(v->PanelSTOP), kLimeC);
  EXPECT_EQ(PanelColour(v->PanelEXIT), kGreyC);
  EXPECT_FALSE(v->KlawiszEXIT->isEnabled());
  EXPECT_FALSE(v->KlawiszVISUAL->isEnabled());
  EXPECT_EQ(PanelColour(v->PanelVISUAL), kRedC);
  EXPECT_EQ(v->Panel103->palette().color(QPalette::WindowText), QColor(128, 128, 128));
  s.AcquisitionBusy = 0;

  // Settings window open.
  s.SettingsOpen = 1;
  v->UpdateRunButtons();
  v->UpdateViewButtons();
  EXPECT_EQ(PanelColour(v->PanelCHANGE), kRedC);
  EXPECT_FALSE(v->KlawiszCHANGE->isEnabled());
  EXPECT_EQ(PanelColour(v->PanelEXIT), kGreyC);
  EXPECT_EQ(PanelColour(v->PanelSTART), kGreyC);
  EXPECT_FALSE(v->KlawiszLINESCAN->isEnabled());
  EXPECT_TRUE(v->KlawiszPicAl->isEnabled());
  s.SettingsOpen = 0;

  // ALL view, and Wymiar after kan2 was saved.
  s.UnsavedChannels = 0x0F;
  v->KlawiszPicAl->click();
  EXPECT_EQ(PanelColour(v->PanelPicAl), kRedC);
  EXPECT_EQ(PanelColour(v->PanelOPEN), kGreyC);
  EXPECT_EQ(PanelColour(v->PanelWymiar), kGreyC);
  EXPECT_EQ(PanelColour(v->PanelSAVE), kLimeC);
  s.UnsavedChannels = 0x0D;
  v->KlawiszPic2->click();
  EXPECT_EQ(PanelColour(v->PanelWymiar), kGreyC);
  v->KlawiszPic3->click();
  EXPECT_EQ(PanelColour(v->PanelWymiar), kLimeC);
  EXPECT_TRUE(v->KlawiszWymiar->isEnabled());
}

TEST_F(TVideoTest, PictureButtonsChooseViewAndAnaglyphSource) {
  auto v = Started();
  SharedState& s = S();
  v->KlawiszPic2->click();
  EXPECT_EQ(s.ViewMode.load(), 2);
  EXPECT_EQ(s.LastSingleView.load(), 2);
  EXPECT_EQ(s.AnaglyphSource.load(), 2);
  EXPECT_EQ(PanelColour(v->PanelPic2), kRedC);
  EXPECT_EQ(PanelColour(v->PanelPic1), kLimeC);

  v->KlawiszPicAl->click();
  EXPECT_EQ(s.ViewMode.load(), 5);
  EXPECT_EQ(s.LastSingleView.load(), 2);

  s.AcquisitionBusy = -1;  // during a run the view changes, the source does not
  v->KlawiszPic1->click();
  EXPECT_EQ(s.ViewMode.load(), 1);
  EXPECT_EQ(s.AnaglyphSource.load(), 2);
  s.AcquisitionBusy = 0;

  // The anaglyph in place of kan3 closes an open linescan.
  s.AnaglyphOn = 1;
  s.LinescanOn = 1;
  v->KlawiszPic4->click();
  EXPECT_EQ(s.LinescanOn.load(), 1);
  v->KlawiszPic3->click();
  EXPECT_EQ(s.LinescanOn.load(), 0);
  s.AnaglyphOn = 0;
}

TEST_F(TVideoTest, RunCaptionForTheChannelsInUse) {
  auto v = Started();
  SharedState& s = S();
  s.RecordOn = -1;
  s.ChannelMask = 0x05;  // kan1, kan3
  s.Config.SetMixChannel(1, true);
  s.ViewMode = 1;
  v->ShowRunCaption();
  EXPECT_EQ(s.ViewCaptions[1], "RECORD  MIX ");
  EXPECT_EQ(s.ViewCaptions[2], "Picture 2 clear  ");
  EXPECT_EQ(s.ViewCaptions[3], "RECORD  ");
  EXPECT_EQ(v->StaticText4->text(), QStringLiteral("RECORD  MIX "));
  EXPECT_EQ(v->StaticText4->x() + v->StaticText4->width(), 1115);
  s.AddOn = 1;  // ADD keeps its own captions
  s.ViewCaptions[3] = "ADD  2   ";
  v->ShowRunCaption();
  EXPECT_EQ(s.ViewCaptions[3], "ADD  2   ");
}

TEST_F(TVideoTest, SecondInstanceRefusedUntilTheFirstHasClosed) {
  auto first = std::make_unique<TVideo>(station, dialogs, Options());
  EXPECT_FALSE(first->InstanceRefused());
  {
    TVideo second(station, dialogs, Options());
    EXPECT_TRUE(second.InstanceRefused());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].type, MsgType::Information);
    EXPECT_EQ(dialogs.shown[0].title, "Informacja");
    EXPECT_EQ(dialogs.shown[0].text, "Program ORVIX jest już uruchomiony");
  }
  // The refused one must not have taken the first one's lock with it.
  TVideo third(station, dialogs, Options());
  EXPECT_TRUE(third.InstanceRefused());
  first->show();
  first->close();
  TVideo fourth(station, dialogs, Options());
  EXPECT_FALSE(fourth.InstanceRefused());
  QApplication::processEvents();  // the refused ones asked the loop to quit: harmless here
}

TEST_F(TVideoTest, ShutdownAsksForUnsavedChannelsInOrder) {
  SharedState& s = S();
  std::vector<int> views;  // the view shown at each question
  dialogs.onMessage = [&](const test::ShownMessage&) { views.push_back(s.ViewMode.load()); };
  {
    auto v = Started();
    s.Config.SetFlag(cfg::kAskSaveOnExitRow, true);
    s.UnsavedChannels = 0x05;  // kan1, kan3
    s.ViewMode = 2;
    dialogs.answers = {MsgResult::Yes, MsgResult::Yes};
    v->KlawiszEXIT->click();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, kNotSaved);
    EXPECT_EQ(dialogs.shown[0].type, MsgType::Warning);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.shown[0].pos.x, 500);
    EXPECT_EQ(dialogs.shown[0].pos.y, 200);
    EXPECT_EQ(dialogs.shown[1].pos.x, 500);
    EXPECT_EQ(dialogs.shown[1].pos.y, 400);
    EXPECT_EQ(views, (std::vector<int>{1, 3}));  // each asked on its own picture
    EXPECT_EQ(s.ClosingDown.load(), -1);
    EXPECT_FALSE(v->isVisible());
  }
  dialogs.shown.clear();
  {
    auto v = Started();
    s.Config.SetFlag(cfg::kAskSaveOnExitRow, true);
    s.UnsavedChannels = 0x05;
    s.ViewMode = 1;
    dialogs.answers = {MsgResult::No};
    v->KlawiszEXIT->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);  // kan3 not asked
    EXPECT_EQ(dialogs.shown[0].pos.y, 200);
    EXPECT_EQ(s.ClosingDown.load(), 0);
    EXPECT_FALSE(v->isVisible());
  }
  dialogs.shown.clear();
  for (bool anaglyph : {false, true}) {
    auto v = Started();
    s.Config.SetFlag(cfg::kAskSaveOnExitRow, anaglyph);  // off, or on with the anaglyph
    s.AnaglyphOn = anaglyph ? 1 : 0;
    s.UnsavedChannels = 0x0F;
    v->close();
    EXPECT_TRUE(dialogs.shown.empty()) << anaglyph;
    s.AnaglyphOn = 0;
  }
}

TEST_F(TVideoTest, ShutdownDuringARunEndsTheAcquisition) {
  SharedState& s = S();
  {
    auto v = Started();
    s.AcquisitionBusy = -1;
    s.AcquisitionOn = 1;
    v->close();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              " Zewnętrzne urządzenie pracuje \r\n\r\n  Proszę wyłączyć je ręcznie    ");
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::Yes);
    EXPECT_EQ(s.AcquisitionBusy.load(), 0);
    EXPECT_EQ(s.AcquisitionOn.load(), 0);
  }
  dialogs.shown.clear();
  {
    // Declining to save skips the remaining questions but still ends the run.
    auto v = Started();
    s.Config.SetFlag(cfg::kAskSaveOnExitRow, true);
    s.UnsavedChannels = 0x01;
    s.AcquisitionBusy = -1;
    s.AcquisitionOn = 1;
    dialogs.answers = {MsgResult::No};
    v->close();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kNotSaved);
    EXPECT_EQ(s.AcquisitionBusy.load(), 0);
    EXPECT_EQ(s.AcquisitionOn.load(), 0);
  }
}

}  // namespace
}  // namespace orvix
