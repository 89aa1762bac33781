// 3D mode and the detector count, through the settings window's own switch: guards against
// a page, indicator or button left over in the wrong layout, a page left active that the
// layout hides, a round trip that loses the anaglyph choices or keeps other 3D-session
// settings, and a detector count whose pages, indicator or ADD channel are left in place.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ConfigFile.h"
#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"
#include "TNastVid.h"
#include "TNastVidLook.h"
#include "WorkModes.h"

namespace orvix {
namespace {

using namespace look;

using StereoLink = test::FakeMainWindowLink;

class StereoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.ProgramDir = dir.path().toStdString();
    DefaultConfigTable(*s);
    s->Config.SetAddChannel(1, false);
    s->Config.SetAddChannel(3, true);
    s->Config.SetMarkerChannel(1, true);
    ASSERT_TRUE(SaveConfig(*s, folders.ProgramDir).ok);
    w = std::make_unique<TNastVid>(&link, *s, dialogs, folders, settingsFile, unit);
    w->FormCreate();
    w->ReloadConfig();
  }
  bool TabShown(int tag) const {
    return w->PageControl1->isTabVisible(w->PageControl1->indexOf(w->TabSheet[size_t(tag)]));
  }
  std::vector<int> Shown() const {
    std::vector<int> v;
    for (int tag = 1; tag <= TNastVid::kPages; ++tag)
      if (TabShown(tag)) v.push_back(tag);
    return v;
  }
  void Toggle() { QTest::mouseClick(w->SpeedButton1, Qt::LeftButton); }

  QTemporaryDir dir;
  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
  PictureFolders folders;
  SettingsFile settingsFile{*s, folders};
  SimulatedScanUnit unit;
  test::ScriptedDialogs dialogs;
  StereoLink link;
  std::unique_ptr<TNastVid> w;
};

TEST_F(StereoTest, SwitchShowsAndHidesEveryPartOfTheLayout) {
  w->ShowStartControls(true);
  w->Panel6Click();  // page 8 as the test view: the switch brings the strip options back
  w->CheckBox1->setChecked(true);
  w->CheckBox1Click();
  Toggle();
  EXPECT_EQ(s->AnaglyphOn.load(), 1);
  EXPECT_EQ(s->DetectorCount.load(), 1);
  EXPECT_EQ(s->ViewMode.load(), 1);
  EXPECT_EQ(s->AnaglyphSource.load(), 1);
  EXPECT_EQ(Shown(), (std::vector<int>{1, 6, 8, 9}));
  EXPECT_EQ(w->PageControl1->tabText(w->PageControl1->indexOf(w->TabSheet[8])), Q(kMarker));
  EXPECT_FALSE(w->Panel10->isVisibleTo(w.get()));
  EXPECT_FALSE(w->CheckBox1->isChecked());
  EXPECT_EQ(s->AutoNumberingOn.load(), 0);
  EXPECT_TRUE(w->PageIndicators[0]->isVisibleTo(w.get()));
  for (int k = 2; k <= 5; ++k) EXPECT_FALSE(w->PageIndicators[size_t(k - 1)]->isVisibleTo(w.get())) << k;
  for (int k = 2; k <= 4; ++k) EXPECT_FALSE(!w->AddChannelButtons[size_t(k - 1)]->isHidden()) << k;
  EXPECT_TRUE(w->AddChannelButtons[0]->isChecked());
  EXPECT_FALSE(w->Button2->isVisibleTo(w.get()));
  EXPECT_FALSE(w->Button3->isVisibleTo(w.get()));
  EXPECT_EQ(w->SpeedButton1->text(), QStringLiteral("Tryb 3D On"));
  EXPECT_EQ(PanelColour(w->Panel14), QColor(0, 255, 255));
  EXPECT_EQ(link.layouts, std::vector<bool>{true});
  EXPECT_EQ(link.selectVisual, 1);
  EXPECT_GE(link.runButtons, 1);

  Toggle();
  EXPECT_EQ(s->AnaglyphOn.load(), 0);
  EXPECT_EQ(s->DetectorCount.load(), 4);
  EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  for (int k = 1; k <= 5; ++k) EXPECT_TRUE(w->PageIndicators[size_t(k - 1)]->isVisibleTo(w.get())) << k;
  for (int k = 1; k <= 4; ++k) EXPECT_TRUE(!w->AddChannelButtons[size_t(k - 1)]->isHidden()) << k;
  EXPECT_TRUE(w->Button2->isVisibleTo(w.get()));
  EXPECT_TRUE(w->Button3->isVisibleTo(w.get()));
  EXPECT_EQ(w->SpeedButton1->text(), QStringLiteral("Tryb 3D Off"));
  EXPECT_EQ(PanelColour(w->Panel14), kSilver);
  EXPECT_EQ(link.layouts, (std::vector<bool>{true, false}));
}

