#pragma once

#include "notifier/balloon_placement.h"

namespace platform::gtk {

using notifier::Box;

// A balloon's place among those shown in the session. Each place is a file of the session
// folder, locked for as long as its balloon is shown and holding where that balloon is, so a
// balloon that ends in any way frees its place at once.
class StackPlace {
 public:
  StackPlace() = default;
  ~StackPlace() { release(); }
  StackPlace(const StackPlace&) = delete;
  StackPlace& operator=(const StackPlace&) = delete;

  // Takes the first free place for a balloon of `width` by `height` in `area` and says where it
  // is; the corner when places cannot be shared (`folder` -1) or none is free.
  Box take(int folder, const Box& area, int width, int height);
  void release();

 private:
  int fd_ = -1;
};

}  // namespace platform::gtk
