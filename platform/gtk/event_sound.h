#pragma once

#include <canberra.h>

#include <atomic>
#include <string>

namespace platform::gtk {

// Plays a named sound without waiting: the program's own file when it has one, else the
// desktop sound theme's. No sound or no device: silence. One balloon's sound at a time in a
// session: a lock in the session folder is held until the sound has played.
class EventSound {
 public:
  explicit EventSound(std::string resourceFolder);
  ~EventSound();
  EventSound(const EventSound&) = delete;
  EventSound& operator=(const EventSound&) = delete;

  // `sessionFolderFd` -1: played whatever other balloons play.
  void play(const std::string& name, int sessionFolderFd);

 private:
  static void onPlayed(ca_context* context, uint32_t id, int error, void* self);
  void releaseSoundLock();

  std::string resourceFolder_;
  ca_context* context_ = nullptr;
  std::atomic<int> soundLock_{-1};  // released on the sound library's thread
};

}  // namespace platform::gtk
