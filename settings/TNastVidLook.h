#pragma once
// Colours and captions of the settings window, in one place, and the few control makers
// its pages share.
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QRadioButton>
#include <QSlider>
#include <QString>
#include <string>

#include "Colours.h"
#include "QtText.h"

namespace orvix {
void SetPanelColour(QWidget* w, const QColor& c);
}

namespace orvix::look {

// Silver, yellow, aqua, grey and red are the station's own (Colours.h).

inline const QColor kOrange(255, 112, 0);
inline const QColor kPink(255, 48, 255);
inline const QColor kLinesChecked(255, 0, 128);
inline const QColor kTimeChecked(0, 160, 255);
inline const QColor kLabelBlue(0, 48, 255);
inline const QColor kTeal(0, 128, 128);
inline const QColor kWindowGrey(212, 208, 200);
inline const QColor kDisabledText(128, 128, 128);  // captions of disabled controls

inline constexpr const char* kCaption = "     Konfigurowanie nastaw";
inline constexpr const char* kPageCaptions[] = {
    "",          "     Kanał 1 ", "     Kanał 2 ", "     Kanał 3 ", "     Kanał 4 ",
    "     Add ", " Ramka ",       " Pliki ",       " Znacznik ",    " Anaglif "};
inline constexpr const char* kFilterCaptions[] = {" 800 kHz", " 400 kHz", " 200 kHz",
                                                  " 100 kHz", "  50 kHz", "  25 kHz"};
inline constexpr const char* kLinesCaptions[] = {" 400 lines", " 800 lines", "1600 lines",
                                                 "error lines", "", "", "", ""};
inline constexpr const char* kTimeCaptions[] = {"  2 ms",   "  5 ms",   " 10 ms",   " 20 ms",
                                                " 50 ms",   "error ms", "error ms", "error ms"};
inline constexpr const char* kChannelOn = "Kanał załączony";
inline constexpr const char* kChannelOff = "Kanał wyłączony";
inline constexpr const char* kMix = "Mix 4 to ";
inline constexpr const char* kMarker = " Znacznik ";
inline constexpr const char* kGainCaption = " Wzmocnienie x ";
inline constexpr const char* kOffsetCaption = " Przesunięcie ";
inline constexpr const char* kAddCaption = " Liczba obrazów do nałożenia  ";
inline constexpr const char* kAskOnExit =
    "Monitować  \" Czy zapisać obraz ? \"  po naciśnieciu  \" ZAKOŃCZ \"";
inline constexpr const char* kAskOnStart =
    "Monitować  \" Czy zapisać obraz ? \"  po naciśnieciu  \" RECORD \"  i  \" START \"";
inline constexpr const char* kAutoNameTitle = " Nazwa i ścieżka do autozapisu";

// Scales drawn above the track bars: "Courier New" 10 on silver, labels at y = 5.
inline constexpr int kScaleTop = 5;
inline constexpr int kGainScaleX[] = {0, 64, 128, 192, 256};
inline constexpr int kOffsetScaleX[] = {0, 66, 132, 198, 264};
inline constexpr double kAddScaleStep = 41.5;
inline constexpr int kAddScaleLabels = 15;

// Page 8's test view: fixed buffer figures, the page caption, and the hot spot that opens it.
inline constexpr const char* kTestCaption = "TESTY";
inline constexpr const char* kBufUsbText = "bufUSB  = ";
inline constexpr const char* kBufObrText = "bufObr  = ";
inline constexpr const char* kBufSeText = "bufSE   = ";
inline constexpr int kBufUsbFigure = 51612887;
inline constexpr int kBufObrFigure = 20977065;
inline constexpr int kBufSeFigure = 44976951;
inline const QRect kHotSpot(796, 1, 22, 22);

inline constexpr int kLabel2Width = 603;
inline constexpr int kLabel2Limit = 587;

inline QGroupBox* Group(QWidget* parent, const char* title, int x, int y, int w, int h) {
  auto* g = new QGroupBox(Q(title), parent);
  g->setGeometry(x, y, w, h);
  return g;
}

// A horizontal track bar with a tick per step; its travel (width less the handle) is what
// its drawn scale is laid out against.
inline QSlider* TrackBar(QWidget* parent, int x, int y, int travel, int h, int min, int max) {
  auto* t = new QSlider(Qt::Horizontal, parent);
  t->setGeometry(x, y, travel + 16, h);
  t->setRange(min, max);
  t->setTickPosition(QSlider::TicksBelow);
  t->setTickInterval(1);
  return t;
}

// A button of the window's tagged lists (filters, LINES, TIME, ADD channels): silver, and
// not exclusive by Qt, because the window checks and unchecks the list itself (a refresh may
// leave none checked).
inline QRadioButton* ListButton(QWidget* parent, const QString& caption, int tag,
                                const QRect& geometry, const QFont& font) {
  auto* b = new QRadioButton(caption, parent);
  b->setProperty("tag", tag);
  b->setGeometry(geometry);
  b->setFont(font);
  b->setAutoExclusive(false);
  SetPanelColour(b, kSilver);
  return b;
}

}  // namespace orvix::look
