#pragma once

#include <canberra.h>

#include <string>

namespace platform::gtk {

// Plays a named sound without waiting: the program's own file when it has one, else the
// desktop sound theme's. No sound or no device: silence.
class EventSound {
 public:
  explicit EventSound(std::string resourceFolder);
  ~EventSound();
  EventSound(const EventSound&) = delete;
  EventSound& operator=(const EventSound&) = delete;

  void play(const std::string& name);

 private:
  std::string resourceFolder_;
  ca_context* context_ = nullptr;
};

}  // namespace platform::gtk
