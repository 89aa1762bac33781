#pragma once
// The station's folders: the program folder, and the save and open folders that start at
// the day's picture folder ProgramDir/Pictures/yyyy/mm/Session-yy-mm-dd, with the base of
// the numbered names. The station owns one and hands it to the windows that use it.
#include <string>
#include <vector>

namespace orvix {

struct PictureFolders {
  std::string ProgramDir = ".";  // folder of the program file, no trailing separator
  std::string SaveDir = ".";     // folder of the last save; target of automatic saves
  std::string OpenDir = ".";     // folder of the last open
  std::string AutoNameBase = "backup";  // base of numbered names; "ustaw nazwę" changes it
};

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

// Where the station keeps conf300.dat, its work files and its pictures.
struct ProgramFolderChoice {
  std::string folder;  // ProgramDir, no trailing separator
  std::string error;   // the folder error text for the operator; empty when usable
};

// The folder of the program file when this user may write it and the program is not an
// installed one (an installed program has its desktop entry at
// ../share/applications/orvix.desktop beside its bin folder). Otherwise the per-user
// data folder <dataHome>/orvix, where dataHome is $XDG_DATA_HOME when it is an absolute
// path and <home>/.local/share otherwise; it and any missing folders above it are made
// with mode 0700. That folder is refused (error set, folder still named, nothing made
// elsewhere) when it cannot be made, is not a folder, is owned by another user or cannot
// be written; a link to a folder of this user's is followed.
ProgramFolderChoice ChooseProgramDir(const std::string& programFileDir,
                                     const std::string& xdgDataHome, const std::string& home);

}  // namespace orvix
