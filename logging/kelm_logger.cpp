#include "logging/kelm_logger.h"

#include "agent/kelm_agent.h"
#include "logging/log_rotation.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/log_redirect.h"
#include "platform/user.h"

namespace {

// The rotation itself takes microseconds; a lock held longer is someone else's doing.
constexpr std::chrono::milliseconds kRotationPatience{1000};

std::string logFolder(bool isUserLog) {
  return isUserLog ? KelmAgent::userLogsPath() : KelmAgent::logsPath();
}

std::string logFileName(const std::string& fileName, bool isUserLog) {
  return isUserLog ? fileName + "_" + platform::loginName() : fileName;
}

}  // namespace

KelmLogger::KelmLogger(const std::string& fileName, bool isUserLog)
    : KelmLogger(logFolder(isUserLog), logFileName(fileName, isUserLog)) {}

KelmLogger::KelmLogger(std::string folder, std::string fileName)
    : folder_(std::move(folder)),
      initialLogFile_(logging::indexedLogPath(folder_, fileName, 0)),
      fileName_(std::move(fileName)) {}

KelmLogger KelmLogger::inFolder(std::string folder, std::string fileName) {
  return KelmLogger(std::move(folder), std::move(fileName));
}

void KelmLogger::changeLogStream(const std::string& fileName, bool isUserLog) {
  std::string path;
  {
    KelmLogger logger(fileName, isUserLog);
    logger.rotateIfTooLarge();
    path = logger.currentLogFile();
  }
  platform::redirectStandardStreams(path);
}

void KelmLogger::rotateLogToNextIndex(int index) {
  logging::rotateFromIndex(folder_, fileName_, index);
}

std::uint64_t KelmLogger::getLogFileSize() const {
  return platform::fileSize(initialLogFile_).value_or(0);
}

void KelmLogger::rotateIfTooLarge() {
  // A file the run would not write to is not the user's log: it stays where it is.
  if (getLogFileSize() <= logging::kRotationThreshold || !platform::isOwnSoleFile(initialLogFile_))
    return;
  // Runs started together all find the log too large; only the one that still finds it in place
  // under the lock rotates, so older logs move up once and are not pushed out.
  platform::whileLockedInPlace(initialLogFile_, kRotationPatience,
                               [this] { rotateLogToNextIndex(0); });
}
