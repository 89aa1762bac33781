#include "TVideo.h"

#include "Colours.h"
#include "QtText.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <string_view>

#include "PaintBox.h"
#include "ScreenSaver.h"
#include "SingleInstance.h"

namespace orvix {

namespace {

// The controls and click handler of each slot of the button column, in the order of
// layout::kSlots, which gives their names and captions.
struct SlotControls {
  QWidget* TVideo::*panel;
  TLampButton* TVideo::*button;
  void (TVideo::*click)();
};
const std::array<SlotControls, layout::kSlotCount> kSlotControls = {{
    {&TVideo::PanelRECORD, &TVideo::KlawiszRECORD, &TVideo::KlawiszRECORDClick},
    {&TVideo::PanelADD, &TVideo::KlawiszADD, &TVideo::KlawiszADDClick},
    {&TVideo::PanelVISUAL, &TVideo::KlawiszVISUAL, &TVideo::KlawiszVISUALClick},
    {&TVideo::PanelSTART, &TVideo::KlawiszSTART, &TVideo::KlawiszSTARTClick},
    {&TVideo::PanelSTOP, &TVideo::KlawiszSTOP, &TVideo::KlawiszSTOPClick},
    {&TVideo::PanelPic1, &TVideo::KlawiszPic1, &TVideo::KlawiszPic1Click},
    {&TVideo::PanelPic2, &TVideo::KlawiszPic2, &TVideo::KlawiszPic2Click},
    {&TVideo::PanelPic3, &TVideo::KlawiszPic3, &TVideo::KlawiszPic3Click},
    {&TVideo::PanelPic4, &TVideo::KlawiszPic4, &TVideo::KlawiszPic4Click},
    {&TVideo::PanelPicAl, &TVideo::KlawiszPicAl, &TVideo::KlawiszPicAlClick},
    {&TVideo::PanelLINESCAN, &TVideo::KlawiszLINESCAN, &TVideo::KlawiszLINESCANClick},
    {&TVideo::PanelCHANGE, &TVideo::KlawiszCHANGE, &TVideo::KlawiszCHANGEClick},
    {&TVideo::PanelSAVE, &TVideo::KlawiszSAVE, &TVideo::KlawiszSAVEClick},
    {&TVideo::PanelOPEN, &TVideo::KlawiszOPEN, &TVideo::KlawiszOPENClick},
    {&TVideo::PanelPRINT, &TVideo::KlawiszPRINT, &TVideo::KlawiszPRINTClick},
    {&TVideo::PanelWymiar, &TVideo::KlawiszWymiar, &TVideo::KlawiszWymiarClick},
    {&TVideo::PanelEXIT, &TVideo::KlawiszEXIT, &TVideo::KlawiszEXITClick},
}};

void SetBackground(QWidget* w, const QColor& c) {
  w->setAutoFillBackground(true);
  QPalette p = w->palette();
  p.setColor(QPalette::Window, c);
  w->setPalette(p);
}

void SetTextColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  w->setPalette(p);
}

}  // namespace

