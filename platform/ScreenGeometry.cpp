#include "ScreenGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace orvix {

QSize ScreenSizeOf(const QWidget* window) {
  QScreen* screen = window != nullptr ? window->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->size() : QSize();
}

}  // namespace orvix
