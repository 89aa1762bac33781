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
#include <optional>
#include <tuple>

#include "ScanUnit.h"
#include "Lines.h"
#include "OperatorDialogs.h"
#include "AutoName.h"
#include "ConfigFile.h"
#include "FileWrite.h"
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

// A value of the frame page: its group at `top`, the value label and the up / down pair.
std::tuple<QLabel*, QToolButton*, QToolButton*> SpinGroup(QWidget* page, const char* title,
                                                          int top) {
  QGroupBox* g = Group(page, title, 315, top, 210, 60);
  return {ValueLabel(g), Spin(g, Qt::UpArrow, 23), Spin(g, Qt::DownArrow, 36)};
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
  for (int tag = 1; tag <= 4; ++tag)
    AddChannelButtons[size_t(tag - 1)] =
        ListButton(addChannelGroup_, QStringLiteral("Kanał %1").arg(tag), tag,
                   QRect(27 + 141 * (tag - 1), 18, 86, 23), arial12);
}

void TNastVid::BuildFramePage() {
  QWidget* page = TabSheet[kFramePage];
  LinesGroup = Group(page, " LINES/FRAME ", 10, 4, 140, 200);
  GroupBox12 = Group(page, " TIME VISUAL", 160, 4, 140, 200);
  // Both lists stay hidden until a refresh offers their buttons.
  const QFont arial10(QStringLiteral("Arial"), 10, QFont::Bold);
  for (int n = 1; n <= kModeButtons; ++n) {
    const QRect place(10, 24 * n - 5, 110, 20);
    LinesRadio[size_t(n - 1)] = ListButton(LinesGroup, Q(kLinesCaptions[n - 1]), n, place, arial10);
    TimeRadio[size_t(n - 1)] = ListButton(GroupBox12, Q(kTimeCaptions[n - 1]), 10 + n, place, arial10);
    LinesRadio[size_t(n - 1)]->hide();
    TimeRadio[size_t(n - 1)]->hide();
  }
  std::tie(DividerLabel, SpinButton51Up, SpinButton51Down) =
      SpinGroup(page, " Czas pomiędzy próbkami ", 4);
  std::tie(OffsetHLabel, SpinButton52Up, SpinButton52Down) = SpinGroup(page, " Offset H ", 72);
  std::tie(OffsetVLabel, SpinButton1Up, SpinButton1Down) = SpinGroup(page, " Offset V ", 140);
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
  ShowLabel2Colours(false);
  Button5 = new QPushButton(Q("ustaw nazwę"), page);
  Button5->setGeometry(15, 68, 140, 26);
  CheckBox5 = new QCheckBox(Q("Wykonać kopie zapasową w wybranym katalogu"), page);
  CheckBox5->setGeometry(15, 104, 500, 22);
  // The box is not stored; the saves read its mirror.
  connect(CheckBox5, &QCheckBox::toggled, this,
          [this](bool on) { s_.BackupCopiesOn = on ? 1 : 0; });
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
  Button11 = new QPushButton(Q("Prog. wymiarów"), Panel11);
  Button11->setGeometry(472, 150, 270, 30);

  // The test view: buffer figures, stream figures, test picture, link test.
  Panel10 = new QFrame(page);
  Panel10->setGeometry(0, 0, 790, 236);
  auto* buffers = Group(Panel10, " Wielkości buforów ", 10, 4, 250, 100);
  Label4 = new QLabel(buffers);
  Label4->setGeometry(12, 22, 230, 20);
  Label6 = new QLabel(buffers);
  Label6->setGeometry(12, 46, 230, 20);
  Label7 = new QLabel(buffers);
  Label7->setGeometry(12, 70, 230, 20);
  auto* lines = Group(Panel10, " Ilość i czas linii ", 10, 110, 250, 50);
  Label8 = new QLabel(lines);
  Label8->setGeometry(12, 22, 230, 20);
  auto* test = Group(Panel10, " 1000 x 800 ", 275, 4, 220, 110);
  RadioButton2 = new QRadioButton(Q("picture test 1"), test);
  RadioButton2->setGeometry(12, 22, 190, 22);
  RadioButton2->setChecked(true);
  RadioButton3 = new QRadioButton(Q("picture test 2"), test);
  RadioButton3->setGeometry(12, 48, 190, 22);
  CheckBox4 = new QCheckBox(Q("Test picture "), test);
  CheckBox4->setGeometry(12, 76, 190, 22);
  Button1 = new QPushButton(Q("Wyslij nastawy"), Panel10);
  Button1->setGeometry(20, 170, 160, 30);
  auto* usb = Group(Panel10, " Badanie stanu USB ", 510, 4, 270, 110);
  Button6 = new QPushButton(Q("TEST"), usb);
  Button6->setGeometry(12, 24, 100, 28);
  Label5 = new QLabel(usb);
  Label5->setGeometry(12, 60, 250, 40);
  Label5->setWordWrap(true);
  Panel10->hide();

  // Nothing marks the hot spot: no bevel, the window's own grey.
  Panel6 = new ClickPanel(this);
  Panel6->setGeometry(kHotSpot);
  Panel6->setFrameShape(QFrame::NoFrame);
  SetPanelColour(Panel6, kWindowGrey);
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
  RadioButton14 = new QRadioButton(Q(" Amber - Blue  "), kind);
  RadioButton14->setGeometry(12, 84, 200, 24);
  RadioButton14->setEnabled(false);
  RadioButton14->hide();
  for (QRadioButton* b : {RadioButton13, RadioButton15, RadioButton14, RadioButton6, RadioButton7})
    b->setAutoExclusive(false);
  CheckBox7 = new QCheckBox(Q("Przerzuć w pionie"), page);
  CheckBox7->setGeometry(480, 20, 200, 24);
  CheckBox17 = new QCheckBox(Q("Przerzuć w poziomie"), page);
  CheckBox17->setGeometry(480, 54, 200, 24);
  for (QCheckBox* b : {CheckBox7, CheckBox17}) {
    b->setAutoFillBackground(true);
    SetPanelColour(b, kSilver);
  }
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

void TNastVid::ShowFrameValue(QLabel* label, const FrameValue& value, int step) {
  label->setText(Q(value.text(StepFrameValue(s_, value, step))));
}

void TNastVid::liczdzielnik(int step) { ShowFrameValue(DividerLabel, kDividerValue, step); }
void TNastVid::liczoffseth(int step) { ShowFrameValue(OffsetHLabel, kOffsetHValue, step); }
void TNastVid::liczoffsetv(int step) { ShowFrameValue(OffsetVLabel, kOffsetVValue, step); }

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

std::array<QRadioButton*, 8>& TNastVid::Radios(ModeList list) {
  return list == ModeList::Lines ? LinesRadio : TimeRadio;
}

void TNastVid::ModeRadioClick(ModeList list, int index) {
  std::array<QRadioButton*, 8>& radios = Radios(list);
  CheckOnly(radios, radios[size_t(index)]);
  ColourList(radios, list == ModeList::Lines ? kLinesChecked : kTimeChecked);
  WyswietlTrybyPracy();
}

void TNastVid::CheckModeRadio(ModeList list, int index) {
  if (index < 0 || index >= kModeButtons || Radios(list)[size_t(index)]->isChecked()) return;
  ModeRadioClick(list, index);
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
  switch (LinesOf(mode)) {
    case Lines::L400: CheckLinesRadio(0); break;
    case Lines::L800: CheckLinesRadio(1); break;
    case Lines::L1600:
    case Lines::L1600b: CheckLinesRadio(2); break;
    default: dialogs_.Message(MsgType::Error, settings::kError1503, MsgButtons::Ok); break;
  }
}

// --- File page --------------------------------------------------------------------------

void TNastVid::CheckBox1Click() {
  const bool autoNumbering = CheckBox1->isChecked();
  s_.AutoNumberingOn = autoNumbering ? 1 : 0;
  if (link_) link_->SetSaveButtonCaption(autoNumbering ? "Zapisz" : "Zapisz jako...");
  ShowLabel2Colours(autoNumbering);
  Label2->resize(kLabel2Width, Label2->height());
}

// Yellow on blue while numbering is on, silver on grey otherwise. Both through the palette:
// a style sheet would paint the label's background over the palette's.
void TNastVid::ShowLabel2Colours(bool autoNumbering) {
  SetPanelColour(Label2, autoNumbering ? kLabelBlue : kGrey);
  QPalette p = Label2->palette();
  p.setColor(QPalette::WindowText, autoNumbering ? kYellow : kSilver);
  Label2->setPalette(p);
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
  request.folder = folders_.SaveDir;
  request.fileName = folders_.AutoNameBase;
  request.filters = {"(*.bmp)"};
  const auto answer = dialogs_.SaveFile(request);
  if (!answer) return;
  const QFileInfo chosen(Q(answer->path));
  // Automatic saves go on into the last good folder when the one typed is not there.
  if (const std::string folder = chosen.absolutePath().toStdString(); IsFolder(folder))
    folders_.SaveDir = folder;
  const std::string name = chosen.fileName().toStdString();
  if (const auto base = AutoNameBaseOf(name)) {
    folders_.AutoNameBase = *base;
    ShowNextAutoName(folders_.SaveDir + "/", *base);
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
  AnaglyphTurnChoice(c.Flag(cfg::kAnaglyphRotate90Row) != 0);
  AnaglyphColourChoice(c.Flag(cfg::kAnaglyphGreenMagentaRow) != 0);
}

void TNastVid::DefaultConfig() {
  DefaultConfigTable(s_);
  CheckBox16->setChecked(true);
  TrackBar3->setValue(settings::kDefaultAddFrames);
  RadioButton6Click();
  RadioButton13Click();
}

void TNastVid::ReloadConfig() {
  const ConfigFileOutcome loaded = settingsFile_.Load();
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
  unit_.Open(s_);
  unit_.SendSettings(s_);
}

void TNastVid::Button3Click() {
  const ConfigFileOutcome saved = settingsFile_.Save();
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

namespace {
// One of two buttons that share a table flag: the chosen one checked (and, with a colour,
// marked in it while the other turns silver), the flag stored.
void ChooseOfPair(QRadioButton* whenSet, QRadioButton* whenClear, bool set,
                  std::optional<QColor> mark, ConfigTable& c, int flagRow) {
  QRadioButton* chosen = set ? whenSet : whenClear;
  if (mark) {
    SetPanelColour(chosen, *mark);
    SetPanelColour(set ? whenClear : whenSet, kSilver);
  }
  CheckOnly(std::array<QRadioButton*, 2>{whenSet, whenClear}, chosen);
  c.SetFlag(flagRow, set);
}
}  // namespace

void TNastVid::RegIncrementChoice(bool onSave) {
  ChooseOfPair(RadioButton4, RadioButton5, onSave, std::nullopt, s_.Config,
               cfg::kRegIncrementOnSaveRow);
}

void TNastVid::Button9Click() { s_.RegNumber = 1; }

void TNastVid::AnaglyphTurnChoice(bool rotate90) {
  ChooseOfPair(RadioButton7, RadioButton6, rotate90, QColor(kRed), s_.Config, cfg::kAnaglyphRotate90Row);
}

void TNastVid::CheckBox7Click() {
  for (QCheckBox* b : {CheckBox7, CheckBox17}) SetPanelColour(b, b->isChecked() ? kRed : kSilver);
  s_.AnaglyphFlipVertical = CheckBox7->isChecked() ? 1 : 0;
  s_.AnaglyphFlipHorizontal = CheckBox17->isChecked() ? 1 : 0;
}

void TNastVid::Button11Click() {
  // Only a repaint: the picture stays as it is, with a measurement drawn on it.
  LeaveSettings();
  if (calibration_) calibration_->OpenCalibration();
}

void TNastVid::Panel6Click() {
  if (s_.AnaglyphOn.load() != 0) return;
  Label4->setText(Q(kBufUsbText) + QString::number(kBufUsbFigure));
  Label6->setText(Q(kBufObrText) + QString::number(kBufObrFigure));
  Label7->setText(Q(kBufSeText) + QString::number(kBufSeFigure));
  Label8->setText(QStringLiteral("LL=") + QString::number(s_.HeaderLines.load()) +
                  QStringLiteral("  CL=") + QString::number(s_.HeaderTimeCode.load()));
  const int page = PageControl1->indexOf(TabSheet[kStripPage]);
  PageControl1->setTabText(page, Q(kTestCaption));
  Panel3->hide();
  Panel11->hide();
  Panel10->show();
  PageControl1->setTabVisible(page, true);
  OpenPage(kStripPage);
}

void TNastVid::CheckBox4Click() {
  s_.TestPictureOn = CheckBox4->isChecked() ? 1 : 0;
  WyswietlOnOff(1);
}

void TNastVid::Button6Click() { Label5->setText(Q(unit_.Identify())); }

void TNastVid::AnaglyphColourChoice(bool greenMagenta) {
  ChooseOfPair(RadioButton15, RadioButton13, greenMagenta, kTeal, s_.Config,
               cfg::kAnaglyphGreenMagentaRow);
}

}  // namespace orvix
