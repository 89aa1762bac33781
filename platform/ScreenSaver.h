#pragma once
// The desktop's screen-saver switch: inhibited while the station runs, released at
// shutdown. Uses org.freedesktop.ScreenSaver on the session bus when a desktop offers it;
// without one, both calls do nothing and never report an error.
#include <cstdint>

namespace orvix {

class ScreenSaverInhibit {
 public:
  ScreenSaverInhibit() = default;
  ~ScreenSaverInhibit();  // Release
  ScreenSaverInhibit(const ScreenSaverInhibit&) = delete;
  ScreenSaverInhibit& operator=(const ScreenSaverInhibit&) = delete;

  void Inhibit();  // screen saver off; repeated calls keep one inhibition
  void Release();  // screen saver on again
  bool Active() const { return active_; }

 private:
  uint32_t cookie_ = 0;
  bool active_ = false;
};

}  // namespace orvix
