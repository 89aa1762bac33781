#pragma once
// The single-instance guard "ApplicationTestMap": an advisory lock on a small file in the
// user's runtime folder. The kernel drops the lock when its holder ends, however it ends,
// so a crashed station never locks the next one out; a leftover file is simply re-locked.
//
// Only another live process holding the lock means a second station. A lock that cannot be
// taken for any other reason (no usable folder, a file that is not ours, a link planted
// under the lock's name) does not stop the station: it runs unguarded, and State() and
// Failure() say why, so the main window can tell the operator.
#include <string>

namespace orvix {

enum class LockState {
  NotTaken,       // not asked yet, or released
  Held,           // this process holds the lock
  HeldElsewhere,  // another live process holds it: a second station
  Unavailable,    // the lock could not be taken at all; Failure() says what failed
};

class InstanceLock {
 public:
  // `folder` empty: the user's runtime folder (XDG_RUNTIME_DIR); where there is none, the
  // user's private folder under the temporary folder (see PrivateLockFolder).
  explicit InstanceLock(std::string name = "ApplicationTestMap", std::string folder = {});
  ~InstanceLock();  // Release
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process may run: it now holds the lock (or already did), or the lock
  // could not be taken for a reason other than another process holding it (Unavailable).
  // False only when another process holds the lock.
  bool TryAcquire();
  void Release();
  bool Held() const { return fd_ >= 0; }
  LockState State() const { return state_; }
  // What failed, for Unavailable (the path and the system's reason); empty otherwise.
  const std::string& Failure() const { return failure_; }
  // Empty when no usable folder was found.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string failure_;
  std::string folderFailure_;  // why no folder could be used, kept for TryAcquire
  LockState state_ = LockState::NotTaken;
  int fd_ = -1;
};

// The user's own lock folder under `tempRoot`: "<tempRoot>/orvix-<uid>", made with mode
// 0700 when missing. An existing entry is taken only when it is a directory (not a link)
// owned by the user; its group and other permissions are then cleared. Returns the folder,
// or empty with `failure` set.
std::string PrivateLockFolder(const std::string& tempRoot, std::string& failure);

}  // namespace orvix
