// The settings window, offscreen, through its real controls: guards against captions and
// colours that do not follow the table, edits written to the wrong channel or mode,
// working-mode buttons offered in the wrong run mode, reload paths that skip a step,
// controls that do not exist or answer before the first set-up, boxes shown past the
// window's own dialogs, and captions that vanish when their control is disabled.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "AutoName.h"
#include "ConfigFile.h"
#include "SettingsConstants.h"
#include "TNastVid.h"
#include "TNastVidLook.h"
#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"

namespace orvix {
namespace {

using namespace look;

using FakeLink = test::FakeMainWindowLink;

class TNastVidTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.ProgramDir = dir.path().toStdString();
    DefaultConfigTable(*s);
    LoadWorkModesFromTable(*s);
    s->WorkMode = 0x10;
    link.dialogs = &dialogs;
    w = std::make_unique<TNastVid>(&link, *s, dialogs, folders, settingsFile, unit);
    w->FormCreate();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> v;
    for (const test::ShownMessage& m : dialogs.shown) v.push_back(m.text);
    return v;
  }
  static std::vector<int> Checked(const std::array<QRadioButton*, 8>& list) {
    std::vector<int> v;
    for (int i = 0; i < 8; ++i)
      if (list[size_t(i)]->isChecked()) v.push_back(i + 1);
    return v;
  }
  std::vector<QColor> Indicators() const {
    std::vector<QColor> v;
    for (const ClickPanel* p : w->PageIndicators) v.push_back(PanelColour(p));
    return v;
  }
  // What the main window's run-mode click asks of this window (OdswierzRecVis).
  void SelectRunMode(RunModeKind kind) {
    s->AddOn = kind == RunModeKind::Add ? 1 : 0;
    w->ShowRunMode(kind);
    w->ShowChannelState();
    s->RecordOn = kind == RunModeKind::Record ? -1 : 0;
    s->WorkMode = kind == RunModeKind::Record ? s->RecordWorkMode.load()
                  : kind == RunModeKind::Add  ? s->AddWorkMode.load()
                                              : s->VisualWorkMode.load();
    w->ShowWorkModeRadios(s->WorkMode.load());
    w->RefreshAfterRunModeChange();
  }
  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  std::vector<int> ShownLines() const { return Shown(w->LinesRadio); }
  std::vector<int> ShownTimes() const { return Shown(w->TimeRadio); }
  static std::vector<int> Shown(const std::array<QRadioButton*, 8>& list) {
    std::vector<int> v;
    for (int i = 0; i < 8; ++i)
      if (!list[size_t(i)]->isHidden()) v.push_back(i + 1);
    return v;
  }

  QTemporaryDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
  PictureFolders folders;
  SettingsFile settingsFile{*s, folders};
  SimulatedScanUnit unit;
  FakeLink link;
  std::unique_ptr<TNastVid> w;
};

TEST_F(TNastVidTest, CaptionsOfWindowPagesAndButtons) {
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("     Konfigurowanie nastaw"));
  const char* pages[] = {"     Kanał 1 ", "     Kanał 2 ", "     Kanał 3 ", "     Kanał 4 ",
                         "     Add ", " Ramka ", " Pliki ", " Znacznik ", " Anaglif "};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(w->PageControl1->tabText(i), QString::fromUtf8(pages[i]));
    EXPECT_EQ(w->PageControl1->widget(i)->property("tag").toInt(), i + 1);
  }
  EXPECT_FALSE(w->PageControl1->isTabVisible(8));
  EXPECT_EQ(w->Button1->text(), "Wyslij nastawy");
  EXPECT_EQ(w->Button2->text(), "Odczytaj nastawy");
  EXPECT_EQ(w->Button3->text(), "Zapisz nastawy");
  EXPECT_EQ(w->Button4->text(), "Zamknij");
  EXPECT_EQ(w->FilterButtons[4]->text(), "  50 kHz");
  EXPECT_EQ(w->SpeedButton12->text(), " Znacznik ");
  EXPECT_EQ(w->CheckBox2->text(), QString::fromUtf8(
      "Monitować  \" Czy zapisać obraz ? \"  po naciśnieciu  \" ZAKOŃCZ \""));
  EXPECT_EQ(w->CheckBox3->text(), QString::fromUtf8(
      "Monitować  \" Czy zapisać obraz ? \"  po naciśnieciu  \" RECORD \"  i  \" START \""));
  for (int tag = 1; tag <= 5; ++tag)
    EXPECT_EQ(w->PageIndicators[size_t(tag - 1)]->geometry(), QRect(11 + 87 * (tag - 1), 10, 15, 15));
  EXPECT_EQ(w->AddChannelButtons[3]->geometry(), QRect(27 + 141 * 3, 18, 86, 23));
}

