#include "platform/gtk/own_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform::gtk {
namespace {

bool isOwnFolder(const char* path) {
  struct stat info {};
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

}  // namespace

void keepToOwnFolders() {
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
