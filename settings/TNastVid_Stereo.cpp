// 3D mode and the detector count: the settings window switches its own pages, indicators
// and buttons, and asks the main window for its stereo or four-channel button column.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "ChannelSelection.h"
#include "TNastVid.h"
#include "TNastVidLook.h"

namespace orvix {

using namespace look;

void TNastVid::ShowPage(int tag, bool visible) {
  PageControl1->setTabVisible(PageControl1->indexOf(TabSheet[size_t(tag)]), visible);
}

void TNastVid::SpeedButton1Click() {
  // Page 8 is the strip options again in both directions, never the test view.
  Panel10->hide();
  Panel11->show();
  PageControl1->setTabText(PageControl1->indexOf(TabSheet[kStripPage]), Q(kMarker));
  if (s_.AnaglyphOn.load() == 0)
    StereoOn();
  else
    StereoOff();
}

void TNastVid::StereoOn() {
  s_.AnaglyphOn = 1;
  s_.DetectorCount = 1;
  const int tag = ActiveTag();
  if (tag >= 2 && tag <= 4) OpenPage(1);
  if (tag == kAddPage || tag == kFilePage) OpenPage(kFramePage);
  for (int t : {2, 3, 4, int(kAddPage), int(kFilePage)}) ShowPage(t, false);
  ShowPage(kAnaglyphPage, true);
  CheckBox1->setChecked(false);
  CheckBox1Click();
  for (int k = 2; k <= 5; ++k) PageIndicators[size_t(k - 1)]->hide();
  if (link_) link_->ShowStereoLayout(true);
  for (int k = 2; k <= 4; ++k) AddChannelButtons[size_t(k - 1)]->hide();
  RadioButton51Click(1);
  s_.ViewMode = 1;
  s_.AnaglyphSource = 1;
  if (link_) {
    link_->UpdateRunButtons();
    link_->UpdateViewButtons();
  }
  UpdateChannels();
  WyswietlOnOff(1);
  Button2->hide();
  Button3->hide();
  SpeedButton1->setText(Q("Tryb 3D On"));
  SetPanelColour(Panel14, kAqua);
  if (link_) link_->KlawiszVISUALClick();
}

void TNastVid::StereoOff() {
  s_.AnaglyphOn = 0;
  s_.DetectorCount = 4;
  if (ActiveTag() == kAnaglyphPage) OpenPage(kFramePage);
  for (int t : {2, 3, 4, int(kAddPage), int(kFilePage)}) ShowPage(t, true);
  ShowPage(kAnaglyphPage, false);
  for (int k = 2; k <= 5; ++k) PageIndicators[size_t(k - 1)]->show();
  if (link_) link_->ShowStereoLayout(false);
  for (int k = 2; k <= 4; ++k) AddChannelButtons[size_t(k - 1)]->show();
  Button2->show();
  Button3->show();
  SpeedButton1->setText(Q("Tryb 3D Off"));
  SetPanelColour(Panel14, kSilver);
  // Everything returns to the stored configuration except the anaglyph choices made in
  // 3D mode, which the operator keeps.
  const bool rotate90 = s_.Config.Flag(cfg::kAnaglyphRotate90Row) != 0;
  const bool greenMagenta = s_.Config.Flag(cfg::kAnaglyphGreenMagentaRow) != 0;
  ReloadConfig();
  if (rotate90) RadioButton7Click(); else RadioButton6Click();
  if (greenMagenta) RadioButton15Click(); else RadioButton13Click();
}

void TNastVid::UstawZakladki() {
  // Each missing channel goes from the top: its page, indicator and ADD button; the Add
  // page's indicator moves left with the Add page button; its marker is cleared and an
  // ADD channel on it moves to the channel below.
  for (int k = 4; k >= 2; --k) {
    if (s_.DetectorCount.load() >= k) break;
    ShowPage(k, false);
    PageIndicators[size_t(k - 1)]->hide();
    AddChannelButtons[size_t(k - 1)]->hide();
    QWidget* add = PageIndicators[4];
    add->move(11 + 87 * (k - 1), add->y());
    s_.Config.SetMarkerChannel(k, false);
    if (s_.Config.AddChannel(k)) RadioButton51Click(k - 1);
  }
}

}  // namespace orvix