TEST_F(TNastVidTest, GainAndOffsetTrackBars) {
  w->OpenPage(2);
  EXPECT_FALSE(w->Panel3->isHidden());
  w->TrackBar1->setValue(0);
  EXPECT_EQ(w->GainGroup->title(), " Wzmocnienie x 0.0 ");
  EXPECT_EQ(s->Config.ChannelGain(2), 0);
  EXPECT_EQ(s->Config.ChannelGain(1), 10);
  w->TrackBar2->setValue(20);
  EXPECT_EQ(w->OffsetGroup->title(), QString::fromUtf8(" Przesunięcie 2.0V "));
  w->TrackBar2->setValue(-5);
  EXPECT_EQ(w->OffsetGroup->title(), QString::fromUtf8(" Przesunięcie -0.5V "));
  EXPECT_EQ(s->Config.ChannelOffset(2), -5);
  // A stored gain above the bar's range shows at its end.
  s->Config.SetChannelGain(3, 35);
  s->Config.SetChannelOffset(3, -33);
  w->OpenPage(3);
  EXPECT_EQ(w->TrackBar1->value(), 20);
  EXPECT_EQ(w->TrackBar2->value(), -20);
  EXPECT_EQ(w->GainGroup->title(), " Wzmocnienie x 2.0 ");
  w->OpenPage(TNastVid::kFramePage);
  EXPECT_TRUE(w->Panel3->isHidden());
}

TEST_F(TNastVidTest, OnOffMixMarkerAndIndicators) {
  w->OpenPage(1);
  Click(w->SpeedButton11);  // the last channel on cannot go off
  EXPECT_TRUE(s->Config.ChannelOn(1));
  EXPECT_EQ(w->PanelOnOff->text(), QString::fromUtf8("Kanał załączony"));
  EXPECT_EQ(PanelColour(w->PanelOnOff), kOrange);
  w->OpenPage(2);
  EXPECT_EQ(w->PanelOnOff->text(), QString::fromUtf8("Kanał wyłączony"));
  EXPECT_EQ(PanelColour(w->PanelOnOff), kSilver);
  Click(w->SpeedButton11);
  EXPECT_TRUE(s->Config.ChannelOn(2));
  EXPECT_EQ(s->ChannelCode, 0x23);
  EXPECT_EQ(PanelColour(w->PageIndicators[1]), kOrange);
  EXPECT_EQ(PanelColour(w->PageIndicators[2]), kSilver);

  EXPECT_EQ(w->SpeedButton13->text(), "Mix 4 to 2");
  Click(w->SpeedButton13);
  EXPECT_TRUE(s->Config.MixChannel(2));
  EXPECT_EQ(PanelColour(w->MixPanel), kPink);
  Click(w->SpeedButton12);
  EXPECT_TRUE(s->Config.MarkerChannel(2));
  EXPECT_EQ(PanelColour(w->MarkerPanel), kPink);
  w->OpenPage(4);
  EXPECT_TRUE(w->MixPanel->isHidden());
  EXPECT_EQ(PanelColour(w->MarkerPanel), kSilver);
  s->AnaglyphOn = 1;
  w->OpenPage(1);
  EXPECT_TRUE(w->MixPanel->isHidden());
  EXPECT_FALSE(w->SpeedButton11->isEnabled());
  s->AnaglyphOn = 0;

  // ADD: the ADD channel in yellow, On / Off disabled.
  s->AddOn = 1;
  Click(w->AddChannelButtons[2]);
  EXPECT_TRUE(s->Config.AddChannel(3));
  EXPECT_FALSE(s->Config.AddChannel(1));
  w->OpenPage(3);
  EXPECT_FALSE(w->SpeedButton11->isEnabled());
  EXPECT_EQ(PanelColour(w->PageIndicators[2]), kYellow);
  EXPECT_EQ(PanelColour(w->PageIndicators[0]), kSilver);
  EXPECT_EQ(PanelColour(w->PageIndicators[4]), kYellow);
  EXPECT_EQ(PanelColour(w->PanelOnOff), kYellow);
  EXPECT_EQ(PanelColour(w->AddChannelButtons[2]), kYellow);

  // Indicator 5 opens the Add page.
  QTest::mouseClick(w->PageIndicators[4], Qt::LeftButton);
  EXPECT_EQ(w->ActiveTag(), 5);
  EXPECT_TRUE(w->Panel3->isHidden());
}

