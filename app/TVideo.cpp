#include "TVideo.h"

#include "Colours.h"
#include "TVideoThreadUi.h"
#include "UiWake.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTimer>

#include "ScreenSaver.h"
#include "SingleInstance.h"

namespace orvix {

namespace {

// Design captions; the column layout replaces them at the first show.
constexpr const char* kDesignCaptions[layout::kSlotCount] = {
    "RECORD", "ADD", "VISUAL", "START", "STOP", "kan1", "kan2", "kan3", "kan4", "ALL",
    "Linescan", "Change", "Save as", "Open", "Print", "Wymiar", "EXIT"};

constexpr const char* kSlotNames[layout::kSlotCount] = {
    "RECORD", "ADD", "VISUAL", "START", "STOP", "Pic1", "Pic2", "Pic3", "Pic4", "PicAl",
    "LINESCAN", "CHANGE", "SAVE", "OPEN", "PRINT", "Wymiar", "EXIT"};

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
      s_(station.State()),
      dialogs_(dialogs),
      folders_(station.Folders()),
      strip_(station.Strip()),
      options_(std::move(options)) {
  setObjectName(QStringLiteral("Video"));
  setWindowTitle(QStringLiteral("ORVIX"));
  SetBackground(this, Qt::black);
  CreateControls();
  Wire();
  FormCreate();
}

TVideo::~TVideo() {
  // The thread may still write the buffers and post requests to this window: it is
  // joined before anything goes, also when the window was never closed.
  StopAcquisition();
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

  // Button column: every button on its own lamp panel.
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  SetBackground(Panel2, QColor(50, 50, 50));
  QWidget** panels[layout::kSlotCount] = {
      &PanelRECORD, &PanelADD,   &PanelVISUAL,   &PanelSTART,  &PanelSTOP, &PanelPic1,
      &PanelPic2,   &PanelPic3,  &PanelPic4,     &PanelPicAl,  &PanelLINESCAN,
      &PanelCHANGE, &PanelSAVE,  &PanelOPEN,     &PanelPRINT,  &PanelWymiar, &PanelEXIT};
  TLampButton** buttons[layout::kSlotCount] = {
      &KlawiszRECORD, &KlawiszADD,  &KlawiszVISUAL, &KlawiszSTART,    &KlawiszSTOP,
      &KlawiszPic1,   &KlawiszPic2, &KlawiszPic3,   &KlawiszPic4,     &KlawiszPicAl,
      &KlawiszLINESCAN, &KlawiszCHANGE, &KlawiszSAVE, &KlawiszOPEN,   &KlawiszPRINT,
      &KlawiszWymiar, &KlawiszEXIT};
  QFont buttonFont(QStringLiteral("Arial"), 10);
  buttonFont.setBold(true);
  for (int s = 0; s < layout::kSlotCount; ++s) {
    QWidget* panel = new QWidget(Panel2);
    panel->setObjectName(QStringLiteral("Panel") + QLatin1String(kSlotNames[s]));
    SetBackground(panel, QColor(kSilver));  // silver until the first lamp update
    panel->hide();
    TLampButton* button = new TLampButton(QString::fromUtf8(kDesignCaptions[s]), panel);
    button->setObjectName(QStringLiteral("Klawisz") + QLatin1String(kSlotNames[s]));
    button->setFont(buttonFont);
    button->setFocusPolicy(Qt::NoFocus);
    *panels[s] = panel;
    *buttons[s] = button;
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

// Every control's handler is connected here and nowhere else.
void TVideo::Wire() {
  connect(KlawiszPic1, &QPushButton::clicked, this, &TVideo::KlawiszPic1Click);
  connect(KlawiszPic2, &QPushButton::clicked, this, &TVideo::KlawiszPic2Click);
  connect(KlawiszPic3, &QPushButton::clicked, this, &TVideo::KlawiszPic3Click);
  connect(KlawiszPic4, &QPushButton::clicked, this, &TVideo::KlawiszPic4Click);
  connect(KlawiszPicAl, &QPushButton::clicked, this, &TVideo::KlawiszPicAlClick);
  connect(KlawiszEXIT, &QPushButton::clicked, this, &TVideo::KlawiszEXITClick);
  connect(Start, &QTimer::timeout, this, &TVideo::StartTimer);
  ConnectRunControl();
}

void TVideo::AttachWindows(SettingsWindowLink* settings, TOscyl* oscyl, PrintWindowLink* print,
                           CalibrationWindowLink* modulZew) {
  Settings = settings;
  Oscyl = oscyl;
  Print = print;
  ModulZew = modulZew;
}

int TVideo::LiveRunObjects() const { return TUSBThread::Live() + TVideoThreadUi::Live(); }

QWidget* TVideo::SlotPanel(int slot) const {
  QWidget* const panels[layout::kSlotCount] = {
      PanelRECORD, PanelADD,  PanelVISUAL, PanelSTART, PanelSTOP,     PanelPic1,
      PanelPic2,   PanelPic3, PanelPic4,   PanelPicAl, PanelLINESCAN, PanelCHANGE,
      PanelSAVE,   PanelOPEN, PanelPRINT,  PanelWymiar, PanelEXIT};
  return slot >= 0 && slot < layout::kSlotCount ? panels[slot] : nullptr;
}

TLampButton* TVideo::SlotButton(int slot) const {
  QWidget* panel = SlotPanel(slot);
  return panel != nullptr ? panel->findChild<TLampButton*>(QString(), Qt::FindDirectChildrenOnly)
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
