#pragma once
// Small file systems for the fault tests. Where the process may mount (root, or a user
// namespace granting it), the test process first moves into a mount namespace of its own
// with every mount private, so the tmpfs mounts it makes are seen only by it and its
// children and vanish with it. Elsewhere the folder is an ordinary temporary folder and a
// read-only folder is made by taking away its write permission, which only binds users
// other than root. Every test says in its output which way it ran.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace orvix::test {

// True once the process has its own private mount namespace (tried once).
inline bool CanMount() {
  static const bool can = [] {
    if (::unshare(CLONE_NEWNS) != 0) return false;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    QTemporaryDir probe;
    const std::string p = probe.path().toStdString();
    if (::mount("tmpfs", p.c_str(), "tmpfs", 0, "size=64k") != 0) return false;
    ::umount2(p.c_str(), MNT_DETACH);
    return true;
  }();
  return can;
}

// A folder that is a tmpfs of `bytes` where mounting is allowed, else a plain folder.
class ScratchFolder {
 public:
  explicit ScratchFolder(uint64_t bytes = 16u << 20) : path_(dir_.path().toStdString()) {
    if (CanMount()) {
      const std::string opts = "size=" + std::to_string(bytes) + ",mode=0755";
      mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID, opts.c_str()) == 0;
    }
  }
  ~ScratchFolder() {
    if (readOnlyByMode_) ::chmod(path_.c_str(), 0755);
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  bool mounted() const { return mounted_; }
  const char* how() const { return mounted_ ? "tmpfs mount" : "plain folder"; }

  // Leaves about `bytes` free (a whole number of pages) by a filler file; false where the
  // folder is no small file system of its own.
  bool LeaveFree(uint64_t bytes) {
    if (!mounted_) return false;
    struct statvfs v {};
    if (::statvfs(path_.c_str(), &v) != 0) return false;
    const uint64_t page = v.f_frsize;
    const uint64_t avail = uint64_t(v.f_bavail) * page;
    const uint64_t want = (bytes + page - 1) / page * page;
    if (avail < want) return false;
    const int fd = ::open((path_ + "/.filler").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return false;
    std::vector<char> chunk(1 << 16, 'f');
    uint64_t left = avail - want;
    while (left > 0) {
      const ssize_t n = ::write(fd, chunk.data(), size_t(std::min<uint64_t>(left, chunk.size())));
      if (n <= 0) break;
      left -= uint64_t(n);
    }
    ::close(fd);
    return left == 0;
  }
  uint64_t Free() const {
    struct statvfs v {};
    ::statvfs(path_.c_str(), &v);
    return uint64_t(v.f_bavail) * v.f_frsize;
  }

  // No new file can be made in the folder: a read-only remount of the tmpfs, else (not
  // root) a folder without write permission. False when neither binds this process.
  bool MakeReadOnly() {
    if (mounted_)
      return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID,
                     nullptr) == 0;
    if (::geteuid() == 0) return false;
    readOnlyByMode_ = ::chmod(path_.c_str(), 0555) == 0;
    return readOnlyByMode_;
  }
  const char* readOnlyHow() const {
    return mounted_ ? "read-only remount of a tmpfs" : "folder without write permission";
  }

 private:
  QTemporaryDir dir_;
  std::string path_;
  bool mounted_ = false;
  bool readOnlyByMode_ = false;
};

// Every name in `folder` but the filler, sorted.
inline std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const QString& n : QDir(QString::fromStdString(folder))
                              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                             QDir::NoDotAndDotDot,
                                         QDir::Name))
    if (n != QStringLiteral(".filler")) names.push_back(n.toStdString());
  return names;
}

}  // namespace orvix::test
