// What the main window asks of the settings window: each request in the window's own
// terms, carried out with its own controls.
#include <QCheckBox>
#include <QGroupBox>
#include <QTabWidget>

#include "TNastVid.h"
#include "TNastVidLook.h"

namespace orvix {

using namespace look;

void TNastVid::SetUpAtFirstShow(const QRect& picturePanel) {
  FormCreate(picturePanel);
  PageControl1->setTabVisible(PageControl1->indexOf(TabSheet[kAnaglyphPage]), false);
}

void TNastVid::ShowRunMode(RunModeKind mode) {
  switch (mode) {
    case RunModeKind::Record: GroupBox12->setTitle(Q(" TIME RECORD")); break;
    case RunModeKind::Add: GroupBox12->setTitle(Q(" TIME ADD")); break;
    case RunModeKind::Visual: GroupBox12->setTitle(Q(" TIME VISUAL")); break;
  }
  CheckBox10->setEnabled(mode == RunModeKind::Visual);
}

void TNastVid::ShowChannelState() { WyswietlOnOff(ChannelShown()); }

void TNastVid::RefreshAfterRunModeChange() {
  PageControl1Change();
  UstawPanAut();
  update();
}

void TNastVid::OpenSettings() {
  Panel10->hide();
  Panel11->show();
  const int page = PageControl1->indexOf(TabSheet[kStripPage]);
  PageControl1->setTabText(page, Q(kMarker));
  PageControl1->setTabVisible(page, true);
  PageControl1Change();
  show();
  raise();
}

void TNastVid::CloseSettings() {
  if (s_.SettingsOpen.load() != 0 || isVisible()) nastawy_koniec();
}

void TNastVid::BringToFrontIfShown() {
  if (!isVisible()) return;
  raise();
  activateWindow();
}

void TNastVid::ShowStartControls(bool askBoxesVisible) {
  Panel14->show();
  CheckBox2->setVisible(askBoxesVisible);
  CheckBox3->setVisible(askBoxesVisible);
  OpenPage(kFramePage);
}

}  // namespace orvix
