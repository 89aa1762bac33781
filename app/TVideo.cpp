#include "app/TVideo.h"

namespace orvix {

TVideo::TVideo(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Video"));
  setWindowTitle(QStringLiteral("ORVIX"));
}

}  // namespace orvix