TEST_F(TNastVidTest, FiltersPerWorkModeAndError1505Once) {
  s->WorkMode = 0x22;
  w->OpenPage(1);
  EXPECT_TRUE(w->FilterButtons[1]->isChecked());
  Click(w->FilterButtons[0]);
  EXPECT_EQ(s->Config.RecFilter(0x22, 1), 1);
  EXPECT_EQ(PanelColour(w->FilterButtons[0]), kAqua);
  EXPECT_EQ(PanelColour(w->FilterButtons[1]), kSilver);
  EXPECT_FALSE(w->FilterButtons[1]->isChecked());
  s->WorkMode = 0x10;
  w->PageControl1Change();
  EXPECT_TRUE(w->FilterButtons[1]->isChecked());
  EXPECT_EQ(PanelColour(w->FilterButtons[1]), kAqua);
  // Code 7 shows no button.
  s->Config.SetRecFilter(0x10, 1, 7);
  w->PageControl1Change();
  for (QRadioButton* b : w->FilterButtons) EXPECT_FALSE(b->isChecked());

  s->WorkMode = 0x05;
  Click(w->FilterButtons[3]);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "         ERROR 1505 !!!                 ");
  EXPECT_EQ(s->WorkMode, 0x12);
  EXPECT_EQ(s->Config.RecFilter(0x12, 1), 4);
}

TEST_F(TNastVidTest, WorkingModeButtonsPerRunMode) {
  w->OpenPage(6);
  w->ShowWorkModeRadios(0x10);  // VISUAL
  EXPECT_EQ(ShownLines(), (std::vector<int>{1, 2}));
  EXPECT_EQ(ShownTimes(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s->VisualWorkMode, 0x10);
  Click(w->TimeRadio[2]);
  EXPECT_EQ(s->WorkMode, 0x12);
  EXPECT_EQ(link.visual, " 400/10");
  EXPECT_EQ(PanelColour(w->TimeRadio[2]), kTimeChecked);
  EXPECT_EQ(PanelColour(w->TimeRadio[0]), kSilver);
  EXPECT_EQ(PanelColour(w->LinesRadio[0]), kLinesChecked);

  s->RecordOn = -1;  // RECORD 800/10
  s->WorkMode = 0x22;
  w->ShowWorkModeRadios(0x22);
  EXPECT_EQ(ShownLines(), (std::vector<int>{2, 3}));
  EXPECT_EQ(ShownTimes(), (std::vector<int>{3, 4}));
  Click(w->LinesRadio[2]);
  EXPECT_EQ(s->WorkMode, 0x32);
  EXPECT_EQ(s->RecordWorkMode, 0x32);
  EXPECT_EQ(link.record, "1600/10");
  EXPECT_TRUE(w->TimeRadio[2]->isChecked());
  s->RecordOn = 0;

  s->AddOn = 1;  // ADD forces 800 lines
  w->ShowWorkModeRadios(0x11);
  EXPECT_EQ(ShownLines(), (std::vector<int>{2}));
  EXPECT_EQ(ShownTimes(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s->WorkMode, 0x21);
  EXPECT_EQ(s->AddWorkMode, 0x21);
  EXPECT_TRUE(dialogs.shown.empty());

  w->ShowWorkModeRadios(0x47);
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].text, "         ERROR 1504 !!!                 ");
  dialogs.shown.clear();
  w->ShowWorkModeRadios(0x52);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "         ERROR 1503 !!!                 ");
}

