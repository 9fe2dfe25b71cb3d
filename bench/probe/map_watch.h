#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <optional>

#include "probe/command.h"

namespace probe {

// A shown window, as the display saw it.
struct Shown {
  double mapMilliseconds = 0;  // from just before the start to the map event's arrival
  long peakKib = -1;           // VmHWM once the window has settled
  int width = 0;
  int height = 0;
};

// Listens on the root window of $DISPLAY for top-level windows being mapped. Subscribed before
// any program starts, so a map is seen as an event as soon as the window manager makes it,
// not found later by polling.
class MapWatch {
 public:
  MapWatch();  // throws std::runtime_error without a display
  ~MapWatch();
  MapWatch(const MapWatch&) = delete;
  MapWatch& operator=(const MapWatch&) = delete;

  // Starts the command, waits for its window, lets it settle for `settleMilliseconds`, samples
  // its memory, then ends it and waits for the window to go. Nothing when no window came.
  std::optional<Shown> show(const Command& command, int settleMilliseconds);

 private:
  // The window carrying _NET_WM_PID == pid among `top` and its descendants (the window
  // manager's frame holds the program's window), or None.
  Window clientOf(Window top, pid_t pid, int depth);
  long windowPid(Window window);
  void discardQueuedEvents();
  void waitUntilGone(Window frame);

  Display* display_;
  Window root_;
  Atom pidAtom_;
};

}  // namespace probe
