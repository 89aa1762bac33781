#include "Tmodul_zew.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "CalibrationTexts.h"
#include "ConfigFile.h"
#include "InfoStrip.h"
#include "QtText.h"
#include "ScanUnit.h"

namespace orvix {

namespace {

constexpr int kWidth = 769, kHeight = 246;
constexpr int kPageWidth = 615, kPageHeight = 236;
// The button column right of the pages: wide enough for "Ustawianie progów KV" in bold.
constexpr int kButtonLeft = 622, kButtonWidth = 144;
constexpr int kRightGap = 10;  // right edge 10 pixels left of the picture panel's
constexpr int kTop = 5;
constexpr int kRanges = 14, kRangesShown = 10;
constexpr int kRangeTop = 35, kRangeLeft = 57, kRangeStep = 40, kRangeWidth = 15;
constexpr int kRangeTag = 100;
const QColor kPageGreen(192, 255, 160);
const QColor kPageRed(255, 128, 128);
const QColor kStored(255, 0, 0);

void Paint(QWidget* w, const QColor& c) {
  w->setAutoFillBackground(true);
  QPalette p = w->palette();
  p.setColor(QPalette::Window, c);
  p.setColor(QPalette::Button, c);
  w->setPalette(p);
}

template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

QLabel* Step(QWidget* parent, const char* text, int x, int y, int w) {
  auto* l = new QLabel(Q(text), parent);
  l->setGeometry(x, y, w, 16);
  return l;
}

// Spreads the label's text over `width` pixels from (x, y).
void FitOverRanges(QLabel* l, int x, int y, int width) {
  const QString text = l->text();
  QFont f = l->font();
  const int natural = QFontMetrics(f).horizontalAdvance(text);
  if (text.size() > 1 && natural > 0)
    f.setLetterSpacing(QFont::AbsoluteSpacing, double(width - natural) / double(text.size() - 1));
  l->setFont(f);
  l->setGeometry(x, y, width + 20, 14);
}

}  // namespace

Tmodul_zew::Tmodul_zew(SharedState& s, OperatorDialogs& dialogs, SettingsFile& settingsFile,
                       StationStrip& strip, ScanUnit& unit, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      s_(s),
      dialogs_(dialogs),
      settingsFile_(settingsFile),
      strip_(strip),
      unit_(unit) {
  FormCreate();
  // The box is the strip's correction while this window is open: its text is mirrored on
  // every change, and a number the strip limits comes back into it.
  connect(Edit22, &QLineEdit::textChanged, this,
          [this](const QString& text) { s_.CorrectionBoxText = text.toStdString(); });
  s_.CorrectionBoxText = Edit22->text().toStdString();
  strip_.boxLimited = [this](const std::string& text) { Edit22->setText(QString::fromStdString(text)); };
}

Tmodul_zew::~Tmodul_zew() { strip_.boxLimited = nullptr; }

void Tmodul_zew::FormCreate() {
  setObjectName(QStringLiteral("modul_zew"));
  setWindowTitle(Q(calibtext::kCaption));
  setFixedSize(kWidth, kHeight);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPointSize(8);
  setFont(f);
  s_.CalibrationOpen = 0;

  Button5 = Named(new QPushButton(Q("Kalibracja wymiarów"), this), "Button5");
  Button5->setGeometry(kButtonLeft, 10, kButtonWidth, 30);
  Button3 = Named(new QPushButton(Q("Ustawianie progów KV"), this), "Button3");
  Button3->setGeometry(kButtonLeft, 46, kButtonWidth, 30);
  Button8 = Named(new QPushButton(Q("Zapis nastaw"), this), "Button8");
  Button8->setGeometry(kButtonLeft, 150, kButtonWidth, 30);
  Button1 = Named(new QPushButton(Q("Zamknij"), this), "Button1");
  Button1->setGeometry(kButtonLeft, 206, kButtonWidth, 30);

  // The kV page.
  Panel1 = Named(new QWidget(this), "Panel1");
  Panel1->setGeometry(5, 7, kPageWidth, kPageHeight);
  Paint(Panel1, kPageRed);
  for (int i = 0; i < 3; ++i) Step(Panel1, calibtext::kKVSteps[i], 10, 12 + 22 * i, 600);
  Label3 = Named(new QLabel(Q("0 kV"), Panel1), "Label3");
  Label3->setGeometry(40, 110, 80, 24);
  SpinButton1Up = Named(new QToolButton(Panel1), "SpinButton1Up");
  SpinButton1Up->setArrowType(Qt::UpArrow);
  SpinButton1Up->setGeometry(10, 106, 20, 16);
  SpinButton1Down = Named(new QToolButton(Panel1), "SpinButton1Down");
  SpinButton1Down->setArrowType(Qt::DownArrow);
  SpinButton1Down->setGeometry(10, 124, 20, 16);
  Button2 = Named(new QPushButton(Q("Zapis do modułu PLM7731"), Panel1), "Button2");
  Button2->setGeometry(10, 160, 180, 30);

  // The dimension page, in the same place.
  Panel2 = Named(new QWidget(this), "Panel2");
  Panel2->setGeometry(5, 7, kPageWidth, kPageHeight);
  Paint(Panel2, kPageGreen);
  GroupBox1 = Named(new QGroupBox(Q(calibtext::kSteps[0]), Panel2), "GroupBox1");
  GroupBox1->setGeometry(4, 2, 607, 96);
  // The three rows stand over and under the range buttons; their letters are spaced so
  // that each size and magnification sits at its button whatever font the desktop gives.
  FitOverRanges(new QLabel(Q(calibtext::kSizes), GroupBox1), 48, 18, 392);
  FitOverRanges(new QLabel(Q(calibtext::kTypical), GroupBox1), 4, 56, 440);
  FitOverRanges(new QLabel(Q(calibtext::kLimits), GroupBox1), 4, 74, 420);
  RadioButton1 = Named(new QRadioButton(GroupBox1), "RadioButton1");
  RadioButton1->setGeometry(kRangeLeft, kRangeTop, kRangeWidth, 17);
  RadioButton1->hide();
  for (int i = 0; i < kRanges; ++i) {
    auto* b = new QRadioButton(GroupBox1);
    b->setObjectName(QStringLiteral("RangeRadio%1").arg(i));
    b->setGeometry(kRangeLeft + kRangeStep * i, kRangeTop, kRangeWidth, 17);
    b->setProperty("tag", kRangeTag + i);
    Paint(b, kPageGreen);
    b->setVisible(i < kRangesShown);
    b->installEventFilter(this);  // mouse-down shares the click's handler
    connect(b, &QRadioButton::clicked, this, [this, i] { RadioButton1Click(i); });
    RangeRadios[size_t(i)] = b;
  }
  for (int i = 1; i < 7; ++i) Step(Panel2, calibtext::kSteps[i], 8, 100 + 16 * (i - 1), 600);
  Edit1 = Named(new QLineEdit(Q("1"), Panel2), "Edit1");
  Edit1->setGeometry(8, 200, 60, 22);
  Edit1->installEventFilter(this);
  auto* um = new QLabel(Q("µm"), Panel2);
  um->setGeometry(72, 203, 20, 16);
  SpeedButton1 = Named(new QPushButton(Q("A - B - 100"), Panel2), "SpeedButton1");
  SpeedButton1->setGeometry(96, 198, 90, 26);
  SpeedButton1->setCheckable(true);
  auto* corr = new QLabel(Q("Współczynnik korekcji"), Panel2);
  corr->setGeometry(192, 203, 130, 16);
  Edit22 = Named(new QLineEdit(QStringLiteral("100"), Panel2), "Edit22");
  Edit22->setGeometry(322, 200, 44, 22);
  Edit22->installEventFilter(this);
  SpeedButton2 = Named(new QPushButton(Q("A - B - kor"), Panel2), "SpeedButton2");
  SpeedButton2->setGeometry(372, 198, 90, 26);
  SpeedButton2->setCheckable(true);
  Button4 = Named(new QPushButton(Q("Wprowadz do tablicy"), Panel2), "Button4");
  Button4->setGeometry(470, 198, 140, 26);

  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(SpinButton1Up, &QToolButton::clicked, this, [this] { SpinButton1UpClick(); });
  connect(SpinButton1Down, &QToolButton::clicked, this, [this] { SpinButton1DownClick(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });

  Panel1->hide();
  Panel2->show();
  Button8->show();
}

void Tmodul_zew::ShowPage(bool dimension) {
  Panel1->setVisible(!dimension);
  Panel2->setVisible(dimension);
  Button8->setVisible(dimension);
  QFont bold = Button5->font();
  bold.setBold(true);
  QFont regular = bold;
  regular.setBold(false);
  Button5->setFont(dimension ? bold : regular);
  Button3->setFont(dimension ? regular : bold);
}

void Tmodul_zew::Button5Click() { ShowPage(true); }
void Tmodul_zew::Button3Click() { ShowPage(false); }

int Tmodul_zew::CheckedRange() const {
  for (int i = 0; i < kRanges; ++i)
    if (RangeRadios[size_t(i)]->isChecked()) return i;
  return -1;
}

void Tmodul_zew::ReleaseMeasureButtons() {
  SpeedButton1->setChecked(false);
  SpeedButton2->setChecked(false);
}

// A measurement with `down` pressed: the strip burnt and the bar with the box's correction,
// also when no channel is marked for the strip, since the measurement converts with it.
void Tmodul_zew::StartMeasuring(QPushButton* down) {
  SpeedButton1->setChecked(down == SpeedButton1);
  SpeedButton2->setChecked(down == SpeedButton2);
  Panel2->repaint();
  strip_.BurnTakingLock();
  strip_.PrepareBar();
  if (main_) main_->start_wymiar();
}

void Tmodul_zew::FormOtwieraj() {
  ReleaseMeasureButtons();
  s_.CalibrationOpen = 1;
  for (QRadioButton* b : RangeRadios) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
  ShowPage(true);
  show();  // the frame's width is known once shown
  if (main_) {
    const QRect panel = main_->PicturePanelGeometry();
    move(panel.right() + 1 - kRightGap - frameGeometry().width(), kTop);
    main_->UpdateLamps();
  }
  raise();
  activateWindow();
}

// The window closes; a measurement still armed from it ends with it.
void Tmodul_zew::Button1Click() {
  hide();
  s_.CalibrationOpen = 0;
  s_.MeasureOn = 0;
  if (main_) {
    main_->DropMeasurement();
    main_->UpdateLamps();
    main_->ReturnToSettings();
  }
}

void Tmodul_zew::FormClose() {
  hide();
  s_.CalibrationOpen = 0;
}

void Tmodul_zew::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void Tmodul_zew::SpinButton1UpClick() {
  KVSetting = StepKV(KVSetting, 1);
  Label3->setText(QString::fromStdString(KVLabel(KVSetting)));
}

void Tmodul_zew::SpinButton1DownClick() {
  KVSetting = StepKV(KVSetting, -1);
  Label3->setText(QString::fromStdString(KVLabel(KVSetting)));
}

// The send ends with the unit idle (AcquisitionBusy = 0): while a scan runs it would report
// the running scan as finished, so the value goes to the unit only between scans.
void Tmodul_zew::Button2Click() {
  FillKVCommand(UnitCommand, KVSetting);
  if (s_.AcquisitionBusy.load() != 0 || s_.AcquisitionOn.load() != 0) return;
  unit_.SendSettings(s_);
}

void Tmodul_zew::RadioButton1Click(int range) {
  if (range >= 0 && range < kRanges && RangeRadios[size_t(range)]->isChecked())
    Edit22->setText(QString::number(s_.CorrectionTable[size_t(range)]));
  ReleaseMeasureButtons();
  if (main_) main_->DropMeasurement();
}

void Tmodul_zew::SpeedButton1Click() {
  Edit22->setText(QStringLiteral("100"));
  StartMeasuring(SpeedButton1);
}

void Tmodul_zew::SpeedButton2Click() {
  StartMeasuring(SpeedButton2);
}

void Tmodul_zew::KlawiszLicz(int d) {
  const auto r = CorrectionFromMeasurement(d, s_.BarNanometres, s_.BarPixels2,
                                           Edit1->text().toStdString());
  if (r) Edit22->setText(QString::number(r->correction));
}

void Tmodul_zew::MeasurementFinished(int d) {
  if (s_.CalibrationOpen.load() != 0 && SpeedButton1->isChecked()) KlawiszLicz(d);
}

void Tmodul_zew::Button4Click() {
  const int i = CheckedRange();
  if (i < 0) return;
  const auto v = StoredCorrection(Edit22->text().toStdString());
  if (!v) return;
  Paint(RangeRadios[size_t(i)], kStored);
  Edit22->setText(QString::number(*v));
  s_.CorrectionTable[size_t(i)] = *v;
}

void Tmodul_zew::Button8Click() {
  for (int r = 1; r <= cfg::kDimCalibrationCount; ++r)
    s_.Config.SetDimCalibration(r, s_.CorrectionTable[size_t(r - 1)]);
  const ConfigFileOutcome o = settingsFile_.Save();
  if (!o.ok) dialogs_.Message(MsgType::Error, o.text, MsgButtons::Ok);
}

void Tmodul_zew::Edit22KeyUp() {
  const auto text = Edit22AfterKey(Edit22->text().toStdString());
  if (text && QString::fromStdString(*text) != Edit22->text())
    Edit22->setText(QString::fromStdString(*text));
}

bool Tmodul_zew::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < kRanges; ++i)
      if (watched == RangeRadios[size_t(i)]) RadioButton1Click(i);
    return QWidget::eventFilter(watched, event);
  }
  if (watched != Edit1 && watched != Edit22) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyRelease && watched == Edit22) {
    Edit22KeyUp();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);  // a key press, and only then
  // Keys that type nothing (arrows, Delete, Tab) are not filtered.
  const QString typed = key->text();
  const char32_t ch = key->key() == Qt::Key_Backspace ? calib::kBackspace
                      : typed.isEmpty()              ? 0
                                                     : typed.toUcs4().value(0);
  if (ch == 0 || (ch < 32 && ch != calib::kBackspace)) return QWidget::eventFilter(watched, event);
  if (watched == Edit22) return !Edit22Accepts(ch);
  const auto entered = Edit1Key(Edit1->text().toStdU32String(), ch);
  if (!entered) return true;
  if (*entered == ch) return false;
  Edit1->insert(QString::fromUcs4(&*entered, 1));
  return true;
}

}  // namespace orvix
