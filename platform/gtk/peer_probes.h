#pragma once

#include <chrono>

#include "platform/toolkit_abi.h"

namespace platform::gtk {

// How long the run waits, in all, for the session bus and the Wayland compositor to answer before
// it goes on without them: a socket that accepts and never answers must not hold it.
constexpr std::chrono::milliseconds kPeerPatience{1000};

// Sets the toolkit's environment so that it neither starts a bus daemon that would outlive the
// run nor waits on a session bus that does not answer.
void keepDaemonsFromStarting(TalvenorLogLine logLine);

struct Backends {
  const char* allowed;  // the backends the toolkit may try, in order
  // A Wayland compositor answered without layer-shell: when X11 cannot be reached either, the
  // desktop's notification service shows the balloon.
  bool notificationsOtherwise;
};

// A Wayland compositor only when it answers and offers layer-shell surfaces.
Backends allowedBackends(TalvenorLogLine logLine);

}  // namespace platform::gtk
