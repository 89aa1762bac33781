// Helper process for the single-instance tests: takes the lock in the folder given as the
// first argument. Prints "held" and waits to be killed, prints "refused" and exits 1 when
// another process holds it, or prints "unavailable" and exits 3 when it cannot be taken.
#include <unistd.h>

#include <cstdio>

#include "SingleInstance.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  orvix::InstanceLock lock("ApplicationTestMap", argv[1]);
  if (!lock.TryAcquire()) {
    std::puts("refused");
    return 1;
  }
  if (lock.State() != orvix::LockState::Held) {
    std::puts("unavailable");
    return 3;
  }
  std::puts("held");
  std::fflush(stdout);
  for (int i = 0; i < 600; ++i) ::sleep(1);  // ends by itself should the test forget it
  return 0;
}
