#include "platform/gtk/run_endings.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace platform::gtk {
namespace {

constexpr int kDisplayClosedStatus = 2;

TalvenorLogLine g_logLine = nullptr;
std::string g_displayClosedLine;
int g_endStatus = 0;

// Xlib ends the process after this returns; the toolkit's own handler would end it with status 1
// and nothing in the log.
int onDisplayClosed(Display*) {
  g_logLine(g_displayClosedLine.c_str());
  _exit(kDisplayClosedStatus);
}

gboolean onSignal(gpointer number) {
  const int signal = GPOINTER_TO_INT(number);
  g_logLine((std::string("Received SIG") + sigabbrev_np(signal) + ": balloon closed").c_str());
  g_endStatus = 128 + signal;
  gtk_main_quit();
  return G_SOURCE_CONTINUE;
}

}  // namespace

void watchRunEndings(TalvenorLogLine logLine, const std::string& displayName) {
  g_logLine = logLine;
  g_displayClosedLine = "Display " + displayName + " closed: balloon closed";
  if (GDK_IS_X11_DISPLAY(gdk_display_get_default())) XSetIOErrorHandler(onDisplayClosed);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    g_unix_signal_add(signal, onSignal, GINT_TO_POINTER(signal));
}

int runEndStatus() {
  return g_endStatus;
}

}  // namespace platform::gtk
