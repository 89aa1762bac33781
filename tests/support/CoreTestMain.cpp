// The main of the kernel tests: no application object, so a kernel that needs a window
// system fails here instead of passing by accident.
#include <gtest/gtest.h>

#include "TestLocale.h"

int main(int argc, char** argv) {
  if (!orvix::test::TakeEnvironmentLocale()) return 1;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
