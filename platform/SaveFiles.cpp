#include "SaveFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string_view>

namespace orvix {

namespace {

constexpr std::string_view kTemporaryMark = ".orvix-";
constexpr size_t kRandomChars = 6;

bool AsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string SaveTemporaryName(const std::string& path) {
  static constexpr char kChars[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::atomic<uint64_t> counter{0};
  std::mt19937_64 gen(uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                      (uint64_t(::getpid()) << 32) ^ counter.fetch_add(1));
  std::string name = path;
  name += kTemporaryMark;
  for (size_t i = 0; i < kRandomChars; ++i) name += kChars[gen() % (sizeof kChars - 1)];
  return name;
}

bool IsSaveTemporaryOf(const std::string& name, const std::string& fileName) {
  const std::string_view n(name);
  if (n.size() != fileName.size() + kTemporaryMark.size() + kRandomChars) return false;
  if (n.substr(0, fileName.size()) != fileName) return false;
  if (n.substr(fileName.size(), kTemporaryMark.size()) != kTemporaryMark) return false;
  for (const char c : n.substr(fileName.size() + kTemporaryMark.size()))
    if (!AsciiLetterOrDigit(c)) return false;
  return true;
}

int RemoveStaleSaveFiles(const std::string& folder, const std::string& fileName) {
  // A name with a separator could never match an entry; an empty one would match any
  // ".orvix-XXXXXX" file.
  if (fileName.empty() || fileName.find('/') != std::string::npos) return 0;
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return -1;
  DIR* dir = ::fdopendir(dirFd);
  if (dir == nullptr) {
    ::close(dirFd);
    return -1;
  }
  int removed = 0;
  const uid_t me = ::geteuid();
  while (const dirent* e = ::readdir(dir)) {
    if (!IsSaveTemporaryOf(e->d_name, fileName)) continue;
    // Examined and removed relative to the open folder, never through a link: unlinkat
    // removes a name, whatever it points at stays.
    struct stat st {};
    if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(st.st_mode) || st.st_uid != me) continue;
    if (::unlinkat(dirFd, e->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);  // closes dirFd too
  return removed;
}

}  // namespace orvix
