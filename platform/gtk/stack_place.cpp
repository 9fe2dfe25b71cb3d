#include "platform/gtk/stack_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_lock.h"

namespace platform::gtk {
namespace {

constexpr int kMaxPlaces = 64;

// Arranging is a few small reads and a write; a balloon whose arranging is held up past this
// arranges without the lock rather than wait on another.
constexpr std::chrono::milliseconds kArrangingPatience{100};

bool readBox(int fd, Box& box) {
  char text[64] = {};
  if (pread(fd, text, sizeof text - 1, 0) <= 0) return false;
  return std::sscanf(text, "%d %d %d %d", &box.x, &box.y, &box.width, &box.height) == 4 &&
         box.width > 0 && box.height > 0;
}

bool writeBox(int fd, const Box& box) {
  char text[64];
  const int length =
      std::snprintf(text, sizeof text, "%d %d %d %d\n", box.x, box.y, box.width, box.height);
  return ftruncate(fd, 0) == 0 && pwrite(fd, text, static_cast<size_t>(length), 0) == length;
}

}  // namespace

Box StackPlace::take(int folder, const Box& area, int width, int height) {
  release();
  if (folder < 0) return notifier::balloonPlace(area, width, height, {});
  const int arranging =
      openat(folder, "places.lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (arranging < 0) return notifier::balloonPlace(area, width, height, {});
  lockWithin(arranging, kArrangingPatience);
  // Places are made in order and never removed, so the files are place-0 up to the last made.
  std::vector<Box> shown;
  for (int i = 0; i < kMaxPlaces; ++i) {
    const std::string name = "place-" + std::to_string(i);
    const int fd = openat(folder, name.c_str(),
                          O_RDWR | O_NOFOLLOW | O_CLOEXEC | (fd_ < 0 ? O_CREAT : 0), 0600);
    if (fd < 0) break;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (fd_ < 0) {
        fd_ = fd;
        continue;
      }
    } else if (Box box; readBox(fd, box)) {
      shown.push_back(box);
    }
    close(fd);
  }
  const Box place = notifier::balloonPlace(area, width, height, shown);
  // A place whose box others cannot read keeps no one away: it is given up.
  if (fd_ >= 0 && !writeBox(fd_, place)) release();
  close(arranging);
  return place;
}

void StackPlace::release() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace platform::gtk
