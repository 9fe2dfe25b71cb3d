#pragma once

#include "platform/toolkit_abi.h"

namespace platform::gtk {

// Keeps the toolkit's routine diagnostics out of the log; a fatal error still becomes one line.
void routeToolkitDiagnostics(TalvenorLogLine logLine);

}  // namespace platform::gtk
