#include "TOscyl.h"

#include <algorithm>

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include "Colours.h"
#include "PictureSurfaces.h"

namespace orvix {

using namespace linescan;

namespace {

constexpr int kWidth = 1250, kTop = 20, kClientHeight = 280;
constexpr int kBesidePicture = 36;  // window left = picture panel left - 36
constexpr int kPlotLeft = 4, kPlotTop = 3;

QWidget* Box(QWidget* parent, const char* name, QRect r, QColor colour) {
  auto* w = new QWidget(parent);
  w->setObjectName(QString::fromLatin1(name));
  w->setGeometry(r);
  w->setAutoFillBackground(true);
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colour);
  w->setPalette(p);
  return w;
}

QLabel* Text(QWidget* parent, const char* name, const QString& text, QRect r) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(r);
  return l;
}

}  // namespace

TOscyl::TOscyl(SharedState& s, PictureSurfaces& picture, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      s_(s),
      surfaces_(picture),
      plot_(kPlotWidth, kPlotHeight, QImage::Format_RGB32) {
  FormCreate();
}

void TOscyl::FormCreate() {
  setObjectName(QStringLiteral("Oscyl"));
  setWindowTitle(QStringLiteral("     Linescan"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(p);
  setFixedSize(kWidth, kClientHeight);
  move(0, kTop);

  Panel1 = Box(this, "Panel1", QRect(33, 2, 1110, 276), Qt::black);
  Image1 = Text(Panel1, "Image1", {}, QRect(kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight));
  Image1->setScaledContents(true);
  Image1->setMouseTracking(true);
  Image1->installEventFilter(this);
  plot_.fill(Qt::black);
  Image1->setPixmap(QPixmap::fromImage(plot_));
  // The marker: one column of red dots.
  QImage marker(1, kPlotHeight, QImage::Format_RGB32);
  for (int y = 0; y < kPlotHeight; ++y) marker.setPixel(0, y, y % 2 == 0 ? 0xFFFF0000 : 0xFF000000);
  Image2 = Text(Panel1, "Image2", {}, QRect(markerX_ + kMarkerShift, kPlotTop, 1, kPlotHeight));
  Image2->setPixmap(QPixmap::fromImage(marker));
  Image2->setAttribute(Qt::WA_TransparentForMouseEvents);

  const struct { QLabel** label; const char* name; const char* text; int top; } scale[] = {
      {&Label1, "Label1", "100%", 6}, {&Label7, "Label7", "80%", 57},
      {&Label6, "Label6", "60%", 108}, {&Label5, "Label5", "40%", 160},
      {&Label4, "Label4", "20%", 211}, {&Label3, "Label3", "0 %", 262}};
  for (const auto& sc : scale)
    *sc.label = Text(this, sc.name, QString::fromLatin1(sc.text), QRect(2, sc.top, 31, 14));

  Panel4 = Box(this, "Panel4", QRect(1148, 10, 96, 78), QColor(kSilver));
  Label12 = Text(Panel4, "Label12", QStringLiteral("Numer linii"), QRect(4, 2, 90, 16));
  StaticText1 = Text(Panel4, "StaticText1", QStringLiteral("2"), QRect(4, 22, 64, 28));
  QFont big(QStringLiteral("Arial"));
  big.setPixelSize(21);
  StaticText1->setFont(big);
  SpinButton2Up = new QToolButton(Panel4);
  SpinButton2Up->setObjectName(QStringLiteral("SpinButton2Up"));
  SpinButton2Up->setArrowType(Qt::UpArrow);
  SpinButton2Up->setGeometry(72, 20, 20, 16);
  SpinButton2Down = new QToolButton(Panel4);
  SpinButton2Down->setObjectName(QStringLiteral("SpinButton2Down"));
  SpinButton2Down->setArrowType(Qt::DownArrow);
  SpinButton2Down->setGeometry(72, 38, 20, 16);

  Panel3 = Box(this, "Panel3", QRect(1148, 93, 96, 56), QColor(kSilver));
  Label8 = Text(Panel3, "Label8", QStringLiteral("Numer punktu"), QRect(4, 2, 90, 16));
  StaticText2 = Text(Panel3, "StaticText2", QStringLiteral("1"), QRect(4, 22, 88, 28));
  StaticText2->setFont(big);
  Panel2 = Box(this, "Panel2", QRect(1148, 153, 96, 56), QColor(kSilver));
  Label9 = Text(Panel2, "Label9", QStringLiteral("Amplituda"), QRect(4, 2, 90, 16));
  StaticText3 = Text(Panel2, "StaticText3", QStringLiteral("0"), QRect(4, 22, 88, 28));
  StaticText3->setFont(big);
  Panel8 = Box(this, "Panel8", QRect(1152, 230, 88, 40), QColor(0, 255, 0));
  SpeedButton6 = new QPushButton(QStringLiteral("Zamknij"), Panel8);
  SpeedButton6->setObjectName(QStringLiteral("SpeedButton6"));
  SpeedButton6->setGeometry(4, 4, 80, 32);
  SpeedButton6->setFlat(true);

  connect(SpeedButton6, &QPushButton::clicked, this, [this] { SpeedButton6Click(); });
  connect(SpinButton2Up, &QToolButton::clicked, this, [this] { SpinButton2UpClick(); });
  connect(SpinButton2Down, &QToolButton::clicked, this, [this] { SpinButton2DownClick(); });
  s_.LinescanLine = kInitialRow;
}

// 36 pixels left of the picture panel, but never past the screen's left edge: on a narrow
// screen the panel starts closer than that and the scale labels would be cut off.
int TOscyl::LeftBesidePicture() const {
  return std::max(0, main_->PicturePanelGeometry().left() - kBesidePicture);
}

void TOscyl::PlaceBesidePicture() {
  if (main_) move(LeftBesidePicture(), y());
}

void TOscyl::start_oscylograf() {
  if (s_.LinescanOn.load() != 0) {
    SpeedButton6Click();
    return;
  }
  s_.LinescanOn = 1;
  if (main_) move(LeftBesidePicture(), kTop);
  WezLinieWyswietl(kRedrawCurrent);
  if (main_) {
    main_->AttachLinescanMouse(true);
    main_->ShowRowMarker(true);
  }
  show();
  if (main_) main_->UpdateLamps();
}

void TOscyl::SpeedButton6Click() {
  if (main_) main_->ShowRowMarker(false);
  s_.LinescanOn = 0;
  if (main_) {
    main_->AttachLinescanMouse(false);
    main_->UpdateLamps();
  }
  hide();
}

void TOscyl::WezLinieWyswietl(int n) {
  const std::optional<int32_t> L = TakeLinescanRow(n, s_.LinescanLine.load());
  if (!L) return;
  s_.LinescanLine = *L;
  if (main_) main_->MoveRowMarker(*L + 1);
  ReadProfile(surfaces_.Image1, *L, v_);
  DrawProfile(plot_, v_);
  Image1->setPixmap(QPixmap::fromImage(plot_));
  ++redraws_;
  if (const auto row = LinescanRowNumber(LinesCode(), View(), *L))
    StaticText1->setText(QString::number(*row));
}

void TOscyl::rysujznacznik(int x) {
  x = ClampMarkerColumn(View(), x);
  markerX_ = x;
  if (const auto pixel = LinescanPixelNumber(LinesCode(), View(), x))
    StaticText2->setText(QString::number(*pixel));
  const int level = ImageLevel(surfaces_.Image1, x, s_.LinescanLine.load() - 1);
  StaticText3->setText(QString::number(LevelPercent(level)));
  Image2->move(x + kMarkerShift, kPlotTop);
}

// The marker stays on its column while the row steps.
void TOscyl::SpinButton2UpClick() {
  WezLinieWyswietl(s_.LinescanLine.load() - LinescanSpinStep(LinesCode(), View()));
  rysujznacznik(markerX_);
}

void TOscyl::SpinButton2DownClick() {
  WezLinieWyswietl(s_.LinescanLine.load() + LinescanSpinStep(LinesCode(), View()));
  rysujznacznik(markerX_);
}

void TOscyl::MouseMove_Image1_form1(int x, int y) {
  PlaceBesidePicture();
  if (main_) main_->RepaintButtonColumn();
  WezLinieWyswietl(y - 1);
  rysujznacznik(x);
  if (main_) main_->RepaintPicture();
}

void TOscyl::Image1MouseMove(int x) { rysujznacznik(x); }

bool TOscyl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && event->type() == QEvent::MouseMove) {
    Image1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint().x());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orvix
