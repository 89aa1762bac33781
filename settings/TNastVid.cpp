// The settings window: construction, set-up, wiring, and the channel pages.
#include "TNastVid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>
#include <vector>

#include "ChannelSelection.h"
#include "ScanUnit.h"
#include "SettingsConstants.h"
#include "TNastVidLook.h"
#include "WorkModes.h"

namespace orvix {

using namespace look;

void ClickPanel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit clicked();
  QFrame::mousePressEvent(e);
}

void SetPanelColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, c);
  p.setColor(QPalette::Button, c);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QColor PanelColour(const QWidget* w) { return w->palette().color(QPalette::Window); }

namespace {
// A silver strip with labels in "Courier New" 10, the way the track-bar scales look.
QPixmap DrawScale(int width, const std::vector<std::pair<int, QString>>& labels) {
  QPixmap pm(width, 20);
  pm.fill(kSilver);
  QPainter p(&pm);
  QFont f(QStringLiteral("Courier New"), 10);
  p.setFont(f);
  p.setPen(Qt::black);
  const int ascent = QFontMetrics(f).ascent();
  for (const auto& [x, text] : labels) p.drawText(x, kScaleTop + ascent, text);
  return pm;
}

}  // namespace

TNastVid::TNastVid(MainWindowLink* link, SharedState& s, OperatorDialogs& dialogs,
                   PictureFolders& folders, SettingsFile& settingsFile, ScanUnit& unit,
                   QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      link_(link),
      s_(s),
      dialogs_(dialogs),
      folders_(folders),
      settingsFile_(settingsFile),
      unit_(unit) {
  setObjectName(QStringLiteral("TNastVid"));
  SetPanelColour(this, kWindowGrey);
  // Fusion draws a disabled caption in (190, 190, 190): on the silver pages that is the
  // background itself, and "Autoidentyfikacja" in RECORD and ADD, "On / Off" in ADD and the
  // locked LINES and TIME buttons lost their captions. Set before any control exists, so
  // every control inherits it.
  QPalette readable = palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    readable.setColor(QPalette::Disabled, role, kDisabledText);
  setPalette(readable);
  setFixedSize(820, 330);

  PageControl1 = new QTabWidget(this);
  PageControl1->setGeometry(8, 8, 804, 268);
  PageControl1->tabBar()->setStyleSheet(
      QStringLiteral("QTabBar::tab { width: 81px; height: 22px; padding: 0px 2px; }"));
  for (int tag = 1; tag <= kPages; ++tag) {
    auto* page = new QWidget;
    page->setProperty("tag", tag);
    SetPanelColour(page, kSilver);
    TabSheet[size_t(tag)] = page;
    PageControl1->addTab(page, QString());
  }

  Button2 = new QPushButton(this);
  Button2->setGeometry(372, 288, 140, 30);
  Button3 = new QPushButton(this);
  Button3->setGeometry(522, 288, 140, 30);
  Button4 = new QPushButton(this);
  Button4->setGeometry(672, 288, 140, 30);

  Panel14 = new QFrame(this);
  Panel14->setGeometry(8, 286, 150, 34);
  Panel14->setFrameShape(QFrame::Panel);
  SetPanelColour(Panel14, kSilver);
  SpeedButton1 = new QPushButton(Q(" Tryb 3D off"), Panel14);
  SpeedButton1->setGeometry(4, 4, 142, 26);
  SpeedButton1->setFlat(true);
  Panel14->hide();

  BuildChannelPanel();
  BuildAddPage();
  BuildFramePage();
  BuildFilePage();
  BuildStripPage();
  BuildAnaglyphPage();
  BuildPageIndicators();  // last, so they lie over the page buttons and the channel panel
  Panel6->raise();        // the hot spot lies over the page control's corner
  Wire();
}

void TNastVid::BuildChannelPanel() {
  // The shared channel panel floats over the pages at (21, 40) of the window.
  Panel3 = new QFrame(this);
  Panel3->setGeometry(21, 40, 780, 220);
  SetPanelColour(Panel3, kSilver);

  FilterGroup = Group(Panel3, "", 5, 2, 120, 190);
  const QFont arial10(QStringLiteral("Arial"), 10, QFont::Bold);
  for (int t = 1; t <= 6; ++t) {
    auto* b = ListButton(FilterGroup, Q(kFilterCaptions[t - 1]), t,
                         QRect(10, 24 * t + 5 - 10, 95, 20), arial10);
    b->setFocusPolicy(Qt::NoFocus);
    FilterButtons[size_t(t - 1)] = b;
  }
  GainGroup = Group(Panel3, "", 140, 2, 320, 100);
  GainScale = new QLabel(GainGroup);
  GainScale->setGeometry(14, 22, 292, 20);
  // The bars' travel matches their scales: 64 px per 0.5 of gain, 66 px per 1.0 V.
  TrackBar1 = TrackBar(GainGroup, 18, 48, 256, 36, 0, 20);
  OffsetGroup = Group(Panel3, "", 140, 108, 320, 100);
  OffsetScale = new QLabel(OffsetGroup);
  OffsetScale->setGeometry(6, 22, 308, 20);
  TrackBar2 = TrackBar(OffsetGroup, 14, 48, 264, 36, -20, 20);

  SpeedButton11 = new QPushButton(Q("On / Off"), Panel3);
  SpeedButton11->setGeometry(480, 10, 180, 30);
  PanelOnOff = new QLabel(Panel3);
  PanelOnOff->setGeometry(480, 46, 180, 30);
  PanelOnOff->setAlignment(Qt::AlignCenter);
  PanelOnOff->setFrameShape(QFrame::Panel);
  PanelOnOff->setFrameShadow(QFrame::Sunken);

  MixPanel = new QFrame(Panel3);
  MixPanel->setGeometry(480, 100, 180, 36);
  MixPanel->setFrameShape(QFrame::Panel);
  SpeedButton13 = new QPushButton(MixPanel);
  SpeedButton13->setGeometry(4, 4, 172, 28);
  SpeedButton13->setFlat(true);
  MarkerPanel = new QFrame(Panel3);
  MarkerPanel->setGeometry(480, 150, 180, 36);
  MarkerPanel->setFrameShape(QFrame::Panel);
  SpeedButton12 = new QPushButton(MarkerPanel);
  SpeedButton12->setGeometry(4, 4, 172, 28);
  SpeedButton12->setFlat(true);
}

void TNastVid::BuildPageIndicators() {
  for (int tag = 1; tag <= 5; ++tag) {
    auto* p = new ClickPanel(this);
    p->setProperty("tag", tag);
    p->setGeometry(11 + 87 * (tag - 1), 10, 15, 15);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    SetPanelColour(p, kSilver);
    p->raise();
    PageIndicators[size_t(tag - 1)] = p;
  }
}

void TNastVid::FormCreate(const QRect& picturePanel) {
  // 1. Placement.
  if (picturePanel.isValid())
    move(picturePanel.left() + (picturePanel.width() - width()) / 2, picturePanel.top() + 10);

  // 2. Captions.
  setWindowTitle(Q(kCaption));
  for (int tag = 1; tag <= kPages; ++tag)
    PageControl1->setTabText(tag - 1, Q(kPageCaptions[tag]));
  Button2->setText(Q("Odczytaj nastawy"));
  Button3->setText(Q("Zapisz nastawy"));
  Button4->setText(Q("Zamknij"));
  FilterGroup->setTitle(Q(" Filtry "));
  SpeedButton12->setText(Q(kMarker));
  CheckBox2->setText(Q(kAskOnExit));
  CheckBox3->setText(Q(kAskOnStart));

  // 3. Scales.
  std::vector<std::pair<int, QString>> gain, offset, add;
  for (int i = 0; i < 5; ++i) {
    gain.push_back({kGainScaleX[i], Q(TenthsText(i * 5))});
    offset.push_back({kOffsetScaleX[i], Q(TenthsText(i * 10 - 20))});
  }
  GainScale->setPixmap(DrawScale(GainScale->width(), gain));
  OffsetScale->setPixmap(DrawScale(OffsetScale->width(), offset));
  for (int i = 0; i < kAddScaleLabels; ++i) {
    const int n = 4 * i + 2;
    add.push_back({static_cast<int>(std::nearbyint(kAddScaleStep * i)),
                   (n < 10 ? QStringLiteral(" ") : QString()) + QString::number(n)});
  }
  AddScale->setPixmap(DrawScale(AddScale->width(), add));
  ShowGainCaption(TrackBar1->value());
  ShowOffsetCaption(TrackBar2->value());
}

void TNastVid::Wire() {
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  for (ClickPanel* p : PageIndicators) {
    const int tag = p->property("tag").toInt();
    connect(p, &ClickPanel::clicked, this, [this, tag] { Panel5Click(tag); });
  }
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });

  connect(SpeedButton11, &QPushButton::clicked, this, [this] { SpeedButton11Click(); });
  connect(TrackBar1, &QSlider::valueChanged, this, [this](int v) { TrackBar1Change(v); });
  connect(TrackBar2, &QSlider::valueChanged, this, [this](int v) { TrackBar2Change(v); });
  for (QRadioButton* b : FilterButtons) {
    const int tag = b->property("tag").toInt();
    connect(b, &QRadioButton::clicked, this, [this, tag] { RadioButton1Click(tag); });
  }
  connect(SpeedButton13, &QPushButton::clicked, this, [this] { SpeedButton13Click(); });
  connect(SpeedButton12, &QPushButton::clicked, this, [this] { SpeedButton12Click(); });

  connect(TrackBar3, &QSlider::valueChanged, this, [this](int v) { TrackBar3Change(v); });
  for (QRadioButton* b : AddChannelButtons) {
    const int tag = b->property("tag").toInt();
    connect(b, &QRadioButton::clicked, this, [this, tag] { RadioButton51Click(tag); });
  }

  for (int i = 0; i < 8; ++i) {
    connect(LinesRadio[size_t(i)], &QRadioButton::clicked, this, [this, i] { RadioButton11Click(i); });
    connect(TimeRadio[size_t(i)], &QRadioButton::clicked, this, [this, i] { RadioButton12Click(i); });
  }
  connect(SpinButton51Up, &QToolButton::clicked, this, [this] { SpinButton51UPClick(); });
  connect(SpinButton51Down, &QToolButton::clicked, this, [this] { SpinButton51DownClick(); });
  connect(SpinButton52Up, &QToolButton::clicked, this, [this] { SpinButton52UpClick(); });
  connect(SpinButton52Down, &QToolButton::clicked, this, [this] { SpinButton52DownClick(); });
  connect(SpinButton1Up, &QToolButton::clicked, this, [this] { SpinButton1UpClick(); });
  connect(SpinButton1Down, &QToolButton::clicked, this, [this] { SpinButton1DownClick(); });
  connect(CheckBox10, &QCheckBox::clicked, this, [this] { CheckBox10Click(); });

  connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
  connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });

  for (int i = 0; i < 6; ++i)
    connect(StripBoxes[size_t(i)], &QCheckBox::clicked, this, [this, i] { StripBoxClick(i); });
  for (int i = 0; i < 3; ++i)
    connect(BarLookButtons[size_t(i)], &QRadioButton::clicked, this, [this, i] { BarLookClick(i); });
  connect(RadioButton4, &QRadioButton::clicked, this, [this] { RadioButton4Click(); });
  connect(RadioButton5, &QRadioButton::clicked, this, [this] { RadioButton5Click(); });
  connect(Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
  connect(RadioButton6, &QRadioButton::clicked, this, [this] { RadioButton6Click(); });
  connect(RadioButton7, &QRadioButton::clicked, this, [this] { RadioButton7Click(); });
  connect(RadioButton13, &QRadioButton::clicked, this, [this] { RadioButton13Click(); });
  connect(RadioButton15, &QRadioButton::clicked, this, [this] { RadioButton15Click(); });
  connect(CheckBox7, &QCheckBox::clicked, this, [this] { CheckBox7Click(); });
  connect(CheckBox17, &QCheckBox::clicked, this, [this] { CheckBox7Click(); });
  connect(Button11, &QPushButton::clicked, this, [this] { Button11Click(); });
  connect(Panel6, &ClickPanel::clicked, this, [this] { Panel6Click(); });
  connect(CheckBox4, &QCheckBox::clicked, this, [this] { CheckBox4Click(); });
  connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
}

