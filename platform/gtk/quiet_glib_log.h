#pragma once

#include <string_view>

namespace platform::gtk {

// Keeps the toolkit's routine diagnostics out of the log; a fatal error still becomes one line.
void routeToolkitDiagnostics(void (*logLine)(std::string_view message));

}  // namespace platform::gtk
