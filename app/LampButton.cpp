#include "LampButton.h"

#include <QApplication>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <map>

namespace orvix {

namespace {
// The palette a button inherits from a panel of `colour`: the application's button palette
// with the panel's colour as its window. One object per colour for the process, so its
// cache key stays the same however often a lamp changes.
const QPalette& LampPalette(const QWidget* button, const QColor& colour) {
  static std::map<QRgb, QPalette> palettes;
  auto it = palettes.find(colour.rgb());
  if (it == palettes.end()) {
    QPalette p = QApplication::palette(button);
    p.setColor(QPalette::Window, colour);
    it = palettes.emplace(colour.rgb(), p).first;
  }
  return it->second;
}
}  // namespace

void TLampButton::SetLampColour(const QColor& colour) {
  if (colour == lamp_) return;
  lamp_ = colour;
  update();
}

void TLampButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QPalette::ColorGroup group = option.palette.currentColorGroup();  // disabled, ...
  option.palette = LampPalette(this, lamp_);
  option.palette.setCurrentColorGroup(group);
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace orvix
