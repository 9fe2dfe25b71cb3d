#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace platform {

bool lockWithin(int fd, std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool whileLockedInPlace(const std::string& path, std::chrono::milliseconds patience,
                        const std::function<void()>& action) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  const bool locked = lockWithin(fd, patience);
  struct stat held {};
  struct stat now {};
  const bool inPlace = locked && fstat(fd, &held) == 0 && lstat(path.c_str(), &now) == 0 &&
                       held.st_dev == now.st_dev && held.st_ino == now.st_ino;
  if (inPlace) action();
  close(fd);
  return inPlace;
}

}  // namespace platform
