// The button column in 3D mode: the settings window's 3D switch asks for it.
#include "TVideo.h"

namespace orvix {

namespace {
// A caption as the button shows it: trimmed, one blank before and after.
QString Spaced(const char* text) {
  return QLatin1Char(' ') + QString::fromUtf8(text).trimmed() + QLatin1Char(' ');
}
}  // namespace

void TVideo::ShowStereoLayout(bool on) {
  for (QWidget* panel : {PanelRECORD, PanelADD, PanelPicAl, PanelPic4, PanelWymiar})
    panel->setVisible(!on);
  KlawiszPic1->setText(Spaced(on ? "   Obraz Red " : "     Kanał 1 "));
  KlawiszPic2->setText(Spaced(on ? "   Obraz Cyan" : "     Kanał 2 "));
  KlawiszPic3->setText(Spaced(on ? "     Anaglif " : "     Kanał 3 "));
}

}  // namespace orvix
