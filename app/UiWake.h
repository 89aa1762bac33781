#pragma once
// Wakes the user-interface thread from another thread: Signal() may be called from any
// thread and makes the UI thread run `onWake` once soon; signals that arrive before it
// runs are merged. An eventfd watched by a socket notifier carries the wake-up, so the
// hand-over is a plain write/read pair that the thread checker follows, and no toolkit
// object is touched off the UI thread.
#include <functional>

class QSocketNotifier;

namespace orvix {

class UiWake {
 public:
  explicit UiWake(std::function<void()> onWake);  // UI thread
  ~UiWake();                                      // UI thread
  UiWake(const UiWake&) = delete;
  UiWake& operator=(const UiWake&) = delete;

  void Signal();  // any thread
  bool Valid() const { return fd_ >= 0; }

 private:
  void Woken();
  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  std::function<void()> onWake_;
};

}  // namespace orvix
