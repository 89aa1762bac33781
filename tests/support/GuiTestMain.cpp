// The main of the kernel tests that render text or images through QtGui (fonts, painters on
// QImage): a QGuiApplication on the offscreen platform unless a display is chosen, and no
// widgets, so a kernel that needs QtWidgets still fails to link here.
#include <gtest/gtest.h>

#include "TestLocale.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
  if (!orvix::test::TakeEnvironmentLocale()) return 1;
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