TEST_F(TNastVidTest, FramePageSpinButtonsAndAutoIdent) {
  s->WorkMode = 0x22;
  s->Config.SetRecDivider(0x22, 30);
  w->OpenPage(6);
  EXPECT_EQ(w->DividerLabel->text(), QString::fromUtf8("0.615 µs"));
  EXPECT_EQ(s->Config.RecDivider(0x22), 39);
  Click(w->SpinButton51Down);
  EXPECT_EQ(s->SampleDivider, 39);
  Click(w->SpinButton51Up);
  EXPECT_EQ(w->DividerLabel->text(), QString::fromUtf8("0.630 µs"));
  s->Config.SetRecOffsetH(0x22, 1000);
  s->Config.SetRecOffsetV(0x22, -50);
  w->PageControl1Change();
  Click(w->SpinButton52Up);
  Click(w->SpinButton1Down);
  EXPECT_EQ(w->OffsetHLabel->text(), "1000 pixels");
  EXPECT_EQ(w->OffsetVLabel->text(), "-50 lines");
  Click(w->SpinButton1Up);
  EXPECT_EQ(s->OffsetV, -49);

  Click(w->CheckBox10);
  EXPECT_EQ(s->AutoIdentOn, 1);
  EXPECT_EQ(s->Config.Flag(cfg::kAutoIdentRow), 1);
  EXPECT_EQ(w->CheckBox10->text(), QString::fromUtf8("  załączona"));
  EXPECT_EQ(link.visual, " 800/10  A");
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(w->LinesRadio[size_t(i)]->isEnabled());
  w->CheckBox10->setEnabled(false);  // RECORD and ADD disable the box
  w->UstawPanAut();
  EXPECT_TRUE(w->TimeRadio[0]->isEnabled());
  w->CheckBox10->setEnabled(true);
  Click(w->CheckBox10);
  EXPECT_EQ(s->AutoIdentOn, 0);
  EXPECT_EQ(link.visual, " 800/10");
}

TEST_F(TNastVidTest, AddTrackBarAndFilePage) {
  w->OpenPage(5);
  w->TrackBar3->setValue(25);
  EXPECT_EQ(w->AddGroup->title(), QString::fromUtf8(" Liczba obrazów do nałożenia  25 "));
  EXPECT_EQ(link.addButton, "ADD 25");
  EXPECT_EQ(link.add, " 800/2");
  EXPECT_EQ(s->Config.AddFrameCount(), 25);

  Click(w->CheckBox1);
  EXPECT_EQ(link.saveButton, "Zapisz");
  EXPECT_EQ(PanelColour(w->Label2), kLabelBlue);
  // As it is drawn: yellow on blue.
  EXPECT_EQ(w->Label2->grab().toImage().pixelColor(2, 2), kLabelBlue);
  EXPECT_EQ(w->Label2->palette().color(QPalette::WindowText), kYellow);
  Click(w->CheckBox1);
  EXPECT_EQ(link.saveButton, "Zapisz jako...");
  EXPECT_EQ(PanelColour(w->Label2), kGrey);
  EXPECT_EQ(w->Label2->width(), 603);

  Click(w->CheckBox3);
  EXPECT_EQ(s->Config.Flag(cfg::kAskSaveOnStartRow), 1);

  const std::string folder = dir.path().toStdString();
  dialogs.fileAnswers.push_back(FileDialogAnswer{folder + "/picture.x.bmp", 0});
  Click(w->Button5);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, QString::fromUtf8(" Nazwa i ścieżka do autozapisu").toStdString());
  EXPECT_EQ(folders.AutoNameBase, "picture");
  EXPECT_EQ(folders.SaveDir, folder);
  EXPECT_EQ(w->Label2->text().toStdString(), " " + folder + "/picture-0001.bmp");

  dialogs.fileAnswers.push_back(FileDialogAnswer{folder + "/.x", 0});
  Click(w->Button5);
  EXPECT_EQ(folders.AutoNameBase, "picture");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Error);
  EXPECT_EQ(dialogs.shown[0].text, "    ERROR format name       \r\n\r\n.x. ");
  folders.AutoNameBase = "backup";
}

