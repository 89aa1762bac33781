#include "PictureFolders.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <filesystem>


namespace orvix {

namespace {
std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", ((v % 100) + 100) % 100);
  return buf;
}
}  // namespace

PictureFolders& Folders() {
  static PictureFolders f;
  return f;
}

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

}  // namespace orvix
