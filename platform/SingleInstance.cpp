#include "SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <string>

namespace orvix {

namespace {

std::string SystemReason(int err) { return std::strerror(err); }

// A folder the lock may live in: a real directory (not a link) of this user that nobody
// else can add entries to, so no one else can plant a file or link under the lock's name.
bool PrivateFolder(const std::string& dir, std::string& failure) {
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0) {
    failure = dir + ": " + SystemReason(errno);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    failure = dir + " is not a folder";
    return false;
  }
  if (st.st_uid != ::geteuid()) {
    failure = dir + " belongs to another user";
    return false;
  }
  if (st.st_mode & (S_IWGRP | S_IWOTH)) {
    failure = dir + " can be written by other users";
    return false;
  }
  return true;
}

// The runtime folder when it is the user's own, else the private one under the temporary
// folder; never the shared temporary folder itself.
std::string DefaultFolder(std::string& failure) {
  const std::string runtime =
      QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString();
  std::string runtimeFailure;
  if (!runtime.empty() && PrivateFolder(runtime, runtimeFailure)) return runtime;
  std::string dir = PrivateLockFolder(QDir::tempPath().toStdString(), failure);
  if (dir.empty() && !runtimeFailure.empty()) failure = runtimeFailure + "; " + failure;
  return dir;
}

int FlockNoWait(int fd) {
  int r;
  do {
    r = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (r != 0 && errno == EINTR);
  return r;
}

}  // namespace

std::string PrivateLockFolder(const std::string& tempRoot, std::string& failure) {
  const std::string dir = tempRoot + "/orvix-" + std::to_string(::geteuid());
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
    failure = "cannot make " + dir + ": " + SystemReason(errno);
    return {};
  }
  // Whatever stands under the name is checked through its own handle: a link planted there
  // is not followed, and what is checked is what gets its permissions tightened.
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    failure = (errno == ELOOP || errno == ENOTDIR)
                  ? dir + " is not a folder (a link or a file stands there)"
                  : "cannot open " + dir + ": " + SystemReason(errno);
    return {};
  }
  struct stat st {};
  std::string why;
  if (::fstat(fd, &st) != 0)
    why = "cannot examine " + dir + ": " + SystemReason(errno);
  else if (st.st_uid != ::geteuid())
    why = dir + " belongs to another user";
  else if ((st.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0)
    why = "cannot make " + dir + " private: " + SystemReason(errno);
  ::close(fd);
  if (!why.empty()) {
    failure = why;
    return {};
  }
  return dir;
}

InstanceLock::InstanceLock(std::string name, std::string folder) {
  if (folder.empty()) folder = DefaultFolder(folderFailure_);
  if (!folder.empty()) path_ = folder + "/" + name + ".lock";
}

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  failure_.clear();
  auto unavailable = [this](std::string why) {
    failure_ = std::move(why);
    state_ = LockState::Unavailable;
    return true;  // the station runs, unguarded
  };
  if (path_.empty()) return unavailable("no private folder for the lock: " + folderFailure_);

  // Create the file, or open the existing one without following a link. What is opened is
  // only ever truncated once it has proved to be this user's own plain file.
  int fd = -1;
  for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
    fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) break;
    if (errno != EEXIST) return unavailable("cannot create " + path_ + ": " + SystemReason(errno));
    // Look before opening: a device or pipe under the lock's name is never opened.
    struct stat seen {};
    if (::lstat(path_.c_str(), &seen) != 0) {
      if (errno == ENOENT) continue;  // removed meanwhile: create it again
      return unavailable("cannot examine " + path_ + ": " + SystemReason(errno));
    }
    if (S_ISLNK(seen.st_mode)) return unavailable(path_ + " is a symbolic link");
    if (!S_ISREG(seen.st_mode)) return unavailable(path_ + " is not a regular file");
    if (seen.st_uid != ::geteuid()) return unavailable(path_ + " belongs to another user");
    fd = ::open(path_.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0 && errno != ENOENT)
      return unavailable("cannot open " + path_ + ": " + SystemReason(errno));
  }
  if (fd < 0) return unavailable("cannot open " + path_ + ": it keeps disappearing");

  // The checks again on what was really opened: the name may have been replaced between
  // the look and the open.
  struct stat st {};
  std::string why;
  if (::fstat(fd, &st) != 0)
    why = "cannot examine " + path_ + ": " + SystemReason(errno);
  else if (!S_ISREG(st.st_mode))
    why = path_ + " is not a regular file";
  else if (st.st_uid != ::geteuid())
    why = path_ + " belongs to another user";
  else if (st.st_nlink != 1)
    why = path_ + " has other names (hard links)";
  if (!why.empty()) {
    ::close(fd);
    return unavailable(why);
  }

  if (FlockNoWait(fd) != 0) {
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK) {
      state_ = LockState::HeldElsewhere;
      return false;
    }
    return unavailable("cannot lock " + path_ + ": " + SystemReason(err));
  }
  // The holder's process id, for whoever looks at the file; the lock itself is the flock.
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t w = ::pwrite(fd, pid.data(), pid.size(), 0);
  }
  fd_ = fd;
  state_ = LockState::Held;
  return true;
}

void InstanceLock::Release() {
  if (fd_ >= 0) {
    // The file stays: removing it here could race with a new instance that has just
    // opened it; a leftover unlocked file does no harm.
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
  state_ = LockState::NotTaken;
  failure_.clear();
}

}  // namespace orvix
