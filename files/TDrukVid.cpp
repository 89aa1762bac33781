#include "TDrukVid.h"

namespace orvix {

TDrukVid::TDrukVid(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("DrukVid"));
  setWindowTitle(QStringLiteral("Drukowanie"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(p);
  resize(687, 193);
}

}  // namespace orvix