TEST_F(TNastVidTest, ReloadSaveAndClose) {
  // Missing file: warning, start-up picture hidden, defaults, VISUAL refreshed.
  s->ChannelCode = 0x4F;
  Click(w->Button2);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Warning);
  EXPECT_EQ(link.hidePicture, 1);
  EXPECT_EQ(s->ChannelCode, 0x11);
  EXPECT_EQ(w->TrackBar3->value(), 10);
  EXPECT_TRUE(w->CheckBox16->isChecked());
  EXPECT_TRUE(w->RadioButton6->isChecked());
  EXPECT_EQ(PanelColour(w->RadioButton6), kRed);
  ASSERT_EQ(link.refreshes.size(), 1u);
  EXPECT_EQ(link.refreshes[0], (std::pair<int32_t, uint8_t>{0, 0x10}));

  // Save with channels 1 and 2 on and a RECORD preset, then reload.
  s->Config.SetChannelOn(2, true);
  s->RecordWorkMode = 0x33;
  s->Config.SetFlag(cfg::kAskSaveOnExitRow, true);
  s->Config.SetRecFilter(0x10, 1, 9);  // replaced by the apply step after the load
  Click(w->Button3);
  s->ChannelCode = 0;
  dialogs.shown.clear();
  Click(w->Button2);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(s->ChannelCode, 0x23);
  EXPECT_EQ(s->RecordWorkMode, 0x33);
  EXPECT_TRUE(w->CheckBox2->isChecked());
  EXPECT_EQ(s->Config.RecFilter(0x10, 1), 2);

  s->SettingsOpen = 1;
  s->ViewMode = 2;
  s->WorkMode = 0x22;
  w->show();
  Click(w->Button4);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(s->SettingsOpen, 0);
  EXPECT_EQ(link.repaint, 1);
  EXPECT_EQ(link.runButtons, 1);
  EXPECT_EQ(link.viewButtons, 1);
  ASSERT_FALSE(link.redraws.empty());
  EXPECT_EQ(link.redraws.back(), (std::tuple<int, int, std::string>{2, 0x22, "r"}));
}

