#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace platform {
namespace {

// A record lock for writing needs a descriptor open for writing, so only those who may write the
// file can hold one. Anyone who may read it can hold a lock for reading, which would keep the
// writers' lock out: it is not waited for, and the writers rely on finding the file in place.
bool writeLockWithin(int fd, std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
    if (errno != EAGAIN && errno != EACCES && errno != EINTR) return false;
    if (fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type == F_RDLCK) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace

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
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  const bool mayAct = writeLockWithin(fd, patience);
  struct stat held {};
  struct stat now {};
  const bool inPlace = mayAct && fstat(fd, &held) == 0 && lstat(path.c_str(), &now) == 0 &&
                       held.st_dev == now.st_dev && held.st_ino == now.st_ino;
  if (inPlace) action();
  close(fd);
  return inPlace;
}

}  // namespace platform
