#pragma once

#include <string>

namespace agent {

// The prompt gate, with its inputs given: this process's ID, the text the process-status command
// printed for its parent, and the prompt-data file. Logs every step; true only when the ID stored for `appName` equals that
// text, ignoring letter case.
bool recordedParentMatches(const std::string& appName, int pid,
                           const std::string& currentParentText, const std::string& dataFilePath);

}  // namespace agent
