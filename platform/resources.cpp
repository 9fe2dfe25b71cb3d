#include "platform/resources.h"

#include <limits.h>
#include <unistd.h>

#include "platform/files.h"

namespace platform {
namespace {

const std::string& executableFolder() {
  static const std::string folder = [] {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string(".");
    const std::string exe(path, static_cast<size_t>(length));
    return exe.substr(0, exe.rfind('/'));
  }();
  return folder;
}

// The build tree's layout when its file is beside the executable, else the installed one under
// the prefix that holds bin/. The prefix is cut from the path rather than reached through
// "/..", so that the paths in the log read as plainly as the installed files' own names.
std::string buildTreeOrInstalled(const std::string& buildTree, const std::string& installed) {
  const std::string& folder = executableFolder();
  if (fileExists(folder + buildTree)) return folder + buildTree;
  return folder.substr(0, folder.rfind('/')) + installed;
}

}  // namespace

const std::string& resourceFolder() {
  static const std::string folder = buildTreeOrInstalled("/resources", "/share/talvenor");
  return folder;
}

std::string toolkitModulePath() {
  return buildTreeOrInstalled("/libtalvenor-gtk.so", "/lib/talvenor/libtalvenor-gtk.so");
}

}  // namespace platform
