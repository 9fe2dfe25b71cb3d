#pragma once

#include <cstdint>
#include <string>

// The run's log: standard error and standard output appended to a file in the agent's logs
// folders, rotated by size when the run starts.
class KelmLogger {
 public:
  // A user log's file name gains "_" and the login name.
  KelmLogger(const std::string& fileName, bool isUserLog);
  // The same log in an explicit folder, with the file name as it is given.
  static KelmLogger inFolder(std::string folder, std::string fileName);

  // Rotates the log if it has grown too large, then redirects both streams into it.
  static void changeLogStream(const std::string& fileName, bool isUserLog);

  void rotateLogToNextIndex(int index);
  std::uint64_t getLogFileSize() const;
  void rotateIfTooLarge();
  const std::string& currentLogFile() const { return initialLogFile_; }

 private:
  KelmLogger(std::string folder, std::string fileName);

  std::string folder_;
  std::string initialLogFile_;
  std::string fileName_;
};
