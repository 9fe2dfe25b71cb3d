#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace probe {

// The process's peak resident set size (VmHWM) in KiB; -1 when it cannot be read.
long peakResidentKib(pid_t pid);

// The file names of the toolkit, GLib and X libraries mapped into the process, each once.
std::vector<std::string> guiLibrariesMapped(pid_t pid);

}  // namespace probe
