#pragma once
// The station's folders: the program folder, and the save and open folders that start at
// the day's picture folder ProgramDir/Pictures/yyyy/mm/Session-yy-mm-dd.
#include <string>
#include <vector>

namespace orvix {

struct PictureFolders {
  std::string ProgramDir = ".";  // folder of the program file, no trailing separator
  std::string SaveDir = ".";     // folder of the last save; target of automatic saves
  std::string OpenDir = ".";     // folder of the last open
};

// The process-wide folders of the station.
PictureFolders& Folders();

// Makes ProgramDir + sub (sub begins with "/"), one level: the parent must exist. When the
// folder exists or was made, SaveDir and OpenDir become it and the result is true;
// otherwise nothing changes, `error` (when given) receives the folder error text for the
// operator, and the result is false.
bool MakePictureFolder(PictureFolders& f, const std::string& sub, std::string* error = nullptr);

// The four levels of the day's picture folder, each relative to ProgramDir:
// "/Pictures", "/Pictures/yyyy", "/Pictures/yyyy/mm", "/Pictures/yyyy/mm/Session-yy-mm-dd".
std::vector<std::string> SessionFolderChain(int year, int month, int day);

// Makes the chain for the given date, level by level; SaveDir and OpenDir end at the
// last level that could be made. Returns the folder error texts of the levels that could
// not be made, in order, for the window to show.
std::vector<std::string> MakeSessionFolders(PictureFolders& f, int year, int month, int day);

// The error text shown when a picture folder cannot be made.
std::string FolderErrorText(const std::string& folder);

}  // namespace orvix
