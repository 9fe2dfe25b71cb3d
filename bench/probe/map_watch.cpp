#include "probe/map_watch.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "probe/proc_status.h"
#include "probe/spawn.h"

namespace probe {
namespace {

constexpr double kMapTimeoutMilliseconds = 20000;
constexpr double kGoneTimeoutMilliseconds = 3000;
constexpr int kFrameDepth = 3;

// A window may vanish between its map event and the queries about it; that is no error here.
int ignoreXError(Display*, XErrorEvent*) {
  return 0;
}

void sleepMilliseconds(int milliseconds) {
  usleep(static_cast<useconds_t>(milliseconds) * 1000);
}

// Ends the program: politely, then for certain.
void end(pid_t child) {
  kill(child, SIGTERM);
  const double deadline = nowMilliseconds() + 2000;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (nowMilliseconds() > deadline) {
      kill(child, SIGKILL);
      reap(child);
      return;
    }
    sleepMilliseconds(5);
  }
}

}  // namespace

MapWatch::MapWatch() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) throw std::runtime_error("cannot open the display");
  XSetErrorHandler(ignoreXError);
  root_ = DefaultRootWindow(display_);
  pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
  XSelectInput(display_, root_, SubstructureNotifyMask);
  XSync(display_, False);
}

MapWatch::~MapWatch() {
  XCloseDisplay(display_);
}

long MapWatch::windowPid(Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display_, window, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 32 && count == 1) {
    pid = *reinterpret_cast<long*>(data);  // Xlib hands 32-bit items over as longs
  }
  if (data != nullptr) XFree(data);
  return pid;
}

Window MapWatch::clientOf(Window top, pid_t pid, int depth) {
  if (windowPid(top) == pid) return top;
  if (depth == 0) return None;
  Window rootReturn = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display_, top, &rootReturn, &parent, &children, &count) == 0) return None;
  Window found = None;
  for (unsigned i = 0; i < count && found == None; ++i)
    found = clientOf(children[i], pid, depth - 1);
  if (children != nullptr) XFree(children);
  return found;
}

void MapWatch::discardQueuedEvents() {
  XSync(display_, False);
  XEvent event;
  while (XPending(display_) > 0) XNextEvent(display_, &event);
}

void MapWatch::waitUntilGone(Window frame) {
  const double deadline = nowMilliseconds() + kGoneTimeoutMilliseconds;
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  while (nowMilliseconds() < deadline) {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if ((event.type == UnmapNotify && event.xunmap.window == frame) ||
          (event.type == DestroyNotify && event.xdestroywindow.window == frame))
        return;
    }
    poll(&connection, 1, 50);
  }
}

std::optional<Shown> MapWatch::show(const Command& command, int settleMilliseconds) {
  discardQueuedEvents();
  const double start = nowMilliseconds();
  const pid_t child = spawnQuiet(command);
  if (child < 0) return std::nullopt;

  Window frame = None;
  Window client = None;
  double mappedAt = 0;
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  while (client == None) {
    int status = 0;
    const double remaining = start + kMapTimeoutMilliseconds - nowMilliseconds();
    if (waitpid(child, &status, WNOHANG) == child) return std::nullopt;
    if (remaining <= 0) {
      end(child);
      return std::nullopt;
    }
    poll(&connection, 1, static_cast<int>(std::min(remaining, 50.0)));
    // The connection has just become readable: the events read now arrived about now.
    double readAt = nowMilliseconds();
    while (client == None && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type != MapNotify || event.xmap.event != root_ || event.xmap.override_redirect)
        continue;
      client = clientOf(event.xmap.window, child, kFrameDepth);
      if (client != None) {
        frame = event.xmap.window;
        mappedAt = readAt;
      } else {
        // The queries were round trips: what they queued arrived no earlier than now.
        readAt = nowMilliseconds();
      }
    }
  }

  Shown shown;
  shown.mapMilliseconds = mappedAt - start;
  sleepMilliseconds(settleMilliseconds);
  shown.peakKib = peakResidentKib(child);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, client, &attributes) != 0) {
    shown.width = attributes.width;
    shown.height = attributes.height;
  }
  end(child);
  waitUntilGone(frame);
  return shown;
}

}  // namespace probe