TEST_F(StereoTest, HiddenActivePageGivesWayToFrameOrChannelOne) {
  w->OpenPage(TNastVid::kAddPage);
  Toggle();
  EXPECT_EQ(w->ActiveTag(), TNastVid::kFramePage);
  Toggle();
  w->OpenPage(TNastVid::kFilePage);
  Toggle();
  EXPECT_EQ(w->ActiveTag(), TNastVid::kFramePage);
  Toggle();
  w->OpenPage(3);
  Toggle();
  EXPECT_EQ(w->ActiveTag(), 1);
  w->OpenPage(TNastVid::kAnaglyphPage);
  Toggle();
  EXPECT_EQ(w->ActiveTag(), TNastVid::kFramePage);
  // A page the layout keeps stays active.
  w->OpenPage(TNastVid::kStripPage);
  Toggle();
  EXPECT_EQ(w->ActiveTag(), TNastVid::kStripPage);
}

TEST_F(StereoTest, RoundTripKeepsOnlyTheAnaglyphChoices) {
  Toggle();
  EXPECT_TRUE(s->Config.AddChannel(1));
  w->RadioButton7Click();   // 90 degrees
  w->RadioButton15Click();  // green - magenta
  s->Config.SetMarkerChannel(1, false);
  Toggle();
  EXPECT_TRUE(s->Config.AddChannel(3));  // from the file again
  EXPECT_FALSE(s->Config.AddChannel(1));
  EXPECT_TRUE(s->Config.MarkerChannel(1));
  EXPECT_NE(s->Config.Flag(cfg::kAnaglyphRotate90Row), 0);
  EXPECT_NE(s->Config.Flag(cfg::kAnaglyphGreenMagentaRow), 0);
  EXPECT_TRUE(w->RadioButton7->isChecked());
  EXPECT_TRUE(w->RadioButton15->isChecked());
  EXPECT_TRUE(dialogs.shown.empty());

  // No conf300.dat: the missing-file warning, the defaults, the anaglyph choices kept.
  ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("conf300.dat"))));
  Toggle();
  w->RadioButton6Click();
  Toggle();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Warning);
  EXPECT_FALSE(s->Config.AddChannel(3));
  EXPECT_EQ(s->Config.Flag(cfg::kAnaglyphRotate90Row), 0);
  EXPECT_NE(s->Config.Flag(cfg::kAnaglyphGreenMagentaRow), 0);
  EXPECT_TRUE(w->RadioButton6->isChecked());
}

TEST_F(StereoTest, DetectorCountDropsMissingChannels) {
  struct Case {
    int detectors;
    std::vector<int> shown;
    int indicator5x;
    int addChannel;
  };
  for (const Case& c : {Case{2, {1, 2, 5, 6, 7, 8}, 185, 2}, Case{3, {1, 2, 3, 5, 6, 7, 8}, 272, 3},
                        Case{1, {1, 5, 6, 7, 8}, 98, 1}, Case{4, {1, 2, 3, 4, 5, 6, 7, 8}, 359, 4}}) {
    SetUp();
    w->RadioButton51Click(4);
    for (int k = 1; k <= 4; ++k) s->Config.SetMarkerChannel(k, true);
    s->DetectorCount = c.detectors;
    w->AdaptToDetectorCount();
    EXPECT_EQ(Shown(), c.shown) << c.detectors;
    EXPECT_EQ(w->PageIndicators[4]->x(), c.indicator5x) << c.detectors;
    for (int k = 1; k <= 4; ++k) {
      EXPECT_EQ(s->Config.AddChannel(k), k == c.addChannel) << c.detectors << " " << k;
      EXPECT_EQ(s->Config.MarkerChannel(k), k <= c.detectors) << c.detectors << " " << k;
      EXPECT_EQ(w->PageIndicators[size_t(k - 1)]->isVisibleTo(w.get()), k <= c.detectors);
      EXPECT_EQ(!w->AddChannelButtons[size_t(k - 1)]->isHidden(), k <= c.detectors);
    }
    EXPECT_TRUE(w->AddChannelButtons[size_t(c.addChannel - 1)]->isChecked()) << c.detectors;
  }
}

}  // namespace
}  // namespace orvix