TEST_F(TNastVidTest, BoxesGoThroughTheWindowsOwnDialogs) {
  // Missing file: the start-up picture goes first, then the warning.
  Click(w->Button2);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Warning);
  EXPECT_EQ(dialogs.shown[0].text, settings::kMissingConfigWarning);
  EXPECT_EQ(link.hidePicture, 1);
  EXPECT_EQ(link.boxesAtHide, 0u);

  // ERROR 1505 from a filter click, once.
  dialogs.shown.clear();
  s->WorkMode = 0x05;
  w->OpenPage(2);
  ASSERT_EQ(Texts(), std::vector<std::string>{settings::kError1505});
  Click(w->FilterButtons[2]);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(s->Config.RecFilter(0x12, 2), 3);

  // ERROR 1502 for each mode panel composed from a mode without LINES choice 1..4, then
  // ERROR 1501 for a current mode above 0x7F (whose text, bit 7 ignored, is fine).
  dialogs.shown.clear();
  s->RecordWorkMode = 0x51;
  s->AddWorkMode = 0x62;
  w->UstawTrybyPracy(0x90);
  EXPECT_EQ(Texts(), (std::vector<std::string>{settings::kError1502, settings::kError1502,
                                               settings::kError1501}));
  EXPECT_EQ(link.record, "Error/5");
  EXPECT_EQ(link.add, "Error/10");
  dialogs.shown.clear();
  w->TrackBar3->setValue(30);  // the ADD panel's text is composed again
  EXPECT_EQ(Texts(), std::vector<std::string>{settings::kError1502});

  // ERROR 1505 from the apply step: a stored VISUAL mode without LINES choice.
  dialogs.shown.clear();
  s->RecordWorkMode = 0x22;
  s->AddWorkMode = 0x20;
  s->VisualWorkMode = 0x03;
  StoreWorkModesInTable(*s);
  ASSERT_TRUE(SaveConfig(*s, folders.ProgramDir).ok);
  Click(w->Button2);
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].text, settings::kError1505);
  EXPECT_EQ(s->WorkMode, 0x12);

  // A failed save says so.
  dialogs.shown.clear();
  folders.ProgramDir = (dir.path() + "/conf300.dat").toStdString();  // a file, not a folder
  Click(w->Button3);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Error);
  EXPECT_EQ(dialogs.shown[0].text.rfind(settings::kSaveFailedHead, 0), 0u);
}

TEST(TNastVidBeforeSetUp, EveryControlExistsAndIsWiredFromConstruction) {
  test::ScriptedDialogs dialogs;
  QTemporaryDir dir;
  auto s = std::make_unique<SharedState>();
  PictureFolders folders;
  folders.ProgramDir = dir.path().toStdString();
  SettingsFile settingsFile{*s, folders};
  SimulatedScanUnit unit;
  DefaultConfigTable(*s);
  LoadWorkModesFromTable(*s);
  FakeLink link;
  TNastVid w(&link, *s, dialogs, folders, settingsFile, unit);  // FormCreate never runs

  // A RECORD click on the main window.
  s->RecordOn = -1;
  s->WorkMode = 0x22;
  w.ShowRunMode(RunModeKind::Record);
  w.ShowChannelState();
  w.ShowWorkModeRadios(0x22);
  w.RefreshAfterRunModeChange();
  EXPECT_EQ(w.GroupBox12->title(), " TIME RECORD");
  EXPECT_FALSE(w.CheckBox10->isEnabled());
  EXPECT_TRUE(w.LinesRadio[1]->isChecked());
  EXPECT_TRUE(w.TimeRadio[2]->isChecked());
  EXPECT_EQ(PanelColour(w.PageIndicators[0]), kOrange);
  EXPECT_EQ(link.record, " 800/10");

  // Auto-identification's checks and the lock of the lists.
  w.CheckLinesRadio(2);
  EXPECT_EQ(s->WorkMode, 0x32);
  w.UstawPanAut();
  EXPECT_TRUE(w.TimeRadio[3]->isEnabled());

  // Real clicks reach their handlers.
  QTest::mouseClick(w.TimeRadio[3], Qt::LeftButton);
  EXPECT_EQ(s->RecordWorkMode, 0x33);
  QTest::mouseClick(w.PageIndicators[1], Qt::LeftButton);
  EXPECT_EQ(w.ActiveTag(), 2);
  QTest::mouseClick(w.FilterButtons[4], Qt::LeftButton);
  EXPECT_EQ(s->Config.RecFilter(0x33, 2), 5);
  QTest::mouseClick(w.AddChannelButtons[3], Qt::LeftButton);
  EXPECT_TRUE(s->Config.AddChannel(4));
  EXPECT_TRUE(dialogs.shown.empty());

  // The set-up afterwards only adds captions and scales.
  w.FormCreate();
  w.FormCreate();
  EXPECT_EQ(w.PageControl1->tabText(0), QString::fromUtf8("     Kanał 1 "));
  EXPECT_EQ(w.FilterButtons.size(), 6u);
  EXPECT_EQ(w.FilterGroup->findChildren<QRadioButton*>().size(), 6);
  EXPECT_EQ(w.LinesGroup->findChildren<QRadioButton*>().size(), 8);
}

