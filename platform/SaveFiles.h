#pragma once
// What an interrupted save leaves behind. The station writes conf300.dat through QSaveFile:
// the new content goes to a temporary file "conf300.dat.XXXXXX" (the name plus a dot and six
// letters or digits) in the same folder, which is renamed over the real file once complete.
// A station killed between the two leaves that temporary file behind for good.
#include <string>

namespace orvix {

// Removes from `folder` the leftover temporary files of `fileName`: regular files of this
// user named exactly fileName + "." + six ASCII letters or digits. Links (never followed),
// folders, other users' files and every other name are left alone. Returns how many files
// were removed, or -1 when the folder cannot be read. Call it only while no save of
// `fileName` can be under way (once the single-instance lock is taken, before any save).
int RemoveStaleSaveFiles(const std::string& folder, const std::string& fileName);

}  // namespace orvix