// --- Page switching ---------------------------------------------------------------------

int TNastVid::ActiveTag() const {
  const QWidget* page = PageControl1->currentWidget();
  return page ? page->property("tag").toInt() : 0;
}

int TNastVid::ChannelShown() const {
  const int tag = ActiveTag();
  return tag >= 1 && tag <= 4 ? tag : 1;
}

void TNastVid::OpenPage(int tag) {
  if (tag < 1 || tag > kPages) return;
  if (PageControl1->currentIndex() == tag - 1)
    PageControl1Change();
  else
    PageControl1->setCurrentIndex(tag - 1);  // currentChanged runs PageControl1Change
}

void TNastVid::PageControl1Change() {
  const int tag = ActiveTag();
  const ConfigTable& c = s_.Config;
  if (tag >= 1 && tag <= 4) {
    TrackBar1->setValue(c.ChannelGain(tag));
    TrackBar2->setValue(c.ChannelOffset(tag));
    SpeedButton13->setText(Q(kMix) + QString::number(tag));
    MixPanel->setVisible(tag != 4 && s_.AnaglyphOn.load() == 0);
    SetPanelColour(MixPanel, tag <= 3 && c.MixChannel(tag) ? kPink : kSilver);
    SetPanelColour(MarkerPanel, c.MarkerChannel(tag) ? kPink : kSilver);
    WyswietlFiltr(tag);
    WyswietlOnOff(tag);
    Panel3->show();
    Panel3->raise();
    for (ClickPanel* p : PageIndicators) p->raise();
  } else {
    Panel3->hide();
  }
  if (tag == kFramePage) {
    liczdzielnik(0);
    liczoffseth(0);
    liczoffsetv(0);
  }
  if (isVisible() && PageControl1->currentWidget()) PageControl1->currentWidget()->setFocus();
}

