#include <QApplication>

#include "app/TVideo.h"
#include "platform/OperatorDialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ORVIX"));
  QApplication::setApplicationDisplayName(QStringLiteral("ORVIX"));
  orvix::SetDialogs(&orvix::QtDialogs());
  orvix::TVideo video;
  if (video.InstanceRefused()) return 0;  // another station runs; the operator was told
  video.show();
  return app.exec();
}
