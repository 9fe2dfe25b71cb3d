#include "platform/gtk/session_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform::gtk {
namespace {

std::string absolutePath(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : "";
}

std::string baseFolder() {
  if (std::string runtime = absolutePath("XDG_RUNTIME_DIR"); !runtime.empty()) return runtime;
  if (std::string cache = absolutePath("XDG_CACHE_HOME"); !cache.empty()) return cache;
  const std::string home = absolutePath("HOME");
  if (home.empty()) return "";
  mkdir((home + "/.cache").c_str(), 0700);
  return home + "/.cache";
}

}  // namespace

SessionFolder::SessionFolder() {
  const std::string base = baseFolder();
  if (base.empty()) return;
  const std::string path = base + "/talvenor";
  mkdir(path.c_str(), 0700);
  fd_ = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat info {};
  if (fd_ >= 0 && (fstat(fd_, &info) != 0 || info.st_uid != geteuid() ||
                   (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)) {
    close(fd_);
    fd_ = -1;
  }
}

SessionFolder::~SessionFolder() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace platform::gtk
