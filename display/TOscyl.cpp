#include "TOscyl.h"

namespace orvix {

TOscyl::TOscyl(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("Oscyl"));
  setWindowTitle(QStringLiteral("     Linescan"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(p);
  move(0, 20);
  resize(1250, 280);
}

}  // namespace orvix
