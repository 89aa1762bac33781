#include "PictureFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <filesystem>

#include "FileWrite.h"

namespace orvix {

namespace {
std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", ((v % 100) + 100) % 100);
  return buf;
}
}  // namespace

std::string FolderErrorText(const std::string& folder) {
  return "   BŁĄD W UTWORZENIU KATALOGU   \r\n\r\n\"   " + folder + "   \"";
}

bool MakePictureFolder(PictureFolders& f, const std::string& sub, std::string* error) {
  namespace fs = std::filesystem;
  const std::string folder = f.ProgramDir + sub;
  std::error_code ec;
  bool ok = fs::is_directory(folder, ec);
  if (!ok) {
    // One level only: create_directory fails when the parent is missing.
    ok = fs::create_directory(folder, ec) && !ec;
    if (!ok) ok = fs::is_directory(folder, ec);  // made meanwhile by someone else
  }
  if (!ok) {
    if (error != nullptr) *error = FolderErrorText(folder);
    return false;
  }
  f.SaveDir = folder;
  f.OpenDir = folder;
  return true;
}

std::vector<std::string> SessionFolderChain(int year, int month, int day) {
  char yyyy[16];
  std::snprintf(yyyy, sizeof yyyy, "%04d", year);
  const std::string pictures = "/Pictures";
  const std::string y = pictures + "/" + yyyy;
  const std::string m = y + "/" + TwoDigits(month);
  const std::string s =
      m + "/Session-" + TwoDigits(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day);
  return {pictures, y, m, s};
}

std::vector<std::string> MakeSessionFolders(PictureFolders& f, int year, int month, int day) {
  std::vector<std::string> errors;
  for (const std::string& sub : SessionFolderChain(year, month, day)) {
    std::string error;
    if (!MakePictureFolder(f, sub, &error)) errors.push_back(error);
  }
  return errors;
}

ProgramFolderChoice ChooseProgramDir(const std::string& programFileDir,
                                     const std::string& xdgDataHome, const std::string& home) {
  const bool installed = FileExists(programFileDir + "/../share/applications/orvix.desktop");
  if (!installed && ::access(programFileDir.c_str(), W_OK | X_OK) == 0) return {programFileDir, {}};

  // The folder above the data folder must be there already: the home folder, or the one
  // that holds $XDG_DATA_HOME. What is missing below it is made, private to this user.
  const bool xdg = !xdgDataHome.empty() && xdgDataHome[0] == '/';
  const std::string dataHome = xdg ? xdgDataHome : home + "/.local/share";
  const size_t given = xdg ? dataHome.find_last_of('/') : home.size();
  ProgramFolderChoice choice{dataHome + "/orvix", {}};
  struct stat st {};
  for (size_t at = choice.folder.find('/', given + 1);;
       at = choice.folder.find('/', at + 1)) {
    const std::string level = choice.folder.substr(0, at);
    if (!level.empty() && ::lstat(level.c_str(), &st) != 0 && errno == ENOENT)
      ::mkdir(level.c_str(), 0700);
    if (at == std::string::npos) break;
  }
  const bool usable = ::stat(choice.folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
                      st.st_uid == ::geteuid() &&
                      ::access(choice.folder.c_str(), W_OK | X_OK) == 0;
  if (!usable) choice.error = FolderErrorText(choice.folder);
  return choice;
}

}  // namespace orvix
