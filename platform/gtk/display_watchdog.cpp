#include "platform/gtk/display_watchdog.h"

#include <unistd.h>

namespace platform::gtk {

// The status of a balloon that was wanted but could not be shown.
constexpr int kNotShownStatus = 2;

DisplayWatchdog::DisplayWatchdog(std::chrono::milliseconds patience, TalvenorLogLine logLine,
                                 std::string line)
    : thread_([this, patience, logLine, line = std::move(line)] {
        std::unique_lock lock(mutex_);
        if (disarm_.wait_for(lock, patience, [this] { return disarmed_; })) return;
        logLine(line.c_str());
        _exit(kNotShownStatus);
      }) {}

DisplayWatchdog::~DisplayWatchdog() {
  {
    const std::lock_guard lock(mutex_);
    disarmed_ = true;
  }
  disarm_.notify_one();
  thread_.join();
}

}  // namespace platform::gtk
