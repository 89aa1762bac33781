// The main of the window tests: a QApplication on the offscreen platform unless a display
// is chosen.
#include <gtest/gtest.h>

#include "TestLocale.h"

#include <QApplication>

int main(int argc, char** argv) {
  if (!orvix::test::TakeEnvironmentLocale()) return 1;
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
