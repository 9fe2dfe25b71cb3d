#include "platform/gtk/own_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace platform::gtk {
namespace {

bool isOwnFolder(const char* path) {
  struct stat info {};
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

}  // namespace

void keepToOwnFolders() {
  // The compositor's socket may still be reached there: named by its whole path, it is only
  // connected to, and nothing is made beside it.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (runtime != nullptr && !isOwnFolder(runtime) && wayland != nullptr && *wayland != '\0' &&
      *wayland != '/')
    setenv("WAYLAND_DISPLAY", (std::string(runtime) + "/" + wayland).c_str(), 1);
  for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                           "XDG_STATE_HOME"}) {
    if (const char* path = std::getenv(name); path != nullptr && !isOwnFolder(path)) unsetenv(name);
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || isOwnFolder(home)) return;
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
    setenv("HOME", found->pw_dir, 1);
  else
    unsetenv("HOME");
}

}  // namespace platform::gtk
