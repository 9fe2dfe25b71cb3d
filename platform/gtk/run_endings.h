#pragma once

#include <string>

#include "platform/toolkit_abi.h"

namespace platform::gtk {

// While the balloon is shown, an X display that goes away ends the run with one line and status 2,
// and SIGTERM, SIGINT or SIGHUP end its main loop with one line naming the signal. Either way the
// balloon's place and locks are let go: by the process's end, or by the return from the loop.
void watchRunEndings(TalvenorLogLine logLine, const std::string& displayName);

// The run's exit status once the main loop has returned: 128 and the signal's number when a
// signal ended it, else 0.
int runEndStatus();

}  // namespace platform::gtk