void TNastVid::Panel5Click(int tag) { OpenPage(tag); }

void TNastVid::UpdateChannels() {
  if (UpdateChannelCode(s_).viewTakenBack && link_)
    link_->RedrawPicture(s_.ViewMode.load(), s_.WorkMode.load(), "r");
}

void TNastVid::ShowModeCheck(const WorkModeCheck& check) {
  if (check.error1505) dialogs_.Message(MsgType::Error, settings::kError1505, MsgButtons::Ok);
}

void TNastVid::nastawy_koniec() {
  LeaveSettings();
  if (link_) link_->RedrawPicture(s_.ViewMode.load(), s_.WorkMode.load(), "r");
}

void TNastVid::LeaveSettings() {
  UpdateChannels();
  unit_.Open(s_);
  hide();
  s_.SettingsOpen = 0;
  if (link_) {
    link_->RepaintViews();
    link_->UpdateRunButtons();
    link_->UpdateViewButtons();
  }
}

// --- Channel pages ----------------------------------------------------------------------

void TNastVid::SpeedButton11Click() {
  const int k = ChannelShown();
  s_.Config.SetChannelOn(k, !s_.Config.ChannelOn(k));
  UpdateChannels();
  WyswietlOnOff(k);
}

void TNastVid::ShowGainCaption(int position) {
  GainGroup->setTitle(Q(kGainCaption) + Q(TenthsText(position)) + QStringLiteral(" "));
}

