#include "platform/log_redirect.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/files.h"

namespace platform {

void openClosedStandardStreams() {
  // open() takes the lowest free descriptor, so this fills the gaps among 0 to 2 in turn.
  int fd;
  do {
    fd = open("/dev/null", O_RDWR);
  } while (fd >= 0 && fd <= STDERR_FILENO);
  if (fd > STDERR_FILENO) close(fd);
}

void redirectStandardStreams(const std::string& path) {
  // O_NONBLOCK so that a FIFO at the path cannot stall the open. Created without group or
  // others' write, whatever the umask: the folder may be shared.
  const int fd =
      open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return;
  struct stat info {};
  if (fstat(fd, &info) == 0 && isOwnSoleFile(info)) {
    fcntl(fd, F_SETFL, O_APPEND);
    std::fflush(stderr);
    dup2(fd, STDERR_FILENO);
    std::fflush(stdout);
    dup2(fd, STDOUT_FILENO);
  }
  close(fd);
}

}  // namespace platform