TEST_F(TNastVidTest, IndicatorsFollowTheRunModeOnEveryPage) {
  s->Config.SetChannelOn(2, true);
  Click(w->AddChannelButtons[2]);  // ADD uses channel 3
  for (int page : {TNastVid::kFramePage, TNastVid::kAddPage, TNastVid::kFilePage}) {
    w->OpenPage(page);
    SelectRunMode(RunModeKind::Add);
    EXPECT_EQ(Indicators(), (std::vector<QColor>{kSilver, kSilver, kYellow, kSilver, kYellow}))
        << "ADD, page " << page;
    EXPECT_EQ(PanelColour(w->AddChannelButtons[2]), kYellow) << page;
    EXPECT_FALSE(w->SpeedButton11->isEnabled()) << page;
    EXPECT_EQ(w->PanelOnOff->text(), QString::fromUtf8("Kanał wyłączony")) << page;

    SelectRunMode(RunModeKind::Visual);
    EXPECT_EQ(Indicators(), (std::vector<QColor>{kOrange, kOrange, kSilver, kSilver, kSilver}))
        << "VISUAL, page " << page;
    EXPECT_EQ(PanelColour(w->AddChannelButtons[2]), kSilver) << page;
    EXPECT_TRUE(w->SpeedButton11->isEnabled()) << page;
    EXPECT_EQ(w->PanelOnOff->text(), QString::fromUtf8("Kanał załączony")) << page;
    EXPECT_EQ(PanelColour(w->PanelOnOff), kOrange) << page;
  }
  // Asked with the tag of a page that is no channel page, it shows channel 1 as well.
  s->AddOn = 1;
  w->WyswietlOnOff(w->ActiveTag());
  EXPECT_EQ(Indicators(), (std::vector<QColor>{kSilver, kSilver, kYellow, kSilver, kYellow}));
}

TEST_F(TNastVidTest, DisabledAutoIdentCaptionStaysReadable) {
  w->OpenPage(TNastVid::kFramePage);
  w->show();
  // Pixels of the caption (right of the box's indicator) clearly darker than the silver.
  auto ink = [&] {
    const QImage img = w->AutoIdentGroup->grab().toImage();
    const QRect r = w->CheckBox10->geometry().adjusted(24, 0, 0, 0);
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (qGray(img.pixel(x, y)) < 160) ++n;
    return n;
  };
  const int enabledInk = ink();
  ASSERT_GT(enabledInk, 20);
  for (RunModeKind kind : {RunModeKind::Record, RunModeKind::Add}) {
    SelectRunMode(kind);
    ASSERT_FALSE(w->CheckBox10->isEnabled());
    EXPECT_EQ(w->CheckBox10->text(), QString::fromUtf8("  wyłączona"));
    const QPalette& p = w->CheckBox10->palette();
    EXPECT_NE(p.color(QPalette::Disabled, QPalette::WindowText), kSilver);
    EXPECT_LT(qGray(p.color(QPalette::Disabled, QPalette::WindowText).rgb()),
              qGray(QColor(kSilver).rgb()) - 40);
    EXPECT_GT(ink(), enabledInk / 2) << "caption not drawn while disabled";
  }
  // "On / Off" in ADD and the locked lists keep their captions too.
  EXPECT_LT(qGray(w->SpeedButton11->palette().color(QPalette::Disabled, QPalette::ButtonText).rgb()),
            qGray(QColor(kSilver).rgb()) - 40);
  EXPECT_LT(qGray(w->TimeRadio[0]->palette().color(QPalette::Disabled, QPalette::WindowText).rgb()),
            qGray(QColor(kSilver).rgb()) - 40);
  w->hide();
}

