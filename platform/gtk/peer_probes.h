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

// The backends the toolkit may try, in order: a Wayland compositor only when it answers and
// offers layer-shell surfaces.
const char* allowedBackends(TalvenorLogLine logLine);

}  // namespace platform::gtk
