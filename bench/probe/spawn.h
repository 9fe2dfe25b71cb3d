#pragma once

#include <sys/types.h>

#include "probe/command.h"

namespace probe {

// Starts the command with standard output and error on /dev/null, so that no case pays for a
// terminal; -1 when it cannot be started.
pid_t spawnQuiet(const Command& command);

// Reaps the child, retrying on interruption; its wait status.
int reap(pid_t child);

// CLOCK_MONOTONIC in milliseconds.
double nowMilliseconds();

}  // namespace probe
