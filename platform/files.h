#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace platform {

// True when any entry is at the path, following a symbolic link to its target.
bool fileExists(const std::string& path);

// The size of the entry at the path, or nothing when it cannot be examined.
std::optional<std::uint64_t> fileSize(const std::string& path);

// Renames within one file system; fails, touching nothing, when the target is occupied.
bool moveItemNoReplace(const std::string& from, const std::string& to);

bool removeFile(const std::string& path);

// A regular file of the running user's with no second name, the path not followed: in a shared
// folder, the only kind of file that another user cannot have planted there.
bool isOwnSoleFile(const std::string& path);
bool isOwnSoleFile(const struct stat& info);

// Why a whole-file read gave nothing; all clear when it gave the file.
struct FileRead {
  int error = 0;            // errno of what failed, EISDIR for a folder
  bool notRegular = false;  // a FIFO, a device or a socket
  bool tooLarge = false;    // over the limit, or grown past it while read
  bool ok() const { return error == 0 && !notRegular && !tooLarge; }
};

// Fills `bytes` with the whole regular file at the path, of at most `maxBytes`. Opened without
// blocking, so that a FIFO in its place cannot hold the run.
FileRead readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

}  // namespace platform
