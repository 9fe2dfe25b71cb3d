#include "platform/gtk/session_folder.h"

#include <fcntl.h>
#include <gdk/gdk.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// The folder `name` in `parent`, made when missing; -1 unless it is the running user's and no one
// else may write to it.
int openOwnFolder(int parent, const std::string& name) {
  if (parent < 0) return -1;
  mkdirat(parent, name.c_str(), 0700);
  const int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat info {};
  if (fd >= 0 && (fstat(fd, &info) != 0 || info.st_uid != geteuid() ||
                  (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)) {
    close(fd);
    return -1;
  }
  return fd;
}

// "places-" and the display's name without its screen number, so that ":0" and ":0.0" share,
// and with no slash, which a Wayland display's path may hold; nothing without a display.
std::string placesFolderName() {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return "";
  std::string name = gdk_display_get_name(display);
  if (const auto colon = name.rfind(':'); colon != std::string::npos) {
    if (const auto dot = name.find('.', colon); dot != std::string::npos) name.erase(dot);
  }
  std::replace(name.begin(), name.end(), '/', '_');
  return "places-" + name;
}

}  // namespace

SessionFolder::SessionFolder() {
  const std::string base = baseFolder();
  if (base.empty()) return;
  const int baseFd = open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  fd_ = openOwnFolder(baseFd, "talvenor");
  if (baseFd >= 0) close(baseFd);
  if (const std::string places = placesFolderName(); !places.empty())
    placesFd_ = openOwnFolder(fd_, places);
}

SessionFolder::~SessionFolder() {
  if (placesFd_ >= 0) close(placesFd_);
  if (fd_ >= 0) close(fd_);
}

}  // namespace platform::gtk
