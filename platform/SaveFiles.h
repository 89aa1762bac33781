#pragma once
// What an interrupted save leaves behind. The station's saves (WriteFileReplacing) give the
// new content the temporary name "name.XXXXXX" (the name plus a dot and six letters or
// digits) in the target's folder just before renaming it over the real file; a station
// killed between the two, or on a file system where the temporary file is named from the
// start, leaves that file behind. Each save removes those of its own name first; start-up
// removes those of the program folder's files.
#include <string>

namespace orvix {

// Removes from `folder` the leftover temporary files of `fileName`: regular files of this
// user named exactly fileName + "." + six ASCII letters or digits. Links (never followed),
// folders, other users' files and every other name are left alone. Returns how many files
// were removed, or -1 when the folder cannot be read. Call it only while no save of
// `fileName` can be under way: the station saves on one thread, one file at a time, and
// start-up calls it once the single-instance lock is taken.
int RemoveStaleSaveFiles(const std::string& folder, const std::string& fileName);

}  // namespace orvix
