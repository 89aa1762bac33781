// What the print window asks of the main window: a repaint, the picture in the print work
// file, and where the picture panel is on the screen.
#include "TVideo.h"

namespace orvix {

void TVideo::RepaintPicture() { RepaintViews(); }

bool TVideo::WritePrintPicture() { return Files().WritePrintPicture(); }

QRect TVideo::PicturePanelRect() const {
  if (!Panel1) return {};
  return QRect(Panel1->mapToGlobal(QPoint(0, 0)), Panel1->size());
}

}  // namespace orvix
