#pragma once

namespace platform::gtk {

// The folders where the balloons of one user's session share their sound and, per display, their
// places: "talvenor" under XDG_RUNTIME_DIR, or under the user's cache folder when that is unset,
// and in it one folder per display. A folder is used only when it belongs to the running user
// and no one else may write to it; the environment names no other user's folders by then.
class SessionFolder {
 public:
  SessionFolder();
  ~SessionFolder();
  SessionFolder(const SessionFolder&) = delete;
  SessionFolder& operator=(const SessionFolder&) = delete;

  int fd() const { return fd_; }              // -1 when not open
  int placesFd() const { return placesFd_; }  // the default display's; -1 when not open

 private:
  int fd_ = -1;
  int placesFd_ = -1;
};

}  // namespace platform::gtk
