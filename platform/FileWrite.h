#pragma once
// Every file the station writes (pictures, their .bak twins, the JPEG and print work files,
// conf300.dat) goes through WriteFileReplacing, and every file it reads by name is opened
// through OpenRegularFile.
//
// Writing: the bytes go to a file without a name in the target's folder (O_TMPFILE), are
// written with explicit checks so a short write (a full disk, a removed medium, a file-size
// limit) is seen, flushed to the disk, given a temporary name "name.orvix-XXXXXX" and only then
// renamed over the target. A station killed at any moment therefore leaves the previous
// file or the complete new one, and almost always nothing else: the unnamed file vanishes
// with the process. Only a kill between the naming and the rename (or on a file system
// without O_TMPFILE, where the temporary file is named from the start) leaves that name;
// each save removes such leftovers of its own name first, and start-up removes those of the
// program folder's files. A failed write leaves any previous file as it was.
//
// A symbolic link at the target is followed: the file it points at is replaced (or made,
// when the link points at a name with no file yet), the link stays. A folder, FIFO, device
// or socket at the target is never replaced nor written into.
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvix {

struct FileWriteResult {
  bool ok = false;
  int error = 0;  // errno of the step that failed
};

FileWriteResult WriteFileReplacing(const std::string& path, const uint8_t* data, size_t size);

// For tests of the file systems that refuse unnamed files: false makes every save take the
// named temporary file from the start. On (true) unless a test turns it off.
void UseUnnamedTemporaryFiles(bool use);

// Opens `path` for reading only when it is a regular file (a link to one is followed):
// a FIFO, device or folder in its place is refused without waiting on it. Returns the file
// descriptor (blocking reads, close-on-exec), or -1 with `error` set (EISDIR for a folder,
// EACCES for anything else that is not a regular file, else the errno of the open).
int OpenRegularFile(const std::string& path, int& error);

// The whole of a regular file, at most `limit` bytes; false with `error` set when it cannot
// be opened (see OpenRegularFile) or read.
bool ReadRegularFile(const std::string& path, std::string& bytes, int& error,
                     size_t limit = size_t(1) << 30);

// True when `path` exists and its owner may not write it (the station's read-only mark).
bool IsReadOnly(const std::string& path);
bool FileExists(const std::string& path);
// The folder part ("." without one, "/" at the root) and the name part of a path.
std::string FolderPart(const std::string& path);
std::string NamePart(const std::string& path);
// True when `path` is a folder (or a link to one).
bool IsFolder(const std::string& path);
// Gives the owner write permission ("clears the attributes") of a regular file; false when
// it cannot. Anything that is not a regular file is left alone.
bool MakeWritable(const std::string& path);
// Free bytes for this user on the file system of `folder`; -1 when unknown.
int64_t FreeSpace(const std::string& folder);

}  // namespace orvix
