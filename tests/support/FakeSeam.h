#pragma once
// A stream seam that never waits: it records the pauses, indicator texts and timer
// requests, and raises the terminate request after a chosen number of polls.
#include <mutex>
#include <string>
#include <vector>

#include "StreamSeam.h"

namespace orvix::test {

class FakeSeam final : public StreamSeam {
 public:
  int terminateAfterPolls = -1;  // < 0: never
  int polls = 0;
  bool terminate = false;
  bool lockHeldDuringSecondPause = false;
  std::vector<int> pauses;
  std::vector<std::string> indicator;
  int timer3 = 0;
  int timer4 = 0;
  int ownTerminate = 0;
  std::mutex lock;

  bool TerminateRequested() override {
    ++polls;
    if (terminateAfterPolls >= 0 && polls > terminateAfterPolls) terminate = true;
    return terminate;
  }
  void RequestTerminate() override {
    ++ownTerminate;
    terminate = true;
  }
  void Pause(int ms) override {
    pauses.push_back(ms);
    if (pauses.size() == 2) {
      const bool free = lock.try_lock();
      if (free) lock.unlock();
      lockHeldDuringSecondPause = !free;
    }
  }
  std::mutex& StreamLock() override { return lock; }
  void SetRecordIndicator(const std::string& text) override { indicator.push_back(text); }
  void EnableTimer3() override { ++timer3; }
  void EnableTimer4() override { ++timer4; }
};

}  // namespace orvix::test
