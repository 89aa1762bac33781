#pragma once
// The single-instance guard "ApplicationTestMap": an advisory lock on a small file in the
// user's runtime folder. The kernel drops the lock when its holder ends, however it ends,
// so a crashed station never locks the next one out; a leftover file is simply re-locked.
#include <string>

namespace orvix {

class InstanceLock {
 public:
  // `folder` empty: the user's runtime folder (XDG_RUNTIME_DIR), else the temporary folder.
  explicit InstanceLock(std::string name = "ApplicationTestMap", std::string folder = {});
  ~InstanceLock();  // Release
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process now holds the lock (or already did); false when another
  // process holds it or the lock file cannot be opened.
  bool TryAcquire();
  void Release();
  bool Held() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace orvix
