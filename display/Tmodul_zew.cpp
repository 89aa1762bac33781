#include "Tmodul_zew.h"

namespace orvix {

Tmodul_zew::Tmodul_zew(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("modul_zew"));
  setWindowTitle(QStringLiteral("Wprowadzanie kalibracji paska"));
}

}  // namespace orvix
