#include "FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

namespace orvix {

namespace {

std::string RandomSuffix() {
  static constexpr char kChars[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::atomic<uint64_t> counter{0};
  std::mt19937_64 gen(uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                      (uint64_t(::getpid()) << 32) ^ counter.fetch_add(1));
  std::string s(6, 'x');
  for (char& c : s) c = kChars[gen() % (sizeof kChars - 1)];
  return s;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

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

}  // namespace

FileWriteResult WriteFileReplacing(const std::string& path, const uint8_t* data, size_t size) {
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = path + "." + RandomSuffix();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return {false, errno};
  }
  if (fd < 0) return {false, EEXIST};

  int error = 0;
  bool ok = WriteAll(fd, data, size, error);
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    error = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return {false, error};
  }
  // The new name is durable once the folder is flushed too.
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {true, 0};
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool IsReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool MakeWritable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
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
