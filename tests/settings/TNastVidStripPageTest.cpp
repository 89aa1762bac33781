// Page 8 (" Znacznik " and its test view "TESTY") and page 9 (" Anaglif ") through their
// real controls: flags stored in the wrong row or not at once, bar looks that leave two
// set, the registration reset reaching the table, the hot spot answering in 3D mode, test
// figures that follow the buffers, lamp colours swapped between the pairs, flips that do
// not reach the composer, and "Prog. wymiarów" leaving the settings window open.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "Anaglyph.h"
#include "ConfigFile.h"
#include "ScanUnit.h"
#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"
#include "TNastVid.h"
#include "TNastVidLook.h"

namespace orvix {
namespace {

using namespace look;

using QuietLink = test::FakeMainWindowLink;

struct FakeCalibration final : CalibrationWindowLink {
  int opened = 0;
  bool settingsOpenAtOpen = true;
  const SharedState* s = nullptr;
  void OpenCalibration() override {
    ++opened;
    settingsOpenAtOpen = s->SettingsOpen.load() != 0;
  }
};

class StripPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.ProgramDir = dir.path().toStdString();
    DefaultConfigTable(*s);
    LoadWorkModesFromTable(*s);
    s->WorkMode = 0x22;
    w = std::make_unique<TNastVid>(&link, *s, dialogs, folders, settingsFile, unit);
    w->FormCreate();
    calibration.s = s.get();
    w->AttachCalibration(&calibration);
    w->OpenSettings();
    w->OpenPage(TNastVid::kStripPage);
    s->SettingsOpen = 1;
  }
  // On the indicator: a check or radio box answers only over its indicator and caption.
  void Click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
  }
  int StripTab() const { return w->PageControl1->indexOf(w->TabSheet[TNastVid::kStripPage]); }

  QTemporaryDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
  PictureFolders folders;
  SettingsFile settingsFile{*s, folders};
  SimulatedScanUnit unit;
  QuietLink link;
  FakeCalibration calibration;
  std::unique_ptr<TNastVid> w;
};

TEST_F(StripPageTest, StripBoxesBarLooksAndRegistration) {
  const char* captions[] = {" Powiększenie", " Wartosc kV", " Nastawy", " Numer rejestracji",
                            " Data ", " Wymiar"};
  for (int i = 0; i < 6; ++i) {
    QCheckBox* b = w->StripBoxes[size_t(i)];
    EXPECT_EQ(b->text(), QString::fromUtf8(captions[i]));
    const bool was = b->isChecked();
    const auto before = s->Config.bytes;
    Click(b);
    ASSERT_NE(b->isChecked(), was) << i;
    EXPECT_EQ(s->Config.Flag(cfg::kStripMagnificationRow + i) != 0, !was) << i;
    auto after = s->Config.bytes;
    after[size_t(cfg::kStripMagnificationRow + i) * cfg::kRowBytes + cfg::kFlagByte] =
        before[size_t(cfg::kStripMagnificationRow + i) * cfg::kRowBytes + cfg::kFlagByte];
    EXPECT_EQ(after, before) << "only its own row changes, " << i;
  }
  const char* looks[] = {"Pasek z kreskami", "Pasek z polami cz-b.", "Pojedyńcza kreska"};
  for (int i : {2, 0, 1}) {
    EXPECT_EQ(w->BarLookButtons[size_t(i)]->text(), QString::fromUtf8(looks[i]));
    Click(w->BarLookButtons[size_t(i)]);
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(s->Config.Flag(cfg::kBarTicksRow + j), j == i ? 1 : 0) << i << j;
      EXPECT_EQ(w->BarLookButtons[size_t(j)]->isChecked(), j == i);
    }
  }
  Click(w->RadioButton4);
  EXPECT_EQ(s->Config.Flag(cfg::kRegIncrementOnSaveRow), 1);
  EXPECT_FALSE(w->RadioButton5->isChecked());
  Click(w->RadioButton5);
  EXPECT_EQ(s->Config.Flag(cfg::kRegIncrementOnSaveRow), 0);
  EXPECT_EQ(w->RadioButton5->text(), QString::fromUtf8("Po skończeniu cyklu RECORD"));

  s->RegNumber = 417;
  const auto table = s->Config.bytes;
  Click(w->Button9);
  EXPECT_EQ(s->RegNumber.load(), 1);
  EXPECT_EQ(s->Config.bytes, table) << "the reset does not touch the table";
}

