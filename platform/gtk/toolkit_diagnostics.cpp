#include "platform/gtk/toolkit_diagnostics.h"

#include <glib.h>

#include <string>
#include <string_view>

namespace platform::gtk {
namespace {

TalvenorLogLine g_logLine = nullptr;

GLogWriterOutput writeOnlyErrors(GLogLevelFlags level, const GLogField* fields, gsize count,
                                 gpointer) {
  if ((level & G_LOG_LEVEL_ERROR) == 0) return G_LOG_WRITER_HANDLED;
  std::string domain, message;
  for (gsize i = 0; i < count; ++i) {
    const std::string_view key = fields[i].key;
    const auto* value = static_cast<const char*>(fields[i].value);
    if (key == "GLIB_DOMAIN") domain = value;
    if (key == "MESSAGE") message = value;
  }
  g_logLine(("Toolkit failure: " + domain + ": " + message).c_str());
  return G_LOG_WRITER_HANDLED;
}

void discard(const gchar*) {}

}  // namespace

void routeToolkitDiagnostics(TalvenorLogLine logLine) {
  g_logLine = logLine;
  g_log_set_writer_func(writeOnlyErrors, nullptr, nullptr);
  g_set_printerr_handler(discard);
  g_set_print_handler(discard);
}

}  // namespace platform::gtk
