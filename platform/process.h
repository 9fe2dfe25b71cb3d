#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts exactly `launchPath` with exactly `arguments`, standard output into a pipe and standard
// input and error inherited, reads the output to its end and then waits for the child. Yields
// the raw bytes; a program that cannot be started yields none.
std::string runCapturingStandardOutput(const std::string& launchPath,
                                       const std::vector<std::string>& arguments);

int currentProcessId();

}  // namespace platform
