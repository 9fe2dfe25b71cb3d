#include "platform/log_redirect.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace platform {

void redirectStandardStreams(const std::string& path) {
  // O_NONBLOCK so that a FIFO at the path cannot stall the open.
  const int fd =
      open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    fcntl(fd, F_SETFL, O_APPEND);
    std::fflush(stderr);
    dup2(fd, STDERR_FILENO);
    std::fflush(stdout);
    dup2(fd, STDOUT_FILENO);
  }
  close(fd);
}

}  // namespace platform
