#pragma once
// The size of the monitor that holds a window (the primary one while the window has no
// screen yet).
#include <QSize>

class QWidget;

namespace orvix {

QSize ScreenSizeOf(const QWidget* window);

}  // namespace orvix