void TNastVid::ShowOffsetCaption(int position) {
  OffsetGroup->setTitle(Q(kOffsetCaption) + Q(TenthsText(position)) + QStringLiteral("V "));
}

void TNastVid::TrackBar1Change(int position) {
  s_.Config.SetChannelGain(ChannelShown(), position);
  ShowGainCaption(position);
}

void TNastVid::TrackBar2Change(int position) {
  s_.Config.SetChannelOffset(ChannelShown(), position);
  ShowOffsetCaption(position);
}

void TNastVid::RadioButton1Click(int tag) {
  ShowModeCheck(StoreFilter(s_, ChannelShown(), static_cast<uint8_t>(tag)));
  WyswietlFiltr(ChannelShown());
}

void TNastVid::WyswietlFiltr(int channel) {
  for (QRadioButton* b : FilterButtons) {
    SetPanelColour(b, kSilver);
    b->setChecked(false);
  }
  const FilterReading reading = CurrentFilter(s_, channel);
  ShowModeCheck(reading.check);
  const uint8_t f = reading.code;
  if (f >= 1 && f <= 6) {
    SetPanelColour(FilterButtons[size_t(f - 1)], kAqua);
    FilterButtons[size_t(f - 1)]->setChecked(true);
  }
}

void TNastVid::SpeedButton13Click() {
  const int k = ChannelShown();
  if (k <= 3) s_.Config.SetMixChannel(k, !s_.Config.MixChannel(k));
  RefreshMixMirror(s_);
  PageControl1Change();
}

void TNastVid::SpeedButton12Click() {
  const int k = ChannelShown();
  s_.Config.SetMarkerChannel(k, !s_.Config.MarkerChannel(k));
  PageControl1Change();
}

void TNastVid::WyswietlOnOff(int channel) {
  if (channel < 1 || channel > 4) channel = ChannelShown();
  const ConfigTable& c = s_.Config;
  const bool add = s_.AddOn.load() != 0;
  for (QRadioButton* b : AddChannelButtons)
    SetPanelColour(b, b->isChecked() && add ? kYellow : kSilver);
  bool on;
  if (add) {
    SpeedButton11->setEnabled(false);
    for (int k = 1; k <= 4; ++k)
      SetPanelColour(PageIndicators[size_t(k - 1)], c.AddChannel(k) ? kYellow : kSilver);
    on = c.AddChannel(channel);
    SetPanelColour(PanelOnOff, on ? kYellow : kSilver);
    SetPanelColour(PageIndicators[4], kYellow);
  } else {
    SpeedButton11->setEnabled(s_.AnaglyphOn.load() == 0);
    for (int k = 1; k <= 4; ++k)
      SetPanelColour(PageIndicators[size_t(k - 1)], c.ChannelOn(k) ? kOrange : kSilver);
    on = c.ChannelOn(channel);
    SetPanelColour(PanelOnOff, on ? kOrange : kSilver);
    SetPanelColour(PageIndicators[4], kSilver);
    PanelOnOff->show();
  }
  PanelOnOff->setText(Q(on ? kChannelOn : kChannelOff));
  if (s_.TestPictureOn.load() != 0) {
    for (int k = 1; k <= 4; ++k) SetPanelColour(PageIndicators[size_t(k - 1)], kSilver);
    PanelOnOff->hide();
  }
}

}  // namespace orvix
