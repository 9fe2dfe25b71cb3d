#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/toolkit_abi.h"

namespace platform::gtk {

// Ends the run with `line` and status 2 unless disarmed within `patience`: a display server that
// accepts and never answers would otherwise hold the run for ever, as it holds every client.
class DisplayWatchdog {
 public:
  DisplayWatchdog(std::chrono::milliseconds patience, TalvenorLogLine logLine, std::string line);
  ~DisplayWatchdog();  // disarms
  DisplayWatchdog(const DisplayWatchdog&) = delete;
  DisplayWatchdog& operator=(const DisplayWatchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable disarm_;
  bool disarmed_ = false;
  std::thread thread_;
};

}  // namespace platform::gtk
