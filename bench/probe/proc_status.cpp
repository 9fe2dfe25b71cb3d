#include "probe/proc_status.h"

#include <array>
#include <fstream>
#include <set>
#include <string_view>

namespace probe {
namespace {

// Anything a window, a display connection or the GLib object system brings along.
constexpr std::array<std::string_view, 14> kGuiLibraryPrefixes = {
    "libgtk", "libgdk",   "libglib",  "libgobject", "libgio",      "libgmodule", "libX",
    "libxcb", "libcairo", "libpango", "libatk",     "libcanberra", "libepoxy",   "libtalvenor-"};

std::string procPath(pid_t pid, const char* entry) {
  return "/proc/" + std::to_string(pid) + "/" + entry;
}

}  // namespace

long peakResidentKib(pid_t pid) {
  std::ifstream status(procPath(pid, "status"));
  std::string key;
  long value = -1;
  while (status >> key) {
    if (key == "VmHWM:") {
      status >> value;
      return value;
    }
    status.ignore(1 << 16, '\n');
  }
  return -1;
}

std::vector<std::string> guiLibrariesMapped(pid_t pid) {
  std::ifstream maps(procPath(pid, "maps"));
  std::set<std::string> found;
  for (std::string line; std::getline(maps, line);) {
    const size_t slash = line.rfind('/');
    if (slash == std::string::npos) continue;
    const std::string name = line.substr(slash + 1);
    for (std::string_view prefix : kGuiLibraryPrefixes) {
      if (name.starts_with(prefix)) found.insert(name);
    }
  }
  return {found.begin(), found.end()};
}

}  // namespace probe