TVideo::TVideo(Station& station, OperatorDialogs& dialogs, TVideoOptions options,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Surfaces(station.Picture()),
      s_(station.State()),
      dialogs_(dialogs),
      folders_(station.Folders()),
      strip_(station.Strip()),
      files_(station.Files()),
      unit_(station.Unit()),
      run_(station.Run()),
      options_(std::move(options)) {
  setObjectName(QStringLiteral("Video"));
  setWindowTitle(QStringLiteral("ORVIX"));
  SetBackground(this, Qt::black);
  CreateControls();
  Wire();
  FormCreate();
  files_.AttachMainWindow(this);
}

TVideo::~TVideo() {
  // The thread may still write the buffers and post requests to this window: it is
  // joined before anything goes, also when the window was never closed.
  run_.Stop();
  run_.Detach(this);
  files_.Detach(this, Settings);  // the settings window goes with the main window
}

void TVideo::CreateControls() {
  // Picture panel.
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 0, layout::kPanel1Width, layout::kPanel1Height);
  SetBackground(Panel1, Qt::black);
  const layout::Rect& pic = layout::kPictureRect;
  PictureSlot = new QWidget(Panel1);
  PictureSlot->setObjectName(QStringLiteral("PictureSlot"));
  PictureSlot->setGeometry(pic.left, pic.top, pic.width, pic.height);
  Image2 = new QLabel(Panel1);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->hide();
  Image3 = new QLabel(Panel1);
  Image3->setObjectName(QStringLiteral("Image3"));
  Image3->resize(layout::kStartPictureWidth, layout::kStartPictureHeight);
  Image4 = new QLabel(Panel1);
  Image4->setObjectName(QStringLiteral("Image4"));
  Image4->hide();
  Image5 = new QLabel(Panel1);
  Image5->setObjectName(QStringLiteral("Image5"));
  Image5->hide();
  // The picture surface shows the station's picture; rows the display steps write are
  // repainted, and the caption they set is shown.
  PaintBox1 = new TPaintBox(Surfaces, PictureSlot);
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->setGeometry(0, 0, PictureSlot->width(), PictureSlot->height());
  Surfaces.rowsChanged = [this](int first, int last) { PaintBox1->RepaintRows(first, last); };
  Surfaces.captionChanged = [this](const std::string& caption) { ShowCaption(caption); };

  // Button column: every button on its own lamp panel.
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  SetBackground(Panel2, QColor(50, 50, 50));
  QFont buttonFont(QStringLiteral("Arial"), 10);
  buttonFont.setBold(true);
  for (int slot = 0; slot < layout::kSlotCount; ++slot) {
    const layout::SlotDesign& design = layout::kSlots[size_t(slot)];
    QWidget* panel = new QWidget(Panel2);
    panel->setObjectName(QStringLiteral("Panel") + Q(design.name));
    SetBackground(panel, QColor(kSilver));  // until the first lamp update
    panel->hide();
    TLampButton* button = new TLampButton(Q(design.designCaption), panel);
    button->setObjectName(QStringLiteral("Klawisz") + Q(design.name));
    button->setFont(buttonFont);
    button->setFocusPolicy(Qt::NoFocus);
    this->*kSlotControls[size_t(slot)].panel = panel;
    this->*kSlotControls[size_t(slot)].button = button;
  }
  KlawiszRECORD->setFlat(true);
  KlawiszADD->setFlat(true);
  KlawiszVISUAL->setFlat(true);

  QFont modeFont(QStringLiteral("Arial"), 11);
  modeFont.setBold(true);
  QLabel** modeTexts[3] = {&Panel101, &Panel102, &Panel103};
  QWidget* modePanels[3] = {PanelRECORD, PanelADD, PanelVISUAL};
  for (int i = 0; i < 3; ++i) {
    QLabel* t = new QLabel(modePanels[i]);
    t->setObjectName(QStringLiteral("Panel10%1").arg(i + 1));
    t->setFont(modeFont);
    t->setAlignment(Qt::AlignCenter);
    SetBackground(t, Qt::white);
    SetTextColour(t, Qt::black);
    *modeTexts[i] = t;
  }

  // Texts.
  StaticText1 = new QLabel(this);
  StaticText1->setObjectName(QStringLiteral("StaticText1"));
  StaticText3 = new QLabel(this);
  StaticText3->setObjectName(QStringLiteral("StaticText3"));
  StaticText3->hide();
  StaticText4 = new QLabel(this);
  StaticText4->setObjectName(QStringLiteral("StaticText4"));
  QFont textFont(QStringLiteral("Arial"), 10);
  textFont.setBold(true);
  for (QLabel* t : {StaticText1, StaticText3, StaticText4}) {
    t->setFont(textFont);
    SetTextColour(t, QColor(220, 220, 220));
  }
  StaticText10 = new QLabel(QStringLiteral(" "), this);
  StaticText10->setObjectName(QStringLiteral("StaticText10"));
  StaticText10->setGeometry(0, 0, layout::kIndicatorSize, layout::kIndicatorSize);
  StaticText10->setAlignment(Qt::AlignCenter);
  QFont indicatorFont(QStringLiteral("Arial"), 18);
  indicatorFont.setBold(true);
  StaticText10->setFont(indicatorFont);
  SetBackground(StaticText10, Qt::black);
  SetTextColour(StaticText10, Qt::red);

  // Timers, all off until their time comes.
  Start = new QTimer(this);
  Start->setObjectName(QStringLiteral("Start"));
  Start->setSingleShot(true);
  Start->setInterval(options_.startDelayMs);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(50);
  Timer3 = new QTimer(this);
  Timer3->setObjectName(QStringLiteral("Timer3"));
  Timer3->setInterval(250);
  Timer4 = new QTimer(this);
  Timer4->setObjectName(QStringLiteral("Timer4"));
  Timer4->setInterval(100);
}

// Every control's and timer's handler is connected here and nowhere else.
void TVideo::Wire() {
  for (const SlotControls& c : kSlotControls)
    connect(this->*c.button, &QPushButton::clicked, this, c.click);
  connect(Start, &QTimer::timeout, this, &TVideo::StartTimer);
  connect(Timer1, &QTimer::timeout, this, &TVideo::Timer1Timer);
  connect(Timer3, &QTimer::timeout, this, &TVideo::Timer3Timer);
  connect(Timer4, &QTimer::timeout, this, &TVideo::Timer4Timer);
}

void TVideo::AttachWindows(SettingsWindowLink* settings, TOscyl* oscyl, PrintWindowLink* print,
                           CalibrationWindowLink* modulZew) {
  Settings = settings;
  files_.AttachSettings(settings);
  Oscyl = oscyl;
  Print = print;
  ModulZew = modulZew;
}

QWidget* TVideo::SlotPanel(int slot) const {
  return slot >= 0 && slot < layout::kSlotCount ? this->*kSlotControls[size_t(slot)].panel
                                                : nullptr;
}

TLampButton* TVideo::SlotButton(int slot) const {
  return slot >= 0 && slot < layout::kSlotCount ? this->*kSlotControls[size_t(slot)].button
                                                : nullptr;
}

void TVideo::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TVideo::closeEvent(QCloseEvent* event) {
  if (!closedDown_ && !instanceRefused_) ZamykanieCalosci();
  closedDown_ = true;
  event->accept();
}

}  // namespace orvix
