#include "platform/files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace platform
