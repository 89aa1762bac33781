// The settings window: Add, frame and file pages, working modes, loading and applying the
// configuration, strip options and anaglyph choices.
#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

#include "ScanUnit.h"
#include "OperatorDialogs.h"
#include "AutoName.h"
#include "ConfigFile.h"
#include "SettingsConstants.h"
#include "TNastVid.h"
#include "TNastVidLook.h"
#include "WorkModes.h"

namespace orvix {

using namespace look;

namespace {
QLabel* ValueLabel(QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setGeometry(12, 24, 150, 24);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetPanelColour(l, Qt::white);
  return l;
}

QToolButton* Spin(QWidget* parent, Qt::ArrowType arrow, int y) {
  auto* b = new QToolButton(parent);
  b->setArrowType(arrow);
  b->setGeometry(168, y, 22, 13);
  b->setAutoRepeat(true);
  return b;
}

// Checks one button of a list and unchecks the others (the lists manage their own
// exclusivity so that a refresh can also leave none checked).
template <size_t N>
void CheckOnly(const std::array<QRadioButton*, N>& list, QRadioButton* on) {
  for (QRadioButton* b : list) b->setChecked(b == on);
}

void ColourList(const std::array<QRadioButton*, 8>& list, const QColor& checked) {
  for (int i = 0; i < kRuledModeButtons; ++i)
    SetPanelColour(list[size_t(i)], list[size_t(i)]->isChecked() ? checked : kSilver);
}
}  // namespace

// --- Construction of the pages ----------------------------------------------------------

void TNastVid::BuildAddPage() {
  QWidget* page = TabSheet[kAddPage];
  AddGroup = Group(page, "", 10, 4, 640, 110);
  AddScale = new QLabel(AddGroup);
  AddScale->setGeometry(14, 22, 590, 20);
  // 41.5 px of scale per 4 frames: 48 steps over 498 px of travel.
  TrackBar3 = TrackBar(AddGroup, 18, 48, 498, 40, 2, 50);
  // The design position is the default frame count, so setting the defaults later moves
  // nothing and runs no handler before the stored working modes are known.
  TrackBar3->setValue(settings::kDefaultAddFrames);
  ShowAddCaption(settings::kDefaultAddFrames);
  addChannelGroup_ = Group(page, "", 10, 124, 640, 56);
  const QFont arial12(QStringLiteral("Arial"), 12, QFont::Bold);
  for (int tag = 1; tag <= 4; ++tag) {
    auto* b = new QRadioButton(QStringLiteral("Kanał %1").arg(tag), addChannelGroup_);
    b->setProperty("tag", tag);
    b->setGeometry(27 + 141 * (tag - 1), 18, 86, 23);
    b->setFont(arial12);
    b->setAutoExclusive(false);
    SetPanelColour(b, kSilver);
    AddChannelButtons[size_t(tag - 1)] = b;
  }
}

void TNastVid::BuildFramePage() {
  QWidget* page = TabSheet[kFramePage];
  LinesGroup = Group(page, " LINES/FRAME ", 10, 4, 140, 200);
  GroupBox12 = Group(page, " TIME VISUAL", 160, 4, 140, 200);
  // Both lists stay hidden until a refresh offers their buttons.
  const QFont arial10(QStringLiteral("Arial"), 10, QFont::Bold);
  for (int n = 1; n <= kModeButtons; ++n) {
    auto* l = new QRadioButton(Q(kLinesCaptions[n - 1]), LinesGroup);
    l->setProperty("tag", n);
    auto* t = new QRadioButton(Q(kTimeCaptions[n - 1]), GroupBox12);
    t->setProperty("tag", 10 + n);
    for (QRadioButton* b : {l, t}) {
      b->setGeometry(10, 24 * n - 5, 110, 20);
      b->setFont(arial10);
      b->setAutoExclusive(false);
      SetPanelColour(b, kSilver);
      b->hide();
    }
    LinesRadio[size_t(n - 1)] = l;
    TimeRadio[size_t(n - 1)] = t;
  }
  auto* divider = Group(page, " Czas pomiędzy próbkami ", 315, 4, 210, 60);
  DividerLabel = ValueLabel(divider);
  SpinButton51Up = Spin(divider, Qt::UpArrow, 23);
  SpinButton51Down = Spin(divider, Qt::DownArrow, 36);
  auto* offH = Group(page, " Offset H ", 315, 72, 210, 60);
  OffsetHLabel = ValueLabel(offH);
  SpinButton52Up = Spin(offH, Qt::UpArrow, 23);
  SpinButton52Down = Spin(offH, Qt::DownArrow, 36);
  auto* offV = Group(page, " Offset V ", 315, 140, 210, 60);
  OffsetVLabel = ValueLabel(offV);
  SpinButton1Up = Spin(offV, Qt::UpArrow, 23);
  SpinButton1Down = Spin(offV, Qt::DownArrow, 36);
  AutoIdentGroup = Group(page, "Autoidentyfikacja", 540, 4, 200, 60);
  CheckBox10 = new QCheckBox(Q("  wyłączona"), AutoIdentGroup);
  CheckBox10->setGeometry(12, 26, 180, 22);
}

void TNastVid::BuildFilePage() {
  QWidget* page = TabSheet[kFilePage];
  CheckBox1 = new QCheckBox(Q("Autonumerowanie zbiorów zapisywanych"), page);
  CheckBox1->setGeometry(15, 10, 400, 22);
  Label2 = new QLabel(page);
  Label2->setGeometry(15, 38, kLabel2Width, 22);
  SetPanelColour(Label2, kGrey);
  Label2->setStyleSheet(QStringLiteral("color: rgb(192,192,192);"));
  Button5 = new QPushButton(Q("ustaw nazwę"), page);
  Button5->setGeometry(15, 68, 140, 26);
  CheckBox5 = new QCheckBox(Q("Wykonać kopie zapasową w wybranym katalogu"), page);
  CheckBox5->setGeometry(15, 104, 500, 22);
  CheckBox2 = new QCheckBox(page);
  CheckBox2->setGeometry(15, 146, 700, 22);
  CheckBox3 = new QCheckBox(page);
  CheckBox3->setGeometry(15, 176, 700, 22);
}

void TNastVid::BuildStripPage() {
  QWidget* page = TabSheet[kStripPage];
  Panel11 = new QFrame(page);
  Panel11->setGeometry(0, 0, 790, 236);
  static const char* const kStrip[] = {" Powiększenie", " Wartosc kV", " Nastawy",
                                       " Numer rejestracji", " Data ", " Wymiar"};
  auto* strip = Group(Panel11, " Wyswietl w pasku ", 10, 4, 200, 190);
  for (int i = 0; i < 6; ++i) {
    StripBoxes[size_t(i)] = new QCheckBox(Q(kStrip[i]), strip);
    StripBoxes[size_t(i)]->setGeometry(12, 24 + 27 * i, 180, 22);
  }
  CheckBox16 = StripBoxes[5];
  static const char* const kBar[] = {"Pasek z kreskami", "Pasek z polami cz-b.",
                                     "Pojedyńcza kreska"};
  auto* bar = Group(Panel11, "Wygląd paska wymiaru", 225, 4, 220, 110);
  for (int i = 0; i < 3; ++i) {
    BarLookButtons[size_t(i)] = new QRadioButton(Q(kBar[i]), bar);
    BarLookButtons[size_t(i)]->setGeometry(12, 24 + 27 * i, 200, 22);
    BarLookButtons[size_t(i)]->setAutoExclusive(false);
  }
  auto* reg = Group(Panel11, " Zwiększenie numeru rejestracji ", 460, 4, 300, 130);
  RadioButton4 = new QRadioButton(Q("Po zapisie na dysk"), reg);
  RadioButton4->setGeometry(12, 24, 270, 22);
  RadioButton5 = new QRadioButton(Q("Po skończeniu cyklu RECORD"), reg);
  RadioButton5->setGeometry(12, 51, 270, 22);
  Button9 = new QPushButton(Q("Zerowanie licznika rejestracji"), reg);
  Button9->setGeometry(12, 84, 270, 28);

  Panel10 = new QFrame(page);
  Panel10->setGeometry(0, 0, 790, 236);
  Button1 = new QPushButton(Q("Wyslij nastawy"), Panel10);
  Button1->setGeometry(20, 150, 160, 30);
  Panel10->hide();
}

void TNastVid::BuildAnaglyphPage() {
  QWidget* page = TabSheet[kAnaglyphPage];
  auto* kind = Group(page, " Rodzaj ", 10, 4, 240, 90);
  RadioButton13 = new QRadioButton(Q(" Red - Cyan  "), kind);
  RadioButton13->setGeometry(12, 24, 200, 24);
  RadioButton15 = new QRadioButton(Q(" Green - Magenta "), kind);
  RadioButton15->setGeometry(12, 54, 200, 24);
  auto* turn = Group(page, " Obracanie ", 265, 4, 200, 90);
  RadioButton6 = new QRadioButton(Q("     0 °  "), turn);
  RadioButton6->setGeometry(12, 24, 150, 24);
  RadioButton7 = new QRadioButton(Q("   90 °  "), turn);
  RadioButton7->setGeometry(12, 54, 150, 24);
  for (QRadioButton* b : {RadioButton13, RadioButton15, RadioButton6, RadioButton7})
    b->setAutoExclusive(false);
  PageControl1->setTabVisible(kAnaglyphPage - 1, false);
}

// --- Add page ---------------------------------------------------------------------------

void TNastVid::ShowAddCaption(int position) {
  AddGroup->setTitle(Q(kAddCaption) + QString::number(position) + QStringLiteral(" "));
}

void TNastVid::TrackBar3Change(int position) {
  s_.Config.SetAddFrameCount(position);
  ShowAddCaption(position);
  if (link_) {
    link_->SetAddModeText(ComposedModeText(ModeText(s_.AddWorkMode.load())));
    link_->SetAddButtonCaption("ADD " + std::to_string(position));
  }
}

void TNastVid::RadioButton51Click(int tag) {
  CheckOnly(AddChannelButtons, AddChannelButtons[size_t(tag - 1)]);
  for (int k = 1; k <= 4; ++k) s_.Config.SetAddChannel(k, k == tag);
  WyswietlOnOff(ChannelShown());
}

// --- Frame page -------------------------------------------------------------------------

void TNastVid::liczdzielnik(int step) { DividerLabel->setText(Q(DividerText(StepDivider(s_, step)))); }

void TNastVid::liczoffseth(int step) {
  OffsetHLabel->setText(QString::number(StepOffsetH(s_, step)) + QStringLiteral(" pixels"));
}

void TNastVid::liczoffsetv(int step) {
  OffsetVLabel->setText(QString::number(StepOffsetV(s_, step)) + QStringLiteral(" lines"));
}

void TNastVid::CheckBox10Click() {
  if (AutoIdentGroup->isHidden()) CheckBox10->setChecked(false);
  const bool on = CheckBox10->isChecked();
  s_.Config.SetFlag(cfg::kAutoIdentRow, on);
  s_.AutoIdentOn = on ? 1 : 0;
  UstawPanAut();
  CheckBox10->setText(Q(on ? "  załączona" : "  wyłączona"));
  UstawTrybyPracy(s_.WorkMode.load());
}

void TNastVid::UstawPanAut() {
  const bool locked =
      !AutoIdentGroup->isHidden() && CheckBox10->isEnabled() && CheckBox10->isChecked();
  for (int i = 0; i < 8; ++i) {
    LinesRadio[size_t(i)]->setEnabled(!locked);
    TimeRadio[size_t(i)]->setEnabled(!locked);
  }
}

// --- Working modes ----------------------------------------------------------------------

void TNastVid::RadioButton11Click(int index) {
  CheckOnly(LinesRadio, LinesRadio[size_t(index)]);
  ColourList(LinesRadio, kLinesChecked);
  WyswietlTrybyPracy();
}

void TNastVid::RadioButton12Click(int index) {
  CheckOnly(TimeRadio, TimeRadio[size_t(index)]);
  ColourList(TimeRadio, kTimeChecked);
  WyswietlTrybyPracy();
}

void TNastVid::CheckLinesRadio(int index) {
  if (index < 0 || index >= 8 || LinesRadio[size_t(index)]->isChecked()) return;
  RadioButton11Click(index);
}

void TNastVid::CheckTimeRadio(int index) {
  if (index < 0 || index >= 8 || TimeRadio[size_t(index)]->isChecked()) return;
  RadioButton12Click(index);
}

void TNastVid::WyswietlTrybyPracy() {
  ModeRadios r;
  for (size_t i = 0; i < kModeButtons; ++i) {
    r.linesChecked[i] = LinesRadio[i]->isChecked();
    r.linesShown[i] = !LinesRadio[i]->isHidden();
    r.timeChecked[i] = TimeRadio[i]->isChecked();
    r.timeShown[i] = !TimeRadio[i]->isHidden();
  }
  uint8_t mode = s_.WorkMode.load();
  SettleModeRadios(s_, r, mode);
  for (size_t i = 0; i < kModeButtons; ++i) {
    LinesRadio[i]->setChecked(r.linesChecked[i]);
    LinesRadio[i]->setHidden(!r.linesShown[i]);
    TimeRadio[i]->setChecked(r.timeChecked[i]);
    TimeRadio[i]->setHidden(!r.timeShown[i]);
  }
  ColourList(LinesRadio, kLinesChecked);
  ColourList(TimeRadio, kTimeChecked);
  UstawTrybyPracy(mode);
}

std::string TNastVid::ComposedModeText(const ModeTextResult& result) {
  if (result.error1502) dialogs_.Message(MsgType::Error, settings::kError1502, MsgButtons::Ok);
  return result.text;
}

void TNastVid::UstawTrybyPracy(uint8_t mode) {
  SetCurrentWorkMode(s_, mode);
  const ModePanelTexts t = ModePanels(s_, CheckBox10->isChecked());
  const std::string record = ComposedModeText(t.record);
  const std::string add = ComposedModeText(t.add);
  const std::string visual = ComposedModeText(t.visual);
  if (link_) {
    link_->SetRecordModeText(record);
    link_->SetAddModeText(add);
    link_->SetVisualModeText(visual);
  }
  if (!WorkModeInRange(s_.WorkMode.load()))
    dialogs_.Message(MsgType::Error, settings::kError1501, MsgButtons::Ok);
  liczdzielnik(0);
  liczoffseth(0);
  liczoffsetv(0);
}

void TNastVid::ShowWorkModeRadios(uint8_t mode) {
  for (int i = 0; i < 4; ++i) LinesRadio[size_t(i)]->setChecked(false);
  const int t = mode & 7;
  if (t <= 6)
    CheckTimeRadio(t);
  else
    dialogs_.Message(MsgType::Error, settings::kError1504, MsgButtons::Ok);
  switch (mode & 0x70) {
    case 0x10: CheckLinesRadio(0); break;
    case 0x20: CheckLinesRadio(1); break;
    case 0x30:
    case 0x40: CheckLinesRadio(2); break;
    default: dialogs_.Message(MsgType::Error, settings::kError1503, MsgButtons::Ok); break;
  }
}

// --- File page --------------------------------------------------------------------------

void TNastVid::CheckBox1Click() {
  const bool autoNumbering = CheckBox1->isChecked();
  s_.AutoNumberingOn = autoNumbering ? 1 : 0;
  if (link_) link_->SetSaveButtonCaption(autoNumbering ? "Zapisz" : "Zapisz jako...");
  SetPanelColour(Label2, autoNumbering ? kLabelBlue : kGrey);
  Label2->setStyleSheet(autoNumbering ? QStringLiteral("color: rgb(255,255,0);")
                                      : QStringLiteral("color: rgb(192,192,192);"));
  Label2->resize(kLabel2Width, Label2->height());
}

void TNastVid::ShowNextAutoName(const std::string& folder, const std::string& base) {
  const QString full = QStringLiteral(" ") + Q(folder + NextAutoName(folder, base));
  Label2->clear();
  QString shown = full;
  const QFontMetrics fm(Label2->font());
  if (fm.horizontalAdvance(shown) > look::kLabel2Limit) {
    // Keep the tail of the path: "..." + the last i+1 characters, growing while it fits.
    for (int i = 1; i <= 256 && i + 1 <= full.size(); ++i) {
      shown = QStringLiteral("...") + full.right(i + 1);
      if (fm.horizontalAdvance(shown) > look::kLabel2Limit - 1) break;
    }
  }
  Label2->setText(shown);
  Label2->resize(kLabel2Width, Label2->height());
}

void TNastVid::Button5Click() {
  FileDialogRequest request;
  request.title = kAutoNameTitle;
  request.folder = SaveDir();
  request.fileName = AutoNameBase();
  request.filters = {"(*.bmp)"};
  const auto answer = dialogs_.SaveFile(request);
  if (!answer) return;
  const QFileInfo chosen(Q(answer->path));
  SaveDir() = chosen.absolutePath().toStdString();
  const std::string name = chosen.fileName().toStdString();
  if (const auto base = AutoNameBaseOf(name)) {
    AutoNameBase() = *base;
    ShowNextAutoName(SaveDir() + "/", *base);
  } else {
    dialogs_.Message(MsgType::Error,
                      std::string(settings::kFormatNameError) + "\r\n\r\n" + name + ". ",
                      MsgButtons::Ok);
  }
}

void TNastVid::CheckBox2Click() { s_.Config.SetFlag(cfg::kAskSaveOnExitRow, CheckBox2->isChecked()); }
void TNastVid::CheckBox3Click() { s_.Config.SetFlag(cfg::kAskSaveOnStartRow, CheckBox3->isChecked()); }

// --- Configuration ----------------------------------------------------------------------

void TNastVid::ApplyConfig(uint8_t /*mode*/) {
  // The mode applied is the checked current WorkMode, which the callers have just set.
  const ConfigTable& c = s_.Config;
  ShowModeCheck(ApplyConfigTable(s_));
  for (int k = 1; k <= 4; ++k) AddChannelButtons[size_t(k - 1)]->setChecked(c.AddChannel(k));
  CheckBox2->setChecked(c.Flag(cfg::kAskSaveOnExitRow) != 0);
  CheckBox3->setChecked(c.Flag(cfg::kAskSaveOnStartRow) != 0);
  for (int i = 0; i < 6; ++i)
    StripBoxes[size_t(i)]->setChecked(c.Flag(cfg::kStripMagnificationRow + i) != 0);
  RadioButton4->setChecked(c.Flag(cfg::kRegIncrementOnSaveRow) != 0);
  RadioButton5->setChecked(c.Flag(cfg::kRegIncrementOnSaveRow) == 0);
  for (int i = 0; i < 3; ++i)
    BarLookButtons[size_t(i)]->setChecked(c.Flag(cfg::kBarTicksRow + i) != 0);
  CheckBox10->setChecked(c.Flag(cfg::kAutoIdentRow) != 0);
  // The captions follow the count also when the bar stays where it is (a bar that does not
  // move runs no change handler): the main window's ADD button shows "ADD " + count after
  // every load, the first at start-up included.
  {
    const QSignalBlocker quiet(TrackBar3);
    TrackBar3->setValue(c.AddFrameCount());
  }
  TrackBar3Change(TrackBar3->value());
  if (c.Flag(cfg::kAnaglyphRotate90Row)) RadioButton7Click(); else RadioButton6Click();
  if (c.Flag(cfg::kAnaglyphGreenMagentaRow)) RadioButton15Click(); else RadioButton13Click();
}

void TNastVid::DefaultConfig() {
  DefaultConfigTable(s_);
  CheckBox16->setChecked(true);
  TrackBar3->setValue(settings::kDefaultAddFrames);
  RadioButton6Click();
  RadioButton13Click();
}

void TNastVid::ReloadConfig() {
  const ConfigFileOutcome loaded = LoadConfig(s_);
  if (!loaded.ok) {
    if (link_) link_->HideStartupPicture();
    dialogs_.Message(MsgType::Warning, loaded.text, MsgButtons::Ok);
    DefaultConfig();
  }
  LoadWorkModesFromTable(s_);
  s_.WorkMode = s_.VisualWorkMode.load();
  ApplyConfig(s_.WorkMode.load());
  s_.RecordOn = 0;
  AutoIdentGroup->show();
  CheckBox10Click();
  if (link_) link_->OdswierzRecVis(0, s_.VisualWorkMode.load());
}

void TNastVid::Button1Click() {
  UnitOpen(s_);
  UnitSendSettings(s_);
}

void TNastVid::Button3Click() {
  StoreWorkModesInTable(s_);
  const ConfigFileOutcome saved = SaveConfig(s_);
  if (!saved.ok) dialogs_.Message(MsgType::Error, saved.text, MsgButtons::Ok);
}

// --- Strip options and anaglyph choices -------------------------------------------------

void TNastVid::StripBoxClick(int index) {
  s_.Config.SetFlag(cfg::kStripMagnificationRow + index, StripBoxes[size_t(index)]->isChecked());
}

void TNastVid::BarLookClick(int index) {
  CheckOnly(BarLookButtons, BarLookButtons[size_t(index)]);
  for (int i = 0; i < 3; ++i) s_.Config.SetFlag(cfg::kBarTicksRow + i, i == index);
}

void TNastVid::RadioButton4Click() {
  CheckOnly(std::array<QRadioButton*, 2>{RadioButton4, RadioButton5}, RadioButton4);
  s_.Config.SetFlag(cfg::kRegIncrementOnSaveRow, true);
}

void TNastVid::RadioButton5Click() {
  CheckOnly(std::array<QRadioButton*, 2>{RadioButton4, RadioButton5}, RadioButton5);
  s_.Config.SetFlag(cfg::kRegIncrementOnSaveRow, false);
}

void TNastVid::Button9Click() { s_.RegNumber = 1; }

void TNastVid::RadioButton6Click() {
  SetPanelColour(RadioButton6, kRed);
  SetPanelColour(RadioButton7, kSilver);
  CheckOnly(std::array<QRadioButton*, 2>{RadioButton6, RadioButton7}, RadioButton6);
  s_.Config.SetFlag(cfg::kAnaglyphRotate90Row, false);
}

void TNastVid::RadioButton7Click() {
  SetPanelColour(RadioButton7, kRed);
  SetPanelColour(RadioButton6, kSilver);
  CheckOnly(std::array<QRadioButton*, 2>{RadioButton6, RadioButton7}, RadioButton7);
  s_.Config.SetFlag(cfg::kAnaglyphRotate90Row, true);
}

void TNastVid::RadioButton13Click() {
  SetPanelColour(RadioButton13, kTeal);
  SetPanelColour(RadioButton15, kSilver);
  CheckOnly(std::array<QRadioButton*, 2>{RadioButton13, RadioButton15}, RadioButton13);
  s_.Config.SetFlag(cfg::kAnaglyphGreenMagentaRow, false);
}

void TNastVid::RadioButton15Click() {
  SetPanelColour(RadioButton15, kTeal);
  SetPanelColour(RadioButton13, kSilver);
  CheckOnly(std::array<QRadioButton*, 2>{RadioButton13, RadioButton15}, RadioButton15);
  s_.Config.SetFlag(cfg::kAnaglyphGreenMagentaRow, true);
}

}  // namespace orvix
