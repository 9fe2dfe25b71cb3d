#include "logging/log_rotation.h"

#include "platform/files.h"

namespace logging {

std::string indexedLogPath(const std::string& folder, const std::string& fileName, int index) {
  return folder + "/" + fileName + std::to_string(index) + ".log";
}

void rotateFromIndex(const std::string& folder, const std::string& fileName, int index) {
  const std::string source = indexedLogPath(folder, fileName, index);
  if (!platform::fileExists(source)) return;
  if (index == kHighestIndex) {
    platform::removeFile(source);
    return;
  }
  rotateFromIndex(folder, fileName, index + 1);
  // Never replaces: if the shift above failed, this file stays rather than destroying another.
  platform::moveItemNoReplace(source, indexedLogPath(folder, fileName, index + 1));
}

}  // namespace logging
