#pragma once
// Every file the picture code writes goes through WriteFileReplacing: the bytes go to a
// temporary file next to the target ("name.XXXXXX", the same pattern as the station's
// other saves), are written with explicit checks so a short write (a full disk, a removed
// medium, a file-size limit) is seen, flushed to the disk, and only then renamed over the
// target. A failed write leaves any previous file of that name as it was and removes the
// temporary file.
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvix {

struct FileWriteResult {
  bool ok = false;
  int error = 0;  // errno of the step that failed
};

FileWriteResult WriteFileReplacing(const std::string& path, const uint8_t* data, size_t size);

// True when `path` exists and its owner may not write it (the station's read-only mark).
bool IsReadOnly(const std::string& path);
bool FileExists(const std::string& path);
// Gives the owner write permission ("clears the attributes"); false when it cannot.
bool MakeWritable(const std::string& path);
// Free bytes for this user on the file system of `folder`; -1 when unknown.
int64_t FreeSpace(const std::string& folder);

}  // namespace orvix
