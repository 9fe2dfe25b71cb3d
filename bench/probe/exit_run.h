#pragma once

#include <optional>
#include <string>
#include <vector>

#include "probe/command.h"

namespace probe {

// Wall time in milliseconds from just before the start to the reaping of a run; nothing when
// it could not start or did not exit with status 0.
std::optional<double> timedRun(const Command& command);

// What the process itself held when it ended: its peak resident set and the toolkit libraries
// then mapped. Its children (the prompt gate's shell and ps) are not counted.
struct ExitFootprint {
  long peakKib = -1;
  std::vector<std::string> guiLibraries;
};

// Runs the command once under ptrace and reads /proc at its exit stop, the last moment its
// memory can still be seen. Nothing when the run failed.
std::optional<ExitFootprint> tracedRun(const Command& command);

}  // namespace probe