TEST_F(StripPageTest, HotSpotOpensTheTestViewExceptIn3DMode) {
  EXPECT_EQ(w->Panel6->geometry(), QRect(796, 1, 22, 22));
  s->HeaderLines = 806;
  s->HeaderTimeCode = 2;
  s->AnaglyphOn = 1;
  QTest::mouseClick(w->Panel6, Qt::LeftButton);
  EXPECT_EQ(w->PageControl1->tabText(StripTab()), QString::fromUtf8(" Znacznik "));
  EXPECT_TRUE(w->Label4->text().isEmpty());
  EXPECT_TRUE(w->Panel10->isHidden());

  s->AnaglyphOn = 0;
  QTest::mouseClick(w->Panel6, Qt::LeftButton);
  EXPECT_EQ(w->PageControl1->tabText(StripTab()), "TESTY");
  EXPECT_EQ(w->ActiveTag(), TNastVid::kStripPage);
  EXPECT_EQ(w->Label4->text(), "bufUSB  = 51612887");
  EXPECT_EQ(w->Label6->text(), "bufObr  = 20977065");
  EXPECT_EQ(w->Label7->text(), "bufSE   = 44976951");
  EXPECT_EQ(w->Label8->text(), "LL=806  CL=2");
  EXPECT_FALSE(w->Panel10->isHidden());
  EXPECT_TRUE(w->Panel11->isHidden());
  EXPECT_TRUE(w->Panel3->isHidden());
  EXPECT_EQ(w->RadioButton2->text(), "picture test 1");
  EXPECT_TRUE(w->RadioButton2->isChecked());
  EXPECT_EQ(w->RadioButton3->text(), "picture test 2");
  EXPECT_EQ(w->CheckBox4->text(), "Test picture ");

  Click(w->CheckBox4);
  EXPECT_EQ(s->TestPictureOn.load(), 1);
  Click(w->CheckBox4);
  EXPECT_EQ(s->TestPictureOn.load(), 0);
  Click(w->Button6);
  EXPECT_EQ(w->Label5->text(), QString::fromStdString(UnitIdentify()));

  // Opening the window again brings the strip options back.
  w->OpenSettings();
  EXPECT_EQ(w->PageControl1->tabText(StripTab()), QString::fromUtf8(" Znacznik "));
  EXPECT_TRUE(w->Panel10->isHidden());
  EXPECT_FALSE(w->Panel11->isHidden());
}

TEST_F(StripPageTest, CalibrationButtonClosesSettingsThenOpensCalibration) {
  EXPECT_EQ(w->Button11->text(), QString::fromUtf8("Prog. wymiarów"));
  Click(w->Button11);
  EXPECT_EQ(calibration.opened, 1);
  EXPECT_FALSE(calibration.settingsOpenAtOpen);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(s->SettingsOpen.load(), 0);
  EXPECT_GE(link.repaint, 1);
  EXPECT_GE(link.runButtons, 1);
  w->AttachCalibration(nullptr);
  w->OpenSettings();
  Click(w->Button11);  // no calibration window: the settings still close
  EXPECT_FALSE(w->isVisible());
}

TEST_F(StripPageTest, AnaglyphPageLampsAndTheirEffect) {
  EXPECT_EQ(w->RadioButton14->text(), " Amber - Blue  ");
  EXPECT_TRUE(w->RadioButton14->isHidden());
  EXPECT_FALSE(w->RadioButton14->isEnabled());

  Click(w->RadioButton15);
  EXPECT_EQ(PanelColour(w->RadioButton15), kTeal);
  EXPECT_EQ(PanelColour(w->RadioButton13), kSilver);
  EXPECT_EQ(s->Config.Flag(cfg::kAnaglyphGreenMagentaRow), 1);
  Click(w->RadioButton13);
  EXPECT_EQ(PanelColour(w->RadioButton13), kTeal);
  EXPECT_EQ(PanelColour(w->RadioButton15), kSilver);
  EXPECT_EQ(s->Config.Flag(cfg::kAnaglyphGreenMagentaRow), 0);
  Click(w->RadioButton7);
  EXPECT_EQ(PanelColour(w->RadioButton7), QColor(kRed));
  EXPECT_EQ(PanelColour(w->RadioButton6), kSilver);
  EXPECT_EQ(s->Config.Flag(cfg::kAnaglyphRotate90Row), 1);
  Click(w->RadioButton6);
  EXPECT_EQ(PanelColour(w->RadioButton6), QColor(kRed));
  EXPECT_EQ(s->Config.Flag(cfg::kAnaglyphRotate90Row), 0);

  EXPECT_EQ(w->CheckBox7->text(), QString::fromUtf8("Przerzuć w pionie"));
  EXPECT_EQ(w->CheckBox17->text(), QString::fromUtf8("Przerzuć w poziomie"));
  Click(w->CheckBox17);
  EXPECT_EQ(PanelColour(w->CheckBox17), QColor(kRed));
  EXPECT_EQ(PanelColour(w->CheckBox7), kSilver);
  EXPECT_EQ(s->AnaglyphFlipHorizontal.load(), 1);
  EXPECT_EQ(s->AnaglyphFlipVertical.load(), 0);
  Click(w->RadioButton15);
  Click(w->CheckBox7);
  EXPECT_EQ(PanelColour(w->CheckBox7), QColor(kRed));

  // What the composer makes of the page's choices.
  s->ImageStore[StoreIndex(2, 3, 1)] = 200;
  s->ImageStore[StoreIndex(2, 3, 2)] = 40;
  PictureSurfaces p;
  ComposeAnaglyph(*s, p, 0, 799, AnaglyphChoices(*s));
  EXPECT_EQ(p.Picture().Pixel(799 - 3, 1099 - 2), display::Argb(40, 200, 40));
  Click(w->CheckBox7);
  Click(w->CheckBox17);
  Click(w->RadioButton13);
  EXPECT_EQ(PanelColour(w->CheckBox7), kSilver);
  ComposeAnaglyph(*s, p, 0, 799, AnaglyphChoices(*s));
  EXPECT_EQ(p.Picture().Pixel(3, 2), display::Argb(200, 40, 40));
}

}  // namespace
}  // namespace orvix
