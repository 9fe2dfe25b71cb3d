#include "platform/log_line.h"

#include <errno.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>

namespace platform {

std::string formatLogLine(std::string_view message, const std::tm& localTime, long milliseconds,
                          std::string_view processName, long pid, long threadId) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03ld ",
                localTime.tm_year + 1900, localTime.tm_mon + 1, localTime.tm_mday,
                localTime.tm_hour, localTime.tm_min, localTime.tm_sec, milliseconds);
  std::string line = stamp;
  line += processName;
  line += '[' + std::to_string(pid) + ':' + std::to_string(threadId) + "] ";
  line += message;
  if (message.empty() || message.back() != '\n') line += '\n';
  return line;
}

void NSLog(std::string_view message) {
  timeval now{};
  gettimeofday(&now, nullptr);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  const std::string line = formatLogLine(message, local, now.tv_usec / 1000,
                                         program_invocation_short_name, getpid(), gettid());
  // One write keeps concurrent writers' lines whole in an append-mode file.
  ssize_t written;
  do {
    written = write(STDERR_FILENO, line.data(), line.size());
  } while (written < 0 && errno == EINTR);
}

}  // namespace platform
