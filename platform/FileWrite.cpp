#include "FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "SaveFiles.h"

namespace orvix {

std::string FolderPart(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

std::atomic<bool> unnamedFiles{true};

bool WriteAll(int fd, const uint8_t* data, size_t size, int& error) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    if (n == 0) {
      error = EIO;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

// Written and flushed; false with `error` set otherwise.
bool FillAndFlush(int fd, const uint8_t* data, size_t size, int& error) {
  if (!WriteAll(fd, data, size, error)) return false;
  if (::fsync(fd) != 0) {
    error = errno;
    return false;
  }
  return true;
}

// Gives the unnamed file `fd` a fresh temporary name (SaveTemporaryName); false when the file
// system or the missing /proc does not allow it.
bool NameUnnamed(int fd, const std::string& path, std::string& temp, int& error) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = SaveTemporaryName(path);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return true;
    if (errno == EEXIST) continue;
    // Without /proc a privileged process can still name the file by its descriptor.
    if (::linkat(fd, "", AT_FDCWD, temp.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) continue;
    error = errno;
    return false;
  }
  error = EEXIST;
  return false;
}

// A link (or chain of links) that ends at a name with no file: the save makes that file,
// as any program writing through the link would.
bool DanglingLinkTarget(const std::string& link, std::string& target, int& error) {
  std::string at = link;
  for (int hops = 0; hops < 40; ++hops) {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(at.c_str(), buf, sizeof buf - 1);
    if (n <= 0) {
      error = n < 0 ? errno : ENOENT;
      return false;
    }
    std::string next(buf, size_t(n));
    if (next[0] != '/') next = FolderPart(at) + "/" + next;
    struct stat st {};
    if (::lstat(next.c_str(), &st) != 0) {
      if (errno != ENOENT) {
        error = errno;
        return false;
      }
      target = next;
      return true;
    }
    if (!S_ISLNK(st.st_mode)) {  // made meanwhile: taken as it is
      target = next;
      if (S_ISREG(st.st_mode)) return true;
      error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
      return false;
    }
    at = next;
  }
  error = ELOOP;
  return false;
}

// The file a save to `path` replaces: `path` itself, or the file a link there points at.
bool ReplacedFile(const std::string& path, std::string& target, int& error) {
  target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return true;  // a new file (or the open says why)
  if (S_ISLNK(st.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr && errno == ENOENT) return DanglingLinkTarget(path, target, error);
    if (real == nullptr) {
      error = errno;
      return false;
    }
    target = real;
    std::free(real);
    if (::lstat(target.c_str(), &st) != 0) return true;
  }
  if (S_ISREG(st.st_mode)) return true;
  error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
  return false;
}

void FlushFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

FileWriteResult WriteFileReplacing(const std::string& path, const uint8_t* data, size_t size) {
  int error = 0;
  std::string target;
  if (!ReplacedFile(path, target, error)) return {false, error};
  const std::string folder = FolderPart(target);
  // What an earlier save of this name left when the station was killed at the wrong moment.
  RemoveStaleSaveFiles(folder, NamePart(target));

  std::string temp;
  bool written = false;
  const int unnamed =
      unnamedFiles ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
  if (unnamed >= 0) {
    bool ok = FillAndFlush(unnamed, data, size, error);
    if (ok) {
      // A new name is given the complete file at once; an existing one is replaced by a
      // rename, which needs the file to have a name of its own first.
      const std::string self = "/proc/self/fd/" + std::to_string(unnamed);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        ::close(unnamed);
        FlushFolder(folder);
        return {true, 0};
      }
      ok = NameUnnamed(unnamed, target, temp, error);
    }
    ::close(unnamed);
    if (!ok && error != EOPNOTSUPP && error != ENOENT && error != EPERM && error != EXDEV)
      return {false, error};  // a full disk, a write error: the unnamed file is gone already
    written = ok;
  }
  if (!written) {
    // No O_TMPFILE here (or no way to name such a file): a named temporary file.
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      temp = SaveTemporaryName(target);
      fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno != EEXIST) return {false, errno};
    }
    if (fd < 0) return {false, EEXIST};
    bool ok = FillAndFlush(fd, data, size, error);
    if (::close(fd) != 0 && ok) {
      ok = false;
      error = errno;
    }
    if (!ok) {
      ::unlink(temp.c_str());
      return {false, error};
    }
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    error = errno;
    ::unlink(temp.c_str());
    return {false, error};
  }
  // The new name is durable once the folder is flushed too.
  FlushFolder(folder);
  return {true, 0};
}

void UseUnnamedTemporaryFiles(bool use) { unnamedFiles = use; }

int OpenRegularFile(const std::string& path, int& error) {
  // Looked at before opening, so a device is never opened (opening some has effects), and
  // opened without waiting, so a FIFO swapped in meanwhile does not block; the open file
  // itself is checked again.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    ::close(fd);
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  error = 0;
  return fd;
}

bool ReadRegularFile(const std::string& path, std::string& bytes, int& error, size_t limit) {
  bytes.clear();
  const int fd = OpenRegularFile(path, error);
  if (fd < 0) return false;
  char buf[65536];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    bytes.append(buf, size_t(n));
  }
  ::close(fd);
  return true;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool MakeWritable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (st.st_mode & S_IWUSR) return true;
  return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

int64_t FreeSpace(const std::string& folder) {
  std::error_code ec;
  const auto info = std::filesystem::space(std::filesystem::u8path(folder), ec);
  if (ec) return -1;
  return int64_t(info.available);
}

}  // namespace orvix