TEST_F(TNastVidTest, ReloadShowsTheAddCountOnTheMainWindowEveryTime) {
  for (int count : {10, 25}) {
    s->Config.SetAddFrameCount(count);
    StoreWorkModesInTable(*s);
    ASSERT_TRUE(SaveConfig(*s, folders.ProgramDir).ok);
    for (int reload = 1; reload <= 2; ++reload) {
      link.addButton.clear();
      link.add.clear();
      w->AddGroup->setTitle({});
      Click(w->Button2);
      EXPECT_EQ(link.addButton, "ADD " + std::to_string(count)) << count << " reload " << reload;
      EXPECT_EQ(link.add, " 800/2") << count << " reload " << reload;
      EXPECT_EQ(w->AddGroup->title(), QString::fromUtf8(" Liczba obrazów do nałożenia  %1 ")
                                          .arg(count));
      EXPECT_EQ(w->TrackBar3->value(), count);
    }
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TNastVidTest, StoredRecordModeNoButtonReachesCanBeRepaired) {
  s->RecordWorkMode = 0x64;  // LINES choice 6, 50 ms
  StoreWorkModesInTable(*s);
  ASSERT_TRUE(SaveConfig(*s, folders.ProgramDir).ok);
  Click(w->Button2);
  EXPECT_EQ(Texts(), std::vector<std::string>{settings::kError1502});  // the RECORD panel
  EXPECT_EQ(link.record, "Error/50");
  w->OpenPage(TNastVid::kFramePage);

  dialogs.shown.clear();
  SelectRunMode(RunModeKind::Record);
  EXPECT_EQ(Texts(), (std::vector<std::string>{settings::kError1502, settings::kError1503}));
  EXPECT_EQ(s->WorkMode, 0x64);
  // The lists offer what RECORD's default 800 lines / 10 ms offers, none checked.
  EXPECT_EQ(ShownLines(), (std::vector<int>{2, 3}));
  EXPECT_EQ(ShownTimes(), (std::vector<int>{3, 4}));
  EXPECT_EQ(Checked(w->LinesRadio), std::vector<int>{});
  EXPECT_EQ(Checked(w->TimeRadio), std::vector<int>{});
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(PanelColour(w->LinesRadio[size_t(i)]), kSilver) << i;
    EXPECT_EQ(PanelColour(w->TimeRadio[size_t(i)]), kSilver) << i;
  }

  dialogs.shown.clear();
  Click(w->LinesRadio[1]);  // " 800 lines"
  EXPECT_EQ(s->WorkMode, 0x22);
  EXPECT_EQ(s->RecordWorkMode, 0x22);
  EXPECT_EQ(link.record, " 800/10");
  EXPECT_EQ(Checked(w->TimeRadio), std::vector<int>{3});
  SelectRunMode(RunModeKind::Record);
  EXPECT_TRUE(dialogs.shown.empty());

  // VISUAL and ADD keep what their own rules make of such a mode.
  s->VisualWorkMode = 0x64;
  SelectRunMode(RunModeKind::Visual);
  EXPECT_EQ(Texts(), std::vector<std::string>{settings::kError1503});
  EXPECT_EQ(s->VisualWorkMode, 0x21);
  EXPECT_EQ(Checked(w->LinesRadio), std::vector<int>{2});
}

TEST(TNastVidNoLink, WorksWithoutMainWindow) {
  test::ScriptedDialogs dialogs;
  QTemporaryDir dir;
  auto s = std::make_unique<SharedState>();
  PictureFolders folders;
  folders.ProgramDir = dir.path().toStdString();
  SettingsFile settingsFile{*s, folders};
  SimulatedScanUnit unit;
  TNastVid w(nullptr, *s, dialogs, folders, settingsFile, unit);
  w.FormCreate();
  w.ReloadConfig();
  w.TrackBar3->setValue(7);
  w.OpenPage(6);
  w.nastawy_koniec();
  EXPECT_EQ(s->Config.AddFrameCount(), 7);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace orvix
