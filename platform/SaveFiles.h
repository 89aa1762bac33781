#pragma once
// What an interrupted save leaves behind. The station's saves (WriteFileReplacing) give the
// new content the temporary name "name.orvix-XXXXXX" (the name, ".orvix-" and six letters
// or digits) in the target's folder just before renaming it over the real file; a station
// killed between the two, or on a file system where the temporary file is named from the
// start, leaves that file behind. Each save removes those of its own name first; start-up
// removes those of the program folder's files.
#include <string>

namespace orvix {

// The temporary name a save of `path` gives its new content: path + ".orvix-" + six random
// ASCII letters or digits. The mark keeps an operator's own copies ("foto.bmp.backup",
// "conf300.dat.kopia1") from ever looking like a leftover.
std::string SaveTemporaryName(const std::string& path);
// Whether the folder entry `name` is such a temporary name of the file `fileName`.
bool IsSaveTemporaryOf(const std::string& name, const std::string& fileName);

// Removes from `folder` the leftover temporary files of `fileName`: regular files of this
// user whose name IsSaveTemporaryOf(fileName). Links (never followed),
// folders, other users' files and every other name are left alone. Returns how many files
// were removed, or -1 when the folder cannot be read. Call it only while no save of
// `fileName` can be under way: the station saves on one thread, one file at a time, and
// start-up calls it once the single-instance lock is taken.
int RemoveStaleSaveFiles(const std::string& folder, const std::string& fileName);

}  // namespace orvix
