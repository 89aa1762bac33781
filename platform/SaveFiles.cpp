#include "SaveFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace orvix {

namespace {

constexpr size_t kRandomChars = 6;  // the length of QTemporaryFile's "XXXXXX"

bool AsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsSaveTemporaryOf(std::string_view name, std::string_view fileName) {
  if (name.size() != fileName.size() + 1 + kRandomChars) return false;
  if (name.substr(0, fileName.size()) != fileName || name[fileName.size()] != '.') return false;
  for (const char c : name.substr(fileName.size() + 1))
    if (!AsciiLetterOrDigit(c)) return false;
  return true;
}

}  // namespace

int RemoveStaleSaveFiles(const std::string& folder, const std::string& fileName) {
  // A name with a separator could never match an entry; an empty one would match any
  // ".XXXXXX" file.
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
