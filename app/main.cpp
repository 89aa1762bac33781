#include <QApplication>

#include "app/TVideo.h"
#include "platform/OperatorDialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ORVIX"));
  QApplication::setApplicationDisplayName(QStringLiteral("ORVIX"));
  orvix::SetDialogs(&orvix::QtDialogs());
  orvix::TVideo video;
  video.show();
  return app.exec();
}
