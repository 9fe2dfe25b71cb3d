#include "platform/files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace platform {

bool fileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

std::optional<std::uint64_t> fileSize(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

bool moveItemNoReplace(const std::string& from, const std::string& to) {
  return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

bool removeFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

bool isOwnSoleFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_uid == geteuid() && info.st_nlink == 1;
}

bool isOwnSoleFile(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && isOwnSoleFile(info);
}

FileRead readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  FileRead result;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    result.error = errno;
  } else if (S_ISDIR(info.st_mode)) {
    result.error = EISDIR;
  } else if (!S_ISREG(info.st_mode)) {
    result.notRegular = true;
  } else if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    result.tooLarge = true;
  } else {
    // One spare byte, so that the read after the expected content sees the end in place.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
      if (filled == bytes.size()) {  // the file grew while being read
        if (filled > maxBytes) {
          result.tooLarge = true;
          break;
        }
        bytes.resize(std::min(filled * 2, maxBytes + 1));
      }
      const ssize_t n = read(fd, bytes.data() + filled, bytes.size() - filled);
      if (n == 0) break;
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.error = errno;
        break;
      }
      filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
  }
  close(fd);
  if (!result.ok()) bytes.clear();
  return result;
}

}  // namespace platform
