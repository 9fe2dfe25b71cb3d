#pragma once

namespace platform::gtk {

// The folder where the balloons of one user's session share their places and their sound:
// "talvenor" under XDG_RUNTIME_DIR, or under the user's cache folder when that is unset. Open
// only when it is the user's own and no one else may write to it; nothing is shared otherwise.
class SessionFolder {
 public:
  SessionFolder();
  ~SessionFolder();
  SessionFolder(const SessionFolder&) = delete;
  SessionFolder& operator=(const SessionFolder&) = delete;

  int fd() const { return fd_; }  // -1 when not open

 private:
  int fd_ = -1;
};

}  // namespace platform::gtk
