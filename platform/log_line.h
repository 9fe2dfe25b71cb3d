#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// Writes one log line to standard error with a single write, the message taken verbatim.
void NSLog(std::string_view message);

// The line NSLog writes: "YYYY-MM-DD HH:MM:SS.mmm name[pid:tid] message", plus a line break
// unless the message brings its own.
std::string formatLogLine(std::string_view message, const std::tm& localTime, long milliseconds,
                          std::string_view processName, long pid, long threadId);

}  // namespace platform
